// What an import found on the lines of its file, from the reading of the
// file and from the procedures, told line by line in a trial run and as a
// summary after every import.
#pragma once

#include "exchange/exchange_book.h"
#include "exchange/text_encoding.h"

// Beside the procedures' own ImportLineProblem bits.
enum ImportNote : unsigned {
  kNoteWideReading = 1u << 16,  // the panel refuses to save a reading that is not half-width
};

// The words for each kind of note, as a line of a trial run shows them.
const char* NoteText(unsigned what);

// What the notes of one kind say about the line they are on (the fields
// left out of the card that a line begins, say), in UTF-8; empty when
// nothing.
class NoteDetails {
 public:
  virtual const char* On(long line, unsigned kind) const = 0;

 protected:
  ~NoteDetails() = default;
};

class ImportNotes : public ImportReport {
 public:
  void Add(long line, unsigned what);
  void LineProblems(long lineNumber, unsigned problems) override { Add(lineNumber, problems); }
  // One line for each noted line, in line order.
  void PrintEach(const NoteDetails* details = nullptr);
  // How the file was read, when it was decided for the user; then, with
  // byKind, one line for each kind of note, with the lines it was found on;
  // then the count of characters written as "?".
  void PrintSummary(bool byKind);
  // Lines the 500-card limit left out.
  long LeftOut() const;

  int replacedCharacters = 0;
  // What the file was read as; kAsked when the user said.
  EncodingChoice encoding = {TextEncoding::kCp932, EncodingReason::kAsked, '\n', 0, false};

 private:
  struct Entry {
    long line;
    unsigned what;
  };
  static constexpr int kMaxEntries = 4096;
  void Sort();
  Entry m_entries[kMaxEntries];
  int m_nCount = 0;
  long m_nDropped = 0;
  long m_nLeftOut = 0;
};
