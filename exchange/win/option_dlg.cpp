// The settings screen: its set-up, the column order that the user builds,
// the choice of the exchange file, and the exchange itself.
#include "exchange/win/option_dlg.h"

#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

#include "cards/book_title.h"
#include "framework/cwin_app.h"

namespace {

const char kDelimiterTab[] = "ﾀﾌﾞ区切り";
const char kDelimiterComma[] = "ｶﾝﾏ区切り";

// The second entry selects the card file itself.
const char kFileFilter[] =
    "全てのﾌｧｲﾙ(*.*)\0*.*\0"
    "ｱﾄﾞﾚｽ帳ﾌｧｲﾙ(Quilbook.dat)\0Quillbook.dat\0";

// The procedures' messages as the dialog's boxes.
class BoxMessages : public ExchangeMessages {
 public:
  explicit BoxMessages(CWnd* owner) : m_pOwner(owner) {}
  void Tell(const char* text, ExchangeIcon icon) override {
    UINT style = icon == kExchangeStop          ? MB_ICONHAND
                 : icon == kExchangeExclamation ? MB_ICONEXCLAMATION
                                                : MB_ICONASTERISK;
    m_pOwner->ShowMessageBox(text, kBookTitle, MB_OK | style);
  }

 private:
  CWnd* m_pOwner;
};

}  // namespace

BEGIN_MESSAGE_MAP(COptionDlg, CDialog)
ON_BN_CLICKED(IDC_OPT_ADD_FIELD, OnAddField)
ON_COMMAND_CODE(IDC_OPT_FIELD_LIST, LBN_DBLCLK, OnAddField)
ON_BN_CLICKED(IDC_OPT_REMOVE_FIELD, OnRemoveField)
ON_BN_CLICKED(IDC_OPT_INSERT_BLANK, OnInsertBlank)
ON_BN_CLICKED(IDC_OPT_EXECUTE, OnExecute)
ON_BN_CLICKED(IDC_OPT_CHOOSE_FILE, OnChooseFile)
ON_STN_CLICKED(IDC_OPT_MODE_ICON, OnToggleMode)
END_MESSAGE_MAP()

COptionDlg::COptionDlg()
    : CDialog(IDD_OPTIONS, nullptr),
      m_nOrderCount(0),
      m_nFieldCount(0),
      m_bExport(1),
      m_hIconImport(nullptr),
      m_hIconExport(nullptr),
      m_pHostServices(nullptr) {
  memset(&m_options, 0, sizeof m_options);
}

INT_PTR COptionDlg::RunWithHost(HostServices* host) {
  m_pHostServices = host;
  return DoModal();
}

void COptionDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_OPT_DELIMITER, m_comboDelimiter);
  DDX_Control(dx, IDC_OPT_HEADING, m_checkHeading);
  DDX_Control(dx, IDC_OPT_FILE, m_editFile);
  DDX_Control(dx, IDC_OPT_MODE_ICON, m_iconMode);
  DDX_Control(dx, IDC_OPT_MODE_LABEL, m_labelMode);
  DDX_Control(dx, IDC_OPT_ORDER_LIST, m_listOrder);
  DDX_Control(dx, IDC_OPT_FIELD_LIST, m_listFields);
}

BOOL COptionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillFieldList();
  m_nFieldCount = m_listFields.GetCount();
  m_nOrderCount = 0;
  m_strFilePath = "";

  m_hIconExport = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_ARROW_RIGHT));
  m_hIconImport = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_ARROW_LEFT));
  m_bExport = 1;
  m_iconMode.SetIcon(m_hIconExport);

  // The procedures take at most this much of the path; a longer one would
  // be cut and name another file.
  m_editFile.SetLimitText(sizeof m_options.path - 1);
  m_checkHeading.SetCheck(BST_CHECKED);
  m_comboDelimiter.ResetContent();
  m_comboDelimiter.AddString(kDelimiterTab);
  m_comboDelimiter.AddString(kDelimiterComma);
  m_comboDelimiter.SetCurSel(0);
  return TRUE;
}

void COptionDlg::FillFieldList() {
  memset(&m_options, 0, sizeof m_options);
  const char* directory = m_pHostServices ? m_pHostServices->GetDataDirectory(1, 0) : nullptr;
  if (directory != nullptr && strlen(directory) < sizeof m_options.dataDirectory) {
    strcpy(m_options.dataDirectory, directory);
  }
  // Without a data directory there is no card file to name the fields.
  if (m_options.dataDirectory[0] == '\0') {
    m_options.fieldCount = 1;
    strcpy(m_options.fields[0], kFieldListErrorText);
  } else {
    ReadFieldList(m_options.dataDirectory, m_options);
  }
  m_listFields.ResetContent();
  for (int n = 0; n < m_options.fieldCount; ++n) m_listFields.AddString(m_options.fields[n]);
}

