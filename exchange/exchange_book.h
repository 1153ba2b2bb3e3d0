// Exchanging cards with tab- or comma-separated text files: the saved card
// file is read into a book of its own, exported column by column in an order
// the user chose, and imported lines are appended to the card file.
//
// Shared by the settings dialog (which fills ExchangeOptions from its
// controls and shows the messages in boxes) and by the command line (which
// fills it from its arguments and prints them), so that both write and
// append the very same bytes.
#pragma once

#include <stddef.h>
#include <stdio.h>

#include "cards/book_paths.h"
#include "cards/card_record.h"
#include "exchange/import_records.h"

class SafeFileWriter;

// Exchange field numbers: the position of a name in the field list, which is
// the order of the first 18 fields of a card line.
enum ExchangeFieldNumber {
  kExName = 0,
  kExReading = 1,
  kExGroup = 2,
  kExPostalCode = 3,
  kExAddress = 4,
  kExPhoneType1 = 5,
  kExPhone1 = 6,
  kExPhoneType2 = 7,
  kExPhone2 = 8,
  kExPhoneType3 = 9,
  kExPhone3 = 10,
  kExMailType1 = 11,
  kExMail1 = 12,
  kExMailType2 = 13,
  kExMail2 = 14,
  kExMailType3 = 15,
  kExMail3 = 16,
  kExMemo = 17,
};
constexpr int kExchangeFieldCount = 18;

// The names the card file's own heading line gives the 18 fields, in order.
extern const char* const kExchangeFieldNames[kExchangeFieldCount];

// What the field list shows when the card file cannot be read.
extern const char kFieldListErrorText[];  // "エラー！"

// An order-list entry that stands for an empty column.
extern const char kBlankEntryText[];  // " "

// A field-list text is a piece of the heading line's first 255 bytes.
constexpr int kFieldNameSize = 256;
// The order list holds each field name at most once, but any number of
// blank entries; entries past this many are not exchanged.
constexpr int kMaxOrderEntries = 128;
// Room for any field as GetExchangeField writes it (the widest text field).
constexpr int kExchangeTextSize = 512;
// The bytes that an export or an import gathers before it writes them.
constexpr size_t kExchangeBlockBytes = 65536;

// The dialog's choices, as plain data.
struct ExchangeOptions {
  // The exchange file as typed or chosen; empty when none is set.
  char path[kPathBufferSize];
  // '\t' for the tab entry, ',' for the comma entry, 0 when no entry of the
  // delimiter choice is selected (the exchange is then refused).
  char delimiter;
  // 1: the export writes a heading line, the import skips the first line.
  int heading;
  // The order list's entries, in column order, exactly as the list shows
  // them: a field-list text, or kBlankEntryText for an empty column.
  int orderEntryCount;
  char order[kMaxOrderEntries][kFieldNameSize];
  // The field list's texts; a column's exchange field number is the
  // position of the first text equal to its entry.
  int fieldCount;
  char fields[kExchangeFieldCount][kFieldNameSize];
  // The host's data directory, the folder that holds the Quillbook folder.
  char dataDirectory[kPathBufferSize];
};

// Opens the card file in the data directory for reading, its path in path;
// null when it cannot be read.
FILE* OpenBookFile(const char* dataDirectory, char (&path)[kPathBufferSize]);

// Fills options.fields from the card file's heading line as the dialog's
// field list shows it. Returns 1 when read; 0 when the file cannot be read,
// and then the list holds only kFieldListErrorText.
int ReadFieldList(const char* dataDirectory, ExchangeOptions& options);

// The exchange field number of an order-list entry: the position of the
// first field-list text equal to it byte for byte, or -1 (blank entries and
// texts the field list does not hold).
int FindExchangeField(const ExchangeOptions& options, const char* entryText);

// Appends an entry to options.order; false when the list is full.
bool AddOrderEntry(ExchangeOptions& options, const char* entryText);

// The order-list entries that are exchanged.
int OrderEntries(const ExchangeOptions& options);

bool IsBlankEntry(const char* entryText);

enum ExchangeIcon { kExchangeStop, kExchangeExclamation, kExchangeInformation };

// Where the procedures tell the user about a failure, a refusal or the
// import limit. The dialog shows a box captioned "アドレス帳".
class ExchangeMessages {
 public:
  virtual void Tell(const char* text, ExchangeIcon icon) = 0;

 protected:
  ~ExchangeMessages() = default;
};

// Refuses (with its message) an export to path when it names the book's
// own card or group file (NamesBookFile): the export would replace the
// book.
bool RefuseBookFile(const char* dataDirectory, const char* path, ExchangeMessages& messages);

