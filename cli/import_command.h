// quillbook import: the settings screen's import from the shell, or a trial
// run that only reports.
#pragma once

#include "cli/exchange_request.h"

// Appends the lines of request.file to the saved card file exactly as the
// settings screen would, refusing while a panel holds the book (unless
// forced); with dryRun only reports. Returns the exit status.
int ImportCommand(const char* dataDirectory, const ExchangeRequest& request, bool raw);
