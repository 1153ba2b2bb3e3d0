// A panel on a small book, driven the way a user's clicks and keys drive it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

#include "cards/card_file.h"
#include "panel/panel_ids.h"
#include "tests/win32/message_box.h"
#include "tests/win32/panel_view.h"
#include "tests/win32/test_host.h"

class FixedNow : public TimeSource {
 public:
  int NowField(int) override { return 1; }
};

class EditingPanel : public ::testing::Test {
 protected:
  // Slot 0 the owner, then 加藤 in slot 1 and 佐藤 in slot 2.
  static std::vector<std::string> SmallBook() {
    return {CardLine("山田 太郎", "ﾔﾏﾀﾞ", "", "03-1234-5678", "taro@example.jp"),
            CardLine("加藤", "ｶﾄｳ", "友人"), CardLine("佐藤", "ｻﾄｳ")};
  }
  // The owner and then cards named カード1, カード2 … up to count cards in all.
  static std::vector<std::string> BookOf(int count) {
    std::vector<std::string> book = {CardLine("山田 太郎", "ﾔﾏﾀﾞ")};
    for (int n = 1; n < count; ++n) {
      book.push_back(CardLine(("カード" + std::to_string(n)).c_str(), "ｶｰﾄﾞ"));
    }
    return book;
  }

  void SetUp() override { Open(SmallBook()); }
  void Open(const std::vector<std::string>& book) {
    if (m_hPanel != nullptr) m_host.ClosePanel();
    std::string folder = m_host.services.BookFile("");
    folder.pop_back();
    WriteBook(folder, book, {"友人", "仕事"});
    m_hPanel = m_host.OpenPanel();
    ASSERT_NE(nullptr, m_hPanel);
    m_hTree = Control(m_hPanel, IDC_TREE);
    m_dwThread = GetWindowThreadProcessId(m_hPanel, nullptr);
  }

  // Clicks are posted: a click may open a box that waits for an answer.
  void Click(int id) {
    PostMessageA(m_hPanel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(m_hPanel, id)));
  }
  void ClickIcon(int id) {
    PostMessageA(m_hPanel, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(m_hPanel, id)));
  }
  // Selecting is posted too, for the save question it may bring.
  void Select(HTREEITEM item) { PostMessageA(m_hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item); }
  void Select(const std::string& text) {
    HTREEITEM item = FindTreeItem(m_hTree, text);
    ASSERT_NE(nullptr, item) << text;
    Select(item);
  }
  std::string Selected() { return TreeItemText(m_hTree, TreeView_GetSelection(m_hTree)); }
  // The form is editable: the group is chosen in the combo, not shown as text.
  bool Editable() { return IsWindowVisible(Control(m_hPanel, IDC_GROUP_COMBO)) != FALSE; }
  bool Enabled(int id) { return IsWindowEnabled(Control(m_hPanel, id)) != FALSE; }
  // Edit, Delete, Save, Cancel as "1010".
  std::string Buttons() {
    std::string state;
    for (int id : {IDC_EDIT_CARD, IDC_DELETE_CARD, IDC_SAVE_CARD, IDC_CANCEL_EDIT}) {
      state += Enabled(id) ? '1' : '0';
    }
    return state;
  }
  int FocusedId() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(m_dwThread, &info) || info.hwndFocus == nullptr) return 0;
    return GetDlgCtrlID(info.hwndFocus);
  }
  void Settle() {
    m_host.WaitFor([] { return false; }, 200);
  }
  void Type(int id, const char* text) { SetDlgItemTextA(m_hPanel, id, text); }
  std::string Text(int id) { return ControlText(m_hPanel, id); }
  // Reads the box the panel shows, answers it and lets the panel go on.
  MessageBoxView Answer(int button) {
    MessageBoxView box = WaitForMessageBox(m_dwThread);
    if (box.window != nullptr) box.Press(button);
    Settle();
    return box;
  }
  // Saves and expects a refusal with this text; returns the focused field.
  int SaveRefused(const std::string& text) {
    Click(IDC_SAVE_CARD);
    MessageBoxView box = WaitForMessageBox(m_dwThread);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ("stop", box.icon);
    EXPECT_EQ("Quillbook", box.caption);
    EXPECT_EQ(1, m_host.tool->m_bModalBusy);
    if (box.window != nullptr) box.Press(IDOK);
    Settle();
    EXPECT_EQ(0, m_host.tool->m_bModalBusy);
    return FocusedId();
  }
  bool SavedWithoutQuestion() {
    Click(IDC_SAVE_CARD);
    return m_host.WaitFor([&] { return !Editable(); }) &&
           WaitForMessageBox(m_dwThread, 100).window == nullptr;
  }
  void EditSelected() {
    Click(IDC_EDIT_CARD);
    ASSERT_TRUE(m_host.WaitFor([&] { return Editable() && Enabled(IDC_SAVE_CARD); }));
  }
  void EditCard(const std::string& name) {
    Select(name);
    ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == name; })) << name;
    EditSelected();
  }
  // Closes the panel, which saves, and loads what it wrote.
  CardTable& Saved() {
    m_host.ClosePanel();
    m_hPanel = nullptr;
    FixedNow now;
    LoadCardFile(m_host.services.BookFile("Quillbook.dat").c_str(), m_table, now);
    return m_table;
  }

  TestHost m_host;
  HWND m_hPanel = nullptr;
  HWND m_hTree = nullptr;
  DWORD m_dwThread = 0;
  static CardTable m_table;
};

// The ID question before a card goes under another ID.
constexpr const char kIdQuestion[] =
    "このデータを指定したIDに登録しますか？\n登録先IDに既にデータがある場合は上書きされます。";
constexpr const char kBadIdText[] =
    "IDの指定が不正です。\n半角数字で1～500、または新規登録する場合は999を指定して下さい。\n"
    "新規でない場合は、何も入力しなければ元のIDに保存されます。";
constexpr const char kFullBookText[] = "登録件数が500件を超えました。新規登録できません。";
constexpr const char kSaveQuestion[] = "カードの編集中です。\n保存しますか？";
