// The group buttons of the panel and their two dialogs, driven as a user
// drives them.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cards/card_file.h"
#include "groups/win/group_change_ids.h"
#include "groups/win/group_edit_ids.h"
#include "panel/panel_ids.h"
#include "tests/win32/group_dialog_view.h"
#include "tests/win32/message_box.h"
#include "tests/win32/panel_view.h"
#include "tests/win32/test_host.h"

namespace {

using Items = std::vector<std::string>;

constexpr const char kDuplicate[] = "そのグループは既にリストに入っています。";
constexpr const char kRegistered[] = "グループ名設定を登録しました。";
constexpr const char kChanged[] = "グループ名を変更しました。";

class AnyNow : public TimeSource {
 public:
  int NowField(int) override { return 1; }
};

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class Groups : public ::testing::Test {
 protected:
  // The owner, 加藤 of 友人 and 佐藤 of no group; shown by group.
  void SetUp() override {
    Open({CardLine("山田 太郎", "ﾔﾏﾀﾞ"), CardLine("加藤", "ｶﾄｳ", "友人"), CardLine("佐藤", "ｻﾄｳ")},
         {"友人", "仕事"});
  }
  void Open(const Items& book, const Items& groups) {
    if (panel_ != nullptr) host_.ClosePanel();
    host_.services.settings["21/SortMode"] = "1";
    std::string folder = host_.services.BookFile("");
    folder.pop_back();
    WriteBook(folder, book, groups);
    panel_ = host_.OpenPanel();
    ASSERT_NE(nullptr, panel_);
    tree_ = Control(panel_, IDC_TREE);
    thread_ = GetWindowThreadProcessId(panel_, nullptr);
  }
  HWND OpenDialog(int button, const char* title) {
    PostClick(panel_, button);
    dialog_ = WaitForDialog(thread_, title);
    EXPECT_NE(nullptr, dialog_) << title;
    return dialog_;
  }
  HWND OpenEdit() { return OpenDialog(IDC_GROUP_EDIT, kGroupEditTitle); }
  HWND OpenChange() { return OpenDialog(IDC_GROUP_CHANGE, kGroupChangeTitle); }
  void Settle() {
    host_.WaitFor([] { return false; }, 200);
  }
  void Type(int id, const char* text) { SetDlgItemTextA(dialog_, id, text); }
  std::string Field(int id) { return ControlText(dialog_, id); }
  void Click(int id) {
    PostClick(dialog_, id);
    Settle();
  }
  Items List() { return ListBoxItems(GetDlgItem(dialog_, IDC_GROUP_LIST)); }
  int Selection() {
    return static_cast<int>(SendDlgItemMessageA(dialog_, IDC_GROUP_LIST, LB_GETCURSEL, 0, 0));
  }
  void Select(int index) {
    SelectListItem(dialog_, IDC_GROUP_LIST, index);
    Settle();
  }
  // Clicks and expects this box of the dialog; answers it.
  void ClickExpecting(int id, const std::string& text, const char* icon) {
    PostClick(dialog_, id);
    MessageBoxView box = WaitForMessageBox(thread_);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ("アドレス帳", box.caption);
    EXPECT_EQ(icon, box.icon);
    // The dialog waits behind its box while the box is up, or hides itself
    // first when it set out to write.
    shownDuringBox_ = IsWindowVisible(dialog_) != FALSE;
    if (box.window != nullptr) box.Press(IDOK);
    Settle();
  }
  bool NoBox() { return WaitForMessageBox(thread_, 300).window == nullptr; }
  bool Closed() {
    return host_.WaitFor([&] { return !IsWindow(dialog_); });
  }
  bool RootSelected() { return TreeView_GetSelection(tree_) == TreeView_GetRoot(tree_); }
  std::string File(const char* name) { return ReadFileBytes(host_.services.BookFile(name)); }
  CardTable& SavedCards() {
    static CardTable table;
    AnyNow now;
    LoadCardFile(host_.services.BookFile("Quillbook.dat").c_str(), table, now);
    return table;
  }

  TestHost host_;
  HWND panel_ = nullptr;
  HWND tree_ = nullptr;
  HWND dialog_ = nullptr;
  DWORD thread_ = 0;
  bool shownDuringBox_ = false;
};

TEST_F(Groups, AddAndChangeTakeOnlyANonEmptyNameNotYetListed) {
  OpenEdit();
  EXPECT_EQ((Items{"友人", "仕事"}), List());
  EXPECT_EQ(LB_ERR, Selection());
  EXPECT_EQ("", Field(IDC_GROUP_NAME));

  PostClick(dialog_, IDC_GROUP_ADD);
  EXPECT_TRUE(NoBox());
  EXPECT_EQ(2u, List().size());

  Type(IDC_GROUP_NAME, "友人");
  ClickExpecting(IDC_GROUP_ADD, kDuplicate, "stop");
  EXPECT_TRUE(shownDuringBox_);
  Type(IDC_GROUP_NAME, "家族");
  Click(IDC_GROUP_ADD);
  EXPECT_EQ((Items{"友人", "仕事", "家族"}), List());
  EXPECT_EQ(2, Selection());

  Select(0);
  EXPECT_EQ("友人", Field(IDC_GROUP_NAME));
  ClickExpecting(IDC_GROUP_CHANGE_NAME, kDuplicate, "stop");  // its own text
  Type(IDC_GROUP_NAME, "親友");
  Click(IDC_GROUP_CHANGE_NAME);
  EXPECT_EQ((Items{"親友", "仕事", "家族"}), List());
  EXPECT_EQ(0, Selection());

  Click(IDC_GROUP_DELETE);
  EXPECT_EQ((Items{"仕事", "家族"}), List());
  EXPECT_EQ("", Field(IDC_GROUP_NAME));
  Type(IDC_GROUP_NAME, "無選択");
  PostClick(dialog_, IDC_GROUP_CHANGE_NAME);
  EXPECT_TRUE(NoBox());
  EXPECT_EQ((Items{"仕事", "家族"}), List());
}

TEST_F(Groups, ADuplicateAfterAnEmptyItemGoesUnseen) {
  Open({CardLine("山田 太郎", "ﾔﾏﾀﾞ")}, {"友人", "", "仕事"});
  OpenEdit();
  Type(IDC_GROUP_NAME, "仕事");
  PostClick(dialog_, IDC_GROUP_ADD);
  EXPECT_TRUE(NoBox());
  EXPECT_EQ((Items{"友人", "", "仕事", "仕事"}), List());
}

TEST_F(Groups, UpAndDownStopAtTheEndsAndAfterDeleteAndRegisterWritesTheOrder) {
  Open({CardLine("山田 太郎", "ﾔﾏﾀﾞ"), CardLine("加藤", "ｶﾄｳ", "b")}, {"a", "b", "c"});
  OpenEdit();
  Select(0);
  Click(IDC_GROUP_UP);
  EXPECT_EQ((Items{"a", "b", "c"}), List());
  Click(IDC_GROUP_DOWN);
  EXPECT_EQ((Items{"b", "a", "c"}), List());
  EXPECT_EQ(1, Selection());
  Select(2);
  Click(IDC_GROUP_DOWN);
  EXPECT_EQ((Items{"b", "a", "c"}), List());
  Click(IDC_GROUP_UP);
  EXPECT_EQ((Items{"b", "c", "a"}), List());
  Click(IDC_GROUP_DELETE);
  EXPECT_EQ(LB_ERR, Selection());
  Click(IDC_GROUP_UP);
  Click(IDC_GROUP_DOWN);
  EXPECT_EQ((Items{"b", "a"}), List());

  ClickExpecting(IDC_GROUP_REGISTER, kRegistered, "information");
  EXPECT_FALSE(shownDuringBox_);
  ASSERT_TRUE(Closed());
  EXPECT_EQ("b\r\na\r\n", File("Group.dat"));
  EXPECT_EQ((Items{"b: 加藤", "a:", "その他:"}), TreeOutline(tree_));
  EXPECT_TRUE(RootSelected());
}

TEST_F(Groups, AnEmptyListRegistersAsAnEmptyFileAndLeavesOnlyOther) {
  OpenEdit();
  for (int i = 0; i < 2; ++i) {
    Select(0);
    Click(IDC_GROUP_DELETE);
  }
  EXPECT_TRUE(List().empty());
  ClickExpecting(IDC_GROUP_REGISTER, kRegistered, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ("", File("Group.dat"));
  EXPECT_EQ((Items{"その他: 加藤 佐藤"}), TreeOutline(tree_));
}

TEST_F(Groups, CancelTheCloseBoxAndEscapeChangeNothing) {
  Items outline = TreeOutline(tree_);
  std::string before = File("Group.dat");
  OpenEdit();
  Type(IDC_GROUP_NAME, "家族");
  Click(IDC_GROUP_ADD);
  Click(IDCANCEL);
  ASSERT_TRUE(Closed());

  OpenEdit();
  EXPECT_EQ((Items{"友人", "仕事"}), List());  // the cancelled edit is gone
  PostMessageA(dialog_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Closed());
  EXPECT_EQ(before, File("Group.dat"));
  EXPECT_EQ(outline, TreeOutline(tree_));
}

TEST_F(Groups, ReturnNeverEndsEitherDialogAndEscapeCancels) {
  std::string cards = File("Quillbook.dat");
  OpenEdit();
  Type(IDC_GROUP_NAME, "家族");
  Click(IDC_GROUP_ADD);
  HWND name = GetDlgItem(dialog_, IDC_GROUP_NAME);
  PostKey(name, VK_RETURN);
  PostKey(GetDlgItem(dialog_, IDC_GROUP_LIST), VK_RETURN);
  Settle();
  ASSERT_TRUE(IsWindowVisible(dialog_));
  EXPECT_EQ((Items{"友人", "仕事", "家族"}), List());
  PostKey(name, VK_ESCAPE);
  ASSERT_TRUE(Closed());
  EXPECT_EQ("友人\r\n仕事\r\n", File("Group.dat"));

  OpenChange();
  Type(IDC_CHANGE_BEFORE, "友人");
  SendDlgItemMessageA(dialog_, IDC_CHANGE_AFTER, CB_SETCURSEL, 1, 0);
  PostKey(GetDlgItem(dialog_, IDC_CHANGE_BEFORE), VK_RETURN);
  Settle();
  ASSERT_TRUE(IsWindowVisible(dialog_));
  PostKey(GetDlgItem(dialog_, IDC_CHANGE_BEFORE), VK_ESCAPE);
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(NoBox());
  EXPECT_EQ(cards, File("Quillbook.dat"));  // not even rewritten
}

TEST_F(Groups, ARenamedGroupKeepsItsCardsUnderOtherUntilTheBulkChangeMovesThem) {
  EXPECT_EQ((Items{"友人: 加藤", "仕事:", "その他: 佐藤"}), TreeOutline(tree_));
  OpenEdit();
  Select(0);
  Type(IDC_GROUP_NAME, "親友");
  Click(IDC_GROUP_CHANGE_NAME);
  ClickExpecting(IDC_GROUP_REGISTER, kRegistered, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ((Items{"親友:", "仕事:", "その他: 加藤 佐藤"}), TreeOutline(tree_));

  OpenChange();
  EXPECT_EQ((Items{"親友", "仕事"}), ComboBoxItems(GetDlgItem(dialog_, IDC_CHANGE_AFTER)));
  Type(IDC_CHANGE_BEFORE, "友人");
  SendDlgItemMessageA(dialog_, IDC_CHANGE_AFTER, CB_SETCURSEL, 0, 0);
  ClickExpecting(IDC_CHANGE_CONVERT, kChanged, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ((Items{"親友: 加藤", "仕事:", "その他: 佐藤"}), TreeOutline(tree_));
  EXPECT_TRUE(RootSelected());
  // On disk at once, with the panel still open.
  CardTable& saved = SavedCards();
  EXPECT_STREQ("親友", saved.m_cards[1].group);
  EXPECT_EQ(3, saved.m_cards[1].modifyCount);
  EXPECT_STREQ("", saved.m_cards[2].group);
}

TEST_F(Groups, TheBulkChangeReachesEveryCardWhereverItLies) {
  Open({CardLine("山田 太郎", "ﾔﾏﾀﾞ", "旧"), CardLine("削除1", "ｻｸｼﾞｮ"), CardLine("削除2", "ｻｸｼﾞｮ"),
        CardLine("三", "ｻﾝ", "旧"), CardLine("四", "ﾖﾝ", "旧"), CardLine("五", "ｺﾞ", "旧 ")},
       {"友人", "仕事"});
  for (const char* name : {"削除1", "削除2"}) {
    PostMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, (LPARAM)FindTreeItem(tree_, name));
    ASSERT_TRUE(
        host_.WaitFor([&] { return TreeItemText(tree_, TreeView_GetSelection(tree_)) == name; }));
    PostClick(panel_, IDC_DELETE_CARD);
    ASSERT_TRUE(host_.WaitFor([&] { return FindTreeItem(tree_, name) == nullptr; }));
  }
  // The cards now lie in slots 0, 3, 4 and 5 of a table that counts four.
  OpenChange();
  Type(IDC_CHANGE_BEFORE, "旧");
  SendDlgItemMessageA(dialog_, IDC_CHANGE_AFTER, CB_SETCURSEL, 1, 0);
  ClickExpecting(IDC_CHANGE_CONVERT, kChanged, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ((Items{"友人:", "仕事: 三 四", "その他: 五"}), TreeOutline(tree_));
  CardTable& saved = SavedCards();
  ASSERT_EQ(4, saved.m_nCardCount);
  EXPECT_STREQ("仕事", saved.m_cards[0].group);  // the owner's card too
  EXPECT_STREQ("仕事", saved.m_cards[1].group);
  EXPECT_STREQ("仕事", saved.m_cards[2].group);
  EXPECT_STREQ("旧 ", saved.m_cards[3].group);
}

TEST_F(Groups, TheBulkChangeAsksForBothNamesAndTakesOnlyAListedAfterName) {
  std::string cards = File("Quillbook.dat");
  OpenChange();
  ClickExpecting(IDC_CHANGE_CONVERT, "変換前ｸﾞﾙｰﾌﾟ名を設定して下さい。", "stop");
  EXPECT_FALSE(shownDuringBox_);
  EXPECT_TRUE(IsWindowVisible(dialog_));
  Type(IDC_CHANGE_BEFORE, "友人");
  Type(IDC_CHANGE_AFTER, "新しい名前");  // typed, not chosen
  ClickExpecting(IDC_CHANGE_CONVERT, "変換後ｸﾞﾙｰﾌﾟ名を選択して下さい。", "stop");
  EXPECT_TRUE(IsWindowVisible(dialog_));
  EXPECT_EQ(cards, File("Quillbook.dat"));

  // A name that no card holds still ends the dialog with its message.
  Type(IDC_CHANGE_BEFORE, "誰もいない");
  SendDlgItemMessageA(dialog_, IDC_CHANGE_AFTER, CB_SETCURSEL, 1, 0);
  ClickExpecting(IDC_CHANGE_CONVERT, kChanged, "information");
  ASSERT_TRUE(Closed());
  CardTable& saved = SavedCards();
  ASSERT_EQ(3, saved.m_nCardCount);
  EXPECT_STREQ("友人", saved.m_cards[1].group);
  EXPECT_NE(cards, File("Quillbook.dat"));  // written by the panel all the same
}

TEST_F(Groups, AGroupFileWithoutNamesOffersNoAfterName) {
  DeleteFileA(host_.services.BookFile("Group.dat").c_str());
  OpenChange();
  EXPECT_TRUE(ComboBoxItems(GetDlgItem(dialog_, IDC_CHANGE_AFTER)).empty());
  Type(IDC_CHANGE_BEFORE, "友人");
  ClickExpecting(IDC_CHANGE_CONVERT, "変換後ｸﾞﾙｰﾌﾟ名を選択して下さい。", "stop");
  Click(IDCANCEL);
  EXPECT_TRUE(Closed());
}

TEST_F(Groups, BothButtonsRefuseWhileACardIsEdited) {
  PostClick(panel_, IDC_EDIT_CARD);
  ASSERT_TRUE(host_.WaitFor([&] { return IsWindowVisible(Control(panel_, IDC_GROUP_COMBO)); }));
  for (auto [button, text] :
       {std::pair<int, const char*>{IDC_GROUP_EDIT, "編集中は、グループ編集できません！"},
        {IDC_GROUP_CHANGE, "編集中は、グループ一括変換できません！"}}) {
    PostClick(panel_, button);
    MessageBoxView box = WaitForMessageBox(thread_);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ("Quillbook", box.caption);
    EXPECT_EQ("stop", box.icon);
    if (box.window != nullptr) box.Press(IDOK);
    Settle();
    EXPECT_EQ(nullptr, FindDialog(thread_, kGroupEditTitle));
    EXPECT_EQ(nullptr, FindDialog(thread_, kGroupChangeTitle));
  }
}

// Soundness of the group list.

TEST_F(Groups, AFailedRegisterLeavesTheOldListAndTheDialogOpen) {
  std::string blocker = host_.services.BookFile("Group.dat.new");
  ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
  OpenEdit();
  Select(0);
  Click(IDC_GROUP_DELETE);
  ClickExpecting(IDC_GROUP_REGISTER, "グループ名設定ファイルを開けませんでした。", "exclamation");
  EXPECT_FALSE(shownDuringBox_);
  EXPECT_TRUE(IsWindowVisible(dialog_));
  EXPECT_EQ((Items{"仕事"}), List());
  EXPECT_EQ("友人\r\n仕事\r\n", File("Group.dat"));

  RemoveDirectoryA(blocker.c_str());
  ClickExpecting(IDC_GROUP_REGISTER, kRegistered, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ("仕事\r\n", File("Group.dat"));
}

TEST_F(Groups, AnEleventhGroupIsRefusedAndALongerFileKeepsEveryName) {
  Items ten;
  for (int i = 0; i < 10; ++i) ten.push_back("g" + std::to_string(i));
  Open({CardLine("山田 太郎", "ﾔﾏﾀﾞ")}, ten);
  OpenEdit();
  Type(IDC_GROUP_NAME, "g10");
  ClickExpecting(IDC_GROUP_ADD, "グループは10件までしか登録できません。", "stop");
  EXPECT_EQ(ten, List());
  Click(IDCANCEL);
  ASSERT_TRUE(Closed());

  Items twelve = ten;
  twelve.push_back("g10");
  twelve.push_back("g11");
  Open({CardLine("山田 太郎", "ﾔﾏﾀﾞ"), CardLine("加藤", "ｶﾄｳ", "g11")}, twelve);
  Items outline = TreeOutline(tree_);
  ASSERT_EQ(11u, outline.size());
  EXPECT_EQ("g9:", outline[9]);
  EXPECT_EQ("その他: 加藤", outline[10]);
  OpenEdit();
  EXPECT_EQ(twelve, List());  // the dialog shows them all, to be pared down
  Click(IDCANCEL);
  ASSERT_TRUE(Closed());
  std::string file = File("Group.dat");
  ASSERT_TRUE(host_.ClosePanel());
  panel_ = nullptr;
  EXPECT_EQ(file, File("Group.dat"));
}

TEST_F(Groups, ANameTheFileWouldCutIsRefused) {
  std::string longest;
  for (int i = 0; i < 31; ++i) longest += "あ";
  const std::string tooLong = "a" + longest;
  const std::string message = "グループ名が長すぎます。（半角62文字まで）";
  OpenEdit();
  Type(IDC_GROUP_NAME, tooLong.c_str());
  ClickExpecting(IDC_GROUP_ADD, message, "stop");
  Select(1);
  Type(IDC_GROUP_NAME, tooLong.c_str());
  ClickExpecting(IDC_GROUP_CHANGE_NAME, message, "stop");
  EXPECT_EQ((Items{"友人", "仕事"}), List());

  Type(IDC_GROUP_NAME, longest.c_str());
  Click(IDC_GROUP_ADD);
  ClickExpecting(IDC_GROUP_REGISTER, kRegistered, "information");
  ASSERT_TRUE(Closed());
  OpenEdit();
  EXPECT_EQ((Items{"友人", "仕事", longest}), List());  // whole after a read
  Click(IDCANCEL);
}

}  // namespace
