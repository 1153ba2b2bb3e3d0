// The texts of a postcard's address side as they are set in vertical
// columns (縦書き): the numbers of an address in kanji digits, Latin letters
// and marks full-width so that they stand upright, the building on a column
// of its own; and the postal code's seven digits, however they were typed.
// Code page 932 in and out, in fixed buffers, so that any printing path (the
// command line's PDF, a Windows printer) sets the same text.
#pragma once

#include <stddef.h>

// What a hyphen between two numbers of an address becomes: 四ー二ー八 or
// 四の二の八.
enum class NumberJoin { kLongVowel, kNo };

// Every byte of a field becomes at most two, so a column of a 512-byte
// address always fits.
constexpr size_t kVerticalColumnSize = 1024;

struct VerticalAddress {
  char first[kVerticalColumnSize];   // up to the street number
  char second[kVerticalColumnSize];  // what follows its first blank (building, room), or ""
};

// Numbers become kanji digits without 十 or 百 (23 as 二三, 10 as 一〇),
// except those that touch a Latin letter (5F, B1), which stay digits; a
// hyphen between numbers becomes join's mark. Blanks at either end of a
// column are dropped.
void ToVerticalAddress(const char* address, NumberJoin join, VerticalAddress& out);

// A name (or any text that keeps its digits) with its Latin letters, digits,
// marks and blanks full-width, its ends trimmed. Writes at most size - 1
// bytes, cut at a character boundary, and returns them.
size_t ToVerticalText(const char* text, char* out, size_t size);

// Whether a name already ends in an honorific (様, 御中, 殿, さま, 先生,
// 各位), blanks after it aside: such a name gets none of its own, so that a
// card never says both 様 and 御中.
bool EndsWithHonorific(const char* name);

constexpr int kPostalDigits = 7;

// The seven digits of a postal code written with digits of either width,
// hyphens, blanks and 〒 (１０５－００１１, 105-0011, 〒1050011) into digits
// as "1050011"; false for anything else, or another number of digits.
bool ReadPostalCode(const char* code, char (&digits)[kPostalDigits + 1]);
