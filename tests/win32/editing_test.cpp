#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>

#include "cards/card_file.h"
#include "panel/panel_ids.h"
#include "tests/win32/message_box.h"
#include "tests/win32/panel_view.h"
#include "tests/win32/test_host.h"

namespace {

class FixedNow : public TimeSource {
 public:
  int NowField(int) override { return 1; }
};

class Editing : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string folder = host_.services.BookFile("");
    folder.pop_back();
    WriteBook(folder,
              {CardLine("山田 太郎", "ﾔﾏﾀﾞ", "", "03-1234-5678", "taro@example.jp"),
               CardLine("加藤", "ｶﾄｳ"), CardLine("佐藤", "ｻﾄｳ")},
              {"友人"});
    panel_ = host_.OpenPanel();
    ASSERT_NE(nullptr, panel_);
    tree_ = Control(panel_, IDC_TREE);
    thread_ = GetWindowThreadProcessId(panel_, nullptr);
  }
  void Click(int id) {
    PostMessageA(panel_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(panel_, id)));
  }
  // The form is editable: the group is chosen in the combo, not shown as text.
  bool Editable() { return IsWindowVisible(Control(panel_, IDC_GROUP_COMBO)) != FALSE; }
  void Settle() {
    host_.WaitFor([] { return false; }, 200);
  }
  void Type(int id, const char* text) { SetDlgItemTextA(panel_, id, text); }
  // Closes the panel, which saves, and loads what it wrote.
  CardTable& Saved() {
    host_.ClosePanel();
    FixedNow now;
    LoadCardFile(host_.services.BookFile("Quillbook.dat").c_str(), table_, now);
    return table_;
  }

  TestHost host_;
  HWND panel_ = nullptr;
  HWND tree_ = nullptr;
  DWORD thread_ = 0;
  static CardTable table_;
};
CardTable Editing::table_;

TEST_F(Editing, ANewCardIsStoredUnderAFreeIdAfterTheQuestion) {
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(host_.WaitFor([&] { return ControlText(panel_, IDC_CARD_ID) == "-1"; }));
  EXPECT_EQ("新規カード", ControlText(panel_, IDC_NAME));
  Type(IDC_CARD_ID, " 999 ");
  Type(IDC_NAME, "新人");
  Type(IDC_READING, "ｼﾝｼﾞﾝ");
  Type(IDC_MEMO, "line1\r\nline2\tend");
  Click(IDC_SAVE_CARD);
  MessageBoxView box = WaitForMessageBox(thread_);
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ("Quillbook", box.caption);
  EXPECT_EQ("question", box.icon);
  EXPECT_EQ(
      "このデータを指定したIDに登録しますか？\n登録先IDに既にデータがある場合は上書きされます。",
      box.text);
  EXPECT_EQ(1, host_.tool->m_bModalBusy);
  box.Press(IDYES);
  EXPECT_EQ("3", ControlText(panel_, IDC_CARD_ID));  // the free ID, filled in before asking
  ASSERT_TRUE(
      host_.WaitFor([&] { return TreeItemText(tree_, TreeView_GetSelection(tree_)) == "新人"; }));
  EXPECT_EQ(0, host_.tool->m_bModalBusy);
  CardTable& saved = Saved();
  ASSERT_EQ(4, saved.m_nCardCount);
  EXPECT_STREQ("新人", saved.m_cards[3].name);
  EXPECT_STREQ("line1  line2 end", saved.m_cards[3].memo);  // kept in one line
  EXPECT_EQ(0, saved.m_cards[3].modifyCount);
  EXPECT_STREQ("2026/7/4  09:05", saved.m_cards[3].lastModified);
}

TEST_F(Editing, AnEmptyNameAndABadPhoneGiveOnlyTheNameMessage) {
  Click(IDC_EDIT_CARD);
  Settle();
  EXPECT_TRUE(Editable());
  Type(IDC_NAME, "   ");
  Type(IDC_PHONE1, "abc");
  Click(IDC_SAVE_CARD);
  MessageBoxView box = WaitForMessageBox(thread_);
  EXPECT_EQ("”名前”が入力されていません。", box.text);
  EXPECT_EQ("stop", box.icon);
  box.Press(IDOK);
  Settle();
  EXPECT_EQ(nullptr, WaitForMessageBox(thread_, 300).window);
  EXPECT_EQ("", ControlText(panel_, IDC_NAME));  // trimmed and written back
  Type(IDC_NAME, "山田");
  Click(IDC_SAVE_CARD);
  box = WaitForMessageBox(thread_);
  EXPECT_EQ(
      "電話番号が不正です。\n半角数字および一部の半角記号または、\"P\"(ﾎﾟｰｽﾞ)"
      "以外は使用できません。",
      box.text);
  box.Press(IDOK);
  Settle();
  EXPECT_TRUE(Editable());
}

TEST_F(Editing, SavingTheOwnerRenamesTheRootAndCountsTheSave) {
  Click(IDC_EDIT_CARD);
  Settle();
  Type(IDC_NAME, "山田 花子");
  Click(IDC_SAVE_CARD);
  ASSERT_TRUE(host_.WaitFor([&] { return !Editable(); }));
  EXPECT_EQ("山田 花子  のアドレス帳", TreeItemText(tree_, TreeView_GetRoot(tree_)));
  CardTable& saved = Saved();
  EXPECT_STREQ("山田 花子", saved.m_cards[0].name);
  EXPECT_EQ(4, saved.m_cards[0].modifyCount);
}

TEST_F(Editing, RefusalsChangeNothing) {
  Click(IDC_DELETE_CARD);  // the root is selected
  MessageBoxView box = WaitForMessageBox(thread_);
  EXPECT_EQ("削除できません！\n個人カードを選択して下さい。", box.text);
  box.Press(IDOK);
  Click(IDC_EDIT_CARD);
  Settle();
  CheckDlgButton(panel_, IDC_SORT_GROUP, BST_CHECKED);
  CheckDlgButton(panel_, IDC_SORT_NAME, BST_UNCHECKED);
  Click(IDC_SORT_GROUP);
  box = WaitForMessageBox(thread_);
  EXPECT_EQ("カードの編集中は表示切替できません！", box.text);
  box.Press(IDOK);
  Settle();
  // The mode in force shows pressed again.
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(panel_, IDC_SORT_NAME));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(panel_, IDC_SORT_GROUP));
  EXPECT_EQ(3, host_.tool->m_history.GetSize());
}

TEST_F(Editing, ClosingDuringAnEditKeepsTheCardAsItWas) {
  Click(IDC_EDIT_CARD);
  Settle();
  Type(IDC_NAME, "変更中");
  CardTable& saved = Saved();
  EXPECT_STREQ("山田 太郎", saved.m_cards[0].name);
  EXPECT_EQ(3, saved.m_nCardCount);
}

TEST_F(Editing, DeletingACardFreesItsSlot) {
  TreeView_SelectItem(tree_, FindTreeItem(tree_, "加藤"));
  Click(IDC_DELETE_CARD);
  ASSERT_TRUE(host_.WaitFor([&] { return FindTreeItem(tree_, "加藤") == nullptr; }));
  CardTable& saved = Saved();
  EXPECT_EQ(2, saved.m_nCardCount);
  EXPECT_STREQ("佐藤", saved.m_cards[1].name);
}

}  // namespace
