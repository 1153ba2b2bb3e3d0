#include "text/text_helpers.h"

#include <string.h>

#include "text/byte_text.h"

namespace {

// Wider than code page 932's own lead bytes; the card files depend on it.
bool StartsTwoByteCharacter(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

// No code page 932 character ends in a byte below 0x40: a lead byte before
// a tab, a line end or a NUL stands alone, so that it cannot take the
// line's structure with it.
bool CanEndTwoByteCharacter(unsigned char byte) { return byte >= 0x40; }

// How many bytes the character or escape at text[i] takes.
int StepAt(const unsigned char* text, int i, unsigned char separator) {
  unsigned char byte = text[i];
  unsigned char next = text[i + 1];
  if (byte == '\\') return (next == '\\' || next == separator) ? 2 : 1;
  return StartsTwoByteCharacter(byte) && CanEndTwoByteCharacter(next) ? 2 : 1;
}

int FindSeparatorByteByByte(const unsigned char* text, int length, unsigned char separator) {
  for (int i = 0; i < length; i += StepAt(text, i, separator)) {
    if (text[i] == separator && text[i] != '\\') return i;
  }
  return -1;
}

// Whether a character or escape begins at position at, text[start] being
// known to begin one and no separator standing in between. A byte below
// 0x40 other than the separator is never a second byte, so the walk starts
// after the last such byte.
bool BeginsCharacter(const unsigned char* text, int start, int at, unsigned char separator) {
  int i = at;
  while (i > start && text[i - 1] >= 0x40) --i;
  while (i < at) i += StepAt(text, i, separator);
  return i == at;
}

}  // namespace

int FindSeparator(const char* text, int length, char separator) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const auto sep = static_cast<unsigned char>(separator);
  // Only a separator below 0x40 can never be a second byte; the others are
  // looked for byte by byte.
  if (sep >= 0x40) return FindSeparatorByteByByte(bytes, length, sep);
  int start = 0;
  while (start < length) {
    const void* hit = memchr(bytes + start, sep, static_cast<size_t>(length - start));
    if (hit == nullptr) return -1;
    int at = static_cast<int>(static_cast<const unsigned char*>(hit) - bytes);
    // Only a backslash that begins a character hides the separator.
    if (at == start || bytes[at - 1] != '\\' || !BeginsCharacter(bytes, start, at - 1, sep)) {
      return at;
    }
    start = at + 1;
  }
  return -1;
}

bool HidesNextSeparator(const char* text, size_t length, char separator) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const auto sep = static_cast<unsigned char>(separator);
  auto mayTakeNext = [](unsigned char byte) {
    return byte == '\\' || StartsTwoByteCharacter(byte);
  };
  if (length == 0 || !mayTakeNext(bytes[length - 1])) return false;
  // After a byte that can take no byte with it, a character begins: the
  // walk of the strict rule starts there rather than at the text's start.
  size_t i = length - 1;
  while (i > 0 && mayTakeNext(bytes[i - 1])) --i;
  while (i < length) {
    unsigned char next = i + 1 < length ? bytes[i + 1] : sep;
    if (bytes[i] == '\\') {
      i += (next == '\\' || next == sep) ? 2 : 1;
    } else {
      i += StartsTwoByteCharacter(bytes[i]) ? 2 : 1;
    }
  }
  return i > length;
}

void QuoteField(const char* source, char* destination) {
  *destination++ = '"';
  for (; *source != '\0'; ++source) {
    *destination++ = *source;
    if (*source == '"') *destination++ = '"';
  }
  *destination++ = '"';
  *destination = '\0';
}

namespace {

// Whether the quote that opens text stays open up to the end of the line:
// then the column is no quoted field, and is taken as it stands.
bool RunsOpenToLineEnd(const char* text, int size, char delimiter) {
  bool afterRemovedQuote = false;
  for (int i = 1; i < size; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte == '\0' || byte == '\n') return !afterRemovedQuote;
    if (byte < 0x20) return false;
    if (byte == '"') {
      afterRemovedQuote = !afterRemovedQuote;
    } else if (byte == static_cast<unsigned char>(delimiter) && afterRemovedQuote) {
      return false;
    }
  }
  return !afterRemovedQuote;
}

// Removes text[at], closing up the rest; the freed last byte becomes NUL.
void RemoveByte(char* text, int& length, int at) {
  memmove(text + at, text + at + 1, static_cast<size_t>(length - at - 1));
  text[--length] = '\0';
}

}  // namespace

