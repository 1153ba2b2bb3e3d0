#include "framework/common_controls.h"

#include <string.h>

#include "framework/cwin_app.h"
#include "text/byte_text.h"

namespace {

// The controls copy what fits of a longer text, which may end in half a
// character, and do not tell whether they cut it: a full buffer is taken as
// cut.
int EndAtWholeCharacter(char* buffer, int size) {
  buffer[size - 1] = '\0';
  size_t length = strlen(buffer);
  if (length == static_cast<size_t>(size - 1)) {
    length = CharBoundaryPrefix(buffer, length + 1, length);
    buffer[length] = '\0';
  }
  return static_cast<int>(length);
}

LPARAM Struct(void* record) { return reinterpret_cast<LPARAM>(record); }

}  // namespace

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(text);
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, Struct(&insert)));
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const char* text) {
  TVITEMA record = {};
  record.mask = TVIF_TEXT;
  record.hItem = item;
  record.pszText = const_cast<char*>(text);
  return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, Struct(&record)));
}

BOOL CTreeCtrl::GetItemText(HTREEITEM item, char* buffer, int size) const {
  if (size <= 0) return FALSE;
  buffer[0] = '\0';
  TVITEMA record = {};
  record.mask = TVIF_TEXT;
  record.hItem = item;
  record.pszText = buffer;
  record.cchTextMax = size;
  if (!SendMessage(TVM_GETITEMA, 0, Struct(&record))) {
    buffer[0] = '\0';
    return FALSE;
  }
  EndAtWholeCharacter(buffer, size);
  return TRUE;
}

int CListCtrl::InsertColumn(int column, const char* heading, int width) {
  LVCOLUMNA record = {};
  record.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  record.fmt = LVCFMT_LEFT;
  record.cx = width;
  record.pszText = const_cast<char*>(heading);
  record.iSubItem = column;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, Struct(&record)));
}

int CListCtrl::InsertItem(int row, const char* text) {
  LVITEMA record = {};
  record.mask = LVIF_TEXT;
  record.iItem = row;
  record.pszText = const_cast<char*>(text);
  return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, Struct(&record)));
}

BOOL CListCtrl::SetItemText(int row, int column, const char* text) {
  LVITEMA record = {};
  record.iSubItem = column;
  record.pszText = const_cast<char*>(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, row, Struct(&record)));
}

int CListCtrl::GetItemText(int row, int column, char* buffer, int size) const {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  LVITEMA record = {};
  record.iSubItem = column;
  record.pszText = buffer;
  record.cchTextMax = size;
  SendMessage(LVM_GETITEMTEXTA, row, Struct(&record));
  return EndAtWholeCharacter(buffer, size);
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
