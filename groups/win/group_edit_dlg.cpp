#include "groups/win/group_edit_dlg.h"

#include <string.h>

#include "cards/book_title.h"

namespace {

const char kDuplicate[] = "そのグループは既にリストに入っています。";
const char kTooMany[] = "グループは10件までしか登録できません。";
const char kTooLong[] = "グループ名が長すぎます。（半角62文字まで）";
const char kCannotOpen[] = "グループ名設定ファイルを開けませんでした。";
const char kRegistered[] = "グループ名設定を登録しました。";

bool AppendToList(const char* name, void* context) {
  static_cast<CListBox*>(context)->AddString(name);
  return true;
}

const char* ItemOfList(int index, char* buffer, int size, void* context) {
  const auto* list = static_cast<const CListBox*>(context);
  if (index >= list->GetCount()) return nullptr;
  // Every item fits: each came from the file or passed the length rule.
  list->GetText(index, buffer, size);
  return buffer;
}

}  // namespace

bool GroupFilePath(HostServices* host, char (&path)[kPathBufferSize]) {
  path[0] = '\0';
  const char* directory = host != nullptr ? host->GetDataDirectory(1, 0) : nullptr;
  return directory != nullptr && BuildBookFilePath(path, directory, kGroupFileName);
}

int ReadHostGroupFile(HostServices* host, GroupNameSink sink, void* context) {
  char path[kPathBufferSize];
  return GroupFilePath(host, path) ? ReadGroupNames(path, sink, context) : 0;
}

BEGIN_MESSAGE_MAP(CGroupEditDlg, CDialog)
ON_BN_CLICKED(IDC_GROUP_ADD, OnAdd)
ON_BN_CLICKED(IDC_GROUP_CHANGE_NAME, OnChange)
ON_BN_CLICKED(IDC_GROUP_DELETE, OnDelete)
ON_BN_CLICKED(IDC_GROUP_UP, OnUp)
ON_BN_CLICKED(IDC_GROUP_DOWN, OnDown)
ON_BN_CLICKED(IDC_GROUP_REGISTER, OnRegister)
ON_COMMAND_CODE(IDC_GROUP_LIST, LBN_SELCHANGE, OnListSelChange)
END_MESSAGE_MAP()

INT_PTR CGroupEditDlg::OpenModal(HostServices* host) {
  m_pHost = host;
  INT_PTR result = DoModal();
  m_editName.m_hWnd = nullptr;
  m_listGroups.m_hWnd = nullptr;
  return result;
}

void CGroupEditDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_GROUP_NAME, m_editName);
  DDX_Control(dx, IDC_GROUP_LIST, m_listGroups);
}

BOOL CGroupEditDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // A missing file is an empty list, without a word.
  ReadHostGroupFile(m_pHost, AppendToList, &m_listGroups);
  return TRUE;
}

void CGroupEditDlg::Tell(const char* text, UINT icon) {
  ShowMessageBox(text, kBookTitle, MB_OK | icon);
}

bool CGroupEditDlg::TakeName(char* name) {
  name[0] = '\0';
  if (m_editName.GetWindowTextLength() > kMaxGroupNameBytes) {
    Tell(kTooLong, MB_ICONHAND);
    return false;
  }
  m_editName.GetWindowText(name, kGroupNameSize);
  return name[0] != '\0';
}

bool CGroupEditDlg::IsListed(const char* name) const {
  return IsDuplicateGroupName(name, ItemOfList, const_cast<CListBox*>(&m_listGroups));
}

void CGroupEditDlg::OnAdd() {
  char name[kGroupNameSize];
  if (!TakeName(name)) return;
  if (IsListed(name)) {
    Tell(kDuplicate, MB_ICONHAND);
    return;
  }
  // The tool's list, and with it the tree and the form, has room for ten.
  if (m_listGroups.GetCount() >= kMaxGroups) {
    Tell(kTooMany, MB_ICONHAND);
    return;
  }
  m_listGroups.SetCurSel(m_listGroups.AddString(name));
}

void CGroupEditDlg::OnChange() {
  char name[kGroupNameSize];
  if (!TakeName(name)) return;
  if (IsListed(name)) {
    Tell(kDuplicate, MB_ICONHAND);
    return;
  }
  int selected = m_listGroups.GetCurSel();
  if (selected == LB_ERR) return;
  m_listGroups.DeleteString(selected);
  m_listGroups.InsertString(selected, name);
  m_listGroups.SetCurSel(selected);
}

void CGroupEditDlg::OnDelete() {
  int selected = m_listGroups.GetCurSel();
  if (selected == LB_ERR) return;
  m_listGroups.DeleteString(selected);
  m_listGroups.SetCurSel(-1);
  m_editName.SetWindowText("");
}

void CGroupEditDlg::MoveSelected(int step) {
  int selected = m_listGroups.GetCurSel();
  int target = selected + step;
  if (selected == LB_ERR || target < 0 || target >= m_listGroups.GetCount()) return;
  char name[kGroupNameSize];
  if (m_listGroups.GetText(selected, name, sizeof name) == LB_ERR) return;
  m_listGroups.DeleteString(selected);
  m_listGroups.InsertString(target, name);
  m_listGroups.SetCurSel(target);
}

void CGroupEditDlg::OnUp() { MoveSelected(-1); }
void CGroupEditDlg::OnDown() { MoveSelected(1); }

void CGroupEditDlg::OnListSelChange() {
  char name[kGroupNameSize];
  int selected = m_listGroups.GetCurSel();
  if (selected == LB_ERR || m_listGroups.GetText(selected, name, sizeof name) == LB_ERR) return;
  m_editName.SetWindowText(name);
}

void CGroupEditDlg::OnRegister() {
  ShowWindow(SW_HIDE);
  char path[kPathBufferSize];
  // Written beside the old file and put in its place only when complete: a
  // failure leaves the registered list whole.
  if (!GroupFilePath(m_pHost, path) || !WriteGroupNames(path, ItemOfList, &m_listGroups)) {
    Tell(kCannotOpen, MB_ICONEXCLAMATION);
    ShowWindow(SW_SHOW);
    return;
  }
  Tell(kRegistered, MB_ICONASTERISK);
  EndDialog(IDOK);
}
