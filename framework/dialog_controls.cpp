#include "framework/dialog_controls.h"

#include "framework/cdialog.h"
#include "text/byte_text.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  control.m_hWnd = GetDlgItem(dx->m_pDlgWnd->GetSafeHwnd(), id);
}

int CEdit::GetWindowText(char* buffer, int size) const {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  int length = ::GetWindowTextA(m_hWnd, buffer, size);
  if (length < 0) length = 0;
  // A longer text is cut where the buffer ends, perhaps inside a character;
  // the text goes on past the cut, so a lead byte there is half a character.
  if (GetWindowTextLength() > length) {
    size_t kept = static_cast<size_t>(length);
    length = static_cast<int>(CharBoundaryPrefix(buffer, kept + 1, kept));
    buffer[length] = '\0';
  }
  return length;
}

int CListBox::GetText(int index, char* buffer, int size) const {
  if (size <= 0) return LB_ERR;
  buffer[0] = '\0';
  // The list box copies the whole item whatever the buffer's size.
  int length = GetTextLen(index);
  if (length == LB_ERR || length >= size) return LB_ERR;
  return static_cast<int>(SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)));
}

int CComboBox::GetLBText(int index, char* buffer, int size) const {
  if (size <= 0) return CB_ERR;
  buffer[0] = '\0';
  int length = GetLBTextLen(index);
  if (length == CB_ERR || length >= size) return CB_ERR;
  return static_cast<int>(SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer)));
}
