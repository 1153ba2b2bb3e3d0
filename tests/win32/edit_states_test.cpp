// The panel's card commands and the states they move between.
#include "tests/win32/editing_fixture.h"

namespace {

using EditStates = EditingPanel;

constexpr const char kSecondNewCard[] =
    "既に新規アイテムがあります！\n新規アイテムを２つ同時に編集することはできません。";

TEST_F(EditStates, ButtonsFollowTheSelectionAndTheEdit) {
  EXPECT_EQ("1000", Buttons());  // the owner
  EXPECT_TRUE(Enabled(IDC_GROUP_EDIT));
  Select("か行");
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "か行"; }));
  EXPECT_EQ("0000", Buttons());
  Select("加藤");
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "加藤"; }));
  EXPECT_EQ("1100", Buttons());
  EditSelected();
  EXPECT_TRUE(m_host.WaitFor([&] { return Buttons() == "0011"; })) << Buttons();
  EXPECT_FALSE(Enabled(IDC_GROUP_EDIT));
  EXPECT_FALSE(Enabled(IDC_GROUP_CHANGE));
  EXPECT_TRUE(Enabled(IDC_NEW_CARD));
  Click(IDC_CANCEL_EDIT);
  EXPECT_TRUE(m_host.WaitFor([&] { return !Editable() && Buttons() == "1100"; })) << Buttons();
  EXPECT_TRUE(Enabled(IDC_GROUP_CHANGE));
  Click(IDC_NEW_CARD);
  EXPECT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード" && Buttons() == "0110"; }))
      << Buttons();
  EXPECT_TRUE(Editable());
  EXPECT_FALSE(Enabled(IDC_GROUP_EDIT));
}

TEST_F(EditStates, CancelDropsTheEditsAndTheGroupChoice) {
  EditCard("加藤");
  Type(IDC_NAME, "別名");
  SendMessageA(Control(m_hPanel, IDC_GROUP_COMBO), CB_SETCURSEL, 0, 0);  // "設定なし"
  Click(IDC_CANCEL_EDIT);
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  EXPECT_EQ("加藤", Text(IDC_NAME));
  EXPECT_EQ("友人", Text(IDC_GROUP_TEXT));
  CardTable& saved = Saved();
  EXPECT_STREQ("加藤", saved.m_cards[1].name);
  EXPECT_STREQ("友人", saved.m_cards[1].group);
  EXPECT_EQ(3, saved.m_cards[1].modifyCount);
}

TEST_F(EditStates, LeavingAnEditAsksAndYesStoresLikeSave) {
  EditCard("加藤");
  Type(IDC_PHONE1, "045-1");
  Select("佐藤");
  MessageBoxView box = Answer(IDCANCEL);
  EXPECT_EQ(kSaveQuestion, box.text);
  EXPECT_EQ("question", box.icon);
  EXPECT_EQ("加藤", Selected());
  EXPECT_TRUE(Editable());

  Type(IDC_READING, "かとう");
  Select("佐藤");
  EXPECT_EQ(kSaveQuestion, Answer(IDYES).text);
  EXPECT_EQ("”読み”は半角文字で入力して下さい。", Answer(IDOK).text);
  EXPECT_EQ("加藤", Selected());  // the change is vetoed
  EXPECT_EQ(IDC_READING, FocusedId());

  Type(IDC_READING, "ｶﾄｳ");
  Select("佐藤");
  EXPECT_EQ(kSaveQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "佐藤" && Buttons() == "1100"; }));
  EXPECT_FALSE(Editable());

  EditCard("佐藤");
  Type(IDC_NAME, "捨てる");
  Select("加藤");
  EXPECT_EQ(kSaveQuestion, Answer(IDNO).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "加藤"; }));
  EXPECT_EQ("045-1", Text(IDC_PHONE1));
  CardTable& saved = Saved();
  EXPECT_STREQ("045-1", saved.m_cards[1].phones[0].number);
  EXPECT_EQ(4, saved.m_cards[1].modifyCount);
  EXPECT_STREQ("2026/7/4  09:05", saved.m_cards[1].lastModified);
  EXPECT_STREQ("佐藤", saved.m_cards[2].name);
}

