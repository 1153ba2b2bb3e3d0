// quillbook import: the settings screen's import from the shell, or a trial
// run that only reports.
#pragma once

#include "cli/exchange_request.h"
#include "cli/import_notes.h"

// Appends the lines of request.file (vCards with request.vcard) to the
// saved card file as the settings screen would, refusing while a panel
// holds the book (unless forced); with dryRun only reports. Returns the exit
// status.
int ImportCommand(const char* dataDirectory, const ExchangeRequest& request);

// What every import shares once its cards stand in book.m_book[0..count):
// readings narrowed on request and checked, then the append, the count and
// the summary. lineOfCard gives each card's line for the notes. Returns the
// exit status.
int FinishImport(ExchangeBook& book, int count, const char* bookDirectory,
                 const ExchangeRequest& request, const long* lineOfCard, ImportNotes& notes,
                 ExchangeMessages& messages, const LeftOutFields* leftOut = nullptr);
