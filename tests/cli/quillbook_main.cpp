// The command line's entry under another name, for the fault probe's own.
#define main QuillbookMain
#include "cli/main.cpp"
