// Writes a file so that a failure at any point leaves the previous file whole:
// the text goes to a new file beside it, which replaces the old one only once
// it is complete and on disk.
#pragma once

#include <stddef.h>
#include <stdio.h>

#include "cards/book_paths.h"

class SafeFileWriter {
 public:
  explicit SafeFileWriter(const char* path);
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // Remembers a failure; later writes do nothing and Commit fails.
  void Write(const char* bytes, size_t length);
  void WriteLine(const char* text);  // text, then CR LF
  // Puts the new file in place; false if anything went wrong, and then the
  // old file is untouched and the new one removed.
  bool Commit();

  // For tests: every writer fails once this many more bytes have been
  // written in total; a negative value turns the failure off.
  static void FailAfterBytesForTesting(long bytes);

 private:
  void Discard();

  FILE* file_ = nullptr;
  bool failed_ = false;
  char path_[kPathBufferSize];
  char tempPath_[kPathBufferSize];
};

// The platform's part: flushing a file to the disk, and putting one file in
// place of another in a single step.
bool FlushFileToDisk(FILE* file);
bool ReplaceFileWith(const char* newPath, const char* oldPath);
