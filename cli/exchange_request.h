// What `quillbook export` and `quillbook import` share: their arguments turned
// into the options the settings screen would hand over, and its messages
// printed instead of shown.
#pragma once

#include "cli/output.h"
#include "exchange/exchange_book.h"

struct ExchangeRequest {
  const char* columns = nullptr;  // LIST, UTF-8: field names, "" for a blank column
  bool comma = false;
  bool noHeading = false;
  bool dryRun = false;
  bool force = false;
  const char* file = nullptr;  // "-" is standard output for export
};

// Fills options from the request: the columns checked against the field
// list of the card file in dataDirectory as the settings screen would show
// it. Returns -1 when ready, else the exit status after saying why.
int PrepareExchange(const char* dataDirectory, const ExchangeRequest& request, bool exporting,
                    ExchangeOptions& options);

// Information on standard output, failures and refusals on standard error.
class PrintedMessages : public ExchangeMessages {
 public:
  explicit PrintedMessages(bool raw) : out_(raw, stdout), err_(raw, stderr) {}
  void Tell(const char* text, ExchangeIcon icon) override;

 private:
  Output out_;
  Output err_;
};
