#include "text/text_helpers.h"

namespace {

// Wider than code page 932's own lead bytes; the card files depend on it.
bool StartsTwoByteCharacter(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

// No code page 932 character ends in a byte below 0x40: a lead byte before
// a tab, a line end or a NUL stands alone, so that it cannot take the
// line's structure with it.
bool CanEndTwoByteCharacter(unsigned char byte) { return byte >= 0x40; }

}  // namespace

int FindSeparator(const char* text, int length, char separator) {
  const unsigned char sep = static_cast<unsigned char>(separator);
  for (int i = 0; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    unsigned char next = static_cast<unsigned char>(text[i + 1]);
    if (byte == '\\') {
      if (next == '\\' || next == sep) ++i;
    } else if (byte == sep) {
      return i;
    } else if (StartsTwoByteCharacter(byte) && CanEndTwoByteCharacter(next)) {
      ++i;
    }
  }
  return -1;
}
