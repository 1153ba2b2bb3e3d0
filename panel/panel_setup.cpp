// What the panel does before the user sees it.
#include <stdlib.h>

#include "framework/cwin_app.h"
#include "panel/panel_ids.h"
#include "sdk/tool_messages.h"
#include "tool/card_book_tool.h"

namespace {

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 600;

int ReadIntSetting(HostServices* host, int section, const char* key) {
  char value[kSettingValueSize] = {};
  if (host != nullptr) host->ReadSetting(section, key, value);
  value[kSettingValueSize - 1] = '\0';
  return atoi(value);
}

struct ControlPlace {
  int id;
  int left, top, width, height;
};

// In the template's order.
const ControlPlace kControls[kPanelControls] = {
    {IDC_SORT_NAME, 280, 20, 70, 32},      {IDC_SORT_GROUP, 355, 20, 70, 32},
    {IDC_LIST_TITLE, 10, 17, 250, 30},     {IDC_TREE, 10, 50, 250, 525},
    {IDC_NEW_CARD, 445, 20, 32, 32},       {IDC_DELETE_CARD, 482, 20, 32, 32},
    {IDC_EDIT_CARD, 519, 20, 32, 32},      {IDC_SAVE_CARD, 556, 20, 32, 32},
    {IDC_CANCEL_EDIT, 593, 20, 32, 32},    {IDC_GROUP_EDIT, 630, 20, 32, 32},
    {IDC_GROUP_CHANGE, 667, 20, 32, 32},   {IDC_NAME, 350, 77, 200, 20},
    {IDC_CARD_ID, 615, 77, 50, 15},        {IDC_READING, 350, 102, 200, 15},
    {IDC_GROUP_TEXT, 350, 122, 160, 15},   {IDC_GROUP_COMBO, 350, 122, 160, 15},
    {IDC_CARD_LIST, 310, 147, 400, 260},   {IDC_POSTAL_CODE, 350, 152, 120, 15},
    {IDC_ADDRESS, 350, 172, 360, 45},      {IDC_PHONE_TYPE1, 350, 232, 16, 16},
    {IDC_PHONE_TYPE2, 350, 253, 16, 16},   {IDC_PHONE_TYPE3, 350, 274, 16, 16},
    {IDC_PHONE1, 374, 232, 150, 15},       {IDC_PHONE2, 374, 253, 150, 15},
    {IDC_PHONE3, 374, 274, 150, 15},       {IDC_MAIL_TYPE1, 350, 305, 16, 16},
    {IDC_MAIL_TYPE2, 350, 326, 16, 16},    {IDC_MAIL_TYPE3, 350, 347, 16, 16},
    {IDC_MAIL1, 374, 305, 320, 15},        {IDC_MAIL2, 374, 326, 320, 15},
    {IDC_MAIL3, 374, 347, 320, 15},        {IDC_MEMO, 350, 377, 360, 45},
    {IDC_LABEL_NAME, 295, 77, 50, 20},     {IDC_LABEL_ID, 580, 77, 30, 15},
    {IDC_LABEL_READING, 295, 102, 50, 15}, {IDC_LABEL_GROUP, 295, 122, 50, 15},
    {IDC_LABEL_POSTAL, 295, 152, 50, 15},  {IDC_LABEL_ADDRESS, 295, 172, 50, 15},
    {IDC_LABEL_PHONE, 295, 232, 50, 15},   {IDC_LABEL_MAIL, 295, 305, 50, 15},
    {IDC_LABEL_MEMO, 295, 377, 50, 15},
};

// The order in which the controls are moved into place.
const int kMoveOrder[kPanelControls] = {
    IDC_SORT_NAME,    IDC_SORT_GROUP,   IDC_LIST_TITLE,    IDC_TREE,        IDC_NEW_CARD,
    IDC_DELETE_CARD,  IDC_EDIT_CARD,    IDC_SAVE_CARD,     IDC_CANCEL_EDIT, IDC_GROUP_EDIT,
    IDC_GROUP_CHANGE, IDC_CARD_LIST,    IDC_NAME,          IDC_CARD_ID,     IDC_READING,
    IDC_GROUP_TEXT,   IDC_GROUP_COMBO,  IDC_POSTAL_CODE,   IDC_ADDRESS,     IDC_PHONE_TYPE1,
    IDC_PHONE_TYPE2,  IDC_PHONE_TYPE3,  IDC_PHONE1,        IDC_PHONE2,      IDC_PHONE3,
    IDC_MAIL_TYPE1,   IDC_MAIL_TYPE2,   IDC_MAIL_TYPE3,    IDC_MAIL1,       IDC_MAIL2,
    IDC_MAIL3,        IDC_MEMO,         IDC_LABEL_NAME,    IDC_LABEL_ID,    IDC_LABEL_READING,
    IDC_LABEL_GROUP,  IDC_LABEL_POSTAL, IDC_LABEL_ADDRESS, IDC_LABEL_PHONE, IDC_LABEL_MAIL,
    IDC_LABEL_MEMO,
};

const int kButtonIds[kBitmapButtons] = {IDC_NEW_CARD,    IDC_DELETE_CARD, IDC_EDIT_CARD,
                                        IDC_SAVE_CARD,   IDC_CANCEL_EDIT, IDC_GROUP_EDIT,
                                        IDC_GROUP_CHANGE};

struct Tip {
  int id;
  bool field;
  const char* text;
};

const Tip kTips[] = {
    {IDC_NEW_CARD, false, "新規カード作成"},
    {IDC_DELETE_CARD, false, "カード削除"},
    {IDC_EDIT_CARD, false, "カード編集"},
    {IDC_SAVE_CARD, false, "編集を保存"},
    {IDC_CANCEL_EDIT, false, "編集を取消し"},
    {IDC_GROUP_EDIT, false, "グループ設定編集"},
    {IDC_GROUP_CHANGE, false, "グループ名一括変更"},
    {IDC_NAME, true, "名前： 入力しないと登録出来ません。半角64文字、全角32文字。"},
    {IDC_CARD_ID, true, "ID： 半角数字 1～500。空白の場合、元のIDに上書きします。"},
    {IDC_READING, true, "読み： 入力しないと登録出来ません。半角64文字。全角文字は登録不可です。"},
    {IDC_GROUP_COMBO, true, "ｸﾞﾙｰﾌﾟ： ﾘｽﾄから選択して下さい。設定画面からｸﾞﾙｰﾌﾟ設定可能です。"},
    {IDC_POSTAL_CODE, true, "郵便番号： 半角16文字で入力して下さい。または全角でも8文字までＯＫ。"},
    {IDC_ADDRESS, true, "住所： 半角512文字（全角256文字）まで入力可。"},
    {IDC_PHONE_TYPE1, true, "電話番号種別１： ﾏｳｽｸﾘｯｸで種別ｱｲｺﾝを変更出来ます。"},
    {IDC_PHONE_TYPE2, true, "電話番号種別２： ﾏｳｽｸﾘｯｸで種別ｱｲｺﾝを変更出来ます。"},
    {IDC_PHONE_TYPE3, true, "電話番号種別３： ﾏｳｽｸﾘｯｸで種別ｱｲｺﾝを変更出来ます。"},
    {IDC_PHONE1, true, "電話番号１： 半角数字、または\"-\"、\"( )\"で24文字まで。"},
    {IDC_PHONE2, true, "電話番号２： 半角数字、または\"-\"、\"( )\"で24文字まで。"},
    {IDC_PHONE3, true, "電話番号３： 半角数字、または\"-\"、\"( )\"で24文字まで。"},
    {IDC_MAIL_TYPE1, true, "ﾒｰﾙｱﾄﾞﾚｽ種別１： ﾏｳｽｸﾘｯｸで種別ｱｲｺﾝを変更出来ます。"},
    {IDC_MAIL_TYPE2, true, "ﾒｰﾙｱﾄﾞﾚｽ種別２： ﾏｳｽｸﾘｯｸで種別ｱｲｺﾝを変更出来ます。"},
    {IDC_MAIL_TYPE3, true, "ﾒｰﾙｱﾄﾞﾚｽ種別３： ﾏｳｽｸﾘｯｸで種別ｱｲｺﾝを変更出来ます。"},
    {IDC_MAIL1, true, "ﾒｰﾙｱﾄﾞﾚｽ１： 半角英数、記号などで256文字。全角文字は登録不可です。"},
    {IDC_MAIL2, true, "ﾒｰﾙｱﾄﾞﾚｽ２： 半角英数、記号などで256文字。全角文字は登録不可です。"},
    {IDC_MAIL3, true, "ﾒｰﾙｱﾄﾞﾚｽ３： 半角英数、記号などで256文字。全角文字は登録不可です。"},
    {IDC_MEMO, true, "メモ： 半角512文字（全角256文字）まで入力可。"},
};

const int kLabelIds[kFormLabels] = {IDC_LABEL_NAME,  IDC_LABEL_ID,     IDC_LABEL_READING,
                                    IDC_LABEL_GROUP, IDC_LABEL_POSTAL, IDC_LABEL_ADDRESS,
                                    IDC_LABEL_PHONE, IDC_LABEL_MAIL,   IDC_LABEL_MEMO};

const int kPhoneIconIds[3] = {IDC_PHONE_TYPE1, IDC_PHONE_TYPE2, IDC_PHONE_TYPE3};
const int kPhoneIds[3] = {IDC_PHONE1, IDC_PHONE2, IDC_PHONE3};
const int kMailIconIds[3] = {IDC_MAIL_TYPE1, IDC_MAIL_TYPE2, IDC_MAIL_TYPE3};
const int kMailIds[3] = {IDC_MAIL1, IDC_MAIL2, IDC_MAIL3};

}  // namespace

