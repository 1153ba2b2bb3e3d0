#include "search/word_rule.h"

#include <string.h>

#include "text/byte_text.h"

bool OccursAtCharBoundary(const char* field, size_t fieldLength, const char* word,
                          size_t wordLength) {
  size_t i = 0;
  for (;;) {
    if (fieldLength - i < wordLength) return false;
    if (memcmp(field + i, word, wordLength) == 0) return true;
    if (i == fieldLength) return false;
    // A lead byte that ends a damaged field is a character of its own.
    bool pair = IsCp932LeadByte(static_cast<unsigned char>(field[i])) && i + 1 < fieldLength;
    i += pair ? 2 : 1;
  }
}

bool MatchesSearchWords(const char* field, const char* text) {
  const size_t fieldLength = strlen(field);
  const char* rest = text;
  for (;;) {
    // A trail byte is never 0x20, so a blank found byte by byte is a blank.
    const char* blank = strchr(rest, ' ');
    if (blank == nullptr || blank == rest) {
      return OccursAtCharBoundary(field, fieldLength, rest, strlen(rest));
    }
    if (OccursAtCharBoundary(field, fieldLength, rest, static_cast<size_t>(blank - rest))) {
      return true;
    }
    rest = blank + 1;
  }
}
