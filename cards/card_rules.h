// The rules that a card's fields must meet before the card is stored.
#pragma once

// Removes half-width blanks from both ends, in place; returns the new length.
int TrimBlanks(char* text);

// Only single-byte characters: ASCII and half-width katakana.
bool IsHalfWidthReading(const char* reading);

// Digits, the blank, control characters, the signs below 'A', and the
// pause sign 'P'. An empty number passes.
bool IsValidPhoneNumber(const char* number);

// Letters, digits and the signs . _ - ^ ~ | # $ = % ` < > : ; [ ] ( ) { } & !
// and '@', with an '@' and a '.' somewhere after the first '@'. An empty
// address passes.
bool IsValidMailAddress(const char* address);

// The decimal value of an ID as typed: an optional sign and digits, up to
// the first other character (12abc gives 12, abc gives 0).
int ParseIdText(const char* text);

// An ID may be stored when it is 1 to 500, or exactly "0" for the owner.
bool IsAcceptedId(const char* text, bool ownerSelected);

// The text that the tables never hold: tabs and line ends become blanks.
void BlankOutLineBreaks(char* text);
