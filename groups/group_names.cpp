#include "groups/group_names.h"

#include <string.h>

bool FitsGroupFile(const char* name) {
  return strnlen(name, kMaxGroupNameBytes + 1) <= static_cast<size_t>(kMaxGroupNameBytes);
}

bool IsDuplicateGroupName(const char* candidate, GroupNameSource source, void* context) {
  char buffer[kGroupNameSize];
  for (int i = 0;; ++i) {
    const char* name = source(i, buffer, sizeof buffer, context);
    if (name == nullptr || name[0] == '\0') return false;
    if (strcmp(name, candidate) == 0) return true;
  }
}
