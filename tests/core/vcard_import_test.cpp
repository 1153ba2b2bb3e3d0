// vCards as phones, webmail and other address books write them, damaged
// ones and hostile ones: each row gives the cards that the reader makes and
// what it says on which line. Inputs are the files' own bytes (u8 for UTF-8);
// the cards' texts are code page 932, as the literals are.
#include <gtest/gtest.h>
#include <stdio.h>

#include <map>
#include <string>
#include <vector>

#include "cli/charset.h"
#include "exchange/vcard_reader.h"
#include "tests/core/test_files.h"

namespace {

// The fields a card holds, those that are set, one letter each; L: what it
// left out, C: the unknown character set whose values were not UTF-8.
std::string Describe(const CardRecord& c, const VcardReader& reader, int card) {
  std::string s = std::string("N:") + c.name;
  auto add = [&s](const char* label, const std::string& text) {
    if (!text.empty()) s += std::string(" ") + label + ":" + text;
  };
  add("R", c.reading);
  add("G", c.group);
  add("P", c.postalCode);
  add("A", c.address);
  for (const PhoneEntry& p : c.phones) {
    if (p.number[0] != '\0') add("T", std::to_string(p.type) + "," + p.number);
  }
  for (const MailEntry& m : c.mails) {
    if (m.address[0] != '\0') add("E", std::to_string(m.type) + "," + m.address);
  }
  add("O", c.memo);
  add("L", reader.LeftOut(card));
  add("C", reader.UnknownCharset(card));
  return s;
}

// line:kinds for each line that the reader told of, in line order.
class Notes : public ImportReport {
 public:
  void LineProblems(long line, unsigned problems) override { m_lines[line] |= problems; }
  std::string Said() const {
    static const char* const kNames[] = {"cut",       "more",  "fewer",       "limit",
                                         "replaced",  "bad",   "nul",         "leftout",
                                         "noreading", "noend", "notproperty", "charset"};
    std::string said;
    for (const auto& [line, problems] : m_lines) {
      said += (said.empty() ? "" : " ") + std::to_string(line) + ":";
      const char* plus = "";
      for (unsigned bit = 0; bit < sizeof kNames / sizeof *kNames; ++bit) {
        if ((problems & (1u << bit)) == 0) continue;
        said += std::string(plus) + kNames[bit];
        plus = "+";
      }
    }
    return said;
  }

