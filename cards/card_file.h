// The card file: a heading line, then one line of 21 tab-separated fields
// for each card, the owner's card first.
#pragma once

#include <stdio.h>

#include "cards/card_line.h"
#include "cards/card_record.h"
#include "cards/time_stamp.h"
#include "cards/whole_line.h"

// Reads whole lines, each counted with its line end as one byte whether the
// file has CR LF, LF or (holding no LF) CR.
class CardLineReader {
 public:
  explicit CardLineReader(FILE* file) : lines_(file, kLineBufferSize) {}
  // The next line's length (line feed included when it has one), or -1 at
  // the end of the file. The line stays in Text(), writable, until the next
  // call.
  int Next();
  char* Text() { return lines_.Text(); }

 private:
  WholeLineReader lines_;
};

// Fills the table from the card file. Returns 1 when at least one card line
// was read, 0 when only the default owner card stands in the table (the file
// is missing, unreadable, empty, or path is null).
int LoadCardFile(const char* path, CardTable& table, TimeSource& clock);

// Puts the default owner card in slot 0 of a cleared table.
void MakeDefaultOwnerCard(CardTable& table);

// Writes the table to the card file. Returns 1 when written, 0 when it could
// not be, and then the previous file is left as it was.
int SaveCardFile(const char* path, const CardTable& table);
