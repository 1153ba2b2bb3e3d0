// The card form on the right of the panel: showing a card, reading it back,
// viewing and editing, the type icons and the heading list.
#include "panel/card_form.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <iterator>

#include "cards/card_fields.h"
#include "cards/card_rules.h"
#include "panel/panel_ids.h"

namespace {

// Pictures by type code. A code that only a file can hold shows the first
// picture of its table rather than reading past it.
const int kPhoneBitmaps[kPhoneTypeCount] = {IDB_PHONE_DESK, IDB_PHONE_MOBILE, IDB_PHONE_OFFICE,
                                            IDB_PHONE_PAGER, IDB_PHONE_FAX};
const int kMailBitmaps[kMailTypeCount] = {IDB_MAIL_BOX, IDB_MAIL_MOBILE, IDB_MAIL_OFFICE};

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

const int kPhoneIconIds[] = {IDC_PHONE_TYPE1, IDC_PHONE_TYPE2, IDC_PHONE_TYPE3};
const int kPhoneIds[] = {IDC_PHONE1, IDC_PHONE2, IDC_PHONE3};
const int kMailIconIds[] = {IDC_MAIL_TYPE1, IDC_MAIL_TYPE2, IDC_MAIL_TYPE3};
const int kMailIds[] = {IDC_MAIL1, IDC_MAIL2, IDC_MAIL3};
static_assert(std::size(kPhoneIconIds) == kPhoneSlots && std::size(kPhoneIds) == kPhoneSlots,
              "a control for each phone");
static_assert(std::size(kMailIconIds) == kMailSlots && std::size(kMailIds) == kMailSlots,
              "a control for each mail");

const int kLabelIds[kFormLabels] = {IDC_LABEL_NAME,  IDC_LABEL_ID,     IDC_LABEL_READING,
                                    IDC_LABEL_GROUP, IDC_LABEL_POSTAL, IDC_LABEL_ADDRESS,
                                    IDC_LABEL_PHONE, IDC_LABEL_MAIL,   IDC_LABEL_MEMO};

}  // namespace

CCardForm::CCardForm() {
  memset(m_szCreatedInfo, 0, sizeof m_szCreatedInfo);
  memset(m_szModifiedInfo, 0, sizeof m_szModifiedInfo);
  memset(m_szCountInfo, 0, sizeof m_szCountInfo);
  memset(m_nPhoneType, 0, sizeof m_nPhoneType);
  memset(m_nMailType, 0, sizeof m_nMailType);
  for (CBitmap*& bitmap : m_pPhoneTypeBmp) bitmap = nullptr;
  for (CBitmap*& bitmap : m_pMailTypeBmp) bitmap = nullptr;
}

void CCardForm::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_NAME, m_editName);
  DDX_Control(dx, IDC_CARD_ID, m_editId);
  DDX_Control(dx, IDC_READING, m_editReading);
  DDX_Control(dx, IDC_GROUP_TEXT, m_editGroup);
  DDX_Control(dx, IDC_GROUP_COMBO, m_comboGroup);
  DDX_Control(dx, IDC_CARD_LIST, m_listCards);
  DDX_Control(dx, IDC_POSTAL_CODE, m_editPostalCode);
  DDX_Control(dx, IDC_ADDRESS, m_editAddress);
  for (int n = 0; n < kPhoneSlots; ++n) {
    DDX_Control(dx, kPhoneIconIds[n], m_iconPhone[n]);
    DDX_Control(dx, kPhoneIds[n], m_editPhone[n]);
  }
  for (int n = 0; n < kMailSlots; ++n) {
    DDX_Control(dx, kMailIconIds[n], m_iconMail[n]);
    DDX_Control(dx, kMailIds[n], m_editMail[n]);
  }
  DDX_Control(dx, IDC_MEMO, m_editMemo);
  for (int i = 0; i < kFormLabels; ++i) DDX_Control(dx, kLabelIds[i], m_labelFields[i]);
}

