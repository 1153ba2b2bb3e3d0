// The card form on the right of the panel: showing a card, reading it back,
// viewing and editing, the six type icons and the heading list.
#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "panel/panel_ids.h"
#include "tool/card_book_tool.h"

namespace {

const int kPhoneIds[3] = {IDC_PHONE1, IDC_PHONE2, IDC_PHONE3};
const int kPhoneIconIds[3] = {IDC_PHONE_TYPE1, IDC_PHONE_TYPE2, IDC_PHONE_TYPE3};
const int kMailIds[3] = {IDC_MAIL1, IDC_MAIL2, IDC_MAIL3};
const int kMailIconIds[3] = {IDC_MAIL_TYPE1, IDC_MAIL_TYPE2, IDC_MAIL_TYPE3};

// Pictures by type code. A code that only a file can hold shows the first
// picture of its table rather than reading past it.
const int kPhoneBitmaps[5] = {IDB_PHONE_DESK, IDB_PHONE_MOBILE, IDB_PHONE_OFFICE, IDB_PHONE_PAGER,
                              IDB_PHONE_FAX};
const int kMailBitmaps[3] = {IDB_MAIL_BOX, IDB_MAIL_MOBILE, IDB_MAIL_OFFICE};

int PictureOf(const int* table, int count, int type) {
  return table[type >= 0 && type < count ? type : 0];
}

// An icon shows while its text begins with a visible ASCII byte.
bool ShowsIcon(const char* text) {
  unsigned char first = static_cast<unsigned char>(text[0]);
  return first >= 0x21 && first <= 0x7F;
}

const int kEditIds[12] = {IDC_NAME,    IDC_CARD_ID, IDC_READING, IDC_POSTAL_CODE,
                          IDC_ADDRESS, IDC_PHONE1,  IDC_PHONE2,  IDC_PHONE3,
                          IDC_MAIL1,   IDC_MAIL2,   IDC_MAIL3,   IDC_MEMO};
const int kLaterReadOnlyIds[9] = {IDC_POSTAL_CODE, IDC_ADDRESS, IDC_PHONE1, IDC_PHONE2, IDC_PHONE3,
                                  IDC_MAIL1,       IDC_MAIL2,   IDC_MAIL3,  IDC_MEMO};
const int kFormIds[28] = {IDC_NAME,          IDC_CARD_ID,       IDC_READING,     IDC_GROUP_TEXT,
                          IDC_POSTAL_CODE,   IDC_ADDRESS,       IDC_PHONE_TYPE1, IDC_PHONE_TYPE2,
                          IDC_PHONE_TYPE3,   IDC_PHONE1,        IDC_PHONE2,      IDC_PHONE3,
                          IDC_MAIL_TYPE1,    IDC_MAIL_TYPE2,    IDC_MAIL_TYPE3,  IDC_MAIL1,
                          IDC_MAIL2,         IDC_MAIL3,         IDC_MEMO,        IDC_LABEL_NAME,
                          IDC_LABEL_ID,      IDC_LABEL_READING, IDC_LABEL_GROUP, IDC_LABEL_POSTAL,
                          IDC_LABEL_ADDRESS, IDC_LABEL_PHONE,   IDC_LABEL_MAIL,  IDC_LABEL_MEMO};

const char kNoGroup[] = "設定なし";

}  // namespace

void CCardBookTool::FormatInfoLines(const CardRecord& record) {
  snprintf(m_szCreatedInfo, sizeof m_szCreatedInfo, "Created　　：　%s", record.created);
  snprintf(m_szModifiedInfo, sizeof m_szModifiedInfo, "LastModified　：　%s", record.lastModified);
  snprintf(m_szCountInfo, sizeof m_szCountInfo, "ModifyCount　：　%d",
           static_cast<int>(record.modifyCount));
}

int CCardBookTool::ShowCard(const CardRecord& record) {
  SetItemText(IDC_NAME, record.name);
  char id[16];
  snprintf(id, sizeof id, "%d", m_table.SlotOfItem(record.treeItem));
  SetItemText(IDC_CARD_ID, id);
  SetItemText(IDC_READING, record.reading);
  SetItemText(IDC_GROUP_TEXT, record.group);
  SetItemText(IDC_POSTAL_CODE, record.postalCode);
  SetItemText(IDC_ADDRESS, record.address);
  for (int n = 0; n < 3; ++n) SetPhoneType(n, record.phones[n].type);
  for (int n = 0; n < 3; ++n) {
    SetItemText(kPhoneIds[n], record.phones[n].number);
    ShowWindow(Item(kPhoneIconIds[n]), ShowsIcon(record.phones[n].number) ? SW_SHOW : SW_HIDE);
  }
  for (int n = 0; n < 3; ++n) SetMailType(n, record.mails[n].type);
  for (int n = 0; n < 3; ++n) {
    SetItemText(kMailIds[n], record.mails[n].address);
    ShowWindow(Item(kMailIconIds[n]), ShowsIcon(record.mails[n].address) ? SW_SHOW : SW_HIDE);
  }
  SetItemText(IDC_MEMO, record.memo);
  FormatInfoLines(record);
  return 1;
}

