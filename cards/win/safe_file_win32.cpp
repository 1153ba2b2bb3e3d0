#include <fcntl.h>
#include <io.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "cards/safe_file.h"

namespace {

FileProblem ProblemFromLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return FileProblem::kMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return FileProblem::kDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileProblem::kInUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileProblem::kFull;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
      return FileProblem::kTooLong;
    case ERROR_CANT_RESOLVE_FILENAME:
      return FileProblem::kLinkLoop;
    default:
      return FileProblem::kBroken;
  }
}

// The handle as a run-time stream; closes it when that fails.
FILE* StreamOf(HANDLE handle, int flags, const char* mode, FileProblem& problem) {
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    problem = FileProblem::kBroken;
    return nullptr;
  }
  FILE* file = _fdopen(fd, mode);
  if (file == nullptr) {
    _close(fd);
    problem = FileProblem::kBroken;
  }
  return file;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The volume and index that tell one file from another; false when it is not
// there.
bool IdentityOf(const char* path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE handle =
      CreateFileA(path, 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  return known;
}

// The full path with its folder spelled out long, for a file not yet there.
bool LongFullPath(const char* path, char (&out)[MAX_PATH]) {
  char full[MAX_PATH];
  char* name = nullptr;
  DWORD n = GetFullPathNameA(path, MAX_PATH, full, &name);
  if (n == 0 || n >= MAX_PATH || name == nullptr) return false;
  char folder[MAX_PATH];
  size_t folderLength = static_cast<size_t>(name - full);
  memcpy(folder, full, folderLength);
  folder[folderLength] = '\0';
  DWORD m = GetLongPathNameA(folder, out, MAX_PATH);
  if (m == 0 || m >= MAX_PATH) return false;
  return snprintf(out + m, MAX_PATH - m, "%s", name) < static_cast<int>(MAX_PATH - m);
}

}  // namespace

FILE* OpenFileForReading(const char* path, FileProblem& problem) {
  if (path == nullptr || path[0] == '\0') {
    problem = FileProblem::kMissing;
    return nullptr;
  }
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    problem = FileProblem::kNotAFile;
    return nullptr;
  }
  // Shared for delete too, so that a save beside this reading still lands.
  HANDLE handle = CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    problem = ProblemFromLastError();
    // A link to nothing is not a new, empty book.
    if (problem == FileProblem::kMissing && PathExists(path)) problem = FileProblem::kDanglingLink;
    return nullptr;
  }
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    problem = FileProblem::kNotAFile;
    return nullptr;
  }
  return StreamOf(handle, _O_RDONLY, "rb", problem);
}

FILE* CreateFileExclusively(const char* path, FileProblem& problem, bool& taken) {
  HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD error = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  if (handle != INVALID_HANDLE_VALUE) return StreamOf(handle, _O_WRONLY, "wb", problem);
  problem = ProblemFromLastError();
  return nullptr;
}

bool ResolveWrittenPath(const char* path, char (&out)[kPathBufferSize], FileProblem& problem) {
  // A link is written through: the file it leads to gets the new contents,
  // and the link stays. Wine shows a Unix link as a plain file, so every
  // path is asked where it leads.
  HANDLE handle =
      CreateFileA(path, 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return CopyPath(out, path, problem);
  char target[MAX_PATH + 8];
  DWORD n = GetFinalPathNameByHandleA(handle, target, sizeof target, FILE_NAME_NORMALIZED);
  CloseHandle(handle);
  if (n == 0 || n >= sizeof target) return CopyPath(out, path, problem);
  // "\\?\C:\..." and "\\?\UNC\server\..." as plain paths.
  const char* plain = target;
  if (strncmp(target, "\\\\?\\UNC\\", 8) == 0) {
    target[6] = '\\';
    plain = target + 6;
  } else if (strncmp(target, "\\\\?\\", 4) == 0) {
    plain = target + 4;
  }
  // A path that leads where it says keeps the spelling it was given.
  char full[MAX_PATH];
  char spelled[MAX_PATH];
  DWORD m = GetFullPathNameA(path, sizeof full, full, nullptr);
  DWORD k = m > 0 && m < sizeof full ? GetLongPathNameA(full, spelled, sizeof spelled) : 0;
  bool same = k > 0 && k < sizeof spelled && lstrcmpiA(spelled, plain) == 0;
  return CopyPath(out, same ? path : plain, problem);
}

bool FlushFileToDisk(FILE* file, FileProblem& problem) {
  if (FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))))) return true;
  problem = ProblemFromLastError();
  return false;
}

