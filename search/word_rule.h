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

// A search text split into its words once for all the fields of a search:
// each word before a half-width blank is tried alone, and what is left once
// no word precedes a blank (the rest, a leading blank included) is tried
// whole.
class SearchWords {
 public:
  // text must outlive the object.
  explicit SearchWords(const char* text);
  // True when one of the words occurs in field[0..length).
  bool FoundIn(const char* field, size_t length) const;

 private:
  struct Word {
    const char* text;
    size_t length;
  };
  static bool NextWord(const char*& rest, Word& word);

  static constexpr int kKeptWords = 32;
  Word words_[kKeptWords];
  int count_ = 0;
  // The words past the kept ones, split again for each field; null when
  // there are none.
  const char* rest_;
};

// True when the text matches the NUL-terminated field.
bool MatchesSearchWords(const char* field, const char* text);
