#include "cards/safe_file.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <atomic>

namespace {

long g_failAfterBytes = -1;

bool BudgetAllows(size_t length) {
  if (g_failAfterBytes < 0) return true;
  if (static_cast<unsigned long>(g_failAfterBytes) < length) {
    g_failAfterBytes = 0;
    return false;
  }
  g_failAfterBytes -= static_cast<long>(length);
  return true;
}

// Untouched unless a test sets a fault: the host and the panel thread write
// at the same time.
bool g_testing = false;
bool g_faultOn = false;
FileFault g_fault;
int g_calls[kFileSteps];
int g_hits = 0;

// A file held by another program (a backup tool, a virus scanner, the host's
// search) is let go within moments.
constexpr int kReplaceTries = 20;

}  // namespace

const char* FileProblemText(FileProblem problem) {
  switch (problem) {
    case FileProblem::kNone:
      return "";
    case FileProblem::kMissing:
      return "ファイルまたはフォルダーがありません";
    case FileProblem::kDenied:
      return "アクセスが拒否されました";
    case FileProblem::kFull:
      return "ディスクに空きがありません";
    case FileProblem::kInUse:
      return "他のプログラムが使用しています";
    case FileProblem::kNotAFile:
      return "通常のファイルではありません";
    case FileProblem::kLinkLoop:
      return "リンクが循環しています";
    case FileProblem::kDanglingLink:
      return "リンク先のファイルがありません";
    case FileProblem::kTooLong:
      return "パスが長すぎます";
    case FileProblem::kBroken:
      return "読み書きのエラーが起きました";
  }
  return "";
}

FileProblem ProblemFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return FileProblem::kMissing;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileProblem::kDenied;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return FileProblem::kFull;
    case EBUSY:
      return FileProblem::kInUse;
    case EISDIR:
      return FileProblem::kNotAFile;
#ifdef ELOOP
    case ELOOP:
      return FileProblem::kLinkLoop;
#endif
    case ENAMETOOLONG:
      return FileProblem::kTooLong;
    default:
      return FileProblem::kBroken;
  }
}

void SetFileFaultForTesting(const FileFault* fault) {
  g_testing = true;
  g_faultOn = fault != nullptr;
  if (fault != nullptr) g_fault = *fault;
  memset(g_calls, 0, sizeof g_calls);
  g_hits = 0;
}

int FileStepCallsForTesting(FileStep step) { return g_calls[static_cast<int>(step)]; }

int FileFaultsHitForTesting() { return g_hits; }

bool StepFails(FileStep step, FileProblem& problem) {
  if (!g_testing) return false;
  int call = g_calls[static_cast<int>(step)]++;
  if (!g_faultOn || g_fault.step != step || call < g_fault.passing) return false;
  if (call > g_fault.passing && !g_fault.persistent) return false;
  ++g_hits;
  problem = g_fault.problem;
  return true;
}

void SafeFileWriter::FailAfterBytesForTesting(long bytes) { g_failAfterBytes = bytes; }

namespace {

// An errno that says what a problem says, for a failure that gave none of
// its own (a test's, or one found without a system call).
int ErrnoFor(FileProblem problem) {
  switch (problem) {
    case FileProblem::kNone:
      return 0;
    case FileProblem::kMissing:
    case FileProblem::kDanglingLink:
      return ENOENT;
    case FileProblem::kDenied:
      return EACCES;
    case FileProblem::kFull:
      return ENOSPC;
    case FileProblem::kInUse:
      return EBUSY;
    case FileProblem::kNotAFile:
      return EISDIR;
    case FileProblem::kTooLong:
      return ENAMETOOLONG;
    case FileProblem::kLinkLoop:
    case FileProblem::kBroken:
      return EIO;
  }
  return EIO;
}

// Each writer's temporary names are its own: the process, then a number
// that no other writer of the process has taken.
std::atomic<unsigned> g_nextTempNumber{1};

// Names tried before the writer gives up: only files left by crashes, or
// the user's own, stand in the way.
constexpr int kNameTries = 100;

bool Fits(int written, size_t size) { return written >= 0 && static_cast<size_t>(written) < size; }

}  // namespace

