// The groups that imported cards name, added to Group.dat so that the panel
// shows a folder for each: the command line's import does it; the settings
// screen leaves Group.dat as it is.
#pragma once

#include "cards/card_record.h"

// Adds each group that cards[0..count) name and Group.dat in bookDirectory
// lacks, in card order, while the list has room for ten names, and prints
// which it added and which it could not; with dryRun prints what it would
// do. Group.dat is written through its own safe write, and never when it
// was not read whole. Returns -1, or the exit status after saying that
// Group.dat could not be written.
int AddImportedGroups(const char* bookDirectory, const CardRecord* cards, int count, bool dryRun);