void CCardBookTool::DoDataExchange(CDataExchange* dx) {
  CToolBase::DoDataExchange(dx);
  DDX_Control(dx, IDC_SORT_NAME, m_radioSortName);
  DDX_Control(dx, IDC_SORT_GROUP, m_radioSortGroup);
  DDX_Control(dx, IDC_LIST_TITLE, m_labelListTitle);
  DDX_Control(dx, IDC_TREE, m_treeCards);
  DDX_Control(dx, IDC_NAME, m_editName);
  DDX_Control(dx, IDC_CARD_ID, m_editId);
  DDX_Control(dx, IDC_READING, m_editReading);
  DDX_Control(dx, IDC_GROUP_TEXT, m_editGroup);
  DDX_Control(dx, IDC_GROUP_COMBO, m_comboGroup);
  DDX_Control(dx, IDC_CARD_LIST, m_listCards);
  DDX_Control(dx, IDC_POSTAL_CODE, m_editPostalCode);
  DDX_Control(dx, IDC_ADDRESS, m_editAddress);
  for (int n = 0; n < 3; ++n) {
    DDX_Control(dx, kPhoneIconIds[n], m_iconPhone[n]);
    DDX_Control(dx, kPhoneIds[n], m_editPhone[n]);
    DDX_Control(dx, kMailIconIds[n], m_iconMail[n]);
    DDX_Control(dx, kMailIds[n], m_editMail[n]);
  }
  DDX_Control(dx, IDC_MEMO, m_editMemo);
  for (int i = 0; i < kFormLabels; ++i) DDX_Control(dx, kLabelIds[i], m_labelFields[i]);
  // The bitmap buttons bind themselves as they load their pictures.
}

