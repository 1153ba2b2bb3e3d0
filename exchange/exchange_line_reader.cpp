#include "exchange/exchange_line_reader.h"

int ExchangeLineReader::Next() {
  overflowed_ = false;
  int c = getc(file_);
  if (c == EOF) return -1;
  int length = 0;
  auto keep = [&](int byte) {
    if (length < kLineBufferSize) {
      buffer_[length++] = static_cast<char>(byte);
    } else {
      overflowed_ = true;
    }
  };
  bool pendingCr = false;
  bool ended = false;
  for (; c != EOF; c = getc(file_)) {
    if (c == '\n') {
      ended = true;
      break;
    }
    if (pendingCr) keep('\r');
    pendingCr = c == '\r';
    if (!pendingCr) keep(c);
  }
  if (pendingCr && !ended) keep('\r');
  // The line feed always has its place, so a cut line still ends as a line.
  if (ended) buffer_[length++] = '\n';
  buffer_[length] = '\0';
  return length;
}

bool IsEmptyLine(const char* line, int length) {
  for (int i = 0; i < length; ++i) {
    if (line[i] != '\n' && line[i] != '\r') return false;
  }
  return true;
}
