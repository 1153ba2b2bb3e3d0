#include "cli/import_groups.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cards/book_paths.h"
#include "cards/card_line.h"
#include "cli/charset.h"
#include "cli/messages.h"
#include "groups/group_list.h"

namespace {

GroupList g_list;

// The names, UTF-8, one after another.
struct NameList {
  std::string text;
  int count = 0;
  void Add(const char* cp932) { text += (count++ > 0 ? ", " : "") + Utf8Of(cp932); }
};

}  // namespace

int AddImportedGroups(const char* bookDirectory, const CardRecord* cards, int count, bool dryRun) {
  char path[kPathBufferSize];
  if (!BuildBookFilePath(path, bookDirectory, kGroupFileName)) return -1;
  LoadGroupFile(path, g_list);
  // A list that does not hold all of the file is never written back.
  const bool unread = g_list.m_bMoreInFile != 0;
  std::vector<std::string> seen;
  NameList added, full, tooLong, notRead;
  for (int i = 0; i < count; ++i) {
    // The name as the card file gives it back to the panel, which matches
    // a card's group with a name byte for byte.
    char name[sizeof cards[i].group + 1];
    name[AppendLineField(name, cards[i].group, sizeof cards[i].group, '\t')] = '\0';
    if (name[0] == '\0' || std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
    seen.push_back(name);
    if (unread) {
      if (AddGroupName(g_list, name) != GroupAddition::kAlreadyThere) notRead.Add(name);
      continue;
    }
    switch (AddGroupName(g_list, name)) {
      case GroupAddition::kAdded:
        added.Add(name);
        break;
      case GroupAddition::kListFull:
        full.Add(name);
        break;
      case GroupAddition::kTooLong:
        tooLong.Add(name);
        break;
      case GroupAddition::kAlreadyThere:
        break;
    }
  }
  if (added.count > 0) {
    printf("%s Group.dat: %s\n", dryRun ? "groups that would be added to" : "groups added to",
           added.text.c_str());
  }
  if (full.count > 0) {
    printf("groups not added, since Group.dat holds ten: %s\n", full.text.c_str());
  }
  if (tooLong.count > 0) {
    printf("groups not added, longer than the %d bytes that Group.dat keeps: %s\n",
           kMaxGroupNameBytes, tooLong.text.c_str());
  }
  if (notRead.count > 0) {
    printf("groups not added, since Group.dat could not be read whole and is left as it is: %s\n",
           notRead.text.c_str());
  }
  if (dryRun || added.count == 0) return -1;
  errno = 0;
  if (SaveGroupFile(path, g_list)) return -1;
  return Fail(kExitDoneInPart, "cannot write the group file %s: %s; the groups were not added",
              path, Reason());
}
