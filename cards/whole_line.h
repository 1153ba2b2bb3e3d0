// Lines of a text file however long they are, taken from the file in large
// blocks, so that the card file, the group file, the search and the
// exchange split lines the same way and at the speed of the bytes.
#pragma once

#include <stddef.h>
#include <stdio.h>

// Bytes taken from the file at a time.
constexpr int kReadBlockBytes = 65536;

// Bytes at the end of every line that stay at hand however long it is.
constexpr int kLineTailBytes = 64;

// How a file's line end is found. The book's own files have always been
// read with line feeds wherever one stands; a file from another program is
// decided on all of it, so that one stray line feed in a file of CRs (old
// Macintosh text) does not make it one line.
enum class LineEndRule { kAnyLineFeed, kMostCommon };

// '\n', or '\r' when the CRs without a line feed after them outnumber the
// line feeds.
char LineEndOf(long lineFeeds, long loneCarriageReturns);

// Counts the line feeds and the CRs without one after them, block by block,
// at the speed of memchr, for LineEndOf.
struct LineEndCount {
  long lineFeeds = 0;
  long loneCrs = 0;
  bool afterCr = false;  // the last block ended in a CR
  void Take(const char* bytes, size_t count);
  char End() const { return LineEndOf(lineFeeds, loneCrs + (afterCr ? 1 : 0)); }
};

class WholeLineReader {
 public:
  // Text() keeps at most capacity bytes of a line (at most half a block).
  WholeLineReader(FILE* file, int capacity, LineEndRule rule = LineEndRule::kAnyLineFeed);
  WholeLineReader(const WholeLineReader&) = delete;
  WholeLineReader& operator=(const WholeLineReader&) = delete;

  // Reads the next line: Text() holds at most capacity bytes of it, then a
  // line feed when it has a line end (CR LF counts as one), then a NUL.
  // Returns the length in Text(), or -1 at the end of the file. With
  // kAnyLineFeed a file that holds no line feed at all but holds CRs has CR
  // line ends; with kMostCommon a file whose CRs without a line feed after
  // them outnumber its line feeds. In any other file a CR not before a line
  // feed is text.
  int Next();
  // Writable, until the next call.
  char* Text() { return m_pchLine; }
  // Whether the line lost bytes past the capacity.
  bool Overflowed() const { return m_bOverflowed; }
  // Whether the line ended in a line end rather than the end of the file.
  bool HasLineEnd() const;
  // The length of the whole line, its line end not included.
  long long FullLength() const { return m_nFullLength; }
  // The last count bytes of the whole line, its line end not included;
  // count is at most kLineTailBytes and FullLength().
  const char* TextEnd(int count) const;

 private:
  bool Refill();
  void MoveUnreadToFront();
  bool ReadMore();
  char LineEndOfFile();
  char MostCommonLineEnd();
  int TakeLine(int textEnd, bool ended);
  int TakeLongLine();
  void KeepTail(const char* bytes, int count);

  FILE* m_pFile;
  int m_nCapacity;
  LineEndRule m_rule;
  char m_chLineEnd = 0;  // decided at the first read
  bool m_bAtEnd = false;
  int m_nBegin = 0;  // unread bytes are m_achBlock[m_nBegin, m_nEnd)
  int m_nEnd = 0;
  // The NUL after a line stands on the first byte of the next one until
  // the next call.
  int m_nSavedAt = -1;
  char m_chSavedByte = 0;
  char* m_pchLine = m_achBlock;
  bool m_bOverflowed = false;
  bool m_bEnded = false;
  long long m_nFullLength = 0;
  char m_achTail[kLineTailBytes] = {};
  char m_achBlock[kReadBlockBytes + 2];
};
