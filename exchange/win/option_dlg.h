// The settings screen: exchanging the cards with tab- or comma-separated
// files in a column order that the user builds from the card fields.
#pragma once

#include <windows.h>

#include "exchange/exchange_book.h"
#include "exchange/win/option_ids.h"
#include "framework/cdialog.h"
#include "framework/standard_controls.h"
#include "sdk/host_services.h"
#include "text/cstring.h"

class COptionDlg : public CDialog {
 public:
  COptionDlg();

  // The window that the dialog disables while it runs (the panel), or null.
  void SetOwner(CWnd* owner) { m_pParentWnd = owner; }

  // Runs the dialog modally: IDOK after a successful exchange or the Enter
  // key, IDCANCEL after the close box or Escape.
  virtual INT_PTR RunWithHost(HostServices* host);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnAddField();
  void OnRemoveField();
  void OnInsertBlank();
  void OnExecute();
  void OnChooseFile();
  void OnToggleMode();

  DECLARE_MESSAGE_MAP()

 private:
  void FillFieldList();
  bool IsInOrderList(const char* name) const;
  // The controls' choices as the exchange procedures take them.
  void ReadOptions();
  int Tell(const char* text, UINT icon);

  CComboBox m_comboDelimiter;
  CButton m_checkHeading;
  CEdit m_editFile;
  CStatic m_iconMode;
  CWnd m_labelMode;
  CListBox m_listOrder;
  CListBox m_listFields;
  // m_book and m_nBookCards: the dialog's own copy of the saved cards.
  ExchangeBook m_exchange;
  int m_nOrderCount;
  CString m_strFilePath;
  int m_nFieldCount;
  int m_bExport;
  HICON m_hIconImport;
  HICON m_hIconExport;
  HostServices* m_pHostServices;
  ExchangeOptions m_options;
};
