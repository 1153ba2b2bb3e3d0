// quillbook import: the settings screen's import from the shell, or a trial
// run that only reports.
#pragma once

#include "cli/exchange_request.h"

// Appends the lines (or vCards) of request.file to the saved card file as
// the settings screen would, refusing while a panel holds the book (unless
// forced), and adds the groups that the cards name to Group.dat; with
// dryRun only reports. Returns the exit status.
int ImportCommand(const char* dataDirectory, const ExchangeRequest& request);
