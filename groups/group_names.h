// The rules that the group dialogs apply to a name before it enters the list.
#pragma once

#include "groups/group_list.h"

// The longest name that comes back whole when the group file is read again:
// a read takes a line in pieces of 63 bytes, line end included.
constexpr int kMaxGroupNameBytes = kGroupNameSize - 2;

bool FitsGroupFile(const char* name);

// True when candidate equals a name of the list byte for byte. The walk ends
// at the first empty name, as the list's own users have always done, so a
// name after an empty one is not seen.
bool IsDuplicateGroupName(const char* candidate, GroupNameSource source, void* context);