void CCardForm::CreatePictures() {
  for (CBitmap*& bitmap : m_pPhoneTypeBmp) bitmap = new CBitmap;
  for (CBitmap*& bitmap : m_pMailTypeBmp) bitmap = new CBitmap;
}

void CCardForm::FreePictures() {
  for (CBitmap*& bitmap : m_pPhoneTypeBmp) {
    delete bitmap;
    bitmap = nullptr;
  }
  for (CBitmap*& bitmap : m_pMailTypeBmp) {
    delete bitmap;
    bitmap = nullptr;
  }
}

void CCardForm::SetupHeadingList() {
  m_listCards.SetExtendedStyle(m_listCards.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  struct Column {
    const char* title;
    int width;
  } const columns[] = {{"ID", 40}, {"名前", 120}, {"読み", 100}, {"電話番号", 120}};
  for (int i = 0; i < 4; ++i) m_listCards.InsertColumn(i, columns[i].title, columns[i].width);
}

void CCardForm::SetFonts(HFONT label, HFONT name) {
  for (CStatic& field : m_labelFields) field.SetFont(label);
  m_editName.SetFont(name);
}

CEdit* CCardForm::FieldEdit(int n) {
  switch (n) {
    case kIdField:
      return &m_editId;
    case kNameField:
      return &m_editName;
    case kReadingField:
      return &m_editReading;
    case kGroupField:
      return &m_editGroup;
    case kPostalCodeField:
      return &m_editPostalCode;
    case kAddressField:
      return &m_editAddress;
    case kMemoField:
      return &m_editMemo;
    default:
      break;
  }
  for (int i = 0; i < kPhoneSlots; ++i) {
    if (n == PhoneNumberField(i)) return &m_editPhone[i];
  }
  for (int i = 0; i < kMailSlots; ++i) {
    if (n == MailAddressField(i)) return &m_editMail[i];
  }
  return nullptr;
}

const CEdit* CCardForm::FieldEdit(int n) const {
  return const_cast<CCardForm*>(this)->FieldEdit(n);
}

void CCardForm::FormatInfoLines(const CardRecord& record) {
  snprintf(m_szCreatedInfo, sizeof m_szCreatedInfo, "Created　　：　%s", record.created);
  snprintf(m_szModifiedInfo, sizeof m_szModifiedInfo, "LastModified　：　%s", record.lastModified);
  snprintf(m_szCountInfo, sizeof m_szCountInfo, "ModifyCount　：　%d",
           static_cast<int>(record.modifyCount));
}

int CCardForm::ShowCard(CardRecord& record, int id) {
  for (int n = 0; n < kContentCardFields; ++n) {
    CardField field = CardFieldAt(record, n);
    if (field.kind == CardFieldKind::kText) FieldEdit(n)->SetWindowText(field.text);
  }
  char idText[16];
  snprintf(idText, sizeof idText, "%d", id);
  m_editId.SetWindowText(idText);
  for (int n = 0; n < kPhoneSlots; ++n) {
    SetPhoneType(n, record.phones[n].type);
    Show(m_iconPhone[n], ShowsIcon(record.phones[n].number));
  }
  for (int n = 0; n < kMailSlots; ++n) {
    SetMailType(n, record.mails[n].type);
    Show(m_iconMail[n], ShowsIcon(record.mails[n].address));
  }
  FormatInfoLines(record);
  return 1;
}

int CCardForm::ReadForm(CardRecord& record) {
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
  for (int n = 0; n < kPhoneSlots; ++n) record.phones[n].type = GetPhoneType(n);
  for (int n = 0; n < kMailSlots; ++n) record.mails[n].type = GetMailType(n);
  return 1;
}

void CCardForm::SetPhoneType(int n, int type) {
  m_pPhoneTypeBmp[n]->LoadBitmap(PictureOf(kPhoneBitmaps, kPhoneTypeCount, type));
  m_iconPhone[n].SetBitmap(*m_pPhoneTypeBmp[n]);
  m_nPhoneType[n] = type;
}

void CCardForm::SetMailType(int n, int type) {
  m_pMailTypeBmp[n]->LoadBitmap(PictureOf(kMailBitmaps, kMailTypeCount, type));
  m_iconMail[n].SetBitmap(*m_pMailTypeBmp[n]);
  m_nMailType[n] = type;
}

void CCardForm::FillGroupChoice(const GroupList& groups) {
  char group[64] = {};
  m_editGroup.GetWindowText(group, sizeof group);
  for (int i = 0; i < groups.m_nGroupCount && i < kMaxGroups; ++i) {
    m_comboGroup.AddString(groups.m_groups[i].name);
  }
  m_comboGroup.AddString(kNoGroup);
  int choice = groups.m_nGroupCount < kMaxGroups ? groups.m_nGroupCount : kMaxGroups;
  for (int i = 0; i < groups.m_nGroupCount && i < kMaxGroups; ++i) {
    if (strcmp(groups.m_groups[i].name, group) == 0) {
      choice = i;
      break;
    }
  }
  m_comboGroup.SetCurSel(choice);
}

void CCardForm::TakeGroupChoice() {
  char group[64] = {};
  int selected = m_comboGroup.GetCurSel();
  if (selected != CB_ERR) m_comboGroup.GetLBText(selected, group, sizeof group);
  if (strcmp(group, kNoGroup) == 0) group[0] = '\0';
  m_comboGroup.ResetContent();
  m_editGroup.SetWindowText(group);
}

// So that a type can be chosen before its number or address is typed.
void CCardForm::ShowAllTypeIcons() {
  for (const CStatic& icon : m_iconPhone) Show(icon, true);
  for (const CStatic& icon : m_iconMail) Show(icon, true);
}

int CCardForm::SetFormReadOnly(int readOnly) {
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

int CCardForm::ShowFormControls(int show) {
  Show(m_editId, show != 0);
  for (int n = 0; n < kContentCardFields; ++n) {
    if (CEdit* edit = FieldEdit(n)) Show(*edit, show != 0);
  }
  for (const CStatic& icon : m_iconPhone) Show(icon, show != 0);
  for (const CStatic& icon : m_iconMail) Show(icon, show != 0);
  for (const CStatic& label : m_labelFields) Show(label, show != 0);
  return 1;
}

int CCardForm::GetFieldText(int field, char* text, int size) const {
  return FieldEdit(field)->GetWindowText(text, size);
}

void CCardForm::SetFieldText(int field, const char* text) { FieldEdit(field)->SetWindowText(text); }

void CCardForm::TrimField(int field, char* text, int size) {
  CEdit* edit = FieldEdit(field);
  edit->GetWindowText(text, size);
  TrimBlanks(text);
  edit->SetWindowText(text);
}

void CCardForm::FocusField(int field) { ::SetFocus(FieldEdit(field)->GetSafeHwnd()); }

void CCardForm::ShowHeadingList(bool show) { Show(m_listCards, show); }

void CCardForm::ClearHeadingList() { m_listCards.DeleteAllItems(); }

void CCardForm::AddHeadingRow(int row, int slot, const CardRecord& card) {
  char id[8];
  snprintf(id, sizeof id, "%03d", slot);
  int index = m_listCards.InsertItem(row, id);
  const char* columns[3] = {card.name, card.reading, card.phones[0].number};
  for (int c = 0; c < 3; ++c) m_listCards.SetItemText(index, c + 1, columns[c]);
}

int CCardForm::SelectedListId() const {
  int row = m_listCards.GetNextItem(-1, LVNI_SELECTED);
  char text[16] = {};
  if (row >= 0) m_listCards.GetItemText(row, 0, text, sizeof text);
  int id = atoi(text);
  return id >= 0 && id < kCardSlots ? id : 0;
}
