#include "cards/card_file.h"

int CardLineReader::Next() {
  int length = lines_.Next();
  if (lines_.Overflowed()) {
    // The line goes on past the buffer: its field in progress ends here, so
    // that it keeps what fits rather than nothing.
    length = kLineBufferSize;
    lines_.Text()[length - 1] = '\t';
    lines_.Text()[length] = '\0';
  }
  return length;
}
