#include <string.h>

#include "text/text_helpers.h"

void QuoteField(const char* source, char* destination) {
  *destination++ = '"';
  for (; *source != '\0'; ++source) {
    *destination++ = *source;
    if (*source == '"') *destination++ = '"';
  }
  *destination++ = '"';
  *destination = '\0';
}

namespace {

// Whether the quote that opens text stays open up to the end of the line:
// then the column is no quoted field, and is taken as it stands.
bool RunsOpenToLineEnd(const char* text, int size, char delimiter) {
  bool afterRemovedQuote = false;
  for (int i = 1; i < size; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte == '\0' || byte == '\n') return !afterRemovedQuote;
    if (byte < 0x20) return false;
    if (byte == '"') {
      afterRemovedQuote = !afterRemovedQuote;
    } else if (byte == static_cast<unsigned char>(delimiter) && afterRemovedQuote) {
      return false;
    }
  }
  return !afterRemovedQuote;
}

// Removes text[at], closing up the rest; the freed last byte becomes NUL.
void RemoveByte(char* text, int& length, int at) {
  memmove(text + at, text + at + 1, static_cast<size_t>(length - at - 1));
  text[--length] = '\0';
}

}  // namespace

int UnquoteField(char* text, int size, char delimiter) {
  if (size <= 0 || text[0] != '"') return -1;
  int length = static_cast<int>(strnlen(text, static_cast<size_t>(size)));
  if (RunsOpenToLineEnd(text, length, delimiter)) return -1;
  RemoveByte(text, length, 0);
  bool afterRemovedQuote = false;
  int i = 0;
  while (i < length) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20) return i;
    if (byte == '"' && !afterRemovedQuote) {
      RemoveByte(text, length, i);
      afterRemovedQuote = true;
    } else if (byte == '"') {
      afterRemovedQuote = false;
      ++i;
    } else if (byte == static_cast<unsigned char>(delimiter) && afterRemovedQuote) {
      return i;
    } else {
      ++i;
    }
  }
  return i;
}
