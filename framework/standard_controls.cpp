#include "framework/standard_controls.h"

#include <stdio.h>

#include <initializer_list>

#include "framework/cwin_app.h"
#include "text/byte_text.h"

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
