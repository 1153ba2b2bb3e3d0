// The tool's card table and group list against their files.
#include "cards/card_file.h"
#include "tool/card_book_tool.h"
#include "tool/host_clock.h"

int CCardBookTool::LoadCards() {
  char path[kPathBufferSize];
  HostClock clock(m_pHost);
  return LoadCardFile(BuildFilePath(path, kCardFileName) ? path : nullptr, m_table, clock);
}

int CCardBookTool::SaveCards() {
  char path[kPathBufferSize];
  return BuildFilePath(path, kCardFileName) ? SaveCardFile(path, m_table) : 0;
}

int CCardBookTool::LoadGroupList() {
  char path[kPathBufferSize];
  return BuildFilePath(path, kGroupFileName) ? LoadGroupFile(path, m_groups)
                                             : (m_groups.Clear(), 0);
}

int CCardBookTool::SaveGroupList() {
  char path[kPathBufferSize];
  return BuildFilePath(path, kGroupFileName) ? SaveGroupFile(path, m_groups) : 0;
}