int UnquoteField(char* text, int size, char delimiter) {
  if (size <= 0 || text[0] != '"') return -1;
  int length = static_cast<int>(strnlen(text, static_cast<size_t>(size)));
  if (RunsOpenToLineEnd(text, length, delimiter)) return -1;
  RemoveByte(text, length, 0);
  bool afterRemovedQuote = false;
  int i = 0;
  while (i < length) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20) return i;
    if (byte == '"' && !afterRemovedQuote) {
      RemoveByte(text, length, i);
      afterRemovedQuote = true;
    } else if (byte == '"') {
      afterRemovedQuote = false;
      ++i;
    } else if (byte == static_cast<unsigned char>(delimiter) && afterRemovedQuote) {
      return i;
    } else {
      ++i;
    }
  }
  return i;
}

namespace {

struct SymbolPair {
  unsigned char second;  // second byte after 0x81
  unsigned char narrow;
};

// The full-width symbols 0x8141-0x8197 that have a half-width form.
constexpr SymbolPair kSymbolPairs[] = {
    {0x41, 0xA4}, {0x42, 0xA1}, {0x43, ','},  {0x44, '.'},  {0x45, 0xA5}, {0x46, ':'}, {0x47, ';'},
    {0x48, '?'},  {0x49, '!'},  {0x4A, 0xDE}, {0x4B, 0xDF}, {0x4C, '\''}, {0x4D, '`'}, {0x4F, '^'},
    {0x51, '_'},  {0x5A, 'o'},  {0x5B, '-'},  {0x5C, '-'},  {0x5D, '-'},  {0x5E, '/'}, {0x62, '|'},
    {0x65, '\''}, {0x66, '\''}, {0x67, '"'},  {0x68, '"'},  {0x69, '('},  {0x6A, ')'}, {0x6B, '['},
    {0x6C, ']'},  {0x6D, '['},  {0x6E, ']'},  {0x6F, '{'},  {0x70, '}'},  {0x71, '<'}, {0x72, '>'},
    {0x75, 0xA2}, {0x76, 0xA3}, {0x7B, '+'},  {0x7C, '-'},  {0x81, '='},  {0x83, '<'}, {0x84, '>'},
    {0x8B, 0xDF}, {0x8C, '\''}, {0x8D, '"'},  {0x8F, '\\'}, {0x90, '$'},  {0x93, '%'}, {0x94, '#'},
    {0x95, '&'},  {0x96, '*'},  {0x97, '@'},
};
static_assert(sizeof kSymbolPairs / sizeof kSymbolPairs[0] == 52, "52 symbols narrow");

constexpr int kSymbolFirst = 0x40;
constexpr int kSymbolCount = 88;

// One byte for each second byte 0x40-0x97; a blank where the symbol stays wide.
struct SymbolTable {
  unsigned char narrow[kSymbolCount];
  constexpr SymbolTable() : narrow() {
    for (unsigned char& entry : narrow) entry = ' ';
    for (const SymbolPair& pair : kSymbolPairs) narrow[pair.second - kSymbolFirst] = pair.narrow;
  }
};
constexpr SymbolTable kSymbols;

// Half-width katakana for ぁ (0x829F) to ん (0x82F1), two bytes each: the
// base sound, then ﾞ, ﾟ or a blank. ゐ and ゑ have no half-width form and
// stay as full-width katakana.
constexpr char kHiragana[] =
    "ｧ ｱ ｨ ｲ ｩ ｳ ｪ ｴ ｫ ｵ "
    "ｶ ｶﾞｷ ｷﾞｸ ｸﾞｹ ｹﾞｺ ｺﾞ"
    "ｻ ｻﾞｼ ｼﾞｽ ｽﾞｾ ｾﾞｿ ｿﾞ"
    "ﾀ ﾀﾞﾁ ﾁﾞｯ ﾂ ﾂﾞﾃ ﾃﾞﾄ ﾄﾞ"
    "ﾅ ﾆ ﾇ ﾈ ﾉ "
    "ﾊ ﾊﾞﾊﾟﾋ ﾋﾞﾋﾟﾌ ﾌﾞﾌﾟﾍ ﾍﾞﾍﾟﾎ ﾎﾞﾎﾟ"
    "ﾏ ﾐ ﾑ ﾒ ﾓ "
    "ｬ ﾔ ｭ ﾕ ｮ ﾖ "
    "ﾗ ﾘ ﾙ ﾚ ﾛ "
    "ﾜ ﾜ ヰヱｦ ﾝ ";
static_assert(sizeof kHiragana - 1 == 83 * 2, "83 hiragana");

// ァ (0x8340) to ヶ (0x8396): the hiragana's order up to ミ, the unassigned
// 0x837F as a single blank, then ム to ン and ヴ, ヵ, ヶ.
constexpr char kKatakana[] =
    "ｧ ｱ ｨ ｲ ｩ ｳ ｪ ｴ ｫ ｵ "
    "ｶ ｶﾞｷ ｷﾞｸ ｸﾞｹ ｹﾞｺ ｺﾞ"
    "ｻ ｻﾞｼ ｼﾞｽ ｽﾞｾ ｾﾞｿ ｿﾞ"
    "ﾀ ﾀﾞﾁ ﾁﾞｯ ﾂ ﾂﾞﾃ ﾃﾞﾄ ﾄﾞ"
    "ﾅ ﾆ ﾇ ﾈ ﾉ "
    "ﾊ ﾊﾞﾊﾟﾋ ﾋﾞﾋﾟﾌ ﾌﾞﾌﾟﾍ ﾍﾞﾍﾟﾎ ﾎﾞﾎﾟ"
    "ﾏ ﾐ "
    "  "
    "ﾑ ﾒ ﾓ "
    "ｬ ﾔ ｭ ﾕ ｮ ﾖ "
    "ﾗ ﾘ ﾙ ﾚ ﾛ "
    "ﾜ ﾜ ヰヱｦ ﾝ "
    "ｳﾞｶ ｹ ";
static_assert(sizeof kKatakana - 1 == 87 * 2, "87 katakana");

// The lead bytes that ToHalfWidth pairs with the byte after them.
bool PairsWithNextByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFE);
}

}  // namespace

