// A card's fields in the order of its line in the card file: name, reading,
// group, postal code, address, three phone type and number pairs, three
// mail type and address pairs, memo, created, last modified. The count that
// ends the line comes after them. The first eighteen, up to the memo, are
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

constexpr int kTabEndedCardFields = 20;  // every field that a tab ends
constexpr int kContentCardFields = 18;   // up to the memo

// Field n of the card; kind kNone when n is outside 0 to 19.
CardField CardFieldAt(CardRecord& card, int n);
