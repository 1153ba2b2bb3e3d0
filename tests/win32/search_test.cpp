// The host's search through the real library: what a result window receives.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "host/host_window.h"
#include "sdk/tool_messages.h"
#include "tests/core/fold_search_cases.h"
#include "tests/win32/test_host.h"
#include "text/cstring.h"

namespace {

using Lines = std::vector<std::string>;

const char kHeading[] = "名前\t読み\tｸﾞﾙｰﾌﾟ\t5678\r\n";
const char kTail[] = "\t0\t\t0\t\t0\t\t\t2020/1/1  00:00\t2020/1/1  00:00\t1\r\n";

// A card line with name, reading, group and phone 1; the rest empty.
std::string CardLine(const char* name, const char* reading, const char* group, const char* phone) {
  return std::string(name) + "\t" + reading + "\t" + group + "\t\t\t0\t" + phone + "\t0\t\t0\t" +
         kTail;
}

void WriteCardFile(TestHost& host, const std::string& lines) {
  std::string folder = host.services.BookFile("");
  folder.pop_back();
  CreateDirectoryA(folder.c_str(), nullptr);
  FILE* file = fopen(host.services.BookFile("Quillbook.dat").c_str(), "wb");
  ASSERT_NE(nullptr, file);
  std::string bytes = kHeading + lines;
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

// The host's result window: keeps each result's text as it arrives, and may
// act from inside the message, as a host's stop button does.
class ResultWindow : public CWnd {
 public:
  BOOL Create() {
    const char* cls = RegisterWindowClass("QuillbookTestResults", nullptr);
    return CreateEx(0, cls, "results", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr);
  }

  Lines lines;
  std::vector<WPARAM> strings;
  std::vector<LPARAM> lParams;
  std::function<void()> onResult;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TOOL_SEARCH_RESULT) return CWnd::WindowProc(message, wParam, lParam);
    lines.push_back(static_cast<const char*>(*reinterpret_cast<const CString*>(wParam)));
    strings.push_back(wParam);
    lParams.push_back(lParam);
    if (onResult) onResult();
    return 0;
  }
};

class HostSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, m_host.tool);
    ASSERT_TRUE(m_results.Create());
    m_request.pResultWnd = &m_results;
  }
  void TearDown() override { m_results.DestroyWindow(); }

  bool NothingQueued() {
    MSG message;
    return !PeekMessageA(&message, nullptr, WM_TOOL_SEARCH_RESULT, WM_TOOL_SEARCH_RESULT,
                         PM_NOREMOVE);
  }

  TestHost m_host;
  ResultWindow m_results;
  SearchRequest m_request = {};
};

TEST_F(HostSearchTest, EachCardLineIsSentInOrderInOneReusedStringDuringTheCall) {
  WriteCardFile(m_host, CardLine("山田太郎", "やまだたろう", "友人", "03-1234-5678") + "\r\n" +
                            CardLine("佐藤", "さとう", "", "06-1111-2222") + "\r\n\r\n" +
                            CardLine("鈴木", "すずき", "", "5678"));
  EXPECT_EQ(0, m_host.tool->Search(&m_request, "5678"));
  EXPECT_EQ((Lines{"山田太郎 (やまだたろう) [ 友人 ] : \"03-1234-5678\"", "",
                   "鈴木 (すずき) [  ] : \"5678\""}),
            m_results.lines);
  ASSERT_EQ(3u, m_results.strings.size());
  EXPECT_EQ(m_results.strings[0], m_results.strings[2]);
  EXPECT_EQ((std::vector<LPARAM>{0, 0, 0}), m_results.lParams);
  EXPECT_TRUE(NothingQueued());
  EXPECT_TRUE(m_host.window.notices.empty());
  EXPECT_EQ(nullptr, m_host.Panel());
}

TEST_F(HostSearchTest, ANullRequestReturnsOneAndSendsNothing) {
  WriteCardFile(m_host, CardLine("山田", "", "", ""));
  EXPECT_EQ(1, m_host.tool->Search(nullptr, ""));
  EXPECT_TRUE(m_results.lines.empty());
  EXPECT_TRUE(m_host.window.notices.empty());
  EXPECT_TRUE(NothingQueued());
}

