// An import file as the procedures read it: a code page 932 copy of the
// file in a scratch folder, made from UTF-8 when the file is UTF-8.
#pragma once

#include <string>

#include "cards/card_record.h"
#include "cli/book_setup.h"
#include "cli/charset.h"
#include "cli/import_notes.h"

struct ImportCopy {
  ScratchFile scratch;  // the copy, removed with the ImportCopy
  // The file's line of each card the import makes, in order.
  long lineOfCard[kCardSlots] = {};
  bool utf8 = false;
};

// What a file's bytes are, found in one pass; the file is rewound.
struct FileText {
  bool utf8;     // a byte-order mark, or valid UTF-8 that is not plain ASCII
  bool ascii;    // plain ASCII, which reads alike in either encoding
  bool crLines;  // no LF but a CR: older programs end lines with CR alone
};
FileText ExamineText(FILE* file);

// Whether a file read with encoding (auto: as ExamineText finds it) is
// UTF-8.
bool ReadsAsUtf8(const FileText& text, Encoding encoding);

// Makes the copy of file, noting characters that became "?" and NUL bytes
// line by line. Returns -1 when it is made, else the exit status after
// saying why.
int CopyImportFile(const char* file, Encoding encoding, bool heading, ImportNotes& notes,
                   ImportCopy& copy);
