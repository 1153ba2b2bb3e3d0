#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cards/safe_file.h"

namespace {

// The fd as a stream; closes it when that fails.
FILE* StreamOf(int fd, const char* mode, FileProblem& problem) {
  FILE* file = fdopen(fd, mode);
  if (file != nullptr) return file;
  problem = ProblemFromErrno(errno);
  close(fd);
  return nullptr;
}

}  // namespace

FILE* OpenFileForReading(const char* path, FileProblem& problem) {
  if (path == nullptr || path[0] == '\0') {
    problem = FileProblem::kMissing;
    return nullptr;
  }
  // Not blocking: a pipe with no writer would otherwise hold the open.
  int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    problem = ProblemFromErrno(errno);
    return nullptr;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    problem = FileProblem::kNotAFile;
    close(fd);
    return nullptr;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return StreamOf(fd, "rb", problem);
}

FILE* CreateFileExclusively(const char* path, FileProblem& problem) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    // Exclusive, so that a link planted under the name is never followed.
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return StreamOf(fd, "wb", problem);
    problem = ProblemFromErrno(errno);
    // A new file left by a write that was cut off; removing the name never
    // touches what a link under it points at.
    if (errno != EEXIST || unlink(path) != 0) break;
  }
  if (problem == FileProblem::kBroken) problem = FileProblem::kDenied;
  return nullptr;
}

bool ResolveWrittenPath(const char* path, char (&out)[kPathBufferSize], FileProblem& problem) {
  struct stat info;
  const char* target = path;
  char resolved[PATH_MAX];
  if (lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
    if (realpath(path, resolved) == nullptr) {
      problem = errno == ENOENT ? FileProblem::kMissing : ProblemFromErrno(errno);
      return false;
    }
    target = resolved;
  }
  return CopyPath(out, target, problem);
}

bool FlushFileToDisk(FILE* file, FileProblem& problem) {
  if (fsync(fileno(file)) == 0) return true;
  problem = ProblemFromErrno(errno);
  return false;
}

bool ReplaceFileWith(const char* newPath, const char* oldPath, FileProblem& problem) {
  if (rename(newPath, oldPath) == 0) return true;
  problem = ProblemFromErrno(errno);
  return false;
}

bool OverwriteInPlace(const char*, const char*, FileProblem&, bool& touched) {
  // A file open elsewhere never stops a rename here.
  touched = false;
  return false;
}

void PauseBeforeRetry() { usleep(1000); }

bool PathExists(const char* path) {
  struct stat info;
  return lstat(path, &info) == 0;
}

bool IsSameFile(const char* a, const char* b) {
  struct stat first, second;
  bool haveA = stat(a, &first) == 0;
  bool haveB = stat(b, &second) == 0;
  if (haveA && haveB) return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  if (haveA || haveB) return false;
  // Neither is there yet: the same place is the same folder and name.
  char folderA[PATH_MAX], folderB[PATH_MAX];
  const char* nameA = strrchr(a, '/');
  const char* nameB = strrchr(b, '/');
  nameA = nameA ? nameA + 1 : a;
  nameB = nameB ? nameB + 1 : b;
  if (strcmp(nameA, nameB) != 0) return false;
  auto folderOf = [](const char* path, const char* name, char(&out)[PATH_MAX]) {
    char folder[PATH_MAX];
    size_t length = static_cast<size_t>(name - path);
    if (length == 0) return realpath(".", out) != nullptr;
    if (length >= sizeof folder) return false;
    memcpy(folder, path, length);
    folder[length] = '\0';
    return realpath(folder, out) != nullptr;
  };
  return folderOf(a, nameA, folderA) && folderOf(b, nameB, folderB) &&
         strcmp(folderA, folderB) == 0;
}
