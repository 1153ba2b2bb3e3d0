// One card's exchanged fields, stored from the text of a column and read
// back as the export writes them: for the cards of the exchange book, and
// for the one card that an export has in hand.
#pragma once

#include <stddef.h>

#include "cards/card_line.h"
#include "cards/card_record.h"

// Room for a type field written as a decimal number.
constexpr int kNumberTextSize = kDecimalTextSize;

// Stores text (length bytes, not NUL-terminated) into field (an exchange
// field number) of card: a longer text cut at a character boundary, a type
// read as a decimal number. Returns 1 when the text was cut.
int StoreExchangeField(CardRecord& card, int field, const char* text, size_t length);

// The text of field of card as the export writes it, its length in length:
// a text field where it stands in the card, a type field written into
// number. An unknown field is empty.
const char* ExchangeFieldText(const CardRecord& card, int field, char (&number)[kNumberTextSize],
                              int& length);

// The width of text field, its longest text and its NUL; 0 for a type field
// or an unknown one.
size_t ExchangeTextWidth(int field);
