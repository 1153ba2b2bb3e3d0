// Running the exchange: the dialog steps aside while it works and its
// messages, and comes back after a failure.
#include <stdio.h>
#include <string.h>

#include "exchange/win/option_dlg.h"
#include "tool/side_dialog_box.h"

namespace {

// The procedures' messages as the dialog's boxes.
class BoxMessages : public ExchangeMessages {
 public:
  explicit BoxMessages(HWND owner) : owner_(owner) {}
  void Tell(const char* text, ExchangeIcon icon) override {
    UINT style = icon == kExchangeStop          ? MB_ICONHAND
                 : icon == kExchangeExclamation ? MB_ICONEXCLAMATION
                                                : MB_ICONASTERISK;
    TellFromSideDialog(owner_, text, style);
  }

 private:
  HWND owner_;
};

}  // namespace

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
  m_options.heading = m_checkHeading.SendMessage(BM_GETCHECK) == BST_CHECKED ? 1 : 0;
  m_options.orderEntryCount = 0;
  char entry[kFieldNameSize];
  for (int n = 0; n < m_listOrder.GetCount(); ++n) {
    if (m_listOrder.GetText(n, entry, sizeof entry) == LB_ERR) entry[0] = '\0';
    if (!AddOrderEntry(m_options, entry)) break;
  }
}

void COptionDlg::OnExecute() {
  ShowWindow(m_hWnd, SW_HIDE);
  const char* what = m_bExport ? "エクスポート" : "インポート";
  char text[128];
  if (m_nOrderCount <= 0) {
    snprintf(text, sizeof text, "%sする項目がリストに設定されていません！", what);
    Tell(text, MB_ICONHAND);
    ShowWindow(m_hWnd, SW_SHOW);
    return;
  }
  ReadOptions();
  BoxMessages messages(m_hWnd);
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
  ShowWindow(m_hWnd, SW_SHOW);
}
