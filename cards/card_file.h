// The card file: a heading line, then one line of 21 tab-separated fields
// for each card, the owner's card first.
#pragma once

#include <stdio.h>

#include "cards/card_line.h"
#include "cards/card_record.h"
#include "cards/safe_file.h"
#include "cards/whole_line.h"

// Reads whole lines, each counted with its line end as one byte whether the
// file has CR LF, LF or (holding no LF) CR.
class CardLineReader {
 public:
  explicit CardLineReader(FILE* file) : m_lines(file, kLineBufferSize) {}
  // The next line's length (line feed included when it has one), or -1 at
  // the end of the file. The line stays in Text(), writable, until the next
  // call.
  int Next();
  char* Text() { return m_lines.Text(); }

 private:
  WholeLineReader m_lines;
};

// What a load found beyond the cards it put in the table.
struct CardFileLoad {
  // kMissing when there is no file; any other problem means a file that is
  // there but could not be read whole, which the table does not stand for.
  FileProblem problem = FileProblem::kNone;
  // The file held more than the table keeps: a heading line that was not
  // the heading, lines past the 500th card, short lines with text, or text
  // cut from a card. Writing the table back would lose it.
  bool lostSome = false;
};

// Fills the table from the card file. Returns 1 when at least one card line
// was read, 0 when only the default owner card stands in the table (the file
// is missing, unreadable, empty, or path is null). load, when given, is told
// what else the load found.
int LoadCardFile(const char* path, CardTable& table, TimeSource& clock,
                 CardFileLoad* load = nullptr);

// Writes the table to the card file. Returns 1 when written, 0 when it could
// not be, and then problem (when given) says why, and the previous file is
// left whole, unless a write in place could not be finished: then the whole
// new file is kept beside it under the name put in unsaved (when given).
int SaveCardFile(const char* path, const CardTable& table, FileProblem* problem = nullptr,
                 char (*unsaved)[kPathBufferSize] = nullptr);

// Writes the table into a new "path.N.suffix" beside the card file, never
// over an earlier one; returns 1 with its name in kept, 0 when it could not.
int KeepCardFile(const char* path, const CardTable& table, const char* suffix,
                 char (&kept)[kPathBufferSize]);

// Writes the table over the file that load describes, as far as that is
// safe: never over a file that could not be read (result 0, problem kNone),
// and over a file that held more than the table only after a copy of it is
// kept at "path.N.bak" (kept gets that path, empty when no copy was made,
// and load forgets the loss so the copy is made once). Returns 1 when the
// table was written, 0 with problem set when not, and unsaved as in
// SaveCardFile.
int SaveLoadedCardFile(const char* path, const CardTable& table, CardFileLoad& load,
                       char (&kept)[kPathBufferSize], FileProblem& problem,
                       char (*unsaved)[kPathBufferSize] = nullptr);

// The file is there but was not read whole: the table does not stand for it.
inline bool IsUnread(const CardFileLoad& load) {
  return load.problem != FileProblem::kNone && load.problem != FileProblem::kMissing;
}
