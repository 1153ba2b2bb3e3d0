// Checking and storing the card in the form.
#include "host/host_window.h"
#include "tests/win32/editing_fixture.h"
#include "tests/win32/settings_view.h"

CardTable EditingPanel::m_table;

namespace {

using Editing = EditingPanel;

TEST_F(Editing, ANewCardIsStoredUnderAFreeIdAfterTheQuestion) {
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return ControlText(m_hPanel, IDC_CARD_ID) == "-1"; }));
  EXPECT_EQ("新規カード", ControlText(m_hPanel, IDC_NAME));
  Type(IDC_CARD_ID, " 999 ");
  Type(IDC_NAME, "新人");
  Type(IDC_READING, "ｼﾝｼﾞﾝ");
  Type(IDC_MEMO, "line1\r\nline2\tend");
  Click(IDC_SAVE_CARD);
  MessageBoxView box = WaitForMessageBox(m_dwThread);
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ("Quillbook", box.caption);
  EXPECT_EQ("question", box.icon);
  EXPECT_EQ(
      "このデータを指定したIDに登録しますか？\n登録先IDに既にデータがある場合は上書きされます。",
      box.text);
  EXPECT_EQ(1, m_host.tool->m_bModalBusy);
  box.Press(IDYES);
  EXPECT_EQ("3", ControlText(m_hPanel, IDC_CARD_ID));  // the free ID, filled in before asking
  ASSERT_TRUE(m_host.WaitFor(
      [&] { return TreeItemText(m_hTree, TreeView_GetSelection(m_hTree)) == "新人"; }));
  EXPECT_EQ(0, m_host.tool->m_bModalBusy);
  CardTable& saved = Saved();
  ASSERT_EQ(4, saved.m_nCardCount);
  EXPECT_STREQ("新人", saved.m_cards[3].name);
  EXPECT_STREQ("line1  line2 end", saved.m_cards[3].memo);  // kept in one line
  EXPECT_EQ(0, saved.m_cards[3].modifyCount);
  EXPECT_STREQ("2026/7/4  09:05", saved.m_cards[3].lastModified);
}

