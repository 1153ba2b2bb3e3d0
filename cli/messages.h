// What quillbook tells the user: one language, UTF-8, each failure naming
// its file and the reason the system gave.
#pragma once

#include <string>

// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitDoneInPart = 3;

// Prints "quillbook: " and the formatted UTF-8 text on standard error and
// returns status; bad arguments add a line that points at --help.
int Fail(int status, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The system's reason for the last failed call, as strerror words it.
const char* Reason();
