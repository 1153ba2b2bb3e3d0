// What `quillbook export` and `quillbook import` share: their arguments turned
// into the options the settings screen would hand over, and its messages
// printed instead of shown.
#pragma once

#include "cli/charset.h"
#include "exchange/exchange_book.h"

enum class ExchangeFormat { kTab, kComma, kVcard };

struct ExchangeRequest {
  const char* columns = nullptr;  // LIST, UTF-8: field names, "" for a blank column
  ExchangeFormat format = ExchangeFormat::kTab;
  bool noHeading = false;
  bool dryRun = false;
  bool force = false;
  bool narrowReadings = false;
  bool encodingGiven = false;
  TextEncoding encoding = TextEncoding::kAuto;
  bool noBom = false;          // a UTF-8 export without its byte-order mark
  const char* file = nullptr;  // "-" is standard output for export
};

// Fills options from the request: the columns checked against the field
// list of the card file in dataDirectory as the settings screen would show
// it. Returns -1 when ready, else the exit status after saying why.
int PrepareExchange(const char* dataDirectory, const ExchangeRequest& request, bool exporting,
                    ExchangeOptions& options);

// The card file's path in dataDirectory, for messages.
std::string CardFilePath(const char* dataDirectory);

// The procedures' messages in the command line's words: information on
// standard output, failures on standard error with the file and the reason.
// The import limit is left to the caller, which counts the lines it left out.
class PrintedMessages : public ExchangeMessages {
 public:
  PrintedMessages(const char* exchangeFile, const char* dataDirectory)
      : m_strExchangeFile(exchangeFile), m_strCardFile(CardFilePath(dataDirectory)) {}
  void Tell(const char* text, ExchangeIcon icon) override;

 private:
  std::string m_strExchangeFile;
  std::string m_strCardFile;
};
