// The vCard reader on any file, and on vCards put together from the input's
// bytes: whatever it reads is a set of whole cards (every text inside its
// field, no line end or tab in one, every type one the form knows), every
// vCard that the file holds whole is a card of its own, in order and by its
// name, and the bytes it looks at grow with the file's, never faster.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "cli/charset.h"
#include "exchange/vcard_reader.h"
#include "fuzz/fuzz_support.h"

namespace {

IconvConverter g_converter;
VcardReader g_reader(g_converter);
ExchangeBook g_book;

class AnyReport : public ImportReport {
 public:
  void LineProblems(long line, unsigned) override { FUZZ_CHECK(line >= 1); }
};

template <size_t N>
void CheckText(const char (&text)[N]) {
  size_t length = strnlen(text, N);
  FUZZ_CHECK(length < N);
  FUZZ_CHECK(memchr(text, '\t', length) == nullptr);
  FUZZ_CHECK(memchr(text, '\r', length) == nullptr);
  FUZZ_CHECK(memchr(text, '\n', length) == nullptr);
}

void CheckCard(const CardRecord& card) {
  CheckText(card.name);
  CheckText(card.reading);
  CheckText(card.group);
  CheckText(card.postalCode);
  CheckText(card.address);
  CheckText(card.memo);
  for (const PhoneEntry& phone : card.phones) {
    CheckText(phone.number);
    FUZZ_CHECK(phone.type >= 0 && phone.type <= 4);
  }
  for (const MailEntry& mail : card.mails) {
    CheckText(mail.address);
    FUZZ_CHECK(mail.type >= 0 && mail.type <= 2);
  }
  FUZZ_CHECK(card.created[0] == '\0' && card.lastModified[0] == '\0' && card.modifyCount == 0);
}

// vCards made from the input's bytes, with what a reader must make of them:
// one card for each vCard begun at the top (none for an AGENT's), and the
// name of each that ends.
class VcardMaker {
 public:
  explicit VcardMaker(FuzzInput& input) : m_input(input) {}

  void Make() {
    while (m_input.Left() > 0) Step();
  }

  std::string bytes;
  int begun = 0;
  // For each vCard begun at the top: its name when it ended whole with one,
  // else empty.
  std::vector<std::string> names;

 private:
  void Line(const std::string& text) {
    static const char* const kEnds[] = {"\r\n", "\n", "\r\n", "\r"};
    const char* end = kEnds[m_input.Byte() % 4];
    // After a line ended by CR alone, an empty line ended by LF would make
    // that CR a CR LF, and no line of its own.
    if (text.empty() && end[0] == '\n' && !bytes.empty() && bytes.back() == '\r') end = "\r\n";
    bytes += text + end;
  }

  // Bytes that make no line of their own: no line end, no blank or tab
  // first (a fold), no "=" last (a soft break).
  std::string Value(size_t most) {
    size_t taken = 0;
    const uint8_t* raw = m_input.Bytes(m_input.Byte() % most, &taken);
    std::string value;
    for (size_t i = 0; i < taken; ++i) {
      char c = static_cast<char>(raw[i]);
      if (c == '\r' || c == '\n') c = '_';
      value += c;
    }
    if (!value.empty() && (value[0] == ' ' || value[0] == '\t')) value[0] = '_';
    if (!value.empty() && value.back() == '=') value.back() = '_';
    return value;
  }

