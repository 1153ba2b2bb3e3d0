#include "text/narrow_reading.h"

#include <string.h>

#include "text/byte_text.h"
#include "text/text_helpers.h"

int NarrowReading(char* text) {
  size_t r = 0;
  size_t w = 0;
  while (text[r] != '\0') {
    unsigned char lead = static_cast<unsigned char>(text[r]);
    if (!IsCp932LeadByte(lead) || text[r + 1] == '\0') {
      text[w++] = text[r++];
      continue;
    }
    if (lead == 0x81 && static_cast<unsigned char>(text[r + 1]) == 0x5B) {
      text[w++] = static_cast<char>(0xB0);  // ｰ
    } else {
      // One character at a time keeps ToHalfWidth's tables the only ones.
      char one[3] = {text[r], text[r + 1], '\0'};
      int n = ToHalfWidth(one);
      memcpy(text + w, one, static_cast<size_t>(n));
      w += static_cast<size_t>(n);
    }
    r += 2;
  }
  text[w] = '\0';
  return static_cast<int>(w);
}
