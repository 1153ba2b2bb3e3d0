// The group file as any program may have left it: every name read fits the
// list, the list holds the first ten, and the names that are written read
// back as they were written. The name rules take whatever the file gave.
#include <string.h>

#include "fuzz/fuzz_support.h"
#include "groups/group_list.h"

namespace {

// More than a group file of this size can give; the rest is not recorded.
constexpr int kMaxRecorded = 4096;

struct Names {
  int count = 0;
  bool stopped = false;
  int stopAfter = kMaxRecorded;  // the sink says stop after this many
  char names[kMaxRecorded][kGroupNameSize];
};

Names g_read;
Names g_reread;

bool Record(const char* name, void* context) {
  auto* names = static_cast<Names*>(context);
  FUZZ_CHECK(!names->stopped);
  // A read piece is at most 63 bytes with its line feed.
  FUZZ_CHECK(strlen(name) <= static_cast<size_t>(kMaxGroupNameBytes));
  FUZZ_CHECK(strchr(name, '\n') == nullptr);
  strcpy(names->names[names->count++], name);
  names->stopped = names->count >= names->stopAfter;
  return !names->stopped;
}

const char* NameOf(int index, char* buffer, int size, void* context) {
  const auto* names = static_cast<const Names*>(context);
  if (index >= names->count) return nullptr;
  // Through the buffer, as a source that copies names out does.
  FUZZ_CHECK(size == kGroupNameSize);
  strcpy(buffer, names->names[index]);
  return buffer;
}

void ReadNames(const char* path, Names& names, int stopAfter) {
  names.count = 0;
  names.stopped = false;
  names.stopAfter = stopAfter;
  FUZZ_CHECK(ReadGroupNames(path, Record, &names) == 1);
}

// The writer's promise for a name: no line end inside.
void Written(const char* name, char (&out)[kGroupNameSize]) {
  size_t n = strlen(name);
  for (size_t i = 0; i <= n; ++i) out[i] = (name[i] == '\r' || name[i] == '\n') ? ' ' : name[i];
}

void CheckRules(const Names& names) {
  int firstEmpty = names.count;
  for (int i = 0; i < names.count; ++i) {
    if (names.names[i][0] == '\0') {
      firstEmpty = i;
      break;
    }
  }
  for (int i = 0; i < names.count && i < 64; ++i) {
    const char* name = names.names[i];
    FUZZ_CHECK(FitsGroupFile(name));
    // The walk stops at the first empty name.
    bool duplicate = IsDuplicateGroupName(name, NameOf, const_cast<Names*>(&names));
    if (i < firstEmpty) FUZZ_CHECK(duplicate);
    if (name[0] == '\0') FUZZ_CHECK(!duplicate);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char path[kPathBufferSize];
  static char copyPath[kPathBufferSize];
  if (path[0] == '\0') {
    ScratchPath(path, ScratchFolder(), "Group.dat");
    ScratchPath(copyPath, ScratchFolder(), "Group copy.dat");
  }
  FuzzInput input(data, size);
  int stopAfter = 1 + input.Byte() % 16;
  size_t length = 0;
  const uint8_t* file = input.Rest(&length);
  FUZZ_CHECK(WriteFileBytes(path, file, length));

  ReadNames(path, g_read, kMaxRecorded);
  ReadNames(path, g_reread, stopAfter);
  FUZZ_CHECK(g_reread.count == (g_read.count < stopAfter ? g_read.count : stopAfter));

  static GroupList list;
  FUZZ_CHECK(LoadGroupFile(path, list) == 1);
  FUZZ_CHECK(list.m_nGroupCount == (g_read.count < kMaxGroups ? g_read.count : kMaxGroups));
  // Names past the tenth keep the file; so does any text no name holds.
  if (g_read.count > kMaxGroups) FUZZ_CHECK(list.m_bMoreInFile == 1);
  for (int i = 0; i < list.m_nGroupCount; ++i) {
    FUZZ_CHECK(strcmp(list.m_groups[i].name, g_read.names[i]) == 0);
  }
  CheckRules(g_read);

  // Every name read back as the writer put it.
  FUZZ_CHECK(WriteGroupNames(copyPath, NameOf, &g_read) == 1);
  ReadNames(copyPath, g_reread, kMaxRecorded);
  FUZZ_CHECK(g_reread.count == g_read.count);
  for (int i = 0; i < g_read.count; ++i) {
    char expected[kGroupNameSize];
    Written(g_read.names[i], expected);
    FUZZ_CHECK(strcmp(expected, g_reread.names[i]) == 0);
  }

  // The list saves to what it loads from, except that a list that holds
  // only part of its file leaves the file alone.
  static char before[1 << 16];
  static char after[1 << 16];
  long beforeSize = ReadFileBytes(path, before, sizeof before);
  FUZZ_CHECK(SaveGroupFile(path, list) == 1);
  if (list.m_bMoreInFile) {
    long afterSize = ReadFileBytes(path, after, sizeof after);
    FUZZ_CHECK(afterSize == beforeSize);
    FUZZ_CHECK(beforeSize < 0 || memcmp(before, after, static_cast<size_t>(beforeSize)) == 0);
  } else {
    static GroupList reloaded;
    FUZZ_CHECK(LoadGroupFile(path, reloaded) == 1);
    FUZZ_CHECK(reloaded.m_nGroupCount == list.m_nGroupCount);
    for (int i = 0; i < list.m_nGroupCount; ++i) {
      char expected[kGroupNameSize];
      Written(list.m_groups[i].name, expected);
      FUZZ_CHECK(strcmp(expected, reloaded.m_groups[i].name) == 0);
    }
  }
  return 0;
}
