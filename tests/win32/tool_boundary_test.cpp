#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "panel/panel_ids.h"
#include "sdk/tool_messages.h"
#include "tests/win32/message_box.h"
#include "tests/win32/panel_view.h"
#include "tests/win32/settings_view.h"
#include "tests/win32/test_host.h"

namespace {

// This process's top-level windows with this caption.
std::vector<HWND> OwnWindows(const char* caption) {
  std::vector<HWND> found;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, caption); window != nullptr;
       window = FindWindowExA(nullptr, window, nullptr, caption)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) found.push_back(window);
  }
  return found;
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// A book of two cards, its lines ended by line feeds alone, so that any save
// shows in the file as CR LF.
std::string PutBook(TestHost& host) {
  std::string folder = host.services.BookFile("");
  folder.pop_back();
  WriteBook(folder, {}, {"友人"});
  std::string bytes =
      "heading\n" + CardLine("山田", "ﾔﾏﾀﾞ") + "\n" + CardLine("加藤", "ｶﾄｳ") + "\n";
  std::ofstream(host.services.BookFile("Quillbook.dat"), std::ios::binary) << bytes;
  return bytes;
}

struct SaveCall {
  CToolBase* tool;
  int result;
};

DWORD WINAPI CallSaveState(LPVOID call) {
  auto* save = static_cast<SaveCall*>(call);
  save->result = save->tool->SaveState();
  return 0;
}

// SaveState as the host calls it, from a thread of its own so that this one
// can answer the panel's boxes.
HANDLE StartSaveState(SaveCall& call) {
  return CreateThread(nullptr, 0, CallSaveState, &call, 0, nullptr);
}

bool Finished(TestHost& host, HANDLE thread) {
  bool done = host.WaitFor([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
  CloseHandle(thread);
  return done;
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

// Where the host puts the search request's fields. The host we ship for is
// 32-bit; the 64-bit run checks the same record as these sources lay it out.
struct RequestOffsets {
  size_t mode;  // signed 16 bits, after the result window's pointer
  size_t stop;  // 32 bits, after six bytes that the tool never reads
};
#if defined(_WIN64)
constexpr RequestOffsets kHostRequest = {8, 16};
#else
constexpr RequestOffsets kHostRequest = {4, 12};
#endif

TEST(HostBoundary, TheToolReadsTheSearchRequestWhereTheHostWroteIt) {
  struct Case {
    short mode;
    int stop;
    int lines;  // a text search sends one line a card; a mode it lacks one line
  } cases[] = {{0, 0, 2}, {3, 0, 1}, {-1, 0, 1}, {0, 0x10000, 0}};
  TestHost host;
  PutBook(host);
  for (const Case& c : cases) {
    // The host's bytes, every one it leaves unset other than zero.
    alignas(8) unsigned char request[kHostRequest.stop + sizeof c.stop];
    memset(request, 0xA5, sizeof request);
    CWnd* results = &host.window;
    memcpy(request, &results, sizeof results);
    memcpy(request + kHostRequest.mode, &c.mode, sizeof c.mode);
    memcpy(request + kHostRequest.stop, &c.stop, sizeof c.stop);
    host.window.notices.clear();
    EXPECT_EQ(0, host.tool->Search(reinterpret_cast<SearchRequest*>(request), ""));
    EXPECT_EQ(c.lines, host.window.Count(WM_TOOL_SEARCH_RESULT)) << c.mode << " " << c.stop;
  }
}

#if defined(__i386__)
// Calls factory(window, host) as a caller that cleans up its own arguments
// does, stores the result in *tool, and returns how far the stack pointer
// moved across the call: 8 when the callee popped the two arguments itself.
__attribute__((naked)) int StackMovedByCall(void* /*factory*/, void* /*window*/, void* /*host*/,
                                            void** /*tool*/) {
  asm("pushl %ebx\n"
      "pushl 16(%esp)\n"  // host
      "pushl 16(%esp)\n"  // window
      "movl %esp, %ebx\n"
      "call *16(%esp)\n"
      "movl 28(%ebx), %ecx\n"
      "movl %eax, (%ecx)\n"
      "movl %esp, %eax\n"
      "subl %ebx, %eax\n"
      "leal 8(%ebx), %esp\n"
      "popl %ebx\n"
      "ret\n");
}
#endif

TEST(HostBoundary, TheExportIsFoundAsTheHostLoadsIt) {
  TestHost host;
  ASSERT_NE(nullptr, host.tool);
  // Its one name, neither decorated with a calling convention nor prefixed.
  auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleA("Quillbook.dll"));
  ASSERT_NE(nullptr, base);
  auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
      base + headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress);
  auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> exported;
  for (DWORD n = 0; n < exports->NumberOfNames; ++n) {
    exported.push_back(reinterpret_cast<const char*>(base + names[n]));
  }
  EXPECT_EQ(std::vector<std::string>{"NewScribellaTool"}, exported);
#if defined(__i386__)
  // The host calls it as a C function: the arguments are the caller's to pop.
  void* factory = reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("Quillbook.dll"), "NewScribellaTool"));
  void* tool = nullptr;
  CWnd* window = &host.window;
  HostServices* services = &host.services;
  EXPECT_EQ(0, StackMovedByCall(factory, window, services, &tool));
  ASSERT_NE(nullptr, tool);
  EXPECT_STREQ("アドレス帳", static_cast<CToolBase*>(tool)->GetToolName());
  delete static_cast<CToolBase*>(tool);
