// Checking the form before a card is stored, and settling the ID it goes
// under.
#include <stdio.h>
#include <string.h>

#include "cards/card_rules.h"
#include "tool/card_book_tool.h"

namespace {

const char kFullBook[] = "登録件数が500件を超えました。新規登録できません。";
const char kBadId[] =
    "IDの指定が不正です。\n半角数字で1～500、または新規登録する場合は999を指定して下さい。\n"
    "新規でない場合は、何も入力しなければ元のIDに保存されます。";
const char kConfirmId[] =
    "このデータを指定したIDに登録しますか？\n登録先IDに既にデータがある場合は上書きされます。";
const char kNoName[] = "”名前”が入力されていません。";
const char kNoReading[] = "”読み”が入力されていません。";
const char kWideReading[] = "”読み”は半角文字で入力して下さい。";
const char kBadPhone[] =
    "電話番号が不正です。\n半角数字および一部の半角記号または、\"P\"(ﾎﾟｰｽﾞ)以外は使用できません。";
const char kBadMail[] =
    "メールアドレスが不正です。\n不正な文字がないか、\"@\"や\".\"が正しく入力されているか確認して"
    "下さい。";

}  // namespace

int CCardBookTool::AskOrTell(const char* text, UINT style) {
  m_bModalBusy = 1;
  int answer = ShowMessageBox(text, nullptr, style);  // the application's title
  m_bModalBusy = 0;
  return answer;
}

int CCardBookTool::Refuse(const char* text, CWnd* focus) {
  AskOrTell(text, MB_OK | MB_ICONHAND);
  if (focus != nullptr) ::SetFocus(focus->GetSafeHwnd());
  return 0;
}

// Reads a field, trims it and writes it back; the text stays in field.
void CCardBookTool::TrimField(CEdit& edit, char* field, int size) {
  edit.GetWindowText(field, size);
  TrimBlanks(field);
  edit.SetWindowText(field);
}

int CCardBookTool::ValidateCard() {
  HTREEITEM selected = m_treeCards.GetSelectedItem();
  int ownSlot = SlotOfItem(selected);
  char text[512];
  TrimField(m_editId, text, 64);
  if (text[0] == '\0') {
    snprintf(text, 64, "%d", ownSlot);
    m_editId.SetWindowText(text);
  }
  if (strcmp(text, "999") == 0) {
    // A free slot must exist for the new card; the 500th card is the last.
    if (m_table.m_nCardCount >= kMaxCards) return Refuse(kFullBook, &m_editId);
    snprintf(text, 64, "%d", m_table.FirstFreeId());
    m_editId.SetWindowText(text);
  }
  bool ownerSelected = selected != nullptr && selected == m_hRootItem;
  if (!IsAcceptedId(text, ownerSelected)) return Refuse(kBadId, &m_editId);
  int id = ParseIdText(text);
  if (id != ownSlot) {
    // A store into a free slot beyond 500 cards could not be read back.
    if (!m_table.IsUsed(id) && m_table.m_nCardCount >= kMaxCards) {
      return Refuse(kFullBook, &m_editId);
    }
    if (AskOrTell(kConfirmId, MB_YESNO | MB_ICONQUESTION) != IDYES) {
      ::SetFocus(m_editId.GetSafeHwnd());
      return 0;
    }
  }
  TrimField(m_editName, text, 64);
  if (text[0] == '\0') return Refuse(kNoName, &m_editName);
  TrimField(m_editReading, text, 64);
  if (text[0] == '\0') return Refuse(kNoReading, &m_editReading);
  if (!IsHalfWidthReading(text)) return Refuse(kWideReading, &m_editReading);
  for (CEdit& phone : m_editPhone) {
    TrimField(phone, text, 64);
    if (!IsValidPhoneNumber(text)) return Refuse(kBadPhone, &phone);
  }
  for (CEdit& mail : m_editMail) {
    TrimField(mail, text, 512);
    if (!IsValidMailAddress(text)) return Refuse(kBadMail, &mail);
  }
  return 1;
}
