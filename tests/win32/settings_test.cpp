#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

#include "panel/panel_ids.h"
#include "sdk/tool_messages.h"
#include "tests/win32/message_box.h"
#include "tests/win32/panel_view.h"
#include "tests/win32/settings_view.h"
#include "tests/win32/test_host.h"

namespace {

const std::vector<std::string> kFieldNames = {
    "名前",      "読み",          "ｸﾞﾙｰﾌﾟ",    "郵便番号",      "住所",      "電話番号種別1",
    "電話番号1", "電話番号種別2", "電話番号2", "電話番号種別3", "電話番号3", "メール種別1",
    "メール1",   "メール種別2",   "メール2",   "メール種別3",   "メール3",   "メモ"};

HICON DllIcon(int id) { return LoadIconA(GetModuleHandleA("Quillbook.dll"), MAKEINTRESOURCEA(id)); }

class Settings : public ::testing::Test {
 protected:
  void SetUp() override { Open(SmallBook()); }
  static std::vector<std::string> SmallBook() {
    return {CardLine("山田太郎", "ﾔﾏﾀﾞ", "", "03-1234"), CardLine("加藤", "ｶﾄｳ")};
  }
  void Open(const std::vector<std::string>& book) {
    WriteBook(Folder(), book, {"友人"});
    m_hPanel = m_host.OpenPanel();
    ASSERT_NE(nullptr, m_hPanel);
    m_hTree = Control(m_hPanel, IDC_TREE);
    m_dwThread = GetWindowThreadProcessId(m_hPanel, nullptr);
  }
  std::string Folder() {
    std::string folder = m_host.services.BookFile("");
    folder.pop_back();
    return folder;
  }
  std::string Exchange(const char* name) { return Folder() + "\\" + name; }

  // As the host asks for it; posted, since the screen is modal.
  SettingsView OpenSettings() {
    PostMessageA(m_hPanel, WM_TOOL_OPEN_SETTINGS, 0, 0);
    SettingsView view = WaitForSettings(m_dwThread);
    EXPECT_NE(nullptr, view.window);
    return view;
  }
  // The next box: its text and icon as "icon: text", answered with OK.
  std::string Answer() { return AnswerMessageBox(m_host, m_dwThread, "アドレス帳"); }
  bool WaitGone(const SettingsView& view) {
    return m_host.WaitFor([&] { return view.Gone() && m_host.tool->m_bModalBusy == 0; });
  }
  bool WaitVisible(const SettingsView& view) {
    return m_host.WaitFor([&] { return view.Visible(); });
  }
  void Settle() {
    m_host.WaitFor([] { return false; }, 150);
  }