#endif
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

TEST(ToolObject, SaveStateWithoutAPanelWritesNothing) {
  // Before the first panel there is no book in memory; after a close the
  // close has saved it, and another program may have written since.
  TestHost host;
  EXPECT_EQ(1, host.tool->SaveState());
  EXPECT_FALSE(FileExists(host.services.BookFile("")));
  ASSERT_NE(nullptr, host.OpenPanel());
  ASSERT_TRUE(host.ClosePanel());
  host.services.settings.clear();
  WriteFileBytes(host.services.BookFile("Quillbook.dat"), "written since");
  EXPECT_EQ(1, host.tool->SaveState());
  EXPECT_EQ("written since", ReadFileBytes(host.services.BookFile("Quillbook.dat")));
  EXPECT_TRUE(host.services.settings.empty());
}

// The host calls the tool at any moment of the panel's life; each case runs
// many rounds, since a missing hand-over fails only now and then.
constexpr int kRounds = 50;
constexpr int kCards = 12;

void WriteCards(TestHost& host) {
  std::vector<std::string> lines;
  for (int n = 0; n < kCards; ++n) {
    std::string name = "名前" + std::to_string(n);
    lines.push_back(CardLine(name.c_str(), "ﾅﾏｴ"));
  }
  std::string folder = host.services.BookFile("");
  folder.pop_back();
  WriteBook(folder, lines, {"友人"});
}

// The card lines under the heading, -1 without a file.
int CardsOnDisk(const TestHost& host) {
  std::string path = host.services.BookFile("Quillbook.dat");
  if (!FileExists(path)) return -1;
  std::string bytes = ReadFileBytes(path);
  return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) - 1;
}

// Posts the user's close and waits for its end; during(): the host's answer
// to the closing notice.
bool CloseWithHostAnswer(TestHost& host, const std::function<void()>& during) {
  host.window.onNotice = [&](UINT message) {
    if (message == WM_TOOL_CLOSING) during();
  };
  PostMessageA(host.Panel(), WM_CLOSE, 0, 0);
  bool closed =
      host.WaitFor([&] { return host.window.Count(WM_TOOL_CLOSING) > 0 && !host.Panel(); });
  host.window.onNotice = nullptr;
  return closed;
}

