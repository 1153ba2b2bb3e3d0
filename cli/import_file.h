// An import file as the procedures read it: its encoding decided on the whole
// file (a UTF-16 file decoded into a UTF-8 scratch copy first), and for the
// tab and comma procedures a code page 932 copy of it in a scratch folder.
#pragma once

#include <stdio.h>

#include "cli/book_setup.h"
#include "cli/charset.h"
#include "cli/import_notes.h"

struct ImportText {
  FILE* file = nullptr;  // at its first byte of text, past a byte-order mark
  EncodingChoice choice = {};
  ScratchFile decoded;  // the UTF-8 of a UTF-16 file
  ~ImportText();
  // Whether file's text is UTF-8 (a UTF-16 file's is, once decoded).
  bool Utf8() const { return choice.encoding != TextEncoding::kCp932; }
};

// Opens file and decides its encoding (asked, or auto), refusing with its
// reason a file that is no text or that a UTF-16 mark says is not what was
// asked. Returns -1 when open, else the exit status after saying why.
int OpenImportText(const char* file, TextEncoding asked, ImportText& text);

// Makes the code page 932 copy of text, noting line by line the characters
// and bytes that became "?" and the NUL bytes. Returns -1 when it is made,
// else the exit status after saying why.
int CopyImportFile(const char* file, ImportText& text, ImportNotes& notes, ScratchFile& copy);
