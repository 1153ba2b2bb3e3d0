// Scratch folders and byte-exact file access for the file tests.
#pragma once

#include <string>

#include "cards/card_line.h"

// A fresh folder, removed with everything in it when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::string& Path() const { return m_strPath; }
  std::string File(const char* name) const;

 private:
  std::string m_strPath;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names in a folder: a failed write leaves nothing of its own there.
size_t FileCount(const std::string& folder);

// 2026/7/4  09:05, always.
class FixedClock : public TimeSource {
 public:
  int NowField(int field) override;
  std::string asked;  // the fields in the order they were asked, e.g. "43210"
};

constexpr const char kFixedStamp[] = "2026/7/4  09:05";
