#include "cli/export_command.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/messages.h"
#include "cli/vcard_export.h"
#include "text/byte_text.h"

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack
ExchangeOptions g_options;

// Copies code page 932 text from in to out as UTF-8; false on a read error.
template <typename Sink>
bool CopyAsUtf8(FILE* in, Sink write) {
  char bytes[4096];
  char chunk[4096 * 3];
  size_t carried = 0;
  for (size_t n; (n = fread(bytes + carried, 1, sizeof bytes - carried, in)) > 0;) {
    n += carried;
    // A two-byte character cut by the read waits for its second byte.
    size_t whole = 0;
    for (size_t step; whole < n; whole += step) {
      step = IsCp932LeadByte(static_cast<unsigned char>(bytes[whole])) ? 2 : 1;
      if (whole + step > n) break;
    }
    const char* text = bytes;
    size_t length = whole;
    while (length > 0) write(chunk, Utf8Into(text, length, chunk, sizeof chunk));
    carried = n - whole;
    memmove(bytes, bytes + whole, carried);
  }
  const char* text = bytes;
  while (carried > 0) write(chunk, Utf8Into(text, carried, chunk, sizeof chunk));
  return ferror(in) == 0;
}

// The settings screen's export into a scratch file, then its bytes as
// UTF-8 to FILE or to standard output, so that a refused or failed export
// writes nothing, and FILE is replaced once, by the whole of it. A
// spreadsheet program takes a file for UTF-8 only by its mark.
int ExportUtf8(const ExchangeRequest& request, bool mark, PrintedMessages& messages) {
  const size_t markBytes = mark ? 3 : 0;
  const bool toStandardOutput = strcmp(request.file, "-") == 0;
  ScratchFile scratch;
  int status = scratch.Make("export", "cp932");
  if (status >= 0) return status;
  if (scratch.path.size() >= sizeof g_options.path) {
    return Fail(kExitFailed, "the scratch file's path is too long: %s", scratch.path.c_str());
  }
  strcpy(g_options.path, scratch.path.c_str());
  errno = 0;
  if (!g_book.ExportCards(g_options, messages)) return kExitFailed;
  FileProblem problem = FileProblem::kNone;
  FILE* written = OpenFileForReading(scratch.path.c_str(), problem);
  if (written == nullptr) {
    return Fail(kExitFailed, "cannot read the scratch file %s: %s", scratch.path.c_str(), Reason());
  }
  bool done = false;
  if (toStandardOutput) {
    done = fwrite(kUtf8Bom, 1, markBytes, stdout) == markBytes &&
           CopyAsUtf8(written, [](const char* bytes, size_t n) { fwrite(bytes, 1, n, stdout); }) &&
           fflush(stdout) == 0 && !ferror(stdout);
  } else {
    SafeFileWriter out(request.file);
    out.Write(kUtf8Bom, markBytes);
    done = CopyAsUtf8(written, [&](const char* bytes, size_t n) { out.Write(bytes, n); }) &&
           out.Commit();
  }
  fclose(written);
  if (done) return kExitDone;
  return Fail(kExitFailed, "cannot write the export file %s as UTF-8: %s",
              toStandardOutput ? "(standard output)" : request.file, Reason());
}

}  // namespace

int ExportCommand(const char* dataDirectory, const ExchangeRequest& request) {
  if (request.dryRun || request.force || request.narrowReadings) {
    return Fail(kExitBadArguments, "--dry-run, --force and --narrow-readings belong to import");
  }
  const bool vcard = request.format == ExchangeFormat::kVcard;
  if (vcard) {
    if (request.file == nullptr) return Fail(kExitBadArguments, "export needs a FILE");
    if (request.encodingGiven || request.columns != nullptr || request.noHeading || request.noBom) {
      return Fail(kExitBadArguments,
                  "a vCard file is UTF-8 with every field: --vcard takes no --encoding, "
                  "--no-bom, --columns or --no-heading");
    }
  }
  if (request.encoding == TextEncoding::kAuto && request.encodingGiven) {
    return Fail(kExitBadArguments, "export writes --encoding cp932 or utf-8");
  }
  if (request.noBom && request.encoding != TextEncoding::kUtf8) {
    return Fail(kExitBadArguments, "--no-bom belongs to --encoding utf-8");
  }
  // A person reads a terminal, which shows UTF-8; a file or a pipe gets the
  // settings screen's bytes unless told otherwise. A mark is for files.
  bool toTerminal =
      request.file != nullptr && strcmp(request.file, "-") == 0 && isatty(STDOUT_FILENO) != 0;
  TextEncoding encoding =
      request.encodingGiven || !toTerminal ? request.encoding : TextEncoding::kUtf8;
  bool mark = request.encodingGiven && !request.noBom && !toTerminal;
  // Refused by the user's own book, before anything is written: the book
  // of a data folder without a card file is exported from a scratch copy.
  if (!vcard && request.file != nullptr && strcmp(request.file, "-") != 0) {
    PrintedMessages messages(request.file, dataDirectory);
    if (RefuseBookFile(dataDirectory, request.file, messages)) return kExitFailed;
  }
  // A book the panel never saved exports its owner card, as the settings
  // screen would after saving it; the user's folder is not written.
  BookPlace place;
  int status = PrepareBook(dataDirectory, false, place);
  if (status >= 0) return status;
  if (vcard) return ExportVcards(place.directory.c_str(), request.file, dataDirectory);
  status = PrepareExchange(place.directory.c_str(), request, true, g_options);
  if (status >= 0) return status;
  PrintedMessages messages(request.file, place.directory.c_str());
  if (encoding == TextEncoding::kUtf8) return ExportUtf8(request, mark, messages);
  errno = 0;
  int done = strcmp(request.file, "-") == 0 ? g_book.ExportCardsTo(stdout, g_options, messages)
                                            : g_book.ExportCards(g_options, messages);
  return done ? kExitDone : kExitFailed;
}
