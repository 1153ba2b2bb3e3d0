// The saved card file as the exchange reads it: its card lines one at a
// time, each cut into the fields that the exchange knows; and, for an import
// that grows the file, its bytes counted and copied in one pass.
#pragma once

#include <stddef.h>
#include <stdio.h>

#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "cards/card_record.h"
#include "exchange/exchange_book.h"
#include "exchange/exchange_fields.h"

class BlockOut;
class SafeFileWriter;

// The card lines of the card file in a data directory: the lines after the
// heading that are at least kMinCardLineBytes long, at most 500 of them.
class BookCardLines {
 public:
  explicit BookCardLines(const char* dataDirectory);
  ~BookCardLines();
  BookCardLines(const BookCardLines&) = delete;
  BookCardLines& operator=(const BookCardLines&) = delete;

  bool IsOpen() const { return m_pFile != nullptr; }
  // The next card line's length, its line feed included when it has one,
  // or -1 after the last. The line stays in Text() until the next call.
  int Next();
  const char* Text() { return m_lines.Text(); }
  // Takes the card lines that are left; false when a read failed, now or
  // before.
  bool ReadToEnd();

 private:
  char m_szPath[kPathBufferSize];
  FILE* m_pFile;
  CardLineReader m_lines;
  bool m_bHeadingRead = false;
  bool m_bDone = false;
  int m_nCards = 0;
};

// A card line's exchanged fields where they stand in it, each the text up
// to its tab; a field without a tab after it is missing, and so is every
// later one. The dates and the count after them are not read.
class CardLineFields {
 public:
  // Cuts line[0..length); line[length] must be readable, and the line must
  // stay while the fields are used.
  void Cut(const char* line, int length);
  // Fills card, which must be all zero, as the book's load does.
  void Store(CardRecord& card) const;
  // The text that GetExchangeField gives of field once the line is stored,
  // without storing it: a text cut to its width (ExchangeTextWidth) at a
  // character boundary and at a NUL, a type as the decimal number that its
  // text begins with (in number when it is written anew). text[length] is
  // readable.
  const char* Text(int field, size_t width, char (&number)[kNumberTextSize], int& length) const {
    // Most texts are shorter than their width, on lines without a NUL.
    if (width > 0 && field < m_nCount && !m_bNul &&
        static_cast<size_t>(m_anLength[field]) < width) {
      length = m_anLength[field];
      return m_apText[field];
    }
    return CutText(field, width, number, length);
  }
  // Whether a comma stands in any of the fields.
  bool HoldsComma() const { return m_bComma; }

 private:
  const char* CutText(int field, size_t width, char (&number)[kNumberTextSize], int& length) const;

  int m_nCount = 0;
  const char* m_apText[kExchangeFieldCount];
  int m_anLength[kExchangeFieldCount];
  bool m_bComma = false;
  bool m_bNul = false;
};

// Fills card, which must be all zero, with the exchanged fields of a card
// line of length bytes.
void ParseExchangedFields(const char* line, int length, CardRecord& card);

// Counts the cards of a card file from its bytes as they come, block by
// block, as BookCardLines takes them: a file with a line feed anywhere has
// line feed line ends (a CR before one belonging to it), any other file CR
// ones, and a line end counts as one byte of its line.
class CardLineCounter {
 public:
  void Take(const char* bytes, size_t count);
  // The cards, once every byte is taken.
  int Finish();
  // Whether a card line past the 500th came in a file of line feeds:
  // BookCardLines reads no further.
  bool Full() const { return m_bHasLf && m_lf.full; }

 private:
  struct Lines {
    explicit Lines(char end) : end(end) {}
    void Take(const char* bytes, size_t count);
    void End(bool ended);

    char end;
    long long length = 0;  // of the line so far
    char last = 0;         // its last byte
    int lines = 0;
    int cards = 0;
    bool full = false;
  };
  Lines m_lf{'\n'};
  Lines m_cr{'\r'};
  bool m_bHasLf = false;
};

// Copies the card file old, from where it stands, into out (when given),
// and counts its cards with counter (when given), reading it in chunk. The
// copy ends in a line end and holds a heading line, whatever the old file
// lacked, so that no appended card is lost to either, and its line ends are
// CR LF where the old file's were CR alone; the count is that of the copy.
// False when the file could not be read.
bool CopyCardFile(FILE* old, SafeFileWriter* out, CardLineCounter* counter, char* chunk,
                  size_t size);

// Puts the card's line into the block, ended by CR LF as the card file's
// lines are.
void PutCardLine(BlockOut& block, const CardRecord& card);

// Tells text for a write that did not land, naming the file that keeps the
// whole new contents when a write in place could not be finished.
void TellFailedWrite(const char* text, ExchangeIcon icon, const SafeFileWriter& out,
                     ExchangeMessages& messages);
