// A reading as the panel stores it: half-width katakana.
#pragma once

// Narrows hiragana and full-width katakana (and the symbols, digits and
// letters that ToHalfWidth narrows) in place, the long vowel mark becoming
// the half-width one rather than the hyphen that telephone numbers want.
// Returns the new length, never more than the old.
int NarrowReading(char* text);