int CCardBookTool::ReadForm(CardRecord& record) {
  GetDlgItemTextA(m_hWnd, IDC_NAME, record.name, 63);
  GetDlgItemTextA(m_hWnd, IDC_READING, record.reading, 63);
  GetDlgItemTextA(m_hWnd, IDC_GROUP_TEXT, record.group, 63);
  GetDlgItemTextA(m_hWnd, IDC_POSTAL_CODE, record.postalCode, 15);
  GetDlgItemTextA(m_hWnd, IDC_ADDRESS, record.address, 511);
  for (int n = 0; n < 3; ++n) {
    record.phones[n].type = GetPhoneType(n);
    GetDlgItemTextA(m_hWnd, kPhoneIds[n], record.phones[n].number, 23);
  }
  for (int n = 0; n < 3; ++n) {
    record.mails[n].type = GetMailType(n);
    GetDlgItemTextA(m_hWnd, kMailIds[n], record.mails[n].address, 255);
  }
  GetDlgItemTextA(m_hWnd, IDC_MEMO, record.memo, 511);
  return 1;
}

void CCardBookTool::SetPhoneType(int n, int type) {
  m_pPhoneTypeBmp[n]->LoadBitmap(PictureOf(kPhoneBitmaps, 5, type));
  ::SendMessageA(Item(kPhoneIconIds[n]), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_pPhoneTypeBmp[n]->m_hObject));
  m_nPhoneType[n] = type;
}

void CCardBookTool::SetMailType(int n, int type) {
  m_pMailTypeBmp[n]->LoadBitmap(PictureOf(kMailBitmaps, 3, type));
  ::SendMessageA(Item(kMailIconIds[n]), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_pMailTypeBmp[n]->m_hObject));
  m_nMailType[n] = type;
}

void CCardBookTool::EnterEditMode(int flag) {
  m_bEditing = flag;
  SetFormReadOnly(0);
  EnableWindow(Item(IDC_GROUP_EDIT), FALSE);
  EnableWindow(Item(IDC_GROUP_CHANGE), FALSE);
  char group[64] = {};
  GetDlgItemTextA(m_hWnd, IDC_GROUP_TEXT, group, sizeof group);
  HWND combo = Item(IDC_GROUP_COMBO);
  for (int i = 0; i < m_groups.m_nGroupCount && i < kMaxGroups; ++i) {
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_groups.m_groups[i].name));
  }
  ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kNoGroup));
  int choice = m_groups.m_nGroupCount < kMaxGroups ? m_groups.m_nGroupCount : kMaxGroups;
  for (int i = 0; i < m_groups.m_nGroupCount && i < kMaxGroups; ++i) {
    if (strcmp(m_groups.m_groups[i].name, group) == 0) {
      choice = i;
      break;
    }
  }
  ::SendMessageA(combo, CB_SETCURSEL, choice, 0);
  for (int n = 0; n < 3; ++n) {
    ShowWindow(Item(kPhoneIconIds[n]), SW_SHOW);
    ShowWindow(Item(kMailIconIds[n]), SW_SHOW);
  }
}

void CCardBookTool::LeaveEditMode() {
  m_bEditing = 0;
  SetFormReadOnly(1);
  EnableWindow(Item(IDC_GROUP_EDIT), TRUE);
  EnableWindow(Item(IDC_GROUP_CHANGE), TRUE);
  HWND combo = Item(IDC_GROUP_COMBO);
  char group[64] = {};
  LRESULT selected = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR &&
      ::SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0) < static_cast<LRESULT>(sizeof group)) {
    ::SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(group));
  }
  if (strcmp(group, kNoGroup) == 0) group[0] = '\0';
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  SetItemText(IDC_GROUP_TEXT, group);
}

int CCardBookTool::SetFormReadOnly(int readOnly) {
  int margin = readOnly ? 0 : 3;
  for (int id : kEditIds) {
    ::SendMessageA(Item(id), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELONG(margin, margin));
  }
  for (int id : {IDC_NAME, IDC_CARD_ID, IDC_READING}) {
    ::SendMessageA(Item(id), EM_SETREADONLY, readOnly, 0);
  }
  ShowWindow(Item(IDC_GROUP_COMBO), readOnly ? SW_HIDE : SW_SHOW);
  ShowWindow(Item(IDC_GROUP_TEXT), readOnly ? SW_SHOW : SW_HIDE);
  for (int id : kLaterReadOnlyIds) ::SendMessageA(Item(id), EM_SETREADONLY, readOnly, 0);
  return 1;
}

int CCardBookTool::ShowFormControls(int show) {
  for (int id : kFormIds) ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
  return 1;
}

int CCardBookTool::FillHeadingList() {
  HWND list = Item(IDC_CARD_LIST);
  ListView_DeleteAllItems(list);
  HWND tree = Item(IDC_TREE);
  HTREEITEM selected = TreeView_GetSelection(tree);
  if (m_table.m_nCardCount < 2) return 0;
  int rows = 0;
  int visited = 0;
  for (int slot = 1; slot < kCardSlots && visited < m_table.m_nCardCount - 1; ++slot) {
    const CardRecord& card = m_table.m_cards[slot];
    if (!m_table.IsUsed(slot)) continue;
    ++visited;
    if (TreeView_GetParent(tree, reinterpret_cast<HTREEITEM>(card.treeItem)) != selected) continue;
    char id[8];
    snprintf(id, sizeof id, "%03d", slot);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = rows;
    item.pszText = id;
    int index =
        static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    const char* columns[3] = {card.name, card.reading, card.phones[0].number};
    for (int c = 0; c < 3; ++c) {
      LVITEMA sub = {};
      sub.iSubItem = c + 1;
      sub.pszText = const_cast<char*>(columns[c]);
      ::SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
    }
    ++rows;
  }
  return rows;
}
