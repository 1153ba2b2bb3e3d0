// Reads and writes the book's files so that nothing the user has is lost: a
// file is read only when it is a plain file, and a written file goes to a new
// file beside the old one, which it replaces only once it is complete and on
// disk.
#pragma once

#include <stddef.h>
#include <stdio.h>

#include "cards/book_paths.h"

// Why a file could not be read or written, as the user is told it.
enum class FileProblem {
  kNone,
  kMissing,
  kDenied,
  kFull,
  kInUse,
  kNotAFile,
  kLinkLoop,
  kTooLong,
  kBroken,
};
const char* FileProblemText(FileProblem problem);
FileProblem ProblemFromErrno(int error);

// Opens path for reading in binary mode when it is a plain file: a folder, a
// pipe or a device is refused at once rather than read or waited on. Other
// programs may replace or delete the file while it is open. On failure
// returns null and sets problem (kMissing when nothing is there).
FILE* OpenFileForReading(const char* path, FileProblem& problem);

class SafeFileWriter {
 public:
  explicit SafeFileWriter(const char* path);
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  bool IsOpen() const { return m_pFile != nullptr; }
  // Remembers a failure; later writes do nothing and Commit fails.
  void Write(const char* bytes, size_t length);
  void WriteLine(const char* text);  // text, then CR LF
  // Puts the new file in place; false if anything went wrong, and then the
  // old file is whole: untouched, or, when it had to be written in place and
  // that failed, with the complete new file still beside it.
  bool Commit();
  // What went wrong, kNone while nothing did.
  FileProblem Problem() const { return m_problem; }

  // For tests: every writer fails as a full disk once this many more bytes
  // have been written in total; a negative value turns the failure off.
  static void FailAfterBytesForTesting(long bytes);

 private:
  void Fail(FileProblem problem);
  void Discard();

  FILE* m_pFile = nullptr;
  FileProblem m_problem = FileProblem::kNone;
  char m_szPath[kPathBufferSize];
  char m_szTempPath[kPathBufferSize];
};

// Copies the file at from into a new file at to through a SafeFileWriter;
// false with problem set when either side failed.
bool CopyWholeFile(const char* from, const char* to, FileProblem& problem);

// "path.N.suffix" for the smallest N from 1 that names no file, so that a
// file kept there is never written over by a later one; false when none fits.
bool BuildKeepPath(char (&out)[kPathBufferSize], const char* path, const char* suffix);

// True when both paths name one existing file, however each is spelled
// (relative parts, case, short names, links), or name the same place for a
// file not yet there.
bool IsSameFile(const char* a, const char* b);

// The steps of a write, each of which a test can make fail.
enum class FileStep { kCreate, kWrite, kFlush, kSync, kClose, kReplace };
constexpr int kFileSteps = 6;

struct FileFault {
  FileStep step;
  int passing;          // calls of the step that succeed before the first failure
  bool persistent;      // every later call of the step fails too
  FileProblem problem;  // what the failure looks like: kFull, kBroken, kInUse
};

// For tests: turns the fault on (null: off) and starts counting calls anew.
void SetFileFaultForTesting(const FileFault* fault);
int FileStepCallsForTesting(FileStep step);
int FileFaultsHitForTesting();

// path into out; false with kTooLong when it does not fit.
bool CopyPath(char (&out)[kPathBufferSize], const char* path, FileProblem& problem);

// The platform's part.
bool StepFails(FileStep step, FileProblem& problem);
FILE* CreateFileExclusively(const char* path, FileProblem& problem);
// The file a write of path lands in: the target of a link, path otherwise.
bool ResolveWrittenPath(const char* path, char (&out)[kPathBufferSize], FileProblem& problem);
bool FlushFileToDisk(FILE* file, FileProblem& problem);
// One attempt to put newPath in place of oldPath in a single step; kInUse
// when another program holds oldPath.
bool ReplaceFileWith(const char* newPath, const char* oldPath, FileProblem& problem);
// The complete contents of newPath written into oldPath itself, for a file
// that another program holds open; false where the platform never needs it.
// touched tells whether oldPath was changed before a failure.
bool OverwriteInPlace(const char* newPath, const char* oldPath, FileProblem& problem,
                      bool& touched);
void PauseBeforeRetry();
bool PathExists(const char* path);
