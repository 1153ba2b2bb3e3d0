#include <string.h>

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

// How many bytes the character or escape at text[i] takes.
int StepAt(const unsigned char* text, int i, unsigned char separator) {
  unsigned char byte = text[i];
  unsigned char next = text[i + 1];
  if (byte == '\\') return (next == '\\' || next == separator) ? 2 : 1;
  return StartsTwoByteCharacter(byte) && CanEndTwoByteCharacter(next) ? 2 : 1;
}

int FindSeparatorByteByByte(const unsigned char* text, int length, unsigned char separator) {
  for (int i = 0; i < length; i += StepAt(text, i, separator)) {
    if (text[i] == separator && text[i] != '\\') return i;
  }
  return -1;
}

// Whether a character or escape begins at position at, text[start] being
// known to begin one and no separator standing in between. A byte below
// 0x40 other than the separator is never a second byte, so the walk starts
// after the last such byte.
bool BeginsCharacter(const unsigned char* text, int start, int at, unsigned char separator) {
  int i = at;
  while (i > start && text[i - 1] >= 0x40) --i;
  while (i < at) i += StepAt(text, i, separator);
  return i == at;
}

}  // namespace

int FindSeparator(const char* text, int length, char separator) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const auto sep = static_cast<unsigned char>(separator);
  // Only a separator below 0x40 can never be a second byte; the others are
  // looked for byte by byte.
  if (sep >= 0x40) return FindSeparatorByteByByte(bytes, length, sep);
  int start = 0;
  while (start < length) {
    const void* hit = memchr(bytes + start, sep, static_cast<size_t>(length - start));
    if (hit == nullptr) return -1;
    int at = static_cast<int>(static_cast<const unsigned char*>(hit) - bytes);
    // Only a backslash that begins a character hides the separator.
    if (at == start || bytes[at - 1] != '\\' || !BeginsCharacter(bytes, start, at - 1, sep)) {
      return at;
    }
    start = at + 1;
  }
  return -1;
}
