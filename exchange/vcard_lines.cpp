#include "exchange/vcard_lines.h"

#include <string.h>

#include "exchange/text_encoding.h"

bool IsVcardLine(const char* text, size_t length, const char* word) {
  size_t n = strlen(word);
  while (length > n && (text[length - 1] == ' ' || text[length - 1] == '\t')) --length;
  return length == n && StartsIgnoringCase(text, word);
}

void VcardLines::Start(FILE* file) {
  m_pFile = file;
  m_nBegin = m_nEnd = 0;
  m_bAtEnd = false;
  m_bHaveNext = m_bPrimed = false;
  m_nLinesRead = 0;
  m_nWork = 0;
}

bool VcardLines::Refill() {
  if (m_bAtEnd) return false;
  m_nBegin = 0;
  m_nEnd = fread(m_achBlock, 1, sizeof m_achBlock, m_pFile);
  if (m_nEnd < sizeof m_achBlock) m_bAtEnd = true;
  return m_nEnd > 0;
}

bool VcardLines::ReadPhysical() {
  m_nNextLength = 0;
  m_nNextFullLength = 0;
  m_chNextLast = 0;
  bool any = false;
  for (;;) {
    if (m_nBegin == m_nEnd && !Refill()) break;
    any = true;
    const char* start = m_achBlock + m_nBegin;
    const size_t available = m_nEnd - m_nBegin;
    size_t k = 0;
    while (k < available && start[k] != '\r' && start[k] != '\n') ++k;
    m_nWork += static_cast<long long>(k) + 1;
    size_t kept = k < sizeof m_szNext - 1 - m_nNextLength ? k : sizeof m_szNext - 1 - m_nNextLength;
    memcpy(m_szNext + m_nNextLength, start, kept);
    m_nNextLength += kept;
    m_nNextFullLength += k;
    if (k > 0) m_chNextLast = start[k - 1];
    m_nBegin += k;
    if (k == available) continue;
    // A line end: CR, LF or CR LF, a CR LF perhaps split between blocks.
    const char end = m_achBlock[m_nBegin++];
    if (end == '\r' && (m_nBegin < m_nEnd || Refill()) && m_achBlock[m_nBegin] == '\n') {
      ++m_nBegin;
    }
    break;
  }
  m_szNext[m_nNextLength] = '\0';
  if (any) m_nNextLine = ++m_nLinesRead;
  // A UTF-8 byte-order mark is no part of the first line.
  if (m_nNextLine == 1 && m_nNextLength >= 3 && memcmp(m_szNext, "\xEF\xBB\xBF", 3) == 0) {
    memmove(m_szNext, m_szNext + 3, m_nNextLength - 2);
    m_nNextLength -= 3;
    m_nNextFullLength -= 3;
  }
  return any;
}

void VcardLines::Append(const char* bytes, size_t count) {
  if (memchr(bytes, '\0', count) != nullptr) m_bNul = true;
  size_t room = sizeof m_szText - 1 - m_nLength;
  if (count > room) {
    count = room;
    m_bCut = true;
  }
  memcpy(m_szText + m_nLength, bytes, count);
  m_nLength += count;
  m_szText[m_nLength] = '\0';
  LookForColon();
}

void VcardLines::LookForColon() {
  for (; m_nLooked < m_nLength && !m_bColonFound; ++m_nLooked) {
    char c = m_szText[m_nLooked];
    if (c == '"') m_bQuoted = !m_bQuoted;
    if (c != ':' || m_bQuoted) continue;
    m_bColonFound = true;
    // Once a line: the parameters are looked through when they are whole.
    for (size_t i = 0; i + 16 <= m_nLooked; ++i) {
      if (StartsIgnoringCase(m_szText + i, "QUOTED-PRINTABLE")) m_bQuotedPrintable = true;
    }
    m_nWork += static_cast<long long>(m_nLooked);
  }
  m_nWork += 1;
}

bool VcardLines::Next() {
  if (!m_bPrimed) {
    m_bPrimed = true;
    m_bHaveNext = ReadPhysical();
  }
  if (!m_bHaveNext) return false;
  m_nLength = 0;
  m_szText[0] = '\0';
  m_bCut = false;
  m_bNul = false;
  m_nLooked = 0;
  m_bQuoted = false;
  m_bColonFound = false;
  m_bQuotedPrintable = false;
  m_nStartLine = m_nNextLine;
  Append(m_szNext, m_nNextLength);
  m_chLast = m_chNextLast;
  while ((m_bHaveNext = ReadPhysical())) {
    if (m_nNextFullLength > 0 && (m_szNext[0] == ' ' || m_szNext[0] == '\t')) {
      Append(m_szNext + 1, m_nNextLength - 1);
      if (m_nNextFullLength > 1) m_chLast = m_chNextLast;
      continue;
    }
    const bool softBreak = m_bQuotedPrintable && m_chLast == '=' &&
                           !IsVcardLine(m_szNext, m_nNextLength, "BEGIN:VCARD") &&
                           !IsVcardLine(m_szNext, m_nNextLength, "END:VCARD");
    if (!softBreak) break;
    if (!m_bCut && m_nLength > 0) m_szText[--m_nLength] = '\0';  // the "=" itself
    Append(m_szNext, m_nNextLength);
    // An empty line after a soft break ends the value: the "=" before it
    // was taken, and no other stands at the end.
    m_chLast = m_nNextFullLength > 0 ? m_chNextLast : '\0';
  }
  return true;
}
