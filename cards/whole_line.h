// Lines of a text file however long they are, taken from the file in large
// blocks, so that the card file, the group file, the search and the
// exchange split lines the same way and at the speed of the bytes.
#pragma once

#include <stdio.h>

// Bytes taken from the file at a time.
constexpr int kReadBlockBytes = 65536;

// Bytes at the end of every line that stay at hand however long it is.
constexpr int kLineTailBytes = 64;

class WholeLineReader {
 public:
  // Text() keeps at most capacity bytes of a line (at most half a block).
  WholeLineReader(FILE* file, int capacity);
  WholeLineReader(const WholeLineReader&) = delete;
  WholeLineReader& operator=(const WholeLineReader&) = delete;

  // Reads the next line: Text() holds at most capacity bytes of it, then a
  // line feed when it has a line end (CR LF counts as one), then a NUL.
  // Returns the length in Text(), or -1 at the end of the file. A file
  // that holds no line feed at all but holds CRs has CR line ends; in any
  // other file a CR not before a line feed is text.
  int Next();
  // Writable, until the next call.
  char* Text() { return line_; }
  // Whether the line lost bytes past the capacity.
  bool Overflowed() const { return overflowed_; }
  // Whether the line ended in a line end rather than the end of the file.
  bool HasLineEnd() const;
  // The length of the whole line, its line end not included.
  long long FullLength() const { return fullLength_; }
  // The last count bytes of the whole line, its line end not included;
  // count is at most kLineTailBytes and FullLength().
  const char* TextEnd(int count) const;

 private:
  bool Refill();
  void MoveUnreadToFront();
  bool ReadMore();
  char LineEndOfFile();
  int TakeLine(int textEnd, bool ended);
  int TakeLongLine();
  void KeepTail(const char* bytes, int count);

  FILE* file_;
  int capacity_;
  char lineEnd_ = 0;  // decided at the first read
  bool atEnd_ = false;
  int begin_ = 0;  // unread bytes are block_[begin_, end_)
  int end_ = 0;
  // The NUL after a line stands on the first byte of the next one until
  // the next call.
  int savedAt_ = -1;
  char savedByte_ = 0;
  char* line_ = block_;
  bool overflowed_ = false;
  bool ended_ = false;
  long long fullLength_ = 0;
  char tail_[kLineTailBytes] = {};
  char block_[kReadBlockBytes + 2];
};
