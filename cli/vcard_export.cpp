#include "cli/vcard_export.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/charset.h"
#include "cli/exchange_request.h"
#include "cli/messages.h"
#include "exchange/exchange_book.h"

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack

// Lines are folded before 75 bytes, never inside a UTF-8 character.
constexpr size_t kFoldWidth = 75;

// The characters that RFC 2426 escapes in a text value.
std::string Escaped(const char* cp932) {
  std::string text;
  for (char c : Utf8Of(cp932)) {
    if (c == '\\' || c == ',' || c == ';') text += '\\';
    text += c;
  }
  return text;
}

class VcardWriter {
 public:
  std::string out;
  void Line(const std::string& line) {
    size_t start = 0;
    while (line.size() - start > kFoldWidth) {
      size_t end = start + kFoldWidth - (start > 0 ? 1 : 0);
      while ((static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
      out += (start > 0 ? " " : "") + line.substr(start, end - start) + "\r\n";
      start = end;
    }
    out += (start > 0 ? " " : "") + line.substr(start) + "\r\n";
  }
  void Text(const char* property, const char* cp932) {
    if (cp932[0] != '\0') Line(std::string(property) + ":" + Escaped(cp932));
  }
};

// The text before and after the first blank (half-width or full-width).
void SplitAtBlank(const char* cp932, std::string& first, std::string& rest) {
  const char* p = cp932;
  while (*p != '\0' && *p != ' ' && !(p[0] == '\x81' && p[1] == '\x40')) {
    p += (static_cast<unsigned char>(*p) >= 0x81 && static_cast<unsigned char>(*p) <= 0x9F) ||
                 static_cast<unsigned char>(*p) >= 0xE0
             ? (p[1] != '\0' ? 2 : 1)
             : 1;
  }
  first.assign(cp932, static_cast<size_t>(p - cp932));
  rest = *p == '\0' ? "" : p + (*p == ' ' ? 1 : 2);
}

const char* const kPhoneTypes[] = {"HOME,VOICE", "CELL,VOICE", "WORK,VOICE", "PAGER", "FAX"};
const char* const kMailTypes[] = {"INTERNET,HOME", "INTERNET,CELL", "INTERNET,WORK"};

void WriteCard(const CardRecord& card, VcardWriter& w) {
  w.Line("BEGIN:VCARD");
  w.Line("VERSION:3.0");
  w.Text("FN", card.name);
  std::string family, given;
  SplitAtBlank(card.name, family, given);
  w.Line("N:" + Escaped(family.c_str()) + ";" + Escaped(given.c_str()) + ";;;");
  if (card.reading[0] != '\0') {
    SplitAtBlank(card.reading, family, given);
    w.Text("X-PHONETIC-LAST-NAME", family.c_str());
    w.Text("X-PHONETIC-FIRST-NAME", given.c_str());
    w.Text("SORT-STRING", card.reading);
  }
  for (const PhoneEntry& phone : card.phones) {
    if (phone.number[0] == '\0') continue;
    const char* type = phone.type >= 0 && phone.type < 5 ? kPhoneTypes[phone.type] : "VOICE";
    w.Text((std::string("TEL;TYPE=") + type).c_str(), phone.number);
  }
  for (const MailEntry& mail : card.mails) {
    if (mail.address[0] == '\0') continue;
    const char* type = mail.type >= 0 && mail.type < 3 ? kMailTypes[mail.type] : "INTERNET";
    w.Text((std::string("EMAIL;TYPE=") + type).c_str(), mail.address);
  }
  if (card.address[0] != '\0' || card.postalCode[0] != '\0') {
    w.Line("ADR;TYPE=HOME:;;" + Escaped(card.address) + ";;;" + Escaped(card.postalCode) + ";");
  }
  w.Text("NOTE", card.memo);
  w.Text("CATEGORIES", card.group);
  w.Line("END:VCARD");
}

}  // namespace

int ExportVcards(const char* dataDirectory, const char* file) {
  errno = 0;
  if (!g_book.LoadBookFile(dataDirectory, 1)) {
    return Fail(kExitFailed, "cannot read the card file %s: %s",
                CardFilePath(dataDirectory).c_str(), Reason());
  }
  bool toStandardOutput = strcmp(file, "-") == 0;
  if (!toStandardOutput && NamesBookFile(dataDirectory, file)) {
    return Fail(kExitBadArguments, "%s is the address book's own file; choose another FILE", file);
  }
  errno = 0;
  SafeFileWriter out(toStandardOutput ? "" : file);
  if (!toStandardOutput && !out.IsOpen()) {
    return Fail(kExitFailed, "cannot create the export file %s: %s", file, Reason());
  }
  VcardWriter w;
  for (int i = 0; i < g_book.m_nBookCards; ++i) {
    w.out.clear();
    WriteCard(g_book.m_book[i], w);
    if (toStandardOutput) {
      fwrite(w.out.data(), 1, w.out.size(), stdout);
    } else {
      out.Write(w.out.data(), w.out.size());
    }
  }
  if (toStandardOutput) {
    return fflush(stdout) == 0 ? kExitDone : Fail(kExitFailed, "cannot write: %s", Reason());
  }
  if (out.Commit()) return kExitDone;
  return Fail(kExitFailed, "cannot write the export file %s: %s", file, Reason());
}
