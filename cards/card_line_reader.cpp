#include "cards/card_file.h"
#include "cards/whole_line.h"

int CardLineReader::Next() {
  bool overflowed = false;
  int length = ReadWholeLine(file_, buffer_, kLineBufferSize, overflowed);
  if (overflowed) {
    // The line goes on past the buffer: its field in progress ends here, so
    // that it keeps what fits rather than nothing.
    length = kLineBufferSize;
    buffer_[length - 1] = '\t';
    buffer_[length] = '\0';
  }
  return length;
}
