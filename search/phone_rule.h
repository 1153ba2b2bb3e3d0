// How a telephone search compares numbers: full-width forms narrowed and the
// marks that people write in numbers ("-", "(", ")", "P") left out, so that
// ０３（１２３４）５６７８ finds 03-1234-5678.
#pragma once

#include <stddef.h>

#include "cards/card_line.h"
#include "cards/card_record.h"

// Room for the longest field that a telephone search looks at: the search
// takes each field whole from its card line.
constexpr size_t kPhoneTextSize = kLineBufferSize + 1;
static_assert(sizeof(CardRecord::postalCode) <= kPhoneTextSize, "postal codes fit");

// Writes text, narrowed and stripped, into out (size bytes, at least 1) and
// its length into *length. False when it needs more room; out then holds
// what fitted.
bool NarrowPhoneText(const char* text, char* out, size_t size, size_t* length);

// A search text made ready once for all the cards of a search.
class PhoneKey {
 public:
  explicit PhoneKey(const char* text);
  // True when the field (at most kPhoneTextSize - 1 bytes), narrowed and
  // stripped alike, contains the key as a whole.
  bool FoundIn(const char* field) const;

 private:
  char key_[kPhoneTextSize];
  mutable char narrowed_[kPhoneTextSize];  // the field, made ready alike
  size_t length_ = 0;
  // A key longer than any field can hold is found in none.
  bool fits_ = false;
};
