#include "exchange/exchange_line_reader.h"

#include "cards/whole_line.h"

int ExchangeLineReader::Next() {
  return ReadWholeLine(file_, buffer_, kLineBufferSize, overflowed_);
}

bool IsEmptyLine(const char* line, int length) {
  for (int i = 0; i < length; ++i) {
    if (line[i] != '\n' && line[i] != '\r') return false;
  }
  return true;
}
