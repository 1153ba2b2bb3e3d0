#include "exchange/exchange_book.h"

int ExchangeBook::LoadBookFile(const char*, int) { return 0; }
int ExchangeBook::GetExchangeField(int, int, char* out) const {
  out[0] = '\0';
  return 0;
}
int ExchangeBook::SetExchangeField(int, int, const char*, size_t) { return 0; }
int ExchangeBook::AppendImportedCards(const char*, int, ExchangeMessages&) { return 0; }
int ExchangeBook::ExportCards(const ExchangeOptions&, ExchangeMessages&) { return 0; }
int ExchangeBook::ImportCards(const ExchangeOptions&, ExchangeMessages&) { return 0; }
int ExchangeBook::TryImportCards(const ExchangeOptions&, ExchangeMessages&, ImportReport&) {
  return 0;
}
const char* const kExchangeFieldNames[kExchangeFieldCount] = {};
const char kFieldListErrorText[] = "エラー！";
const char kBlankEntryText[] = " ";
int ReadFieldList(const char*, ExchangeOptions&) { return 0; }
int FindExchangeField(const ExchangeOptions&, const char*) { return -1; }
bool AddOrderEntry(ExchangeOptions&, const char*) { return false; }
