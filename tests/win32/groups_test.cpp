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
    if (m_hPanel != nullptr) m_host.ClosePanel();
    m_host.services.settings["21/SortMode"] = "1";
    std::string folder = m_host.services.BookFile("");
    folder.pop_back();
    WriteBook(folder, book, groups);
    m_hPanel = m_host.OpenPanel();
    ASSERT_NE(nullptr, m_hPanel);
    m_hTree = Control(m_hPanel, IDC_TREE);
    m_dwThread = GetWindowThreadProcessId(m_hPanel, nullptr);
  }
  HWND OpenDialog(int button, const char* title) {
    PostClick(m_hPanel, button);
    m_hDialog = WaitForDialog(m_dwThread, title);
    EXPECT_NE(nullptr, m_hDialog) << title;
    return m_hDialog;
  }
  HWND OpenEdit() { return OpenDialog(IDC_GROUP_EDIT, kGroupEditTitle); }
  HWND OpenChange() { return OpenDialog(IDC_GROUP_CHANGE, kGroupChangeTitle); }
  void Settle() {
    m_host.WaitFor([] { return false; }, 200);
  }
  void Type(int id, const char* text) { SetDlgItemTextA(m_hDialog, id, text); }
  std::string Field(int id) { return ControlText(m_hDialog, id); }
  void Click(int id) {
    PostClick(m_hDialog, id);
    Settle();
  }
  Items List() { return ListBoxItems(GetDlgItem(m_hDialog, IDC_GROUP_LIST)); }
  int Selection() {
    return static_cast<int>(SendDlgItemMessageA(m_hDialog, IDC_GROUP_LIST, LB_GETCURSEL, 0, 0));
  }
  void Select(int index) {
    SelectListItem(m_hDialog, IDC_GROUP_LIST, index);
    Settle();
  }
  // Clicks and expects this box of the dialog; answers it.
  void ClickExpecting(int id, const std::string& text, const char* icon) {
    PostClick(m_hDialog, id);
    MessageBoxView box = WaitForMessageBox(m_dwThread);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ("アドレス帳", box.caption);
    EXPECT_EQ(icon, box.icon);
    // The dialog waits behind its box while the box is up, or hides itself
    // first when it set out to write.
    m_bShownDuringBox = IsWindowVisible(m_hDialog) != FALSE;
    if (box.window != nullptr) box.Press(IDOK);
    Settle();
  }
  bool NoBox() { return WaitForMessageBox(m_dwThread, 300).window == nullptr; }
  bool Closed() {
    return m_host.WaitFor([&] { return !IsWindow(m_hDialog); });
  }
  bool RootSelected() { return TreeView_GetSelection(m_hTree) == TreeView_GetRoot(m_hTree); }
  std::string File(const char* name) { return ReadFileBytes(m_host.services.BookFile(name)); }
  CardTable& SavedCards() {
    static CardTable table;
    AnyNow now;
    LoadCardFile(m_host.services.BookFile("Quillbook.dat").c_str(), table, now);
    return table;
  }

  TestHost m_host;
  HWND m_hPanel = nullptr;
  HWND m_hTree = nullptr;
  HWND m_hDialog = nullptr;
  DWORD m_dwThread = 0;
  bool m_bShownDuringBox = false;
};

TEST_F(Groups, AddAndChangeTakeOnlyANonEmptyNameNotYetListed) {
  OpenEdit();
  EXPECT_EQ((Items{"友人", "仕事"}), List());
  EXPECT_EQ(LB_ERR, Selection());
  EXPECT_EQ("", Field(IDC_GROUP_NAME));

  PostClick(m_hDialog, IDC_GROUP_ADD);
  EXPECT_TRUE(NoBox());
  EXPECT_EQ(2u, List().size());

  Type(IDC_GROUP_NAME, "友人");
  ClickExpecting(IDC_GROUP_ADD, kDuplicate, "stop");
  EXPECT_TRUE(m_bShownDuringBox);
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
  PostClick(m_hDialog, IDC_GROUP_CHANGE_NAME);
  EXPECT_TRUE(NoBox());
  EXPECT_EQ((Items{"仕事", "家族"}), List());
}