int CCardBookTool::ReadSortMode() { return ReadIntSetting(m_pHost, m_nToolNo, "SortMode"); }

BOOL CCardBookTool::OnInitDialog() {
  CDialog::OnInitDialog();
  m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_PANEL));
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  for (int n = 0; n < 3; ++n) {
    m_pPhoneTypeBmp[n] = new CBitmap;
    m_pMailTypeBmp[n] = new CBitmap;
  }
  m_pNameOrderBmp = new CBitmap;
  m_pGroupOrderBmp = new CBitmap;

  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
  int x = ReadIntSetting(m_pHost, m_nToolNo, "WndPosX");
  int y = ReadIntSetting(m_pHost, m_nToolNo, "WndPosY");
  MoveWindow(m_hWnd, x, y, frame.right - frame.left, frame.bottom - frame.top, TRUE);
  SetWindowText("アドレス帳");

  for (int i = 0; i < kBitmapButtons; ++i) m_buttons[i].AutoLoad(kButtonIds[i], this);
  SetupControls();
  SetupTips();
  int sortMode = ReadSortMode();
  SetupTreeAndList(sortMode);

  m_labelListTitle.SetFont(static_cast<HFONT>(m_fontListTitle.m_hObject));
  for (CStatic& label : m_labelFields) {
    label.SetFont(static_cast<HFONT>(m_fontLabel.m_hObject));
  }
  m_editName.SetFont(static_cast<HFONT>(m_fontName.m_hObject));

  m_rcForm = RECT{280, 67, 740, 457};
  m_rcInfo = RECT{340, 477, 680, 577};

  LoadCards();
  LoadGroupList();
  BuildTree(sortMode);
  m_treeCards.SelectItem(m_hRootItem);
  PanelOpened();

  if (m_pHostWnd != nullptr) {
    ::PostMessageA(m_pHostWnd->GetSafeHwnd(), WM_TOOL_READY, m_nToolNo, 0);
  }
  return TRUE;
}

