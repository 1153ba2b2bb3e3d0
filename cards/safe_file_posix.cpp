#include <dirent.h>
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
    // A link to nothing (a book on a drive not mounted, a target moved) is
    // not a new, empty book.
    if (problem == FileProblem::kMissing && PathExists(path)) problem = FileProblem::kDanglingLink;
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

FILE* CreateFileExclusively(const char* path, FileProblem& problem, bool& taken) {
  // Exclusive, so that a link planted under the name is never followed.
  int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  taken = fd < 0 && errno == EEXIST;
  if (fd >= 0) return StreamOf(fd, "wb", problem);
  problem = ProblemFromErrno(errno);
  if (problem == FileProblem::kBroken) problem = FileProblem::kDenied;
  return nullptr;
}

namespace {

// path's folder, "." for a bare name; false when it does not fit.
bool FolderOf(const char* path, char (&out)[PATH_MAX]) {
  const char* slash = strrchr(path, '/');
  if (slash == nullptr) return snprintf(out, sizeof out, ".") > 0;
  size_t length = slash == path ? 1 : static_cast<size_t>(slash - path);
  if (length >= sizeof out) return false;
  memcpy(out, path, length);
  out[length] = '\0';
  return true;
}

// Follows the links of path's last part, even to a file not yet there:
// where a write of path lands. false at a loop or a path too long.
bool FollowLinks(const char* path, char (&out)[PATH_MAX], FileProblem& problem) {
  if (snprintf(out, sizeof out, "%s", path) >= static_cast<int>(sizeof out)) {
    problem = FileProblem::kTooLong;
    return false;
  }
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info;
    if (lstat(out, &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    char target[PATH_MAX];
    ssize_t n = readlink(out, target, sizeof target - 1);
    if (n < 0) {
      problem = ProblemFromErrno(errno);
      return false;
    }
    target[n] = '\0';
    char next[PATH_MAX];
    char folder[PATH_MAX];
    int written = target[0] == '/' || !FolderOf(out, folder)
                      ? snprintf(next, sizeof next, "%s", target)
                      : snprintf(next, sizeof next, "%s/%s", folder, target);
    if (written < 0 || static_cast<size_t>(written) >= sizeof next) {
      problem = FileProblem::kTooLong;
      return false;
    }
    memcpy(out, next, sizeof out);
  }
  problem = FileProblem::kLinkLoop;
  return false;
}

// The absolute place of a path whose last part is no link: its folder
// resolved, then its name.
bool PlaceOf(const char* path, char (&out)[PATH_MAX]) {
  char folder[PATH_MAX];
  char real[PATH_MAX];
  if (!FolderOf(path, folder) || realpath(folder, real) == nullptr) return false;
  const char* slash = strrchr(path, '/');
  int n = snprintf(out, sizeof out, "%s/%s", real, slash != nullptr ? slash + 1 : path);
  return n >= 0 && static_cast<size_t>(n) < sizeof out;
}

}  // namespace

bool ResolveWrittenPath(const char* path, char (&out)[kPathBufferSize], FileProblem& problem) {
  char target[PATH_MAX];
  return FollowLinks(path, target, problem) && CopyPath(out, target, problem);
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

bool RenameToFreeName(const char* newPath, const char* path, FileProblem& problem, bool& taken) {
  taken = false;
  if (renameat2(AT_FDCWD, newPath, AT_FDCWD, path, RENAME_NOREPLACE) == 0) return true;
  // A file system that cannot refuse a replace in the rename itself: a
  // second name, which is refused when taken, then the first let go.
  if (errno == EINVAL && link(newPath, path) == 0) {
    unlink(newPath);
    return true;
  }
  taken = errno == EEXIST;
  problem = ProblemFromErrno(errno);
  return false;
}

long HighestKeptNumber(const char* path, const char* suffix) {
  char folder[PATH_MAX];
  if (!FolderOf(path, folder)) return 0;
  const char* slash = strrchr(path, '/');
  const char* name = slash != nullptr ? slash + 1 : path;
  const size_t nameLength = strlen(name);
  DIR* dir = opendir(folder);
  if (dir == nullptr) return 0;
  long highest = 0;
  while (const dirent* entry = readdir(dir)) {
    const char* n = entry->d_name;
    if (strncmp(n, name, nameLength) != 0 || n[nameLength] != '.') continue;
    char* end = nullptr;
    long number = strtol(n + nameLength + 1, &end, 10);
    if (end == n + nameLength + 1 || *end != '.' || strcmp(end + 1, suffix) != 0) continue;
    if (number > highest && number < kHighestKeptNumber) highest = number;
  }
  closedir(dir);
  return highest;
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
  // Where a write of each would land: a link to a file not yet there
  // counts as that file.
  char landA[PATH_MAX], landB[PATH_MAX];
  char placeA[PATH_MAX], placeB[PATH_MAX];
  FileProblem problem = FileProblem::kNone;
  return FollowLinks(a, landA, problem) && FollowLinks(b, landB, problem) &&
         PlaceOf(landA, placeA) && PlaceOf(landB, placeB) && strcmp(placeA, placeB) == 0;
}

unsigned long CurrentProcessNumber() { return static_cast<unsigned long>(getpid()); }
