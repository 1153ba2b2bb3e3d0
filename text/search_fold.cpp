#include "text/search_fold.h"

#include <stdint.h>
#include <string.h>

#include "text/byte_text.h"

namespace {

// What a character folds to: itself, nothing (a dropped voicing mark), an
// ASCII byte, or a two-byte character.
constexpr uint16_t kSame = 0;
constexpr uint16_t kNothing = 0x100;

constexpr uint16_t Code(const char* character) {
  return static_cast<uint16_t>(static_cast<unsigned char>(character[0]) << 8 |
                               static_cast<unsigned char>(character[1]));
}

// The full-width signs that have an ASCII form, each followed by it.
constexpr char kSigns[] =
    "　 "
    "，,．.：:；;？?！!｀`＾^＿_／/＼\\～~｜|（(）)［[］]｛{｝}＋+－-＝=＜<＞>＄$％%＃#＆&＊*＠@";
static_assert(sizeof kSigns - 1 == 31 * 3, "31 signs");

// Each voiced kana stands one code after the kana it voices, each
// semi-voiced kana two.
constexpr char kVoiced[] = "がぎぐげござじずぜぞだぢづでどばびぶべぼ";
constexpr char kSemiVoiced[] = "ぱぴぷぺぽ";

// Half-width 0xA1-0xDF, in their full-width forms.
constexpr char kHalfWidth[] =
    "。「」、・をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"
    "まみむめもやゆよらりるれろわん゛゜";
constexpr int kHalfFirst = 0xA1;
constexpr int kHalfCount = 0xE0 - kHalfFirst;
static_assert(sizeof kHalfWidth - 1 == kHalfCount * 2, "63 half-width characters");

constexpr uint16_t kU = 0x82A4;   // う
constexpr uint16_t kVu = 0x8394;  // ヴ
constexpr uint16_t kVoicingMark = 0x814A;
constexpr uint16_t kSemiVoicingMark = 0x814B;

constexpr bool Holds(const char* list, uint16_t code) {
  for (; *list != '\0'; list += 2) {
    if (Code(list) == code) return true;
  }
  return false;
}

constexpr uint16_t Unvoiced(uint16_t code) {
  if (Holds(kVoiced, code)) return static_cast<uint16_t>(code - 1);
  if (Holds(kSemiVoiced, code)) return static_cast<uint16_t>(code - 2);
  if (code == kVu) return kU;
  if (code == 0x8155) return 0x8154;  // ゞ ゝ
  if (code == kVoicingMark || code == kSemiVoicingMark) return kNothing;
  return code;
}

// The lead bytes whose characters may fold: signs, letters and kana, Greek
// and Cyrillic, and the IBM extensions' apostrophe and quotation mark.
constexpr unsigned char kRowLeads[] = {0x81, 0x82, 0x83, 0x84, 0xEE, 0xFA};
constexpr int kRowCount = sizeof kRowLeads;
constexpr int kTrailFirst = 0x40;
constexpr int kTrailCount = 0xFD - kTrailFirst;

struct FoldTable {
  int8_t rowOf[256];
  uint16_t pair[kRowCount][kTrailCount];
  uint16_t half[kHalfCount];
  // A half-width kana followed by ﾞ or ﾟ, or kSame when it takes no such
  // mark and the mark stands alone.
  uint16_t marked[kHalfCount][2];

