// Cards from vCard 2.1, 3.0 and 4.0 files as phones and other address books
// write them.
#pragma once

#include "cli/exchange_request.h"

// Appends a card for each vCard of request.file to the card file in
// bookDirectory, or with dryRun reports what each would hold and lose.
// Returns the exit status.
int ImportVcards(const char* bookDirectory, const ExchangeRequest& request);