 private:
  std::map<long, unsigned> m_lines;
};

struct Row {
  const char* what;
  std::string bytes;
  TextEncoding encoding;  // the file's; kAuto: plain ASCII
  std::vector<std::string> cards;
  std::string notes;  // line:kinds, as the reader tells them
  int room = 500;
};

std::string Card(const std::string& properties, const char* version = "3.0") {
  return "BEGIN:VCARD\r\nVERSION:" + std::string(version) + "\r\n" + properties + "END:VCARD\r\n";
}

const TextEncoding kUtf8 = TextEncoding::kUtf8;
const TextEncoding kCp932 = TextEncoding::kCp932;
const TextEncoding kAscii = TextEncoding::kAuto;

std::vector<Row> Rows() {
  return {
      {"iPhone: grouped properties, typed phones, a photo and a label",
       Card(u8"N:山田;太郎;;;\r\nFN:山田 太郎\r\nX-PHONETIC-LAST-NAME:ﾔﾏﾀﾞ\r\n"
            u8"X-PHONETIC-FIRST-NAME:ﾀﾛｳ\r\nORG:株式会社;\r\n"
            u8"TEL;type=CELL;type=VOICE;type=pref:090-1234-5678\r\n"
            u8"TEL;type=HOME;type=VOICE:03-1234-5678\r\n"
            u8"item1.EMAIL;type=INTERNET;type=pref:taro@example.jp\r\n"
            u8"item1.X-ABLabel:_$!<Other>!$_\r\n"
            u8"item2.ADR;type=HOME;type=pref:;;芝公園4-2-8;港区;東京都;105-0011;日本\r\n"
            u8"item2.X-ABADR:jp\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD\r\n"
            u8" /2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHR\r\n"),
       kUtf8,
       {"N:山田 太郎 R:ﾔﾏﾀﾞ ﾀﾛｳ P:105-0011 A:東京都港区芝公園4-2-8 T:1,090-1234-5678 "
        "T:0,03-1234-5678 E:0,taro@example.jp L:ORG, PHOTO"},
       "1:leftout"},
      {"Android 2.1: quoted-printable UTF-8 with soft breaks, one inside a character",
       Card("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E9=88=B4=E6=9C=A8;=E4=B8=80=E9=83=8E;;;\r\n"
            "X-PHONETIC-LAST-NAME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=EF=BD=BD=EF=BD=BD=EF=BE="
            "9E=\r\n"
            "=EF=BD=B7\r\nTEL;CELL:080-1111-2222\r\n"
            "NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E4=B8=80=E8=A1=8C=E7=9B=AE=0A=E4=BA=8C="
            "E8=\r\n"
            "=A1=8C=E7=9B=AE\r\n",
            "2.1"),
       kAscii,
       {"N:鈴木 一郎 R:ｽｽﾞｷ T:1,080-1111-2222 O:一行目 二行目"},
       ""},
      {"a Japanese phone's 2.1 in Shift_JIS: the reading from SOUND, the group from X-GN",
       Card("N;CHARSET=SHIFT_JIS:\x83\x5C\x93\x63;\x95\x5C\x8E\x71\r\n"
            "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:\xBF\xC0\xDE;\xCB\xAE\xB3\xBA;;;\r\n"
            "TEL;CELL:09012345678\r\nEMAIL;INTERNET;CELL:hyoko@docomo.ne.jp\r\nX-GNO:1\r\n"
            "X-GN:\x97\x46\x90\x6C\r\n",
            "2.1"),
       kCp932,
       {"N:ソ田 表子 R:ｿﾀﾞ ﾋｮｳｺ G:友人 T:1,09012345678 E:1,hyoko@docomo.ne.jp"},
       ""},
      {"Google Contacts: categories, a typed mail, a folded note",
       Card(u8"FN:Jane Doe\r\nN:Doe;Jane;;;\r\nEMAIL;TYPE=INTERNET;TYPE=WORK:jane@example.com\r\n"
            u8"TEL;TYPE=CELL:+1 555 0100\r\nCATEGORIES:myContacts,friends\r\n"
            u8"NOTE:Met at the conference\\, 2023\\nLikes tea and a very long note that go\r\n"
            u8" es on past the fold\r\n"),
       kUtf8,
       {"N:Jane Doe G:myContacts T:1,+1 555 0100 E:2,jane@example.com O:Met at the "
        "conference, 2023 Likes tea and a very long note that goes on past the fold L:another "
        "category (friends)"},
       "1:leftout+noreading"},
      {"Outlook 2.1: a quoted-printable address with its CR LF, work types",
       Card("N:Smith;John\r\nFN:John Smith\r\nORG:Contoso\r\nTEL;WORK;VOICE:(425) 555-0100\r\n"
            "TEL;WORK;FAX:(425) 555-0101\r\n"
            "ADR;WORK;ENCODING=QUOTED-PRINTABLE:;;One Microsoft Way=0D=0ABuilding "
            "1;Redmond;WA;98052;"
            "USA\r\nEMAIL;PREF;INTERNET:john@contoso.com\r\nREV:20240101T000000Z\r\n",
            "2.1"),
       kAscii,
       {"N:John Smith P:98052 A:One Microsoft Way  Building 1, Redmond, WA, USA T:2,(425) "
        "555-0100 T:4,(425) 555-0101 E:0,john@contoso.com L:ORG"},
       "1:leftout+noreading"},
      {"vCard 4.0: SORT-AS gives the reading, tel: URIs",
       Card(u8"FN:佐藤 花子\r\nN;SORT-AS=\"ｻﾄｳ,ﾊﾅｺ\":佐藤;花子;;;\r\n"
            u8"TEL;VALUE=uri;TYPE=\"voice,cell\":tel:+81-90-0000-1111\r\n",
            "4.0"),
       kUtf8,
       {"N:佐藤 花子 R:ｻﾄｳ ﾊﾅｺ T:1,+81-90-0000-1111"},
       ""},
      {"a vCard without END swallows no later card",
       "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:broken\r\n" + Card("FN:a\r\nSORT-STRING:a\r\n") +
           Card("FN:b\r\nSORT-STRING:b\r\n"),
       kAscii,
       {"N:broken", "N:a R:a", "N:b R:b"},
       "1:noreading+noend"},
      {"a file cut inside its last card keeps it",
       Card("FN:a\r\nSORT-STRING:a\r\n") + "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:cut\r\nTEL:1",
       kAscii,
       {"N:a R:a", "N:cut T:0,1"},
       "6:noreading+noend"},
      {"a soft break right before END:VCARD does not join the END; an empty line ends its value",
       Card("FN:a\r\nNOTE;ENCODING=QUOTED-PRINTABLE:abc=\r\n", "2.1") + Card("FN:b\r\n", "2.1") +
           Card("FN:c\r\nNOTE;ENCODING=QUOTED-PRINTABLE:x=\r\n=\r\n\r\nTEL:1\r\n", "2.1"),
       kAscii,
       {"N:a O:abc", "N:b", "N:c T:0,1 O:x"},
       "1:noreading 6:noreading 10:noreading"},
      {"lines without a property name, after a field a card cannot hold, are named and passed over",
       Card("FN:h\r\nORG:o\r\n:oops\r\n;a:x\r\nitem1.:x\r\nno colon at all\r\nSORT-STRING:h\r\n"),
       kAscii,
       {"N:h R:h L:ORG"},
       "1:leftout 5:notproperty 6:notproperty 7:notproperty 8:notproperty"},
      {"folded with blanks and tabs, a UTF-8 character cut by the fold",
       Card("FN:\xE5\xB1\r\n \xB1\xE7\x94\xB0\r\n\t\xE8\x8A\xB1\r\nSORT-STRING:\xEF\xBE\x94\r\n"),
       kUtf8,
       {"N:山田花 R:ﾔ"},
       ""},
      {"a quoted-printable line longer than a line keeps, its soft breaks joined to the end",
       Card("FN:long\r\nNOTE;ENCODING=QUOTED-PRINTABLE:" + std::string(17000, 'a') + "=\r\n" +
                std::string(200, '=') + "\r\n=\r\n=\r\nx\r\nSORT-STRING:l\r\n",
            "2.1") +
           Card("FN:next\r\nSORT-STRING:n\r\n"),
       kAscii,
       {"N:long R:l O:" + std::string(511, 'a'), "N:next R:n"},
       "1:cut"},
      {"soft breaks after parameters a line long are not each a look through them again",
       Card(
           "FN:far\r\nX-A;" + std::string(16340, 'p') + ";ENCODING=QUOTED-PRINTABLE:v=\r\n" +
               [] {
                 std::string breaks;
                 for (int i = 0; i < 3000; ++i) breaks += "=\r\n";
                 return breaks;
               }() +
               "x\r\nSORT-STRING:f\r\n",
           "2.1"),
       kAscii,
       {"N:far R:f L:X-A"},
       "1:leftout"},
      {"an AGENT's vCard inside a 2.1 card is no card of its own",
       Card("FN:boss\r\nAGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nFN:assistant\r\nEND:VCARD\r\n"
            "SORT-STRING:b\r\n",
            "2.1"),
       kAscii,
       {"N:boss R:b L:AGENT"},
       "1:leftout"},
      {"character sets: UTF_8 misspelt but UTF-8, X-UTF8 that is not, ISO-8859-1",
       Card("FN;CHARSET=UTF_8:\xE5\xB1\xB1\xE7\x94\xB0\r\nNOTE;CHARSET=X-UTF8:caf\xE9 ok\r\n"
            "ADR;CHARSET=ISO-8859-1:;;Stra\xDF"
            "e 1;Berlin;;10115;DE\r\nSORT-STRING:y\r\n",
            "2.1"),
       kCp932,
       {"N:山田 R:y P:10115 A:Stra?e 1, Berlin, DE O:caf? ok C:X-UTF8"},
       "1:charset 5:replaced"},
      {"four phones, four mails, two addresses: what a card cannot hold is named once",
       Card("FN:many\r\nSORT-STRING:m\r\nTEL:1\r\nTEL:2\r\nTEL:3\r\nTEL:4\r\nTEL:4\r\n"
            "EMAIL:a@x\r\nEMAIL:b@x\r\nEMAIL:c@x\r\nEMAIL:d@x\r\nADR:;;s;c;;;\r\nADR:;;t;;;;\r\n"),
       kAscii,
       {"N:many R:m A:s, c T:0,1 T:0,2 T:0,3 E:0,a@x E:0,b@x E:0,c@x L:a fourth phone (4), "
        "a fourth mail address (d@x), a second address"},
       "1:leftout"},
      {"the name from N, else the organisation, else the mail",
       Card("N:Doe;John;;;\r\n") + Card(u8"N:山田;太郎;;;\r\n") + Card("ORG:Acme;Sales\r\n") +
           Card("EMAIL:only@example.com\r\n"),
       kUtf8,
       {"N:John Doe", "N:山田 太郎", "N:Acme", "N:only@example.com E:0,only@example.com"},
       "1:noreading 5:noreading 9:noreading 13:noreading"},
      {"stray ENDs, blank lines and text between vCards; only a whole BEGIN line begins one",
       "END:VCARD\r\n\r\nhello\r\nbegin:vcard  \r\nVERSION:3.0\r\nFN:x\r\nBEGIN:VCARDS\r\n"
       "end:VCARD\r\nFN:outside\r\n",
       kAscii,
       {"N:x L:BEGIN"},
       "4:leftout+noreading"},
      {"past the book's room, vCards are counted and named",
       Card("FN:a\r\nSORT-STRING:a\r\n") + Card("FN:b\r\n") + Card("FN:c\r\n"),
       kAscii,
       {"N:a R:a"},
       "6:limit 10:limit",
       1},
      {"CR line ends alone, and LF alone",
       "BEGIN:VCARD\rVERSION:3.0\rFN:cr\rSORT-STRING:c\rEND:VCARD\r"
       "BEGIN:VCARD\nVERSION:3.0\nFN:lf\nSORT-STRING:l\nEND:VCARD\n",
       kAscii,
       {"N:cr R:c", "N:lf R:l"},
       ""},
      {"a NUL byte ends its value; escapes of 3.0 undone, a line break a blank",
       Card(std::string("FN:nul\0hidden\r\n", 15) + "NOTE:a\\;b\\,c\\\\d\\ne\r\nSORT-STRING:n\r\n"),
       kAscii,
       {"N:nul R:n O:a;b,c\\d e"},
       "3:nul"},
      {"a UTF-8 file with a stray byte: the byte becomes ?, named on its line",
       Card(u8"FN:山田" + std::string("\xE9") + u8" 太郎\r\nSORT-STRING:ﾔﾏﾀﾞ\r\n"),
       kUtf8,
       {"N:山田? 太郎 R:ﾔﾏﾀﾞ"},
       "3:bad"},
      {"a character that code page 932 lacks becomes ?",
       Card(u8"FN:Zoë 😀\r\nSORT-STRING:z\r\n"),
       kUtf8,
       {"N:Zo? ? R:z"},
       "3:replaced"},
      {"a text longer than its field is cut at a character boundary",
       Card(u8"FN:" + std::string(u8"山") + std::string(62, 'a') + "\r\nSORT-STRING:s\r\n"),
       kUtf8,
       {"N:山" + std::string(61, 'a') + " R:s"},
       "1:cut"},
  };
}

TEST(VcardImport, EachFileGivesItsCardsAndSaysWhatItCouldNotTake) {
  static IconvConverter converter;
  static VcardReader reader(converter);
  static ExchangeBook book;
  ScratchFolder folder;
  const std::string path = folder.File("cards.vcf");
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.what);
    WriteBytes(path, row.bytes);
    FILE* file = fopen(path.c_str(), "rb");
    ASSERT_NE(nullptr, file);
    Notes notes;
    const TextEncoding encoding = row.encoding == kAscii ? kCp932 : row.encoding;
    ASSERT_TRUE(reader.Read(file, encoding, row.encoding == kAscii, book, row.room, notes));
    fclose(file);
    std::vector<std::string> cards;
    for (int i = 0; i < book.m_nImported; ++i) cards.push_back(Describe(book.m_book[i], reader, i));
    EXPECT_EQ(row.cards, cards);
    EXPECT_EQ(row.notes, notes.Said());
    // Reading stays linear however the lines are folded or cut.
    EXPECT_LE(reader.Work(), 8 * static_cast<long long>(row.bytes.size()) + 1024);
  }
}

}  // namespace
