#include "search/searched_fields.h"

#include <string.h>

#include "cards/card_fields.h"
#include "text/byte_text.h"
#include "text/text_helpers.h"

namespace {

bool IsTextField(int n) {
  static CardRecord shape;  // only its layout is asked for
  return CardFieldAt(shape, n).kind == CardFieldKind::kText;
}

// Calls take(n, order, text, length) for each searched field, n being its
// place on the line; a field that the line does not hold has a null text.
template <typename Take>
void ForEachSearchedField(const char* line, int length, Take take) {
  const char* cursor = line;
  int remaining = length;
  bool cutting = true;
  // The dates and the count after the memo are never searched, nor the types.
  for (int n = 0, order = 0; n < kContentCardFields; ++n) {
    int d = cutting ? FindSeparator(cursor, remaining, '\t') : -1;
    cutting = d >= 0;
    if (IsTextField(n)) take(n, order++, cutting ? cursor : nullptr, cutting ? d : 0);
    if (cutting) {
      cursor += d + 1;
      remaining -= d + 1;
    }
  }
}

}  // namespace

void CutSearchedLine(char* line, int length, SearchedLine& fields) {
  ForEachSearchedField(line, length, [&](int, int order, const char* text, int bytes) {
    if (text == nullptr) {
      text = "";
    } else {
      line[text - line + bytes] = '\0';
    }
    fields.field[order] = text;
    fields.length[order] = static_cast<size_t>(bytes);
  });
}

void CutSearchedFields(const char* line, int length, CardRecord& card) {
  ForEachSearchedField(line, length, [&](int n, int, const char* text, int bytes) {
    CardField field = CardFieldAt(card, n);
    CopyCut(field.text, field.width, text == nullptr ? "" : text, static_cast<size_t>(bytes));
  });
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
