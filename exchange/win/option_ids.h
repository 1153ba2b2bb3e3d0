// Resource numbers of the settings screen.
#pragma once

#define IDD_OPTIONS 198

// The direction of the exchange: export, import.
#define IDI_ARROW_RIGHT 199
#define IDI_ARROW_LEFT 200

#define IDC_OPT_FIELD_LIST 1049
#define IDC_OPT_ORDER_LIST 1050
#define IDC_OPT_ADD_FIELD 1051
#define IDC_OPT_REMOVE_FIELD 1052
#define IDC_OPT_INSERT_BLANK 1053
#define IDC_OPT_EXECUTE 1054
#define IDC_OPT_CHOOSE_FILE 1055
#define IDC_OPT_MODE_ICON 1057
#define IDC_OPT_HEADING 1058
#define IDC_OPT_FILE 1059
#define IDC_OPT_MODE_LABEL 1060
#define IDC_OPT_DELIMITER 1063

// The captions carry no number of their own; these keep them apart from the
// text control of a message box, which the system numbers 0xFFFF.
#define IDC_OPT_FRAME 1064
#define IDC_OPT_FIELDS_TITLE 1065
#define IDC_OPT_ORDER_TITLE 1066
#define IDC_OPT_DELIMITER_TITLE 1067
