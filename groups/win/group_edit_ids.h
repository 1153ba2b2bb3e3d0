// Resource numbers of the group edit dialog.
#pragma once

#define IDD_GROUP_EDIT 246
#define IDC_GROUP_NAME 1043
#define IDC_GROUP_LIST 1042
#define IDC_GROUP_ADD 1044
#define IDC_GROUP_CHANGE_NAME 1045
#define IDC_GROUP_DELETE 1056
#define IDC_GROUP_UP 1046
#define IDC_GROUP_DOWN 1047
#define IDC_GROUP_REGISTER 1048
