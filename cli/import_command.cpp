#include "cli/import_command.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "cards/card_rules.h"
#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/import_file.h"
#include "cli/messages.h"
#include "cli/vcard_import.h"
#include "cli/writer_lock.h"
#include "text/text_helpers.h"

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack
ExchangeOptions g_options;
ImportNotes g_notes;
ImportCopy g_copy;

// A running panel writes its own copy of the book over the card file when
// it closes, and would drop whatever was appended meanwhile.
bool PanelHoldsBook(const char* dataDirectory, std::string& markPath) {
  char path[kPathBufferSize];
  if (!BuildBookFilePath(path, dataDirectory, kBookLockFileName)) return false;
  markPath = path;
  return PathExists(path);
}

int ImportLines(const BookPlace& place, const ExchangeRequest& request) {
  int status = PrepareExchange(place.directory.c_str(), request, false, g_options);
  if (status >= 0) return status;
  status = CopyImportFile(request.file, request.encoding, g_options.heading != 0, g_notes, g_copy);
  if (status >= 0) return status;
  if (g_copy.scratch.path.size() >= sizeof g_options.path) {
    return Fail(kExitFailed, "the scratch copy's path is too long: %s",
                g_copy.scratch.path.c_str());
  }
  strcpy(g_options.path, g_copy.scratch.path.c_str());
  PrintedMessages messages(request.file, place.directory.c_str());
  // The trial fills the cards without writing them; FinishImport appends.
  if (!g_book.TryImportCards(g_options, messages, g_notes)) return kExitFailed;
  return FinishImport(g_book, g_book.m_nImported, place.directory.c_str(), request,
                      g_copy.lineOfCard, g_notes, messages);
}

}  // namespace

int FinishImport(ExchangeBook& book, int count, const char* bookDirectory,
                 const ExchangeRequest& request, const long* lineOfCard, ImportNotes& notes,
                 ExchangeMessages& messages, const LeftOutFields* leftOut) {
  for (int i = 0; i < count && i < kCardSlots; ++i) {
    char* reading = book.m_book[i].reading;
    if (request.narrowReadings) NarrowReading(reading);
    if (!IsHalfWidthReading(reading)) notes.Add(lineOfCard[i], kNoteWideReading);
  }
  if (request.dryRun) {
    notes.PrintEach(leftOut);
    printf("%d card%s would be added\n", count, count == 1 ? "" : "s");
  } else {
    if (count > 0 && !book.AppendImportedCards(bookDirectory, count, messages)) return kExitFailed;
    printf("%d card%s added\n", count, count == 1 ? "" : "s");
  }
  // A trial has named each line already.
  notes.PrintSummary(!request.dryRun);
  if (notes.LeftOut() == 0) return kExitDone;
  return Fail(kExitDoneInPart, "the book holds 500 cards: %ld %s%s of %s left out", notes.LeftOut(),
              request.vcard ? "card" : "line", notes.LeftOut() > 1 ? "s" : "", request.file);
}

int ImportCommand(const char* dataDirectory, const ExchangeRequest& request) {
  if (request.file != nullptr && strcmp(request.file, "-") == 0) {
    return Fail(kExitBadArguments,
                "import reads a FILE; - stands for standard output only in export");
  }
  if (request.file == nullptr) return Fail(kExitBadArguments, "import needs a FILE");
  if (request.noBom) return Fail(kExitBadArguments, "--no-bom belongs to export");
  if (!request.vcard && request.columns == nullptr) {
    return Fail(kExitBadArguments, "import needs --columns LIST, or --vcard");
  }
  std::string markPath;
  if (!request.dryRun && !request.force && PanelHoldsBook(dataDirectory, markPath)) {
    return Fail(kExitFailed,
                "the address book is open in a panel (%s is there), which would overwrite the "
                "imported cards when it closes; close the panel and try again, or use --force "
                "if no panel runs",
                markPath.c_str());
  }
  // Held until the grown card file is in place, or the import has failed.
  BookWriterLock lock;
  if (!request.dryRun) {
    int status = lock.Take(dataDirectory);
    if (status >= 0) return status;
  }
  BookPlace place;
  int status = PrepareBook(dataDirectory, !request.dryRun, place);
  if (status >= 0) return status;
  if (request.vcard) return ImportVcards(place.directory.c_str(), request);
  return ImportLines(place, request);
}
