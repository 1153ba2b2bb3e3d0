// The message boxes of the side dialogs (groups, settings): they carry the
// tool's name as their caption, where the panel's carry the library's.
#pragma once

#include <windows.h>

int TellFromSideDialog(HWND dialog, const char* text, UINT icon);
