// A card's fields in the order of its line in the card file: name, reading,
// group, postal code, address, a type and number pair for each phone, a
// type and address pair for each mail, memo, created, last modified. The
// count that ends the line comes after them. The fields up to the memo are
// also the fields that searching and the exchange files know, numbered alike.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "cards/card_record.h"

enum class CardFieldKind { kNone, kText, kNumber, kDate };

struct CardField {
  CardFieldKind kind;
  char* text;  // the buffer of a text or date field, width bytes
  size_t width;
  int32_t* number;  // the value of a type field
};

constexpr int kNameField = 0;
constexpr int kReadingField = 1;
constexpr int kGroupField = 2;
constexpr int kPostalCodeField = 3;
constexpr int kAddressField = 4;
// Each phone and each mail is a type field followed by its number or
// address; the memo comes after the last mail, then the two time stamps.
constexpr int kFirstPhoneField = kAddressField + 1;
constexpr int kFirstMailField = kFirstPhoneField + 2 * kPhoneSlots;
constexpr int kMemoField = kFirstMailField + 2 * kMailSlots;
constexpr int kContentCardFields = kMemoField + 1;           // up to the memo
constexpr int kTabEndedCardFields = kContentCardFields + 2;  // every field that a tab ends

constexpr int PhoneNumberField(int n) { return kFirstPhoneField + 2 * n + 1; }
constexpr int MailAddressField(int n) { return kFirstMailField + 2 * n + 1; }

// Field n of the card; kind kNone when n is outside 0 to kTabEndedCardFields - 1.
CardField CardFieldAt(CardRecord& card, int n);
