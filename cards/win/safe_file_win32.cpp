#include <fcntl.h>
#include <io.h>
#include <stdint.h>
#include <stdio.h>
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
    return nullptr;
  }
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    problem = FileProblem::kNotAFile;
    return nullptr;
  }
  return StreamOf(handle, _O_RDONLY, "rb", problem);
}

FILE* CreateFileExclusively(const char* path, FileProblem& problem) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return StreamOf(handle, _O_WRONLY, "wb", problem);
    DWORD error = GetLastError();
    problem = ProblemFromLastError();
    // A new file left by a write that was cut off.
    if (error != ERROR_FILE_EXISTS || !DeleteFileA(path)) break;
  }
  return nullptr;
}

bool ResolveWrittenPath(const char* path, char (&out)[kPathBufferSize], FileProblem& problem) {
  return CopyPath(out, path, problem);
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
  char chunk[8192];
  while (ok) {
    DWORD got = 0;
    DWORD put = 0;
    ok = ReadFile(from, chunk, sizeof chunk, &got, nullptr) != 0;
    if (!ok || got == 0) break;
    touched = true;
    ok = WriteFile(to, chunk, got, &put, nullptr) && put == got;
  }
  if (ok) {
    touched = true;
    ok = SetEndOfFile(to) && FlushFileBuffers(to);
  }
  if (!ok) problem = ProblemFromLastError();
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
