#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panel/panel_ids.h"
#include "tests/win32/panel_view.h"
#include "tests/win32/test_host.h"

namespace {

using Lines = std::vector<std::string>;

std::string BookFolder(const TestHost& host) {
  std::string folder = host.services.BookFile("");
  return folder.substr(0, folder.size() - 1);
}

// A book whose readings reach every heading, with the owner card first.
const Lines kBook = {
    CardLine("山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", "友人", "03-1234-5678", "taro@example.jp"),
    CardLine("学校", "ｶﾞｯｺｳ", "仕事", "090-1", ""),
    CardLine("加藤", "ｶﾄｳ", "友人", " 03", "\x82\xA0mail"),
    CardLine("ん", "ﾝ", "", "", ""),
    CardLine("を", "ｦ", "無い組", "", ""),
    CardLine("長音", "ｰ", "", "", ""),
    CardLine("数字", "1", "", "", ""),
    CardLine("Latin", "A", "", "", ""),
    CardLine("空", "", "", "", ""),
    CardLine("青木", "ｱｵｷ", "友人", "", ""),
};

class PanelView : public ::testing::Test {
 protected:
  HWND Open(int sortMode = 0, const Lines& book = kBook,
            const Lines& groups = {"友人", "仕事", "友人"}) {
    WriteBook(BookFolder(m_host), book, groups);
    if (sortMode != 0) m_host.services.settings["21/SortMode"] = std::to_string(sortMode);
    m_hPanel = m_host.OpenPanel();
    m_hTree = Control(m_hPanel, IDC_TREE);
    return m_hPanel;
  }
  void Select(const std::string& text) {
    HTREEITEM item = FindTreeItem(m_hTree, text);
    ASSERT_NE(nullptr, item) << text;
    TreeView_SelectItem(m_hTree, item);
  }
  bool Visible(int id) { return IsWindowVisible(Control(m_hPanel, id)) != FALSE; }
  // Renders the panel's own drawing into a bitmap and reads one pixel.
  COLORREF Pixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 765, 600);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(m_hPanel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return color;
  }

  TestHost m_host;
  HWND m_hPanel = nullptr;
  HWND m_hTree = nullptr;
};

TEST_F(PanelView, OpensWithTheNameOrderAndTheRootSelected) {
  ASSERT_NE(nullptr, Open());
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_NAME));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_GROUP));
  EXPECT_EQ(TreeView_GetRoot(m_hTree), TreeView_GetSelection(m_hTree));
  EXPECT_EQ("山田 太郎  のアドレス帳", TreeItemText(m_hTree, TreeView_GetRoot(m_hTree)));
  EXPECT_EQ("0", ControlText(m_hPanel, IDC_CARD_ID));
  EXPECT_EQ("山田 太郎", ControlText(m_hPanel, IDC_NAME));
  EXPECT_EQ("友人", ControlText(m_hPanel, IDC_GROUP_TEXT));
}

