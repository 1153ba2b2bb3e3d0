// The text fields of a card line that a search looks at, in the order in
// which they are tried.
#pragma once

#include "cards/card_record.h"

constexpr int kSearchedFieldCount = 12;

// Cuts the first 18 tab-ended fields of line[0..length) (the line end
// removed; line[length] must be readable) and copies the searched ones into
// card, each cut to the record's width at a character boundary. A field
// that the line does not hold, and every one after it, is empty.
void CutSearchedFields(const char* line, int length, CardRecord& card);

// The searched field of the given order, 0 (the name) to 11 (the memo).
const char* SearchedField(const CardRecord& card, int order);
