#include <limits.h>
#include <string.h>

#include "cards/card_fields.h"
#include "cards/card_line.h"
#include "text/byte_text.h"
#include "text/text_helpers.h"

const char kUnnamedCardName[] = "（名前なし）";

const char* LoadTime::Text() {
  if (!known_) {
    FormatTimeStamp(clock_, text_);
    known_ = true;
  }
  return text_;
}

int ParseDecimal(const char* text, const char* end) {
  while (text < end && *text == ' ') ++text;
  bool negative = false;
  if (text < end && (*text == '+' || *text == '-')) negative = *text++ == '-';
  long long value = 0;
  for (; text < end && *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

bool ParseCardLine(const char* line, int length, CardRecord& card, LoadTime& now) {
  const char* cursor = line;
  int remaining = length;
  bool whole = memchr(line, '\0', static_cast<size_t>(length)) == nullptr;
  for (int n = 0; n < kTabEndedCardFields; ++n) {
    int d = FindSeparator(cursor, remaining, '\t');
    if (d < 0) continue;  // this and every later tab-ended field stay empty
    CardField field = CardFieldAt(card, n);
    if (field.kind == CardFieldKind::kNumber) {
      *field.number = ParseDecimal(cursor, cursor + d);
    } else if (field.kind == CardFieldKind::kDate && d == 0) {
      CopyCutString(field.text, field.width, now.Text());
    } else {
      whole = CopyCut(field.text, field.width, cursor, static_cast<size_t>(d)) ==
                  static_cast<size_t>(d) &&
              whole;
    }
    cursor += d + 1;
    remaining -= d + 1;
  }
  int d = FindSeparator(cursor, remaining, '\n');
  if (d >= 0) card.modifyCount = ParseDecimal(cursor, cursor + d);
  // Fields past the 21st have no place in the card, and the count takes
  // nothing but a number.
  int rest = d >= 0 ? d : remaining;
  for (int i = 0; i < rest; ++i) {
    char c = cursor[i];
    if (c != ' ' && c != '+' && c != '-' && c != '\r' && (c < '0' || c > '9')) whole = false;
  }
  if (card.name[0] == '\0') CopyCutString(card.name, kUnnamedCardName);
  return whole;
}
