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

bool OccursAtCharBoundary(const char* field, size_t fieldLength, const char* word,
                          size_t wordLength) {
  if (wordLength == 0) return true;
  if (wordLength > fieldLength) return false;
  const auto* bytes = reinterpret_cast<const unsigned char*>(field);
  const size_t lastStart = fieldLength - wordLength;
  size_t base = 0;
  for (size_t from = 0; from <= lastStart;) {
    const void* hit = memchr(bytes + from, word[0], lastStart - from + 1);
    if (hit == nullptr) return false;
    size_t at = static_cast<size_t>(static_cast<const unsigned char*>(hit) - bytes);
    // The second byte first: a lead byte alone finds half the characters
    // of a line of the same kind.
    if (wordLength == 1 ||
        (field[at + 1] == word[1] && memcmp(field + at + 2, word + 2, wordLength - 2) == 0)) {
      if (BeginsCharacter(bytes, base, at)) return true;
      base = at + 1;  // the second byte of a pair: a character begins after it
    }
    from = at + 1;
  }
  return false;
}

SearchWords::SearchWords(const char* text) : m_pszRest(text) {
  // A trail byte is never 0x20, so a blank found byte by byte is a blank.
  while (m_nCount < kKeptWords && NextWord(m_pszRest, m_words[m_nCount])) ++m_nCount;
}

bool SearchWords::NextWord(const char*& rest, Word& word) {
  if (rest == nullptr) return false;
  const char* blank = strchr(rest, ' ');
  if (blank == nullptr || blank == rest) {
    word = {rest, strlen(rest)};
    rest = nullptr;
  } else {
    word = {rest, static_cast<size_t>(blank - rest)};
    rest = blank + 1;
  }
  return true;
}

bool SearchWords::FoundIn(const char* field, size_t length) const {
  for (int i = 0; i < m_nCount; ++i) {
    if (OccursAtCharBoundary(field, length, m_words[i].text, m_words[i].length)) return true;
  }
  Word word;
  for (const char* rest = m_pszRest; NextWord(rest, word);) {
    if (OccursAtCharBoundary(field, length, word.text, word.length)) return true;
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
