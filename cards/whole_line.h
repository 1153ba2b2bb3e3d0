// One line of a text file however long it is, read byte by byte so that the
// card file and the exchange files split lines the same way.
#pragma once

#include <stdio.h>

// Reads the next line into buffer, which has room for capacity + 2 bytes: at
// most capacity bytes of the line, then its line feed when it has one (a CR
// LF counts as one line feed, as a text-mode stream hands it over), then a
// NUL. Bytes past capacity are dropped and overflowed is set. Returns the
// length in buffer, or -1 at the end of the file.
int ReadWholeLine(FILE* file, char* buffer, int capacity, bool& overflowed);
