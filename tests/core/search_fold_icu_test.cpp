// The search fold against ICU's transforms on every character of code page
// 932, and the romaji table against ICU's Latin-Hiragana; each difference
// that the fold makes on purpose is listed with its reason.
#include <gtest/gtest.h>
#include <string.h>
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>
#include <vector>

#include "search/romaji.h"
#include "text/search_fold.h"

namespace {

using icu::UnicodeString;

// Why the fold may differ from ICU on a character; any other difference is
// a fault.
enum Reason {
  kSpacingMark,
  kRomanNumeral,
  kCompatibilityKanji,
  kEnclosed,
  kSpelledOut,
  kNotInCp932,
  kNone
};
const char* const kReasons[] = {
    "゛ and ゜, which NFKC writes as a blank and a combining mark: the fold keeps them, or drops "
    "them with the voicing marks",
    "a Roman numeral: the fold keeps it, as it keeps those that NFKC spells in several letters",
    "a compatibility kanji, which NFKC maps to its unified form: kanji stay as they are",
    "an enclosed sign (①, ㊤), which NFKC replaces with what it encloses: the fold keeps the sign",
    "NFKC spells the sign out in several characters (⑩, ㍻, ㎞, …): the fold keeps one "
    "character for one",
    "ICU folds it to a character that code page 932 cannot hold (the hiragana vu, the yen and "
    "cent signs, a combining mark): the fold keeps it, or takes its code page 932 form",
};

class Cp932 {
 public:
  Cp932() : m_converter(ucnv_open("windows-31j", &m_status), ucnv_close) {
    ucnv_setToUCallBack(m_converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &m_status);
    ucnv_setFromUCallBack(m_converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &m_status);
  }
  bool Ready() const { return U_SUCCESS(m_status); }
  // False for bytes that are no character.
  bool Decode(const std::string& bytes, UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    UChar units[8];
    int32_t n = ucnv_toUChars(m_converter.get(), units, 8, bytes.data(),
                              static_cast<int32_t>(bytes.size()), &status);
    ucnv_resetToUnicode(m_converter.get());
    text = UnicodeString(units, n);
    return U_SUCCESS(status) && (n > 0 || bytes.empty());
  }
  bool Holds(const UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    char bytes[32];
    ucnv_fromUChars(m_converter.get(), bytes, sizeof bytes, text.getBuffer(), text.length(),
                    &status);
    ucnv_resetFromUnicode(m_converter.get());
    return U_SUCCESS(status);
  }

 private:
  UErrorCode m_status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, void (*)(UConverter*)> m_converter;
};

std::unique_ptr<icu::Transliterator> Transform(const char* id) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> transform(
      icu::Transliterator::createInstance(UnicodeString::fromUTF8(id), UTRANS_FORWARD, status));
  return U_SUCCESS(status) ? std::move(transform) : nullptr;
}

Reason ReasonFor(UChar32 character, const UnicodeString& icu, Cp932& cp932) {
  if (character == 0x309B || character == 0x309C) return kSpacingMark;
  if (character >= 0x2160 && character <= 0x217F) return kRomanNumeral;
  if (character >= 0xF900 && character <= 0xFAFF) return kCompatibilityKanji;
  if ((character >= 0x2460 && character <= 0x24FF) ||
      (character >= 0x3200 && character <= 0x32FF)) {
    if (icu.countChar32() == 1 && cp932.Holds(icu)) return kEnclosed;
  }
  if (icu.countChar32() > 1 && cp932.Holds(icu)) return kSpelledOut;
  if (!cp932.Holds(icu)) return kNotInCp932;
  return kNone;
}

bool IsLead(int byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }
bool IsHalfWidth(int byte) { return byte >= 0xA1 && byte <= 0xDF; }

std::string Utf8(const UnicodeString& text) {
  std::string bytes;
  return text.toUTF8String(bytes);
}

