// The key that a folded search compares: the forms in which people type a
// reading or a word made one. Hiragana, full-width and half-width katakana
// become hiragana (a half-width kana with its voicing mark, ﾀﾞ, one
// character, だ); full-width Latin letters, digits and signs become ASCII;
// Latin, Greek and Cyrillic letters become small; the ideographic space a
// blank. Each character becomes one character: kanji, and signs that stand
// for several letters (①, ㍻, ㎞), stay as they are.
#pragma once

#include <stddef.h>

// Also drops the voicing marks: だ, ダ and ﾀﾞ fold as た does, ヴ as う.
constexpr unsigned kFoldDropVoicing = 1;

// Folds text[0..length), a code page 932 text read a character at a time
// from its start. Returns text itself when folding changes none of it, else
// out (size bytes), NUL-terminated; *keyLength is the key's length. Null
// when out may be too small, each character being given room for two
// bytes: 2 * length + 1 bytes always suffice, since a half-width kana
// becomes a two-byte hiragana.
const char* FoldForSearch(const char* text, size_t length, char* out, size_t size, unsigned flags,
                          size_t* keyLength);

// The texts of one character each (a half-width kana with its mark counting
// as one) that fold under flags to the folded character c[0..length), one
// or two bytes: c itself first, then its other forms (ヤ and ﾔ for や, A, ａ
// and Ａ for a). Returns how many, or -1 when there are more than
// kMostForms.
constexpr int kMostForms = 16;
struct FoldForm {
  unsigned char bytes[2];
  unsigned char length;
};
int FoldedForms(const char* c, size_t length, unsigned flags, FoldForm (&forms)[kMostForms]);
