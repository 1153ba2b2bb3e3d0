#include <stdio.h>
#include <unistd.h>

#include "cards/safe_file.h"

bool FlushFileToDisk(FILE* file) { return fsync(fileno(file)) == 0; }

bool ReplaceFileWith(const char* newPath, const char* oldPath) {
  return rename(newPath, oldPath) == 0;
}
