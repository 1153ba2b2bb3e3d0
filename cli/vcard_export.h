// Cards as vCard 3.0 (RFC 2426) in UTF-8, for phones, webmail and other
// address books.
#pragma once

// Writes every card of the card file in bookDirectory to file ("-" for
// standard output), which must not be a file of the book in dataDirectory.
// Returns the exit status.
int ExportVcards(const char* bookDirectory, const char* file, const char* dataDirectory);
