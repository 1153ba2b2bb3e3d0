#include "cards/whole_line.h"

#include <string.h>

// A line being read never fills the block, so that there is always room to
// read more of it.
WholeLineReader::WholeLineReader(FILE* file, int capacity, LineEndRule rule)
    : m_pFile(file),
      m_nCapacity(capacity < kReadBlockBytes / 2 ? capacity : kReadBlockBytes / 2),
      m_rule(rule) {}

int WholeLineReader::Next() {
  if (m_nSavedAt >= 0) {
    m_achBlock[m_nSavedAt] = m_chSavedByte;
    m_nSavedAt = -1;
  }
  m_bOverflowed = false;
  if (m_chLineEnd == 0) {
    Refill();
    m_chLineEnd = LineEndOfFile();
  }
  for (;;) {
    const void* end =
        memchr(m_achBlock + m_nBegin, m_chLineEnd, static_cast<size_t>(m_nEnd - m_nBegin));
    if (end != nullptr)
      return TakeLine(static_cast<int>(static_cast<const char*>(end) - m_achBlock), true);
    if (m_nEnd - m_nBegin >= m_nCapacity + 2) return TakeLongLine();
    if (!Refill()) break;
  }
  if (m_nBegin == m_nEnd) return -1;
  return TakeLine(m_nEnd, false);
}

const char* WholeLineReader::TextEnd(int count) const {
  return m_bOverflowed ? m_achTail + kLineTailBytes - count : m_pchLine + m_nFullLength - count;
}

bool WholeLineReader::HasLineEnd() const { return m_bEnded; }

// Moves the unread bytes to the front and reads after them; false when no
// byte came.
bool WholeLineReader::Refill() {
  if (m_bAtEnd) return false;
  MoveUnreadToFront();
  return ReadMore();
}

void WholeLineReader::MoveUnreadToFront() {
  if (m_nBegin == 0) return;
  memmove(m_achBlock, m_achBlock + m_nBegin, static_cast<size_t>(m_nEnd - m_nBegin));
  m_nEnd -= m_nBegin;
  m_nBegin = 0;
}

// Fills the block after m_nEnd; false when no byte came.
bool WholeLineReader::ReadMore() {
  size_t room = static_cast<size_t>(kReadBlockBytes - m_nEnd);
  size_t n = fread(m_achBlock + m_nEnd, 1, room, m_pFile);
  m_nEnd += static_cast<int>(n);
  if (n < room) m_bAtEnd = true;
  return n > 0;
}

void LineEndCount::Take(const char* bytes, size_t count) {
  if (count == 0) return;
  if (afterCr && bytes[0] != '\n') ++loneCrs;
  const char* const stop = bytes + count;
  for (const char* p = bytes;
       (p = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(stop - p)))); ++p) {
    ++lineFeeds;
  }
  for (const char* p = bytes;
       (p = static_cast<const char*>(memchr(p, '\r', static_cast<size_t>(stop - p)))); ++p) {
    if (p + 1 < stop && p[1] != '\n') ++loneCrs;
  }
  afterCr = stop[-1] == '\r';
}

char LineEndOf(long lineFeeds, long loneCarriageReturns) {
  return loneCarriageReturns > lineFeeds ? '\r' : '\n';
}

// With kAnyLineFeed whether the file holds a line feed anywhere decides its
// line end, and the rest of a file is looked through only when its first
// block has none; with kMostCommon all of it is counted.
char WholeLineReader::LineEndOfFile() {
  if (m_rule == LineEndRule::kMostCommon) return MostCommonLineEnd();
  if (memchr(m_achBlock + m_nBegin, '\n', static_cast<size_t>(m_nEnd - m_nBegin)) != nullptr)
    return '\n';
  if (m_bAtEnd) return '\r';
  long at = ftell(m_pFile);
  if (at < 0) return '\n';  // a stream that cannot go back keeps the usual reading
  bool found = false;
  char chunk[4096];
  for (size_t n; !found && (n = fread(chunk, 1, sizeof chunk, m_pFile)) > 0;) {
    found = memchr(chunk, '\n', n) != nullptr;
  }
  if (fseek(m_pFile, at, SEEK_SET) != 0) m_bAtEnd = true;
  return found ? '\n' : '\r';
}

