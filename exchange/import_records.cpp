#include "exchange/import_records.h"

#include <string.h>

#include "text/text_helpers.h"

namespace {

// Where the columns of a comma record stand at its end: inside a quoted
// cell (kOpen), with every cell closed (kClosed), or past a quote that no
// cell's rule explains (kStray), which the record's reading takes as it
// always has rather than read on.
enum class CellState { kClosed, kOpen, kStray };

// Walks the columns of a record as it grows a line at a time: each call
// goes on from where the last stopped, so that every byte is looked at
// once. text[length] must be readable, and the text ends where a line did.
class CellScan {
 public:
  CellState Scan(const char* text, int length) {
    while (m_nAt < length) {
      if (!m_bQuoted) {
        if (text[m_nAt] == '"') {
          m_bQuoted = true;
          ++m_nAt;
          continue;
        }
        int d = FindSeparator(text + m_nAt, length - m_nAt, ',');
        if (d < 0) {
          m_nAt = length;
          return CellState::kClosed;
        }
        m_nAt += d + 1;
        continue;
      }
      // No second byte of a code page 932 character is a quote, a comma
      // or a control byte.
      const unsigned char byte = static_cast<unsigned char>(text[m_nAt]);
      if (byte < 0x20) return CellState::kStray;
      if (byte != '"') {
        ++m_nAt;
        continue;
      }
      if (m_nAt + 1 == length) {
        m_nAt = length;
        m_bQuoted = false;
        return CellState::kClosed;
      }
      const char next = text[m_nAt + 1];
      if (next != '"' && next != ',') return CellState::kStray;
      m_bQuoted = next == '"';
      m_nAt += 2;
    }
    return m_bQuoted ? CellState::kOpen : CellState::kClosed;
  }

 private:
  int m_nAt = 0;
  bool m_bQuoted = false;
};

}  // namespace

ImportRecords::ImportRecords(WholeLineReader& lines, bool comma, char* record, char* ahead)
    : m_lines(lines), m_bComma(comma), m_pchRecord(record), m_pchAhead(ahead) {}

bool ImportRecords::FromFile(Line& line) {
  int n = m_lines.Next();
  if (n < 0) return false;
  line.text = m_lines.Text();
  line.ended = m_lines.HasLineEnd();
  line.length = line.ended ? n - 1 : n;
  line.number = ++m_nLinesRead;
  line.overflowed = m_lines.Overflowed();
  return true;
}

bool ImportRecords::SkipLine() {
  Line line;
  return FromFile(line);
}

ImportRecords::Line ImportRecords::Ahead(int index) const {
  const AheadLine& ahead = m_ahead[index];
  return {m_pchAhead + ahead.offset, ahead.length, ahead.number, ahead.ended, ahead.overflowed};
}

bool ImportRecords::Peek(Line& line) {
  if (m_nPeeked < m_nAheadCount) {
    line = Ahead(m_nPeeked++);
    return true;
  }
  if (!FromFile(line)) return false;
  // The lines read ahead stand together from the first that is left.
  auto end = [this] {
    const AheadLine& last = m_ahead[m_nAheadCount - 1];
    return last.offset + last.length + 1;
  };
  if (m_nFirst == m_nAheadCount) {
    m_nFirst = m_nAheadCount = m_nPeeked = 0;
  } else if (m_nAheadCount == kMaxCellLines + 1 || end() + line.length + 1 > kAheadBytes) {
    const int base = m_ahead[m_nFirst].offset;
    memmove(m_pchAhead, m_pchAhead + base, static_cast<size_t>(end() - base));
    for (int i = m_nFirst; i < m_nAheadCount; ++i) {
      m_ahead[i - m_nFirst] = m_ahead[i];
      m_ahead[i - m_nFirst].offset -= base;
    }
    m_nAheadCount -= m_nFirst;
    m_nPeeked -= m_nFirst;
    m_nFirst = 0;
  }
  const int offset = m_nAheadCount == 0 ? 0 : end();
  memcpy(m_pchAhead + offset, line.text, static_cast<size_t>(line.length));
  m_pchAhead[offset + line.length] = '\0';
  m_ahead[m_nAheadCount++] = {offset, line.length, line.number, line.ended, line.overflowed};
  line.text = m_pchAhead + offset;
  ++m_nPeeked;
  return true;
}

int ImportRecords::Finish(int length, bool ended) {
  if (ended) m_pchRecord[length++] = '\n';
  m_pchRecord[length] = '\0';
  m_pchText = m_pchRecord;
  return length;
}

int ImportRecords::Next() {
  Line first;
  const bool readAhead = m_nFirst < m_nAheadCount;
  if (readAhead) {
    first = Ahead(m_nFirst++);
  } else {
    m_nFirst = m_nAheadCount = 0;
    if (!FromFile(first)) return -1;
  }
  m_nPeeked = m_nFirst;
  m_nLineNumber = first.number;
  m_bOverflowed = first.overflowed;
  CellScan scan;
  // Most lines hold no quote at all, and are not walked twice.
  const bool opensCell = m_bComma && !first.overflowed && first.ended &&
                         memchr(first.text, '"', static_cast<size_t>(first.length)) != nullptr &&
                         scan.Scan(first.text, first.length) == CellState::kOpen;
  if (!readAhead && !opensCell) {
    // The reader's own buffer, as it stands.
    m_pchText = m_lines.Text();
    return first.length + (first.ended ? 1 : 0);
  }
  memcpy(m_pchRecord, first.text, static_cast<size_t>(first.length));
  int length = first.length;
  if (opensCell) {
    Line next;
    for (int lines = 1; lines < kMaxCellLines && Peek(next); ++lines) {
      if (next.overflowed || length + 1 + next.length > kRecordBytes) break;
      m_pchRecord[length++] = ' ';
      memcpy(m_pchRecord + length, next.text, static_cast<size_t>(next.length));
      length += next.length;
      m_pchRecord[length] = '\0';
      CellState state = scan.Scan(m_pchRecord, length);
      if (state == CellState::kStray) break;
      if (state == CellState::kClosed) {
        m_nFirst = m_nPeeked;
        return Finish(length, next.ended);
      }
      if (!next.ended) break;
    }
    // No line closes the cell: the line is read alone, and the lines
    // looked at are read again after it.
    m_nPeeked = m_nFirst;
    length = first.length;
  }
  return Finish(length, first.ended);
}
