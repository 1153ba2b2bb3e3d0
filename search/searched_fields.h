// The text fields of a card line that a search looks at, in the order in
// which they are tried.
#pragma once

#include <stddef.h>

#include "cards/card_record.h"

constexpr int kSearchedFieldCount = 12;

// The searched fields of one card line as they stand in it, each the raw
// text up to its tab; a field is read up to its first NUL, which may come
// before its length.
struct SearchedLine {
  const char* field[kSearchedFieldCount];
  size_t length[kSearchedFieldCount];
};

// Cuts the first 18 tab-ended fields of line[0..length) (the line end
// removed; line[length] must be readable) in place: each searched field is
// ended by a NUL written over its tab. A field that the line does not hold,
// and every one after it, is empty.
void CutSearchedLine(char* line, int length, SearchedLine& fields);

// Cuts the same fields of line[0..length) (line[length] must be readable)
// into card, each cut to the record's width at a character boundary.
void CutSearchedFields(const char* line, int length, CardRecord& card);

// The searched field of the given order, 0 (the name) to 11 (the memo).
const char* SearchedField(const CardRecord& card, int order);
