// quillbook export: the settings screen's export from the shell.
#pragma once

#include "cli/exchange_request.h"

// Writes the cards of the saved card file to request.file (standard output
// for "-") exactly as the settings screen would, or as UTF-8 text, or as
// vCards. Returns the exit status.
int ExportCommand(const char* dataDirectory, const ExchangeRequest& request);
