// What the panel does before the user sees it, and what it frees after.
#include <stdlib.h>
#include <string.h>

#include <initializer_list>

#include "framework/cwin_app.h"
#include "panel/card_panel.h"
#include "panel/panel_ids.h"

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

}  // namespace

CCardPanel::CCardPanel(CWnd* hostWindow) : CToolBase(IDD_PANEL, hostWindow) {
  memset(&m_table, 0, sizeof m_table);
  memset(&m_newCard, 0, sizeof m_newCard);
  memset(&m_groups, 0, sizeof m_groups);
  m_pNameOrderBmp = m_pGroupOrderBmp = nullptr;
  m_bEditing = 0;
  m_nSelKind = 0;
  m_rcForm = RECT{};
  m_rcInfo = RECT{};
}

void CCardPanel::DoDataExchange(CDataExchange* dx) {
  CToolBase::DoDataExchange(dx);
  DDX_Control(dx, IDC_SORT_NAME, m_radioSortName);
  DDX_Control(dx, IDC_SORT_GROUP, m_radioSortGroup);
  DDX_Control(dx, IDC_LIST_TITLE, m_labelListTitle);
  m_tree.DoDataExchange(dx);
  m_form.DoDataExchange(dx);
  // The bitmap buttons bind themselves as they load their pictures.
}

int CCardPanel::ReadSortMode() { return ReadIntSetting(m_pHost, m_nToolNo, "SortMode"); }

BOOL CCardPanel::OnInitDialog() {
  CDialog::OnInitDialog();
  m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_PANEL));
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  m_form.CreatePictures();
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
  SetupSortButtons(sortMode);
  m_tree.CreateImages();
  m_form.SetupHeadingList();

  m_labelListTitle.SetFont(static_cast<HFONT>(m_fontListTitle.m_hObject));
  m_form.SetFonts(static_cast<HFONT>(m_fontLabel.m_hObject),
                  static_cast<HFONT>(m_fontName.m_hObject));

  m_rcForm = RECT{280, 67, 740, 457};
  m_rcInfo = RECT{340, 477, 680, 577};

  LoadCards();
  LoadGroupList();
  m_tree.BuildTree(sortMode, m_newCard);
  m_tree.SelectItem(m_tree.RootItem());
  return TRUE;
}

void CCardPanel::SetupControls() {
  for (int id : kMoveOrder) {
    for (const ControlPlace& place : kControls) {
      if (place.id == id) {
        MoveWindow(Item(id), place.left, place.top, place.width, place.height, FALSE);
      }
    }
  }
}

void CCardPanel::SetupTips() {
  m_tipButtons.Create(this, TTS_ALWAYSTIP);
  m_tipFields.Create(this);
  m_tipFields.SetMaxTipWidth(150);
  m_tipFields.SetTipTextColor(RGB(0, 0, 200));
  m_tipFields.SetTipBkColor(RGB(222, 222, 222));
  for (const Tip& tip : kTips) {
    (tip.field ? m_tipFields : m_tipButtons).AddTool(Item(tip.id), tip.text);
  }
}

void CCardPanel::SetupSortButtons(int sortMode) {
  m_pNameOrderBmp->LoadBitmap(IDB_SORT_NAME);
  m_pGroupOrderBmp->LoadBitmap(IDB_SORT_GROUP);
  m_radioSortName.SetBitmap(*m_pNameOrderBmp);
  m_radioSortGroup.SetBitmap(*m_pGroupOrderBmp);
  ShowPressedPictureWhenChecked(m_radioSortName.GetSafeHwnd(), IDB_SORT_NAME_PRESSED);
  ShowPressedPictureWhenChecked(m_radioSortGroup.GetSafeHwnd(), IDB_SORT_GROUP_PRESSED);
  if (sortMode == 0) m_radioSortName.SetCheck(BST_CHECKED);
  if (sortMode == 1) m_radioSortGroup.SetCheck(BST_CHECKED);
}

void CCardPanel::CreateBrushAndFonts() {
  m_brPanel.CreateSolidBrush(RGB(255, 255, 200));
  struct FontSpec {
    CFont* font;
    int height;
    int weight;
    BYTE underline;
  };
  const FontSpec specs[] = {
      {&m_fontInfoText, 12, 400, FALSE}, {&m_fontInfoTitle, 12, 700, FALSE},
      {&m_fontLabel, 12, 400, TRUE},     {&m_fontListTitle, 15, 400, FALSE},
      {&m_fontName, 18, 400, FALSE},     {&m_fontHeadingTitle, 30, 700, FALSE},
  };
  for (const FontSpec& spec : specs) {
    spec.font->CreateFont(spec.height, 0, 0, 0, spec.weight, FALSE, spec.underline, FALSE,
                          SHIFTJIS_CHARSET, OUT_DEVICE_PRECIS, CLIP_DEFAULT_PRECIS, 1,
                          VARIABLE_PITCH, "ＭＳＰゴシック");
  }
}

void CCardPanel::DeleteBrushAndFonts() {
  m_brPanel.DeleteObject();
  for (CFont* font : {&m_fontInfoText, &m_fontInfoTitle, &m_fontLabel, &m_fontListTitle,
                      &m_fontName, &m_fontHeadingTitle}) {
    font->DeleteObject();
  }
}

void CCardPanel::ReleasePanel() {
  memset(&m_newCard, 0, sizeof m_newCard);
  m_tree.ForgetNewCardItem();
  m_form.FreePictures();
  delete m_pNameOrderBmp;
  delete m_pGroupOrderBmp;
  m_pNameOrderBmp = m_pGroupOrderBmp = nullptr;
  for (CBitmapButton& button : m_buttons) button.FreeBitmaps();
  m_tree.FreeImages();
}
