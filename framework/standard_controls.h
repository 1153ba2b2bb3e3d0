// The standard controls of user32 (edit, static, button, list box, combo
// box, and the owner-drawn bitmap button) as objects bound to their windows;
// the common controls of comctl32 are in common_controls.h.
#pragma once

#include <windows.h>

#include "framework/cwnd.h"
#include "framework/gdi.h"

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

// An owner-drawn button that shows one of four bitmaps, found by the
// button's own text with "U" (up), "D" (down), "F" (focused) and "X"
// (disabled) appended.
class CBitmapButton : public CWnd {
 public:
  BOOL AutoLoad(UINT id, CWnd* parent);
  // For the parent's WM_DRAWITEM of this button.
  void DrawItem(const DRAWITEMSTRUCT* item);
  void FreeBitmaps();

  CBitmap m_bitmap;
  CBitmap m_bitmapSel;
  CBitmap m_bitmapFocus;
  CBitmap m_bitmapDisabled;
};

// A push-like radio or check button with a picture looks the same checked
// or not under Wine, which paints the picture over the sunken frame. This
// gives such a button a second picture, the resource pressedId, that it
// shows while it is checked, however it comes to be checked; the button
// keeps the picture it has now for the other state, and frees the pressed
// one when it is destroyed.
BOOL ShowPressedPictureWhenChecked(HWND button, UINT pressedId);

class CListBox : public CWnd {
 public:
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
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
  int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, index)); }
};

class CComboBox : public CWnd {
 public:
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
  // The list item's text; CB_ERR, and an empty buffer, when it does not fit
  // in size bytes with its terminator or there is no such item.
  int GetLBText(int index, char* buffer, int size) const;
  int AddString(const char* text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }

 private:
  int GetLBTextLen(int index) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index));
  }
};
