#include "cards/line_field.h"

#include <string.h>

#include "text/text_helpers.h"

namespace {

// Whether a separator right after field[0..length) would end the field.
bool EndsCleanly(char* field, size_t length, char separator) {
  char saved = field[length + 1];
  field[length] = separator;
  field[length + 1] = '\0';
  bool clean =
      FindSeparator(field, static_cast<int>(length) + 1, separator) == static_cast<int>(length);
  field[length + 1] = saved;
  field[length] = '\0';
  return clean;
}

}  // namespace

size_t AppendLineField(char* out, const char* text, size_t width, char separator) {
  size_t length = strnlen(text, width - 1);
  for (size_t i = 0; i < length; ++i) {
    char c = text[i];
    out[i] = (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  }
  out[length] = '\0';
  if (length > 0 && !EndsCleanly(out, length, separator)) {
    if (length + 1 < width) {
      out[length++] = ' ';
    } else {
      out[length - 1] = ' ';
    }
    out[length] = '\0';
  }
  return length;
}
