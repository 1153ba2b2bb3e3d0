#include "exchange/exchange_checks.h"

#include <string.h>

bool DelimiterChosen(const ExchangeOptions& options, ExchangeMessages& messages) {
  if (options.delimiter == '\t' || options.delimiter == ',') return true;
  messages.Tell("区切り文字を一覧から選択して下さい。", kExchangeStop);
  return false;
}

int OrderEntries(const ExchangeOptions& options) {
  if (options.orderEntryCount < 0) return 0;
  return options.orderEntryCount < kMaxOrderEntries ? options.orderEntryCount : kMaxOrderEntries;
}

bool IsBlankEntry(const char* entryText) { return strcmp(entryText, kBlankEntryText) == 0; }
