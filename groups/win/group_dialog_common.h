// What both group dialogs share: their reading of the group file.
#pragma once

#include <windows.h>

#include "cards/book_paths.h"
#include "groups/group_list.h"
#include "sdk/host_services.h"

// "dir\Quillbook\Group.dat" from the host; false when there is none.
bool GroupFilePath(HostServices* host, char (&path)[kPathBufferSize]);

// Gives each name of the host's group file to sink, in file order; 0 when
// the file cannot be opened.
int ReadHostGroupFile(HostServices* host, GroupNameSink sink, void* context);
