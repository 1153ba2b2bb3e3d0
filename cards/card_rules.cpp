#include "cards/card_rules.h"

#include <limits.h>
#include <string.h>

int TrimBlanks(char* text) {
  int length = static_cast<int>(strlen(text));
  int start = 0;
  while (start < length && text[start] == ' ') ++start;
  while (length > start && text[length - 1] == ' ') --length;
  memmove(text, text + start, static_cast<size_t>(length - start));
  text[length - start] = '\0';
  return length - start;
}

bool IsHalfWidthReading(const char* reading) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(reading); *p; ++p) {
    if ((*p >= 0x80 && *p <= 0xA0) || *p >= 0xE0) return false;
  }
  return true;
}

bool IsValidPhoneNumber(const char* number) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(number); *p; ++p) {
    if (*p >= 0x41 && *p != 'P') return false;
  }
  return true;
}

namespace {

bool IsMailByte(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return c != '\0' && strchr("@._-^~|#$=%`<>:;[](){}&!", c) != nullptr;
}

}  // namespace

bool IsValidMailAddress(const char* address) {
  if (address[0] == '\0') return true;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(address); *p; ++p) {
    if (!IsMailByte(*p)) return false;
  }
  const char* at = strchr(address, '@');
  return at != nullptr && strchr(at + 1, '.') != nullptr;
}

int ParseIdText(const char* text) {
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (value < INT_MAX) value = value * 10 + (*text - '0');
  }
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(negative ? -value : value);
}

bool IsAcceptedId(const char* text, bool ownerSelected) {
  int id = ParseIdText(text);
  if (id >= 1 && id <= 500) return true;
  return ownerSelected && strcmp(text, "0") == 0;
}

void BlankOutLineBreaks(char* text) {
  for (; *text; ++text) {
    if (*text == '\t' || *text == '\r' || *text == '\n') *text = ' ';
  }
}

const char* const kKanaRowHeadings[kKanaRowCount] = {"あ行", "か行", "さ行", "た行", "な行",
                                                     "は行", "ま行", "や行", "ら行", "わ行"};
const char kOtherHeadingText[] = "その他";

int KanaRowOfReading(const char* reading) {
  // The first byte of each row, ｱ ｶ ｻ ﾀ ﾅ ﾊ ﾏ ﾔ ﾗ ﾜ, and the byte after ﾝ.
  static const unsigned char kRowStarts[kKanaRowCount + 1] = {0xB1, 0xB6, 0xBB, 0xC0, 0xC5, 0xCA,
                                                              0xCF, 0xD4, 0xD7, 0xDC, 0xDE};
  unsigned char first = static_cast<unsigned char>(reading[0]);
  for (int row = 0; row < kKanaRowCount; ++row) {
    if (first >= kRowStarts[row] && first < kRowStarts[row + 1]) return row;
  }
  return kOtherHeading;
}
