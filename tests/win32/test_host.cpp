#include "tests/win32/test_host.h"

#include <stdio.h>
#include <tlhelp32.h>

#include <algorithm>

#include "framework/cwin_app.h"
#include "framework/message_pump.h"
#include "sdk/tool_messages.h"

namespace {

std::string MakeTempFolder() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static int counter = 0;
  for (;;) {
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sqbhost_%lu_%d", base, GetCurrentProcessId(), counter++);
    if (CreateDirectoryA(path, nullptr)) return path;
  }
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TestHostServices::TestHostServices() : m_strDirectory(MakeTempFolder()) {}
TestHostServices::~TestHostServices() { RemoveTree(m_strDirectory); }

int TestHostServices::ReadSetting(int section, const char* key, char* value) {
  auto it = settings.find(std::to_string(section) + "/" + key);
  snprintf(value, kSettingValueSize, "%s", it == settings.end() ? "" : it->second.c_str());
  return 1;
}

int TestHostServices::WriteSetting(int section, const char* key, const char* value) {
  settings[std::to_string(section) + "/" + key] = value;
  lastWriteThread = GetCurrentThreadId();
  return 1;
}

const char* TestHostServices::GetDataDirectory(int, int) { return m_strDirectory.c_str(); }

int TestHostServices::GetNowField(int field, int, int) {
  static const int kNow[] = {2026, 7, 4, 9, 5};
  return field >= 0 && field < 5 ? kNow[field] : 0;
}

std::string TestHostServices::Setting(const char* key) const {
  auto it = settings.find(std::string("21/") + key);
  return it == settings.end() ? "" : it->second;
}

std::string TestHostServices::BookFile(const char* name) const {
  return m_strDirectory + "\\Quillbook\\" + name;
}

BOOL TestHostWindow::CreateHidden() {
  const char* cls = RegisterWindowClass("QuillbookTestHost", nullptr);
  return CreateEx(0, cls, "test host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr);
}

LRESULT TestHostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER + 100 && message <= WM_USER + 120) {
    notices.push_back({message, wParam, lParam});
    if (onNotice) onNotice(message);
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

int TestHostWindow::Count(UINT message) const {
  return static_cast<int>(std::count_if(notices.begin(), notices.end(),
                                        [&](const Notice& n) { return n.message == message; }));
}

TestHost::TestHost() {
  window.CreateHidden();
  m_hLibrary = LoadLibraryA("Quillbook.dll");
  auto factory = m_hLibrary ? reinterpret_cast<NewScribellaToolFunction>(reinterpret_cast<void*>(
                                  GetProcAddress(m_hLibrary, "NewScribellaTool")))
                            : nullptr;
  if (factory != nullptr) tool = factory(&window, &services);
}

TestHost::~TestHost() {
  ClosePanel();
  delete tool;
  // The library stays loaded: Windows keeps it for the process anyway while
  // other hosts of the same run hold it.
  window.DestroyWindow();
}

bool TestHost::WaitFor(const std::function<bool()>& done, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    // The host's own way of letting its messages through.
    PumpWaitingMessages();
    if (done()) return true;
    if (GetTickCount() - start > milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

HWND TestHost::Panel() const {
  HWND panel = tool ? tool->GetSafeHwnd() : nullptr;
  return panel != nullptr && IsWindow(panel) ? panel : nullptr;
}

HWND TestHost::OpenPanel() {
  size_t ready = static_cast<size_t>(window.Count(WM_TOOL_READY));
  tool->StartPanel();
  // The dialog shows itself only after its set-up, which posts the notice.
  WaitFor([&] {
    return static_cast<size_t>(window.Count(WM_TOOL_READY)) > ready && Panel() != nullptr &&
           IsWindowVisible(Panel());
  });
  return Panel();
}

bool TestHost::ClosePanel() {
  HWND panel = Panel();
  if (panel == nullptr) return true;
  DWORD thread = GetWindowThreadProcessId(panel, nullptr);
  PostMessageA(panel, WM_CLOSE, 0, 0);
  return WaitFor([&] {
    if (Panel() != nullptr) return false;
    auto threads = ThreadsOfThisProcess();
    return std::find(threads.begin(), threads.end(), thread) == threads.end();
  });
}

std::vector<DWORD> ThreadsOfThisProcess() {
  std::vector<DWORD> threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) threads.push_back(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return threads;
}
