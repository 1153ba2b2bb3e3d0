// Checking the form before a card is stored, and settling the ID it goes
// under.
#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "cards/card_rules.h"
#include "framework/cwin_app.h"
#include "panel/panel_ids.h"
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
  CWinApp* app = AfxGetApp();
  int answer = MessageBoxA(m_hWnd, text, app ? app->m_pszAppName : "Quillbook", style);
  m_bModalBusy = 0;
  return answer;
}

int CCardBookTool::Refuse(const char* text, int focusId) {
  AskOrTell(text, MB_OK | MB_ICONHAND);
  if (focusId != 0) ::SetFocus(Item(focusId));
  return 0;
}

// Reads a field, trims it and writes it back; the text stays in field.
void CCardBookTool::TrimField(int id, char* field, int size) {
  GetDlgItemTextA(m_hWnd, id, field, size);
  TrimBlanks(field);
  SetItemText(id, field);
}

int CCardBookTool::ValidateCard() {
  HTREEITEM selected = TreeView_GetSelection(Item(IDC_TREE));
  int ownSlot = m_table.SlotOfItem(reinterpret_cast<TreeItemHandle>(selected));
  char text[512];
  TrimField(IDC_CARD_ID, text, 64);
  if (text[0] == '\0') {
    snprintf(text, 64, "%d", ownSlot);
    SetItemText(IDC_CARD_ID, text);
  }
  if (strcmp(text, "999") == 0) {
    // A free slot must exist for the new card; the 500th card is the last.
    if (m_table.m_nCardCount >= kMaxCards) return Refuse(kFullBook, IDC_CARD_ID);
    snprintf(text, 64, "%d", m_table.FirstFreeId());
    SetItemText(IDC_CARD_ID, text);
  }
  bool ownerSelected = selected != nullptr && selected == m_hRootItem;
  if (!IsAcceptedId(text, ownerSelected)) return Refuse(kBadId, IDC_CARD_ID);
  int id = ParseIdText(text);
  if (id != ownSlot) {
    // A store into a free slot beyond 500 cards could not be read back.
    if (!m_table.IsUsed(id) && m_table.m_nCardCount >= kMaxCards) {
      return Refuse(kFullBook, IDC_CARD_ID);
    }
    if (AskOrTell(kConfirmId, MB_YESNO | MB_ICONQUESTION) != IDYES) {
      ::SetFocus(Item(IDC_CARD_ID));
      return 0;
    }
  }
  TrimField(IDC_NAME, text, 64);
  if (text[0] == '\0') return Refuse(kNoName, IDC_NAME);
  TrimField(IDC_READING, text, 64);
  if (text[0] == '\0') return Refuse(kNoReading, IDC_READING);
  if (!IsHalfWidthReading(text)) return Refuse(kWideReading, IDC_READING);
  for (int phone : {IDC_PHONE1, IDC_PHONE2, IDC_PHONE3}) {
    TrimField(phone, text, 64);
    if (!IsValidPhoneNumber(text)) return Refuse(kBadPhone, phone);
  }
  for (int mail : {IDC_MAIL1, IDC_MAIL2, IDC_MAIL3}) {
    TrimField(mail, text, 512);
    if (!IsValidMailAddress(text)) return Refuse(kBadMail, mail);
  }
  return 1;
}