  TestHost m_host;
  HWND m_hPanel = nullptr;
  HWND m_hTree = nullptr;
  DWORD m_dwThread = 0;
};

TEST_F(Settings, OpensOnTheSavedBookWithItsFieldsAndTheDefaults) {
  // The screen reads the file, so the panel writes it first.
  DeleteFileA(m_host.services.BookFile("Quillbook.dat").c_str());
  SettingsView view = OpenSettings();
  EXPECT_TRUE(FileExists(m_host.services.BookFile("Quillbook.dat")));
  EXPECT_EQ(kFieldNames, view.Fields());
  EXPECT_TRUE(view.Order().empty());
  EXPECT_EQ("ｴｸｽﾎﾟｰﾄ", view.Text(IDC_OPT_MODE_LABEL));
  EXPECT_EQ(DllIcon(199), view.ModeIcon());
  EXPECT_EQ("", view.Text(IDC_OPT_FILE));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(view.window, IDC_OPT_HEADING));
  EXPECT_EQ(0, SendDlgItemMessageA(view.window, IDC_OPT_DELIMITER, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("ﾀﾌﾞ区切り", view.Text(IDC_OPT_DELIMITER));
  EXPECT_EQ(2, SendDlgItemMessageA(view.window, IDC_OPT_DELIMITER, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(1, m_host.tool->m_bModalBusy);
  EXPECT_FALSE(IsWindowEnabled(m_hPanel));  // the screen is modal to the panel
  EXPECT_EQ(m_hPanel, GetWindow(view.window, GW_OWNER));
  view.PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitGone(view));
  EXPECT_TRUE(IsWindowEnabled(m_hPanel));
}

TEST_F(Settings, AnUnreadableCardFileGivesTheErrorEntryAndAFailedExport) {
  // Held open without sharing: neither the save nor the screen can open it.
  HANDLE held = CreateFileA(m_host.services.BookFile("Quillbook.dat").c_str(), GENERIC_READ, 0,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  PostMessageA(m_hPanel, WM_TOOL_OPEN_SETTINGS, 0, 0);
  // The save before the screen is told from the panel, the edits kept aside.
  MessageBoxView box = WaitForMessageBox(m_dwThread);
  EXPECT_EQ("Quillbook", box.caption);
  EXPECT_EQ("stop", box.icon);
  box.Press(IDOK);
  SettingsView view = WaitForSettings(m_dwThread);
  ASSERT_NE(nullptr, view.window);
  EXPECT_EQ(std::vector<std::string>{"エラー！"}, view.Fields());
  view.AddField("エラー！");
  view.SetText(IDC_OPT_FILE, Exchange("out.txt"));
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("exclamation: アドレス帳エクスポートできませんでした。", Answer());
  CloseHandle(held);
  EXPECT_FALSE(FileExists(Exchange("out.txt")));
  ASSERT_TRUE(WaitVisible(view));
  view.CloseBox();
  EXPECT_TRUE(WaitGone(view));
}

TEST_F(Settings, TheOrderListTakesEachFieldOnceAndBlanksAnyNumberOfTimes) {
  SettingsView view = OpenSettings();
  view.AddField("名前");
  view.AddField("名前");
  EXPECT_EQ("stop: その項目は既にオーダーリストに入っています。", Answer());
  view.DoubleClickField("読み");
  view.Click(IDC_OPT_INSERT_BLANK);
  view.Click(IDC_OPT_INSERT_BLANK);
  view.DoubleClickField("読み");
  EXPECT_EQ("stop: その項目は既にオーダーリストに入っています。", Answer());
  EXPECT_EQ((std::vector<std::string>{"名前", "読み", " ", " "}), view.Order());
  view.SelectOrderEntry(-1);
  view.Click(IDC_OPT_REMOVE_FIELD);  // nothing selected: nothing removed
  view.SelectOrderEntry(0);
  view.Click(IDC_OPT_REMOVE_FIELD);
  Settle();
  EXPECT_EQ((std::vector<std::string>{"読み", " ", " "}), view.Order());
  // Only appended: a removed field comes back at the end.
  view.AddField("名前");
  Settle();
  EXPECT_EQ((std::vector<std::string>{"読み", " ", " ", "名前"}), view.Order());
  view.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitGone(view));
}

TEST_F(Settings, ExecutingWithoutAFieldIsRefusedWhileBlanksDoNotCount) {
  SettingsView view = OpenSettings();
  for (int n = 0; n < 3; ++n) view.Click(IDC_OPT_INSERT_BLANK);
  view.Click(IDC_OPT_EXECUTE);
  MessageBoxView box = WaitForMessageBox(m_dwThread);
  EXPECT_EQ("エクスポートする項目がリストに設定されていません！", box.text);
  EXPECT_EQ("stop", box.icon);
  EXPECT_FALSE(view.Visible());  // out of the way while it tells
  box.Press(IDOK);
  ASSERT_TRUE(WaitVisible(view));

  // A removed blank leaves the field count as it was, a removed name lowers it.
  view.AddField("住所");
  view.SelectOrderEntry(0);
  view.Click(IDC_OPT_REMOVE_FIELD);
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("stop: エクスポートファイルを設定して下さい。", Answer());
  EXPECT_EQ("exclamation: アドレス帳エクスポートできませんでした。", Answer());
  ASSERT_TRUE(WaitVisible(view));
  view.SelectOrderEntry(2);
  view.Click(IDC_OPT_REMOVE_FIELD);
  view.ClickModeIcon();
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("stop: インポートする項目がリストに設定されていません！", Answer());
  ASSERT_TRUE(WaitVisible(view));
  view.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitGone(view));
}

TEST_F(Settings, TheIconSwitchesTheDirectionAndLeavesTheChoicesAlone) {
  SettingsView view = OpenSettings();
  view.AddField("メモ");
  view.SetText(IDC_OPT_FILE, "typed.txt");
  view.ClickModeIcon();
  ASSERT_TRUE(m_host.WaitFor([&] { return view.Text(IDC_OPT_MODE_LABEL) == "ｲﾝﾎﾟｰﾄ"; }));
  EXPECT_EQ(DllIcon(200), view.ModeIcon());
  view.ClickModeIcon();
  ASSERT_TRUE(m_host.WaitFor([&] { return view.Text(IDC_OPT_MODE_LABEL) == "ｴｸｽﾎﾟｰﾄ"; }));
  EXPECT_EQ(DllIcon(199), view.ModeIcon());
  EXPECT_EQ(std::vector<std::string>{"メモ"}, view.Order());
  EXPECT_EQ("typed.txt", view.Text(IDC_OPT_FILE));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(view.window, IDC_OPT_HEADING));
  view.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitGone(view));
}

