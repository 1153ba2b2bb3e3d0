#include <stdio.h>
#include <string.h>

#include "cards/safe_file.h"
#include "groups/group_list.h"

namespace {

constexpr int kPieceBytes = kGroupNameSize - 1;

bool AddToList(const char* name, void* context) {
  return static_cast<GroupList*>(context)->Add(name);
}

}  // namespace

int ReadGroupNames(const char* path, GroupNameSink sink, void* context) {
  FILE* file = (path != nullptr && path[0] != '\0') ? fopen(path, "rb") : nullptr;
  if (file == nullptr) return 0;
  char piece[kPieceBytes + 1];
  int length = 0;
  bool pendingCr = false;
  bool more = true;
  for (int c = getc(file); c != EOF && more; c = getc(file)) {
    if (c == '\n') {
      piece[length] = '\0';
      more = sink(piece, context);
      length = 0;
      pendingCr = false;
      continue;
    }
    // CR LF reads as one line feed; a CR alone is text. It takes its place in
    // the piece once the byte after it shows which it is.
    int bytes[2];
    int count = 0;
    if (pendingCr) bytes[count++] = '\r';
    pendingCr = c == '\r';
    if (!pendingCr) bytes[count++] = c;
    for (int i = 0; i < count; ++i) {
      piece[length++] = static_cast<char>(bytes[i]);
      if (length == kPieceBytes) length = 0;  // a full piece without a line feed
    }
  }
  fclose(file);
  return 1;
}

int LoadGroupFile(const char* path, GroupList& list) {
  list.Clear();
  return ReadGroupNames(path, AddToList, &list);
}

int SaveGroupFile(const char* path, const GroupList& list) {
  SafeFileWriter out(path);
  if (!out.IsOpen()) return 0;
  char name[kGroupNameSize];
  for (int i = 0; i < list.m_nGroupCount && i < kMaxGroups; ++i) {
    // A line end inside a name would split it into two groups.
    size_t length = strnlen(list.m_groups[i].name, kGroupNameSize - 1);
    for (size_t k = 0; k < length; ++k) {
      char c = list.m_groups[i].name[k];
      name[k] = (c == '\r' || c == '\n') ? ' ' : c;
    }
    name[length] = '\0';
    out.WriteLine(name);
  }
  return out.Commit() ? 1 : 0;
}
