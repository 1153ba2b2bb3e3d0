#include "cards/safe_file.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

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

SafeFileWriter::SafeFileWriter(const char* path) {
  m_szPath[0] = m_szTempPath[0] = '\0';
  if (path == nullptr || path[0] == '\0') {
    Fail(FileProblem::kMissing);
    return;
  }
  FileProblem problem = FileProblem::kNone;
  if (!ResolveWrittenPath(path, m_szPath, problem)) {
    Fail(problem);
    return;
  }
  int m = snprintf(m_szTempPath, sizeof m_szTempPath, "%s.new", m_szPath);
  if (m < 0 || static_cast<size_t>(m) >= sizeof m_szTempPath) {
    Fail(FileProblem::kTooLong);
    return;
  }
  if (StepFails(FileStep::kCreate, problem)) {
    Fail(problem);
    return;
  }
  m_pFile = CreateFileExclusively(m_szTempPath, problem);
  if (m_pFile == nullptr) Fail(problem);
}

SafeFileWriter::~SafeFileWriter() { Discard(); }

void SafeFileWriter::Fail(FileProblem problem) {
  if (m_problem == FileProblem::kNone) m_problem = problem;
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
  if (fwrite(bytes, 1, length, m_pFile) != length) Fail(ProblemFromErrno(errno));
}

void SafeFileWriter::WriteLine(const char* text) {
  Write(text, strlen(text));
  Write("\r\n", 2);
}

bool SafeFileWriter::Commit() {
  if (m_pFile == nullptr) return false;
  FileProblem problem = FileProblem::kNone;
  if (m_problem == FileProblem::kNone) {
    if (StepFails(FileStep::kFlush, problem) || fflush(m_pFile) != 0 || ferror(m_pFile)) {
      Fail(problem == FileProblem::kNone ? ProblemFromErrno(errno) : problem);
    } else if (StepFails(FileStep::kSync, problem) || !FlushFileToDisk(m_pFile, problem)) {
      Fail(problem);
    }
  }
  bool closeFailed = StepFails(FileStep::kClose, problem);
  if (fclose(m_pFile) != 0 && !closeFailed) {
    closeFailed = true;
    problem = ProblemFromErrno(errno);
  }
  m_pFile = nullptr;
  if (closeFailed) Fail(problem);
  if (m_problem != FileProblem::kNone) {
    remove(m_szTempPath);
    return false;
  }
  for (int attempt = 0; attempt < kReplaceTries; ++attempt) {
    problem = FileProblem::kNone;
    if (!StepFails(FileStep::kReplace, problem) &&
        ReplaceFileWith(m_szTempPath, m_szPath, problem)) {
      return true;
    }
    if (problem != FileProblem::kInUse) break;
    PauseBeforeRetry();
  }
  if (problem == FileProblem::kInUse) {
    // Still held: the old file takes the new contents where it is; the new
    // file beside it stays until that is done.
    bool touched = false;
    if (!StepFails(FileStep::kReplace, problem) &&
        OverwriteInPlace(m_szTempPath, m_szPath, problem, touched)) {
      remove(m_szTempPath);
      return true;
    }
    Fail(problem);
    if (!touched) remove(m_szTempPath);
    return false;
  }
  Fail(problem);
  remove(m_szTempPath);
  return false;
}

void SafeFileWriter::Discard() {
  if (m_pFile == nullptr) return;
  fclose(m_pFile);
  m_pFile = nullptr;
  remove(m_szTempPath);
}

bool CopyWholeFile(const char* from, const char* to, FileProblem& problem) {
  FILE* in = OpenFileForReading(from, problem);
  if (in == nullptr) return false;
  SafeFileWriter out(to);
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

bool CopyPath(char (&out)[kPathBufferSize], const char* path, FileProblem& problem) {
  int n = snprintf(out, sizeof out, "%s", path);
  if (n >= 0 && static_cast<size_t>(n) < sizeof out) return true;
  out[0] = '\0';
  problem = FileProblem::kTooLong;
  return false;
}

bool BuildKeepPath(char (&out)[kPathBufferSize], const char* path, const char* suffix) {
  for (int n = 1; n < 10000; ++n) {
    int written = snprintf(out, sizeof out, "%s.%d.%s", path, n, suffix);
    if (written < 0 || static_cast<size_t>(written) >= sizeof out) break;
    if (!PathExists(out)) return true;
  }
  out[0] = '\0';
  return false;
}
