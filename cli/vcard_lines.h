// The logical lines of a vCard file: folded lines joined (a line end
// followed by a blank or tab), and quoted-printable soft line breaks of
// vCard 2.1 (a line ending in "=") joined with the next line.
#pragma once

#include <stdio.h>

#include <cstddef>

class VcardLines {
 public:
  explicit VcardLines(FILE* file) : file_(file) {}
  // Reads the next logical line into Text(); false at the end of the file.
  // A longer line than the buffer keeps its beginning (only pictures and
  // sounds are ever that long).
  bool Next();
  char* Text() { return text_; }
  size_t Length() const { return length_; }
  // The file's line on which the logical line began, from 1.
  long LineNumber() const { return startLine_; }

 private:
  int Get();
  bool IsQuotedPrintable() const;

  FILE* file_;
  int peeked_ = EOF - 1;
  long line_ = 1;
  long startLine_ = 1;
  size_t length_ = 0;
  char text_[16384];
};
