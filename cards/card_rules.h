// The rules that a card's fields must meet before the card is stored, and
// the heading of the name view that its reading puts it under.
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

// Which heading of the name view a card falls under: the kana row of the
// first byte of its reading (half-width katakana), else "その他".
constexpr int kKanaRowCount = 10;
constexpr int kOtherHeading = 10;  // index of "その他" among the headings

extern const char* const kKanaRowHeadings[kKanaRowCount];  // "あ行" … "わ行"
extern const char kOtherHeadingText[];                     // "その他"

// 0 to 9 for あ行 to わ行, kOtherHeading for everything else.
int KanaRowOfReading(const char* reading);