TEST_F(PanelView, PlacesEveryControlWithItsVisibilityAndTabStop) {
  ASSERT_NE(nullptr, Open());
  struct Expect {
    int id, left, top, width, height;
    bool visible, tabStop;
  };
  const Expect controls[] = {
      {IDC_SORT_NAME, 280, 20, 70, 32, true, false},
      {IDC_SORT_GROUP, 355, 20, 70, 32, true, false},
      {IDC_LIST_TITLE, 10, 17, 250, 30, true, false},
      {IDC_TREE, 10, 50, 250, 525, true, true},
      {IDC_NEW_CARD, 445, 20, 32, 32, true, true},
      {IDC_GROUP_CHANGE, 667, 20, 32, 32, true, true},
      {IDC_NAME, 350, 77, 200, 20, true, true},
      {IDC_CARD_ID, 615, 77, 50, 15, true, true},
      {IDC_GROUP_COMBO, 350, 122, 160, 15, false, true},
      {IDC_CARD_LIST, 310, 147, 400, 260, false, true},
      {IDC_ADDRESS, 350, 172, 360, 45, true, true},
      {IDC_PHONE_TYPE3, 350, 274, 16, 16, false, false},
      {IDC_MAIL1, 374, 305, 320, 15, true, true},
      {IDC_MEMO, 350, 377, 360, 45, true, true},
      {IDC_LABEL_ID, 580, 77, 30, 15, true, false},
      {IDC_LABEL_MEMO, 295, 377, 50, 15, true, false},
  };
  for (const Expect& e : controls) {
    RECT r = ClientRectOf(m_hPanel, e.id);
    EXPECT_EQ(e.left, r.left) << e.id;
    EXPECT_EQ(e.top, r.top) << e.id;
    if (e.id != IDC_GROUP_COMBO) {  // a drop-down list keeps the height of its font
      EXPECT_EQ(e.width, r.right - r.left) << e.id;
      EXPECT_EQ(e.height, r.bottom - r.top) << e.id;
    }
    EXPECT_EQ(e.visible, Visible(e.id)) << e.id;
    // The system gives the checked one of a radio group the tab stop itself.
    bool radio = e.id == IDC_SORT_NAME || e.id == IDC_SORT_GROUP;
    bool tabStop = (GetWindowLongA(Control(m_hPanel, e.id), GWL_STYLE) & WS_TABSTOP) != 0;
    if (!radio) {
      EXPECT_EQ(e.tabStop, tabStop) << e.id;
    }
  }
  int controlsFound = 0;
  for (HWND c = GetWindow(m_hPanel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++controlsFound;
  EXPECT_EQ(41, controlsFound);
}

TEST_F(PanelView, TipsCarryTheirTexts) {
  ASSERT_NE(nullptr, Open());
  EXPECT_EQ("新規カード作成", TipText(m_hPanel, Control(m_hPanel, IDC_NEW_CARD)));
  EXPECT_EQ("グループ名一括変更", TipText(m_hPanel, Control(m_hPanel, IDC_GROUP_CHANGE)));
  EXPECT_EQ("読み： 入力しないと登録出来ません。半角64文字。全角文字は登録不可です。",
            TipText(m_hPanel, Control(m_hPanel, IDC_READING)));
  EXPECT_EQ("電話番号２： 半角数字、または\"-\"、\"( )\"で24文字まで。",
            TipText(m_hPanel, Control(m_hPanel, IDC_PHONE2)));
  EXPECT_EQ("ﾒｰﾙｱﾄﾞﾚｽ３： 半角英数、記号などで256文字。全角文字は登録不可です。",
            TipText(m_hPanel, Control(m_hPanel, IDC_MAIL3)));
}

TEST_F(PanelView, NameOrderFilesCardsByTheFirstByteOfTheirReading) {
  ASSERT_NE(nullptr, Open());
  Lines expected = {"あ行: 青木",
                    "か行: 加藤 学校",
                    "さ行:",
                    "た行:",
                    "な行:",
                    "は行:",
                    "ま行:",
                    "や行:",
                    "ら行:",
                    "わ行: ん",
                    "その他: Latin を 空 数字 長音"};
  EXPECT_EQ(expected, TreeOutline(m_hTree));
}

TEST_F(PanelView, GroupOrderFollowsTheGroupListWithDuplicates) {
  ASSERT_NE(nullptr, Open(1));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_GROUP));
  Lines expected = {"友人: 加藤 青木", "仕事: 学校", "友人:", "その他: Latin を ん 空 数字 長音"};
  EXPECT_EQ(expected, TreeOutline(m_hTree));
}

TEST_F(PanelView, TheCheckedSortButtonShowsItsPressedPicture) {
  ASSERT_NE(nullptr, Open());
  auto picture = [this](int id) {
    return SendDlgItemMessageA(m_hPanel, id, BM_GETIMAGE, IMAGE_BITMAP, 0);
  };
  LRESULT namePressed = picture(IDC_SORT_NAME), groupUp = picture(IDC_SORT_GROUP);
  SendDlgItemMessageA(m_hPanel, IDC_SORT_GROUP, BM_CLICK, 0, 0);
  ASSERT_EQ(BST_UNCHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_NAME));
  EXPECT_NE(namePressed, picture(IDC_SORT_NAME));
  EXPECT_NE(groupUp, picture(IDC_SORT_GROUP));
  SendDlgItemMessageA(m_hPanel, IDC_SORT_NAME, BM_CLICK, 0, 0);
  EXPECT_EQ(namePressed, picture(IDC_SORT_NAME));
  EXPECT_EQ(groupUp, picture(IDC_SORT_GROUP));
}

TEST_F(PanelView, AnUnknownSortModeShowsOnlyOtherAndChecksNeitherButton) {
  ASSERT_NE(nullptr, Open(7));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_NAME));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(m_hPanel, IDC_SORT_GROUP));
  Lines outline = TreeOutline(m_hTree);
  ASSERT_EQ(1u, outline.size());
  EXPECT_EQ("その他: Latin を ん 加藤 学校 空 数字 青木 長音", outline[0]);
}

TEST_F(PanelView, ShowsACardAndItsIconsByTheFirstByteRule) {
  ASSERT_NE(nullptr, Open());
  Select("加藤");
  EXPECT_EQ("2", ControlText(m_hPanel, IDC_CARD_ID));
  EXPECT_EQ("ｶﾄｳ", ControlText(m_hPanel, IDC_READING));
  EXPECT_EQ(" 03", ControlText(m_hPanel, IDC_PHONE1));
  EXPECT_FALSE(Visible(IDC_PHONE_TYPE1));  // a blank first byte
  EXPECT_FALSE(Visible(IDC_PHONE_TYPE2));  // empty
  EXPECT_FALSE(Visible(IDC_MAIL_TYPE1));   // a first byte of 0x80 or more
  Select("学校");
  EXPECT_TRUE(Visible(IDC_PHONE_TYPE1));
  EXPECT_FALSE(Visible(IDC_MAIL_TYPE1));
  EXPECT_TRUE(IsWindowEnabled(Control(m_hPanel, IDC_DELETE_CARD)));
  EXPECT_FALSE(IsWindowEnabled(Control(m_hPanel, IDC_SAVE_CARD)));
}

