#include <stdio.h>

#include "cards/card_file.h"

int CardLineReader::Next() {
  int c = getc(file_);
  if (c == EOF) return -1;
  int length = 0;
  bool overflow = false;
  auto keep = [&](int byte) {
    if (length < kLineBufferSize) {
      buffer_[length++] = static_cast<char>(byte);
    } else {
      overflow = true;
    }
  };
  bool pendingCr = false;
  for (; c != EOF; c = getc(file_)) {
    if (c == '\n') {
      // CR LF counts as one line feed, as a text-mode stream hands it over.
      pendingCr = false;
      keep('\n');
      break;
    }
    if (pendingCr) keep('\r');
    pendingCr = c == '\r';
    if (!pendingCr) keep(c);
  }
  if (pendingCr) keep('\r');
  if (overflow) {
    // The line goes on past the buffer: its field in progress ends here, so
    // that it keeps what fits rather than nothing.
    buffer_[length - 1] = '\t';
  }
  buffer_[length] = '\0';
  return length;
}
