#include "exchange/vcard_reader.h"

#include <string.h>

#include <initializer_list>

#include "cards/card_rules.h"
#include "text/byte_text.h"

namespace {

enum TypeFlag : unsigned {
  kHome = 1u << 0,
  kWork = 1u << 1,
  kCell = 1u << 2,
  kFax = 1u << 3,
  kPager = 1u << 4,
  kIrmcName = 1u << 5,  // SOUND;X-IRMC-N: the reading, as Japanese phones write it
};

bool Is(const char* a, const char* b) { return SameIgnoringCase(a, b); }

unsigned TypeOf(const char* word) {
  if (Is(word, "HOME")) return kHome;
  if (Is(word, "WORK")) return kWork;
  if (Is(word, "CELL") || Is(word, "MOBILE") || Is(word, "X-MOBILE")) return kCell;
  if (Is(word, "FAX")) return kFax;
  if (Is(word, "PAGER")) return kPager;
  if (Is(word, "X-IRMC-N")) return kIrmcName;
  return 0;
}

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

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsAscii(const char* text) {
  for (; *text != '\0'; ++text) {
    if (static_cast<unsigned char>(*text) >= 0x80) return false;
  }
  return true;
}

// Text appended to a buffer of N bytes, cut at a character boundary when
// it does not fit.
template <size_t N>
class Appender {
 public:
  explicit Appender(char (&out)[N]) : m_out(out) { m_out[0] = '\0'; }
  Appender& operator<<(const char* text) {
    m_nLength += CopyCutString(m_out + m_nLength, N - m_nLength, text);
    return *this;
  }
  size_t Length() const { return m_nLength; }

 private:
  char (&m_out)[N];
  size_t m_nLength = 0;
};

// "a b", or whichever of the two is there.
template <size_t N>
void Join(char (&out)[N], const char* a, const char* b) {
  Appender<N>(out) << a << (a[0] != '\0' && b[0] != '\0' ? " " : "") << b;
}

// Japanese addresses run from the prefecture down with nothing between;
// others from the street up, comma-separated.
template <size_t N>
void AddressOf(const VcardReader::Components& c, char (&out)[N]) {
  bool japanese = false;
  for (int i = 0; i < c.count; ++i) japanese = japanese || !IsAscii(c[i]);
  // -1 ends each order; a Japanese address leaves its country to the reader.
  static const int kJapanese[] = {4, 3, 2, 1, 0, -1};
  static const int kWestern[] = {0, 1, 2, 3, 4, 6, -1};
  Appender<N> address(out);
  for (const int* order = japanese ? kJapanese : kWestern; *order >= 0; ++order) {
    if (c[*order][0] == '\0') continue;
    address << (address.Length() > 0 && !japanese ? ", " : "") << c[*order];
  }
}

// Splits text at separator outside double quotes, in place: returns the
// piece and moves text past it (null after the last).
char* TakePiece(char*& text, char separator) {
  char* piece = text;
  bool quoted = false;
  for (char* c = text; *c != '\0'; ++c) {
    if (*c == '"') quoted = !quoted;
    if (*c == separator && !quoted) {
      *c = '\0';
      text = c + 1;
      return piece;
    }
  }
  text = nullptr;
  return piece;
}

}  // namespace

// GROUP.NAME;PARAMETERS:VALUE, the group ("item1." of Apple's cards)
// dropped.
struct VcardReader::Property {
  char name[64];
  unsigned types;
  bool quotedPrintable;
  char charset[kCharsetNameSize];
  char sortAs[256];
  const char* value;
};

