#include "tests/win32/message_box.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

struct BoxRequest {
  UINT style;
  int answer = 0;
};

DWORD WINAPI ShowBox(LPVOID parameter) {
  auto* request = static_cast<BoxRequest*>(parameter);
  request->answer =
      MessageBoxA(nullptr, "カードの編集中です。\n保存しますか？", "Quillbook", request->style);
  return 0;
}

// The harness reads a box and answers it as a user would.
TEST(MessageBoxHelper, ReadsCaptionTextAndIconAndPressesAButton) {
  BoxRequest request{MB_YESNOCANCEL | MB_ICONQUESTION};
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, ShowBox, &request, 0, &threadId);
  MessageBoxView box = WaitForMessageBox(threadId);
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ("Quillbook", box.caption);
  EXPECT_EQ("カードの編集中です。\n保存しますか？", box.text);
  EXPECT_EQ("question", box.icon);
  EXPECT_TRUE(box.Has(IDYES));
  EXPECT_FALSE(box.Has(IDOK));
  box.Press(IDNO);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
  CloseHandle(thread);
  EXPECT_EQ(IDNO, request.answer);

  request = BoxRequest{MB_OK | MB_ICONSTOP};
  thread = CreateThread(nullptr, 0, ShowBox, &request, 0, &threadId);
  box = WaitForMessageBox(threadId);
  EXPECT_EQ("stop", box.icon);
  box.Press(IDOK);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
  CloseHandle(thread);
  EXPECT_EQ(IDOK, request.answer);
}

}  // namespace