  constexpr explicit FoldTable(bool dropVoicing) : rowOf(), pair(), half(), marked() {
    for (int8_t& row : rowOf) row = -1;
    for (int row = 0; row < kRowCount; ++row) rowOf[kRowLeads[row]] = static_cast<int8_t>(row);
    auto set = [&](uint16_t from, uint16_t to) {
      if (dropVoicing) to = Unvoiced(to);
      pair[rowOf[from >> 8]][(from & 0xFF) - kTrailFirst] = to == from ? kSame : to;
    };
    for (const char* sign = kSigns; *sign != '\0'; sign += 3) set(Code(sign), sign[2]);
    set(0x8152, 0x8154);  // ヽ ゝ
    set(0x8153, 0x8155);  // ヾ ゞ
    set(0x8155, 0x8155);
    set(kVoicingMark, kVoicingMark);
    set(kSemiVoicingMark, kSemiVoicingMark);
    for (int i = 0; i < 10; ++i)
      set(static_cast<uint16_t>(0x824F + i), static_cast<uint16_t>('0' + i));
    for (int i = 0; i < 26; ++i) {
      set(static_cast<uint16_t>(0x8260 + i), static_cast<uint16_t>('a' + i));
      set(static_cast<uint16_t>(0x8281 + i), static_cast<uint16_t>('a' + i));
    }
    for (uint16_t c = 0x829F; c <= 0x82F1; ++c) set(c, c);
    // ァ to ン in the hiragana's order; 0x837F is no character.
    for (uint16_t c = 0x8340; c <= 0x837E; ++c) set(c, static_cast<uint16_t>(0x829F + c - 0x8340));
    for (uint16_t c = 0x8380; c <= 0x8393; ++c) set(c, static_cast<uint16_t>(0x82DE + c - 0x8380));
    set(kVu, kVu);
    set(0x8395, 0x82A9);                                                                  // ヵ か
    set(0x8396, 0x82AF);                                                                  // ヶ け
    for (uint16_t c = 0x839F; c <= 0x83B6; ++c) set(c, static_cast<uint16_t>(c + 0x20));  // Greek
    // Cyrillic: the small letters skip 0x847F.
    for (uint16_t c = 0x8440; c <= 0x8460; ++c) {
      uint16_t small = static_cast<uint16_t>(0x8470 + c - 0x8440);
      set(c, static_cast<uint16_t>(small >= 0x847F ? small + 1 : small));
    }
    set(0xEEFB, '\'');
    set(0xEEFC, '"');
    set(0xFA56, '\'');
    set(0xFA57, '"');
    for (int i = 0; i < kHalfCount; ++i) {
      uint16_t base = Code(kHalfWidth + 2 * i);
      half[i] = dropVoicing ? Unvoiced(base) : base;
      uint16_t voiced = base == kU ? kVu : static_cast<uint16_t>(base + 1);
      if (Holds(kVoiced, voiced) || voiced == kVu) marked[i][0] = dropVoicing ? base : voiced;
      if (Holds(kSemiVoiced, static_cast<uint16_t>(base + 2))) {
        marked[i][1] = dropVoicing ? base : static_cast<uint16_t>(base + 2);
      }
    }
  }
};

constexpr FoldTable kKeepVoicing(false);
constexpr FoldTable kDropVoicing(true);

// How the fold takes the character that a byte begins.
enum Kind : uint8_t {
  kAscii,      // itself
  kCapital,    // its small letter
  kPlainPair,  // a two-byte character that is itself
  kTablePair,  // a two-byte character of a row with a table
  kHalfKana,   // half-width, perhaps with ﾞ or ﾟ after it
  kSingle,     // a byte that is no character of its own: itself
};

struct KindTable {
  Kind kind[256];
  constexpr KindTable() : kind() {
    for (int b = 0; b < 256; ++b) {
      if (b < 0x80) {
        kind[b] = b >= 'A' && b <= 'Z' ? kCapital : kAscii;
      } else if (IsCp932LeadByte(static_cast<unsigned char>(b))) {
        kind[b] = kPlainPair;
      } else {
        kind[b] = b >= kHalfFirst && b < kHalfFirst + kHalfCount ? kHalfKana : kSingle;
      }
    }
    for (unsigned char lead : kRowLeads) kind[lead] = kTablePair;
  }
};
constexpr KindTable kKinds;

// What the two-byte character at text[0..1] folds to.
inline uint16_t PairCode(const unsigned char* text, const FoldTable& table) {
  unsigned b = text[1];
  if (b < kTrailFirst || b >= kTrailFirst + kTrailCount) return kSame;
  return table.pair[table.rowOf[text[0]]][b - kTrailFirst];
}

// What the half-width character at text[at] folds to, with the mark after
// it when it takes one; *used is 1 or 2.
inline uint16_t HalfCode(const unsigned char* text, size_t at, size_t length,
                         const FoldTable& table, size_t* used) {
  unsigned index = text[at] - kHalfFirst;
  if (at + 1 < length && (text[at + 1] == 0xDE || text[at + 1] == 0xDF)) {
    uint16_t marked = table.marked[index][text[at + 1] - 0xDE];
    if (marked != kSame) {
      *used = 2;
      return marked;
    }
  }
  *used = 1;
  return table.half[index];
}

inline size_t Put(unsigned char* key, size_t at, uint16_t code) {
  if (code == kNothing) return at;
  if (code < 0x100) {
    key[at] = static_cast<unsigned char>(code);
    return at + 1;
  }
  key[at] = static_cast<unsigned char>(code >> 8);
  key[at + 1] = static_cast<unsigned char>(code);
  return at + 2;
}

// Eight bytes of ASCII without a capital letter, which fold to themselves.
inline bool PlainAscii8(const unsigned char* text) {
  uint64_t bytes;
  memcpy(&bytes, text, sizeof bytes);
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  // Without a high bit no byte carries into the next: the top bit of a
  // byte below 0x80 plus 0x3F is set from 'A' on, plus 0x25 from '[' on.
  uint64_t capitals = (bytes + kOnes * (0x80 - 'A')) & ~(bytes + kOnes * (0x80 - 'Z' - 1));
  return ((bytes | capitals) & kHighBits) == 0;
}

// Where the first character that folds to something else begins, or length.
size_t FirstChange(const unsigned char* text, size_t length, const FoldTable& table) {
  size_t r = 0;
  while (r < length) {
    switch (kKinds.kind[text[r]]) {
      case kAscii:
        if (r + 8 <= length && PlainAscii8(text + r)) {
          do {
            r += 8;
          } while (r + 8 <= length && PlainAscii8(text + r));
        } else {
          ++r;
        }
        break;
      case kPlainPair:
        r += 2;  // a lead byte that ends the text stands alone
        break;
      case kSingle:
        ++r;
        break;
      case kTablePair:
        if (r + 1 < length && PairCode(text + r, table) != kSame) return r;
        r += 2;
        break;
      default:
        return r;
    }
  }
  return length;
}

}  // namespace