TEST(PanelLifetime, DeletingTheToolClosesThePanelWithItsSave) {
  enum When { kStarting, kOpen, kOnClosingNotice };
  for (int round = 0; round < kRounds; ++round) {
    auto when = static_cast<When>(round % 3);
    TestHost host;
    WriteCards(host);
    if (when == kStarting) {
      host.tool->StartPanel();
    } else {
      ASSERT_NE(nullptr, host.OpenPanel());
      DeleteFileA(host.services.BookFile("Quillbook.dat").c_str());  // only the close writes it
    }
    if (when == kOnClosingNotice) {
      EXPECT_TRUE(CloseWithHostAnswer(host, [&] {
        delete host.tool;
        host.tool = nullptr;
      }));
    } else {
      delete host.tool;
      host.tool = nullptr;
    }
    EXPECT_EQ(kCards, CardsOnDisk(host)) << round << when;
    EXPECT_EQ(1, host.window.Count(WM_TOOL_CLOSING)) << round << when;
    EXPECT_EQ("0", host.services.Setting("WndPosX")) << round << when;
    EXPECT_TRUE(OwnWindows("アドレス帳").empty()) << round << when;
  }
}

TEST(PanelLifetime, SaveStateRightAfterTheStartKeepsEveryCard) {
  TestHost host;
  WriteCards(host);
  for (int round = 0; round < kRounds; ++round) {
    host.tool->StartPanel();
    EXPECT_EQ(1, host.tool->SaveState()) << round;
    EXPECT_EQ(kCards, CardsOnDisk(host)) << round;
    ASSERT_TRUE(host.ClosePanel()) << round;
  }
}

TEST(PanelLifetime, AStartRightAfterACloseOpensOnePanelOnTheSavedBook) {
  enum Close { kNone, kPosted, kSent, kOnClosingNotice };
  TestHost host;
  WriteCards(host);
  ASSERT_NE(nullptr, host.OpenPanel());
  int treeItems = TreeView_GetCount(Control(host.Panel(), IDC_TREE));
  for (int round = 0; round < kRounds; ++round) {
    auto close = static_cast<Close>(round % 4);
    HWND old = host.Panel();
    int ready = host.window.Count(WM_TOOL_READY) + (close == kNone ? 0 : 1);
    DeleteFileA(host.services.BookFile("Quillbook.dat").c_str());  // only the close writes it
    if (close == kPosted) PostMessageA(old, WM_CLOSE, 0, 0);
    if (close == kSent) SendMessageA(old, WM_CLOSE, 0, 0);
    if (close == kOnClosingNotice) {
      CloseWithHostAnswer(host, [&] { host.tool->StartPanel(); });
    } else {
      host.tool->StartPanel();
    }
    ASSERT_TRUE(host.WaitFor([&] {
      return host.window.Count(WM_TOOL_READY) == ready && host.Panel() != nullptr &&
             IsWindowVisible(host.Panel());
    })) << round
        << close;
    if (close == kNone) host.WaitFor([] { return false; }, 20);  // a second panel would be late
    EXPECT_EQ(ready, host.window.Count(WM_TOOL_READY)) << round << close;
    EXPECT_EQ(1u, OwnWindows("アドレス帳").size()) << round << close;
    EXPECT_EQ(close == kNone ? -1 : kCards, CardsOnDisk(host)) << round << close;
    HWND panel = host.Panel();
    EXPECT_EQ(treeItems, TreeView_GetCount(Control(panel, IDC_TREE))) << round << close;
    // The old panel's end frees nothing that the new one draws with.
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(Control(panel, IDC_NAME), WM_GETFONT, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font)) << round << close;
  }
}

struct SettingsCanceller {
  DWORD screenThread = 0;  // the thread that ran the settings screen
  HANDLE thread = nullptr;

  void Start() { thread = CreateThread(nullptr, 0, Run, this, 0, nullptr); }
  void Join() {
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
  }
  static DWORD WINAPI Run(LPVOID self) {
    for (int tries = 0; tries < 2000; ++tries) {
      std::vector<HWND> screens = OwnWindows("アドレス帳オプション & 設定画面");
      if (!screens.empty()) {
        static_cast<SettingsCanceller*>(self)->screenThread =
            GetWindowThreadProcessId(screens[0], nullptr);
        PostMessageA(screens[0], WM_COMMAND, IDCANCEL, 0);
        return 0;
      }
      Sleep(5);
    }
    return 1;
  }
};

