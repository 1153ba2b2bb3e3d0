// A data folder in which the panel was never opened holds a new book: the
// default owner card alone, as the panel would show it.
#pragma once

#include <stdio.h>

#include <string>

// Returns -1 when path is a folder, else the exit status after saying why,
// what naming it ("preview folder").
int CheckFolder(const char* path, const char* what);

// As CheckFolder for the data folder, which must not be the book's own
// folder.
int CheckDataFolder(const char* dataDirectory);

// A book's file is missing until the panel first saves it, and then reads
// as empty; one that is there but cannot be read is a failure. Returns -1
// when path can be read or is missing, else the exit status after saying
// why, what naming the file ("card file").
int CheckReadableOrMissing(const char* path, const char* what);

// Opens a file that a command reads only when it is a plain file: a pipe or
// a device in its place would be waited on for ever. On failure reason says
// why, as the system words it.
FILE* OpenPlainFile(const char* path, const char*& reason);

// The data folder an exchange works in. For a new book an import first
// writes the book with its owner card (writeNewBook); a trial run or an
// export gets a scratch folder holding that book, removed with the place.
struct BookPlace {
  std::string directory;
  std::string scratch;
  ~BookPlace();
};

// Returns -1 when the place is ready, else the exit status after saying why.
int PrepareBook(const char* dataDirectory, bool writeNewBook, BookPlace& place);

// A mkstemp or mkdtemp pattern for a scratch file or folder of purpose in
// $TMPDIR, else /tmp.
std::string ScratchPattern(const char* purpose);

// A file of the command's own in a scratch folder of its own, written
// through the safe path like every other file, and removed with its folder
// when the object goes.
struct ScratchFile {
  std::string folder;
  std::string path;  // the file, once Make has made its folder
  ~ScratchFile();
  // Returns -1 when the folder is made, else the exit status after saying
  // why.
  int Make(const char* purpose, const char* name);
};
