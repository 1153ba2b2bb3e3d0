// Resource numbers of the pictures by which the host shows the tool; the
// panel's own are in panel/panel_ids.h.
#pragma once

#define IDB_TOOL 5000
#define IDB_TOOL_ALT 5001