TEST(SearchFold, AgreesWithIcuOnEveryCodePage932CharacterButForTheListedReasons) {
  Cp932 cp932;
  ASSERT_TRUE(cp932.Ready());
  // ICU has no transform that drops the voicing marks: they are taken off
  // the decomposed text.
  const char* const kTransforms[] = {
      "NFKC; Katakana-Hiragana; Lower",
      "NFKC; Katakana-Hiragana; Lower; NFD; [\\u3099\\u309A] Remove; NFC"};
  // Every one- and two-byte code, and each half-width kana with a mark.
  std::vector<std::string> characters;
  for (int a = 1; a < 0x100; ++a) {
    std::string one(1, static_cast<char>(a));
    characters.push_back(one);
    if (IsLead(a)) {
      for (int b = 0x40; b <= 0xFC; ++b) characters.push_back(one + static_cast<char>(b));
    }
    if (IsHalfWidth(a)) {
      characters.push_back(one + "\xDE");
      characters.push_back(one + "\xDF");
    }
  }
  int explained[kNone] = {};
  int checked = 0;
  for (unsigned flags : {0u, kFoldDropVoicing}) {
    auto transform = Transform(kTransforms[flags]);
    ASSERT_NE(nullptr, transform);
    for (const std::string& bytes : characters) {
      UnicodeString text;
      bool marked = IsHalfWidth(static_cast<unsigned char>(bytes[0])) && bytes.size() == 2;
      if (!cp932.Decode(bytes, text) || text.countChar32() != (marked ? 2 : 1)) continue;
      ++checked;
      char out[8];
      size_t length = 0;
      const char* key = FoldForSearch(bytes.data(), bytes.size(), out, sizeof out, flags, &length);
      UnicodeString folded;
      ASSERT_TRUE(cp932.Decode(std::string(key, length), folded)) << Utf8(text);
      UnicodeString icu = text;
      transform->transliterate(icu);
      if (folded == icu) continue;
      Reason reason = ReasonFor(text.char32At(0), icu, cp932);
      if (reason == kNone) {
        ADD_FAILURE() << Utf8(text) << " folds to " << Utf8(folded) << ", ICU's " << Utf8(icu)
                      << (flags ? " (voicing marks dropped)" : "");
      } else {
        ++explained[reason];
      }
    }
  }
  EXPECT_GT(checked, 2 * 9000);
  // The list stays true: each reason stands for some character.
  for (int reason = 0; reason < kNone; ++reason)
    EXPECT_GT(explained[reason], 0) << kReasons[reason];
}

// The table's Hepburn spellings that ICU reads as other kana, and why.
struct RomajiDifference {
  const char* kana;
  const char* reason;
};
const RomajiDifference kRomajiDifferences[] = {
    {"ぁ ぃ ぅ ぇ ぉ ゃ ゅ ょ ゎ", "a small kana alone: Hepburn spells it as the large one"},
    {"ぢ ぢゃ ぢゅ ぢょ づ", "Hepburn spells ぢ and づ as じ and ず do, and ICU reads them so"},
    {"ゐ ゑ を", "Hepburn spells ゐ, ゑ and を as い, え and お"},
    {"うぃ うぇ うぉ", "ICU reads wi, we and wo as the old kana ゐ, ゑ and を"},
    {"ヴぁ ヴぃ ヴぇ ヴぉ",
     "ICU writes va, vi, ve and vo with the voiced わ row, U+30F7 to U+30FA"},
};

// Whether kana is one of the blank-separated kana of list.
bool Lists(const char* list, const char* kana) {
  std::string blanked = std::string(" ") + list + " ";
  return blanked.find(std::string(" ") + kana + " ") != std::string::npos;
}

TEST(SearchFold, TheRomajiTableSpellsEveryKanaAsIcuReadsItButForTheListedReasons) {
  Cp932 cp932;
  ASSERT_TRUE(cp932.Ready());
  auto latin = Transform("Latin-Hiragana");
  auto hiragana = Transform("Katakana-Hiragana");
  ASSERT_TRUE(latin != nullptr && hiragana != nullptr);
  bool spelled[0x100] = {};
  for (int i = 0; i < kRomajiSyllableCount; ++i) {
    const RomajiSyllable& syllable = kRomajiSyllables[i];
    if (syllable.kana[2] == '\0') spelled[static_cast<unsigned char>(syllable.kana[1])] = true;
    std::string hepburn(syllable.spellings, strcspn(syllable.spellings, "|"));
    UnicodeString kana, read = UnicodeString::fromUTF8(hepburn);
    ASSERT_TRUE(cp932.Decode(syllable.kana, kana));
    hiragana->transliterate(kana);
    latin->transliterate(read);
    if (read == kana) continue;
    bool listed = false;
    for (const RomajiDifference& difference : kRomajiDifferences) {
      listed = listed || Lists(difference.kana, syllable.kana);
    }
    EXPECT_TRUE(listed) << Utf8(kana) << " as " << hepburn << ": ICU reads " << Utf8(read);
  }
  // Every hiragana of code page 932 has its syllable; っ doubles the next.
  for (int trail = 0x9F; trail <= 0xF1; ++trail) {
    EXPECT_TRUE(spelled[trail] || trail == 0xC1) << "no syllable for 0x82" << std::hex << trail;
  }
}

}  // namespace
