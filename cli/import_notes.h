// What an import found on the lines of its file, from the reading of the
// file and from the procedures, told line by line in a trial run and as a
// summary after every import.
#pragma once

#include "exchange/exchange_book.h"

// Beside the procedures' own ImportLineProblem bits.
enum ImportNote : unsigned {
  kNoteReplaced = 1u << 8,      // a character code page 932 lacks became "?"
  kNoteNul = 1u << 9,           // a NUL byte ends its field's text there
  kNoteWideReading = 1u << 10,  // the panel refuses to save a reading that is not half-width
  kNoteLeftOut = 1u << 11,      // a vCard held more than a card can
  kNoteNoReading = 1u << 12,    // the panel refuses to save a card without a reading
};

// The words for each kind of note, as a line of a trial run shows them.
const char* NoteText(unsigned what);

// The fields left out of the card that a line begins, in words (UTF-8).
class LeftOutFields {
 public:
  virtual const char* On(long line) const = 0;

 protected:
  ~LeftOutFields() = default;
};

class ImportNotes : public ImportReport {
 public:
  void Add(long line, unsigned what);
  void LineProblems(long lineNumber, unsigned problems) override { Add(lineNumber, problems); }
  // One line for each noted line, in line order.
  void PrintEach(const LeftOutFields* leftOut = nullptr);
  // With byKind one line for each kind of note, with the lines it was found
  // on; then the count of characters written as "?".
  void PrintSummary(bool byKind);
  // Lines the 500-card limit left out.
  long LeftOut() const;

  int replacedCharacters = 0;

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
