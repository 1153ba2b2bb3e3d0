// Byte-text helpers for code page 932 lines: splitting at separators, quoting
// comma-separated fields, and narrowing full-width characters.
#pragma once

#include <stddef.h>

#include "text/cstring.h"

// Index of the separator that ends the first field of text[0..length), or -1.
// A backslash hides a following backslash or separator; the second byte of a
// two-byte character is never looked at on its own. text[length] must be
// readable (it is the terminating NUL in every call).
int FindSeparator(const char* text, int length, char separator);

// Whether a separator written right after text[0..length) would fail to end
// the field for some reader: an odd run of backslashes hides it from every
// reader, and a lead byte that ends the text takes it as its second byte
// for a reader that pairs every lead byte with the byte after it, as
// FindSeparator's original rule does (other programs, peers sharing the
// data folder). A writer ends such a text with a blank.
bool HidesNextSeparator(const char* text, size_t length, char separator);

// Writes source enclosed in double quotes, each inner quote doubled, into
// destination (room for at least 2 * strlen(source) + 3 bytes).
void QuoteField(const char* source, char* destination);

// Unquotes, in place, the quoted field at the start of text (a line's rest of
// size bytes). Returns the field's length n, text[n] being the delimiter or
// control byte that ended it and every byte past the shortened text NUL; or -1
// with text unchanged when the field is not taken as quoted.
int UnquoteField(char* text, int size, char delimiter);

// Narrows full-width symbols, digits, letters and kana in place; returns the
// new length. The result is never longer than the input: a lead byte that ends
// the text is copied alone.
int ToHalfWidth(char* text);

// Narrows text in place with ToHalfWidth and returns it.
CString& ToHalfWidthString(CString& text);

// A reading as the panel stores it: narrows hiragana and full-width katakana
// (and the symbols, digits and letters that ToHalfWidth narrows) in place,
// the long vowel mark becoming the half-width one rather than the hyphen
// that telephone numbers want. Returns the new length, never more than the
// old.
int NarrowReading(char* text);