// Typed text arrives as the system delivers it: a WM_CHAR for each UTF-16
// code unit, or a whole character in a WM_IME_CHAR from the input method,
// posted to the focused edit of the panel and of the host's search box.
// Trail bytes 0x5C (ソ, 表) and half-width katakana are among them.
TEST_F(Editing, JapaneseTypedIntoTheFormIsStoredAndFoundAsItsCodePage932Bytes) {
  auto typeInto = [](HWND dialog, HWND edit, const wchar_t* keys, UINT message) {
    PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    PostMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* key = keys; *key != L'\0'; ++key) PostMessageW(edit, message, *key, 1);
  };
  struct Typed {
    int id;
    const wchar_t* keys;
    UINT message;
    const char* text;
  };
  const Typed typed[] = {
      {IDC_NAME, L"テスト 花子", WM_CHAR, "テスト 花子"},
      {IDC_READING, L"ﾃｽﾄ ﾊﾅｺ", WM_CHAR, "ﾃｽﾄ ﾊﾅｺ"},
      {IDC_ADDRESS, L"東京都渋谷区表参道1-2", WM_IME_CHAR, "東京都渋谷区表参道1-2"},
      {IDC_MEMO, L"ソフト部の友人", WM_CHAR, "ソフト部の友人"},
  };
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return Text(IDC_CARD_ID) == "-1"; }));
  for (const Typed& t : typed) typeInto(m_hPanel, Control(m_hPanel, t.id), t.keys, t.message);
  Settle();
  for (const Typed& t : typed) EXPECT_EQ(t.text, Text(t.id)) << t.id;
  Type(IDC_CARD_ID, "999");  // the next free ID
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "テスト 花子"; }));
  Saved();
  EXPECT_NE(std::string::npos, ReadFileBytes(m_host.services.BookFile("Quillbook.dat"))
                                   .find("テスト 花子\tﾃｽﾄ ﾊﾅｺ\t\t\t東京都渋谷区表参道1-2\t"));
  EXPECT_STREQ("ソフト部の友人", m_table.m_cards[3].memo);

  CHostWindow host;
  ASSERT_TRUE(host.CreateMain("ScribellaHost"));
  host.AttachTool(m_host.tool);
  typeInto(host.m_hWnd, GetDlgItem(host.m_hWnd, kSearchTextBox), L"花子", WM_CHAR);
  Settle();
  PostMessageA(host.m_hWnd, WM_COMMAND, MAKEWPARAM(kSearchButton, BN_CLICKED), 0);
  Settle();
  HWND results = GetDlgItem(host.m_hWnd, kSearchResultList);
  ASSERT_EQ(1, SendMessageA(results, LB_GETCOUNT, 0, 0));
  char line[256] = {};
  SendMessageA(results, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
  EXPECT_EQ(std::string("テスト 花子 (ﾃｽﾄ ﾊﾅｺ) [  ] : \"テスト 花子\""), line);
  host.DestroyWindow();
  MSG quit;  // the host's window ends its program as it goes: not this one
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(Editing, AnEmptyNameAndABadPhoneGiveOnlyTheNameMessage) {
  Click(IDC_EDIT_CARD);
  Settle();
  EXPECT_TRUE(Editable());
  Type(IDC_NAME, "   ");
  Type(IDC_PHONE1, "abc");
  Click(IDC_SAVE_CARD);
  MessageBoxView box = WaitForMessageBox(m_dwThread);
  EXPECT_EQ("”名前”が入力されていません。", box.text);
  EXPECT_EQ("stop", box.icon);
  box.Press(IDOK);
  Settle();
  EXPECT_EQ(nullptr, WaitForMessageBox(m_dwThread, 300).window);
  EXPECT_EQ("", ControlText(m_hPanel, IDC_NAME));  // trimmed and written back
  Type(IDC_NAME, "山田");
  Click(IDC_SAVE_CARD);
  box = WaitForMessageBox(m_dwThread);
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
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  EXPECT_EQ("山田 花子  のアドレス帳", TreeItemText(m_hTree, TreeView_GetRoot(m_hTree)));
  CardTable& saved = Saved();
  EXPECT_STREQ("山田 花子", saved.m_cards[0].name);
  EXPECT_EQ(4, saved.m_cards[0].modifyCount);
}

TEST_F(Editing, RefusalsChangeNothing) {
  Click(IDC_DELETE_CARD);  // the root is selected
  MessageBoxView box = WaitForMessageBox(m_dwThread);
  EXPECT_EQ("削除できません！\n個人カードを選択して下さい。", box.text);
  box.Press(IDOK);
  Click(IDC_EDIT_CARD);
  Settle();
  CheckDlgButton(m_hPanel, IDC_SORT_GROUP, BST_CHECKED);
  CheckDlgButton(m_hPanel, IDC_SORT_NAME, BST_UNCHECKED);
  Click(IDC_SORT_GROUP);
  box = WaitForMessageBox(m_dwThread);
  EXPECT_EQ("カードの編集中は表示切替できません！", box.text);
  box.Press(IDOK);
  Settle();
  // The mode in force shows pressed again.
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_NAME));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_GROUP));
  EXPECT_EQ(3, m_host.tool->m_history.GetSize());
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
  TreeView_SelectItem(m_hTree, FindTreeItem(m_hTree, "加藤"));
  Click(IDC_DELETE_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "加藤") == nullptr; }));
  CardTable& saved = Saved();
  EXPECT_EQ(2, saved.m_nCardCount);
  EXPECT_STREQ("佐藤", saved.m_cards[1].name);
}

