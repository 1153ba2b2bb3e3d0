// Readings written out in Latin letters, so that a person typing on a
// phone or a Latin keyboard finds ﾔﾏﾀﾞ by yamada: Hepburn, and the
// spellings that input methods take (si, tu, ti, hu, zi, sya, zya, jya).
#pragma once

#include <stddef.h>
#include <stdint.h>

// One syllable: a kana, or a kana with the small kana after it, as the
// search fold writes them (hiragana, and ヴ), with its spellings separated
// by |, the Hepburn one first. っ and the long vowels follow from the
// syllables around them; ん's spellings take an m before b, m and p.
struct RomajiSyllable {
  const char* kana;
  const char* spellings;
};

extern const RomajiSyllable kRomajiSyllables[];
extern const int kRomajiSyllableCount;

// The longest word that is looked for as romaji: a reading holds at most
// 63 bytes, and a syllable's spelling is at most three letters.
constexpr size_t kMaxRomajiWord = 60;

// True for a folded search word that is looked for as romaji: small Latin
// letters, with ' (shin'ichi) and - (a long vowel, ra-men) among them.
bool IsRomajiWord(const char* word, size_t length);

// A folded search word made ready to be looked for in readings.
class RomajiWord {
 public:
  // False, and the word found in no reading, when it is no romaji word.
  bool Prepare(const char* word, size_t length, unsigned foldFlags);
  // As RomajiFoundInReading.
  bool FoundIn(const char* reading, size_t length) const;

 private:
  // For each ASCII byte, the places in the word where it stands (bit n:
  // the word's letter n), and every place past the word's end.
  uint64_t m_anAt[128];
  size_t m_nLength = 0;
  unsigned m_nFlags = 0;
  uint32_t m_nFirstLetter = 0;
  // The hiragana, by their second byte (bit n of the set), that begin no
  // syllable that the word can begin with: a search passes over them.
  uint64_t m_anPassed[4];
};

// True when reading[0..length), folded for the search with foldFlags,
// written out in romaji holds the word from the start of one of its
// syllables, the word perhaps ending inside one, as while it is typed. A
// long vowel may be written or not (とうきょう as toukyou, tokyo, toukyo,
// tohkyo), っ doubles the consonant after it, ん before a vowel or y is also
// n' or nn, a blank or ・ between names is left out. With the voicing marks
// dropped from the reading, a syllable also takes the spellings of its
// voiced forms.
bool RomajiFoundInReading(const char* word, size_t wordLength, const char* reading, size_t length,
                          unsigned foldFlags);
