#include "cli/writer_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "cards/book_paths.h"
#include "cli/messages.h"

namespace {

constexpr long kDefaultWaitSeconds = 10;

long WaitSeconds() {
  const char* text = getenv("QUILLBOOK_LOCK_SECONDS");
  if (text == nullptr || text[0] == '\0') return kDefaultWaitSeconds;
  char* end = nullptr;
  long seconds = strtol(text, &end, 10);
  return *end == '\0' && seconds >= 0 ? seconds : kDefaultWaitSeconds;
}

double Now() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The process that holds the lock, as ps would name it: "process 1234
// (quillbook import a.csv)", or "another program" when it is not known
// (a lock held from another machine).
std::string Holder(int fd) {
  struct flock probe = {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  if (fcntl(fd, F_GETLK, &probe) != 0 || probe.l_type == F_UNLCK || probe.l_pid <= 0) {
    return "another program";
  }
  std::string holder = "process " + std::to_string(probe.l_pid);
  std::string path = "/proc/" + std::to_string(probe.l_pid) + "/cmdline";
  FILE* cmdline = fopen(path.c_str(), "rb");
  if (cmdline == nullptr) return holder;
  char words[256];
  size_t n = fread(words, 1, sizeof words - 1, cmdline);
  fclose(cmdline);
  while (n > 0 && words[n - 1] == '\0') --n;
  for (size_t i = 0; i < n; ++i) {
    if (words[i] == '\0') words[i] = ' ';
  }
  words[n] = '\0';
  return n > 0 ? holder + " (" + words + ")" : holder;
}

}  // namespace

BookWriterLock::~BookWriterLock() {
  if (m_fd >= 0) close(m_fd);
}

int BookWriterLock::Take(const char* dataDirectory) {
  char folder[kPathBufferSize];
  char path[kPathBufferSize];
  if (!BuildBookFolderPath(folder, dataDirectory) ||
      !BuildBookFilePath(path, dataDirectory, kBookWriterLockFileName)) {
    return Fail(kExitBadArguments, "the data folder's path is too long: %s", dataDirectory);
  }
  errno = 0;
  if (mkdir(folder, 0777) != 0 && errno != EEXIST) {
    return Fail(kExitFailed, "cannot make the book's folder %s: %s", folder, Reason());
  }
  // Never through a link planted under the name; the file stays for the
  // next writer, since removing it would let two writers lock two files.
  errno = 0;
  m_fd = open(path, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  struct stat info;
  if (m_fd < 0 || fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    return Fail(kExitFailed, "cannot lock the book with %s: %s", path,
                m_fd < 0 ? Reason() : "not a plain file");
  }
  const double deadline = Now() + static_cast<double>(WaitSeconds());
  for (;;) {
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    errno = 0;
    if (fcntl(m_fd, F_SETLK, &lock) == 0) return -1;
    if (errno != EACCES && errno != EAGAIN) {
      return Fail(kExitFailed, "cannot lock the book with %s: %s", path, Reason());
    }
    if (Now() >= deadline) break;
    usleep(10000);
  }
  return Fail(kExitFailed,
              "the address book is being written by %s, which holds %s; try again once it has "
              "finished",
              Holder(m_fd).c_str(), path);
}
