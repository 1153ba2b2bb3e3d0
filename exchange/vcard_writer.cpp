#include "exchange/vcard_writer.h"

#include <string.h>

#include "exchange/block_out.h"
#include "exchange/exchange_book.h"
#include "exchange/text_encoding.h"
#include "text/byte_text.h"

namespace {

constexpr size_t kFoldWidth = 75;

const char* const kPhoneTypes[] = {"HOME,VOICE", "CELL,VOICE", "WORK,VOICE", "PAGER", "FAX"};
const char* const kMailTypes[] = {"INTERNET,HOME", "INTERNET,CELL", "INTERNET,WORK"};

// One property line at a time, folded as it goes out.
class VcardLineWriter {
 public:
  VcardLineWriter(BlockOut& out, CharsetConverter& converter)
      : m_out(out), m_converter(converter) {}

  // Starts a property line: NAME and its parameters, without the colon.
  VcardLineWriter& Start(const char* nameAndParameters) {
    m_nLength = 0;
    return Raw(nameAndParameters).Raw(":");
  }
  VcardLineWriter& Raw(const char* ascii) {
    size_t n = strlen(ascii);
    if (m_nLength + n < sizeof m_szLine) {
      memcpy(m_szLine + m_nLength, ascii, n);
      m_nLength += n;
    }
    return *this;
  }
  // Code page 932 text as UTF-8, with the characters that RFC 2426
  // escapes in a text value escaped.
  VcardLineWriter& Text(const char* cp932, size_t length) {
    char utf8[kExchangeTextSize * 3];
    char* to = utf8;
    size_t room = sizeof utf8;
    for (size_t before = 0; length > 0 && length != before && room >= 4;) {
      before = length;
      m_converter.Cp932ToUtf8(cp932, length, to, room);
    }
    size_t n = static_cast<size_t>(to - utf8);
    for (size_t i = 0; i < n && m_nLength + 2 < sizeof m_szLine; ++i) {
      if (utf8[i] == '\\' || utf8[i] == ',' || utf8[i] == ';') m_szLine[m_nLength++] = '\\';
      m_szLine[m_nLength++] = utf8[i];
    }
    return *this;
  }
  VcardLineWriter& Text(const char* cp932) { return Text(cp932, strlen(cp932)); }
  void End() {
    size_t start = 0;
    while (m_nLength - start > kFoldWidth) {
      size_t end = start + kFoldWidth - (start > 0 ? 1 : 0);
      while ((static_cast<unsigned char>(m_szLine[end]) & 0xC0) == 0x80) --end;
      Emit(start > 0, m_szLine + start, end - start);
      start = end;
    }
    Emit(start > 0, m_szLine + start, m_nLength - start);
  }
  void Property(const char* name, const char* cp932) {
    if (cp932[0] != '\0') Start(name).Text(cp932).End();
  }

 private:
  void Emit(bool folded, const char* bytes, size_t n) {
    if (folded) m_out.Put(' ');
    m_out.Write(bytes, n);
    m_out.Write("\r\n", 2);
  }

  BlockOut& m_out;
  CharsetConverter& m_converter;
  char m_szLine[8192];
  size_t m_nLength = 0;
};

// The length of the text before the first blank (half-width or
// full-width), and where the text after it begins.
size_t FirstWord(const char* cp932, const char*& rest) {
  size_t i = 0;
  for (; cp932[i] != '\0'; i += IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1) {
    if (cp932[i] == ' ') {
      rest = cp932 + i + 1;
      return i;
    }
    if (cp932[i] == '\x81' && cp932[i + 1] == '\x40') {
      rest = cp932 + i + 2;
      return i;
    }
    if (cp932[i + 1] == '\0') break;
  }
  rest = "";
  return strlen(cp932);
}

}  // namespace

void WriteVcard(const CardRecord& card, BlockOut& out, CharsetConverter& converter) {
  VcardLineWriter w(out, converter);
  w.Start("BEGIN").Raw("VCARD").End();
  w.Start("VERSION").Raw("3.0").End();
  w.Property("FN", card.name);
  const char* given;
  size_t family = FirstWord(card.name, given);
  w.Start("N").Text(card.name, family).Raw(";").Text(given).Raw(";;;").End();
  if (card.reading[0] != '\0') {
    const char* first;
    size_t last = FirstWord(card.reading, first);
    w.Start("X-PHONETIC-LAST-NAME").Text(card.reading, last).End();
    if (first[0] != '\0') w.Property("X-PHONETIC-FIRST-NAME", first);
    w.Property("SORT-STRING", card.reading);
  }
  char parameters[64];
  for (const PhoneEntry& phone : card.phones) {
    const char* type = phone.type >= 0 && phone.type < 5 ? kPhoneTypes[phone.type] : "VOICE";
    CopyCutString(parameters, "TEL;TYPE=");
    strcat(parameters, type);
    w.Property(parameters, phone.number);
  }
  for (const MailEntry& mail : card.mails) {
    const char* type = mail.type >= 0 && mail.type < 3 ? kMailTypes[mail.type] : "INTERNET";
    CopyCutString(parameters, "EMAIL;TYPE=");
    strcat(parameters, type);
    w.Property(parameters, mail.address);
  }
  if (card.address[0] != '\0' || card.postalCode[0] != '\0') {
    // The whole address as the street: a card does not divide it.
    w.Start("ADR;TYPE=HOME").Raw(";;").Text(card.address).Raw(";;;").Text(card.postalCode).Raw(";");
    w.End();
  }
  w.Property("NOTE", card.memo);
  w.Property("CATEGORIES", card.group);
  w.Start("END").Raw("VCARD").End();
}
