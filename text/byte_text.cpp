#include "text/byte_text.h"

#include <string.h>

size_t CharBoundaryPrefix(const char* text, size_t length, size_t limit) {
  // A lone lead byte at the very end of the text is kept as it is; only a
  // character that the limit would cut in two is dropped.
  if (length <= limit) return length;
  // A byte that is no lead byte ends a character, and the lead bytes after
  // it pair up: the limit cuts a character when their count is odd.
  size_t i = limit;
  while (i > 0 && IsCp932LeadByte(static_cast<unsigned char>(text[i - 1]))) --i;
  return (limit - i) % 2 == 0 ? limit : limit - 1;
}

size_t CopyCut(char* destination, size_t width, const char* text, size_t length) {
  if (width == 0) return 0;
  size_t n = CharBoundaryPrefix(text, length, width - 1);
  memcpy(destination, text, n);
  destination[n] = '\0';
  return n;
}

size_t CopyCutString(char* destination, size_t width, const char* text) {
  return CopyCut(destination, width, text, strnlen(text, width));
}
