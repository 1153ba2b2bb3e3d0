// The words of a folded search (the host's mode 2, quillbook search --fold):
// split as a text search splits them, each folded for the search, and those
// in Latin letters also looked for as romaji in the reading.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "cards/card_line.h"
#include "search/card_search.h"
#include "search/match_rules.h"
#include "search/romaji.h"
#include "search/word_anchor.h"
#include "text/search_fold.h"

// Room for the folded form of any field of a card line.
constexpr size_t kFoldRoom = 2 * kLineBufferSize;

class FoldedWords {
 public:
  // text must outlive the object.
  FoldedWords(const char* text, unsigned foldFlags);
  FoldedWords(const FoldedWords&) = delete;
  FoldedWords& operator=(const FoldedWords&) = delete;

  // The fields of the line (a bit for each order) that can hold a word:
  // those that hold a form of the character that the word is looked for by,
  // and the reading when a word is romaji. Folding costs a walk through a
  // field's characters; looking for bytes with memchr is far cheaper.
  uint32_t FieldsToSearch(const SearchedLine& line);

  // True when a word, folded, occurs in field[0..length) folded alike (the
  // field being shorter than kLineBufferSize and its text ending at its
  // first NUL), or, for the reading, when a romaji word matches it.
  bool FoundIn(const char* field, size_t length, bool reading);

 private:
  struct Word {
    WordMatcher matcher;
    const char* key = "";
    size_t length = 0;
    bool isRomaji = false;
    RomajiWord romaji;
    WordAnchor anchor;
  };
  bool FoundInText(const char* field, size_t length, bool reading);
  bool Fold(const char* word, size_t length, char* room, size_t size, Word& folded) const;
  bool FoundInKey(const Word& word, const char* field, size_t length, bool reading) const;

  static constexpr int kKeptWords = 32;
  Word m_words[kKeptWords];
  int m_nCount = 0;
  // The words past the kept ones, folded again for each field; null when
  // there are none.
  const char* m_pszRest;
  unsigned m_nFlags;
  // The fields that every line searches: the reading for a romaji word,
  // all for a word that is not looked for by a character.
  uint32_t m_nAlwaysSearched = 0;
  char m_szKeys[kFoldRoom];
  char m_szRestKey[kFoldRoom];
  char m_szField[kFoldRoom];
};
