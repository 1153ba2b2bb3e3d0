#include "cards/card_fields.h"

namespace {

template <size_t N>
CardField Text(char (&text)[N], CardFieldKind kind = CardFieldKind::kText) {
  return {kind, text, N, nullptr};
}

CardField Number(int32_t& value) { return {CardFieldKind::kNumber, nullptr, 0, &value}; }

}  // namespace

CardField CardFieldAt(CardRecord& card, int n) {
  switch (n) {
    case 0:
      return Text(card.name);
    case 1:
      return Text(card.reading);
    case 2:
      return Text(card.group);
    case 3:
      return Text(card.postalCode);
    case 4:
      return Text(card.address);
    case 17:
      return Text(card.memo);
    case 18:
      return Text(card.created, CardFieldKind::kDate);
    case 19:
      return Text(card.lastModified, CardFieldKind::kDate);
    default:
      break;
  }
  // Types and numbers or addresses alternate from field 5 on: phones, then mails.
  if (n >= 5 && n < 11) {
    PhoneEntry& phone = card.phones[(n - 5) / 2];
    return (n - 5) % 2 == 0 ? Number(phone.type) : Text(phone.number);
  }
  if (n >= 11 && n < 17) {
    MailEntry& mail = card.mails[(n - 11) / 2];
    return (n - 11) % 2 == 0 ? Number(mail.type) : Text(mail.address);
  }
  return {CardFieldKind::kNone, nullptr, 0, nullptr};
}
