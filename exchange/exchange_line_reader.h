// Lines of an import file, however long: each is one line of the file.
#pragma once

#include <stdio.h>

#include "cards/card_line.h"
#include "cards/whole_line.h"

class ExchangeLineReader {
 public:
  explicit ExchangeLineReader(FILE* file) : lines_(file, kLineBufferSize) {}
  // The next line's length, its line feed included when it has one (a CR LF
  // counts as one line feed; a file without LF ends its lines with CR), or
  // -1 at the end of the file. A line longer than the buffer keeps its
  // beginning and its line feed. The line stays in Text(), NUL-terminated
  // and writable, until the next call.
  int Next() { return lines_.Next(); }
  char* Text() { return lines_.Text(); }
  // Whether the last line lost bytes past the buffer.
  bool Overflowed() const { return lines_.Overflowed(); }

 private:
  WholeLineReader lines_;
};

// Whether a line holds nothing but its line end.
bool IsEmptyLine(const char* line, int length);
