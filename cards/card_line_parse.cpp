#include <limits.h>
#include <string.h>

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

namespace {

enum class FieldKind { kText, kNumber, kDate };

struct FieldSlot {
  FieldKind kind;
  char* text;
  size_t width;
  int32_t* number;
};

// The 20 tab-ended fields of a card line, in file order.
int CardFieldSlots(CardRecord& card, FieldSlot (&slots)[20]) {
  int n = 0;
  auto text = [&](char* p, size_t w) { slots[n++] = {FieldKind::kText, p, w, nullptr}; };
  auto date = [&](char* p, size_t w) { slots[n++] = {FieldKind::kDate, p, w, nullptr}; };
  auto number = [&](int32_t* p) { slots[n++] = {FieldKind::kNumber, nullptr, 0, p}; };
  text(card.name, sizeof card.name);
  text(card.reading, sizeof card.reading);
  text(card.group, sizeof card.group);
  text(card.postalCode, sizeof card.postalCode);
  text(card.address, sizeof card.address);
  for (PhoneEntry& phone : card.phones) {
    number(&phone.type);
    text(phone.number, sizeof phone.number);
  }
  for (MailEntry& mail : card.mails) {
    number(&mail.type);
    text(mail.address, sizeof mail.address);
  }
  text(card.memo, sizeof card.memo);
  date(card.created, sizeof card.created);
  date(card.lastModified, sizeof card.lastModified);
  return n;
}

}  // namespace

void ParseCardLine(const char* line, int length, CardRecord& card, LoadTime& now) {
  FieldSlot slots[20];
  CardFieldSlots(card, slots);
  const char* cursor = line;
  int remaining = length;
  for (const FieldSlot& slot : slots) {
    int d = FindSeparator(cursor, remaining, '\t');
    if (d < 0) continue;  // this and every later tab-ended field stay empty
    if (slot.kind == FieldKind::kNumber) {
      *slot.number = ParseDecimal(cursor, cursor + d);
    } else if (slot.kind == FieldKind::kDate && d == 0) {
      CopyCutString(slot.text, slot.width, now.Text());
    } else {
      CopyCut(slot.text, slot.width, cursor, static_cast<size_t>(d));
    }
    cursor += d + 1;
    remaining -= d + 1;
  }
  int d = FindSeparator(cursor, remaining, '\n');
  if (d >= 0) card.modifyCount = ParseDecimal(cursor, cursor + d);
  if (card.name[0] == '\0') CopyCutString(card.name, kUnnamedCardName);
}
