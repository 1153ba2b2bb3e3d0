#include "cli/vcard_import.h"

#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <string>

#include "cards/card_rules.h"
#include "cli/import_command.h"
#include "cli/import_file.h"
#include "cli/messages.h"
#include "cli/vcard_lines.h"
#include "text/byte_text.h"

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack
ImportNotes g_notes;
long g_lineOfCard[kCardSlots];

constexpr size_t kValueSize = 2048;
constexpr int kMaxComponents = 8;

enum TypeFlag : unsigned {
  kHome = 1u << 0,
  kWork = 1u << 1,
  kCell = 1u << 2,
  kFax = 1u << 3,
  kPager = 1u << 4,
};

// One property line taken apart: NAME;PARAMS:VALUE, its group prefix
// ("item1.") dropped.
struct Property {
  char name[64];
  unsigned types = 0;
  bool quotedPrintable = false;
  char charset[32] = "";
  char sortAs[256] = "";
  const char* value = "";
};

bool Is(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

unsigned TypeOf(const char* word) {
  if (Is(word, "HOME")) return kHome;
  if (Is(word, "WORK")) return kWork;
  if (Is(word, "CELL") || Is(word, "MOBILE") || Is(word, "X-MOBILE")) return kCell;
  if (Is(word, "FAX")) return kFax;
  if (Is(word, "PAGER")) return kPager;
  return 0;
}

// One parameter: KEY=VALUE[,VALUE], or a bare type word of vCard 2.1.
void TakeParameter(char* text, Property& p) {
  char* equals = strchr(text, '=');
  char* value = equals != nullptr ? equals + 1 : text;
  if (equals != nullptr) *equals = '\0';
  size_t n = strlen(value);
  if (n >= 2 && value[0] == '"' && value[n - 1] == '"') {
    value[n - 1] = '\0';
    ++value;
  }
  if (equals == nullptr || Is(text, "TYPE")) {
    for (char* word = strtok(value, ","); word != nullptr; word = strtok(nullptr, ",")) {
      p.types |= TypeOf(word);
      if (Is(word, "QUOTED-PRINTABLE")) p.quotedPrintable = true;
    }
  } else if (Is(text, "ENCODING")) {
    p.quotedPrintable = Is(value, "QUOTED-PRINTABLE");
  } else if (Is(text, "CHARSET")) {
    CopyCutString(p.charset, value);
  } else if (Is(text, "SORT-AS")) {
    CopyCutString(p.sortAs, value);
  }
}

bool Parse(char* line, Property& p) {
  char* colon = nullptr;
  bool quoted = false;
  for (char* c = line; *c != '\0'; ++c) {
    if (*c == '"') quoted = !quoted;
    if (*c == ':' && !quoted) {
      colon = c;
      break;
    }
  }
  if (colon == nullptr) return false;
  *colon = '\0';
  p.value = colon + 1;
  char* semicolon = strchr(line, ';');
  if (semicolon != nullptr) *semicolon = '\0';
  char* dot = strchr(line, '.');
  CopyCutString(p.name, dot != nullptr ? dot + 1 : line);
  for (char* c = p.name; *c != '\0'; ++c) *c = static_cast<char>(toupper(*c));
  char* rest = semicolon != nullptr ? semicolon + 1 : nullptr;
  while (rest != nullptr) {
    char* next = strchr(rest, ';');
    if (next != nullptr) *next++ = '\0';
    TakeParameter(rest, p);
    rest = next;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A value's components (split at separator, escapes undone) in code page
// 932, each NUL-terminated in one buffer. cp932Source keeps the second
// byte of a two-byte character, which may be a backslash, from being taken
// for an escape.
struct Components {
  char text[kValueSize];
  const char* part[kMaxComponents];
  int count = 0;
  const char* operator[](int i) const { return i < count ? part[i] : ""; }
};

class ValueReader {
 public:
  ValueReader(bool utf8File) : utf8File_(utf8File), utf8_("UTF-8"), cp932_("CP932") {}
  int replaced = 0;

  void Read(const Property& p, char separator, Components& out) {
    // Quoted-printable first: the escapes and separators lie beneath it.
    char raw[kValueSize];
    size_t n = 0;
    for (const char* v = p.value; *v != '\0' && n < sizeof raw - 1; ++v) {
      if (p.quotedPrintable && v[0] == '=' && HexDigit(v[1]) >= 0 && HexDigit(v[2]) >= 0) {
        raw[n++] = static_cast<char>(HexDigit(v[1]) * 16 + HexDigit(v[2]));
        v += 2;
      } else {
        raw[n++] = *v;
      }
    }
    bool utf8 = p.charset[0] != '\0' ? Is(p.charset, "UTF-8") : utf8File_;
    Cp932Writer other(p.charset[0] != '\0' ? p.charset : "CP932");
    Cp932Writer& writer = utf8 ? utf8_ : p.charset[0] != '\0' ? other : cp932_;
    bool cp932Source = !utf8 && (p.charset[0] == '\0' || !other.Converts());
    out.count = 0;
    size_t used = 0;
    char piece[kValueSize];
    size_t length = 0;
    auto finish = [&]() {
      if (out.count >= kMaxComponents || used >= sizeof out.text) return;
      out.part[out.count++] = out.text + used;
      size_t w =
          writer.Convert(piece, length, out.text + used, sizeof out.text - used - 1, replaced);
      out.text[used + w] = '\0';
      BlankOutLineBreaks(out.text + used);
      used += w + 1;
      length = 0;
    };
    for (size_t i = 0; i < n; ++i) {
      char c = raw[i];
      if (cp932Source && IsCp932LeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
        piece[length++] = c;
        piece[length++] = raw[++i];
        continue;
      }
      if (c == '\\' && i + 1 < n) {
        char e = raw[++i];
        piece[length++] = e == 'n' || e == 'N' ? '\n' : e;
      } else if (c == separator) {
        finish();
      } else {
        piece[length++] = c;
      }
    }
    finish();
  }

 private:
  bool utf8File_;
  Cp932Writer utf8_;
  Cp932Writer cp932_;
};

// The properties that carry nothing a card holds, or whose content comes
// in through another property.
bool Unremarkable(const char* name) {
  for (const char* known : {"VERSION", "PRODID", "REV", "UID", "LABEL", "X-ABLABEL", "X-ABUID",
                            "CLIENTPIDMAP", "KIND", "SOURCE", "NAME", "PROFILE", "X-IRMC-LUID"}) {
    if (Is(name, known)) return true;
  }
  return false;
}

// A vCard's fields as they are found, put into the card at its end.
struct VcardCard {
  long line = 0;
  std::string fn, family, given, org;
  std::string sortString, sortAs, phoneticLast, phoneticFirst, sound;
  int phones = 0, mails = 0, addresses = 0;
  bool cut = false;
  std::string leftOver;
  void Lose(const std::string& what) {
    if (leftOver.find(what) != std::string::npos) return;
    leftOver += (leftOver.empty() ? "" : "; ") + what;
  }
};

class VcardImporter {
 public:
  VcardImporter(bool utf8File, const ExchangeRequest& request)
      : values_(utf8File), request_(request) {}

  void Property(::Property& p, VcardCard& card, int n) {
    Components c;
    const char* name = p.name;
    if (Is(name, "FN")) {
      values_.Read(p, '\0', c);
      card.fn = c[0];
    } else if (Is(name, "N")) {
      values_.Read(p, ';', c);
      card.family = c[0];
      card.given = c[1];
      if (p.sortAs[0] != '\0') {
        ::Property sort = p;
        sort.value = p.sortAs;
        sort.quotedPrintable = false;
        values_.Read(sort, ',', c);
        card.sortAs = std::string(c[0]) + (c[1][0] != '\0' ? " " : "") + c[1];
      }
    } else if (Is(name, "SORT-STRING")) {
      values_.Read(p, '\0', c);
      card.sortString = c[0];
    } else if (Is(name, "X-PHONETIC-LAST-NAME")) {
      values_.Read(p, '\0', c);
      card.phoneticLast = c[0];
    } else if (Is(name, "X-PHONETIC-FIRST-NAME")) {
      values_.Read(p, '\0', c);
      card.phoneticFirst = c[0];
    } else if (Is(name, "SOUND")) {
      values_.Read(p, ';', c);
      card.sound = std::string(c[0]) + (c[1][0] != '\0' ? " " : "") + c[1];
    } else if (Is(name, "ORG")) {
      values_.Read(p, ';', c);
      card.org = c[0];
      card.Lose("ORG");
    } else if (Is(name, "TEL")) {
      values_.Read(p, '\0', c);
      const char* number = strncasecmp(c[0], "tel:", 4) == 0 ? c[0] + 4 : c[0];
      if (card.phones >= 3) {
        card.Lose("a fourth phone (" + Utf8Of(number) + ")");
        return;
      }
      int type = p.types & kFax     ? 4
                 : p.types & kPager ? 3
                 : p.types & kCell  ? 1
                 : p.types & kWork  ? 2
                                    : 0;
      Set(n, kExPhoneType1 + 2 * card.phones, std::to_string(type).c_str(), card);
      Set(n, kExPhone1 + 2 * card.phones++, number, card);
    } else if (Is(name, "EMAIL")) {
      values_.Read(p, '\0', c);
      if (card.mails >= 3) {
        card.Lose("a fourth mail address (" + Utf8Of(c[0]) + ")");
        return;
      }
      int type = p.types & kCell ? 1 : p.types & kWork ? 2 : 0;
      Set(n, kExMailType1 + 2 * card.mails, std::to_string(type).c_str(), card);
      Set(n, kExMail1 + 2 * card.mails++, c[0], card);
    } else if (Is(name, "ADR")) {
      values_.Read(p, ';', c);
      if (card.addresses++ > 0) {
        card.Lose("a second address");
        return;
      }
      Set(n, kExAddress, AddressOf(c).c_str(), card);
      Set(n, kExPostalCode, c[5], card);
    } else if (Is(name, "NOTE")) {
      values_.Read(p, '\0', c);
      Set(n, kExMemo, c[0], card);
    } else if (Is(name, "CATEGORIES")) {
      values_.Read(p, ',', c);
      Set(n, kExGroup, c[0], card);
      if (c.count > 1) card.Lose("categories past the first");
    } else if (!Unremarkable(name)) {
      card.Lose(name);
    }
  }

  void Finish(VcardCard& card, int n) {
    std::string name = card.fn;
    if (name.empty())
      name = card.family + (card.given.empty() || card.family.empty() ? "" : " ") + card.given;
    if (name.empty()) name = card.org;
    if (name.empty()) name = g_book.m_book[n].mails[0].address;
    if (name.empty()) name = g_book.m_book[n].phones[0].number;
    Set(n, kExName, name.c_str(), card);
    std::string reading = card.sortString;
    if (reading.empty()) reading = card.sortAs;
    if (reading.empty()) {
      reading = card.phoneticLast +
                (card.phoneticLast.empty() || card.phoneticFirst.empty() ? "" : " ") +
                card.phoneticFirst;
    }
    if (reading.empty()) reading = card.sound;
    Set(n, kExReading, reading.c_str(), card);
  }

  int Replaced() const { return values_.replaced; }

 private:
  void Set(int n, int field, const char* text, VcardCard& card) {
    if (g_book.SetExchangeField(n, field, text, strlen(text))) card.cut = true;
  }

  // Japanese addresses run from the prefecture down with no separator;
  // others from the street up, comma-separated.
  static std::string AddressOf(const Components& c) {
    bool japanese = false;
    for (int i = 0; i < c.count; ++i) {
      for (const char* b = c[i]; *b != '\0'; ++b) japanese = japanese || (*b & 0x80) != 0;
    }
    // -1 ends each order; the country is left to a Japanese address's reader.
    static const int kJapanese[] = {4, 3, 2, 1, 0, -1};
    static const int kWestern[] = {0, 1, 2, 3, 4, 6, -1};
    std::string text;
    for (const int* order = japanese ? kJapanese : kWestern; *order >= 0; ++order) {
      int i = *order;
      if (c[i][0] == '\0') continue;
      if (!text.empty() && !japanese) text += ", ";
      text += c[i];
    }
    return text;
  }

  ValueReader values_;
  const ExchangeRequest& request_;
};

}  // namespace

int ImportVcards(const char* bookDirectory, const ExchangeRequest& request) {
  if (request.columns != nullptr || request.comma || request.noHeading) {
    return Fail(kExitBadArguments, "--vcard takes no --columns, --comma or --no-heading");
  }
  errno = 0;
  FILE* file = fopen(request.file, "rb");
  if (file == nullptr) {
    return Fail(kExitFailed, "cannot open the import file %s: %s", request.file, Reason());
  }
  bool utf8 = ReadsAsUtf8(file, request.encoding);
  errno = 0;
  if (!g_book.LoadBookFile(bookDirectory, 0)) {
    fclose(file);
    return Fail(kExitFailed, "cannot read the card file %s: %s",
                CardFilePath(bookDirectory).c_str(), Reason());
  }
  VcardLines lines(file);
  VcardImporter importer(utf8, request);
  VcardCard card;
  int depth = 0;
  int n = 0;
  int found = 0;
  bool taking = false;
  while (lines.Next()) {
    char* text = lines.Text();
    if (strncasecmp(text, "BEGIN:VCARD", 11) == 0) {
      if (depth++ > 0) continue;  // a card inside a card (an AGENT of 2.1)
      ++found;
      card = VcardCard();
      card.line = lines.LineNumber();
      taking = g_book.m_nBookCards + n < kMaxCards && n < kCardSlots;
      if (!taking) g_notes.Add(card.line, kImportOverCardLimit);
      if (taking) memset(&g_book.m_book[n], 0, sizeof g_book.m_book[n]);
      continue;
    }
    if (strncasecmp(text, "END:VCARD", 9) == 0) {
      if (depth == 0 || --depth > 0 || !taking) continue;
      importer.Finish(card, n);
      if (card.cut) g_notes.Add(card.line, kImportTextCut);
      if (request.dryRun && (card.cut || !card.leftOver.empty())) {
        printf("vCard at line %ld (%s): %s%s%s\n", card.line, Utf8Of(g_book.m_book[n].name).c_str(),
               card.cut ? "a text cut at its field's width" : "",
               card.cut && !card.leftOver.empty() ? "; " : "",
               card.leftOver.empty() ? "" : ("left out: " + card.leftOver).c_str());
      }
      g_lineOfCard[n++] = card.line;
      continue;
    }
    if (depth != 1 || !taking) continue;
    Property p;
    int before = importer.Replaced();
    if (Parse(text, p)) importer.Property(p, card, n);
    if (importer.Replaced() > before) g_notes.Add(card.line, kNoteReplaced);
  }
  bool readFailed = ferror(file) != 0;
  fclose(file);
  if (readFailed)
    return Fail(kExitFailed, "cannot read the import file %s: %s", request.file, Reason());
  if (found == 0) {
    return Fail(kExitFailed, "the import file %s holds no vCard (no line BEGIN:VCARD)",
                request.file);
  }
  g_notes.replacedCharacters = importer.Replaced();
  PrintedMessages messages(request.file, bookDirectory);
  return FinishImport(g_book, n, bookDirectory, request, g_lineOfCard, g_notes, messages);
}
