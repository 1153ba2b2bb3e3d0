#include "text/byte_text.h"

#include <string.h>

size_t CharBoundaryPrefix(const char* text, size_t length, size_t limit) {
  if (length <= limit) limit = length;
  size_t i = 0;
  while (i < limit) {
    size_t step = IsCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > limit) {
      // A lone lead byte at the very end of the text is kept as it is; only a
      // character that the limit would cut in two is dropped.
      if (i + step > length) ++i;
      break;
    }
    i += step;
  }
  return i;
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
