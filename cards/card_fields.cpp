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
    case kNameField:
      return Text(card.name);
    case kReadingField:
      return Text(card.reading);
    case kGroupField:
      return Text(card.group);
    case kPostalCodeField:
      return Text(card.postalCode);
    case kAddressField:
      return Text(card.address);
    case kMemoField:
      return Text(card.memo);
    case kMemoField + 1:
      return Text(card.created, CardFieldKind::kDate);
    case kMemoField + 2:
      return Text(card.lastModified, CardFieldKind::kDate);
    default:
      break;
  }
  if (n >= kFirstPhoneField && n < kFirstMailField) {
    PhoneEntry& phone = card.phones[(n - kFirstPhoneField) / 2];
    return (n - kFirstPhoneField) % 2 == 0 ? Number(phone.type) : Text(phone.number);
  }
  if (n >= kFirstMailField && n < kMemoField) {
    MailEntry& mail = card.mails[(n - kFirstMailField) / 2];
    return (n - kFirstMailField) % 2 == 0 ? Number(mail.type) : Text(mail.address);
  }
  return {CardFieldKind::kNone, nullptr, 0, nullptr};
}
