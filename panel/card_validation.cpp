// Checking the form before a card is stored, and settling the ID it goes
// under.
#include <stdio.h>
#include <string.h>

#include "cards/card_fields.h"
#include "cards/card_rules.h"
#include "panel/card_panel.h"

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

int CCardPanel::AskOrTell(const char* text, UINT style) {
  m_bModalBusy = 1;
  int answer = ShowMessageBox(text, nullptr, style);  // the application's title
  m_bModalBusy = 0;
  return answer;
}

int CCardPanel::Refuse(const char* text) {
  AskOrTell(text, MB_OK | MB_ICONHAND);
  return 0;
}

int CCardPanel::RefuseField(const char* text, int field) {
  Refuse(text);
  m_form.FocusField(field);
  return 0;
}

int CCardPanel::ValidateCard() {
  HTREEITEM selected = m_tree.GetSelectedItem();
  int ownSlot = SlotOfItem(selected);
  char text[512];
  m_form.TrimField(kIdField, text, 64);
  if (text[0] == '\0') {
    snprintf(text, 64, "%d", ownSlot);
    m_form.SetFieldText(kIdField, text);
  }
  if (strcmp(text, "999") == 0) {
    // A free slot must exist for the new card; the 500th card is the last.
    if (m_table.m_nCardCount >= kMaxCards) return RefuseField(kFullBook, kIdField);
    snprintf(text, 64, "%d", m_table.FirstFreeId());
    m_form.SetFieldText(kIdField, text);
  }
  bool ownerSelected = selected != nullptr && selected == m_tree.RootItem();
  if (!IsAcceptedId(text, ownerSelected)) return RefuseField(kBadId, kIdField);
  int id = ParseIdText(text);
  if (id != ownSlot) {
    // A store into a free slot beyond 500 cards could not be read back.
    if (!m_table.IsUsed(id) && m_table.m_nCardCount >= kMaxCards) {
      return RefuseField(kFullBook, kIdField);
    }
    if (AskOrTell(kConfirmId, MB_YESNO | MB_ICONQUESTION) != IDYES) {
      m_form.FocusField(kIdField);
      return 0;
    }
  }
  m_form.TrimField(kNameField, text, 64);
  if (text[0] == '\0') return RefuseField(kNoName, kNameField);
  m_form.TrimField(kReadingField, text, 64);
  if (text[0] == '\0') return RefuseField(kNoReading, kReadingField);
  if (!IsHalfWidthReading(text)) return RefuseField(kWideReading, kReadingField);
  for (int n = 0; n < kPhoneSlots; ++n) {
    m_form.TrimField(PhoneNumberField(n), text, 64);
    if (!IsValidPhoneNumber(text)) return RefuseField(kBadPhone, PhoneNumberField(n));
  }
  for (int n = 0; n < kMailSlots; ++n) {
    m_form.TrimField(MailAddressField(n), text, 512);
    if (!IsValidMailAddress(text)) return RefuseField(kBadMail, MailAddressField(n));
  }
  return 1;
}