namespace {

// One parameter: KEY=VALUE[,VALUE], or a bare word of vCard 2.1 (HOME,
// QUOTED-PRINTABLE).
void TakeParameter(char* text, VcardReader::Property& p) {
  char* equals = strchr(text, '=');
  char* value = equals != nullptr ? equals + 1 : text;
  if (equals != nullptr) *equals = '\0';
  size_t n = strlen(value);
  if (n >= 2 && value[0] == '"' && value[n - 1] == '"') {
    value[n - 1] = '\0';
    ++value;
  }
  if (equals == nullptr || Is(text, "TYPE")) {
    for (char* rest = value; rest != nullptr;) {
      const char* word = TakePiece(rest, ',');
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

// False for a line that is no property: no colon, or no name before it.
bool Parse(char* line, VcardReader::Property& p) {
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
  char* parameters = line;
  char* name = TakePiece(parameters, ';');
  char* dot = strchr(name, '.');
  CopyCutString(p.name, dot != nullptr ? dot + 1 : name);
  if (p.name[0] == '\0') return false;
  for (char* c = p.name; *c != '\0'; ++c) {
    if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
  }
  while (parameters != nullptr) TakeParameter(TakePiece(parameters, ';'), p);
  return true;
}

}  // namespace

bool VcardReader::Read(FILE* file, TextEncoding encoding, bool asciiFile, ExchangeBook& book,
                       int room, ImportReport& report) {
  m_pBook = &book;
  m_pReport = &report;
  m_fileEncoding = encoding;
  m_bAsciiFile = asciiFile;
  m_nRoom = room < kCardSlots ? room : kCardSlots;
  m_nFound = 0;
  m_nReplaced = 0;
  m_nWork = 0;
  m_bInCard = false;
  book.m_nImported = 0;
  m_lines.Start(file);
  while (m_lines.Next()) {
    char* text = m_lines.Text();
    const size_t length = m_lines.Length();
    const long line = m_lines.LineNumber();
    if (IsVcardLine(text, length, "BEGIN:VCARD")) {
      // Only an AGENT of 2.1 holds a vCard inside a vCard; any other
      // BEGIN means that the card before it lost its END.
      if (m_bInCard && m_bAfterAgent) {
        ++m_nNested;
      } else {
        if (m_bInCard) EndCard(false);
        BeginCard(line);
      }
      m_bAfterAgent = false;
    } else if (IsVcardLine(text, length, "END:VCARD")) {
      m_bAfterAgent = false;
      if (m_nNested > 0) {
        --m_nNested;
      } else if (m_bInCard) {
        EndCard(true);
      }
    } else if (m_bInCard && m_nNested == 0) {
      TakeLine(text, line, m_lines.HeldNul());
    }
  }
  // A file cut short keeps the card it was cut in.
  if (m_bInCard) EndCard(false);
  m_nWork += m_lines.Work();
  return !m_lines.ReadFailed();
}

void VcardReader::BeginCard(long line) {
  ++m_nFound;
  m_bInCard = true;
  m_nNested = 0;
  m_bAfterAgent = false;
  m_bModern = false;
  m_nCardLine = line;
  m_nCardNotes = 0;
  m_nPhones = m_nMails = m_nAddresses = 0;
  memset(&m_names, 0, sizeof m_names);
  m_nLost = 0;
  m_bMoreLost = false;
  m_szUnknown[0] = '\0';
  if (m_pBook->m_nImported >= m_nRoom) {
    m_nCard = -1;
    m_pReport->LineProblems(line, kImportOverCardLimit);
    return;
  }
  m_nCard = m_pBook->m_nImported++;
  memset(&m_pBook->m_book[m_nCard], 0, sizeof m_pBook->m_book[m_nCard]);
  m_pBook->m_anCardLine[m_nCard] = line;
  m_aszLeftOut[m_nCard][0] = '\0';
  m_aszUnknownCharset[m_nCard][0] = '\0';
}

void VcardReader::TakeLine(char* text, long line, bool heldNul) {
  m_bAfterAgent = false;
  m_nLine = line;
  m_nLineNotes = heldNul ? kImportNul : 0u;
  Property p;
  if (!Parse(text, p)) {
    m_nLineNotes |= kImportNotProperty;
  } else {
    m_bAfterAgent = Is(p.name, "AGENT") && p.value[0] == '\0';
    if (m_nCard >= 0) TakeProperty(p);
  }
  if (m_nLineNotes != 0 && m_nCard >= 0) m_pReport->LineProblems(line, m_nLineNotes);
}

// The name and the reading from the best of what the vCard gave; what it
// left out, in words.
void VcardReader::EndCard(bool ended) {
  m_bInCard = false;
  m_nNested = 0;
  if (m_nCard < 0) return;
  const NameParts& k = m_names;
  char name[256];
  if (k.fn[0] != '\0') {
    CopyCutString(name, k.fn);
  } else if (IsAscii(k.family) && IsAscii(k.given)) {
    Join(name, k.given, k.family);
  } else {
    Join(name, k.family, k.given);
  }
  const CardRecord& card = m_pBook->m_book[m_nCard];
  if (name[0] == '\0' && k.org[0] != '\0') {
    CopyCutString(name, k.org);
    Unlose("ORG");  // it is the name
  }
  for (const char* fallback : {card.mails[0].address, card.phones[0].number}) {
    if (name[0] == '\0') CopyCutString(name, fallback);
  }
  Set(kExName, name);
  char reading[256];
  CopyCutString(reading, k.sortString[0] != '\0' ? k.sortString : k.sortAs);
  if (reading[0] == '\0') Join(reading, k.phoneticLast, k.phoneticFirst);
  if (reading[0] == '\0') CopyCutString(reading, k.sound);
  Set(kExReading, reading);
  // An organisation, a mail or a phone alone gives a name but no reading.
  if (reading[0] == '\0') m_nCardNotes |= kImportNoReading;
  if (!ended) m_nCardNotes |= kImportNoEnd;

  Appender<kLeftOutSize> leftOut(m_aszLeftOut[m_nCard]);
  for (int i = 0; i < m_nLost; ++i) {
    const Lost& lost = m_lost[i];
    if (lost.dropped) continue;
    leftOut << (leftOut.Length() > 0 ? ", " : "") << lost.what;
    if (lost.detail[0] != '\0') leftOut << " (" << lost.detail << ")";
  }
  if (m_bMoreLost) leftOut << ", ...";
  if (leftOut.Length() > 0) m_nCardNotes |= kImportLeftOut;
  CopyCutString(m_aszUnknownCharset[m_nCard], m_szUnknown);
  if (m_szUnknown[0] != '\0') m_nCardNotes |= kImportUnknownCharset;
  if (m_nCardNotes != 0) m_pReport->LineProblems(m_nCardLine, m_nCardNotes);
}

void VcardReader::TakeProperty(const Property& p) {
  NameParts& k = m_names;
  const char* name = p.name;
  Components& c = m_components;
  if (Is(name, "VERSION")) {
    m_bModern = p.value[0] == '3' || p.value[0] == '4';
  } else if (Is(name, "FN")) {
    ReadValue(p, '\0', c);
    CopyCutString(k.fn, c[0]);
  } else if (Is(name, "N")) {
    ReadValue(p, ';', c);
    CopyCutString(k.family, c[0]);
    CopyCutString(k.given, c[1]);
    if (p.sortAs[0] != '\0') {
      Property sort = p;
      sort.value = p.sortAs;
      sort.quotedPrintable = false;
      ReadValue(sort, ',', m_sortComponents);
      Join(k.sortAs, m_sortComponents[0], m_sortComponents[1]);
    }
  } else if (Is(name, "SORT-STRING") || Is(name, "X-PHONETIC-LAST-NAME") ||
             Is(name, "X-PHONETIC-FIRST-NAME")) {
    ReadValue(p, '\0', c);
    CopyCutString(Is(name, "SORT-STRING")            ? k.sortString
                  : Is(name, "X-PHONETIC-LAST-NAME") ? k.phoneticLast
                                                     : k.phoneticFirst,
                  c[0]);
  } else if (Is(name, "SOUND") && (p.types & kIrmcName)) {
    ReadValue(p, ';', c);
    Join(k.sound, c[0], c[1]);
  } else if (Is(name, "ORG")) {
    ReadValue(p, ';', c);
    CopyCutString(k.org, c[0]);
    Lose("ORG", nullptr);
  } else if (Is(name, "TEL")) {
    ReadValue(p, '\0', c);
    const char* number = StartsIgnoringCase(c[0], "tel:") ? c[0] + 4 : c[0];
    if (m_nPhones >= kPhoneSlots) return Lose("a fourth phone", number);
    unsigned t = p.types;
    int type = t & kFax ? 4 : t & kPager ? 3 : t & kCell ? 1 : t & kWork ? 2 : 0;
    SetType(kExPhoneType1 + 2 * m_nPhones, type);
    Set(kExPhone1 + 2 * m_nPhones++, number);
  } else if (Is(name, "EMAIL")) {
    ReadValue(p, '\0', c);
    if (m_nMails >= kMailSlots) return Lose("a fourth mail address", c[0]);
    SetType(kExMailType1 + 2 * m_nMails, p.types & kCell ? 1 : p.types & kWork ? 2 : 0);
    Set(kExMail1 + 2 * m_nMails++, c[0]);
  } else if (Is(name, "ADR")) {
    ReadValue(p, ';', c);
    if (m_nAddresses++ > 0) return Lose("a second address", nullptr);
    char address[1024];
    AddressOf(c, address);
    Set(kExAddress, address);
    Set(kExPostalCode, c[5]);
  } else if (Is(name, "NOTE")) {
    ReadValue(p, '\0', c);
    Set(kExMemo, c[0]);
  } else if (Is(name, "CATEGORIES") || Is(name, "X-GN")) {
    ReadValue(p, ',', c);
    Set(kExGroup, c[0]);
    for (int i = 1; i < c.count; ++i) Lose("another category", c[i]);
  } else if (!Unremarkable(name)) {
    Lose(name, nullptr);
  }
}

void VcardReader::ReadValue(const Property& p, char separator, Components& out) {
  // Quoted-printable lies over the escapes and separators; a soft break
  // that nothing followed (the vCard ended) is no text.
  size_t n = 0;
  for (const char* v = p.value; *v != '\0' && n < sizeof m_achRaw; ++v) {
    if (p.quotedPrintable && v[0] == '=' && v[1] == '\0') break;
    if (p.quotedPrintable && v[0] == '=' && HexDigit(v[1]) >= 0 && HexDigit(v[2]) >= 0) {
      m_achRaw[n++] = static_cast<char>(HexDigit(v[1]) * 16 + HexDigit(v[2]));
      v += 2;
    } else {
      m_achRaw[n++] = *v;
    }
  }
  m_nWork += static_cast<long long>(n);
  // Without CHARSET the file's own encoding; a plain ASCII file leaves it
  // to the version: 3.0 and 4.0 are UTF-8 unless they say otherwise, and
  // Japanese phones write 2.1 in code page 932.
  const char* charset = p.charset;
  if (charset[0] == '\0') {
    bool utf8 = m_fileEncoding == TextEncoding::kUtf8 || (m_bAsciiFile && m_bModern);
    charset = utf8 ? "UTF-8" : "CP932";
  }
  // The second byte of a code page 932 character may be a backslash.
  const bool cp932Source = NamesCp932(charset);
  out.count = 0;
  size_t used = 0;
  size_t length = 0;
  auto finish = [&]() {
    if (out.count < Components::kMax && used + 1 < sizeof out.text) {
      char* part = out.text + used;
      out.part[out.count++] = part;
      used += ConvertPart(m_achPiece, length, charset, part, sizeof out.text - used - 1);
      out.text[used++] = '\0';
      BlankOutLineBreaks(part);
    }
    length = 0;
  };
  for (size_t i = 0; i < n; ++i) {
    char c = m_achRaw[i];
    if (cp932Source && IsCp932LeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
      m_achPiece[length++] = c;
      m_achPiece[length++] = m_achRaw[++i];
    } else if (c == '\\' && i + 1 < n) {
      char e = m_achRaw[++i];
      m_achPiece[length++] = e == 'n' || e == 'N' ? '\n' : e;
    } else if (c == separator) {
      finish();
    } else {
      m_achPiece[length++] = c;
    }
  }
  finish();
}

size_t VcardReader::ConvertPart(const char* piece, size_t length, const char* charset, char* out,
                                size_t room) {
  // Wider than any card field: what is past it is cut by the field anyway.
  const size_t kPartRoom = 1023;
  if (room > kPartRoom) room = kPartRoom;
  if (NamesCp932(charset)) {
    size_t n = CharBoundaryPrefix(piece, length, room);
    memcpy(out, piece, n);
    return n;
  }
  ConversionCounts counts;
  const char* in = piece;
  size_t left = length;
  size_t written = 0;
  bool known = true;
  if (NamesUtf8(charset)) {
    written = Utf8ToCp932(m_converter, in, left, out, room, true, counts);
  } else {
    // Another character set goes through UTF-8, where a byte that is no
    // character of it becomes one that is no UTF-8.
    char* utf8 = m_achUtf8;
    size_t utf8Room = sizeof m_achUtf8;
    while (left > 0 && utf8Room >= 8) {
      if (!m_converter.OtherToUtf8(charset, in, left, utf8, utf8Room)) {
        known = false;
        break;
      }
      if (left > 0 && utf8Room >= 8) {
        *utf8++ = '\xFF';
        --utf8Room;
        ++in;
        --left;
      }
    }
    if (known) {
      const char* converted = m_achUtf8;
      size_t convertedLength = static_cast<size_t>(utf8 - m_achUtf8);
      written = Utf8ToCp932(m_converter, converted, convertedLength, out, room, true, counts);
    } else {
      // An unknown name (UTF_8, X-UTF8) is most often UTF-8 misspelt.
      written = Utf8ToCp932(m_converter, in, left, out, room, true, counts);
      if (counts.bad > 0 && m_szUnknown[0] == '\0') CopyCutString(m_szUnknown, charset);
    }
  }
  m_nReplaced += counts.unmapped + counts.bad;
  if (counts.unmapped > 0) m_nLineNotes |= kImportReplaced;
  if (counts.bad > 0 && known) m_nLineNotes |= kImportBadBytes;
  return written;
}

void VcardReader::Set(int field, const char* text) {
  if (m_pBook->SetExchangeField(m_nCard, field, text, strlen(text))) m_nCardNotes |= kImportTextCut;
}

void VcardReader::SetType(int field, int type) {
  char digit[2] = {static_cast<char>('0' + type), '\0'};
  Set(field, digit);
}

// Adds what (ASCII) and its text (code page 932), if any, to the card's
// left-out fields, once.
void VcardReader::Lose(const char* what, const char* detail) {
  if (detail == nullptr) detail = "";
  for (int i = 0; i < m_nLost; ++i) {
    const Lost& lost = m_lost[i];
    if (!lost.dropped && strcmp(lost.what, what) == 0 && strcmp(lost.detail, detail) == 0) return;
  }
  if (m_nLost >= kMaxLost) {
    m_bMoreLost = true;
    return;
  }
  Lost& lost = m_lost[m_nLost++];
  CopyCutString(lost.what, what);
  CopyCutString(lost.detail, detail);
  lost.dropped = false;
}

// Takes the entry what, without a text, back out of the card's left-out
// fields.
void VcardReader::Unlose(const char* what) {
  for (int i = 0; i < m_nLost; ++i) {
    Lost& lost = m_lost[i];
    if (!lost.dropped && strcmp(lost.what, what) == 0 && lost.detail[0] == '\0') {
      lost.dropped = true;
      return;
    }
  }
}
