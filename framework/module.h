// The module (DLL or program) that this code is linked into, for resources.
#pragma once

#include <windows.h>

HINSTANCE AfxGetResourceHandle();
