#include "search/romaji.h"

#include <stdint.h>
#include <string.h>

#include "text/byte_text.h"
#include "text/search_fold.h"

// The syllables of each kana stand together, one row of the kana a line.
// clang-format off
constexpr RomajiSyllable kRomajiSyllables[] = {
    {"ぁ", "a|xa|la"}, {"あ", "a"}, {"ぃ", "i|xi|li"}, {"い", "i"}, {"ぅ", "u|xu|lu"}, {"う", "u"},
    {"うぃ", "wi"}, {"うぇ", "we"}, {"うぉ", "wo"}, {"ぇ", "e|xe|le"}, {"え", "e"},
    {"ぉ", "o|xo|lo"}, {"お", "o"},
    {"か", "ka"}, {"が", "ga"}, {"き", "ki"}, {"きゃ", "kya"}, {"きゅ", "kyu"}, {"きょ", "kyo"},
    {"ぎ", "gi"}, {"ぎゃ", "gya"}, {"ぎゅ", "gyu"}, {"ぎょ", "gyo"}, {"く", "ku"}, {"ぐ", "gu"},
    {"け", "ke"}, {"げ", "ge"}, {"こ", "ko"}, {"ご", "go"},
    {"さ", "sa"}, {"ざ", "za"}, {"し", "shi|si"}, {"しゃ", "sha|sya"}, {"しゅ", "shu|syu"},
    {"しょ", "sho|syo"}, {"しぇ", "she|sye"}, {"じ", "ji|zi"}, {"じゃ", "ja|zya|jya"},
    {"じゅ", "ju|zyu|jyu"}, {"じょ", "jo|zyo|jyo"}, {"じぇ", "je|zye|jye"}, {"す", "su"},
    {"ず", "zu"}, {"せ", "se"}, {"ぜ", "ze"}, {"そ", "so"}, {"ぞ", "zo"},
    {"た", "ta"}, {"だ", "da"}, {"ち", "chi|ti"}, {"ちゃ", "cha|tya|cya"}, {"ちゅ", "chu|tyu|cyu"},
    {"ちょ", "cho|tyo|cyo"}, {"ちぇ", "che|tye|cye"}, {"ぢ", "ji|di|zi"}, {"ぢゃ", "ja|dya|zya"},
    {"ぢゅ", "ju|dyu|zyu"}, {"ぢょ", "jo|dyo|zyo"}, {"つ", "tsu|tu"}, {"づ", "zu|du"},
    {"て", "te"}, {"てぃ", "ti"}, {"で", "de"}, {"でぃ", "di"}, {"と", "to"}, {"ど", "do"},
    {"な", "na"}, {"に", "ni"}, {"にゃ", "nya"}, {"にゅ", "nyu"}, {"にょ", "nyo"}, {"ぬ", "nu"},
    {"ね", "ne"}, {"の", "no"},
    {"は", "ha"}, {"ば", "ba"}, {"ぱ", "pa"}, {"ひ", "hi"}, {"ひゃ", "hya"}, {"ひゅ", "hyu"},
    {"ひょ", "hyo"}, {"び", "bi"}, {"びゃ", "bya"}, {"びゅ", "byu"}, {"びょ", "byo"}, {"ぴ", "pi"},
    {"ぴゃ", "pya"}, {"ぴゅ", "pyu"}, {"ぴょ", "pyo"}, {"ふ", "fu|hu"}, {"ふぁ", "fa"},
    {"ふぃ", "fi"}, {"ふぇ", "fe"}, {"ふぉ", "fo"}, {"ぶ", "bu"}, {"ぷ", "pu"}, {"へ", "he"},
    {"べ", "be"}, {"ぺ", "pe"}, {"ほ", "ho"}, {"ぼ", "bo"}, {"ぽ", "po"},
    {"ま", "ma"}, {"み", "mi"}, {"みゃ", "mya"}, {"みゅ", "myu"}, {"みょ", "myo"}, {"む", "mu"},
    {"め", "me"}, {"も", "mo"},
    {"ゃ", "ya|xya|lya"}, {"や", "ya"}, {"ゅ", "yu|xyu|lyu"}, {"ゆ", "yu"}, {"ょ", "yo|xyo|lyo"},
    {"よ", "yo"},
    {"ら", "ra"}, {"り", "ri"}, {"りゃ", "rya"}, {"りゅ", "ryu"}, {"りょ", "ryo"}, {"る", "ru"},
    {"れ", "re"}, {"ろ", "ro"},
    {"ゎ", "wa|xwa|lwa"}, {"わ", "wa"}, {"ゐ", "i|wi"}, {"ゑ", "e|we"}, {"を", "o|wo"},
    {"ん", "n|nn|n'"},
    {"ヴ", "vu"}, {"ヴぁ", "va"}, {"ヴぃ", "vi"}, {"ヴぇ", "ve"}, {"ヴぉ", "vo"},
};
// clang-format on
const int kRomajiSyllableCount = sizeof kRomajiSyllables / sizeof kRomajiSyllables[0];