TEST_F(Editing, ChecksRunInOrderAndFocusTheFieldConcerned) {
  EditCard("加藤");
  Type(IDC_CARD_ID, "abc");
  Type(IDC_NAME, "");
  Type(IDC_READING, "かとう");
  Type(IDC_PHONE2, "03-x");
  Type(IDC_MAIL3, "no-at-sign.jp");
  EXPECT_EQ(IDC_CARD_ID, SaveRefused(kBadIdText));
  Type(IDC_CARD_ID, " 1 ");
  EXPECT_EQ(IDC_NAME, SaveRefused("”名前”が入力されていません。"));
  EXPECT_EQ("1", Text(IDC_CARD_ID));
  Type(IDC_NAME, " 加藤 一 ");
  Type(IDC_READING, "  ");
  EXPECT_EQ(IDC_READING, SaveRefused("”読み”が入力されていません。"));
  EXPECT_EQ("加藤 一", Text(IDC_NAME));
  Type(IDC_READING, "かとう");
  EXPECT_EQ(IDC_READING, SaveRefused("”読み”は半角文字で入力して下さい。"));
  Type(IDC_READING, "Kato");
  const char* badPhone =
      "電話番号が不正です。\n半角数字および一部の半角記号または、\"P\"(ﾎﾟｰｽﾞ)"
      "以外は使用できません。";
  EXPECT_EQ(IDC_PHONE2, SaveRefused(badPhone));
  Type(IDC_PHONE2, " (03) 1234-5678P12 ");
  Type(IDC_PHONE3, "03p1");
  EXPECT_EQ(IDC_PHONE3, SaveRefused(badPhone));
  Type(IDC_PHONE3, "");
  const char* badMail =
      "メールアドレスが不正です。\n不正な文字がないか、\"@\"や\".\"が正しく入力されているか確認して"
      "下さい。";
  EXPECT_EQ(IDC_MAIL3, SaveRefused(badMail));
  EXPECT_TRUE(Editable());
  Type(IDC_MAIL3, "@example.jp");
  ASSERT_TRUE(SavedWithoutQuestion());
  EXPECT_EQ("(03) 1234-5678P12", Text(IDC_PHONE2));
  EXPECT_EQ("その他: 加藤 一", TreeOutline(m_hTree).back());  // filed anew by its reading
  CardTable& saved = Saved();
  EXPECT_STREQ("加藤 一", saved.m_cards[1].name);
  EXPECT_STREQ("Kato", saved.m_cards[1].reading);
  EXPECT_STREQ("@example.jp", saved.m_cards[1].mails[2].address);
  EXPECT_EQ(4, saved.m_cards[1].modifyCount);
}

TEST_F(Editing, RefusesMailAddressesByTheirBytesAndTheirDots) {
  EditCard("加藤");
  const char* badMail =
      "メールアドレスが不正です。\n不正な文字がないか、\"@\"や\".\"が正しく入力されているか確認して"
      "下さい。";
  for (const char* address :
       {"a+b@example.jp", "a b@example.jp", "first.last@example", "ａ@b.jp", "a\"b@example.jp"}) {
    Type(IDC_MAIL1, address);
    EXPECT_EQ(IDC_MAIL1, SaveRefused(badMail)) << address;
  }
  Type(IDC_MAIL1, "a_b-c~d|e#f$g=h%i`j<k>l:m;n[o]p(q)r{s}t&u!v^w@x.jp");
  EXPECT_TRUE(SavedWithoutQuestion());
}

TEST_F(Editing, RefusesIdsOutsideTheTableAndZeroForAnyCardButTheOwner) {
  EditCard("加藤");
  for (const char* id : {"0", "00", "501", "-5", "abc", "+0"}) {
    Type(IDC_CARD_ID, id);
    EXPECT_EQ(IDC_CARD_ID, SaveRefused(kBadIdText)) << id;
  }
  Click(IDC_CANCEL_EDIT);
  Select(TreeView_GetRoot(m_hTree));
  ASSERT_TRUE(m_host.WaitFor([&] { return Text(IDC_CARD_ID) == "0"; }));
  EditSelected();
  for (const char* id : {"00", "0x", " 501"}) {
    Type(IDC_CARD_ID, id);
    EXPECT_EQ(IDC_CARD_ID, SaveRefused(kBadIdText)) << id;
  }
  Type(IDC_CARD_ID, "0");
  EXPECT_TRUE(SavedWithoutQuestion());
}

TEST_F(Editing, ABlankIdStoresUnderTheOwnSlotWithoutAsking) {
  EditCard("佐藤");
  Type(IDC_CARD_ID, "  ");
  Type(IDC_MEMO, "空のID");
  ASSERT_TRUE(SavedWithoutQuestion());
  EXPECT_EQ("2", Text(IDC_CARD_ID));
  EXPECT_EQ("佐藤", Selected());
  CardTable& saved = Saved();
  EXPECT_EQ(3, saved.m_nCardCount);
  EXPECT_STREQ("空のID", saved.m_cards[2].memo);
  EXPECT_EQ(4, saved.m_cards[2].modifyCount);
}

