// The card form on the right of the panel: showing a card, reading it back,
// viewing and editing, the six type icons and the heading list.
#include <stdio.h>
#include <string.h>

#include "cards/card_fields.h"
#include "cards/card_rules.h"
#include "panel/panel_ids.h"
#include "tool/card_book_tool.h"

namespace {

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

void Show(const CWnd& control, bool show) { control.ShowWindow(show ? SW_SHOW : SW_HIDE); }

const char kNoGroup[] = "設定なし";

}  // namespace

CEdit* CCardBookTool::FieldEdit(int n) {
  CEdit* const edits[kContentCardFields] = {
      &m_editName,     &m_editReading,  &m_editGroup,   &m_editPostalCode, &m_editAddress,
      nullptr,         &m_editPhone[0], nullptr,        &m_editPhone[1],   nullptr,
      &m_editPhone[2], nullptr,         &m_editMail[0], nullptr,           &m_editMail[1],
      nullptr,         &m_editMail[2],  &m_editMemo};
  return n >= 0 && n < kContentCardFields ? edits[n] : nullptr;
}

void CCardBookTool::FormatInfoLines(const CardRecord& record) {
  snprintf(m_szCreatedInfo, sizeof m_szCreatedInfo, "Created　　：　%s", record.created);
  snprintf(m_szModifiedInfo, sizeof m_szModifiedInfo, "LastModified　：　%s", record.lastModified);
  snprintf(m_szCountInfo, sizeof m_szCountInfo, "ModifyCount　：　%d",
           static_cast<int>(record.modifyCount));
}

int CCardBookTool::ShowCard(CardRecord& record) {
  for (int n = 0; n < kContentCardFields; ++n) {
    CardField field = CardFieldAt(record, n);
    if (field.kind == CardFieldKind::kText) FieldEdit(n)->SetWindowText(field.text);
  }
  char id[16];
  snprintf(id, sizeof id, "%d", m_table.SlotOfItem(record.treeItem));
  m_editId.SetWindowText(id);
  for (int n = 0; n < 3; ++n) {
    SetPhoneType(n, record.phones[n].type);
    Show(m_iconPhone[n], ShowsIcon(record.phones[n].number));
    SetMailType(n, record.mails[n].type);
    Show(m_iconMail[n], ShowsIcon(record.mails[n].address));
  }
  FormatInfoLines(record);
  return 1;
}

int CCardBookTool::ReadForm(CardRecord& record) {
  for (int n = 0; n < kContentCardFields; ++n) {
    CardField field = CardFieldAt(record, n);
    // The count includes the terminator, and the form has always given one
    // less than the field's width: it reads at most the width less two bytes.
    if (field.kind == CardFieldKind::kText) {
      FieldEdit(n)->GetWindowText(field.text, static_cast<int>(field.width) - 1);
      // Text pasted into a field may hold what the card file cannot.
      BlankOutLineBreaks(field.text);
    }
  }
  for (int n = 0; n < 3; ++n) {
    record.phones[n].type = GetPhoneType(n);
    record.mails[n].type = GetMailType(n);
  }
  return 1;
}

void CCardBookTool::SetPhoneType(int n, int type) {
  m_pPhoneTypeBmp[n]->LoadBitmap(PictureOf(kPhoneBitmaps, 5, type));
  m_iconPhone[n].SetBitmap(*m_pPhoneTypeBmp[n]);
  m_nPhoneType[n] = type;
}

void CCardBookTool::SetMailType(int n, int type) {
  m_pMailTypeBmp[n]->LoadBitmap(PictureOf(kMailBitmaps, 3, type));
  m_iconMail[n].SetBitmap(*m_pMailTypeBmp[n]);
  m_nMailType[n] = type;
}

void CCardBookTool::EnterEditMode(int flag) {
  m_bEditing = flag;
  SetFormReadOnly(0);
  m_buttons[kGroupEditButton].EnableWindow(FALSE);
  m_buttons[kGroupChangeButton].EnableWindow(FALSE);
  char group[64] = {};
  m_editGroup.GetWindowText(group, sizeof group);
  for (int i = 0; i < m_groups.m_nGroupCount && i < kMaxGroups; ++i) {
    m_comboGroup.AddString(m_groups.m_groups[i].name);
  }
  m_comboGroup.AddString(kNoGroup);
  int choice = m_groups.m_nGroupCount < kMaxGroups ? m_groups.m_nGroupCount : kMaxGroups;
  for (int i = 0; i < m_groups.m_nGroupCount && i < kMaxGroups; ++i) {
    if (strcmp(m_groups.m_groups[i].name, group) == 0) {
      choice = i;
      break;
    }
  }
  m_comboGroup.SetCurSel(choice);
  for (int n = 0; n < 3; ++n) {
    Show(m_iconPhone[n], true);
    Show(m_iconMail[n], true);
  }
}

void CCardBookTool::LeaveEditMode() {
  m_bEditing = 0;
  SetFormReadOnly(1);
  m_buttons[kGroupEditButton].EnableWindow(TRUE);
  m_buttons[kGroupChangeButton].EnableWindow(TRUE);
  char group[64] = {};
  int selected = m_comboGroup.GetCurSel();
  if (selected != CB_ERR) m_comboGroup.GetLBText(selected, group, sizeof group);
  if (strcmp(group, kNoGroup) == 0) group[0] = '\0';
  m_comboGroup.ResetContent();
  m_editGroup.SetWindowText(group);
}

int CCardBookTool::SetFormReadOnly(int readOnly) {
  int margin = readOnly ? 0 : 3;
  auto setEdit = [&](CEdit& edit) {
    edit.SetMargins(margin, margin);
    edit.SetReadOnly(readOnly);
  };
  setEdit(m_editId);
  for (int n = 0; n < kContentCardFields; ++n) {
    CEdit* edit = FieldEdit(n);
    // The group is picked in the combo box that takes its place.
    if (edit != nullptr && edit != &m_editGroup) setEdit(*edit);
  }
  Show(m_comboGroup, !readOnly);
  Show(m_editGroup, readOnly != 0);
  return 1;
}

int CCardBookTool::ShowFormControls(int show) {
  Show(m_editId, show != 0);
  for (int n = 0; n < kContentCardFields; ++n) {
    if (CEdit* edit = FieldEdit(n)) Show(*edit, show != 0);
  }
  for (int n = 0; n < 3; ++n) {
    Show(m_iconPhone[n], show != 0);
    Show(m_iconMail[n], show != 0);
  }
  for (const CStatic& label : m_labelFields) Show(label, show != 0);
  return 1;
}

int CCardBookTool::FillHeadingList() {
  m_listCards.DeleteAllItems();
  HTREEITEM selected = m_treeCards.GetSelectedItem();
  if (m_table.m_nCardCount < 2) return 0;
  int rows = 0;
  int visited = 0;
  for (int slot = 1; slot < kCardSlots && visited < m_table.m_nCardCount - 1; ++slot) {
    const CardRecord& card = m_table.m_cards[slot];
    if (!m_table.IsUsed(slot)) continue;
    ++visited;
    if (m_treeCards.GetParentItem(ToTreeItem(card.treeItem)) != selected) continue;
    char id[8];
    snprintf(id, sizeof id, "%03d", slot);
    int index = m_listCards.InsertItem(rows, id);
    const char* columns[3] = {card.name, card.reading, card.phones[0].number};
    for (int c = 0; c < 3; ++c) m_listCards.SetItemText(index, c + 1, columns[c]);
    ++rows;
  }
  return rows;
}