namespace {

constexpr uint16_t Code(const char* character) {
  return static_cast<uint16_t>(static_cast<unsigned char>(character[0]) << 8 |
                               static_cast<unsigned char>(character[1]));
}

uint16_t Code(const unsigned char* character) {
  return static_cast<uint16_t>(character[0] << 8 | character[1]);
}

constexpr uint16_t kFirstHiragana = 0x829F;  // ぁ
constexpr uint16_t kLastHiragana = 0x82F1;   // ん
constexpr uint16_t kSmallTsu = 0x82C1;       // っ
constexpr uint16_t kN = 0x82F1;              // ん
constexpr uint16_t kU = 0x82A4;              // う
constexpr uint16_t kO = 0x82A8;              // お
constexpr uint16_t kVu = 0x8394;             // ヴ
constexpr uint16_t kLongVowel = 0x815B;      // ー
constexpr uint16_t kMiddleDot = 0x8145;      // ・
constexpr int kKanaSlots = kLastHiragana - kFirstHiragana + 2;

constexpr int KanaSlot(uint16_t code) {
  if (code >= kFirstHiragana && code <= kLastHiragana) return code - kFirstHiragana;
  return code == kVu ? kKanaSlots - 1 : -1;
}

// ぁぃぅぇぉゃゅょゎ, which may join the kana before them.
constexpr bool IsSmallKana(uint16_t code) {
  return (code >= 0x829F && code <= 0x82A7 && code % 2 == 1) || code == 0x82E1 || code == 0x82E3 ||
         code == 0x82E5 || code == 0x82EC;
}

constexpr bool IsVowel(char letter) {
  return letter == 'a' || letter == 'i' || letter == 'u' || letter == 'e' || letter == 'o';
}

// The spellings of one syllable, split once, and the letters they begin
// with, so that a syllable that cannot begin the word costs one test.
struct Spellings {
  static constexpr int kMost = 4;
  static constexpr int kLongest = 3;
  char text[kMost][kLongest] = {};
  uint8_t length[kMost] = {};
  int count = 0;
  uint32_t firstLetters = 0;  // bit n: a spelling begins with 'a' + n
  char vowel = '\0';          // the vowel that the first spelling ends in