// Refuses (with its message) an exchange whose delimiter was not chosen
// from the list: a guessed one would split every line wrongly.
bool DelimiterChosen(const ExchangeOptions& options, ExchangeMessages& messages);

// What a trial import finds wrong with a line of the import file.
enum ImportLineProblem : unsigned {
  kImportTextCut = 1u << 0,        // a column was longer than its field
  kImportMoreColumns = 1u << 1,    // columns past the order list were dropped
  kImportFewerColumns = 1u << 2,   // the order list's last entries got no column
  kImportOverCardLimit = 1u << 3,  // the book is full: the line is not imported
  // What reading the file's text finds.
  kImportReplaced = 1u << 4,  // a character that code page 932 lacks became "?"
  kImportBadBytes = 1u << 5,  // bytes that are no character of the file's encoding became "?"
  kImportNul = 1u << 6,       // a NUL byte, where its field's text ends
  // What a vCard holds that its card does not take as it stands.
  kImportLeftOut = 1u << 7,         // fields a card cannot hold
  kImportNoReading = 1u << 8,       // nothing gives the reading that the panel asks for
  kImportNoEnd = 1u << 9,           // no END:VCARD: ended where the next begins or the file ends
  kImportNotProperty = 1u << 10,    // a line without a property's name or its colon, ignored
  kImportUnknownCharset = 1u << 11  // a CHARSET that is unknown, and whose values are not UTF-8
};

// Receives, for a trial import, each line of the import file that has a
// problem; lineNumber counts the file's lines from 1, the heading included.
class ImportReport {
 public:
  virtual void LineProblems(long lineNumber, unsigned problems) = 0;

 protected:
  ~ImportReport() = default;
};

// Over a megabyte: held once (a member of the dialog, a static in the
// command line), never on the stack or allocated per run.
class ExchangeBook {
 public:
  // Cards read or counted into m_book, or being imported there.
  int m_nBookCards = 0;
  CardRecord m_book[kCardSlots];
  // Cards appended by the last ImportCards, or that TryImportCards found.
  int m_nImported = 0;
  // The import file's line on which each card of m_book began.
  long m_anCardLine[kCardSlots];

  // Reads the card file into m_book; with parse 0 only counts its cards.
  // Returns 1, or 0 when the file cannot be read (no message of its own).
  int LoadBookFile(const char* dataDirectory, int parse);

  // Writes field (an exchange field number) of card into out, which has room
  // for kExchangeTextSize bytes; returns its length (0 for an unknown field).
  int GetExchangeField(int card, int field, char* out) const;

  // Stores text (length bytes, not NUL-terminated) into field of card, a
  // longer text cut at a character boundary. Returns 1 when it was cut.
  int SetExchangeField(int card, int field, const char* text, size_t length);

  // Adds the first count cards of m_book to the end of the card file; the
  // grown file replaces the old one only once it is whole. Returns 1, or 0
  // after telling why.
  int AppendImportedCards(const char* dataDirectory, int count, ExchangeMessages& messages);

  // Return 1 on success, 0 on failure after telling the messages that come
  // with the failure, if any. ExportCards takes the card file a card at a
  // time and leaves m_book as it was; ImportCards reads the card file once,
  // counting its cards into m_nBookCards as it copies them into the grown
  // file, and reads the import file into m_book.
  int ExportCards(const ExchangeOptions& options, ExchangeMessages& messages);
  // ExportCards onto an open stream instead of options.path, from the book
  // read whole first, so that a book that cannot be read writes nothing;
  // the stream is flushed, not closed.
  int ExportCardsTo(FILE* stream, const ExchangeOptions& options, ExchangeMessages& messages);
  int ImportCards(const ExchangeOptions& options, ExchangeMessages& messages);

  // Reads the import file as ImportCards does, with the same messages, but
  // changes no file: sets m_nImported to the cards it would add and reports
  // each line's problems.
  int TryImportCards(const ExchangeOptions& options, ExchangeMessages& messages,
                     ImportReport& report);

 private:
  int RunImport(const ExchangeOptions& options, ExchangeMessages& messages, ImportReport* report);
  // Puts the grown card file in place of the old one; 0 after telling why
  // not.
  int CommitAppend(SafeFileWriter& out, ExchangeMessages& messages);

  // What an export or an import gathers before it writes it, and the
  // chunks in which an import copies the card file.
  char m_achBlock[kExchangeBlockBytes];
  // An import's record of several lines, and the lines read ahead for it.
  char m_achRecord[kRecordBytes + 2];
  char m_achAhead[kAheadBytes];
};
