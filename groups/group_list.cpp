#include "groups/group_list.h"

#include <stdio.h>
#include <string.h>

#include "cards/whole_line.h"
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

bool FitsGroupFile(const char* name) {
  return strnlen(name, kMaxGroupNameBytes + 1) <= static_cast<size_t>(kMaxGroupNameBytes);
}

GroupAddition AddGroupName(GroupList& list, const char* name) {
  for (int i = 0; i < list.m_nGroupCount && i < kMaxGroups; ++i) {
    if (strcmp(list.m_groups[i].name, name) == 0) return GroupAddition::kAlreadyThere;
  }
  if (!FitsGroupFile(name)) return GroupAddition::kTooLong;
  return list.Add(name) ? GroupAddition::kAdded : GroupAddition::kListFull;
}

bool IsDuplicateGroupName(const char* candidate, GroupNameSource source, void* context) {
  char buffer[kGroupNameSize];
  for (int i = 0;; ++i) {
    const char* name = source(i, buffer, sizeof buffer, context);
    if (name == nullptr || name[0] == '\0') return false;
    if (strcmp(name, candidate) == 0) return true;
  }
}

int MoveCardsToGroup(CardRecord* cards, const char* before, const char* after) {
  int moved = 0;
  // Every slot, not just as many as there are cards: deletions leave free
  // slots between the cards.
  for (int slot = 0; slot < kCardSlots; ++slot) {
    CardRecord& card = cards[slot];
    if (card.name[0] == '\0' || strcmp(card.group, before) != 0) continue;
    CopyCutString(card.group, after);
    ++moved;
  }
  return moved;
}

namespace {

constexpr int kPieceBytes = kGroupNameSize - 1;

bool AddToList(const char* name, void* context) {
  auto* list = static_cast<GroupList*>(context);
  if (list->Add(name)) return true;
  list->m_bMoreInFile = 1;
  return false;
}

const char* NameInList(int index, char*, int, void* context) {
  const auto* list = static_cast<const GroupList*>(context);
  if (index >= list->m_nGroupCount || index >= kMaxGroups) return nullptr;
  return list->m_groups[index].name;
}

}  // namespace

int ReadGroupNames(const char* path, GroupNameSink sink, void* context, GroupFileRead* read) {
  GroupFileRead found;
  FILE* file = OpenFileForReading(path, found.problem);
  if (read != nullptr) *read = found;
  if (file == nullptr) return 0;
  WholeLineReader lines(file, kPieceBytes);
  char name[kPieceBytes + 1];
  // Only the piece that holds the line end names a group: a line's last
  // (length mod 63) bytes.
  int length = -1;
  while ((length = lines.Next()) >= 0 && lines.HasLineEnd()) {
    if (lines.FullLength() >= kPieceBytes) found.lostSome = true;
    int nameLength = static_cast<int>(lines.FullLength() % kPieceBytes);
    memcpy(name, lines.TextEnd(nameLength), static_cast<size_t>(nameLength));
    name[nameLength] = '\0';
    if (memchr(name, '\0', static_cast<size_t>(nameLength)) != nullptr) found.lostSome = true;
    if (!sink(name, context)) {
      length = -1;
      break;
    }
  }
  // A last line without its line end is passed over.
  if (length > 0) found.lostSome = true;
  if (ferror(file)) found.problem = FileProblem::kBroken;
  fclose(file);
  if (read != nullptr) *read = found;
  return 1;
}

int LoadGroupFile(const char* path, GroupList& list) {
  list.Clear();
  GroupFileRead read;
  int result = ReadGroupNames(path, AddToList, &list, &read);
  // A file that is there but was not read whole is left as it is.
  bool unread = read.problem != FileProblem::kNone && read.problem != FileProblem::kMissing;
  if (unread || read.lostSome) list.m_bMoreInFile = 1;
  return result;
}

int WriteGroupNames(const char* path, GroupNameSource source, void* context) {
  SafeFileWriter out(path);
  if (!out.IsOpen()) return 0;
  char buffer[kGroupNameSize];
  char name[kGroupNameSize];
  for (int i = 0;; ++i) {
    const char* text = source(i, buffer, sizeof buffer, context);
    if (text == nullptr) break;
    // A longer name would come back cut at a piece boundary, not a character.
    size_t length = CharBoundaryPrefix(text, strnlen(text, kGroupNameSize), kMaxGroupNameBytes);
    for (size_t k = 0; k < length; ++k) {
      // A line end inside a name would split it into two groups.
      char c = text[k];
      name[k] = (c == '\r' || c == '\n') ? ' ' : c;
    }
    name[length] = '\0';
    out.WriteLine(name);
  }
  return out.Commit() ? 1 : 0;
}

int SaveGroupFile(const char* path, const GroupList& list) {
  if (list.m_bMoreInFile) return 1;
  return WriteGroupNames(path, NameInList, const_cast<GroupList*>(&list));
}