  constexpr void Add(const char* spelling, size_t n) {
    if (static_cast<unsigned>(count) >= static_cast<unsigned>(kMost)) return;
    if (count == 0 && n > 0 && IsVowel(spelling[n - 1])) vowel = spelling[n - 1];
    for (size_t i = 0; i < n; ++i) text[count][i] = spelling[i];
    length[count++] = static_cast<uint8_t>(n);
    if (n > 0 && spelling[0] >= 'a' && spelling[0] <= 'z') {
      firstLetters |= uint32_t{1} << (spelling[0] - 'a');
    }
  }
  // Adds the |-separated spellings of list.
  constexpr void AddList(const char* list) {
    for (;;) {
      size_t n = 0;
      while (list[n] != '\0' && list[n] != '|') ++n;
      Add(list, n);
      if (list[n] == '\0') return;
      list += n + 1;
    }
  }
};

// The table's syllables as Spellings, and where each kana's stand.
struct SyllableTable {
  Spellings spellings[sizeof kRomajiSyllables / sizeof kRomajiSyllables[0]];
  uint16_t first[kKanaSlots] = {};
  uint16_t count[kKanaSlots] = {};
  // What a kana's syllables can begin with, the spellings that follow from
  // the syllables around it (ん's m, a long vowel's h) among them, those of
  // its voiced forms too; and whether a small kana may join it.
  uint32_t firstLetters[kKanaSlots] = {};
  uint32_t voicedFirstLetters[kKanaSlots] = {};
  bool pairs[kKanaSlots] = {};
  char vowel[kKanaSlots] = {};
  int16_t single[kKanaSlots] = {};  // the kana alone, or -1
  bool grouped = true;
  constexpr SyllableTable() : spellings() {
    for (int16_t& index : single) index = -1;
    for (int i = 0; i < kRomajiSyllableCount; ++i) {
      spellings[i].AddList(kRomajiSyllables[i].spellings);
      const char* kana = kRomajiSyllables[i].kana;
      int slot = KanaSlot(Code(kana));
      if (slot < 0) {
        grouped = false;
        continue;
      }
      if (count[slot] == 0) first[slot] = static_cast<uint16_t>(i);
      if (first[slot] + count[slot] != i) grouped = false;
      ++count[slot];
      firstLetters[slot] |= spellings[i].firstLetters;
      if (kana[2] != '\0') pairs[slot] = true;
      if (kana[2] == '\0') {
        vowel[slot] = spellings[i].vowel;
        single[slot] = static_cast<int16_t>(i);
      }
    }
    firstLetters[KanaSlot(kN)] |= 1u << ('m' - 'a');
    firstLetters[KanaSlot(kU)] |= 1u << ('h' - 'a');
    firstLetters[KanaSlot(kO)] |= 1u << ('h' - 'a');
    // A voiced kana stands one or two codes after its own, ヴ after う.
    for (int slot = 0; slot < kKanaSlots; ++slot) {
      voicedFirstLetters[slot] = firstLetters[slot];
      for (int step = 1; step <= 2 && slot + step < kKanaSlots - 1; ++step) {
        voicedFirstLetters[slot] |= firstLetters[slot + step];
      }
    }
    voicedFirstLetters[KanaSlot(kU)] |= firstLetters[KanaSlot(kVu)];
  }
};
constexpr SyllableTable kSyllables;
static_assert(kSyllables.grouped, "the syllables of one kana stand together");

// The syllable that begins with the kana in slot at text[0..left): with the
// small kana after it when the table has the pair. Sets *used to its bytes;
// -1 when the table has neither.
int SyllableOf(int slot, const unsigned char* text, size_t left, size_t* used) {
  int single = -1;
  for (int i = kSyllables.first[slot]; i < kSyllables.first[slot] + kSyllables.count[slot]; ++i) {
    const char* kana = kRomajiSyllables[i].kana;
    if (kana[2] == '\0') {
      single = i;
    } else if (left >= 4 && Code(kana + 2) == Code(text + 2)) {
      *used = 4;
      return i;
    }
  }
  *used = 2;
  return single;
}

constexpr int kMostSyllables = 3;

// The syllables at text[0..left), at least two bytes: the one that it
// writes and, when the reading was folded without its voicing marks, those
// of its voiced forms that are as long. Returns how many.
int SyllablesAt(const unsigned char* text, size_t left, unsigned foldFlags,
                const Spellings* (&found)[kMostSyllables], size_t* used) {
  uint16_t code = Code(text);
  int slot = KanaSlot(code);
  int syllable = slot >= 0 ? SyllableOf(slot, text, left, used) : -1;
  if (syllable < 0) return 0;
  found[0] = &kSyllables.spellings[syllable];
  int count = 1;
  if ((foldFlags & kFoldDropVoicing) == 0) return count;
  // A voiced kana stands one or two codes after its own, ヴ after う: each
  // that folds to this one is one of its forms.
  const uint16_t forms[] = {static_cast<uint16_t>(code + 1), static_cast<uint16_t>(code + 2),
                            code == kU ? kVu : code};
  for (uint16_t form : forms) {
    int formSlot = KanaSlot(form);
    if (form == code || formSlot < 0) continue;
    const char character[2] = {static_cast<char>(form >> 8), static_cast<char>(form)};
    char folded[5];
    size_t length = 0;
    const char* key = FoldForSearch(character, 2, folded, sizeof folded, foldFlags, &length);
    if (length != 2 || Code(key) != code) continue;
    unsigned char pair[4] = {static_cast<unsigned char>(form >> 8),
                             static_cast<unsigned char>(form), 0, 0};
    if (*used == 4) memcpy(pair + 2, text + 2, 2);
    size_t formUsed = 0;
    int formSyllable = SyllableOf(formSlot, pair, *used, &formUsed);
    if (formSyllable >= 0 && formUsed == *used)
      found[count++] = &kSyllables.spellings[formSyllable];
  }
  return count;
}

// The spellings of one syllable, or of a sign between syllables.
struct Unit {
  const Spellings* lists[kMostSyllables + 1];
  int count = 0;
  Spellings made;  // spellings that follow from the syllables around
  size_t used = 0;
  char vowel = '\0';
  void Add(const Spellings* list) { lists[count++] = list; }
  void AddMade() { lists[count++] = &made; }
};

// っ: the consonant that begins each spelling of the syllable after it.
void ReadSmallTsu(const unsigned char* text, size_t left, unsigned foldFlags, Unit& unit) {
  const Spellings* next[kMostSyllables];
  size_t used = 0;
  int count = left >= 4 ? SyllablesAt(text + 2, left - 2, foldFlags, next, &used) : 0;
  auto add = [&](char consonant) {
    for (int i = 0; i < unit.made.count; ++i) {
      if (unit.made.text[i][0] == consonant) return;
    }
    if (unit.made.count < Spellings::kMost) unit.made.Add(&consonant, 1);
  };
  for (int i = 0; i < count; ++i) {
    for (int k = 0; k < next[i]->count; ++k) {
      const char* spelling = next[i]->text[k];
      if (next[i]->length[k] == 0 || IsVowel(spelling[0]) || spelling[0] == 'n') continue;
      add(spelling[0]);
      if (spelling[0] == 'c' && spelling[1] == 'h') add('t');  // tch, as Hepburn writes it
    }
  }
  if (unit.made.count == 0) unit.made.Add("", 0);
  unit.AddMade();
}

// Reads the unit at text[0..left); false for a character that has no
// romaji, which no word crosses.
bool ReadUnit(const unsigned char* text, size_t left, char vowelBefore, unsigned foldFlags,
              Unit& unit) {
  unit.used = 1;
  if (text[0] == ' ') {
    unit.made.Add("", 0);
    unit.AddMade();
    return true;
  }
  if (text[0] > ' ' && text[0] < 0x7F) {
    unit.made.Add(reinterpret_cast<const char*>(text), 1);
    unit.AddMade();
    return true;
  }
  if (!IsCp932LeadByte(text[0]) || left < 2) return false;
  uint16_t code = Code(text);
  unit.used = 2;
  if (code == kMiddleDot) {
    unit.made.Add("", 0);
    unit.AddMade();
    return true;
  }
  if (code == kLongVowel) {
    // ー: left out, written as -, or as its vowel again.
    unit.made.AddList("|-");
    if (vowelBefore != '\0') unit.made.Add(&vowelBefore, 1);
    if (vowelBefore == 'o') unit.made.Add("h", 1);
    unit.AddMade();
    unit.vowel = vowelBefore;
    return true;
  }
  if (code == kSmallTsu) {
    ReadSmallTsu(text, left, foldFlags, unit);
    return true;
  }
  const Spellings* found[kMostSyllables];
  int count = SyllablesAt(text, left, foldFlags, found, &unit.used);
  if (count == 0) return false;
  for (int i = 0; i < count; ++i) unit.Add(found[i]);
  unit.vowel = found[0]->vowel;
  if (code == kN) {
    // Before b, m and p Hepburn writes ん as m: homma, shimbun.
    const Spellings* next[kMostSyllables];
    size_t nextUsed = 0;
    int nextCount = left >= 4 ? SyllablesAt(text + 2, left - 2, foldFlags, next, &nextUsed) : 0;
    constexpr uint32_t kLips = 1u << ('b' - 'a') | 1u << ('m' - 'a') | 1u << ('p' - 'a');
    for (int i = 0; i < nextCount; ++i) {
      if ((next[i]->firstLetters & kLips) != 0) {
        unit.made.Add("m", 1);
        unit.AddMade();
        break;
      }
    }
  } else if (unit.used == 2 && ((code == kU && (vowelBefore == 'o' || vowelBefore == 'u')) ||
                                (code == kO && vowelBefore == 'o'))) {
    // A long vowel: written (ou, oo, uu), left out, or oh.
    unit.made.Add("", 0);
    if (vowelBefore == 'o') unit.made.Add("h", 1);
    unit.AddMade();
    unit.vowel = vowelBefore;
  }
  return true;
}

// A syllable alone, as the table spells it, when it is the unit at text:
// a kana that no small kana joins, which takes no spelling from the
// syllables around it, in a reading that kept its voicing marks.
inline const Spellings* PlainSyllable(const unsigned char* text, size_t left, char vowelBefore,
                                      unsigned foldFlags) {
  if (left < 2 || (foldFlags & kFoldDropVoicing) != 0) return nullptr;
  uint16_t code = Code(text);
  int slot = KanaSlot(code);
  if (slot < 0 || kSyllables.single[slot] < 0 || code == kSmallTsu || code == kN) return nullptr;
  if (kSyllables.pairs[slot] && left >= 4 && IsSmallKana(Code(text + 2))) return nullptr;
  if ((code == kU && (vowelBefore == 'o' || vowelBefore == 'u')) ||
      (code == kO && vowelBefore == 'o')) {
    return nullptr;
  }
  return &kSyllables.spellings[kSyllables.single[slot]];
}

constexpr unsigned char kHiraganaLead = 0x82;

}  // namespace

