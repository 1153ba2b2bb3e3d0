#include "cli/output.h"

#include <string.h>

#include "cli/charset.h"

void Output::Write(const char* cp932, size_t length) {
  if (m_bRaw) {
    fwrite(cp932, 1, length, m_pStream);
    return;
  }
  char chunk[1024];
  while (length > 0) fwrite(chunk, 1, Utf8Into(cp932, length, chunk, sizeof chunk), m_pStream);
}

void Output::Write(const char* cp932) { Write(cp932, strlen(cp932)); }