TEST_F(PanelView, AHeadingListsItsCardsInIdOrderWithThreeDigitIds) {
  ASSERT_NE(nullptr, Open());
  Select("か行");
  EXPECT_TRUE(Visible(IDC_CARD_LIST));
  EXPECT_FALSE(Visible(IDC_NAME));
  Lines expected = {"001|学校|ｶﾞｯｺｳ|090-1", "002|加藤|ｶﾄｳ| 03"};
  EXPECT_EQ(expected, ListRows(Control(m_hPanel, IDC_CARD_LIST)));
  EXPECT_FALSE(IsWindowEnabled(Control(m_hPanel, IDC_EDIT_CARD)));
  Select("さ行");
  EXPECT_TRUE(ListRows(Control(m_hPanel, IDC_CARD_LIST)).empty());
}

TEST_F(PanelView, ListClicksShowDatesAndADoubleClickSelectsTheCard) {
  ASSERT_NE(nullptr, Open());
  Select("か行");
  HWND list = Control(m_hPanel, IDC_CARD_LIST);
  NMITEMACTIVATE click = {};
  click.hdr = {list, IDC_CARD_LIST, static_cast<UINT>(NM_CLICK)};
  click.iItem = -1;
  // No row selected: the owner card's dates.
  SendMessageA(m_hPanel, WM_NOTIFY, IDC_CARD_LIST, reinterpret_cast<LPARAM>(&click));
  ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
  click.hdr.code = static_cast<UINT>(NM_DBLCLK);
  SendMessageA(m_hPanel, WM_NOTIFY, IDC_CARD_LIST, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ("加藤", TreeItemText(m_hTree, TreeView_GetSelection(m_hTree)));
  EXPECT_EQ("2", ControlText(m_hPanel, IDC_CARD_ID));
  EXPECT_TRUE(Visible(IDC_NAME));
}

TEST_F(PanelView, PaintsTheFormTheInfoBoxAndTheHeadingTitle) {
  ASSERT_NE(nullptr, Open());
  EXPECT_EQ(RGB(255, 255, 200), Pixel(285, 450));  // the form fill, clear of controls
  EXPECT_NE(RGB(255, 255, 200), Pixel(280, 200));  // its etched edge
  EXPECT_EQ(RGB(0, 0, 0), Pixel(340, 560));        // the info box frame
  EXPECT_EQ(RGB(255, 255, 255), Pixel(670, 570));  // inside it
  EXPECT_EQ(RGB(0, 0, 0), Pixel(352, 486));        // "電話帳情報" in black
  Select("か行");
  EXPECT_EQ(RGB(255, 255, 255), Pixel(700, 130));  // the title box
  EXPECT_NE(RGB(255, 255, 255), Pixel(310, 120));  // its edge
}

TEST_F(PanelView, ColoursLabelsTheTitleAndEditableFields) {
  ASSERT_NE(nullptr, Open());
  HDC dc = CreateCompatibleDC(nullptr);
  auto brushColour = [](LRESULT brush) {
    LOGBRUSH info = {};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof info, &info);
    return info.lbColor;
  };
  LRESULT brush = SendMessageA(m_hPanel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(Control(m_hPanel, IDC_LABEL_NAME)));
  EXPECT_EQ(RGB(255, 255, 200), brushColour(brush));
  EXPECT_EQ(RGB(160, 0, 0), GetTextColor(dc));
  EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, RGB(1, 2, 3));
  brush = SendMessageA(m_hPanel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Control(m_hPanel, IDC_LIST_TITLE)));
  EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)), brush);
  EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
  SetBkMode(dc, OPAQUE);
  SendMessageA(m_hPanel, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(Control(m_hPanel, IDC_MEMO)));
  EXPECT_EQ(RGB(0, 0, 200), GetTextColor(dc));
  EXPECT_EQ(OPAQUE, GetBkMode(dc));
  DeleteDC(dc);
}

TEST_F(PanelView, AnEmptyBookShowsTheDefaultOwnerAndOnlyEmptyLists) {
  ASSERT_NE(nullptr, Open(0, {}, {}));
  EXPECT_EQ("ユーザー  のアドレス帳", TreeItemText(m_hTree, TreeView_GetRoot(m_hTree)));
  Select("その他");
  EXPECT_TRUE(ListRows(Control(m_hPanel, IDC_CARD_LIST)).empty());
}

}  // namespace
