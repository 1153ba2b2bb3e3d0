#include "postcard/vertical_text.h"

#include <string.h>

#include "text/byte_text.h"

namespace {

// The full-width form of each printable ASCII byte from the blank (0x20) to
// the tilde (0x7E); quotes and the backslash take the forms that code page
// 932 holds in its JIS rows.
constexpr char kWide[] =
    "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［＼］＾＿"
    "‘ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～";
static_assert(sizeof kWide - 1 == 95 * 2, "95 printable ASCII characters");

constexpr char kKanjiDigits[] = "〇一二三四五六七八九";
static_assert(sizeof kKanjiDigits - 1 == 10 * 2, "ten digits");

constexpr char kLongVowel[] = "ー";
constexpr char kNo[] = "の";

// One character of code page 932 text: one byte, or a lead byte and the
// byte after it.
struct Char {
  unsigned char a;
  unsigned char b;  // 0 for a one-byte character
  size_t size;
};

Char CharAt(const char* text, size_t length, size_t at) {
  unsigned char a = static_cast<unsigned char>(text[at]);
  if (IsCp932LeadByte(a) && at + 1 < length) {
    return {a, static_cast<unsigned char>(text[at + 1]), 2};
  }
  return {a, 0, 1};
}

// 0 to 9 for a digit of either width, else -1.
int DigitValue(Char c) {
  if (c.size == 1 && c.a >= '0' && c.a <= '9') return c.a - '0';
  if (c.a == 0x82 && c.b >= 0x4F && c.b <= 0x58) return c.b - 0x4F;
  return -1;
}

bool IsLatinLetter(Char c) {
  if (c.size == 1) return (c.a >= 'A' && c.a <= 'Z') || (c.a >= 'a' && c.a <= 'z');
  return c.a == 0x82 && ((c.b >= 0x60 && c.b <= 0x79) || (c.b >= 0x81 && c.b <= 0x9A));
}

// -, ｰ and the full-width hyphen, minus, dash and long vowel mark: people
// write any of them between the numbers of an address.
bool IsHyphen(Char c) {
  if (c.size == 1) return c.a == '-' || c.a == 0xB0;
  return c.a == 0x81 && (c.b == 0x7C || c.b == 0x5D || c.b == 0x5C || c.b == 0x5B);
}

// Control bytes count as blanks: they have no place on a card.
bool IsBlank(Char c) {
  if (c.size == 1) return c.a <= 0x20 || c.a == 0x7F;
  return c.a == 0x81 && c.b == 0x40;
}

// Bytes that begin no character of code page 932, and a lead byte that ends
// the text without its second byte.
bool IsStray(Char c) {
  return c.size == 1 && (c.a == 0x80 || c.a == 0xA0 || c.a >= 0xFD || IsCp932LeadByte(c.a));
}

// Writes whole characters while they fit with the terminator. Blanks wait
// for the character after them, so that a column neither begins nor ends
// with one, even where it is cut.
class ColumnWriter {
 public:
  ColumnWriter(char* out, size_t size) : m_pOut(out), m_nSize(size) {
    if (size > 0) out[0] = '\0';
  }
  void Put(const char* bytes, size_t n) {
    size_t blanks = m_nPendingBlanks * 2;
    if (m_nLength + blanks + n >= m_nSize) {
      m_nSize = 0;  // nothing after a character that did not fit
      return;
    }
    for (; m_nPendingBlanks > 0; --m_nPendingBlanks) Append(kWide, 2);
    Append(bytes, n);
  }
  void PutWide(unsigned char ascii) { Put(kWide + (ascii - 0x20) * 2, 2); }
  void PutBlank() { m_nPendingBlanks += m_nLength > 0 ? 1 : 0; }
  size_t Length() const { return m_nLength; }

 private:
  void Append(const char* bytes, size_t n) {
    memcpy(m_pOut + m_nLength, bytes, n);
    m_nLength += n;
    m_pOut[m_nLength] = '\0';
  }

