#include "cli/vcard_export.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/charset.h"
#include "cli/exchange_request.h"
#include "cli/messages.h"
#include "exchange/block_out.h"
#include "exchange/vcard_writer.h"

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack
char g_achBlock[kExchangeBlockBytes];

}  // namespace

int ExportVcards(const char* bookDirectory, const char* file, const char* dataDirectory) {
  errno = 0;
  if (!g_book.LoadBookFile(bookDirectory, 1)) {
    return Fail(kExitFailed, "cannot read the card file %s: %s",
                CardFilePath(bookDirectory).c_str(), Reason());
  }
  bool toStandardOutput = strcmp(file, "-") == 0;
  char bookFile[kPathBufferSize];
  if (!toStandardOutput && NamesBookFile(dataDirectory, file, bookFile)) {
    return Fail(kExitBadArguments, "%s is the address book's own file; choose another FILE", file);
  }
  errno = 0;
  SafeFileWriter out(toStandardOutput ? "" : file);
  if (!toStandardOutput && !out.IsOpen()) {
    return Fail(kExitFailed, "cannot create the export file %s: %s", file, Reason());
  }
  IconvConverter converter;
  BlockToWriter toFile(out, g_achBlock, sizeof g_achBlock);
  BlockToStream toStream(stdout, g_achBlock, sizeof g_achBlock);
  BlockOut& block = toStandardOutput ? static_cast<BlockOut&>(toStream) : toFile;
  for (int i = 0; i < g_book.m_nBookCards; ++i) WriteVcard(g_book.m_book[i], block, converter);
  block.Flush();
  if (toStandardOutput) {
    return fflush(stdout) == 0 && !ferror(stdout)
               ? kExitDone
               : Fail(kExitFailed, "cannot write to standard output: %s", Reason());
  }
  if (out.Commit()) return kExitDone;
  return Fail(kExitFailed, "cannot write the export file %s: %s", file, Reason());
}
