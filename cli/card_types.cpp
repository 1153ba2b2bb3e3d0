#include "cli/card_types.h"

const char* PhoneTypeName(int32_t type) {
  static const char* const kNames[kPhoneTypeCount] = {"home", "mobile", "work", "pager", "fax"};
  return type >= 0 && type < kPhoneTypeCount ? kNames[type] : nullptr;
}

const char* MailTypeName(int32_t type) {
  static const char* const kNames[kMailTypeCount] = {"home", "mobile", "work"};
  return type >= 0 && type < kMailTypeCount ? kNames[type] : nullptr;
}
