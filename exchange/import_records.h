// The records of an import file: a line each, but in a comma file a line
// whose last column is a quoted cell still open at its end goes on with the
// lines that close it, each line break a blank, as spreadsheet programs
// write a cell of several lines (a two-line address). A cell that no line
// closes within kMaxCellLines lines and the record's room leaves its line
// alone, read as it always was, and the lines after it are read again.
#pragma once

#include "cards/whole_line.h"

constexpr int kMaxCellLines = 32;
// Room for a record: a line as the import reads it, or the lines of one.
constexpr int kRecordBytes = 16384;
// Room for the lines read ahead of a cell that was not closed: at most a
// record's worth and the line that did not fit.
constexpr int kAheadBytes = 2 * kRecordBytes + 2 * kMaxCellLines;

class ImportRecords {
 public:
  // Reads lines, which keeps at most kRecordBytes bytes of a line; comma
  // says that cells may be quoted. record (kRecordBytes + 2 bytes) and
  // ahead (kAheadBytes bytes) are the caller's.
  ImportRecords(WholeLineReader& lines, bool comma, char* record, char* ahead);
  ImportRecords(const ImportRecords&) = delete;
  ImportRecords& operator=(const ImportRecords&) = delete;

  // Passes over the next line, whatever it holds; false at the end.
  bool SkipLine();
  // The next record's length, a line feed at its end when its last line
  // has a line end, or -1 at the end of the file. Text() is writable and
  // NUL-terminated until the next call.
  int Next();
  char* Text() { return m_pchText; }
  // The file's line on which the record began, from 1.
  long LineNumber() const { return m_nLineNumber; }
  // Whether the record's line lost bytes past what a line keeps.
  bool Overflowed() const { return m_bOverflowed; }

 private:
  struct Line {
    const char* text;  // without its line end
    int length;
    long number;
    bool ended;
    bool overflowed;
  };
  // The line after those taken or looked at so far: from the lines read
  // ahead, else from the file, where it joins the lines read ahead.
  bool Peek(Line& line);
  bool FromFile(Line& line);
  // The line read ahead at index, as a Line.
  Line Ahead(int index) const;
  int Finish(int length, bool ended);

  struct AheadLine {
    int offset;
    int length;
    long number;
    bool ended;
    bool overflowed;
  };
  WholeLineReader& m_lines;
  bool m_bComma;
  char* m_pchRecord;
  char* m_pchAhead;
  AheadLine m_ahead[kMaxCellLines + 1];
  int m_nFirst = 0;  // the lines read ahead are m_ahead[m_nFirst, m_nAheadCount)
  int m_nAheadCount = 0;
  int m_nPeeked = 0;  // the next of them to look at
  long m_nLinesRead = 0;
  char* m_pchText = nullptr;
  long m_nLineNumber = 0;
  bool m_bOverflowed = false;
};