// The rest of the file is counted in the block itself, which is then read
// again from where it began.
char WholeLineReader::MostCommonLineEnd() {
  LineEndCount count;
  count.Take(m_achBlock + m_nBegin, static_cast<size_t>(m_nEnd - m_nBegin));
  if (m_bAtEnd) return count.End();
  long at = ftell(m_pFile);
  if (at < 0) return count.End();  // a stream that cannot go back: its first block decides
  const long start = at - m_nEnd;
  for (size_t n; (n = fread(m_achBlock, 1, kReadBlockBytes, m_pFile)) > 0;) {
    count.Take(m_achBlock, n);
  }
  m_nBegin = m_nEnd = 0;
  if (fseek(m_pFile, start, SEEK_SET) != 0 || !ReadMore()) m_bAtEnd = true;
  return count.End();
}

// The line from m_nBegin to stop, the index of its line end or of the end of
// the file.
int WholeLineReader::TakeLine(int stop, bool ended) {
  int textEnd = stop;
  if (ended && m_chLineEnd == '\n' && stop > m_nBegin && m_achBlock[stop - 1] == '\r') --textEnd;
  int length = textEnd - m_nBegin;
  if (length > m_nCapacity) return TakeLongLine();
  m_pchLine = m_achBlock + m_nBegin;
  m_nFullLength = length;
  m_bEnded = ended;
  m_nBegin = ended ? stop + 1 : stop;
  if (ended) m_pchLine[length++] = '\n';
  int nulAt = static_cast<int>(m_pchLine - m_achBlock) + length;
  if (nulAt < m_nEnd && nulAt >= m_nBegin) {
    m_nSavedAt = nulAt;
    m_chSavedByte = m_achBlock[nulAt];
  }
  m_achBlock[nulAt] = '\0';
  return length;
}

// A line longer than the capacity: its first bytes stay at the front of the
// block while the rest is read through behind them.
int WholeLineReader::TakeLongLine() {
  m_bOverflowed = true;
  MoveUnreadToFront();
  m_pchLine = m_achBlock;
  m_nFullLength = 0;
  m_bEnded = false;
  const int readFrom = m_nCapacity + 2;
  int from = 0;
  for (;;) {
    const void* found = memchr(m_achBlock + from, m_chLineEnd, static_cast<size_t>(m_nEnd - from));
    int stop = found ? static_cast<int>(static_cast<const char*>(found) - m_achBlock) : m_nEnd;
    // A CR that ends the bytes at hand may be the first half of a CR LF.
    bool crBeforeEnd = m_chLineEnd == '\n' && stop > from && m_achBlock[stop - 1] == '\r' &&
                       (found != nullptr || !m_bAtEnd);
    int textEnd = crBeforeEnd ? stop - 1 : stop;
    KeepTail(m_achBlock + from, textEnd - from);
    m_nFullLength += textEnd - from;
    if (found != nullptr) {
      m_bEnded = true;
      m_nBegin = stop + 1;
      break;
    }
    if (m_bAtEnd) {
      m_nBegin = m_nEnd;
      break;
    }
    from = readFrom;
    m_nEnd = readFrom;
    if (crBeforeEnd) m_achBlock[m_nEnd++] = '\r';
    ReadMore();
  }
  int length = m_nCapacity;
  if (m_bEnded) m_achBlock[length++] = '\n';
  m_achBlock[length] = '\0';
  return length;
}

void WholeLineReader::KeepTail(const char* bytes, int count) {
  if (count >= kLineTailBytes) {
    memcpy(m_achTail, bytes + count - kLineTailBytes, kLineTailBytes);
    return;
  }
  memmove(m_achTail, m_achTail + count, static_cast<size_t>(kLineTailBytes - count));
  memcpy(m_achTail + kLineTailBytes - count, bytes, static_cast<size_t>(count));
}
