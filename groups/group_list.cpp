#include "groups/group_list.h"

#include <string.h>

#include "text/byte_text.h"

void GroupList::Clear() {
  memset(m_groups, 0, sizeof m_groups);
  m_nGroupCount = 0;
  m_bMoreInFile = 0;
}

bool GroupList::Add(const char* name) {
  if (m_nGroupCount >= kMaxGroups) return false;
  GroupEntry& entry = m_groups[m_nGroupCount++];
  memset(&entry, 0, sizeof entry);
  CopyCutString(entry.name, name);
  return true;
}
