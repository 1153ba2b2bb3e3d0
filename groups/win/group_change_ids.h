// Resource numbers of the bulk group change dialog.
#pragma once

#define IDD_GROUP_CHANGE 247
#define IDC_CHANGE_BEFORE 1061
#define IDC_CHANGE_AFTER 1101
#define IDC_CHANGE_CONVERT 1102
