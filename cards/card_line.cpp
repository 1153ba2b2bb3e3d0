#include "cards/card_line.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>

#include "cards/card_fields.h"
#include "text/byte_text.h"
#include "text/text_helpers.h"

void FormatTimeStamp(TimeSource& clock, char (&out)[kTimeStampSize]) {
  int minute = clock.NowField(4);
  int hour = clock.NowField(3);
  int day = clock.NowField(2);
  int month = clock.NowField(1);
  int year = clock.NowField(0);
  snprintf(out, sizeof out, "%d/%d/%d  %02d:%02d", year, month, day, hour, minute);
}

size_t AppendLineField(char* out, const char* text, size_t width, char separator) {
  size_t length = strnlen(text, width - 1);
  memcpy(out, text, length);
  out[length] = '\0';
  // A tab or line break in a field is rare: the copy is taken whole and
  // only those bytes are looked for, each becoming a blank.
  for (char* at = out; (at += strcspn(at, "\t\r\n")) < out + length;) *at++ = ' ';
  // A blank ends a field whose last byte would take the separator with it:
  // a backslash for every reader, a lone lead byte for one that pairs every
  // lead byte with the byte after it.
  if (HidesNextSeparator(out, length, separator)) {
    if (length + 1 < width) {
      out[length++] = ' ';
    } else {
      out[length - 1] = ' ';
    }
  }
  out[length] = '\0';
  return length;
}

const char kCardFileHeading[] =
    "名前\t読み\tｸﾞﾙｰﾌﾟ\t郵便番号\t住所\t電話番号種別1\t電話番号1\t電話番号種別2\t電話番号2\t"
    "電話番号種別3\t電話番号3\tメール種別1\tメール1\tメール種別2\tメール2\tメール種別3\tメール3\t"
    "メモ\t作成日\t最終更新日\t更新回数";

namespace {

class LineBuilder {
 public:
  explicit LineBuilder(char* out) : m_pOut(out) {}

  template <size_t N>
  void Text(const char (&text)[N]) {
    m_nLength += AppendLineField(m_pOut + m_nLength, text, N, '\t');
    m_pOut[m_nLength++] = '\t';
  }
  void Number(int32_t value, char end) {
    m_nLength += static_cast<size_t>(FormatDecimal(value, m_pOut + m_nLength));
    m_pOut[m_nLength++] = end;
  }
  int Finish() {
    m_pOut[m_nLength] = '\0';
    return static_cast<int>(m_nLength);
  }

 private:
  char* m_pOut;
  size_t m_nLength = 0;
};

}  // namespace

int FormatCardLine(const CardRecord& card, char (&out)[kMaxCardLineBytes + 1]) {
  LineBuilder line(out);
  line.Text(card.name);
  line.Text(card.reading);
  line.Text(card.group);
  line.Text(card.postalCode);
  line.Text(card.address);
  for (const PhoneEntry& phone : card.phones) {
    line.Number(phone.type, '\t');
    line.Text(phone.number);
  }
  for (const MailEntry& mail : card.mails) {
    line.Number(mail.type, '\t');
    line.Text(mail.address);
  }
  line.Text(card.memo);
  line.Text(card.created);
  line.Text(card.lastModified);
  line.Number(card.modifyCount, '\n');
  return line.Finish();
}

const char kUnnamedCardName[] = "（名前なし）";

const char* LoadTime::Text() {
  if (!m_bKnown) {
    FormatTimeStamp(m_clock, m_szText);
    m_bKnown = true;
  }
  return m_szText;
}

int ParseDecimal(const char* text, const char* end) {
  while (text < end && *text == ' ') ++text;
  bool negative = false;
  if (text < end && (*text == '+' || *text == '-')) negative = *text++ == '-';
  long long value = 0;
  for (; text < end && *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

int FormatDecimal(int32_t value, char* out) {
  char digits[10];
  int count = 0;
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  int length = 0;
  if (value < 0) out[length++] = '-';
  while (count > 0) out[length++] = digits[--count];
  out[length] = '\0';
  return length;
}

bool ParseCardLine(const char* line, int length, CardRecord& card, LoadTime& now) {
  const char* cursor = line;
  int remaining = length;
  bool whole = memchr(line, '\0', static_cast<size_t>(length)) == nullptr;
  for (int n = 0; n < kTabEndedCardFields; ++n) {
    int d = FindSeparator(cursor, remaining, '\t');
    if (d < 0) continue;  // this and every later tab-ended field stay empty
    CardField field = CardFieldAt(card, n);
    if (field.kind == CardFieldKind::kNumber) {
      *field.number = ParseDecimal(cursor, cursor + d);
    } else if (field.kind == CardFieldKind::kDate && d == 0) {
      CopyCutString(field.text, field.width, now.Text());
    } else {
      whole = CopyCut(field.text, field.width, cursor, static_cast<size_t>(d)) ==
                  static_cast<size_t>(d) &&
              whole;
    }
    cursor += d + 1;
    remaining -= d + 1;
  }
  int d = FindSeparator(cursor, remaining, '\n');
  if (d >= 0) card.modifyCount = ParseDecimal(cursor, cursor + d);
  // Fields past the 21st have no place in the card, and the count takes
  // nothing but a number.
  int rest = d >= 0 ? d : remaining;
  for (int i = 0; i < rest; ++i) {
    char c = cursor[i];
    if (c != ' ' && c != '+' && c != '-' && c != '\r' && (c < '0' || c > '9')) whole = false;
  }
  if (card.name[0] == '\0') CopyCutString(card.name, kUnnamedCardName);
  return whole;
}
