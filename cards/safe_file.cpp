#include "cards/safe_file.h"

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

}  // namespace

void SafeFileWriter::FailAfterBytesForTesting(long bytes) { g_failAfterBytes = bytes; }

SafeFileWriter::SafeFileWriter(const char* path) {
  path_[0] = tempPath_[0] = '\0';
  if (path == nullptr || path[0] == '\0') return;
  int n = snprintf(path_, sizeof path_, "%s", path);
  int m = snprintf(tempPath_, sizeof tempPath_, "%s.new", path);
  if (n < 0 || m < 0 || static_cast<size_t>(m) >= sizeof tempPath_) return;
  file_ = fopen(tempPath_, "wb");
}

SafeFileWriter::~SafeFileWriter() { Discard(); }

void SafeFileWriter::Write(const char* bytes, size_t length) {
  if (file_ == nullptr || failed_ || length == 0) return;
  if (!BudgetAllows(length)) {
    // Let part of the text reach the file, as a disk that fills up would.
    fwrite(bytes, 1, length / 2, file_);
    failed_ = true;
    return;
  }
  if (fwrite(bytes, 1, length, file_) != length) failed_ = true;
}

void SafeFileWriter::WriteLine(const char* text) {
  Write(text, strlen(text));
  Write("\r\n", 2);
}

bool SafeFileWriter::Commit() {
  if (file_ == nullptr) return false;
  bool ok = !failed_ && fflush(file_) == 0 && !ferror(file_) && FlushFileToDisk(file_);
  ok = (fclose(file_) == 0) && ok;
  file_ = nullptr;
  if (ok) ok = ReplaceFileWith(tempPath_, path_);
  if (!ok) remove(tempPath_);
  return ok;
}

void SafeFileWriter::Discard() {
  if (file_ == nullptr) return;
  fclose(file_);
  file_ = nullptr;
  remove(tempPath_);
}