TEST_F(EditStates, YesCanStoreOverTheCardBeingSelected) {
  // The item the user clicked goes with the card it held.
  EditCard("加藤");
  Type(IDC_CARD_ID, "2");
  Select("佐藤");
  EXPECT_EQ(kSaveQuestion, Answer(IDYES).text);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "佐藤") == nullptr; }));
  ASSERT_TRUE(m_host.WaitFor([&] { return Text(IDC_CARD_ID) == "2"; }));
  EXPECT_EQ("加藤", Selected());
  EXPECT_EQ("か行: 加藤 加藤", TreeOutline(m_hTree)[1]);
  CardTable& saved = Saved();
  EXPECT_EQ(3, saved.m_nCardCount);
  EXPECT_STREQ("加藤", saved.m_cards[2].name);
  EXPECT_EQ(0, saved.m_cards[2].modifyCount);
}

TEST_F(EditStates, NewWhileEditingAsksAndCancelKeepsTheNewCardPending) {
  EditSelected();  // the owner
  Click(IDC_NEW_CARD);
  EXPECT_EQ(kSaveQuestion, Answer(IDCANCEL).text);
  EXPECT_NE(nullptr, FindTreeItem(m_hTree, "新規カード"));
  EXPECT_EQ(TreeView_GetRoot(m_hTree), TreeView_GetSelection(m_hTree));
  EXPECT_TRUE(Editable());
  Click(IDC_NEW_CARD);
  EXPECT_EQ(kSecondNewCard, Answer(IDOK).text);
  Click(IDC_CANCEL_EDIT);
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  Select("新規カード");
  ASSERT_TRUE(m_host.WaitFor([&] { return Editable() && Text(IDC_CARD_ID) == "-1"; }));
  EXPECT_EQ(3, Saved().m_nCardCount);  // a pending card is not written
}

TEST_F(EditStates, DeletingThePendingNewCardLeavesTheTableAlone) {
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード"; }));
  Click(IDC_DELETE_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "新規カード") == nullptr; }));
  EXPECT_FALSE(Editable());
  Click(IDC_NEW_CARD);  // at once possible again
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード"; }));
  EXPECT_EQ(nullptr, WaitForMessageBox(m_dwThread, 100).window);
  EXPECT_EQ(3, Saved().m_nCardCount);
}

TEST_F(EditStates, DeleteRefusesHeadingsAndEdits) {
  Select("か行");
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "か行"; }));
  Click(IDC_DELETE_CARD);
  EXPECT_EQ("削除できません！\n個人カードを選択して下さい。", Answer(IDOK).text);
  EditCard("加藤");
  Click(IDC_DELETE_CARD);
  MessageBoxView box = Answer(IDOK);
  EXPECT_EQ("編集中は、カード削除できません！", box.text);
  EXPECT_EQ("stop", box.icon);
  EXPECT_NE(nullptr, FindTreeItem(m_hTree, "加藤"));
  EXPECT_TRUE(Editable());
}

TEST_F(EditStates, ANewCardKeepsWhatWasTypedAcrossSelectionAndSortChanges) {
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード"; }));
  Type(IDC_NAME, "途中");
  Type(IDC_MEMO, "まだ");
  Select("佐藤");
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "佐藤"; }));
  EXPECT_FALSE(Editable());
  Select("新規カード");
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード"; }));
  EXPECT_EQ("途中", Text(IDC_NAME));
  EXPECT_EQ("まだ", Text(IDC_MEMO));

  CheckDlgButton(m_hPanel, IDC_SORT_GROUP, BST_CHECKED);
  CheckDlgButton(m_hPanel, IDC_SORT_NAME, BST_UNCHECKED);
  Click(IDC_SORT_GROUP);
  ASSERT_TRUE(m_host.WaitFor([&] { return TreeOutline(m_hTree).size() == 4; }));
  EXPECT_EQ("1", m_host.services.Setting("SortMode"));
  // The new card comes back first under the root, by its typed name.
  EXPECT_EQ("途中", TreeItemText(m_hTree, TreeView_GetChild(m_hTree, TreeView_GetRoot(m_hTree))));
  EXPECT_EQ(TreeView_GetRoot(m_hTree), TreeView_GetSelection(m_hTree));
  Select("途中");
  ASSERT_TRUE(m_host.WaitFor([&] { return Editable() && Text(IDC_MEMO) == "まだ"; }));
  Type(IDC_CARD_ID, "999");
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "途中" && !Editable(); }));
  EXPECT_EQ("3", Text(IDC_CARD_ID));
  CardTable& saved = Saved();
  ASSERT_EQ(4, saved.m_nCardCount);
  EXPECT_STREQ("まだ", saved.m_cards[3].memo);
  EXPECT_STREQ("2026/7/4  09:05", saved.m_cards[3].created);
}

