#include <gtest/gtest.h>
#include <windows.h>

#include "framework/cdialog.h"
#include "framework/cwin_app.h"
#include "framework/cwin_thread.h"
#include "framework/gdi.h"
#include "framework/state_lock.h"

namespace {

constexpr UINT kBaseOnly = WM_APP + 1;
constexpr UINT kOverridden = WM_APP + 2;
constexpr UINT kNested = WM_APP + 3;
constexpr UINT kNotHandled = WM_APP + 4;
constexpr UINT kButton = 1001;

class BaseDialog : public CDialog {
 public:
  BaseDialog() : CDialog(100) {}
  int clicks = 0;

 protected:
  LRESULT OnBaseOnly(WPARAM, LPARAM) { return 9; }
  LRESULT OnOverridden(WPARAM, LPARAM) { return 1; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDialog, CDialog)
ON_MESSAGE(kBaseOnly, OnBaseOnly)
ON_MESSAGE(kOverridden, OnOverridden)
END_MESSAGE_MAP()

class DerivedDialog : public BaseDialog {
 protected:
  LRESULT OnOverridden(WPARAM, LPARAM) { return 2; }
  LRESULT OnNested(WPARAM, LPARAM) {
    // The inner message falls through to the default; this one must not.
    ::SendMessageA(m_hWnd, kNotHandled, 0, 0);
    return 77;
  }
  void OnButton() { ++clicks; }
  void OnNotify(NMHDR* header, LRESULT* result) {
    *result = static_cast<LRESULT>(header->code) + 1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDialog, BaseDialog)
ON_MESSAGE(kOverridden, OnOverridden)
ON_MESSAGE(kNested, OnNested)
ON_BN_CLICKED(kButton, OnButton)
ON_NOTIFY(0x1234, kButton, OnNotify)
END_MESSAGE_MAP()

class MessageTableTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dialog.Create(100)); }
  void TearDown() override { m_dialog.DestroyWindow(); }
  LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) {
    return ::SendMessageA(m_dialog.m_hWnd, message, w, l);
  }
  DerivedDialog m_dialog;
};

TEST_F(MessageTableTest, ADerivedTableOverridesAndInheritsItsBase) {
  EXPECT_EQ(9, Send(kBaseOnly));
  EXPECT_EQ(2, Send(kOverridden));
  EXPECT_EQ(0, Send(kNotHandled));
}

TEST_F(MessageTableTest, CommandsMatchTheirControlAndCode) {
  Send(WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED));
  Send(WM_COMMAND, MAKEWPARAM(kButton, BN_DOUBLECLICKED));
  Send(WM_COMMAND, MAKEWPARAM(kButton + 1, BN_CLICKED));
  EXPECT_EQ(1, m_dialog.clicks);
}

TEST_F(MessageTableTest, NotifyResultsReachTheSender) {
  NMHDR header = {m_dialog.m_hWnd, kButton, 0x1234};
  EXPECT_EQ(0x1235, Send(WM_NOTIFY, kButton, reinterpret_cast<LPARAM>(&header)));
  header.idFrom = kButton + 1;
  EXPECT_EQ(0, Send(WM_NOTIFY, kButton + 1, reinterpret_cast<LPARAM>(&header)));
}

TEST_F(MessageTableTest, AMessageSentFromAHandlerKeepsTheOuterResult) {
  EXPECT_EQ(77, Send(kNested));
}

