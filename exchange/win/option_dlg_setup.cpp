// The settings screen's set-up: its controls, the field list from the card
// file's heading line, and the direction of the exchange.
#include <string.h>

#include "exchange/win/option_dlg.h"
#include "framework/module.h"
#include "tool/side_dialog_box.h"

namespace {

const char kDelimiterTab[] = "ﾀﾌﾞ区切り";
const char kDelimiterComma[] = "ｶﾝﾏ区切り";

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
  m_iconMode.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(m_hIconExport));

  // The procedures take at most this much of the path; a longer one would
  // be cut and name another file.
  m_editFile.SendMessage(EM_SETLIMITTEXT, sizeof m_options.path - 1);
  m_checkHeading.SendMessage(BM_SETCHECK, BST_CHECKED);
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
  m_iconMode.SendMessage(STM_SETICON,
                         reinterpret_cast<WPARAM>(m_bExport ? m_hIconExport : m_hIconImport));
  m_labelMode.SetWindowText(m_bExport ? "ｴｸｽﾎﾟｰﾄ" : "ｲﾝﾎﾟｰﾄ");
}

int COptionDlg::Tell(const char* text, UINT icon) { return TellFromSideDialog(m_hWnd, text, icon); }
