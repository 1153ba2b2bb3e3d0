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
  kDanglingLink,
  kTooLong,
  kBroken,
};
const char* FileProblemText(FileProblem problem);
FileProblem ProblemFromErrno(int error);

// Opens path for reading in binary mode when it is a plain file: a folder, a
// pipe or a device is refused at once rather than read or waited on. Other
// programs may replace or delete the file while it is open. On failure
// returns null and sets problem: kMissing when nothing is there, and
// kDanglingLink for a link to nothing, which is not an empty book.
FILE* OpenFileForReading(const char* path, FileProblem& problem);

class SafeFileWriter {
 public:
  // Writes path anew; with keepSuffix, writes a new file beside path
  // instead, "path.N.keepSuffix" for one more than the highest N there, and
  // never over a file of that name.
  explicit SafeFileWriter(const char* path, const char* keepSuffix = nullptr);
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  bool IsOpen() const { return m_pFile != nullptr; }
  // Remembers a failure; later writes do nothing and Commit fails.
  void Write(const char* bytes, size_t length);
  void WriteLine(const char* text);  // text, then CR LF
  // Puts the new file in place; false if anything went wrong, and then the
  // old file is untouched, or, when it had to be written in place and that
  // could not be finished, the complete new file is kept at KeptPath().
  bool Commit();
  // What went wrong, kNone while nothing did.
  FileProblem Problem() const { return m_problem; }
  // Where the new contents were kept: the new file of a keepSuffix writer
  // once committed, or the whole new file of a write in place that failed;
  // empty otherwise. No later write removes or overwrites it.
  const char* KeptPath() const { return m_szKeptPath; }

  // For tests: every writer fails as a full disk once this many more bytes
  // have been written in total; a negative value turns the failure off.
  static void FailAfterBytesForTesting(long bytes);

 private:
  // Remembers the first failure; error is the system's errno for it, 0
  // when it gave none.
  void Fail(FileProblem problem, int error = 0);
  bool Place();
  bool KeepAside();
  void Discard();

  FILE* m_pFile = nullptr;
  FileProblem m_problem = FileProblem::kNone;
  int m_nError = 0;
  const char* m_pszKeepSuffix;
  char m_szPath[kPathBufferSize];
  // A name of this writer's own, which no other writer and no file of the
  // user's holds: created exclusively, and removed by this writer alone.
  char m_szTempPath[kPathBufferSize];
  char m_szKeptPath[kPathBufferSize];
};

// Copies the file at from into a new file at to through a SafeFileWriter;
// false with problem set when either side failed.
bool CopyWholeFile(const char* from, const char* to, FileProblem& problem);

// Copies the file at path into a new "path.N.suffix" beside it (kept gets
// its name); false with problem set when either side failed.
bool KeepCopyOf(const char* path, const char* suffix, char (&kept)[kPathBufferSize],
                FileProblem& problem);

// True when both paths name one file, however each is spelled (relative
// parts, case, short names, links, linked folders), or name the place that
// a write of either would land in (a link to a file not yet there
// included).
bool IsSameFile(const char* a, const char* b);

// The steps of a write, each of which a test can make fail.
// kWriteInPlace is one write of the old file's own bytes when another
// program holds it; its failure takes half the bytes and gives no reason,
// as a full disk's short write does.
enum class FileStep { kCreate, kWrite, kFlush, kSync, kClose, kReplace, kWriteInPlace };
constexpr int kFileSteps = 7;

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
// Creates path only when nothing has that name, never following a link
// planted there; taken tells that the name was in use.
FILE* CreateFileExclusively(const char* path, FileProblem& problem, bool& taken);
// The file a write of path lands in: the target of a link (followed even to
// a file not yet there), path otherwise.
bool ResolveWrittenPath(const char* path, char (&out)[kPathBufferSize], FileProblem& problem);
bool FlushFileToDisk(FILE* file, FileProblem& problem);
// One attempt to put newPath in place of oldPath in a single step; kInUse
// when another program holds oldPath.
bool ReplaceFileWith(const char* newPath, const char* oldPath, FileProblem& problem);
// Gives newPath the name path only when no file has it; taken tells that
// one had.
bool RenameToFreeName(const char* newPath, const char* path, FileProblem& problem, bool& taken);
// The highest N of the files "path.N.suffix" beside path, 0 when none; a
// name with a number past kHighestKeptNumber is another program's.
constexpr long kHighestKeptNumber = 1000000000L;
long HighestKeptNumber(const char* path, const char* suffix);
// The complete contents of newPath written into oldPath itself, for a file
// that another program holds open; false where the platform never needs it.
// touched tells whether oldPath was changed before a failure. A write that
// takes fewer bytes than it was given, with or without a reason, fails.
bool OverwriteInPlace(const char* newPath, const char* oldPath, FileProblem& problem,
                      bool& touched);
void PauseBeforeRetry();
bool PathExists(const char* path);
// Tells one writer's temporary names from another's.
unsigned long CurrentProcessNumber();
