#include "tool/book_mark.h"

#include <stdio.h>

#include "cards/book_paths.h"

void MarkBookOpen(const char* dataDirectory) {
  char path[kPathBufferSize];
  if (dataDirectory == nullptr || !BuildBookFilePath(path, dataDirectory, kBookLockFileName))
    return;
  FILE* file = fopen(path, "w");
  if (file != nullptr) fclose(file);
}

void ClearBookMark(const char* dataDirectory) {
  char path[kPathBufferSize];
  if (dataDirectory == nullptr || !BuildBookFilePath(path, dataDirectory, kBookLockFileName))
    return;
  remove(path);
}
