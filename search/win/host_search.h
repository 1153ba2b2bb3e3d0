// The tool's Search operation: the card file's result lines sent to the
// host's result window.
#pragma once

#include "sdk/host_services.h"
#include "sdk/tool_base.h"

// Returns 1 for a null request, which sends nothing, else 0. Each line goes
// to the window of request->pResultWnd with WM_TOOL_SEARCH_RESULT, sent and
// waited for, while that window exists.
int SendSearchResults(SearchRequest* request, const char* text, HostServices* host);
