// Text fields as they may stand in a tab- or comma-separated line.
#pragma once

#include <stddef.h>

// Appends text (at most width - 1 bytes of it) to out as a field that is
// ended by separator: tabs, CRs and LFs become blanks, and an ending that
// would hide the separator from FindSeparator (an odd run of backslashes)
// gets a blank after it, or in place of its last byte where the field has
// no room. Returns the bytes appended. out
// has room for width + 1 bytes: the ending is tried with the separator and
// a NUL after it.
size_t AppendLineField(char* out, const char* text, size_t width, char separator);