TEST_F(Groups, ADuplicateAfterAnEmptyItemGoesUnseen) {
  Open({CardLine("山田 太郎", "ﾔﾏﾀﾞ")}, {"友人", "", "仕事"});
  OpenEdit();
  Type(IDC_GROUP_NAME, "仕事");
  PostClick(m_hDialog, IDC_GROUP_ADD);
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
  EXPECT_FALSE(m_bShownDuringBox);
  ASSERT_TRUE(Closed());
  EXPECT_EQ("b\r\na\r\n", File("Group.dat"));
  EXPECT_EQ((Items{"b: 加藤", "a:", "その他:"}), TreeOutline(m_hTree));
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
  EXPECT_EQ((Items{"その他: 加藤 佐藤"}), TreeOutline(m_hTree));
}

TEST_F(Groups, CancelTheCloseBoxAndEscapeChangeNothing) {
  Items outline = TreeOutline(m_hTree);
  std::string before = File("Group.dat");
  OpenEdit();
  Type(IDC_GROUP_NAME, "家族");
  Click(IDC_GROUP_ADD);
  Click(IDCANCEL);
  ASSERT_TRUE(Closed());

  OpenEdit();
  EXPECT_EQ((Items{"友人", "仕事"}), List());  // the cancelled edit is gone
  PostMessageA(m_hDialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Closed());
  EXPECT_EQ(before, File("Group.dat"));
  EXPECT_EQ(outline, TreeOutline(m_hTree));
}

TEST_F(Groups, ReturnNeverEndsEitherDialogAndEscapeCancels) {
  std::string cards = File("Quillbook.dat");
  OpenEdit();
  Type(IDC_GROUP_NAME, "家族");
  Click(IDC_GROUP_ADD);
  HWND name = GetDlgItem(m_hDialog, IDC_GROUP_NAME);
  PostKey(name, VK_RETURN);
  PostKey(GetDlgItem(m_hDialog, IDC_GROUP_LIST), VK_RETURN);
  Settle();
  ASSERT_TRUE(IsWindowVisible(m_hDialog));
  EXPECT_EQ((Items{"友人", "仕事", "家族"}), List());
  PostKey(name, VK_ESCAPE);
  ASSERT_TRUE(Closed());
  EXPECT_EQ("友人\r\n仕事\r\n", File("Group.dat"));

  OpenChange();
  Type(IDC_CHANGE_BEFORE, "友人");
  SendDlgItemMessageA(m_hDialog, IDC_CHANGE_AFTER, CB_SETCURSEL, 1, 0);
  PostKey(GetDlgItem(m_hDialog, IDC_CHANGE_BEFORE), VK_RETURN);
  Settle();
  ASSERT_TRUE(IsWindowVisible(m_hDialog));
  PostKey(GetDlgItem(m_hDialog, IDC_CHANGE_BEFORE), VK_ESCAPE);
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(NoBox());
  EXPECT_EQ(cards, File("Quillbook.dat"));  // not even rewritten
}

TEST_F(Groups, ARenamedGroupKeepsItsCardsUnderOtherUntilTheBulkChangeMovesThem) {
  EXPECT_EQ((Items{"友人: 加藤", "仕事:", "その他: 佐藤"}), TreeOutline(m_hTree));
  OpenEdit();
  Select(0);
  Type(IDC_GROUP_NAME, "親友");
  Click(IDC_GROUP_CHANGE_NAME);
  ClickExpecting(IDC_GROUP_REGISTER, kRegistered, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ((Items{"親友:", "仕事:", "その他: 加藤 佐藤"}), TreeOutline(m_hTree));

  OpenChange();
  EXPECT_EQ((Items{"親友", "仕事"}), ComboBoxItems(GetDlgItem(m_hDialog, IDC_CHANGE_AFTER)));
  Type(IDC_CHANGE_BEFORE, "友人");
  SendDlgItemMessageA(m_hDialog, IDC_CHANGE_AFTER, CB_SETCURSEL, 0, 0);
  ClickExpecting(IDC_CHANGE_CONVERT, kChanged, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ((Items{"親友: 加藤", "仕事:", "その他: 佐藤"}), TreeOutline(m_hTree));
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
    PostMessageA(m_hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)FindTreeItem(m_hTree, name));
    ASSERT_TRUE(m_host.WaitFor(
        [&] { return TreeItemText(m_hTree, TreeView_GetSelection(m_hTree)) == name; }));
    PostClick(m_hPanel, IDC_DELETE_CARD);
    ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, name) == nullptr; }));
  }
  // The cards now lie in slots 0, 3, 4 and 5 of a table that counts four.
  OpenChange();
  Type(IDC_CHANGE_BEFORE, "旧");
  SendDlgItemMessageA(m_hDialog, IDC_CHANGE_AFTER, CB_SETCURSEL, 1, 0);
  ClickExpecting(IDC_CHANGE_CONVERT, kChanged, "information");
  ASSERT_TRUE(Closed());
  EXPECT_EQ((Items{"友人:", "仕事: 三 四", "その他: 五"}), TreeOutline(m_hTree));
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
  EXPECT_FALSE(m_bShownDuringBox);
  EXPECT_TRUE(IsWindowVisible(m_hDialog));
  Type(IDC_CHANGE_BEFORE, "友人");
  Type(IDC_CHANGE_AFTER, "新しい名前");  // typed, not chosen
  ClickExpecting(IDC_CHANGE_CONVERT, "変換後ｸﾞﾙｰﾌﾟ名を選択して下さい。", "stop");
  EXPECT_TRUE(IsWindowVisible(m_hDialog));
  EXPECT_EQ(cards, File("Quillbook.dat"));

  // A name that no card holds still ends the dialog with its message.
  Type(IDC_CHANGE_BEFORE, "誰もいない");
  SendDlgItemMessageA(m_hDialog, IDC_CHANGE_AFTER, CB_SETCURSEL, 1, 0);
  ClickExpecting(IDC_CHANGE_CONVERT, kChanged, "information");
  ASSERT_TRUE(Closed());
  CardTable& saved = SavedCards();
  ASSERT_EQ(3, saved.m_nCardCount);
  EXPECT_STREQ("友人", saved.m_cards[1].group);
  EXPECT_NE(cards, File("Quillbook.dat"));  // written by the panel all the same
}