TEST_F(HostSearchTest, AModeNotServedSendsItsOneLineWithOrWithoutAFile) {
  for (short mode : {3, -1}) {
    m_request.nMode = mode;
    m_results.lines.clear();
    EXPECT_EQ(0, m_host.tool->Search(&m_request, ""));
    EXPECT_EQ(Lines{"非対応の検索モードです。"}, m_results.lines) << mode;
  }
  WriteCardFile(m_host, CardLine("山田", "", "", "") + CardLine("佐藤", "", "", ""));
  m_results.lines.clear();
  EXPECT_EQ(0, m_host.tool->Search(&m_request, ""));
  EXPECT_EQ(Lines{"非対応の検索モードです。"}, m_results.lines);
}

TEST_F(HostSearchTest, ATelephoneSearchFindsANumberWrittenInFullWidth) {
  WriteCardFile(m_host, CardLine("山田太郎", "やまだたろう", "友人", "03-1234-5678"));
  m_request.nMode = 1;
  EXPECT_EQ(0, m_host.tool->Search(&m_request, "０３（１２３４）５６７８"));
  EXPECT_EQ(Lines{"山田太郎 (やまだたろう) [ 友人 ] : \"03-1234-5678\""}, m_results.lines);
}

// The host stand-in's search box, mode list and button, typed into and
// clicked as a user does; its reading mode keeps the voicing marks.
TEST_F(HostSearchTest, TheHostStandInsReadingModeFindsACardByHowItsNameSounds) {
  std::string cards;
  for (const FoldCard& card : kFoldCards) cards += FoldCardLine(card);
  WriteCardFile(m_host, cards);
  CHostWindow host;
  ASSERT_TRUE(host.CreateMain("ScribellaHost"));
  host.AttachTool(m_host.tool);
  HWND text = GetDlgItem(host.m_hWnd, kSearchTextBox);
  HWND modes = FindWindowExA(host.m_hWnd, nullptr, "COMBOBOX", nullptr);
  HWND results = GetDlgItem(host.m_hWnd, kSearchResultList);
  char mode[32] = {};
  SendMessageA(modes, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(mode));
  EXPECT_STREQ("読み・かな", mode);
  SendMessageA(modes, CB_SETCURSEL, 2, 0);
  for (const FoldQuery& query : kFoldQueries) {
    if (query.dropVoicing) continue;
    wchar_t keys[64];
    int count = MultiByteToWideChar(932, 0, query.text, -1, keys, 64);
    PostMessageW(text, EM_SETSEL, 0, -1);
    for (int i = 0; i + 1 < count; ++i) PostMessageW(text, WM_CHAR, keys[i], 1);
    PostMessageA(host.m_hWnd, WM_COMMAND, MAKEWPARAM(kSearchButton, BN_CLICKED), 0);
    m_host.WaitFor([] { return true; });
    Lines found;
    for (int i = 0; i < SendMessageA(results, LB_GETCOUNT, 0, 0); ++i) {
      char line[256] = {};
      SendMessageA(results, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
      found.push_back(line);
    }
    EXPECT_EQ(FoldResults(query.found), found) << query.text;
  }
  host.DestroyWindow();
  MSG quit;  // the host's window ends its program as it goes: not this one
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(HostSearchTest, StopSetWhileTheFirstResultIsHandledEndsTheSearch) {
  WriteCardFile(m_host,
                CardLine("A", "", "", "") + CardLine("B", "", "", "") + CardLine("C", "", "", ""));
  m_results.onResult = [&] { m_request.bStop = 1; };
  EXPECT_EQ(0, m_host.tool->Search(&m_request, ""));
  EXPECT_EQ(Lines{"A () [  ] : \"A\""}, m_results.lines);
}

TEST_F(HostSearchTest, AResultWindowThatIsGoneGetsNothingAndTheSearchEndsNormally) {
  WriteCardFile(m_host, CardLine("A", "", "", "") + CardLine("B", "", "", ""));
  m_results.onResult = [&] { m_results.DestroyWindow(); };
  EXPECT_EQ(0, m_host.tool->Search(&m_request, ""));
  EXPECT_EQ(Lines{"A () [  ] : \"A\""}, m_results.lines);

  // A handle kept after its window went is no window either.
  ResultWindow stale;
  ASSERT_TRUE(stale.Create());
  HWND handle = stale.m_hWnd;
  stale.DestroyWindow();
  stale.m_hWnd = handle;
  m_request.pResultWnd = &stale;
  EXPECT_EQ(0, m_host.tool->Search(&m_request, ""));
  EXPECT_TRUE(stale.lines.empty());
  stale.m_hWnd = nullptr;
}

TEST_F(HostSearchTest, WithoutASavedFileNoLineIsSent) {
  EXPECT_EQ(0, m_host.tool->Search(&m_request, ""));
  EXPECT_TRUE(m_results.lines.empty());
}

}  // namespace