SafeFileWriter::SafeFileWriter(const char* path, const char* keepSuffix)
    : m_pszKeepSuffix(keepSuffix) {
  m_szPath[0] = m_szTempPath[0] = m_szKeptPath[0] = '\0';
  if (path == nullptr || path[0] == '\0') {
    Fail(FileProblem::kMissing);
    return;
  }
  FileProblem problem = FileProblem::kNone;
  if (!ResolveWrittenPath(path, m_szPath, problem)) {
    Fail(problem, errno);
    return;
  }
  if (StepFails(FileStep::kCreate, problem)) {
    Fail(problem);
    return;
  }
  bool taken = true;
  int error = 0;
  for (int attempt = 0; attempt < kNameTries && taken; ++attempt) {
    unsigned number = g_nextTempNumber++;
    if (!Fits(snprintf(m_szTempPath, sizeof m_szTempPath, "%s.qb%lu-%u.tmp", m_szPath,
                       CurrentProcessNumber(), number),
              sizeof m_szTempPath)) {
      problem = FileProblem::kTooLong;
      taken = false;
      break;
    }
    // A name in use is another writer's, or left by a crash, or the
    // user's: never this writer's to remove.
    m_pFile = CreateFileExclusively(m_szTempPath, problem, taken);
    error = errno;
  }
  if (m_pFile == nullptr) {
    m_szTempPath[0] = '\0';
    if (taken) {
      Fail(FileProblem::kInUse);
    } else {
      Fail(problem, problem == FileProblem::kTooLong ? 0 : error);
    }
  }
}

SafeFileWriter::~SafeFileWriter() { Discard(); }

void SafeFileWriter::Fail(FileProblem problem, int error) {
  if (m_problem == FileProblem::kNone) {
    m_problem = problem;
    m_nError = error != 0 ? error : ErrnoFor(problem);
  }
  errno = m_nError;
}

void SafeFileWriter::Write(const char* bytes, size_t length) {
  if (m_pFile == nullptr || m_problem != FileProblem::kNone || length == 0) return;
  FileProblem problem = FileProblem::kNone;
  if (!BudgetAllows(length) || StepFails(FileStep::kWrite, problem)) {
    // Let part of the text reach the file, as a disk that fills up would.
    fwrite(bytes, 1, length / 2, m_pFile);
    Fail(problem == FileProblem::kNone ? FileProblem::kFull : problem);
    return;
  }
  if (fwrite(bytes, 1, length, m_pFile) != length) Fail(ProblemFromErrno(errno), errno);
}

void SafeFileWriter::WriteLine(const char* text) {
  Write(text, strlen(text));
  Write("\r\n", 2);
}

bool SafeFileWriter::Commit() {
  if (m_pFile == nullptr) return false;
  FileProblem problem = FileProblem::kNone;
  if (m_problem == FileProblem::kNone) {
    if (StepFails(FileStep::kFlush, problem)) {
      Fail(problem);
    } else if (fflush(m_pFile) != 0 || ferror(m_pFile)) {
      Fail(ProblemFromErrno(errno), errno);
    } else if (StepFails(FileStep::kSync, problem)) {
      Fail(problem);
    } else if (!FlushFileToDisk(m_pFile, problem)) {
      Fail(problem, errno);
    }
  }
  bool closeFailed = StepFails(FileStep::kClose, problem);
  int error = 0;
  if (fclose(m_pFile) != 0 && !closeFailed) {
    closeFailed = true;
    error = errno;
    problem = ProblemFromErrno(error);
  }
  m_pFile = nullptr;
  if (closeFailed) Fail(problem, error);
  if (m_problem == FileProblem::kNone && Place()) return true;
  if (m_szKeptPath[0] == '\0') remove(m_szTempPath);
  errno = m_nError;
  return false;
}

