#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "sdk/tool_messages.h"
#include "tests/win32/test_host.h"

namespace {

typedef LONG(NTAPI* LockLoader)(ULONG flags, ULONG* state, ULONG_PTR* cookie);
typedef LONG(NTAPI* UnlockLoader)(ULONG flags, ULONG_PTR cookie);

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

BOOL CALLBACK CountPanels(HWND window, LPARAM count) {
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  if (std::string(title) == "アドレス帳") ++*reinterpret_cast<int*>(count);
  return TRUE;
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

TEST(ToolObject, ShowsItsHistoryNameAndTemplate) {
  TestHost host;
  ASSERT_NE(nullptr, host.tool);
  ASSERT_EQ(3, host.tool->m_history.GetSize());
  EXPECT_STREQ("[2006.01.01 ｱﾄﾞﾚｽ帳 Ver.0001.000] 初版リリース", host.tool->m_history[0]);
  EXPECT_STREQ("[2006.02.11 ｱﾄﾞﾚｽ帳 Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知",
               host.tool->m_history[1]);
  EXPECT_STREQ("[2010.02.25 ｱﾄﾞﾚｽ帳 Ver.0001.002] Scribella Ver.6.1対応", host.tool->m_history[2]);
  EXPECT_STREQ("アドレス帳", host.tool->GetToolName());
  EXPECT_EQ(153u, host.tool->GetTemplateId());
  EXPECT_EQ(21, host.tool->m_nToolNo);
  EXPECT_STREQ("Quillbook", host.tool->m_strName);
  EXPECT_EQ(1, host.tool->m_nHostAttr1);
  EXPECT_EQ(272, host.tool->m_nHostAttr2);
  EXPECT_NE(nullptr, host.tool->m_hToolBmp);
  EXPECT_NE(nullptr, host.tool->m_hToolBmpAlt);
  EXPECT_EQ(host.tool->m_pHost, &host.services);
  EXPECT_EQ(nullptr, host.Panel());  // nothing opens before StartPanel
  EXPECT_FALSE(FileExists(host.services.BookFile("")));
}

TEST(Panel, OpensAtTheTopLeftWithItsClientSizeAndTellsTheHost) {
  TestHost host;
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  ASSERT_EQ(1, host.window.Count(WM_TOOL_READY));
  auto ready = std::find_if(host.window.notices.begin(), host.window.notices.end(),
                            [](const Notice& n) { return n.message == WM_TOOL_READY; });
  EXPECT_EQ(21u, ready->wParam);
  EXPECT_EQ(0, ready->lParam);
  char title[64] = {};
  GetWindowTextA(panel, title, sizeof title);
  EXPECT_STREQ("アドレス帳", title);
  RECT client = {};
  GetClientRect(panel, &client);
  EXPECT_EQ(765, client.right);
  EXPECT_EQ(600, client.bottom);
  EXPECT_EQ(0, WindowRect(panel).left);
  EXPECT_EQ(0, WindowRect(panel).top);
  EXPECT_NE(GetCurrentThreadId(), GetWindowThreadProcessId(panel, nullptr));
  EXPECT_TRUE(FileExists(host.services.BookFile("")));  // the data folder
  EXPECT_EQ(1, host.tool->SaveState());
}

TEST(Panel, ASecondStartLeavesOnePanelAndItsThreadReturnsMinusOne) {
  TestHost host;
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  auto before = ThreadsOfThisProcess();
  // With the loader lock held, a new thread waits before its first line, so
  // it can be caught and its exit code read however fast it ends.
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto lock = reinterpret_cast<LockLoader>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "LdrLockLoaderLock")));
  auto unlock = reinterpret_cast<UnlockLoader>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "LdrUnlockLoaderLock")));
  ASSERT_TRUE(lock && unlock);
  ULONG_PTR cookie = 0;
  lock(0, nullptr, &cookie);
  host.tool->StartPanel();
  HANDLE second = nullptr;
  for (DWORD id : ThreadsOfThisProcess()) {
    if (std::find(before.begin(), before.end(), id) == before.end()) {
      second = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, id);
    }
  }
  unlock(0, cookie);
  ASSERT_NE(nullptr, second);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second, 5000));
  DWORD code = 0;
  GetExitCodeThread(second, &code);
  CloseHandle(second);
  EXPECT_EQ(static_cast<DWORD>(-1), code);
  EXPECT_EQ(panel, host.Panel());
  int panels = 0;
  EnumThreadWindows(GetWindowThreadProcessId(panel, nullptr), CountPanels,
                    reinterpret_cast<LPARAM>(&panels));
  EXPECT_EQ(1, panels);
  EXPECT_EQ(1, host.window.Count(WM_TOOL_READY));
}

