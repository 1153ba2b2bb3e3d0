#include "search/phone_rule.h"

#include <string.h>

#include "search/word_rule.h"
#include "text/byte_text.h"
#include "text/text_helpers.h"

namespace {

bool IsNumberMark(char byte) { return byte == '-' || byte == '(' || byte == ')' || byte == 'P'; }

}  // namespace

bool NarrowPhoneText(const char* text, char* out, size_t size, size_t* length) {
  size_t n = 0;
  bool fits = true;
  // One character at a time: narrowing never looks past a character, and a
  // search text may be far longer than any buffer here.
  for (size_t i = 0; text[i] != '\0' && fits;) {
    bool pair = IsCp932LeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0';
    char character[3] = {text[i], pair ? text[i + 1] : '\0', '\0'};
    i += pair ? 2 : 1;
    ToHalfWidth(character);
    for (const char* c = character; *c != '\0'; ++c) {
      if (IsNumberMark(*c)) continue;
      if (n + 1 >= size) {
        fits = false;
        break;
      }
      out[n++] = *c;
    }
  }
  out[n] = '\0';
  *length = n;
  return fits;
}

PhoneKey::PhoneKey(const char* text) { fits_ = NarrowPhoneText(text, key_, sizeof key_, &length_); }

bool PhoneKey::FoundIn(const char* field) const {
  if (!fits_) return false;
  size_t length = 0;
  NarrowPhoneText(field, narrowed_, sizeof narrowed_, &length);
  return OccursAtCharBoundary(narrowed_, length, key_, length_);
}
