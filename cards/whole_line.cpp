#include "cards/whole_line.h"

#include <string.h>

// A line being read never fills the block, so that there is always room to
// read more of it.
WholeLineReader::WholeLineReader(FILE* file, int capacity)
    : file_(file), capacity_(capacity < kReadBlockBytes / 2 ? capacity : kReadBlockBytes / 2) {}

int WholeLineReader::Next() {
  if (savedAt_ >= 0) {
    block_[savedAt_] = savedByte_;
    savedAt_ = -1;
  }
  overflowed_ = false;
  if (lineEnd_ == 0) {
    Refill();
    lineEnd_ = LineEndOfFile();
  }
  for (;;) {
    const void* end = memchr(block_ + begin_, lineEnd_, static_cast<size_t>(end_ - begin_));
    if (end != nullptr)
      return TakeLine(static_cast<int>(static_cast<const char*>(end) - block_), true);
    if (end_ - begin_ >= capacity_ + 2) return TakeLongLine();
    if (!Refill()) break;
  }
  if (begin_ == end_) return -1;
  return TakeLine(end_, false);
}

const char* WholeLineReader::TextEnd(int count) const {
  return overflowed_ ? tail_ + kLineTailBytes - count : line_ + fullLength_ - count;
}

bool WholeLineReader::HasLineEnd() const { return ended_; }

// Moves the unread bytes to the front and reads after them; false when no
// byte came.
bool WholeLineReader::Refill() {
  if (atEnd_) return false;
  MoveUnreadToFront();
  return ReadMore();
}

void WholeLineReader::MoveUnreadToFront() {
  if (begin_ == 0) return;
  memmove(block_, block_ + begin_, static_cast<size_t>(end_ - begin_));
  end_ -= begin_;
  begin_ = 0;
}

// Fills the block after end_; false when no byte came.
bool WholeLineReader::ReadMore() {
  size_t room = static_cast<size_t>(kReadBlockBytes - end_);
  size_t n = fread(block_ + end_, 1, room, file_);
  end_ += static_cast<int>(n);
  if (n < room) atEnd_ = true;
  return n > 0;
}

// Whether the file holds a line feed anywhere decides its line end; the
// rest of a file is looked through only when its first block has none.
char WholeLineReader::LineEndOfFile() {
  if (memchr(block_ + begin_, '\n', static_cast<size_t>(end_ - begin_)) != nullptr) return '\n';
  if (atEnd_) return '\r';
  long at = ftell(file_);
  if (at < 0) return '\n';  // a stream that cannot go back keeps the usual reading
  bool found = false;
  char chunk[4096];
  for (size_t n; !found && (n = fread(chunk, 1, sizeof chunk, file_)) > 0;) {
    found = memchr(chunk, '\n', n) != nullptr;
  }
  if (fseek(file_, at, SEEK_SET) != 0) atEnd_ = true;
  return found ? '\n' : '\r';
}

// The line from begin_ to stop, the index of its line end or of the end of
// the file.
int WholeLineReader::TakeLine(int stop, bool ended) {
  int textEnd = stop;
  if (ended && lineEnd_ == '\n' && stop > begin_ && block_[stop - 1] == '\r') --textEnd;
  int length = textEnd - begin_;
  if (length > capacity_) return TakeLongLine();
  line_ = block_ + begin_;
  fullLength_ = length;
  ended_ = ended;
  begin_ = ended ? stop + 1 : stop;
  if (ended) line_[length++] = '\n';
  int nulAt = static_cast<int>(line_ - block_) + length;
  if (nulAt < end_ && nulAt >= begin_) {
    savedAt_ = nulAt;
    savedByte_ = block_[nulAt];
  }
  block_[nulAt] = '\0';
  return length;
}

// A line longer than the capacity: its first bytes stay at the front of the
// block while the rest is read through behind them.
int WholeLineReader::TakeLongLine() {
  overflowed_ = true;
  MoveUnreadToFront();
  line_ = block_;
  fullLength_ = 0;
  ended_ = false;
  const int readFrom = capacity_ + 2;
  int from = 0;
  for (;;) {
    const void* found = memchr(block_ + from, lineEnd_, static_cast<size_t>(end_ - from));
    int stop = found ? static_cast<int>(static_cast<const char*>(found) - block_) : end_;
    // A CR that ends the bytes at hand may be the first half of a CR LF.
    bool crBeforeEnd = lineEnd_ == '\n' && stop > from && block_[stop - 1] == '\r' &&
                       (found != nullptr || !atEnd_);
    int textEnd = crBeforeEnd ? stop - 1 : stop;
    KeepTail(block_ + from, textEnd - from);
    fullLength_ += textEnd - from;
    if (found != nullptr) {
      ended_ = true;
      begin_ = stop + 1;
      break;
    }
    if (atEnd_) {
      begin_ = end_;
      break;
    }
    from = readFrom;
    end_ = readFrom;
    if (crBeforeEnd) block_[end_++] = '\r';
    ReadMore();
  }
  int length = capacity_;
  if (ended_) block_[length++] = '\n';
  block_[length] = '\0';
  return length;
}

void WholeLineReader::KeepTail(const char* bytes, int count) {
  if (count >= kLineTailBytes) {
    memcpy(tail_, bytes + count - kLineTailBytes, kLineTailBytes);
    return;
  }
  memmove(tail_, tail_ + count, static_cast<size_t>(kLineTailBytes - count));
  memcpy(tail_ + kLineTailBytes - count, bytes, static_cast<size_t>(count));
}
