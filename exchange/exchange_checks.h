// Checks that export and import make before they touch a file.
#pragma once

#include "exchange/exchange_book.h"

// Refuses (with its message) an exchange whose delimiter was not chosen
// from the list: a guessed one would split every line wrongly.
bool DelimiterChosen(const ExchangeOptions& options, ExchangeMessages& messages);

// The order-list entries that are exchanged.
int OrderEntries(const ExchangeOptions& options);

bool IsBlankEntry(const char* entryText);
