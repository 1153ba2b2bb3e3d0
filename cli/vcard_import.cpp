#include "cli/vcard_import.h"

#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include "cards/card_rules.h"
#include "cli/book_setup.h"
#include "cli/import_command.h"
#include "cli/import_file.h"
#include "cli/messages.h"
#include "cli/vcard_lines.h"
#include "text/byte_text.h"

namespace {

constexpr size_t kValueSize = 2048;
constexpr size_t kPartSize = 256;  // wider than any card field but the address and memo
constexpr size_t kLeftOutSize = 512;
constexpr int kMaxComponents = 8;

enum TypeFlag : unsigned {
  kHome = 1u << 0,
  kWork = 1u << 1,
  kCell = 1u << 2,
  kFax = 1u << 3,
  kPager = 1u << 4,
  kIrmcName = 1u << 5,  // SOUND;X-IRMC-N: the reading, as Japanese phones write it
};

bool Is(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

unsigned TypeOf(const char* word) {
  if (Is(word, "HOME")) return kHome;
  if (Is(word, "WORK")) return kWork;
  if (Is(word, "CELL") || Is(word, "MOBILE") || Is(word, "X-MOBILE")) return kCell;
  if (Is(word, "FAX")) return kFax;
  if (Is(word, "PAGER")) return kPager;
  if (Is(word, "X-IRMC-N")) return kIrmcName;
  return 0;
}

// One property line taken apart: GROUP.NAME;PARAMETERS:VALUE, the group
// ("item1." of Apple's cards) dropped.
struct Property {
  char name[64];
  unsigned types;
  bool quotedPrintable;
  char charset[32];
  char sortAs[kPartSize];
  const char* value;
};

// One parameter: KEY=VALUE[,VALUE], or a bare word of vCard 2.1 (HOME,
// QUOTED-PRINTABLE).
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
    char* save = nullptr;
    for (char* word = strtok_r(value, ",", &save); word; word = strtok_r(nullptr, ",", &save)) {
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
  memset(&p, 0, sizeof p);
  char* colon = nullptr;
  bool quoted = false;
  for (char* c = line; *c != '\0' && colon == nullptr; ++c) {
    if (*c == '"') quoted = !quoted;
    if (*c == ':' && !quoted) colon = c;
  }
  if (colon == nullptr) return false;
  *colon = '\0';
  p.value = colon + 1;
  char* parameters = strchr(line, ';');
  if (parameters != nullptr) *parameters++ = '\0';
  char* dot = strchr(line, '.');
  CopyCutString(p.name, dot != nullptr ? dot + 1 : line);
  for (char* c = p.name; *c != '\0'; ++c) *c = static_cast<char>(toupper(*c));
  while (parameters != nullptr) {
    char* next = strchr(parameters, ';');
    if (next != nullptr) *next++ = '\0';
    TakeParameter(parameters, p);
    parameters = next;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A value's components in code page 932, each NUL-terminated in one buffer,
// line breaks and tabs blanked as a card line needs.
struct Components {
  char text[kValueSize];
  const char* part[kMaxComponents];
  int count;
  const char* operator[](int i) const { return i < count ? part[i] : ""; }
};

class ValueReader {
 public:
  // utf8File: the file's text is UTF-8; asciiFile: it is plain ASCII, which
  // leaves a value's encoding (quoted-printable, say) to the vCard's version.
  ValueReader(bool utf8File, bool asciiFile)
      : m_bUtf8File(utf8File), m_bAsciiFile(asciiFile), m_cp932("CP932") {}

  // vCard 3.0 and 4.0 are UTF-8 unless they say otherwise; 2.1 has no such
  // rule, and Japanese phones write it in code page 932.
  void SetVersion(const char* version) { m_bModern = version[0] == '3' || version[0] == '4'; }
  int replaced = 0;

  // Splits the value at separator (none for 0) and undoes its escapes, then
  // converts each component from its character set.
  void Read(const Property& p, char separator, Components& out) {
    char raw[kValueSize];
    size_t n = 0;
    // Quoted-printable lies over the escapes and separators.
    for (const char* v = p.value; *v != '\0' && n < sizeof raw; ++v) {
      if (p.quotedPrintable && v[0] == '=' && HexDigit(v[1]) >= 0 && HexDigit(v[2]) >= 0) {
        raw[n++] = static_cast<char>(HexDigit(v[1]) * 16 + HexDigit(v[2]));
        v += 2;
      } else {
        raw[n++] = *v;
      }
    }
    Cp932Writer& writer = WriterFor(p.charset);
    // The second byte of a code page 932 character may be a backslash.
    bool cp932Source = !writer.Converts();
    out.count = 0;
    size_t used = 0;
    char piece[kValueSize];
    size_t length = 0;
    auto finish = [&]() {
      if (out.count < kMaxComponents && used < sizeof out.text) {
        out.part[out.count++] = out.text + used;
        used +=
            writer.Convert(piece, length, out.text + used, sizeof out.text - used - 1, replaced);
        out.text[used] = '\0';
        BlankOutLineBreaks(out.text + (out.part[out.count - 1] - out.text));
        ++used;
      }
      length = 0;
    };
    for (size_t i = 0; i < n; ++i) {
      char c = raw[i];
      if (cp932Source && IsCp932LeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
        piece[length++] = c;
        piece[length++] = raw[++i];
      } else if (c == '\\' && i + 1 < n) {
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
  // Without CHARSET the file's own encoding; a converter is opened only when
  // the character set changes.
  Cp932Writer& WriterFor(const char* charset) {
    if (charset[0] == '\0') return m_bUtf8File || (m_bAsciiFile && m_bModern) ? m_utf8 : m_cp932;
    if (Is(charset, "UTF-8")) return m_utf8;
    if (!Is(charset, m_szOtherCharset)) {
      CopyCutString(m_szOtherCharset, charset);
      m_other.Open(charset);
    }
    return m_other;
  }

  bool m_bUtf8File;
  bool m_bAsciiFile;
  bool m_bModern = false;
  Cp932Writer m_utf8;
  Cp932Writer m_cp932;
  Cp932Writer m_other;
  char m_szOtherCharset[32] = "UTF-8";
};

// Properties that carry nothing a card holds, or whose content comes in
// through another property (X-GNO numbers the group that X-GN names on
// Japanese phones).
bool Unremarkable(const char* name) {
  for (const char* known :
       {"VERSION", "PRODID", "REV", "UID", "LABEL", "X-ABLABEL", "X-ABUID", "CLIENTPIDMAP", "KIND",
        "SOURCE", "NAME", "PROFILE", "X-IRMC-LUID", "X-ABADR", "X-GNO"}) {
    if (Is(name, known)) return true;
  }
  return false;
}

// What a vCard says about the two fields that several properties may give.
struct NameParts {
  char fn[kPartSize], family[kPartSize], given[kPartSize], org[kPartSize];
  char sortString[kPartSize], sortAs[kPartSize], phoneticLast[kPartSize], phoneticFirst[kPartSize],
      sound[kPartSize];
};

// "a b", or whichever of the two is there.
void Join(char (&out)[kPartSize], const char* a, const char* b) {
  snprintf(out, sizeof out, "%s%s%s", a, a[0] != '\0' && b[0] != '\0' ? " " : "", b);
}

bool IsAscii(const char* text) {
  for (; *text != '\0'; ++text) {
    if (static_cast<unsigned char>(*text) >= 0x80) return false;
  }
  return true;
}

// Japanese addresses run from the prefecture down with nothing between;
// others from the street up, comma-separated.
void AddressOf(const Components& c, char (&out)[kValueSize]) {
  bool japanese = false;
  for (int i = 0; i < c.count; ++i) japanese = japanese || !IsAscii(c[i]);
  // -1 ends each order; a Japanese address leaves its country to the reader.
  static const int kJapanese[] = {4, 3, 2, 1, 0, -1};
  static const int kWestern[] = {0, 1, 2, 3, 4, 6, -1};
  size_t n = 0;
  out[0] = '\0';
  for (const int* order = japanese ? kJapanese : kWestern; *order >= 0; ++order) {
    if (c[*order][0] == '\0') continue;
    int w = snprintf(out + n, sizeof out - n, "%s%s", n > 0 && !japanese ? ", " : "", c[*order]);
    n = w < 0 ? n : n + static_cast<size_t>(w);
    if (n >= sizeof out) break;
  }
}

// Each imported card's line and, in words, what it left out.
struct LeftOutTable : LeftOutFields {
  long lineOfCard[kCardSlots];
  char text[kCardSlots][kLeftOutSize];
  int cards = 0;
  const char* On(long line) const override {
    for (int i = 0; i < cards; ++i) {
      if (lineOfCard[i] == line) return text[i];
    }
    return "";
  }
};

ExchangeBook g_book;  // over a megabyte: not for the stack
ImportNotes g_notes;
LeftOutTable g_leftOut;
NameParts g_names;

class VcardImporter {
 public:
  VcardImporter(bool utf8File, bool asciiFile) : m_values(utf8File, asciiFile) {}

  // Starts card n, which the vCard on line begins.
  void Begin(int n, long line) {
    m_nCard = n;
    m_nLine = line;
    m_nPhones = m_nMails = m_nAddresses = 0;
    m_bCut = false;
    m_values.SetVersion("");
    memset(&g_names, 0, sizeof g_names);
    memset(&g_book.m_book[n], 0, sizeof g_book.m_book[n]);
    g_leftOut.lineOfCard[n] = line;
    g_leftOut.text[n][0] = '\0';
    g_leftOut.cards = n + 1;
  }

  void Take(const Property& p) {
    int before = m_values.replaced;
    TakeProperty(p);
    if (m_values.replaced > before) g_notes.Add(m_nLine, kNoteReplaced);
  }

  // The name and the reading from the best of what the vCard gave.
  void End() {
    NameParts& k = g_names;
    char name[kPartSize];
    if (k.fn[0] != '\0') {
      CopyCutString(name, k.fn);
    } else if (IsAscii(k.family) && IsAscii(k.given)) {
      Join(name, k.given, k.family);
    } else {
      Join(name, k.family, k.given);
    }
    const CardRecord& card = g_book.m_book[m_nCard];
    if (name[0] == '\0' && k.org[0] != '\0') {
      CopyCutString(name, k.org);
      Unlose("ORG");  // it is the name
    }
    for (const char* fallback : {card.mails[0].address, card.phones[0].number}) {
      if (name[0] == '\0') CopyCutString(name, fallback);
    }
    Set(kExName, name);
    char reading[kPartSize];
    CopyCutString(reading, k.sortString[0] != '\0' ? k.sortString : k.sortAs);
    if (reading[0] == '\0') Join(reading, k.phoneticLast, k.phoneticFirst);
    if (reading[0] == '\0') CopyCutString(reading, k.sound);
    Set(kExReading, reading);
    // An organisation, a mail or a phone alone gives a name but no reading.
    if (reading[0] == '\0') g_notes.Add(m_nLine, kNoteNoReading);
    if (m_bCut) g_notes.Add(m_nLine, kImportTextCut);
    if (g_leftOut.text[m_nCard][0] != '\0') g_notes.Add(m_nLine, kNoteLeftOut);
  }

  int Replaced() const { return m_values.replaced; }

 private:
  void TakeProperty(const Property& p) {
    NameParts& k = g_names;
    const char* name = p.name;
    Components& c = m_components;
    if (Is(name, "VERSION")) {
      m_values.SetVersion(p.value);
    } else if (Is(name, "FN")) {
      m_values.Read(p, '\0', c);
      CopyCutString(k.fn, c[0]);
    } else if (Is(name, "N")) {
      m_values.Read(p, ';', c);
      CopyCutString(k.family, c[0]);
      CopyCutString(k.given, c[1]);
      if (p.sortAs[0] != '\0') {
        Property sort = p;
        sort.value = p.sortAs;
        sort.quotedPrintable = false;
        m_values.Read(sort, ',', c);
        Join(k.sortAs, c[0], c[1]);
      }
    } else if (Is(name, "SORT-STRING") || Is(name, "X-PHONETIC-LAST-NAME") ||
               Is(name, "X-PHONETIC-FIRST-NAME")) {
      m_values.Read(p, '\0', c);
      CopyCutString(Is(name, "SORT-STRING")            ? k.sortString
                    : Is(name, "X-PHONETIC-LAST-NAME") ? k.phoneticLast
                                                       : k.phoneticFirst,
                    c[0]);
    } else if (Is(name, "SOUND") && (p.types & kIrmcName)) {
      m_values.Read(p, ';', c);
      Join(k.sound, c[0], c[1]);
    } else if (Is(name, "ORG")) {
      m_values.Read(p, ';', c);
      CopyCutString(k.org, c[0]);
      Lose("ORG", nullptr);
    } else if (Is(name, "TEL")) {
      m_values.Read(p, '\0', c);
      const char* number = strncasecmp(c[0], "tel:", 4) == 0 ? c[0] + 4 : c[0];
      if (m_nPhones >= kPhoneSlots) return Lose("a fourth phone", number);
      unsigned t = p.types;
      int type = t & kFax ? 4 : t & kPager ? 3 : t & kCell ? 1 : t & kWork ? 2 : 0;
      SetType(kExPhoneType1 + 2 * m_nPhones, type);
      Set(kExPhone1 + 2 * m_nPhones++, number);
    } else if (Is(name, "EMAIL")) {
      m_values.Read(p, '\0', c);
      if (m_nMails >= kMailSlots) return Lose("a fourth mail address", c[0]);
      SetType(kExMailType1 + 2 * m_nMails, p.types & kCell ? 1 : p.types & kWork ? 2 : 0);
      Set(kExMail1 + 2 * m_nMails++, c[0]);
    } else if (Is(name, "ADR")) {
      m_values.Read(p, ';', c);
      if (m_nAddresses++ > 0) return Lose("a second address", nullptr);
      char address[kValueSize];
      AddressOf(c, address);
      Set(kExAddress, address);
      Set(kExPostalCode, c[5]);
    } else if (Is(name, "NOTE")) {
      m_values.Read(p, '\0', c);
      Set(kExMemo, c[0]);
    } else if (Is(name, "CATEGORIES") || Is(name, "X-GN")) {
      m_values.Read(p, ',', c);
      Set(kExGroup, c[0]);
      for (int i = 1; i < c.count; ++i) Lose("another category", c[i]);
    } else if (!Unremarkable(name)) {
      Lose(name, nullptr);
    }
  }

  void Set(int field, const char* text) {
    if (g_book.SetExchangeField(m_nCard, field, text, strlen(text))) m_bCut = true;
  }
  void SetType(int field, int type) {
    char digit[2] = {static_cast<char>('0' + type), '\0'};
    Set(field, digit);
  }

  // Takes the entry what (ASCII, without a text) back out of the card's
  // left-out fields.
  void Unlose(const char* what) {
    char* text = g_leftOut.text[m_nCard];
    size_t length = strlen(what);
    for (char* at = text; (at = strstr(at, what)) != nullptr; at += length) {
      bool starts = at == text || (at - text >= 2 && at[-2] == ',' && at[-1] == ' ');
      if (!starts || (at[length] != '\0' && at[length] != ',')) continue;
      char* from = at == text ? at : at - 2;
      const char* to = at + length + (at == text && at[length] == ',' ? 2 : 0);
      memmove(from, to, strlen(to) + 1);
      return;
    }
  }

  // Adds what (ASCII) and its text (code page 932), if any, to the card's
  // left-out fields, once.
  void Lose(const char* what, const char* cp932) {
    char* text = g_leftOut.text[m_nCard];
    size_t n = strlen(text);
    char entry[kLeftOutSize];
    int w = snprintf(entry, sizeof entry, "%s%s", n > 0 ? ", " : "", what);
    size_t length = w < 0 ? 0 : static_cast<size_t>(w);
    if (cp932 != nullptr && length + 4 < sizeof entry) {
      entry[length++] = ' ';
      entry[length++] = '(';
      size_t rest = strlen(cp932);
      length += Utf8Into(cp932, rest, entry + length, sizeof entry - length - 2);
      entry[length++] = ')';
    }
    entry[length] = '\0';
    const char* own = entry + (n > 0 ? 2 : 0);
    size_t ownLength = strlen(own);
    for (const char* at = text; (at = strstr(at, own)) != nullptr; at += ownLength) {
      bool starts = at == text || at[-1] == ' ';
      if (starts && (at[ownLength] == '\0' || at[ownLength] == ',')) return;
    }
    if (n + length < kLeftOutSize) memcpy(text + n, entry, length + 1);
  }

  ValueReader m_values;
  Components m_components;
  int m_nCard = 0;
  long m_nLine = 0;
  int m_nPhones = 0, m_nMails = 0, m_nAddresses = 0;
  bool m_bCut = false;
};

}  // namespace

int ImportVcards(const char* bookDirectory, const ExchangeRequest& request) {
  if (request.columns != nullptr || request.comma || request.noHeading) {
    return Fail(kExitBadArguments, "--vcard takes no --columns, --comma or --no-heading");
  }
  const char* reason = nullptr;
  FILE* file = OpenPlainFile(request.file, reason);
  if (file == nullptr) {
    return Fail(kExitFailed, "cannot open the import file %s: %s", request.file, reason);
  }
  FileText text = ExamineText(file);
  bool automatic = request.encoding == Encoding::kAuto;
  VcardImporter importer(automatic ? text.utf8 : request.encoding == Encoding::kUtf8,
                         automatic && text.ascii);
  errno = 0;
  if (!g_book.LoadBookFile(bookDirectory, 0)) {
    fclose(file);
    return Fail(kExitFailed, "cannot read the card file %s: %s",
                CardFilePath(bookDirectory).c_str(), Reason());
  }
  VcardLines lines(file);
  int depth = 0;
  int n = 0;
  int found = 0;
  bool taking = false;
  while (lines.Next()) {
    char* text = lines.Text();
    if (strncasecmp(text, "BEGIN:VCARD", 11) == 0) {
      if (depth++ > 0) continue;  // a card inside a card (an AGENT of 2.1)
      ++found;
      taking = g_book.m_nBookCards + n < kMaxCards && n < kCardSlots;
      if (taking) {
        importer.Begin(n, lines.LineNumber());
      } else {
        g_notes.Add(lines.LineNumber(), kImportOverCardLimit);
      }
    } else if (strncasecmp(text, "END:VCARD", 9) == 0) {
      if (depth == 0 || --depth > 0 || !taking) continue;
      importer.End();
      ++n;
    } else if (depth == 1 && taking) {
      Property p;
      if (Parse(text, p)) importer.Take(p);
    }
  }
  if (depth > 0 && taking) {
    // A file cut short keeps the card it was cut in.
    importer.End();
    ++n;
  }
  bool readFailed = ferror(file) != 0;
  fclose(file);
  if (readFailed) {
    return Fail(kExitFailed, "cannot read the import file %s: %s", request.file, Reason());
  }
  if (found == 0) {
    return Fail(kExitFailed, "the import file %s holds no vCard (no line BEGIN:VCARD)",
                request.file);
  }
  g_notes.replacedCharacters = importer.Replaced();
  PrintedMessages messages(request.file, bookDirectory);
  return FinishImport(g_book, n, bookDirectory, request, g_leftOut.lineOfCard, g_notes, messages,
                      &g_leftOut);
}
