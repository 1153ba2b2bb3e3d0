// The postcard's vertical texts from any card fields: each column ends
// inside its buffer at a character boundary, holds only characters that
// stand upright (two-byte ones and half-width kana), and a whole address
// always fits; a postal code read is always seven digits.
#include <stdlib.h>
#include <string.h>

#include "cards/card_record.h"
#include "fuzz/fuzz_support.h"
#include "postcard/vertical_text.h"
#include "text/byte_text.h"

namespace {

// Walks the column by characters: every one is whole and upright, and
// neither end is a blank.
void CheckColumn(const char* column, size_t size) {
  size_t length = strnlen(column, size);
  FUZZ_CHECK(length < size);
  size_t last = 0;
  for (size_t at = 0; at < length;) {
    last = at;
    unsigned char byte = static_cast<unsigned char>(column[at]);
    if (IsCp932LeadByte(byte)) {
      FUZZ_CHECK(at + 1 < length);
      at += 2;
    } else {
      FUZZ_CHECK(byte >= 0xA1 && byte <= 0xDF);
      ++at;
    }
  }
  FUZZ_CHECK(length == 0 || memcmp(column, "\x81\x40", 2) != 0);
  FUZZ_CHECK(length == 0 || memcmp(column + last, "\x81\x40", 2) != 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  uint8_t options = input.Byte();
  size_t room = 1 + input.Byte();
  size_t taken = 0;
  const uint8_t* rest = input.Rest(&taken);
  // At most what a card's address holds, as the card file gives it.
  size_t length = taken < sizeof(CardRecord::address) ? taken : sizeof(CardRecord::address) - 1;
  char* text = HeapCopy(reinterpret_cast<const char*>(rest), length);

  static VerticalAddress address;
  ToVerticalAddress(text, options & 1 ? NumberJoin::kNo : NumberJoin::kLongVowel, address);
  CheckColumn(address.first, sizeof address.first);
  CheckColumn(address.second, sizeof address.second);
  FUZZ_CHECK(strlen(address.first) + strlen(address.second) <= 2 * strlen(text));
  FUZZ_CHECK(address.first[0] != '\0' || address.second[0] == '\0');

  char* name = static_cast<char*>(malloc(room));
  size_t n = ToVerticalText(text, name, room);
  FUZZ_CHECK(n == strlen(name));
  CheckColumn(name, room);
  free(name);

  char digits[kPostalDigits + 1];
  if (ReadPostalCode(text, digits)) {
    FUZZ_CHECK(strlen(digits) == kPostalDigits);
    FUZZ_CHECK(strspn(digits, "0123456789") == kPostalDigits);
  }
  EndsWithHonorific(text);
  free(text);
  return 0;
}