TEST(Panel, ActivationByClickSendsOneNotice) {
  TestHost host;
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  host.WaitFor([] { return false; }, 100);
  host.window.notices.clear();
  PostMessageA(panel, WM_ACTIVATE, WA_INACTIVE, 0);
  PostMessageA(panel, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  host.WaitFor([&] { return host.window.Count(WM_TOOL_ACTIVATED) > 0; });
  host.WaitFor([] { return false; }, 100);
  ASSERT_EQ(1u, host.window.notices.size());
  EXPECT_EQ(WM_TOOL_ACTIVATED, host.window.notices[0].message);
  EXPECT_EQ(21u, host.window.notices[0].wParam);
  EXPECT_EQ(0, host.window.notices[0].lParam);
}

TEST(Panel, ReturnAndEscapeNeverCloseIt) {
  TestHost host;
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    PostMessageA(panel, WM_KEYDOWN, key, 1);
    PostMessageA(panel, WM_CHAR, key, 1);
    PostMessageA(panel, WM_KEYUP, key, 0xC0000001);
  }
  PostMessageA(panel, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  PostMessageA(panel, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  host.WaitFor([] { return false; }, 300);
  EXPECT_EQ(panel, host.Panel());
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(0, host.window.Count(WM_TOOL_CLOSING));
}

TEST(Panel, ClosingTellsTheHostSavesStateAndReopensWhereItWas) {
  TestHost host;
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  SetWindowPos(panel, nullptr, 120, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(host.ClosePanel());
  EXPECT_EQ(1, host.window.Count(WM_TOOL_CLOSING));
  auto closing = std::find_if(host.window.notices.begin(), host.window.notices.end(),
                              [](const Notice& n) { return n.message == WM_TOOL_CLOSING; });
  EXPECT_EQ(21u, closing->wParam);
  EXPECT_EQ("120", host.services.Setting("WndPosX"));
  EXPECT_EQ("80", host.services.Setting("WndPosY"));
  EXPECT_TRUE(FileExists(host.services.BookFile("Quillbook.dat")));
  EXPECT_TRUE(FileExists(host.services.BookFile("Group.dat")));

  panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(120, WindowRect(panel).left);
  EXPECT_EQ(80, WindowRect(panel).top);
  EXPECT_EQ(2, host.window.Count(WM_TOOL_READY));
}

TEST(Panel, SaveStateFromTheHostThreadRunsOnThePanelThread) {
  TestHost host;
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(1, host.tool->SaveState());
  EXPECT_EQ(GetWindowThreadProcessId(panel, nullptr), host.services.lastWriteThread);
  EXPECT_EQ("0", host.services.Setting("WndPosX"));
  EXPECT_TRUE(FileExists(host.services.BookFile("Quillbook.dat")));
}

TEST(ToolObject, SaveStateWithoutAPanelWritesTheFilesButNoPosition) {
  TestHost host;
  CreateDirectoryA(host.services.BookFile("").c_str(), nullptr);
  EXPECT_EQ(1, host.tool->SaveState());
  EXPECT_TRUE(FileExists(host.services.BookFile("Quillbook.dat")));
  EXPECT_TRUE(FileExists(host.services.BookFile("Group.dat")));
  EXPECT_TRUE(host.services.settings.empty());
}

TEST(ToolObject, SaveStateReportsNothingWrittenWhenTheFolderIsMissing) {
  TestHost host;
  EXPECT_EQ(0, host.tool->SaveState());
}

}  // namespace