TEST_F(Editing, ATextWithDigitsFirstGoesUnderItsNumberAfterTheQuestion) {
  EditCard("加藤");
  Type(IDC_CARD_ID, "12abc");
  Click(IDC_SAVE_CARD);
  MessageBoxView box = Answer(IDNO);
  EXPECT_EQ(kIdQuestion, box.text);
  EXPECT_EQ(IDC_CARD_ID, FocusedId());
  EXPECT_TRUE(Editable());
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  EXPECT_EQ("12", Text(IDC_CARD_ID));  // the selected card is now the copy in slot 12
  // The card under the old ID stays; the copy starts its own count.
  std::vector<std::string> outline = TreeOutline(m_hTree);
  EXPECT_EQ("か行: 加藤 加藤", outline[1]);
  CardTable& saved = Saved();
  ASSERT_EQ(4, saved.m_nCardCount);
  EXPECT_STREQ("加藤", saved.m_cards[3].name);
  EXPECT_EQ(0, saved.m_cards[3].modifyCount);
  EXPECT_EQ(3, saved.m_cards[1].modifyCount);
}

TEST_F(Editing, NineNineNineTakesTheFirstFreeIdUntilTheBookIsFull) {
  Open(BookOf(499));
  EditCard("カード7");
  Type(IDC_CARD_ID, "999");
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDNO).text);
  EXPECT_EQ("499", Text(IDC_CARD_ID));  // No leaves the ID it was given
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  EditSelected();
  Type(IDC_CARD_ID, "999");
  EXPECT_EQ(IDC_CARD_ID, SaveRefused(kFullBookText));
  EXPECT_EQ("999", Text(IDC_CARD_ID));
  EXPECT_EQ(500, Saved().m_nCardCount);
}

TEST_F(Editing, AFreeIdInAFullBookIsRefusedLikeNineNineNine) {
  // A 501st card would not come back from the file.
  Open(BookOf(500));
  Select("カード10");
  Click(IDC_DELETE_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "カード10") == nullptr; }));
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return Text(IDC_CARD_ID) == "-1"; }));
  Type(IDC_CARD_ID, "10");
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return Selected() == "新規カード" && !Editable(); }));
  EditCard("カード20");
  Type(IDC_CARD_ID, "500");  // free: the file had 500 cards in slots 0 to 499
  EXPECT_EQ(IDC_CARD_ID, SaveRefused(kFullBookText));
  Type(IDC_CARD_ID, "30");  // overwriting a card keeps the count
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return !Editable(); }));
  EXPECT_EQ(nullptr, FindTreeItem(m_hTree, "カード30"));
  CardTable& saved = Saved();
  EXPECT_EQ(500, saved.m_nCardCount);
}

TEST_F(Editing, APendingNewCardNeedsAnId) {
  Click(IDC_NEW_CARD);
  ASSERT_TRUE(m_host.WaitFor([&] { return Text(IDC_CARD_ID) == "-1"; }));
  EXPECT_EQ(IDC_CARD_ID, SaveRefused(kBadIdText));
  Type(IDC_CARD_ID, "");  // a blank asks for the own slot, which it has not
  EXPECT_EQ(IDC_CARD_ID, SaveRefused(kBadIdText));
  EXPECT_EQ("-1", Text(IDC_CARD_ID));
  Type(IDC_CARD_ID, "2");  // an existing card's ID overwrites it after the question
  Click(IDC_SAVE_CARD);
  EXPECT_EQ(kIdQuestion, Answer(IDYES).text);
  ASSERT_TRUE(m_host.WaitFor([&] { return FindTreeItem(m_hTree, "佐藤") == nullptr; }));
  EXPECT_EQ("新規カード", Selected());
  CardTable& saved = Saved();
  EXPECT_EQ(3, saved.m_nCardCount);
  EXPECT_STREQ("新規カード", saved.m_cards[2].name);
}

}  // namespace
