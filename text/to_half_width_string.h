#pragma once

#include "text/cstring.h"

// Narrows text in place with ToHalfWidth and returns it.
CString& ToHalfWidthString(CString& text);
