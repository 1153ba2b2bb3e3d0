#include "cli/vcard_export.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/charset.h"
#include "cli/exchange_request.h"
#include "cli/messages.h"
#include "text/byte_text.h"

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack

// Lines are folded before 75 bytes, never inside a UTF-8 character.
constexpr size_t kFoldWidth = 75;

const char* const kPhoneTypes[] = {"HOME,VOICE", "CELL,VOICE", "WORK,VOICE", "PAGER", "FAX"};
const char* const kMailTypes[] = {"INTERNET,HOME", "INTERNET,CELL", "INTERNET,WORK"};

// Writes each vCard to standard output or to the export file as it is made.
class VcardWriter {
 public:
  explicit VcardWriter(SafeFileWriter* file) : m_pFile(file) {}

  // Starts a property line: NAME and its parameters, without the colon.
  VcardWriter& Start(const char* nameAndParameters) {
    m_nLength = 0;
    return Raw(nameAndParameters).Raw(":");
  }
  VcardWriter& Raw(const char* ascii) {
    size_t n = strlen(ascii);
    if (m_nLength + n < sizeof m_szLine) {
      memcpy(m_szLine + m_nLength, ascii, n);
      m_nLength += n;
    }
    return *this;
  }
  // Code page 932 text as UTF-8, with the characters that RFC 2426
  // escapes in a text value escaped.
  VcardWriter& Text(const char* cp932, size_t length) {
    char utf8[kExchangeTextSize * 3];
    size_t n = Utf8Into(cp932, length, utf8, sizeof utf8);
    for (size_t i = 0; i < n && m_nLength + 2 < sizeof m_szLine; ++i) {
      if (utf8[i] == '\\' || utf8[i] == ',' || utf8[i] == ';') m_szLine[m_nLength++] = '\\';
      m_szLine[m_nLength++] = utf8[i];
    }
    return *this;
  }
  VcardWriter& Text(const char* cp932) { return Text(cp932, strlen(cp932)); }
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
    if (folded) Write(" ", 1);
    Write(bytes, n);
    Write("\r\n", 2);
  }
  void Write(const char* bytes, size_t n) {
    if (m_pFile != nullptr) {
      m_pFile->Write(bytes, n);
    } else {
      fwrite(bytes, 1, n, stdout);
    }
  }

  SafeFileWriter* m_pFile;
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

void WriteCard(const CardRecord& card, VcardWriter& w) {
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
    snprintf(parameters, sizeof parameters, "TEL;TYPE=%s", type);
    w.Property(parameters, phone.number);
  }
  for (const MailEntry& mail : card.mails) {
    const char* type = mail.type >= 0 && mail.type < 3 ? kMailTypes[mail.type] : "INTERNET";
    snprintf(parameters, sizeof parameters, "EMAIL;TYPE=%s", type);
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

}  // namespace

int ExportVcards(const char* bookDirectory, const char* file, const char* dataDirectory) {
  errno = 0;
  if (!g_book.LoadBookFile(bookDirectory, 1)) {
    return Fail(kExitFailed, "cannot read the card file %s: %s",
                CardFilePath(bookDirectory).c_str(), Reason());
  }
  bool toStandardOutput = strcmp(file, "-") == 0;
  char bookFile[kPathBufferSize];
  if (!toStandardOutput && NamesBookFile(dataDirectory, file, bookFile)) {
    return Fail(kExitBadArguments, "%s is the address book's own file; choose another FILE", file);
  }
  errno = 0;
  SafeFileWriter out(toStandardOutput ? "" : file);
  if (!toStandardOutput && !out.IsOpen()) {
    return Fail(kExitFailed, "cannot create the export file %s: %s", file, Reason());
  }
  VcardWriter w(toStandardOutput ? nullptr : &out);
  for (int i = 0; i < g_book.m_nBookCards; ++i) WriteCard(g_book.m_book[i], w);
  if (toStandardOutput) {
    return fflush(stdout) == 0 && !ferror(stdout)
               ? kExitDone
               : Fail(kExitFailed, "cannot write to standard output: %s", Reason());
  }
  if (out.Commit()) return kExitDone;
  return Fail(kExitFailed, "cannot write the export file %s: %s", file, Reason());
}
