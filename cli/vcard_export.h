// Cards as vCard 3.0 (RFC 2426) in UTF-8, for phones, webmail and other
// address books.
#pragma once

// Writes every card of the card file in dataDirectory to file ("-" for
// standard output). Returns the exit status.
int ExportVcards(const char* dataDirectory, const char* file);