void COptionDlg::OnOK() { CDialog::OnOK(); }

void COptionDlg::OnToggleMode() {
  m_bExport = !m_bExport;
  m_iconMode.SetIcon(m_bExport ? m_hIconExport : m_hIconImport);
  m_labelMode.SetWindowText(m_bExport ? "ｴｸｽﾎﾟｰﾄ" : "ｲﾝﾎﾟｰﾄ");
}

int COptionDlg::Tell(const char* text, UINT icon) {
  return ShowMessageBox(text, kBookTitle, MB_OK | icon);
}

// Building the column order: fields are appended once each, blanks any
// number of times, and entries are only ever appended or removed.
void COptionDlg::OnAddField() {
  int selected = m_listFields.GetCurSel();
  if (selected == LB_ERR) return;
  char name[kFieldNameSize];
  if (m_listFields.GetText(selected, name, sizeof name) == LB_ERR) return;
  if (IsInOrderList(name)) {
    Tell("その項目は既にオーダーリストに入っています。", MB_ICONHAND);
    return;
  }
  m_listOrder.AddString(name);
  ++m_nOrderCount;
}

bool COptionDlg::IsInOrderList(const char* name) const {
  char entry[kFieldNameSize];
  for (int n = 0;; ++n) {
    if (m_listOrder.GetText(n, entry, sizeof entry) == LB_ERR || entry[0] == '\0') return false;
    if (strcmp(entry, name) == 0) return true;
  }
}

void COptionDlg::OnRemoveField() {
  int selected = m_listOrder.GetCurSel();
  if (selected == LB_ERR) return;
  char entry[kFieldNameSize];
  m_listOrder.GetText(selected, entry, sizeof entry);
  if (strcmp(entry, kBlankEntryText) != 0) --m_nOrderCount;
  m_listOrder.DeleteString(selected);
}

void COptionDlg::OnInsertBlank() { m_listOrder.AddString(kBlankEntryText); }

// Choosing the exchange file with the system's open-file dialog.
void COptionDlg::OnChooseFile() {
  // The file dialog moves the process's working directory to the folder it
  // ends in; the host and its other tools rely on theirs.
  char workingDirectory[MAX_PATH] = {};
  DWORD kept = GetCurrentDirectoryA(sizeof workingDirectory, workingDirectory);
  bool restore = kept > 0 && kept < sizeof workingDirectory;

  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = m_hWnd;
  dialog.lpstrFilter = kFileFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrTitle = "ファイルを選択して下さい。";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_CREATEPROMPT;
  BOOL chosen = GetOpenFileNameA(&dialog);
  if (restore) SetCurrentDirectoryA(workingDirectory);
  if (!chosen) return;

  m_strFilePath = path;
  m_editFile.SetWindowText(m_strFilePath);
}

// Running the exchange: the dialog steps aside while it works and its
// messages, and comes back after a failure.
void COptionDlg::ReadOptions() {
  m_options.path[0] = '\0';
  m_editFile.GetWindowText(m_options.path, sizeof m_options.path);
  switch (m_comboDelimiter.GetCurSel()) {
    case 0:
      m_options.delimiter = '\t';
      break;
    case 1:
      m_options.delimiter = ',';
      break;
    default:
      m_options.delimiter = 0;  // typed text: the procedures refuse it
      break;
  }
  m_options.heading = m_checkHeading.GetCheck() == BST_CHECKED ? 1 : 0;
  m_options.orderEntryCount = 0;
  char entry[kFieldNameSize];
  for (int n = 0; n < m_listOrder.GetCount(); ++n) {
    if (m_listOrder.GetText(n, entry, sizeof entry) == LB_ERR) entry[0] = '\0';
    if (!AddOrderEntry(m_options, entry)) break;
  }
}

void COptionDlg::OnExecute() {
  ShowWindow(SW_HIDE);
  const char* what = m_bExport ? "エクスポート" : "インポート";
  char text[128];
  if (m_nOrderCount <= 0) {
    snprintf(text, sizeof text, "%sする項目がリストに設定されていません！", what);
    Tell(text, MB_ICONHAND);
    ShowWindow(SW_SHOW);
    return;
  }
  ReadOptions();
  BoxMessages messages(this);
  int done = m_bExport ? m_exchange.ExportCards(m_options, messages)
                       : m_exchange.ImportCards(m_options, messages);
  if (done) {
    snprintf(text, sizeof text, "アドレス帳%sが完了しました。", what);
    Tell(text, MB_ICONASTERISK);
    EndDialog(IDOK);
    return;
  }
  snprintf(text, sizeof text, "アドレス帳%sできませんでした。", what);
  Tell(text, MB_ICONEXCLAMATION);
  ShowWindow(SW_SHOW);
}
