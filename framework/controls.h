// The few control classes that the panel needs beyond plain CWnd handles.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "framework/cwnd.h"
#include "framework/gdi.h"

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

class CToolTipCtrl : public CWnd {
 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  // A tip for the whole window of tool; the text is copied.
  BOOL AddTool(HWND tool, const char* text);
  void RelayEvent(MSG* message);
  void SetMaxTipWidth(int width);
  void SetTipTextColor(COLORREF color);
  void SetTipBkColor(COLORREF color);

 private:
  HWND m_hOwner = nullptr;
};

class CImageList {
 public:
  CImageList() = default;
  ~CImageList() { DeleteImageList(); }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // Adds a bitmap with mask colour; returns the index of its first image.
  int Add(CBitmap* bitmap, COLORREF mask);
  BOOL DeleteImageList();

  HIMAGELIST m_hImageList = nullptr;
};
