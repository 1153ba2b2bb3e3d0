// How a search text is found in a card's text field: byte-exact, starting
// only where a character starts, its blank-separated words being
// alternatives.
#pragma once

#include <stddef.h>

// True when word[0..wordLength) occurs in field[0..fieldLength) at a
// position where a character of the field begins; the empty word occurs in
// every field.
bool OccursAtCharBoundary(const char* field, size_t fieldLength, const char* word,
                          size_t wordLength);

// True when the text matches the NUL-terminated field: each word before a
// half-width blank is tried alone, and what is left once no word precedes
// a blank (the rest, a leading blank included) is tried whole.
bool MatchesSearchWords(const char* field, const char* text);
