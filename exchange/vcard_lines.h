// The logical lines of a vCard file: folded lines joined (a line end
// followed by a blank or a tab), and the soft line breaks of vCard 2.1's
// quoted-printable values (a line ending in "=") joined with the next line,
// but never with a line that begins or ends a vCard, so that a value cut
// short cannot take the next card with it. Every byte of the file is looked
// at a fixed number of times, however the lines are folded or cut.
#pragma once

#include <stddef.h>
#include <stdio.h>

// Longer logical lines keep their beginning: only pictures and sounds are
// ever that long, and no card field is.
constexpr size_t kVcardLineBytes = 16384;

// Whether text (a logical line) is the line word ("BEGIN:VCARD"), its case
// and trailing blanks aside.
bool IsVcardLine(const char* text, size_t length, const char* word);

class VcardLines {
 public:
  VcardLines() = default;
  VcardLines(const VcardLines&) = delete;
  VcardLines& operator=(const VcardLines&) = delete;

  // Reads file from where it stands, from its first line.
  void Start(FILE* file);
  // Reads the next logical line into Text(); false at the end of the file.
  bool Next();
  // NUL-terminated and writable until the next call; a NUL byte of the file
  // ends it early (HeldNul).
  char* Text() { return m_szText; }
  size_t Length() const { return m_nLength; }
  // The file's line on which the logical line began, from 1.
  long LineNumber() const { return m_nStartLine; }
  bool HeldNul() const { return m_bNul; }
  // The bytes looked at so far, for a check that the reading stays linear.
  long long Work() const { return m_nWork; }
  bool ReadFailed() const { return ferror(m_pFile) != 0; }

 private:
  // The next physical line into m_szNext; false at the end of the file.
  bool ReadPhysical();
  bool Refill();
  void Append(const char* bytes, size_t count);
  // Looks for the colon that ends the name and parameters in the text
  // appended since the last look, and once it is found, whether the
  // parameters ask for quoted-printable.
  void LookForColon();

  FILE* m_pFile = nullptr;
  char m_achBlock[65536];
  size_t m_nBegin = 0;
  size_t m_nEnd = 0;
  bool m_bAtEnd = false;

  // The physical line read ahead.
  bool m_bHaveNext = false;
  bool m_bPrimed = false;
  char m_szNext[kVcardLineBytes];
  size_t m_nNextLength = 0;      // the bytes kept of it
  size_t m_nNextFullLength = 0;  // all of them
  char m_chNextLast = 0;         // its last byte, kept or not
  long m_nNextLine = 0;
  long m_nLinesRead = 0;

  char m_szText[kVcardLineBytes];
  size_t m_nLength = 0;
  bool m_bCut = false;
  char m_chLast = 0;  // the last byte of the logical line so far, kept or not
  long m_nStartLine = 0;
  bool m_bNul = false;
  size_t m_nLooked = 0;  // bytes of the text looked through for the colon
  bool m_bQuoted = false;
  bool m_bColonFound = false;
  bool m_bQuotedPrintable = false;
  long long m_nWork = 0;
};
