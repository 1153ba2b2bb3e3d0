#include "cli/vcard_lines.h"

#include <string.h>
#include <strings.h>

int VcardLines::Get() {
  if (m_nPeeked != EOF - 1) {
    int c = m_nPeeked;
    m_nPeeked = EOF - 1;
    return c;
  }
  return getc(m_pFile);
}

bool VcardLines::IsQuotedPrintable() const {
  for (size_t i = 0; i + 16 <= m_nLength && m_szText[i] != ':'; ++i) {
    if (strncasecmp(m_szText + i, "QUOTED-PRINTABLE", 16) == 0) return true;
  }
  return false;
}

bool VcardLines::Next() {
  m_nLength = 0;
  m_nStartLine = m_nLine;
  int c = Get();
  if (c == EOF) return false;
  for (; c != EOF; c = Get()) {
    if (c == '\r' || c == '\n') {
      if (c == '\r') {
        int next = Get();
        if (next != '\n') m_nPeeked = next;
      }
      ++m_nLine;
      if (m_nLength > 0 && m_szText[m_nLength - 1] == '=' && IsQuotedPrintable()) {
        --m_nLength;
        continue;
      }
      int next = Get();
      if (next == ' ' || next == '\t') continue;
      m_nPeeked = next;
      break;
    }
    if (m_nLength < sizeof m_szText - 1) m_szText[m_nLength++] = static_cast<char>(c);
  }
  m_szText[m_nLength] = '\0';
  if (m_nStartLine == 1 && m_nLength >= 3 && memcmp(m_szText, "\xEF\xBB\xBF", 3) == 0) {
    memmove(m_szText, m_szText + 3, m_nLength -= 3);
    m_szText[m_nLength] = '\0';
  }
  return true;
}