  void Step() {
    static const char* const kProperties[] = {"N",
                                              "TEL;TYPE=CELL",
                                              "EMAIL",
                                              "ADR",
                                              "NOTE",
                                              "ORG",
                                              "CATEGORIES",
                                              "X-GN",
                                              "SORT-STRING",
                                              "TEL",
                                              "X-PHONETIC-LAST-NAME",
                                              "SOUND;X-IRMC-N",
                                              "PHOTO",
                                              "item1.EMAIL",
                                              "N;SORT-AS=\"a,b\""};
    static const char* const kCharsets[] = {"", ";CHARSET=UTF-8", ";CHARSET=SHIFT_JIS",
                                            ";CHARSET=ISO-8859-1", ";CHARSET=X-UTF8"};
    const int op = m_input.Byte() % 12;
    switch (op) {
      case 0:
      case 1:
        // Only a vCard right after an empty AGENT is inside the one before.
        Line(m_input.Byte() % 3 == 0 ? "begin:vcard " : "BEGIN:VCARD");
        if (m_bAfterAgent) {
          ++m_nNested;
        } else {
          m_nNested = 0;
          m_bOpen = true;
          m_strName.clear();
          ++begun;
          names.emplace_back();
        }
        break;
      case 2:
        Line("END:VCARD");
        if (m_nNested > 0) {
          --m_nNested;
        } else if (m_bOpen) {
          names.back() = m_strName;
          m_bOpen = false;
        }
        break;
      case 3: {
        static const char* const kVersions[] = {"2.1", "3.0", "4.0"};
        Line(std::string("VERSION:") + kVersions[m_input.Byte() % 3]);
        break;
      }
      case 4: {
        // The name of the vCard by its number, which no charset changes;
        // an agent's is no name of the card around it.
        std::string name = "c" + std::to_string(begun);
        if (m_nNested == 0) m_strName = name;
        Line("FN" + std::string(kCharsets[m_input.Byte() % 5]) + ":" + name);
        break;
      }
      case 5:
        Line(std::string(kProperties[m_input.Byte() % 15]) + kCharsets[m_input.Byte() % 5] + ":" +
             Value(200));
        break;
      case 6: {
        // Quoted-printable of several lines, the last one without its soft
        // break.
        std::string line = "NOTE;ENCODING=QUOTED-PRINTABLE" +
                           std::string(kCharsets[m_input.Byte() % 5]) + ":" + Value(80);
        for (int breaks = m_input.Byte() % 4; breaks > 0; --breaks) {
          Line(line + "=");
          line = Value(80);
        }
        Line(line);
        break;
      }
      case 7:
        // A folded line goes on with the property before it, never a BEGIN
        // or an END.
        if (!m_bFoldable) return;  // nothing made, nothing changed
        Line(" " + Value(100));
        break;
      case 8:
        Line(":" + Value(20));
        break;
      case 9: {
        std::string line = Value(300);
        if (IsVcardLine(line.c_str(), line.size(), "BEGIN:VCARD") ||
            IsVcardLine(line.c_str(), line.size(), "END:VCARD") ||
            line.compare(0, 5, "AGENT") == 0) {
          return;
        }
        Line(line);
        break;
      }
      case 10:
        // Only a card's own property holds an agent: a reader passes over
        // lines outside a card and inside an agent's.
        Line("AGENT:");
        m_bAfterAgent = m_bOpen && m_nNested == 0;
        m_bFoldable = false;
        return;
      default:
        // A line longer than a reader keeps, its soft breaks going on past
        // the end of what it keeps.
        if (m_bLongMade) return;
        m_bLongMade = true;
        Line("X-LONG;ENCODING=QUOTED-PRINTABLE:" + std::string(17000, 'q') + "=");
        Line("=");
        Line("x");
        break;
    }
    m_bAfterAgent = false;
    // A fold after a name would change it, and one after a BEGIN or an END
    // would make it no such line.
    m_bFoldable = op == 3 || op >= 5;
  }

  FuzzInput& m_input;
  bool m_bOpen = false;
  bool m_bAfterAgent = false;
  bool m_bFoldable = false;
  bool m_bLongMade = false;
  int m_nNested = 0;
  std::string m_strName;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char path[kPathBufferSize];
  if (path[0] == '\0') ScratchPath(path, ScratchFolder(), "cards.vcf");
  FuzzInput input(data, size);
  const uint8_t mode = input.Byte();
  const int room = mode & 0x10 ? 1 + mode % 8 : kMaxCards;
  static const TextEncoding kEncodings[] = {TextEncoding::kUtf8, TextEncoding::kCp932};
  const TextEncoding encoding = kEncodings[(mode >> 1) & 1];
  const bool ascii = mode & 0x40;
  VcardMaker maker(input);
  if (mode & 1) {
    maker.Make();
  } else {
    size_t length = 0;
    const uint8_t* rest = input.Rest(&length);
    maker.bytes.assign(reinterpret_cast<const char*>(rest), length);
  }
  FUZZ_CHECK(WriteFileBytes(path, maker.bytes.data(), maker.bytes.size()));
  FILE* file = fopen(path, "rb");
  FUZZ_CHECK(file != nullptr);
  AnyReport report;
  FUZZ_CHECK(g_reader.Read(file, encoding, ascii, g_book, room, report));
  fclose(file);

  FUZZ_CHECK(g_book.m_nImported >= 0 && g_book.m_nImported <= room);
  FUZZ_CHECK(g_reader.Found() >= g_book.m_nImported);
  long previousLine = 0;
  for (int i = 0; i < g_book.m_nImported; ++i) {
    CheckCard(g_book.m_book[i]);
    FUZZ_CHECK(g_book.m_anCardLine[i] > previousLine);
    previousLine = g_book.m_anCardLine[i];
    FUZZ_CHECK(strnlen(g_reader.LeftOut(i), kLeftOutSize) < kLeftOutSize);
  }
  FUZZ_CHECK(g_reader.Work() <= 8 * static_cast<long long>(maker.bytes.size()) + 1024);
  if (mode & 1) {
    FUZZ_CHECK(g_reader.Found() == maker.begun);
    FUZZ_CHECK(g_book.m_nImported == (maker.begun < room ? maker.begun : room));
    for (int i = 0; i < g_book.m_nImported; ++i) {
      const std::string& name = maker.names[static_cast<size_t>(i)];
      if (!name.empty()) FUZZ_CHECK(name == g_book.m_book[i].name);
    }
  }
  return 0;
}
