#include "search/match_rules.h"

#include <string.h>

#include "text/byte_text.h"
#include "text/text_helpers.h"

namespace {

// Whether a character of the field begins at position at (below the
// field's length), one being known to begin at base. A byte that is no lead
// byte ends a character, and the lead bytes after it pair up.
bool BeginsCharacter(const unsigned char* field, size_t base, size_t at) {
  size_t i = at;
  while (i > base && IsCp932LeadByte(field[i - 1])) --i;
  return (at - i) % 2 == 0;
}

}  // namespace

// How often a byte stands in the text of a card, from 1 (hardly ever) up:
// names, addresses and memos are kana and kanji, readings half-width kana,
// numbers and mail addresses ASCII, and the second bytes of two-byte
// characters spread over 0x40-0xFC.
int ByteCommonness(unsigned char byte) {
  if (byte == 0x82 || byte == 0x83) return 8;  // hiragana, katakana
  if (byte == ' ' || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z')) return 7;
  if (byte == 0x81 || (byte >= 0x88 && byte <= 0x9F)) return 6;  // marks, common kanji
  if (byte == '-' || byte == '.' || byte == '@') return 6;
  if (byte >= 0xA6 && byte <= 0xDF) return 5;  // half-width katakana
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xE0 && byte <= 0xEA)) return 4;
  if (byte > ' ' && byte < 0x7F) return 3;
  if ((byte >= 0x84 && byte <= 0x87) || (byte >= 0xA1 && byte <= 0xA5)) return 2;
  return 1;
}

WordMatcher::WordMatcher(const char* word, size_t length) : m_pszWord(word), m_nLength(length) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(word);
  for (size_t i = 1; i < length; ++i) {
    int commonness = ByteCommonness(bytes[i]);
    if (commonness < ByteCommonness(bytes[m_nRare])) {
      m_nCheck = m_nRare;
      m_nRare = i;
    } else if (m_nCheck == m_nRare || commonness < ByteCommonness(bytes[m_nCheck])) {
      m_nCheck = i;
    }
  }
}

bool WordMatcher::FoundFrom(const char* field, size_t length, const char* hit) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(field);
  const auto* word = reinterpret_cast<const unsigned char*>(m_pszWord);
  // Where the looked-for byte stands for the last start.
  const char* const scanEnd = field + m_nRare + (length - m_nLength) + 1;
  size_t base = 0;
  while (hit != nullptr) {
    const size_t at = static_cast<size_t>(hit - field) - m_nRare;
    if (bytes[at + m_nCheck] == word[m_nCheck] && memcmp(bytes + at, word, m_nLength) == 0) {
      if (BeginsCharacter(bytes, base, at)) return true;
      base = at + 1;  // the second byte of a pair: a character begins after it
    }
    ++hit;
    hit = static_cast<const char*>(memchr(hit, word[m_nRare], static_cast<size_t>(scanEnd - hit)));
  }
  return false;
}

bool OccursAtCharBoundary(const char* field, size_t fieldLength, const char* word,
                          size_t wordLength) {
  return WordMatcher(word, wordLength).FoundIn(field, fieldLength);
}

SearchWords::SearchWords(const char* text) : m_pszRest(text) {
  while (m_nCount < kKeptWords && NextWord(m_pszRest, m_words[m_nCount])) ++m_nCount;
}

bool NextSearchWord(const char*& rest, const char** word, size_t* length) {
  if (rest == nullptr) return false;
  // A trail byte is never 0x20, so a blank found byte by byte is a blank.
  const char* blank = strchr(rest, ' ');
  *word = rest;
  if (blank == nullptr || blank == rest) {
    *length = strlen(rest);
    rest = nullptr;
  } else {
    *length = static_cast<size_t>(blank - rest);
    rest = blank + 1;
  }
  return true;
}

bool SearchWords::NextWord(const char*& rest, WordMatcher& word) {
  const char* text = nullptr;
  size_t length = 0;
  if (!NextSearchWord(rest, &text, &length)) return false;
  word = WordMatcher(text, length);
  return true;
}

bool SearchWords::FoundIn(const char* field, size_t length) const {
  for (int i = 0; i < m_nCount; ++i) {
    if (m_words[i].FoundIn(field, length)) return true;
  }
  if (m_pszRest == nullptr) return false;
  WordMatcher word;
  for (const char* rest = m_pszRest; NextWord(rest, word);) {
    if (word.FoundIn(field, length)) return true;
  }
  return false;
}

bool MatchesSearchWords(const char* field, const char* text) {
  return SearchWords(text).FoundIn(field, strlen(field));
}

namespace {

bool IsNumberMark(char byte) { return byte == '-' || byte == '(' || byte == ')' || byte == 'P'; }

}  // namespace

bool NarrowPhoneText(const char* text, char* out, size_t size, size_t* length) {
  size_t n = 0;
  bool fits = true;
  // One character at a time: narrowing never looks past a character, and a
  // search text may be far longer than any buffer here.
  for (size_t i = 0; text[i] != '\0' && fits;) {
    bool pair = IsCp932LeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0';
    char character[3] = {text[i], pair ? text[i + 1] : '\0', '\0'};
    i += pair ? 2 : 1;
    ToHalfWidth(character);
    for (const char* c = character; *c != '\0'; ++c) {
      if (IsNumberMark(*c)) continue;
      if (n + 1 >= size) {
        fits = false;
        break;
      }
      out[n++] = *c;
    }
  }
  out[n] = '\0';
  *length = n;
  return fits;
}

PhoneKey::PhoneKey(const char* text) {
  m_bFits = NarrowPhoneText(text, m_szKey, sizeof m_szKey, &m_nLength);
}

bool PhoneKey::FoundIn(const char* field) const {
  if (!m_bFits) return false;
  size_t length = 0;
  NarrowPhoneText(field, m_szNarrowed, sizeof m_szNarrowed, &length);
  return OccursAtCharBoundary(m_szNarrowed, length, m_szKey, m_nLength);
}
