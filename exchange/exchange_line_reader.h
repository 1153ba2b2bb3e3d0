// Lines of an import file, however long: each is one line of the file.
#pragma once

#include <stdio.h>

#include "cards/card_line.h"

class ExchangeLineReader {
 public:
  explicit ExchangeLineReader(FILE* file) : file_(file) {}
  // The next line's length, its line feed included when it has one (a CR LF
  // counts as one line feed), or -1 at the end of the file. A line longer
  // than the buffer keeps its beginning and its line feed. The line stays
  // in Text(), NUL-terminated and writable, until the next call.
  int Next();
  char* Text() { return buffer_; }
  // Whether the last line lost bytes past the buffer.
  bool Overflowed() const { return overflowed_; }

 private:
  FILE* file_;
  bool overflowed_ = false;
  char buffer_[kLineBufferSize + 2];
};

// Whether a line holds nothing but its line end.
bool IsEmptyLine(const char* line, int length);