bool IsRomajiWord(const char* word, size_t length) {
  if (length == 0 || length > kMaxRomajiWord) return false;
  bool letter = false;
  for (size_t i = 0; i < length; ++i) {
    char c = word[i];
    if (c >= 'a' && c <= 'z') {
      letter = true;
    } else if (c != '\'' && c != '-') {
      return false;
    }
  }
  return letter;
}

bool RomajiWord::Prepare(const char* word, size_t length, unsigned foldFlags) {
  m_nLength = 0;
  if (!IsRomajiWord(word, length)) return false;
  m_nLength = length;
  m_nFlags = foldFlags;
  m_nFirstLetter = word[0] >= 'a' ? uint32_t{1} << (word[0] - 'a') : 0;
  memset(m_anPassed, 0, sizeof m_anPassed);
  // Past the word's end every letter stands: a spelling that goes on past
  // it reads the word's last letters.
  const uint64_t past = ~uint64_t{0} << length;
  for (uint64_t& at : m_anAt) at = past;
  for (size_t i = 0; i < length; ++i) m_anAt[word[i] & 0x7F] |= uint64_t{1} << i;
  const uint32_t* kanaLetters =
      (foldFlags & kFoldDropVoicing) != 0 ? kSyllables.voicedFirstLetters : kSyllables.firstLetters;
  for (int trail = 0; trail < 256; ++trail) {
    auto code = static_cast<uint16_t>(kHiraganaLead << 8 | trail);
    int slot = KanaSlot(code);
    bool passed = slot >= 0 && (kanaLetters[slot] & m_nFirstLetter) == 0 && !IsSmallKana(code) &&
                  code != kSmallTsu;
    m_anPassed[trail / 64] |= uint64_t{passed} << (trail % 64);
  }
  return true;
}

