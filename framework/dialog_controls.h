// The plain controls of a dialog (edit, list box, combo box, static, button)
// as objects bound to their windows by the dialog's data exchange.
#pragma once

#include <windows.h>

#include "framework/cwnd.h"

class CDialog;

// One round of data exchange between a dialog and its members.
class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, BOOL saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
};

// Binds control to the dialog's control id. The window is not subclassed:
// the dialog still receives its notifications.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CEdit : public CWnd {
 public:
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  // The text, cut at a character boundary to fit size bytes with its
  // terminator; returns its length.
  int GetWindowText(char* buffer, int size) const;
  void SetReadOnly(BOOL readOnly) { SendMessage(EM_SETREADONLY, readOnly); }
  void SetLimitText(int bytes) { SendMessage(EM_SETLIMITTEXT, bytes); }
  void SetMargins(int left, int right) {
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
  }
};

class CStatic : public CWnd {
 public:
  HICON SetIcon(HICON icon) {
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
  }
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
};

class CButton : public CWnd {
 public:
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) { SendMessage(BM_SETCHECK, check); }
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(
        SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
};

class CListBox : public CWnd {
 public:
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
  int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, index)); }
  // The item's text; LB_ERR, and an empty buffer, when it does not fit in
  // size bytes with its terminator or there is no such item.
  int GetText(int index, char* buffer, int size) const;
  int AddString(const char* text) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, Text(text)));
  }
  int InsertString(int index, const char* text) {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, index, Text(text)));
  }
  int DeleteString(int index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }

 private:
  static LPARAM Text(const char* text) { return reinterpret_cast<LPARAM>(text); }
};

class CComboBox : public CWnd {
 public:
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
  int GetLBTextLen(int index) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index));
  }
  // The list item's text; CB_ERR, and an empty buffer, when it does not fit
  // in size bytes with its terminator or there is no such item.
  int GetLBText(int index, char* buffer, int size) const;
  int AddString(const char* text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
};
