// Where the address book lives: a folder "Quillbook" in the host's data
// directory, holding the card file and the group file, and while a panel
// has the book open, its mark.
#pragma once

#include <stddef.h>

constexpr size_t kPathBufferSize = 260;
constexpr const char kBookFolderName[] = "Quillbook";
constexpr const char kCardFileName[] = "Quillbook.dat";
constexpr const char kGroupFileName[] = "Group.dat";
// Present while a panel holds the book in memory; a panel overwrites the card
// file when it closes, so a writer beside it would lose its cards.
constexpr const char kBookLockFileName[] = "Quillbook.lock";
// Locked by the command line's import for the whole of its read, append and
// replace, so that one writer outside a panel writes the book at a time.
constexpr const char kBookWriterLockFileName[] = "Quillbook.dat.lock";

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// "dir\Quillbook"; false (and an empty path) when it does not fit.
bool BuildBookFolderPath(char (&out)[kPathBufferSize], const char* dataDirectory);

// "dir\Quillbook\fileName"; false (and an empty path) when it does not fit.
bool BuildBookFilePath(char (&out)[kPathBufferSize], const char* dataDirectory,
                       const char* fileName);

// The mark that a running panel leaves beside the card file: the panel
// rewrites the whole file when it closes, so a writer outside it (the
// command line's import) must wait or it loses its cards. Both take the
// host's data directory; a mark left by a crash stays the mark until the
// panel closes, and a link planted under its name is neither followed nor
// removed.
void MarkBookOpen(const char* dataDirectory);
void ClearBookMark(const char* dataDirectory);

// Whether path names the card file or the group file of the book in
// dataDirectory, however it is spelled (relative parts, case, short names,
// links, linked folders, a link to a file not yet there); bookFile gets
// that file's path. Every export refuses such a path: the book would be
// replaced by the export.
bool NamesBookFile(const char* dataDirectory, const char* path, char (&bookFile)[kPathBufferSize]);