bool RomajiWord::FoundIn(const char* reading, size_t length) const {
  if (m_nLength == 0) return false;
  const auto* text = reinterpret_cast<const unsigned char*>(reading);
  const uint64_t inWord = (uint64_t{1} << m_nLength) - 1;
  uint64_t reached = 1;  // bit n: the spellings so far can have read n letters
  char vowel = '\0';
  Unit unit;
  for (size_t at = 0; at < length;) {
    if (reached == 1) {
      // Most syllables can neither go on with the word nor begin it.
      while (at + 1 < length && text[at] == kHiraganaLead &&
             (m_anPassed[text[at + 1] / 64] >> (text[at + 1] % 64) & 1) != 0) {
        int slot = KanaSlot(Code(text + at));
        vowel = kSyllables.vowel[slot];
        if (kSyllables.pairs[slot] && at + 3 < length && IsSmallKana(Code(text + at + 2))) {
          size_t used = 0;
          int syllable = SyllableOf(slot, text + at, length - at, &used);
          if (syllable >= 0 && used == 4) {
            vowel = kSyllables.spellings[syllable].vowel;
            at += 2;
          }
        }
        at += 2;
      }
      if (at >= length) break;
    }
    const Spellings* plain = PlainSyllable(text + at, length - at, vowel, m_nFlags);
    const Spellings* const* lists = &plain;
    int count = 1;
    if (plain != nullptr) {
      at += 2;
      vowel = plain->vowel;
    } else {
      unit = Unit();
      if (!ReadUnit(text + at, length - at, vowel, m_nFlags, unit)) {
        at += IsCp932LeadByte(text[at]) && at + 1 < length ? 2 : 1;
        reached = 1;
        vowel = '\0';
        continue;
      }
      at += unit.used;
      vowel = unit.vowel;
      lists = unit.lists;
      count = unit.count;
    }
    // Each spelling takes the places where its letters stand in the word
    // on by its length; a place past the end has read the whole word.
    uint64_t next = 0;
    for (int i = 0; i < count; ++i) {
      const Spellings& list = *lists[i];
      for (int k = 0; k < list.count; ++k) {
        uint64_t from = reached;
        for (int n = 0; n < list.length[k]; ++n) {
          from &= m_anAt[list.text[k][n] & 0x7F] >> n;
        }
        next |= from << list.length[k];
      }
    }
    if ((next & ~inWord) != 0) return true;
    reached = (next & inWord) | 1;  // a word may begin with the next syllable
  }
  return false;
}

bool RomajiFoundInReading(const char* word, size_t wordLength, const char* reading, size_t length,
                          unsigned foldFlags) {
  RomajiWord romaji;
  return romaji.Prepare(word, wordLength, foldFlags) && romaji.FoundIn(reading, length);
}
