// The panel's private messages.
#pragma once

#include <windows.h>

// wParam names an operation that the host called on its own thread, carried
// over to the panel thread. For an operation lParam points at a PanelCall,
// which the panel fills only when it took the call (it refuses once its close
// has begun); for the mark lParam is the mark's number.
constexpr UINT WM_RUN_ON_PANEL_THREAD = WM_APP + 1;
constexpr WPARAM kRunSaveState = 1;
constexpr WPARAM kRunOpenSettings = 2;
constexpr WPARAM kRunMark = 3;

struct PanelCall {
  bool ran;
  int result;
};
