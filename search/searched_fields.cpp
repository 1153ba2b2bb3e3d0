#include "search/searched_fields.h"

#include <stddef.h>

#include "cards/card_fields.h"
#include "text/byte_text.h"
#include "text/text_helpers.h"

void CutSearchedFields(const char* line, int length, CardRecord& card) {
  const char* cursor = line;
  int remaining = length;
  bool cutting = true;
  // The dates and the count after the memo are never searched, nor the types.
  for (int n = 0; n < kContentCardFields; ++n) {
    int d = cutting ? FindSeparator(cursor, remaining, '\t') : -1;
    cutting = d >= 0;
    CardField field = CardFieldAt(card, n);
    if (field.kind == CardFieldKind::kText) {
      if (cutting) {
        CopyCut(field.text, field.width, cursor, static_cast<size_t>(d));
      } else {
        field.text[0] = '\0';
      }
    }
    if (cutting) {
      cursor += d + 1;
      remaining -= d + 1;
    }
  }
}

const char* SearchedField(const CardRecord& card, int order) {
  switch (order) {
    case 0:
      return card.name;
    case 1:
      return card.reading;
    case 2:
      return card.group;
    case 3:
      return card.postalCode;
    case 4:
      return card.address;
    case 5:
    case 6:
    case 7:
      return card.phones[order - 5].number;
    case 8:
    case 9:
    case 10:
      return card.mails[order - 8].address;
    default:
      return card.memo;
  }
}