TEST_F(EditStates, TheSortButtonOfTheModeInForceRebuildsAndSelectsTheRoot) {
  Select("佐藤");
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "佐藤"; }));
  // A rebuilt tree may hand out the old item's handle again: the old item
  // is told by a text that only it has.
  TVITEMA mark = {};
  mark.mask = TVIF_TEXT;
  mark.hItem = FindTreeItem(m_hTree, "佐藤");
  mark.pszText = const_cast<char*>("before");
  SendMessageA(m_hTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&mark));
  Click(IDC_SORT_NAME);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "佐藤") != nullptr; }));
  EXPECT_EQ(nullptr, FindTreeItem(m_hTree, "before"));
  EXPECT_EQ(TreeView_GetRoot(m_hTree), TreeView_GetSelection(m_hTree));
  EXPECT_EQ("0", m_host.services.Setting("SortMode"));
}

TEST_F(EditStates, TypeIconsCycleOnlyWhileTheFormIsEditable) {
  Select("加藤");  // phone types 1, 0, 0 and mail types 2, 0, 0
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "加藤"; }));
  ClickIcon(IDC_PHONE_TYPE1);
  ClickIcon(IDC_MAIL_TYPE1);
  Settle();
  EditSelected();
  for (int n = 0; n < 5; ++n) ClickIcon(IDC_PHONE_TYPE2);  // all the way round
  for (int n = 0; n < 3; ++n) ClickIcon(IDC_PHONE_TYPE3);
  ClickIcon(IDC_MAIL_TYPE1);
  ClickIcon(IDC_MAIL_TYPE2);
  ClickIcon(IDC_MAIL_TYPE2);
  ASSERT_TRUE(SavedWithoutQuestion());
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード"; }));
  ClickIcon(IDC_PHONE_TYPE1);  // a new card cycles without Edit: 0 → 1
  ClickIcon(IDC_MAIL_TYPE3);   // 2 → 0
  Type(IDC_CARD_ID, "999");
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  CardTable& saved = Saved();
  const CardRecord& kato = saved.m_cards[1];
  EXPECT_EQ(1, kato.phones[0].type);
  EXPECT_EQ(0, kato.phones[1].type);
  EXPECT_EQ(3, kato.phones[2].type);
  EXPECT_EQ(0, kato.mails[0].type);  // 2 → 0
  EXPECT_EQ(2, kato.mails[1].type);
  const CardRecord& added = saved.m_cards[3];
  EXPECT_EQ(1, added.phones[0].type);
  EXPECT_EQ(1, added.phones[1].type);
  EXPECT_EQ(0, added.mails[2].type);
}

TEST_F(EditStates, AFullBookRefusesNew) {
  Open(BookOf(500));
  Click(IDC_NEW_CARD);
  MessageBoxView box = Answer(IDOK);
  EXPECT_EQ("これ以上登録できません！", box.text);
  EXPECT_EQ("stop", box.icon);
  EXPECT_EQ(nullptr, FindTreeItem(m_hTree, "新規カード"));
}

TEST_F(EditStates, TheFileLoadsBackIntoWhatThePanelShowed) {
  EditCard("加藤");
  Type(IDC_CARD_ID, "7");
  Type(IDC_NAME, "木村");
  Type(IDC_READING, "ｷﾑﾗ");
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  Select("佐藤");
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "佐藤"; }));
  Click(IDC_DELETE_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "佐藤") == nullptr; }));
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード"; }));
  Type(IDC_CARD_ID, "1");  // over 加藤
  Type(IDC_NAME, "浅井\tあさい");
  Type(IDC_READING, "ｱｻｲ");
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "加藤") == nullptr; }));
  Click(IDC_NEW_CARD);  // left pending: not written
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード"; }));
  Select(TreeView_GetRoot(m_hTree));
  ASSERT_TRUE(m_host.WaitFor([&] { return Text(IDC_CARD_ID) == "0"; }));
  std::vector<std::string> shown = TreeOutline(m_hTree);
  ASSERT_EQ("新規カード:", shown[0]);
  EXPECT_EQ("あ行: 浅井 あさい", shown[1]);

  m_host.ClosePanel();
  m_hPanel = m_host.OpenPanel();
  m_hTree = Control(m_hPanel, IDC_TREE);
  std::vector<std::string> reopened = TreeOutline(m_hTree);
  shown.erase(shown.begin());  // the pending new card
  EXPECT_EQ(shown, reopened);
  EXPECT_EQ(11u, reopened.size());
  EXPECT_EQ(3, Saved().m_nCardCount);
}

}  // namespace
