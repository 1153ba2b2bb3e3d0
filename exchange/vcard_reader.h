// Cards from vCard 2.1, 3.0 and 4.0 files as phones, webmail and other
// address books write them: folded lines, quoted-printable and CHARSET of
// 2.1, grouped properties (item1.EMAIL), several TEL and EMAIL, N;SORT-AS,
// X-PHONETIC-*, SOUND;X-IRMC-N and X-GN of Japanese phones. Whatever the
// file holds, each card is whole: a vCard without its END ends where the
// next begins, and what a card cannot hold is named, never dropped
// silently.
#pragma once

#include <stddef.h>
#include <stdio.h>

#include "cards/card_record.h"
#include "exchange/exchange_book.h"
#include "exchange/text_encoding.h"
#include "exchange/vcard_lines.h"

// What a card left out, in words: "ORG, a fourth phone (03-9876-5433)".
constexpr size_t kLeftOutSize = 512;
constexpr size_t kCharsetNameSize = 32;

class VcardReader {
 public:
  explicit VcardReader(CharsetConverter& converter) : m_converter(converter) {}
  VcardReader(const VcardReader&) = delete;
  VcardReader& operator=(const VcardReader&) = delete;

  // Reads the vCards of file into book.m_book[0..room), each card's line
  // into book.m_anCardLine and their count into book.m_nImported; a vCard
  // past room is counted in Found() and told as kImportOverCardLimit on its
  // line. encoding is the file's, kUtf8 or kCp932; asciiFile says that the
  // file is plain ASCII, which leaves each vCard's version to say what its
  // quoted-printable values are: UTF-8 for 3.0 and 4.0, code page 932 for
  // 2.1, as Japanese phones write it. Each line's problems go to report.
  // False when the file could not be read.
  bool Read(FILE* file, TextEncoding encoding, bool asciiFile, ExchangeBook& book, int room,
            ImportReport& report);

  // The vCards in the file, taken or not.
  int Found() const { return m_nFound; }
  // Characters written as "?" by the last Read.
  int Replaced() const { return m_nReplaced; }
  // For a card of the last Read: what it left out, in code page 932, and
  // the unknown character set whose values were not UTF-8 either.
  const char* LeftOut(int card) const { return m_aszLeftOut[card]; }
  const char* UnknownCharset(int card) const { return m_aszUnknownCharset[card]; }
  // The bytes looked at by the last Read, for a check that it stays
  // linear in the file's length.
  long long Work() const { return m_nWork; }

  // One property line taken apart.
  struct Property;
  // A value's components in code page 932, each NUL-terminated in one
  // buffer.
  struct Components {
    static constexpr int kMax = 8;
    char text[4096];
    const char* part[kMax];
    int count;
    const char* operator[](int i) const { return i < count ? part[i] : ""; }
  };

 private:
  // What a vCard says about the fields that several properties may give.
  struct NameParts {
    char fn[256], family[256], given[256], org[256];
    char sortString[256], sortAs[256], phoneticLast[256], phoneticFirst[256], sound[256];
  };
  struct Lost {
    char what[64];     // ASCII
    char detail[256];  // code page 932
    bool dropped;
  };
  static constexpr int kMaxLost = 16;

  void BeginCard(long line);
  void EndCard(bool ended);
  void TakeLine(char* text, long line, bool heldNul);
  void TakeProperty(const Property& p);
  // Splits the value at separator (none for 0), undoes its escapes and
  // quoted-printable, and converts each component into code page 932.
  void ReadValue(const Property& p, char separator, Components& out);
  size_t ConvertPart(const char* piece, size_t length, const char* charset, char* out, size_t room);
  void Set(int field, const char* text);
  void SetType(int field, int type);
  void Lose(const char* what, const char* detail);
  void Unlose(const char* what);

  CharsetConverter& m_converter;
  ExchangeBook* m_pBook = nullptr;
  ImportReport* m_pReport = nullptr;
  TextEncoding m_fileEncoding = TextEncoding::kCp932;
  bool m_bAsciiFile = false;
  int m_nRoom = 0;
  int m_nFound = 0;
  int m_nReplaced = 0;
  long long m_nWork = 0;
  VcardLines m_lines;

  // The card being read: its index (-1 while none is taken), its line, the
  // version and what it gave so far.
  bool m_bInCard = false;
  int m_nCard = -1;
  long m_nCardLine = 0;
  int m_nNested = 0;  // vCards inside an AGENT of 2.1
  bool m_bAfterAgent = false;
  bool m_bModern = false;
  unsigned m_nCardNotes = 0;
  long m_nLine = 0;  // of the property being taken
  unsigned m_nLineNotes = 0;
  int m_nPhones = 0, m_nMails = 0, m_nAddresses = 0;
  NameParts m_names;
  Lost m_lost[kMaxLost];
  int m_nLost = 0;
  bool m_bMoreLost = false;
  char m_szUnknown[kCharsetNameSize];

  char m_achRaw[kVcardLineBytes];
  char m_achPiece[kVcardLineBytes];
  char m_achUtf8[2048];
  Components m_components;
  Components m_sortComponents;

  char m_aszLeftOut[kCardSlots][kLeftOutSize];
  char m_aszUnknownCharset[kCardSlots][kCharsetNameSize];
};
