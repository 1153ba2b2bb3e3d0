// quillbook search: the host's search of the saved card file, on standard
// output.
#pragma once

#include "cli/charset.h"

// Prints the result lines of a search for text (code page 932) in the
// host's search mode, folded with foldFlags in a folded search: the
// non-empty ones, or with everyLine one line for each result the host would
// receive. Returns the exit status.
int SearchCards(const char* dataDirectory, int mode, unsigned foldFlags, const char* text,
                bool everyLine, Output& out);
