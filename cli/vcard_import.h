// The vCards of an import file read into the exchange's book, for the
// import command to append as it appends the lines of a tab or comma file.
#pragma once

#include "cli/exchange_request.h"
#include "cli/import_file.h"
#include "cli/import_notes.h"

// Reads the vCards of text into book.m_book[0..book.m_nImported), as many
// as the card file in bookDirectory has room for; a vCard past them is
// noted. details then tells what each card left out. Returns -1 when read,
// else the exit status after saying why.
int ReadVcards(const char* bookDirectory, const ExchangeRequest& request, ImportText& text,
               ExchangeBook& book, ImportNotes& notes, const NoteDetails*& details);
