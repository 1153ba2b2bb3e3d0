// Messages between the host window and the address book. Notifications to
// the host carry the tool number as wParam and 0 as lParam.
#pragma once

#include <windows.h>

constexpr UINT WM_TOOL_OPEN_SETTINGS = WM_USER + 100;  // host to panel
constexpr UINT WM_TOOL_ACTIVATED = WM_USER + 106;      // sent
constexpr UINT WM_TOOL_READY = WM_USER + 107;          // posted
constexpr UINT WM_TOOL_CLOSING = WM_USER + 108;        // sent
constexpr UINT WM_TOOL_SEARCH_RESULT = WM_USER + 111;  // wParam: the CString of one result
