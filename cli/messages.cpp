#include "cli/messages.h"

#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

int Fail(int status, const char* format, ...) {
  fflush(stdout);  // what was said before the failure stays before it
  fputs("quillbook: ", stderr);
  va_list args;
  va_start(args, format);
  vfprintf(stderr, format, args);
  va_end(args);
  fputc('\n', stderr);
  // The whole help would bury the reason: one line says where it is.
  if (status == kExitBadArguments)
    fputs("Try 'quillbook --help' for the commands and options.\n", stderr);
  return status;
}

const char* Reason() { return errno != 0 ? strerror(errno) : "unknown reason"; }
