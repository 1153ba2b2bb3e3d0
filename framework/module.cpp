#include "framework/module.h"

// The linker's symbol for the start of this very module's image.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
const HINSTANCE g_module = reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HINSTANCE AfxGetResourceHandle() { return g_module; }
