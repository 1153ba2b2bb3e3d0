#include "cli/import_command.h"

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

namespace {

ExchangeBook g_book;  // over a megabyte: not for the stack
ExchangeOptions g_options;

class PrintedReport : public ImportReport {
 public:
  void LineProblems(long lineNumber, unsigned problems) override {
    std::string text;
    auto add = [&](unsigned bit, const char* what) {
      if ((problems & bit) == 0) return;
      if (!text.empty()) text += "; ";
      text += what;
    };
    add(kImportTextCut, "a text cut at its field's width");
    add(kImportMoreColumns, "more columns than the list, the rest dropped");
    add(kImportFewerColumns, "fewer columns than the list, the rest left empty");
    add(kImportOverCardLimit, "not imported: the book would hold 500 cards");
    printf("line %ld: %s\n", lineNumber, text.c_str());
  }
};

// A running panel writes its own copy of the book over the card file when
// it closes, and would drop whatever was appended meanwhile.
bool PanelHoldsBook(const char* dataDirectory, std::string& markPath) {
  char path[kPathBufferSize];
  if (!BuildBookFilePath(path, dataDirectory, kBookLockFileName)) return false;
  markPath = path;
  return access(path, F_OK) == 0;
}

}  // namespace

int ImportCommand(const char* dataDirectory, const ExchangeRequest& request, bool raw) {
  if (request.file != nullptr && strcmp(request.file, "-") == 0) {
    fputs("quillbook: import reads a FILE; - stands for standard output only in export\n", stderr);
    return 2;
  }
  int status = PrepareExchange(dataDirectory, request, false, g_options);
  if (status >= 0) return status;
  std::string markPath;
  if (!request.dryRun && !request.force && PanelHoldsBook(dataDirectory, markPath)) {
    fprintf(stderr,
            "quillbook: the address book is open in a panel (%s is there), which would "
            "overwrite the imported cards when it closes; close the panel and try again, or "
            "use --force if no panel runs\n",
            markPath.c_str());
    return 1;
  }
  PrintedMessages messages(raw);
  if (request.dryRun) {
    PrintedReport report;
    if (!g_book.TryImportCards(g_options, messages, report)) {
      messages.Tell("アドレス帳インポートできませんでした。", kExchangeExclamation);
      return 1;
    }
    printf("%d cards would be added\n", g_book.m_nImported);
    return 0;
  }
  if (!g_book.ImportCards(g_options, messages)) {
    messages.Tell("アドレス帳インポートできませんでした。", kExchangeExclamation);
    return 1;
  }
  printf("%d cards added\n", g_book.m_nImported);
  return 0;
}
