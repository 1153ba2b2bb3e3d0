#include <io.h>
#include <stdio.h>
#include <windows.h>

#include "cards/safe_file.h"

bool FlushFileToDisk(FILE* file) { return _commit(_fileno(file)) == 0; }

bool ReplaceFileWith(const char* newPath, const char* oldPath) {
  return MoveFileExA(newPath, oldPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