void CCardBookTool::SetupControls() {
  for (int id : kMoveOrder) {
    for (const ControlPlace& place : kControls) {
      if (place.id == id) {
        MoveWindow(Item(id), place.left, place.top, place.width, place.height, FALSE);
      }
    }
  }
}

void CCardBookTool::SetupTips() {
  m_tipButtons.Create(this, TTS_ALWAYSTIP);
  m_tipFields.Create(this);
  m_tipFields.SetMaxTipWidth(150);
  m_tipFields.SetTipTextColor(RGB(0, 0, 200));
  m_tipFields.SetTipBkColor(RGB(222, 222, 222));
  for (const Tip& tip : kTips) {
    (tip.field ? m_tipFields : m_tipButtons).AddTool(Item(tip.id), tip.text);
  }
}

void CCardBookTool::SetupTreeAndList(int sortMode) {
  m_pNameOrderBmp->LoadBitmap(IDB_SORT_NAME);
  m_pGroupOrderBmp->LoadBitmap(IDB_SORT_GROUP);
  m_radioSortName.SetBitmap(*m_pNameOrderBmp);
  m_radioSortGroup.SetBitmap(*m_pGroupOrderBmp);
  ShowPressedPictureWhenChecked(m_radioSortName.GetSafeHwnd(), IDB_SORT_NAME_PRESSED);
  ShowPressedPictureWhenChecked(m_radioSortGroup.GetSafeHwnd(), IDB_SORT_GROUP_PRESSED);
  if (sortMode == 0) m_radioSortName.SetCheck(BST_CHECKED);
  if (sortMode == 1) m_radioSortGroup.SetCheck(BST_CHECKED);

  m_treeImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 8, 2);
  const int images[8] = {IDB_TREE_ROOT, IDB_TREE_ROOT_SEL, IDB_TREE_HEADING, IDB_TREE_HEADING_SEL,
                         IDB_TREE_CARD, IDB_TREE_CARD_SEL, IDB_TREE_NEW,     IDB_TREE_NEW_SEL};
  int index[8];
  for (int i = 0; i < 8; ++i) {
    CBitmap bitmap;
    bitmap.LoadBitmap(images[i]);
    index[i] = m_treeImages.Add(&bitmap, RGB(0, 128, 128));
  }
  m_nRootImage = index[0];
  m_nHeadingImage = index[2];
  m_nCardImage = index[4];
  m_nNewCardImage = index[6];
  m_treeCards.SetImageList(&m_treeImages, TVSIL_NORMAL);

  m_listCards.SetExtendedStyle(m_listCards.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  struct Column {
    const char* title;
    int width;
  } const columns[] = {{"ID", 40}, {"名前", 120}, {"読み", 100}, {"電話番号", 120}};
  for (int i = 0; i < 4; ++i) m_listCards.InsertColumn(i, columns[i].title, columns[i].width);
}
