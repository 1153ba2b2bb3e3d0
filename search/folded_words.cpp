#include "search/folded_words.h"

#include <string.h>

namespace {

constexpr uint32_t kEveryField = (1u << kSearchedFieldCount) - 1;
constexpr int kReadingOrder = 1;

}  // namespace

FoldedWords::FoldedWords(const char* text, unsigned foldFlags)
    : m_pszRest(text), m_nFlags(foldFlags) {
  size_t used = 0;
  while (m_nCount < kKeptWords && m_pszRest != nullptr) {
    const char* rest = m_pszRest;
    const char* word = nullptr;
    size_t length = 0;
    NextSearchWord(rest, &word, &length);
    Word& kept = m_words[m_nCount];
    // Out of room: this word and the rest are folded for each field.
    if (!Fold(word, length, m_szKeys + used, sizeof m_szKeys - used, kept)) break;
    if (kept.key != word) used += kept.length + 1;
    if (kept.isRomaji) m_nAlwaysSearched |= 1u << kReadingOrder;
    if (!kept.anchor.Prepare(kept.key, kept.length, m_nFlags)) m_nAlwaysSearched = kEveryField;
    ++m_nCount;
    m_pszRest = rest;
  }
  if (m_pszRest != nullptr) m_nAlwaysSearched = kEveryField;
}

bool FoldedWords::Fold(const char* word, size_t length, char* room, size_t size,
                       Word& folded) const {
  size_t keyLength = 0;
  const char* key = FoldForSearch(word, length, room, size, m_nFlags, &keyLength);
  if (key == nullptr) return false;
  folded.matcher = WordMatcher(key, keyLength);
  folded.key = key;
  folded.length = keyLength;
  folded.isRomaji = folded.romaji.Prepare(key, keyLength, m_nFlags);
  return true;
}

uint32_t FoldedWords::FieldsToSearch(const SearchedLine& line) {
  uint32_t fields = m_nAlwaysSearched;
  if (fields == kEveryField) return fields;
  LineFields texts(line);
  for (int w = 0; w < m_nCount; ++w) m_words[w].anchor.AddFields(texts, &fields);
  return fields;
}

bool FoldedWords::FoundInKey(const Word& word, const char* field, size_t length,
                             bool reading) const {
  return word.matcher.FoundIn(field, length) ||
         (reading && word.isRomaji && word.romaji.FoundIn(field, length));
}

bool FoldedWords::FoundIn(const char* field, size_t length, bool reading) {
  if (!FoundInText(field, length, reading)) return false;
  // A NUL ends the field's text; it is looked for only where a word was found.
  size_t text = strnlen(field, length);
  return text == length || FoundInText(field, text, reading);
}

bool FoldedWords::FoundInText(const char* field, size_t length, bool reading) {
  size_t foldedLength = 0;
  const char* folded =
      FoldForSearch(field, length, m_szField, sizeof m_szField, m_nFlags, &foldedLength);
  if (folded == nullptr) return false;
  for (int i = 0; i < m_nCount; ++i) {
    if (FoundInKey(m_words[i], folded, foldedLength, reading)) return true;
  }
  const char* word = nullptr;
  size_t wordLength = 0;
  Word rest;
  for (const char* next = m_pszRest; NextSearchWord(next, &word, &wordLength);) {
    // A word that does not fit is longer than any folded field.
    if (Fold(word, wordLength, m_szRestKey, sizeof m_szRestKey, rest) &&
        FoundInKey(rest, folded, foldedLength, reading)) {
      return true;
    }
  }
  return false;
}
