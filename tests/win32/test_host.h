// A host for the tests: loads the real Quillbook.dll through its export,
// gives it a temporary data folder, settings in memory and a fixed clock,
// and records every notification that its hidden host window receives.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/cwnd.h"
#include "sdk/tool_base.h"

struct Notice {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class TestHostServices : public HostServices {
 public:
  TestHostServices();
  virtual ~TestHostServices();
  int ReadSetting(int section, const char* key, char* value) override;
  int WriteSetting(int section, const char* key, const char* value) override;
  const char* GetDataDirectory(int kind, int flags) override;
  int GetNowField(int field, int reserved1, int reserved2) override;

  std::string Setting(const char* key) const;
  std::string BookFile(const char* name) const;  // dir\Quillbook\name

  std::map<std::string, std::string> settings;  // "21/WndPosX" -> "120"
  DWORD lastWriteThread = 0;

 private:
  std::string m_strDirectory;
};

class TestHostWindow : public CWnd {
 public:
  BOOL CreateHidden();
  std::vector<Notice> notices;
  // Runs inside the window's answer to each notice, as a host's handler.
  std::function<void(UINT message)> onNotice;
  int Count(UINT message) const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TestHost {
 public:
  TestHost();
  ~TestHost();

  CToolBase* tool = nullptr;
  TestHostServices services;
  TestHostWindow window;

  // Pumps this thread's messages (the panel sends its notices here) until
  // done() holds or the time runs out; returns done().
  bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 5000);
  // Starts the panel and waits for its ready notice; returns the panel.
  HWND OpenPanel();
  HWND Panel() const;
  // Closes the panel as its close box does and waits until it is gone.
  bool ClosePanel();

 private:
  HMODULE m_hLibrary = nullptr;
};

// The threads of this process, for finding the panel threads.
std::vector<DWORD> ThreadsOfThisProcess();
