#include "cards/book_paths.h"

#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "cards/safe_file.h"

namespace {

bool Fits(int written, char (&out)[kPathBufferSize]) {
  if (written >= 0 && static_cast<size_t>(written) < kPathBufferSize) return true;
  out[0] = '\0';
  return false;
}

}  // namespace

bool BuildBookFolderPath(char (&out)[kPathBufferSize], const char* dataDirectory) {
  return Fits(snprintf(out, sizeof out, "%s%c%s", dataDirectory, kPathSeparator, kBookFolderName),
              out);
}

bool BuildBookFilePath(char (&out)[kPathBufferSize], const char* dataDirectory,
                       const char* fileName) {
  return Fits(snprintf(out, sizeof out, "%s%c%s%c%s", dataDirectory, kPathSeparator,
                       kBookFolderName, kPathSeparator, fileName),
              out);
}

void MarkBookOpen(const char* dataDirectory) {
  char path[kPathBufferSize];
  if (dataDirectory == nullptr || !BuildBookFilePath(path, dataDirectory, kBookLockFileName))
    return;
  FileProblem problem = FileProblem::kNone;
  bool taken = false;
  FILE* file = CreateFileExclusively(path, problem, taken);
  if (file != nullptr) fclose(file);
}

void ClearBookMark(const char* dataDirectory) {
  char path[kPathBufferSize];
  if (dataDirectory == nullptr || !BuildBookFilePath(path, dataDirectory, kBookLockFileName))
    return;
  // A link planted under the mark's name stays: removing it could remove
  // what it leads to, as Wine does.
  char landing[kPathBufferSize];
  FileProblem problem = FileProblem::kNone;
  if (!ResolveWrittenPath(path, landing, problem) || strcmp(landing, path) != 0) return;
  remove(path);
}

bool NamesBookFile(const char* dataDirectory, const char* path, char (&bookFile)[kPathBufferSize]) {
  for (const char* name : {kCardFileName, kGroupFileName}) {
    if (BuildBookFilePath(bookFile, dataDirectory, name) && IsSameFile(path, bookFile)) return true;
  }
  bookFile[0] = '\0';
  return false;
}
