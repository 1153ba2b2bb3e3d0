// Building the column order: fields are appended once each, blanks any
// number of times, and entries are only ever appended or removed.
#include <string.h>

#include "exchange/win/option_dlg.h"

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
