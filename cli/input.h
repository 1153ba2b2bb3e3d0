// Arguments arrive from the shell in UTF-8; the address book holds code
// page 932.
#pragma once

#include <string>

// Converts utf8 to code page 932 into out. False, with out empty, when the
// text is not UTF-8 or holds a character that code page 932 lacks.
bool Utf8ToCp932(const char* utf8, std::string& out);
