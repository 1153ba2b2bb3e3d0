#include "cli/book_setup.h"

#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "cards/safe_file.h"
#include "cli/messages.h"

namespace {

// Writes the default book into dataDirectory; -1, or the exit status.
int WriteNewBook(const std::string& dataDirectory) {
  char folder[kPathBufferSize];
  char path[kPathBufferSize];
  if (!BuildBookFolderPath(folder, dataDirectory.c_str()) ||
      !BuildBookFilePath(path, dataDirectory.c_str(), kCardFileName)) {
    return Fail(kExitBadArguments, "the data folder's path is too long: %s", dataDirectory.c_str());
  }
  errno = 0;
  if (mkdir(folder, 0777) != 0 && errno != EEXIST) {
    return Fail(kExitFailed, "cannot make the book's folder %s: %s", folder, Reason());
  }
  static CardTable table;  // over a megabyte: not for the stack
  table.Clear();
  table.MakeDefaultOwnerCard();
  errno = 0;
  if (!SaveCardFile(path, table)) {
    return Fail(kExitFailed, "cannot write the card file %s: %s", path, Reason());
  }
  return -1;
}

}  // namespace

int CheckFolder(const char* path, const char* what) {
  struct stat info;
  errno = 0;
  if (stat(path, &info) != 0) return Fail(kExitFailed, "the %s %s: %s", what, path, Reason());
  if (!S_ISDIR(info.st_mode)) {
    return Fail(kExitFailed, "the %s %s is not a folder", what, path);
  }
  return -1;
}

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// The book's own folder given one level too deep would read as a new, empty
// book, and an import would write a second book inside it: a folder that
// holds the card file, or one named like the book's folder that holds none.
bool IsBookFolder(const char* dataDirectory) {
  std::string folder = dataDirectory;
  if (Exists(folder + "/" + kCardFileName)) return true;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  size_t slash = folder.rfind('/');
  std::string name = folder.substr(slash == std::string::npos ? 0 : slash + 1);
  return strcasecmp(name.c_str(), kBookFolderName) == 0 && !Exists(folder + "/" + kBookFolderName);
}

}  // namespace

int CheckDataFolder(const char* dataDirectory) {
  int status = CheckFolder(dataDirectory, "data folder");
  if (status >= 0) return status;
  if (IsBookFolder(dataDirectory)) {
    char real[PATH_MAX];
    std::string parent = realpath(dataDirectory, real) != nullptr ? real : dataDirectory;
    parent.erase(parent.rfind('/') == 0 ? 1 : parent.rfind('/'));
    return Fail(kExitBadArguments,
                "%s is the book's own folder, not its data folder: the data folder is its "
                "parent, %s",
                dataDirectory, parent.c_str());
  }
  return -1;
}

namespace {

// A reader's problem in the system's words where it has them.
const char* ReasonFor(FileProblem problem) {
  switch (problem) {
    case FileProblem::kNotAFile:
      return "not a plain file";
    case FileProblem::kDanglingLink:
      return "a link to a file that is not there";
    default:
      return Reason();
  }
}

}  // namespace

FILE* OpenPlainFile(const char* path, const char*& reason) {
  errno = 0;
  FileProblem problem = FileProblem::kNone;
  FILE* file = OpenFileForReading(path, problem);
  if (file == nullptr) reason = ReasonFor(problem);
  return file;
}

int CheckReadableOrMissing(const char* path, const char* what) {
  errno = 0;
  FileProblem problem = FileProblem::kNone;
  if (FILE* probe = OpenFileForReading(path, problem)) {
    fclose(probe);
  } else if (problem != FileProblem::kMissing || errno != ENOENT) {
    return Fail(kExitFailed, "cannot read the %s %s: %s", what, path, ReasonFor(problem));
  }
  return -1;
}

BookPlace::~BookPlace() {
  if (scratch.empty()) return;
  char path[kPathBufferSize];
  if (BuildBookFilePath(path, scratch.c_str(), kCardFileName)) unlink(path);
  if (BuildBookFolderPath(path, scratch.c_str())) rmdir(path);
  rmdir(scratch.c_str());
}

int PrepareBook(const char* dataDirectory, bool writeNewBook, BookPlace& place) {
  place.directory = dataDirectory;
  char path[kPathBufferSize];
  if (!BuildBookFilePath(path, dataDirectory, kCardFileName)) {
    return Fail(kExitBadArguments, "the data folder's path is too long: %s", dataDirectory);
  }
  int status = CheckReadableOrMissing(path, "card file");
  if (status >= 0 || PathExists(path)) return status;
  if (writeNewBook) {
    status = WriteNewBook(place.directory);
    if (status < 0) printf("a new address book: %s\n", path);
    return status;
  }
  std::string pattern = ScratchPattern("book");
  errno = 0;
  if (mkdtemp(&pattern[0]) == nullptr) {
    return Fail(kExitFailed, "cannot make a scratch folder %s: %s", pattern.c_str(), Reason());
  }
  place.scratch = place.directory = pattern;
  return WriteNewBook(place.directory);
}

std::string ScratchPattern(const char* purpose) {
  const char* tmp = getenv("TMPDIR");
  return std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/quillbook-" + purpose +
         "-XXXXXX";
}

ScratchFile::~ScratchFile() {
  if (!path.empty()) unlink(path.c_str());
  if (!folder.empty()) rmdir(folder.c_str());
}

int ScratchFile::Make(const char* purpose, const char* name) {
  std::string pattern = ScratchPattern(purpose);
  errno = 0;
  if (mkdtemp(&pattern[0]) == nullptr) {
    return Fail(kExitFailed, "cannot make a scratch folder %s: %s", pattern.c_str(), Reason());
  }
  folder = pattern;
  path = folder + "/" + name;
  return -1;
}