// Gives the complete new file its name; false with the problem remembered.
bool SafeFileWriter::Place() {
  FileProblem problem = FileProblem::kNone;
  if (m_pszKeepSuffix != nullptr) {
    // Beside the file, never over an earlier copy.
    if (StepFails(FileStep::kReplace, problem)) {
      Fail(problem);
      return false;
    }
    if (KeepAside()) return true;
    m_szKeptPath[0] = '\0';
    return false;
  }
  int error = 0;
  for (int attempt = 0; attempt < kReplaceTries; ++attempt) {
    problem = FileProblem::kNone;
    error = 0;
    if (!StepFails(FileStep::kReplace, problem)) {
      if (ReplaceFileWith(m_szTempPath, m_szPath, problem)) return true;
      error = errno;
    }
    if (problem != FileProblem::kInUse) break;
    PauseBeforeRetry();
  }
  if (problem != FileProblem::kInUse) {
    Fail(problem, error);
    return false;
  }
  // Still held: the old file takes the new contents where it is.
  bool touched = false;
  if (!StepFails(FileStep::kReplace, problem) &&
      OverwriteInPlace(m_szTempPath, m_szPath, problem, touched)) {
    remove(m_szTempPath);
    return true;
  }
  Fail(problem);
  // The old file holds part of the new contents: the whole of them stays
  // under a name that no later write takes, which the user is told.
  if (touched && !KeepAside()) CopyPath(m_szKeptPath, m_szTempPath, problem);
  return false;
}

// Renames the new file to "path.N.suffix", N one more than the highest
// there (or the next that no other writer took meanwhile); false with
// m_szKeptPath empty when it could not.
bool SafeFileWriter::KeepAside() {
  const char* suffix = m_pszKeepSuffix != nullptr ? m_pszKeepSuffix : "unsaved";
  FileProblem problem = FileProblem::kNone;
  int error = 0;
  long n = HighestKeptNumber(m_szPath, suffix);
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    if (!Fits(snprintf(m_szKeptPath, sizeof m_szKeptPath, "%s.%ld.%s", m_szPath, ++n, suffix),
              sizeof m_szKeptPath)) {
      problem = FileProblem::kTooLong;
      error = 0;
      break;
    }
    bool taken = false;
    if (RenameToFreeName(m_szTempPath, m_szKeptPath, problem, taken)) return true;
    error = errno;
    if (!taken) break;
  }
  m_szKeptPath[0] = '\0';
  Fail(problem, error);
  return false;
}

void SafeFileWriter::Discard() {
  if (m_pFile == nullptr) return;
  fclose(m_pFile);
  m_pFile = nullptr;
  remove(m_szTempPath);
}

namespace {

bool CopyInto(const char* from, SafeFileWriter& out, FileProblem& problem) {
  FILE* in = OpenFileForReading(from, problem);
  if (in == nullptr) return false;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, in)) > 0) out.Write(chunk, n);
  bool read = !ferror(in);
  fclose(in);
  if (!read) {
    problem = FileProblem::kBroken;
    return false;
  }
  if (out.Commit()) return true;
  problem = out.Problem();
  return false;
}

}  // namespace

bool CopyWholeFile(const char* from, const char* to, FileProblem& problem) {
  SafeFileWriter out(to);
  return CopyInto(from, out, problem);
}

bool KeepCopyOf(const char* path, const char* suffix, char (&kept)[kPathBufferSize],
                FileProblem& problem) {
  kept[0] = '\0';
  SafeFileWriter out(path, suffix);
  if (!CopyInto(path, out, problem)) return false;
  return CopyPath(kept, out.KeptPath(), problem);
}

bool CopyPath(char (&out)[kPathBufferSize], const char* path, FileProblem& problem) {
  int n = snprintf(out, sizeof out, "%s", path);
  if (n >= 0 && static_cast<size_t>(n) < sizeof out) return true;
  out[0] = '\0';
  problem = FileProblem::kTooLong;
  return false;
}