TEST_F(Settings, AFailedExportTellsWhyAndASuccessfulOneWritesTheColumnsAndEnds) {
  SettingsView view = OpenSettings();
  view.AddField("名前");
  view.Click(IDC_OPT_INSERT_BLANK);
  view.AddField("電話番号1");
  view.SetText(IDC_OPT_FILE, Exchange("no such folder\\out.txt"));
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("exclamation: エクスポートファイルを作成できませんでした！", Answer());
  EXPECT_EQ("exclamation: アドレス帳エクスポートできませんでした。", Answer());
  ASSERT_TRUE(WaitVisible(view));

  view.SetText(IDC_OPT_FILE, Exchange("out.txt"));
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("information: アドレス帳エクスポートが完了しました。", Answer());
  EXPECT_TRUE(WaitGone(view));
  EXPECT_EQ("名前\t \t電話番号1\r\n山田太郎\t\t03-1234\r\n加藤\t\t\r\n",
            ReadFileBytes(Exchange("out.txt")));
}

TEST_F(Settings, AnExportIsRefusedOnTheBooksOwnFilesHoweverTheyAreSpelled) {
  SettingsView view = OpenSettings();
  const std::string book = ReadFileBytes(m_host.services.BookFile("Quillbook.dat"));
  const std::string groups = ReadFileBytes(m_host.services.BookFile("Group.dat"));
  view.AddField("名前");
  for (const std::string& path :
       {Folder() + "\\.\\QUILLBOOK.DAT", Folder() + "\\..\\Quillbook\\group.dat"}) {
    SCOPED_TRACE(path);
    view.SetText(IDC_OPT_FILE, path);
    view.Click(IDC_OPT_EXECUTE);
    std::string told = Answer();
    EXPECT_EQ(0u, told.find("stop: アドレス帳のファイル「")) << told;
    EXPECT_NE(std::string::npos, told.find("」にはエクスポートできません。")) << told;
    EXPECT_EQ("exclamation: アドレス帳エクスポートできませんでした。", Answer());
    ASSERT_TRUE(WaitVisible(view));
  }
  EXPECT_EQ(book, ReadFileBytes(m_host.services.BookFile("Quillbook.dat")));
  EXPECT_EQ(groups, ReadFileBytes(m_host.services.BookFile("Group.dat")));
  // A failed export leaves an earlier export file as it was: here another
  // program holds it without sharing, so neither a replace nor a write in
  // place can land.
  WriteFileBytes(Exchange("out.txt"), "earlier");
  HANDLE held =
      CreateFileA(Exchange("out.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  view.SetText(IDC_OPT_FILE, Exchange("out.txt"));
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("exclamation: エクスポートファイルを作成できませんでした！", Answer());
  EXPECT_EQ("exclamation: アドレス帳エクスポートできませんでした。", Answer());
  CloseHandle(held);
  EXPECT_EQ("earlier", ReadFileBytes(Exchange("out.txt")));
  ASSERT_TRUE(WaitVisible(view));
  view.CloseBox();
  EXPECT_TRUE(WaitGone(view));
}

TEST_F(Settings, ImportTellsEachFailureAndOnSuccessTheTreeShowsTheNewCards) {
  SettingsView view = OpenSettings();
  view.ClickModeIcon();
  view.AddField("名前");
  view.AddField("読み");
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("stop: インポートファイルを設定して下さい。", Answer());
  EXPECT_EQ("exclamation: アドレス帳インポートできませんでした。", Answer());
  ASSERT_TRUE(WaitVisible(view));
  view.SetText(IDC_OPT_FILE, Exchange("missing.txt"));
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("exclamation: インポートファイルを開けませんでした！", Answer());
  EXPECT_EQ("exclamation: アドレス帳インポートできませんでした。", Answer());
  ASSERT_TRUE(WaitVisible(view));

  WriteFileBytes(Exchange("in.txt"), "名前\t読み\r\n新井\tｱﾗｲ\r\n鈴木\tｽｽﾞｷ\r\n");
  view.SetText(IDC_OPT_FILE, Exchange("in.txt"));
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("information: アドレス帳インポートが完了しました。", Answer());
  ASSERT_TRUE(WaitGone(view));
  EXPECT_NE(nullptr, FindTreeItem(m_hTree, "新井"));
  EXPECT_NE(nullptr, FindTreeItem(m_hTree, "鈴木"));
  EXPECT_NE(nullptr, FindTreeItem(m_hTree, "加藤"));
}

TEST_F(Settings, ImportIntoANearlyFullBookTellsTheLimitThenTheSuccess) {
  m_host.ClosePanel();
  std::vector<std::string> book = {CardLine("山田太郎", "ﾔﾏﾀﾞ")};
  for (int n = 1; n < 499; ++n) book.push_back(CardLine(("札" + std::to_string(n)).c_str(), "ﾌﾀﾞ"));
  Open(book);
  SettingsView view = OpenSettings();
  view.ClickModeIcon();
  view.AddField("名前");
  SendDlgItemMessageA(view.window, IDC_OPT_HEADING, BM_SETCHECK, BST_UNCHECKED, 0);
  WriteFileBytes(Exchange("in.txt"), "甲\r\n乙\r\n丙\r\n");
  view.SetText(IDC_OPT_FILE, Exchange("in.txt"));
  view.Click(IDC_OPT_EXECUTE);
  EXPECT_EQ("information: 登録可能最大件数を超えました。\n残りはインポートされません。", Answer());
  EXPECT_EQ("information: アドレス帳インポートが完了しました。", Answer());
  ASSERT_TRUE(WaitGone(view));
  EXPECT_NE(nullptr, FindTreeItem(m_hTree, "甲"));
  EXPECT_EQ(nullptr, FindTreeItem(m_hTree, "乙"));
}

TEST_F(Settings, ADelimiterTypedIntoTheChoiceIsRefused) {
  SettingsView view = OpenSettings();
  view.AddField("名前");
  view.SetText(IDC_OPT_FILE, Exchange("out.txt"));
  SendDlgItemMessageA(view.window, IDC_OPT_DELIMITER, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  view.SetText(IDC_OPT_DELIMITER, ";");
  view.Click(IDC_OPT_EXECUTE);
  MessageBoxView box = WaitForMessageBox(m_dwThread);
  EXPECT_EQ("stop", box.icon);
  EXPECT_NE(std::string::npos, box.text.find("区切り")) << box.text;
  box.Press(IDOK);
  m_host.WaitFor([&] { return !IsWindow(box.window); });
  EXPECT_EQ("exclamation: アドレス帳エクスポートできませんでした。", Answer());
  EXPECT_FALSE(FileExists(Exchange("out.txt")));
  ASSERT_TRUE(WaitVisible(view));
  view.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitGone(view));
}

TEST_F(Settings, EscapeAndTheCloseBoxReloadNothingWhileEnterReloads) {
  // A card that only the file holds shows whether the panel reloaded it.
  auto addBehindThePanel = [&] {
    std::string path = m_host.services.BookFile("Quillbook.dat");
    WriteFileBytes(path, ReadFileBytes(path) + CardLine("外から", "ｿﾄｶﾗ") + "\r\n");
  };
  SettingsView view = OpenSettings();
  addBehindThePanel();
  view.PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitGone(view));
  EXPECT_EQ(nullptr, FindTreeItem(m_hTree, "外から"));

  view = OpenSettings();
  addBehindThePanel();
  view.AddField("名前");
  view.Click(IDC_OPT_EXECUTE);  // no file: a failure
  Answer();
  Answer();
  ASSERT_TRUE(WaitVisible(view));
  view.CloseBox();
  ASSERT_TRUE(WaitGone(view));
  EXPECT_EQ(nullptr, FindTreeItem(m_hTree, "外から"));

  view = OpenSettings();
  addBehindThePanel();
  view.PressKey(VK_RETURN);
  ASSERT_TRUE(WaitGone(view));
  EXPECT_NE(nullptr, FindTreeItem(m_hTree, "外から"));
  EXPECT_EQ(TreeView_GetRoot(m_hTree), TreeView_GetSelection(m_hTree));
}

struct Call {
  CToolBase* tool;
  HWND panel;
  bool bySend;
  LRESULT result;
};

DWORD WINAPI CallFromAnotherThread(LPVOID parameter) {
  auto* call = static_cast<Call*>(parameter);
  call->result = call->bySend ? SendMessageA(call->panel, WM_TOOL_OPEN_SETTINGS, 0, 0)
                              : call->tool->OpenSettings(0, 0);
  return 0;
}

TEST_F(Settings, TheHostsCallAndItsMessageRunTheScreenOnThePanelThread) {
  for (bool bySend : {false, true}) {
    Call call = {m_host.tool, m_hPanel, bySend, -1};
    HANDLE caller = CreateThread(nullptr, 0, CallFromAnotherThread, &call, 0, nullptr);
    SettingsView view = WaitForSettings(m_dwThread);
    ASSERT_NE(nullptr, view.window) << bySend;
    EXPECT_EQ(1, m_host.tool->m_bModalBusy);
    view.PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitGone(view));
    EXPECT_TRUE(m_host.WaitFor([&] { return WaitForSingleObject(caller, 0) == WAIT_OBJECT_0; }));
    CloseHandle(caller);
    EXPECT_EQ(0, call.result);
  }
}