int ToHalfWidth(char* text) {
  const int n = static_cast<int>(strlen(text));
  int r = 0;
  int w = 0;
  auto writeKana = [&](const char* entry) {
    text[w] = entry[0];
    text[w + 1] = entry[1];
    w += entry[1] == ' ' ? 1 : 2;
  };
  while (r < n) {
    unsigned char a = static_cast<unsigned char>(text[r]);
    if (!PairsWithNextByte(a) || r + 1 >= n) {
      // A lead byte that ends the text has no second byte to pair with.
      text[w++] = text[r++];
      continue;
    }
    unsigned char b = static_cast<unsigned char>(text[r + 1]);
    r += 2;
    if (a == 0x81 && b == 0x40) {
      text[w++] = ' ';
    } else if (a == 0x81 && b >= 0x41 && b <= 0x97 && kSymbols.narrow[b - kSymbolFirst] != ' ') {
      text[w++] = static_cast<char>(kSymbols.narrow[b - kSymbolFirst]);
    } else if (a == 0x82 && b >= 0x4F && b <= 0x58) {
      text[w++] = static_cast<char>(b - 0x1F);
    } else if (a == 0x82 && b >= 0x60 && b <= 0x79) {
      text[w++] = static_cast<char>(b - 0x1F);
    } else if (a == 0x82 && b >= 0x81 && b <= 0x9A) {
      text[w++] = static_cast<char>(b - 0x20);
    } else if (a == 0x82 && b >= 0x9F && b <= 0xF1) {
      writeKana(kHiragana + (b - 0x9F) * 2);
    } else if (a == 0x83 && b >= 0x40 && b <= 0x96) {
      writeKana(kKatakana + (b - 0x40) * 2);
    } else {
      text[w++] = static_cast<char>(a);
      text[w++] = static_cast<char>(b);
    }
  }
  text[w] = '\0';
  return w;
}

int NarrowReading(char* text) {
  size_t r = 0;
  size_t w = 0;
  while (text[r] != '\0') {
    unsigned char lead = static_cast<unsigned char>(text[r]);
    if (!IsCp932LeadByte(lead) || text[r + 1] == '\0') {
      text[w++] = text[r++];
      continue;
    }
    if (lead == 0x81 && static_cast<unsigned char>(text[r + 1]) == 0x5B) {
      text[w++] = static_cast<char>(0xB0);  // ｰ
    } else {
      // One character at a time keeps ToHalfWidth's tables the only ones.
      char one[3] = {text[r], text[r + 1], '\0'};
      int n = ToHalfWidth(one);
      memcpy(text + w, one, static_cast<size_t>(n));
      w += static_cast<size_t>(n);
    }
    r += 2;
  }
  text[w] = '\0';
  return static_cast<int>(w);
}

CString& ToHalfWidthString(CString& text) {
  char* buffer = text.GetBuffer(text.GetLength() + 3);
  ToHalfWidth(buffer);
  text.ReleaseBuffer();
  return text;
}
