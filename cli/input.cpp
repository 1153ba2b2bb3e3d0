#include "cli/input.h"

#include <errno.h>
#include <iconv.h>
#include <string.h>

bool Utf8ToCp932(const char* utf8, std::string& out) {
  out.clear();
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char* source = const_cast<char*>(utf8);
  size_t left = strlen(utf8);
  bool ok = true;
  char chunk[256];
  while (ok && left > 0) {
    char* target = chunk;
    size_t room = sizeof chunk;
    size_t result = iconv(cd, &source, &left, &target, &room);
    out.append(chunk, sizeof chunk - room);
    // E2BIG only means the chunk is full; anything else is a character that
    // cannot be written, which must not be searched for as something else.
    ok = result != static_cast<size_t>(-1) || errno == E2BIG;
  }
  iconv_close(cd);
  if (!ok) out.clear();
  return ok;
}
