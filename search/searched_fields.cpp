#include "search/searched_fields.h"

#include <stddef.h>

#include "text/byte_text.h"
#include "text/text_helpers.h"

namespace {

constexpr int kCutFieldCount = 18;

struct FieldTarget {
  char* text;  // null for the type numbers, which are not searched
  size_t width;
};

// The first 18 fields of a card line, in file order: the ones after the memo
// (the dates and the count) are never searched.
void FieldTargets(CardRecord& card, FieldTarget (&targets)[kCutFieldCount]) {
  int n = 0;
  auto text = [&](char* p, size_t w) { targets[n++] = {p, w}; };
  text(card.name, sizeof card.name);
  text(card.reading, sizeof card.reading);
  text(card.group, sizeof card.group);
  text(card.postalCode, sizeof card.postalCode);
  text(card.address, sizeof card.address);
  for (PhoneEntry& phone : card.phones) {
    text(nullptr, 0);
    text(phone.number, sizeof phone.number);
  }
  for (MailEntry& mail : card.mails) {
    text(nullptr, 0);
    text(mail.address, sizeof mail.address);
  }
  text(card.memo, sizeof card.memo);
}

}  // namespace

void CutSearchedFields(const char* line, int length, CardRecord& card) {
  FieldTarget targets[kCutFieldCount];
  FieldTargets(card, targets);
  const char* cursor = line;
  int remaining = length;
  bool cutting = true;
  for (const FieldTarget& target : targets) {
    int d = cutting ? FindSeparator(cursor, remaining, '\t') : -1;
    cutting = d >= 0;
    if (target.text != nullptr) {
      if (cutting) {
        CopyCut(target.text, target.width, cursor, static_cast<size_t>(d));
      } else {
        target.text[0] = '\0';
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