TEST_F(MessageTableTest, TheBindingEndsWithTheWindow) {
  HWND hwnd = m_dialog.m_hWnd;
  m_dialog.DestroyWindow();
  EXPECT_EQ(nullptr, m_dialog.m_hWnd);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(DialogBinding, AWindowThatOutlivesItsObjectCallsNothing) {
  HWND hwnd;
  {
    DerivedDialog dialog;
    ASSERT_TRUE(dialog.Create(100));
    hwnd = dialog.m_hWnd;
    dialog.m_hWnd = hwnd;  // the object goes, the window stays
    SetWindowLongPtrA(hwnd, DWLP_USER, GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  EXPECT_EQ(0, GetWindowLongPtrA(hwnd, DWLP_USER));
  EXPECT_EQ(0, ::SendMessageA(hwnd, kBaseOnly, 0, 0));
  DestroyWindow(hwnd);
}

UINT CountTo(LPVOID parameter) {
  auto* counter = static_cast<volatile LONG*>(parameter);
  for (int i = 0; i < 1000; ++i) InterlockedIncrement(counter);
  return 42;
}

TEST(WinThread, DeletesItsObjectWhenItsThreadEnds) {
  LONG before = CWinThread::LiveCount();
  volatile LONG counter = 0;
  CWinThread* thread = AfxBeginThread(CountTo, const_cast<LONG*>(&counter), THREAD_PRIORITY_NORMAL,
                                      0, CREATE_SUSPENDED);
  ASSERT_NE(nullptr, thread);
  EXPECT_EQ(before + 1, CWinThread::LiveCount());
  HANDLE handle = nullptr;
  DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  ResumeThread(thread->m_hThread);  // from here on the object may be gone
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(handle, 5000));
  DWORD code = 0;
  GetExitCodeThread(handle, &code);
  CloseHandle(handle);
  EXPECT_EQ(42u, code);
  EXPECT_EQ(1000, counter);
  EXPECT_EQ(before, CWinThread::LiveCount());
}

struct SharedState {
  CStateLock lock;
  int state = 0;
  HWND window = nullptr;  // the waiting thread's
};

UINT SendThenChange(LPVOID parameter) {
  auto* shared = static_cast<SharedState*>(parameter);
  ::SendMessageA(shared->window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("sent"));
  CStateLockHold hold(shared->lock);
  shared->state = 1;
  shared->lock.Changed();
  return 0;
}

TEST(StateLock, AWaitDeliversWhatTheAwaitedThreadSendsAndAKeptThreadObjectStays) {
  // The awaited thread sends to the waiter's window before it changes the
  // state: a wait that delivered nothing would never end.
  SharedState shared;
  shared.window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  CWinThread* thread =
      AfxBeginThread(SendThenChange, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(nullptr, thread);
  thread->m_bAutoDelete = FALSE;
  LONG live = CWinThread::LiveCount();
  ResumeThread(thread->m_hThread);
  shared.lock.LockWhen([&] { return shared.state == 1; });
  shared.lock.Unlock();
  EXPECT_EQ(WAIT_OBJECT_0, WaitDeliveringSentMessages(thread->m_hThread, 5000));
  EXPECT_EQ(live, CWinThread::LiveCount());  // its owner deletes it
  delete thread;
  EXPECT_EQ(live - 1, CWinThread::LiveCount());
  char text[8] = {};
  GetWindowTextA(shared.window, text, sizeof text);
  EXPECT_STREQ("sent", text);
  DestroyWindow(shared.window);
}

TEST(WinApp, TakesItsNameFromTheModuleFile) {
  CWinApp app;
  EXPECT_STREQ("framework_tests", app.m_pszAppName);
  CWinApp named("Named");
  EXPECT_STREQ("Named", named.m_pszAppName);
}

TEST(GdiObjects, DeleteTheirHandleWhenTheyGo) {
  HGDIOBJ handle;
  {
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(255, 255, 200)));
    handle = brush.m_hObject;
    EXPECT_EQ(OBJ_BRUSH, static_cast<int>(GetObjectType(handle)));
    CBrush again;
    again.CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ first = again.m_hObject;
    again.CreateSolidBrush(RGB(4, 5, 6));  // the first one is deleted, not leaked
    EXPECT_EQ(0u, GetObjectType(first));
  }
  EXPECT_EQ(0u, GetObjectType(handle));
}

}  // namespace