const char* FoldForSearch(const char* text, size_t length, char* out, size_t size, unsigned flags,
                          size_t* keyLength) {
  const FoldTable& table = (flags & kFoldDropVoicing) != 0 ? kDropVoicing : kKeepVoicing;
  const auto* in = reinterpret_cast<const unsigned char*>(text);
  // Most text folds to itself: it is only read until a character changes.
  size_t r = FirstChange(in, length, table);
  if (r >= length) {
    *keyLength = length;
    return text;
  }
  if (r >= size) return nullptr;
  auto* key = reinterpret_cast<unsigned char*>(out);
  memcpy(key, in, r);
  size_t w = r;
  while (r < length) {
    // A character writes at most two bytes, and the NUL follows.
    if (w + 2 >= size) return nullptr;
    unsigned a = in[r];
    switch (kKinds.kind[a]) {
      case kAscii:
        if (r + 8 <= length && w + 8 < size && PlainAscii8(in + r)) {
          memcpy(key + w, in + r, 8);
          r += 8;
          w += 8;
        } else {
          key[w++] = static_cast<unsigned char>(a);
          ++r;
        }
        break;
      case kCapital:
        key[w++] = static_cast<unsigned char>(a + ('a' - 'A'));
        ++r;
        break;
      case kPlainPair:
      case kTablePair: {
        if (r + 1 >= length) {
          key[w++] = static_cast<unsigned char>(a);
          ++r;
          break;
        }
        uint16_t code = kKinds.kind[a] == kTablePair ? PairCode(in + r, table) : kSame;
        if (code == kSame) {
          key[w] = static_cast<unsigned char>(a);
          key[w + 1] = in[r + 1];
          w += 2;
        } else {
          w = Put(key, w, code);
        }
        r += 2;
        break;
      }
      case kHalfKana: {
        size_t used = 1;
        uint16_t code = HalfCode(in, r, length, table, &used);
        w = Put(key, w, code);
        r += used;
        break;
      }
      default:
        key[w++] = static_cast<unsigned char>(a);
        ++r;
    }
  }
  key[w] = '\0';
  *keyLength = w;
  return out;
}

int FoldedForms(const char* c, size_t length, unsigned flags, FoldForm (&forms)[kMostForms]) {
  const FoldTable& table = (flags & kFoldDropVoicing) != 0 ? kDropVoicing : kKeepVoicing;
  const auto* folded = reinterpret_cast<const unsigned char*>(c);
  const uint16_t target = length == 2 ? Code(c) : length == 1 ? folded[0] : kNothing;
  int count = 0;
  auto add = [&](unsigned char first, unsigned char second, size_t bytes) {
    if (count < kMostForms)
      forms[count] = FoldForm{{first, second}, static_cast<unsigned char>(bytes)};
    ++count;
  };
  if (target == kNothing || target == kSame) return 0;
  add(folded[0], length == 2 ? folded[1] : 0, length);
  // Every character that folds to another one: the capitals, the rows
  // with a table, the half-width kana alone and with a mark.
  if (target >= 'a' && target <= 'z') add(static_cast<unsigned char>(target - ('a' - 'A')), 0, 1);
  for (int row = 0; row < kRowCount; ++row) {
    for (int trail = 0; trail < kTrailCount; ++trail) {
      uint16_t code = table.pair[row][trail];
      if (code != kSame && code == target) {
        add(kRowLeads[row], static_cast<unsigned char>(kTrailFirst + trail), 2);
      }
    }
  }
  for (int i = 0; i < kHalfCount; ++i) {
    auto half = static_cast<unsigned char>(kHalfFirst + i);
    if (table.half[i] == target) add(half, 0, 1);
    for (int mark = 0; mark < 2; ++mark) {
      if (table.marked[i][mark] != kSame && table.marked[i][mark] == target) {
        add(half, static_cast<unsigned char>(0xDE + mark), 2);
      }
    }
  }
  return count <= kMostForms ? count : -1;
}
