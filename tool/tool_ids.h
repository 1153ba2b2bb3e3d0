// Resource numbers of the tool.
#pragma once

#define IDD_PANEL 153
#define IDI_PANEL 152
#define IDB_TOOL 5000
#define IDB_TOOL_ALT 5001