TEST(PanelLifetime, SearchAndSettingsFromTheHostWaitOutAStartOrAClose) {
  TestHost host;
  WriteCards(host);
  // The thread that ran the settings screen; a search finds every card.
  auto call = [&](bool search) -> DWORD {
    if (search) {
      SearchRequest request = {&host.window, 0, {}, 0};
      int before = host.window.Count(WM_TOOL_SEARCH_RESULT);
      EXPECT_EQ(0, host.tool->Search(&request, ""));
      EXPECT_EQ(before + kCards, host.window.Count(WM_TOOL_SEARCH_RESULT));
      return 0;
    }
    SettingsCanceller canceller;
    canceller.Start();
    EXPECT_EQ(0, host.tool->OpenSettings(0, 0));
    canceller.Join();
    EXPECT_EQ(0, host.tool->m_bModalBusy);
    return canceller.screenThread;
  };
  for (int round = 0; round < kRounds; ++round) {
    bool search = round % 2 == 0;
    host.tool->StartPanel();
    DWORD ranOn = call(search);
    ASSERT_NE(nullptr, host.Panel()) << round;  // open once the call returns
    DWORD panelThread = GetWindowThreadProcessId(host.Panel(), nullptr);
    EXPECT_EQ(search ? 0 : panelThread, ranOn) << round;
    ranOn = 1;
    ASSERT_TRUE(CloseWithHostAnswer(host, [&] { ranOn = call(search); })) << round;
    // After the close, without a panel: on the host's own thread.
    EXPECT_EQ(search ? 0 : GetCurrentThreadId(), ranOn) << round;
    EXPECT_EQ(kCards, CardsOnDisk(host)) << round;
  }
}

