#include "exchange/block_out.h"

#include <string.h>

#include "cards/safe_file.h"

void BlockOut::Write(const char* bytes, size_t length) {
  if (length > m_nSize) {
    Flush();
    Send(bytes, length);
    return;
  }
  memcpy(Room(length), bytes, length);
  Grow(length);
}

void BlockOut::Flush() {
  if (m_nUsed > 0) Send(m_pBlock, m_nUsed);
  m_nUsed = 0;
}

void BlockToWriter::Send(const char* bytes, size_t length) { m_writer.Write(bytes, length); }

void BlockToStream::Send(const char* bytes, size_t length) { fwrite(bytes, 1, length, m_pStream); }
