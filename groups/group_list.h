// The user's group names, in the order of Group.dat: one name a line; the
// rules a name meets before it enters the list, and the move of every card
// of one group to another.
#pragma once

#include "cards/card_record.h"
#include "cards/safe_file.h"

constexpr int kMaxGroups = 10;
constexpr int kGroupNameSize = 64;

struct GroupEntry {
  char name[kGroupNameSize];
  TreeItemHandle headingItem;  // the group's heading while the tree shows groups
};

struct GroupList {
  int m_nGroupCount;
  GroupEntry m_groups[kMaxGroups];
  // The file held more than the list keeps (names past the tenth, a name
  // too long for a line or a last line without its end), or is there but
  // could not be read. Saving then leaves the file as it is: writing the
  // list back would drop what it does not hold.
  int m_bMoreInFile;

  void Clear();
  // Appends a name (cut to fit); false when the list is full.
  bool Add(const char* name);
};

// Called for each name read from the group file, in file order; returning
// false stops the reading.
typedef bool (*GroupNameSink)(const char* name, void* context);

// Reads the group file with the rule of a 64-byte line reader: the file goes
// in pieces of at most 63 bytes, each ending after a line feed or after 63
// bytes; a piece with a line feed gives the name before it, a piece without
// one is passed over, so a last line without a line end is not read. A file
// that holds no line feed but CRs has CR line ends.
// Returns 0 when the file cannot be opened. read, when given, is told why,
// and whether any text of the file reached no name.
struct GroupFileRead {
  FileProblem problem = FileProblem::kNone;
  bool lostSome = false;
};
int ReadGroupNames(const char* path, GroupNameSink sink, void* context,
                   GroupFileRead* read = nullptr);

// Clears the list and fills it from the file, keeping the first ten names.
int LoadGroupFile(const char* path, GroupList& list);

// The name at index of a list of names, or null past its end; buffer (size
// bytes) is there for a source that has to copy the name out.
typedef const char* (*GroupNameSource)(int index, char* buffer, int size, void* context);

// Writes the names one a line, each cut to what a read gives back and with no
// line end inside; 1 when written, 0 when it could not be, and then the
// previous file is left as it was.
int WriteGroupNames(const char* path, GroupNameSource source, void* context);

// WriteGroupNames for the list; a list that holds only the first names of a
// longer file leaves the file untouched and reports success.
int SaveGroupFile(const char* path, const GroupList& list);

// The longest name that comes back whole when the group file is read again:
// a read takes a line in pieces of 63 bytes, line end included.
constexpr int kMaxGroupNameBytes = kGroupNameSize - 2;

bool FitsGroupFile(const char* name);

// What adding a name to the list came to.
enum class GroupAddition { kAdded, kAlreadyThere, kTooLong, kListFull };

// Appends name unless a name of the list equals it byte for byte (every
// name, an empty one or not): not when it is longer than a read of the
// file gives back whole, nor when the list holds ten.
GroupAddition AddGroupName(GroupList& list, const char* name);

// True when candidate equals a name of the list byte for byte. The walk ends
// at the first empty name, as the list's own users have always done, so a
// name after an empty one is not seen.
bool IsDuplicateGroupName(const char* candidate, GroupNameSource source, void* context);

// Gives every used slot of the table cards (kCardSlots records) whose group
// is before, byte for byte, the group after; nothing else of a card changes.
// Returns the number of cards moved.
int MoveCardsToGroup(CardRecord* cards, const char* before, const char* after);
