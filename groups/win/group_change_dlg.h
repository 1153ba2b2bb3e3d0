// The dialog that moves every card of one group to another group of the
// group file, in the tool's own card table.
#pragma once

#include <windows.h>

#include "cards/card_record.h"
#include "framework/cdialog.h"
#include "framework/standard_controls.h"
#include "groups/win/group_change_ids.h"
#include "sdk/host_services.h"

class CGroupChangeDlg : public CDialog {
 public:
  explicit CGroupChangeDlg(CWnd* parent = nullptr) : CDialog(IDD_GROUP_CHANGE, parent) {}

  // cards is slot 0 of the tool's table, count its card count. IDOK once the
  // cards are moved, IDCANCEL when the user gives up.
  virtual INT_PTR OpenModal(HostServices* host, CardRecord* cards, int count);

  CComboBox m_comboAfter;
  CEdit m_editBefore;
  CardRecord* m_pCards = nullptr;
  int m_nCards = 0;
  HostServices* m_pHost = nullptr;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Return must not end the dialog as if the cards had been moved.
  void OnOK() override {}

  void OnCancelMode();
  void OnConvert();

  DECLARE_MESSAGE_MAP()

 private:
  void Tell(const char* text, UINT icon);
  void Refuse(const char* text);
};
