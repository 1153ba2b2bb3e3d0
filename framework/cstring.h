// CString is portable and lives in text/; sdk/ and the hosts built against
// it include it by this path.
#pragma once

#include "text/cstring.h"
