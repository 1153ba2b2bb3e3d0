// Finding and driving the settings screen, which runs modally on the panel
// thread: everything that may open a box or a dialog is posted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "exchange/win/option_ids.h"

struct SettingsView {
  HWND window = nullptr;

  void Click(int id) const;
  // Selects the field list's entry with this text after what was posted
  // before; false when it has none.
  bool SelectField(const std::string& name) const;
  void AddField(const std::string& name) const;  // select, then "→ 追加"
  void DoubleClickField(const std::string& name) const;
  void SelectOrderEntry(int index) const;
  void ClickModeIcon() const;
  void PressKey(WPARAM key) const;  // as typed into the field list
  void CloseBox() const;

  std::vector<std::string> Fields() const;
  std::vector<std::string> Order() const;
  std::string Text(int id) const;
  void SetText(int id, const std::string& text) const;
  HICON ModeIcon() const;
  bool Visible() const { return IsWindowVisible(window) != FALSE; }
  bool Gone() const { return !IsWindow(window); }
};

// The settings screen that the thread shows, or an empty view after the
// time runs out; pumps the caller's messages while it waits.
SettingsView WaitForSettings(DWORD threadId, DWORD milliseconds = 5000);

// A visible top-level window of the thread with this caption, or null.
HWND WaitForThreadWindow(DWORD threadId, const std::string& caption, DWORD milliseconds = 5000);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
