// The address book's name as the user reads it: the tool's name that the
// host shows, and the caption of the side dialogs' message boxes, where the
// panel's carry the library's file name.
#pragma once

constexpr const char kBookTitle[] = "アドレス帳";