TEST(BookFiles, ABookThatCannotBeReadIsToldAndNeverSavedOver) {
  TestHost host;
  const std::string book = host.services.BookFile("Quillbook.dat");
  const std::string before = PutBook(host);
  HANDLE held = CreateFileA(book.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  std::vector<DWORD> threads = ThreadsOfThisProcess();
  host.tool->StartPanel();
  MessageBoxView box;
  host.WaitFor([&] {
    for (DWORD thread : ThreadsOfThisProcess()) {
      if (std::find(threads.begin(), threads.end(), thread) != threads.end()) continue;
      box = WaitForMessageBox(thread, 50);
      if (box.window != nullptr) return true;
    }
    return false;
  });
  EXPECT_EQ("stop", box.icon);
  EXPECT_EQ("Quillbook", box.caption);
  EXPECT_EQ("アドレス帳ファイル「" + book +
                "」を読み込めませんでした。\n（他のプログラムが使用しています）\n"
                "このファイルは書き換えません。",
            box.text);
  box.Press(IDOK);
  ASSERT_TRUE(
      host.WaitFor([&] { return host.Panel() != nullptr && IsWindowVisible(host.Panel()); }));
  CloseHandle(held);
  DWORD thread = GetWindowThreadProcessId(host.Panel(), nullptr);
  PostMessageA(host.Panel(), WM_CLOSE, 0, 0);
  EXPECT_EQ("stop: アドレス帳ファイル「" + book +
                "」は読み込めなかったため、書き換えませんでした。\n編集内容は「" + book +
                ".1.unsaved」に保存しました。",
            AnswerMessageBox(host, thread, "Quillbook"));
  ASSERT_TRUE(host.ClosePanel());
  EXPECT_EQ(before, Bytes(book));
  EXPECT_TRUE(FileExists(book + ".1.unsaved"));
}

TEST(BookFiles, AFileTheLoadCouldNotHoldWholeIsKeptBesideItOnce) {
  TestHost host;
  const std::string book = host.services.BookFile("Quillbook.dat");
  const std::string before = PutBook(host) + "short\n";
  std::ofstream(book, std::ios::binary) << before;
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  DWORD thread = GetWindowThreadProcessId(panel, nullptr);
  SaveCall call = {host.tool, -1};
  HANDLE saving = StartSaveState(call);
  EXPECT_EQ("information: アドレス帳ファイル「" + book +
                "」には読み込めなかった内容がありました。\n元のファイルを「" + book +
                ".1.bak」として残しました。",
            AnswerMessageBox(host, thread, "Quillbook"));
  ASSERT_TRUE(Finished(host, saving));
  EXPECT_EQ(1, call.result);
  EXPECT_EQ(before, Bytes(book + ".1.bak"));
  EXPECT_NE(before, Bytes(book));
  // Once kept, later saves replace the file without a word.
  EXPECT_EQ(1, host.tool->SaveState());
  EXPECT_FALSE(FileExists(book + ".2.bak"));
  ASSERT_TRUE(host.ClosePanel());
}

// The files that a save left beside the book under a temporary name.
int TemporaryFiles(TestHost& host) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(host.services.BookFile("*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

TEST(BookFiles, ASaveLandsWhileAnotherProgramReadsTheFile) {
  TestHost host;
  const std::string book = host.services.BookFile("Quillbook.dat");
  const std::string before = PutBook(host);
  ASSERT_NE(nullptr, host.OpenPanel());
  FILE* reader = fopen(book.c_str(), "r");
  ASSERT_NE(nullptr, reader);
  ASSERT_TRUE(host.ClosePanel());
  fclose(reader);
  std::string after = Bytes(book);
  EXPECT_NE(std::string::npos, after.find("山田\tﾔﾏﾀﾞ")) << after;
  EXPECT_NE(std::string::npos, after.find("\r\n")) << after;
  EXPECT_EQ(0, TemporaryFiles(host));
}

TEST(BookFiles, ASaveThatFailsIsToldAndTheEditsAreKept) {
  TestHost host;
  const std::string book = host.services.BookFile("Quillbook.dat");
  const std::string before = PutBook(host);
  HWND panel = host.OpenPanel();
  ASSERT_NE(nullptr, panel);
  DWORD thread = GetWindowThreadProcessId(panel, nullptr);
  // Held without any sharing: neither a replace nor a write in place can land.
  HANDLE held = CreateFileA(book.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  const std::string told = "stop: アドレス帳ファイル「" + book +
                           "」に保存できませんでした。\n（他のプログラムが使用しています）\n"
                           "編集内容は「" +
                           book;
  SaveCall call = {host.tool, -1};
  HANDLE saving = StartSaveState(call);
  EXPECT_EQ(told + ".1.unsaved」に保存しました。", AnswerMessageBox(host, thread, "Quillbook"));
  ASSERT_TRUE(Finished(host, saving));
  EXPECT_EQ(0, call.result);  // though the group file was written
  PostMessageA(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(told + ".2.unsaved」に保存しました。", AnswerMessageBox(host, thread, "Quillbook"));
  ASSERT_TRUE(host.ClosePanel());
  CloseHandle(held);
  EXPECT_EQ(before, Bytes(book));
  EXPECT_NE(std::string::npos, Bytes(book + ".2.unsaved").find("加藤\tｶﾄｳ"));
  EXPECT_EQ(0, TemporaryFiles(host));
}

// The group list only ever comes from Group.dat: when that cannot be
// written, the book's save still tells the host that the book is saved.
TEST(BookFiles, AGroupFileThatCannotBeWrittenLeavesTheBookSaved) {
  TestHost host;
  const std::string groups = host.services.BookFile("Group.dat");
  const std::string before = PutBook(host);
  ASSERT_NE(nullptr, host.OpenPanel());
  const std::string groupBytes = Bytes(groups);
  HANDLE held = CreateFileA(groups.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(1, host.tool->SaveState());
  CloseHandle(held);
  EXPECT_EQ(groupBytes, Bytes(groups));
  EXPECT_NE(before, Bytes(host.services.BookFile("Quillbook.dat")));
  EXPECT_EQ(0, TemporaryFiles(host));
  ASSERT_TRUE(host.ClosePanel());
}

}  // namespace