TEST_F(Groups, AGroupFileWithoutNamesOffersNoAfterName) {
  DeleteFileA(m_host.services.BookFile("Group.dat").c_str());
  OpenChange();
  EXPECT_TRUE(ComboBoxItems(GetDlgItem(m_hDialog, IDC_CHANGE_AFTER)).empty());
  Type(IDC_CHANGE_BEFORE, "友人");
  ClickExpecting(IDC_CHANGE_CONVERT, "変換後ｸﾞﾙｰﾌﾟ名を選択して下さい。", "stop");
  Click(IDCANCEL);
  EXPECT_TRUE(Closed());
}

TEST_F(Groups, BothButtonsRefuseWhileACardIsEdited) {
  PostClick(m_hPanel, IDC_EDIT_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return IsWindowVisible(Control(m_hPanel, IDC_GROUP_COMBO)); }));
  for (auto [button, text] :
       {std::pair<int, const char*>{IDC_GROUP_EDIT, "編集中は、グループ編集できません！"},
        {IDC_GROUP_CHANGE, "編集中は、グループ一括変換できません！"}}) {
    PostClick(m_hPanel, button);
    MessageBoxView box = WaitForMessageBox(m_dwThread);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ("Quillbook", box.caption);
    EXPECT_EQ("stop", box.icon);
    if (box.window != nullptr) box.Press(IDOK);
    Settle();
    EXPECT_EQ(nullptr, FindDialog(m_dwThread, kGroupEditTitle));
    EXPECT_EQ(nullptr, FindDialog(m_dwThread, kGroupChangeTitle));
  }
}

// Soundness of the group list.

TEST_F(Groups, AFailedRegisterLeavesTheOldListAndTheDialogOpen) {
  OpenEdit();
  Select(0);
  Click(IDC_GROUP_DELETE);
  // Held by another program without sharing: the file cannot be replaced
  // nor written in place.
  HANDLE held = CreateFileA(m_host.services.BookFile("Group.dat").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  ClickExpecting(IDC_GROUP_REGISTER, "グループ名設定ファイルを開けませんでした。", "exclamation");
  CloseHandle(held);
  EXPECT_FALSE(m_bShownDuringBox);
  EXPECT_TRUE(IsWindowVisible(m_hDialog));
  EXPECT_EQ((Items{"仕事"}), List());
  EXPECT_EQ("友人\r\n仕事\r\n", File("Group.dat"));

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
  Items outline = TreeOutline(m_hTree);
  ASSERT_EQ(11u, outline.size());
  EXPECT_EQ("g9:", outline[9]);
  EXPECT_EQ("その他: 加藤", outline[10]);
  OpenEdit();
  EXPECT_EQ(twelve, List());  // the dialog shows them all, to be pared down
  Click(IDCANCEL);
  ASSERT_TRUE(Closed());
  std::string file = File("Group.dat");
  ASSERT_TRUE(m_host.ClosePanel());
  m_hPanel = nullptr;
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
