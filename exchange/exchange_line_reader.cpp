#include "exchange/exchange_line_reader.h"

bool IsEmptyLine(const char* line, int length) {
  for (int i = 0; i < length; ++i) {
    if (line[i] != '\n' && line[i] != '\r') return false;
  }
  return true;
}
