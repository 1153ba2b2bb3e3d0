// The phone and mail type codes by name, as the form's icons show them.
#pragma once

#include <stdint.h>

constexpr int kPhoneTypeCount = 5;
constexpr int kMailTypeCount = 3;

// "home", "mobile", "work", "pager", "fax"; nullptr outside 0 to 4.
const char* PhoneTypeName(int32_t type);
// "home", "mobile", "work"; nullptr outside 0 to 2.
const char* MailTypeName(int32_t type);
