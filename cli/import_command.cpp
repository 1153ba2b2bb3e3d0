#include "cli/import_command.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "cards/card_rules.h"
#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/import_file.h"
#include "cli/import_groups.h"
#include "cli/import_notes.h"
#include "cli/messages.h"
#include "cli/vcard_import.h"
#include "cli/writer_lock.h"
#include "text/text_helpers.h"

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack
ExchangeOptions g_options;
ImportNotes g_notes;

// A running panel writes its own copy of the book over the card file when
// it closes, and would drop whatever was appended meanwhile.
bool PanelHoldsBook(const char* dataDirectory, std::string& markPath) {
  char path[kPathBufferSize];
  if (!BuildBookFilePath(path, dataDirectory, kBookLockFileName)) return false;
  markPath = path;
  return PathExists(path);
}

// What every import shares once its cards stand in g_book.m_book[0..count):
// readings narrowed on request and checked, then the append, the count, the
// groups and the summary. Returns the exit status.
int FinishImport(int count, const char* bookDirectory, const ExchangeRequest& request,
                 ExchangeMessages& messages, const NoteDetails* details) {
  for (int i = 0; i < count && i < kCardSlots; ++i) {
    char* reading = g_book.m_book[i].reading;
    if (request.narrowReadings) NarrowReading(reading);
    if (!IsHalfWidthReading(reading)) g_notes.Add(g_book.m_anCardLine[i], kNoteWideReading);
  }
  if (request.dryRun) {
    g_notes.PrintEach(details);
    printf("%d card%s would be added\n", count, count == 1 ? "" : "s");
  } else {
    if (count > 0 && !g_book.AppendImportedCards(bookDirectory, count, messages)) {
      return kExitFailed;
    }
    printf("%d card%s added\n", count, count == 1 ? "" : "s");
  }
  int status = AddImportedGroups(bookDirectory, g_book.m_book, count, request.dryRun);
  // A trial has named each line already.
  g_notes.PrintSummary(!request.dryRun);
  if (g_notes.LeftOut() > 0) {
    status = Fail(kExitDoneInPart, "the book holds 500 cards: %ld %s%s of %s left out",
                  g_notes.LeftOut(), request.format == ExchangeFormat::kVcard ? "card" : "line",
                  g_notes.LeftOut() > 1 ? "s" : "", request.file);
  }
  return status >= 0 ? status : kExitDone;
}

int ImportLines(const BookPlace& place, const ExchangeRequest& request) {
  int status = PrepareExchange(place.directory.c_str(), request, false, g_options);
  if (status >= 0) return status;
  ImportText text;
  status = OpenImportText(request.file, request.encoding, text);
  if (status >= 0) return status;
  if (request.encoding == TextEncoding::kAuto) g_notes.encoding = text.choice;
  ScratchFile copy;
  status = CopyImportFile(request.file, text, g_notes, copy);
  if (status >= 0) return status;
  if (copy.path.size() >= sizeof g_options.path) {
    return Fail(kExitFailed, "the scratch copy's path is too long: %s", copy.path.c_str());
  }
  strcpy(g_options.path, copy.path.c_str());
  PrintedMessages messages(request.file, place.directory.c_str());
  // The trial fills the cards without writing them; FinishImport appends.
  if (!g_book.TryImportCards(g_options, messages, g_notes)) return kExitFailed;
  return FinishImport(g_book.m_nImported, place.directory.c_str(), request, messages, nullptr);
}

int ImportVcardFile(const BookPlace& place, const ExchangeRequest& request) {
  ImportText text;
  int status = OpenImportText(request.file, request.encoding, text);
  if (status >= 0) return status;
  if (request.encoding == TextEncoding::kAuto) g_notes.encoding = text.choice;
  const NoteDetails* details = nullptr;
  status = ReadVcards(place.directory.c_str(), request, text, g_book, g_notes, details);
  if (status >= 0) return status;
  PrintedMessages messages(request.file, place.directory.c_str());
  return FinishImport(g_book.m_nImported, place.directory.c_str(), request, messages, details);
}

}  // namespace

int ImportCommand(const char* dataDirectory, const ExchangeRequest& request) {
  if (request.file != nullptr && strcmp(request.file, "-") == 0) {
    return Fail(kExitBadArguments,
                "import reads a FILE; - stands for standard output only in export");
  }
  if (request.file == nullptr) return Fail(kExitBadArguments, "import needs a FILE");
  if (request.noBom) return Fail(kExitBadArguments, "--no-bom belongs to export");
  const bool vcard = request.format == ExchangeFormat::kVcard;
  if (!vcard && request.columns == nullptr) {
    return Fail(kExitBadArguments, "import needs --columns LIST, or --vcard");
  }
  if (vcard && (request.columns != nullptr || request.noHeading)) {
    return Fail(kExitBadArguments, "--vcard takes no --columns or --no-heading");
  }
  std::string markPath;
  if (!request.dryRun && !request.force && PanelHoldsBook(dataDirectory, markPath)) {
    return Fail(kExitFailed,
                "the address book is open in a panel (%s is there), which would overwrite the "
                "imported cards when it closes; close the panel and try again, or use --force "
                "if no panel runs",
                markPath.c_str());
  }
  // Held until the grown card file and the group file are in place, or the
  // import has failed.
  BookWriterLock lock;
  if (!request.dryRun) {
    int status = lock.Take(dataDirectory);
    if (status >= 0) return status;
  }
  BookPlace place;
  int status = PrepareBook(dataDirectory, !request.dryRun, place);
  if (status >= 0) return status;
  return vcard ? ImportVcardFile(place, request) : ImportLines(place, request);
}