  char* m_pOut;
  size_t m_nSize;
  size_t m_nLength = 0;
  size_t m_nPendingBlanks = 0;
};

// One column of text[begin..end), with kanji numbers unless keepDigits.
size_t WriteColumn(const char* text, size_t begin, size_t end, bool keepDigits, NumberJoin join,
                   char* out, size_t size) {
  ColumnWriter w(out, size);
  bool afterLetter = false;       // the character before was a Latin letter
  bool afterKanjiNumber = false;  // the character before was a digit written as kanji
  for (size_t at = begin; at < end;) {
    Char c = CharAt(text, end, at);
    if (DigitValue(c) >= 0) {
      size_t runEnd = at;
      while (runEnd < end && DigitValue(CharAt(text, end, runEnd)) >= 0) {
        runEnd += CharAt(text, end, runEnd).size;
      }
      bool latin =
          keepDigits || afterLetter || (runEnd < end && IsLatinLetter(CharAt(text, end, runEnd)));
      for (; at < runEnd; at += c.size) {
        c = CharAt(text, end, at);
        int digit = DigitValue(c);
        if (latin) {
          w.PutWide(static_cast<unsigned char>('0' + digit));
        } else {
          w.Put(kKanjiDigits + digit * 2, 2);
        }
      }
      afterLetter = false;
      afterKanjiNumber = !latin;
      continue;
    }
    at += c.size;
    if (IsHyphen(c) && afterKanjiNumber && at < end && DigitValue(CharAt(text, end, at)) >= 0) {
      w.Put(join == NumberJoin::kNo ? kNo : kLongVowel, 2);
    } else if (IsBlank(c)) {
      w.PutBlank();
    } else if (c.size == 1 && c.a > 0x20 && c.a < 0x7F) {
      w.PutWide(c.a);
    } else if (!IsStray(c)) {
      char bytes[2] = {static_cast<char>(c.a), static_cast<char>(c.b)};
      w.Put(bytes, c.size);
    }
    afterLetter = IsLatinLetter(c);
    afterKanjiNumber = false;
  }
  return w.Length();
}

}  // namespace

void ToVerticalAddress(const char* address, NumberJoin join, VerticalAddress& out) {
  size_t length = strlen(address);
  // The building begins after the first blank that follows a number: the
  // street number ends the part that the post sorts by.
  size_t split = length;
  bool afterNumber = false;
  for (size_t at = 0; at < length && split == length;) {
    Char c = CharAt(address, length, at);
    afterNumber = afterNumber || DigitValue(c) >= 0;
    if (afterNumber && IsBlank(c)) split = at;
    at += c.size;
  }
  WriteColumn(address, 0, split, false, join, out.first, sizeof out.first);
  WriteColumn(address, split, length, false, join, out.second, sizeof out.second);
}

size_t ToVerticalText(const char* text, char* out, size_t size) {
  return WriteColumn(text, 0, strlen(text), true, NumberJoin::kLongVowel, out, size);
}

bool EndsWithHonorific(const char* name) {
  static const char* const kHonorifics[] = {"様", "御中", "殿", "さま", "先生", "各位"};
  // Walking forward keeps to character starts, which a backward walk cannot
  // tell from second bytes.
  size_t length = strlen(name);
  size_t end = 0;
  for (size_t at = 0; at < length;) {
    Char c = CharAt(name, length, at);
    at += c.size;
    if (!IsBlank(c)) end = at;
  }
  for (size_t at = 0; at < end; at += CharAt(name, end, at).size) {
    for (const char* honorific : kHonorifics) {
      size_t n = strlen(honorific);
      if (end - at == n && memcmp(name + at, honorific, n) == 0) return true;
    }
  }
  return false;
}

bool ReadPostalCode(const char* code, char (&digits)[kPostalDigits + 1]) {
  size_t length = strlen(code);
  int count = 0;
  for (size_t at = 0; at < length;) {
    Char c = CharAt(code, length, at);
    at += c.size;
    int digit = DigitValue(c);
    if (digit >= 0) {
      if (count == kPostalDigits) return false;
      digits[count++] = static_cast<char>('0' + digit);
    } else if (!IsHyphen(c) && !IsBlank(c) && !(c.a == 0x81 && c.b == 0xA7)) {  // 〒
      return false;
    }
  }
  digits[count] = '\0';
  return count == kPostalDigits;
}
