#include "framework/controls.h"

#include <stdio.h>

#include <initializer_list>

#include "framework/cwin_app.h"

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent) {
  m_hWnd = GetDlgItem(parent->GetSafeHwnd(), static_cast<int>(id));
  if (m_hWnd == nullptr) return FALSE;
  char text[64] = {};
  GetWindowTextA(m_hWnd, text, sizeof text);
  char name[72];
  struct {
    CBitmap* bitmap;
    char suffix;
  } const images[] = {
      {&m_bitmap, 'U'}, {&m_bitmapSel, 'D'}, {&m_bitmapFocus, 'F'}, {&m_bitmapDisabled, 'X'}};
  for (const auto& image : images) {
    snprintf(name, sizeof name, "%s%c", text, image.suffix);
    image.bitmap->Attach(LoadBitmapA(AfxGetResourceHandle(), name));
  }
  return m_bitmap.m_hObject != nullptr;
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT* item) {
  CBitmap* bitmap = &m_bitmap;
  if ((item->itemState & ODS_SELECTED) && m_bitmapSel.m_hObject) {
    bitmap = &m_bitmapSel;
  } else if ((item->itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject) {
    bitmap = &m_bitmapFocus;
  } else if ((item->itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject) {
    bitmap = &m_bitmapDisabled;
  }
  HDC memory = CreateCompatibleDC(item->hDC);
  HGDIOBJ old = SelectObject(memory, bitmap->m_hObject);
  const RECT& r = item->rcItem;
  BitBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void CBitmapButton::FreeBitmaps() {
  for (CBitmap* b : {&m_bitmap, &m_bitmapSel, &m_bitmapFocus, &m_bitmapDisabled}) {
    b->DeleteObject();
  }
}

namespace {

const char kPressedPicture[] = "QuillbookPressedPicture";

struct PressedPicture {
  WNDPROC buttonProc;
  HBITMAP up;
  HBITMAP pressed;
};

void ShowPictureOfState(HWND button, const PressedPicture& picture) {
  WNDPROC proc = picture.buttonProc;
  bool checked = CallWindowProcA(proc, button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  HBITMAP wanted = checked ? picture.pressed : picture.up;
  if (reinterpret_cast<HBITMAP>(CallWindowProcA(proc, button, BM_GETIMAGE, IMAGE_BITMAP, 0)) !=
      wanted) {
    CallWindowProcA(proc, button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(wanted));
  }
}

LRESULT CALLBACK PressedPictureProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* picture = static_cast<PressedPicture*>(GetPropA(button, kPressedPicture));
  WNDPROC buttonProc = picture->buttonProc;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonProc));
    RemovePropA(button, kPressedPicture);
    DeleteObject(picture->pressed);
    delete picture;
    return CallWindowProcA(buttonProc, button, message, wParam, lParam);
  }
  LRESULT result = CallWindowProcA(buttonProc, button, message, wParam, lParam);
  // An automatic radio button checks itself and unchecks its group with
  // this same message, so it is the one place where the state changes.
  if (message == BM_SETCHECK) ShowPictureOfState(button, *picture);
  return result;
}

}  // namespace

BOOL ShowPressedPictureWhenChecked(HWND button, UINT pressedId) {
  if (button == nullptr || GetPropA(button, kPressedPicture) != nullptr) return FALSE;
  HBITMAP pressed = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pressedId));
  if (pressed == nullptr) return FALSE;
  auto* picture = new PressedPicture{
      nullptr, reinterpret_cast<HBITMAP>(::SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0)),
      pressed};
  SetPropA(button, kPressedPicture, picture);
  picture->buttonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PressedPictureProc)));
  ShowPictureOfState(button, *picture);
  return TRUE;
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  m_hOwner = parent->GetSafeHwnd();
  m_hWnd = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | style,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hOwner,
                           nullptr, AfxGetResourceHandle(), nullptr);
  return m_hWnd != nullptr;
}

BOOL CToolTipCtrl::AddTool(HWND tool, const char* text) {
  TTTOOLINFOA info = {};
  // The first size that every version of the control takes.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = m_hOwner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<char*>(text);
  return static_cast<BOOL>(
      ::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::RelayEvent(MSG* message) {
  if (m_hWnd != nullptr)
    ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
}

void CToolTipCtrl::SetMaxTipWidth(int width) {
  ::SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, width);
}

void CToolTipCtrl::SetTipTextColor(COLORREF color) {
  ::SendMessageA(m_hWnd, TTM_SETTIPTEXTCOLOR, color, 0);
}

void CToolTipCtrl::SetTipBkColor(COLORREF color) {
  ::SendMessageA(m_hWnd, TTM_SETTIPBKCOLOR, color, 0);
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  DeleteImageList();
  m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
  return m_hImageList != nullptr;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
  return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(bitmap->m_hObject), mask);
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  ImageList_Destroy(m_hImageList);
  m_hImageList = nullptr;
  return TRUE;
}
