// The logical lines of a vCard file: folded lines joined (a line end
// followed by a blank or tab), and quoted-printable soft line breaks of
// vCard 2.1 (a line ending in "=") joined with the next line.
#pragma once

#include <stdio.h>

#include <cstddef>

class VcardLines {
 public:
  explicit VcardLines(FILE* file) : m_pFile(file) {}
  // Reads the next logical line into Text(); false at the end of the file.
  // A longer line than the buffer keeps its beginning (only pictures and
  // sounds are ever that long).
  bool Next();
  char* Text() { return m_szText; }
  size_t Length() const { return m_nLength; }
  // The file's line on which the logical line began, from 1.
  long LineNumber() const { return m_nStartLine; }

 private:
  int Get();
  bool IsQuotedPrintable() const;

  FILE* m_pFile;
  int m_nPeeked = EOF - 1;
  long m_nLine = 1;
  long m_nStartLine = 1;
  size_t m_nLength = 0;
  char m_szText[16384];
};
