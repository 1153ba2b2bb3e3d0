#include "cli/export_command.h"

#include <stdio.h>
#include <string.h>

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack
ExchangeOptions g_options;

}  // namespace

int ExportCommand(const char* dataDirectory, const ExchangeRequest& request, bool raw) {
  if (request.dryRun || request.force) {
    fputs("quillbook: --dry-run and --force belong to import\n", stderr);
    return 2;
  }
  int status = PrepareExchange(dataDirectory, request, true, g_options);
  if (status >= 0) return status;
  PrintedMessages messages(raw);
  int done = strcmp(request.file, "-") == 0 ? g_book.ExportCardsTo(stdout, g_options, messages)
                                            : g_book.ExportCards(g_options, messages);
  if (done) return 0;
  messages.Tell("アドレス帳エクスポートできませんでした。", kExchangeExclamation);
  return 1;
}