TEST_F(Settings, IsRefusedWhileACardIsEdited) {
  PostMessageA(m_hPanel, WM_COMMAND, MAKEWPARAM(IDC_EDIT_CARD, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(m_hPanel, IDC_EDIT_CARD)));
  ASSERT_TRUE(m_host.WaitFor([&] { return IsWindowEnabled(Control(m_hPanel, IDC_SAVE_CARD)); }));
  PostMessageA(m_hPanel, WM_TOOL_OPEN_SETTINGS, 0, 0);
  MessageBoxView box = WaitForMessageBox(m_dwThread);
  EXPECT_EQ("編集中は、設定画面を開けません！", box.text);
  EXPECT_EQ("Quillbook", box.caption);
  EXPECT_EQ("stop", box.icon);
  box.Press(IDOK);
  EXPECT_EQ(nullptr, WaitForSettings(m_dwThread, 300).window);
  EXPECT_TRUE(IsWindowVisible(Control(m_hPanel, IDC_GROUP_COMBO)));  // still editing
}

TEST_F(Settings, TheFileDialogCancelledKeepsThePathAndConfirmedSetsIt) {
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof before, before);
  std::string chosen = Exchange("chosen.txt");
  WriteFileBytes(chosen, "x");
  SettingsView view = OpenSettings();
  view.SetText(IDC_OPT_FILE, "typed.txt");
  view.Click(IDC_OPT_CHOOSE_FILE);
  HWND files = WaitForThreadWindow(m_dwThread, "ファイルを選択して下さい。", 20000);
  ASSERT_NE(nullptr, files);
  PostMessageA(files, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(m_host.WaitFor([&] { return !IsWindow(files); }));
  Settle();
  EXPECT_EQ("typed.txt", view.Text(IDC_OPT_FILE));

  view.Click(IDC_OPT_CHOOSE_FILE);
  files = WaitForThreadWindow(m_dwThread, "ファイルを選択して下さい。", 20000);
  ASSERT_NE(nullptr, files);
  // Typed into the name box (an edit in the old layout, a combo box in the
  // newer one): first the folder, which the dialog goes into, then the file.
  auto type = [&](const std::string& text) {
    SetDlgItemTextA(files, 0x480, text.c_str());
    SetDlgItemTextA(files, 0x47C, text.c_str());
    PostMessageA(files, WM_COMMAND, IDOK, 0);
  };
  type(Folder());
  Settle();
  type("chosen.txt");
  ASSERT_TRUE(m_host.WaitFor([&] { return view.Text(IDC_OPT_FILE) != "typed.txt"; }, 10000));
  EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), view.Text(IDC_OPT_FILE).c_str()))
      << view.Text(IDC_OPT_FILE);
  char after[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof after, after);
  EXPECT_STREQ(before, after);
  view.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitGone(view));
}

TEST(BookMark, StandsWhileThePanelRunsAndGoesAfterItsSave) {
  TestHost host;
  std::string folder = host.services.BookFile("");
  folder.pop_back();
  WriteBook(folder, {CardLine("山田太郎", "ﾔﾏﾀﾞ")}, {});
  std::string mark = host.services.BookFile("Quillbook.lock");
  WriteFileBytes(mark, "left by a crash");
  ASSERT_NE(nullptr, host.OpenPanel());
  EXPECT_TRUE(FileExists(mark));
  // A stale mark stands for the panel's own: it is made only where no file
  // has its name, so that a link planted there is never followed.
  EXPECT_EQ("left by a crash", ReadFileBytes(mark));
  DeleteFileA(host.services.BookFile("Quillbook.dat").c_str());
  ASSERT_TRUE(host.ClosePanel());
  EXPECT_FALSE(FileExists(mark));
  EXPECT_TRUE(FileExists(host.services.BookFile("Quillbook.dat")));
}

}  // namespace
