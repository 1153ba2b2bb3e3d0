// The card form on the right of the panel: one card's fields, shown for
// viewing or editing, its type icons and its three information lines; and,
// in its place while a heading is selected, the list of the heading's cards.
#pragma once

#include <windows.h>

#include "cards/card_record.h"
#include "framework/cdialog.h"
#include "framework/common_controls.h"
#include "framework/gdi.h"
#include "framework/standard_controls.h"
#include "groups/group_list.h"

constexpr int kFormLabels = 9;
// The type codes that the icons step through.
constexpr int kPhoneTypeCount = 5;
constexpr int kMailTypeCount = 3;

// The form's fields go by their card field number (CardFieldAt); the ID
// field, which no card field holds, by this one.
constexpr int kIdField = -1;

class CCardForm {
 public:
  CCardForm();
  CCardForm(const CCardForm&) = delete;
  CCardForm& operator=(const CCardForm&) = delete;

  // Set-up, in the panel's order: the controls bound, the icons' pictures
  // made, the heading list's columns and the fonts set.
  void DoDataExchange(CDataExchange* dx);
  void CreatePictures();
  void SetupHeadingList();
  void SetFonts(HFONT label, HFONT name);
  void FreePictures();

  // Shows record with id in the ID field, and its information lines.
  int ShowCard(CardRecord& record, int id);
  // Reads the fields and types back into record; the time stamps, the count
  // and the tree item stay.
  int ReadForm(CardRecord& record);
  int SetFormReadOnly(int readOnly);
  int ShowFormControls(int show);
  void SetPhoneType(int n, int type);
  void SetMailType(int n, int type);
  int GetPhoneType(int n) const { return m_nPhoneType[n]; }
  int GetMailType(int n) const { return m_nMailType[n]; }
  // While editing, the group is chosen from the group list or "設定なし"
  // in a combo box that stands in the group field's place.
  void FillGroupChoice(const GroupList& groups);
  void TakeGroupChoice();
  void ShowAllTypeIcons();

  // One field as text: read, written, trimmed of blanks (read and written
  // back; the text stays in text), focused.
  int GetFieldText(int field, char* text, int size) const;
  void SetFieldText(int field, const char* text);
  void TrimField(int field, char* text, int size);
  void FocusField(int field);

  void FormatInfoLines(const CardRecord& record);
  const char* CreatedInfo() const { return m_szCreatedInfo; }
  const char* ModifiedInfo() const { return m_szModifiedInfo; }
  const char* CountInfo() const { return m_szCountInfo; }

  void ShowHeadingList(bool show);
  void ClearHeadingList();
  void AddHeadingRow(int row, int slot, const CardRecord& card);
  UINT ListSelectedCount() const { return m_listCards.GetSelectedCount(); }
  // The ID in the first selected row, or 0 (the owner) when none is.
  int SelectedListId() const;

 private:
  // The edit control of card field n, or null for a type or a time stamp.
  CEdit* FieldEdit(int n);
  const CEdit* FieldEdit(int n) const;

  char m_szCreatedInfo[64];
  char m_szModifiedInfo[64];
  char m_szCountInfo[64];
  int m_nPhoneType[kPhoneSlots];
  int m_nMailType[kMailSlots];
  CBitmap* m_pPhoneTypeBmp[kPhoneSlots];
  CBitmap* m_pMailTypeBmp[kMailSlots];

  CEdit m_editName;
  CEdit m_editId;
  CEdit m_editReading;
  CEdit m_editGroup;
  CComboBox m_comboGroup;
  CEdit m_editPostalCode;
  CEdit m_editAddress;
  CStatic m_iconPhone[kPhoneSlots];
  CEdit m_editPhone[kPhoneSlots];
  CStatic m_iconMail[kMailSlots];
  CEdit m_editMail[kMailSlots];
  CEdit m_editMemo;
  CStatic m_labelFields[kFormLabels];
  CListCtrl m_listCards;
};