bool ReplaceFileWith(const char* newPath, const char* oldPath, FileProblem& problem) {
  if (MoveFileExA(newPath, oldPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DWORD error = GetLastError();
  // A file open elsewhere without sharing its deletion refuses the replace
  // with either of these.
  bool held = (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) &&
              GetFileAttributesA(oldPath) != INVALID_FILE_ATTRIBUTES;
  problem = held ? FileProblem::kInUse : ProblemFromLastError();
  return false;
}

bool RenameToFreeName(const char* newPath, const char* path, FileProblem& problem, bool& taken) {
  taken = false;
  // Without MOVEFILE_REPLACE_EXISTING a file of that name refuses the move.
  if (MoveFileExA(newPath, path, MOVEFILE_WRITE_THROUGH)) return true;
  DWORD error = GetLastError();
  taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
  problem = ProblemFromLastError();
  return false;
}

long HighestKeptNumber(const char* path, const char* suffix) {
  char pattern[MAX_PATH];
  if (snprintf(pattern, sizeof pattern, "%s.*.%s", path, suffix) >= static_cast<int>(MAX_PATH)) {
    return 0;
  }
  const char* slash = strrchr(path, '\\');
  const char* name = slash != nullptr ? slash + 1 : path;
  const size_t nameLength = strlen(name);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  long highest = 0;
  do {
    const char* n = found.cFileName;
    if (strncmp(n, name, nameLength) != 0 || n[nameLength] != '.') continue;
    char* end = nullptr;
    long number = strtol(n + nameLength + 1, &end, 10);
    if (end == n + nameLength + 1 || *end != '.' || lstrcmpiA(end + 1, suffix) != 0) continue;
    if (number > highest && number < kHighestKeptNumber) highest = number;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return highest;
}

bool OverwriteInPlace(const char* newPath, const char* oldPath, FileProblem& problem,
                      bool& touched) {
  touched = false;
  HANDLE to = CreateFileA(oldPath, GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  if (to == INVALID_HANDLE_VALUE) {
    problem = ProblemFromLastError();
    return false;
  }
  HANDLE from = CreateFileA(newPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = from != INVALID_HANDLE_VALUE;
  if (!ok) problem = ProblemFromLastError();
  char chunk[8192];
  while (ok) {
    DWORD got = 0;
    ok = ReadFile(from, chunk, sizeof chunk, &got, nullptr) != 0;
    if (!ok) {
      problem = ProblemFromLastError();
      break;
    }
    if (got == 0) break;
    touched = true;
    DWORD put = 0;
    FileProblem injected = FileProblem::kNone;
    DWORD asked = StepFails(FileStep::kWriteInPlace, injected) ? got / 2 : got;
    if (!WriteFile(to, chunk, asked, &put, nullptr)) {
      problem = ProblemFromLastError();
      ok = false;
    } else if (put != got) {
      // A disk that fills up takes part of a write and gives no reason.
      problem = FileProblem::kFull;
      ok = false;
    }
  }
  if (ok) touched = true;
  if (ok && !(SetEndOfFile(to) && FlushFileBuffers(to))) {
    problem = ProblemFromLastError();
    ok = false;
  }
  if (from != INVALID_HANDLE_VALUE) CloseHandle(from);
  CloseHandle(to);
  return ok;
}

void PauseBeforeRetry() { Sleep(50); }

bool PathExists(const char* path) {
  if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return true;
  DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool IsSameFile(const char* a, const char* b) {
  BY_HANDLE_FILE_INFORMATION first, second;
  bool haveA = IdentityOf(a, first);
  bool haveB = IdentityOf(b, second);
  if (haveA && haveB) {
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
  }
  if (haveA || haveB) return false;
  char longA[MAX_PATH], longB[MAX_PATH];
  return LongFullPath(a, longA) && LongFullPath(b, longB) && lstrcmpiA(longA, longB) == 0;
}

unsigned long CurrentProcessNumber() { return GetCurrentProcessId(); }
