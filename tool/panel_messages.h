// The panel's private messages.
#pragma once

#include <windows.h>

// wParam names an operation that the host called on its own thread, carried
// over to the panel thread; the result is the operation's.
constexpr UINT WM_RUN_ON_PANEL_THREAD = WM_APP + 1;
constexpr WPARAM kRunSaveState = 1;
constexpr WPARAM kRunOpenSettings = 2;
