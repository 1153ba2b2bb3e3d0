#include "text/text_helpers.h"

namespace {

// Wider than code page 932's own lead bytes; the card files depend on it.
bool StartsTwoByteCharacter(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

}  // namespace

int FindSeparator(const char* text, int length, char separator) {
  const unsigned char sep = static_cast<unsigned char>(separator);
  for (int i = 0; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte == '\\') {
      unsigned char next = static_cast<unsigned char>(text[i + 1]);
      if (next == '\\' || next == sep) ++i;
    } else if (byte == sep) {
      return i;
    } else if (StartsTwoByteCharacter(byte)) {
      ++i;
    }
  }
  return -1;
}
