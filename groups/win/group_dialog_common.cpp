#include "groups/win/group_dialog_common.h"

bool GroupFilePath(HostServices* host, char (&path)[kPathBufferSize]) {
  path[0] = '\0';
  const char* directory = host != nullptr ? host->GetDataDirectory(1, 0) : nullptr;
  return directory != nullptr && BuildBookFilePath(path, directory, kGroupFileName);
}

int ReadHostGroupFile(HostServices* host, GroupNameSink sink, void* context) {
  char path[kPathBufferSize];
  return GroupFilePath(host, path) ? ReadGroupNames(path, sink, context) : 0;
}
