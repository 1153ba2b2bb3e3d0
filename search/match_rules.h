// How a search finds its text in a card's field. A text search is
// byte-exact, starting only where a character starts, its blank-separated
// words being alternatives. A telephone search compares numbers with
// full-width forms narrowed and the marks that people write in numbers
// ("-", "(", ")", "P") left out, so that ０３（１２３４）５６７８ finds
// 03-1234-5678.
#pragma once

#include <stddef.h>
#include <string.h>

#include "cards/card_line.h"
#include "cards/card_record.h"

// How often a byte stands in the text of a card, from 1 (hardly ever) up.
int ByteCommonness(unsigned char byte);

// One word made ready once for all the fields of a search. It looks first
// for the word's byte that card text holds least often, since a lead byte
// of code page 932 stands on most positions of Japanese text, and asks
// whether a character begins there only where the whole word stands.
class WordMatcher {
 public:
  WordMatcher() = default;
  // word must outlive the object.
  WordMatcher(const char* word, size_t length);
  // True when the word occurs in field[0..length) at a position where a
  // character of the field begins; the empty word occurs in every field.
  // Most fields hold no word: they cost one memchr.
  bool FoundIn(const char* field, size_t length) const {
    if (m_nLength - 1 >= length) return m_nLength == 0;  // empty, or longer than the field
    const void* hit = memchr(field + m_nRare, m_pszWord[m_nRare], length - m_nLength + 1);
    return hit != nullptr && FoundFrom(field, length, static_cast<const char*>(hit));
  }

 private:
  // FoundIn from the first place where the looked-for byte stands.
  bool FoundFrom(const char* field, size_t length, const char* hit) const;

  const char* m_pszWord = "";
  size_t m_nLength = 0;
  size_t m_nRare = 0;   // the byte looked for
  size_t m_nCheck = 0;  // the byte compared next, before the whole word
};

// The same, for a word that is looked for in one field only.
bool OccursAtCharBoundary(const char* field, size_t fieldLength, const char* word,
                          size_t wordLength);

// Takes the next word of a search text from rest: each word before a
// half-width blank is tried alone, and what is left once no word precedes a
// blank (the rest, a leading blank included) is tried whole, after which
// rest is null. False once rest is null.
bool NextSearchWord(const char*& rest, const char** word, size_t* length);

// A search text split into its words once for all the fields of a search.
class SearchWords {
 public:
  // text must outlive the object.
  explicit SearchWords(const char* text);
  // True when one of the words occurs in field[0..length).
  bool FoundIn(const char* field, size_t length) const;

 private:
  static bool NextWord(const char*& rest, WordMatcher& word);

  static constexpr int kKeptWords = 32;
  WordMatcher m_words[kKeptWords];
  int m_nCount = 0;
  // The words past the kept ones, split again for each field; null when
  // there are none.
  const char* m_pszRest;
};

// True when the text matches the NUL-terminated field.
bool MatchesSearchWords(const char* field, const char* text);

// Room for the longest field that a telephone search looks at: the search
// takes each field whole from its card line.
constexpr size_t kPhoneTextSize = kLineBufferSize + 1;
static_assert(sizeof(CardRecord::postalCode) <= kPhoneTextSize, "postal codes fit");

// Writes text, narrowed and stripped, into out (size bytes, at least 1) and
// its length into *length. False when it needs more room; out then holds
// what fitted.
bool NarrowPhoneText(const char* text, char* out, size_t size, size_t* length);

// A search text made ready once for all the cards of a search.
class PhoneKey {
 public:
  explicit PhoneKey(const char* text);
  // True when the field (at most kPhoneTextSize - 1 bytes), narrowed and
  // stripped alike, contains the key as a whole.
  bool FoundIn(const char* field) const;

 private:
  char m_szKey[kPhoneTextSize];
  mutable char m_szNarrowed[kPhoneTextSize];  // the field, made ready alike
  size_t m_nLength = 0;
  // A key longer than any field can hold is found in none.
  bool m_bFits = false;
};
