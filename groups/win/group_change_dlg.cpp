#include "groups/win/group_change_dlg.h"

#include "cards/book_title.h"
#include "groups/group_list.h"
#include "groups/win/group_edit_dlg.h"

namespace {

const char kNoBefore[] = "変換前ｸﾞﾙｰﾌﾟ名を設定して下さい。";
const char kNoAfter[] = "変換後ｸﾞﾙｰﾌﾟ名を選択して下さい。";
const char kChanged[] = "グループ名を変更しました。";

bool AppendToCombo(const char* name, void* context) {
  static_cast<CComboBox*>(context)->AddString(name);
  return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(CGroupChangeDlg, CDialog)
ON_MESSAGE_VOID(WM_CANCELMODE, OnCancelMode)
ON_BN_CLICKED(IDC_CHANGE_CONVERT, OnConvert)
END_MESSAGE_MAP()

INT_PTR CGroupChangeDlg::OpenModal(HostServices* host, CardRecord* cards, int count) {
  m_pHost = host;
  m_pCards = cards;
  m_nCards = count;
  INT_PTR result = DoModal();
  m_comboAfter.m_hWnd = nullptr;
  m_editBefore.m_hWnd = nullptr;
  return result;
}

void CGroupChangeDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_CHANGE_AFTER, m_comboAfter);
  DDX_Control(dx, IDC_CHANGE_BEFORE, m_editBefore);
}

BOOL CGroupChangeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The choices are the registered names only; a missing file leaves none.
  ReadHostGroupFile(m_pHost, AppendToCombo, &m_comboAfter);
  return TRUE;
}

void CGroupChangeDlg::OnCancelMode() { DefWindowProc(WM_CANCELMODE, 0, 0); }

void CGroupChangeDlg::Tell(const char* text, UINT icon) {
  ShowMessageBox(text, kBookTitle, MB_OK | icon);
}

void CGroupChangeDlg::Refuse(const char* text) {
  Tell(text, MB_ICONHAND);
  ShowWindow(SW_SHOW);
}

void CGroupChangeDlg::OnConvert() {
  ShowWindow(SW_HIDE);
  char before[sizeof(CardRecord::group)];
  // A longer name than a card's group can hold matches no card.
  bool tooLong = m_editBefore.GetWindowTextLength() >= static_cast<int>(sizeof before);
  m_editBefore.GetWindowText(before, sizeof before);
  if (before[0] == '\0') return Refuse(kNoBefore);
  int chosen = m_comboAfter.GetCurSel();
  if (chosen == CB_ERR) return Refuse(kNoAfter);
  char after[sizeof(CardRecord::group)];
  // The typed text of the combo is never taken: only a name of the file.
  m_comboAfter.GetLBText(chosen, after, sizeof after);
  if (!tooLong && m_pCards != nullptr) MoveCardsToGroup(m_pCards, before, after);
  Tell(kChanged, MB_ICONASTERISK);
  EndDialog(IDOK);
}
