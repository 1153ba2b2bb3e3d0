#include "cards/whole_line.h"

int ReadWholeLine(FILE* file, char* buffer, int capacity, bool& overflowed) {
  overflowed = false;
  int c = getc(file);
  if (c == EOF) return -1;
  int length = 0;
  auto keep = [&](int byte) {
    if (length < capacity) {
      buffer[length++] = static_cast<char>(byte);
    } else {
      overflowed = true;
    }
  };
  bool pendingCr = false;
  bool ended = false;
  for (; c != EOF; c = getc(file)) {
    if (c == '\n') {
      ended = true;
      break;
    }
    if (pendingCr) keep('\r');
    pendingCr = c == '\r';
    if (!pendingCr) keep(c);
  }
  if (pendingCr && !ended) keep('\r');
  if (ended) buffer[length++] = '\n';
  buffer[length] = '\0';
  return length;
}
