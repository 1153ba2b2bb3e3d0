// Which fields of a card line can hold a folded search word, found with
// memchr: a field can hold the word only where it holds one of the forms
// of each of the word's characters (ヤ, ﾔ or や for や), and a walk through
// a field's characters, to fold it, costs far more than a look for bytes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "search/card_search.h"
#include "text/search_fold.h"

// The searched fields of one line that hold text, in the order in which they
// stand on the line, one buffer.
struct LineFields {
  const char* start[kSearchedFieldCount];
  const char* end[kSearchedFieldCount];
  int order[kSearchedFieldCount];
  int count = 0;
  explicit LineFields(const SearchedLine& line);
};

class WordAnchor {
 public:
  // key[0..length): a folded word, which must outlive the object. False
  // when it has no whole character to look for (it is empty, or a lead
  // byte alone): any field may hold it.
  bool Prepare(const char* key, size_t length, unsigned foldFlags);

  // Adds to *fields (a bit for each order) the fields of the line that hold
  // a form of the character looked for. The lines so far say which of the
  // word's characters costs least to look for: a byte that stands where its
  // form does not costs a call of memchr, a field that holds a form costs
  // its fold.
  void AddFields(const LineFields& line, uint32_t* fields);

 private:
  struct Character {
    FoldForm forms[kMostForms];
    int count = 0;
    // A two-byte form is looked for by the byte that has stood where the
    // form did not less often: misses, kept as a moving mean.
    int misses[kMostForms][2];
    int cost = 0;  // a line's, as a moving mean; 0 until it was looked for
  };
  static constexpr int kCharacters = 4;
  Character m_characters[kCharacters];
  int m_nCharacters = 0;
};
