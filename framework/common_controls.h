// The common controls of comctl32 that the panel uses (tree view, list
// view, tooltips, image lists) as objects bound to their windows, one method
// a message; the standard controls of user32 are in standard_controls.h.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "framework/cwnd.h"
#include "framework/gdi.h"

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

class CTreeCtrl : public CWnd {
 public:
  // An item under parent, placed after the item after (or TVI_FIRST,
  // TVI_LAST); null when the tree refuses it.
  HTREEITEM InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                       HTREEITEM after);
  BOOL SetItemText(HTREEITEM item, const char* text);
  // The item's text, cut at a character boundary to fit size bytes with its
  // terminator; FALSE, and an empty buffer, when there is no such item.
  BOOL GetItemText(HTREEITEM item, char* buffer, int size) const;
  BOOL DeleteItem(HTREEITEM item) { return TreeView_DeleteItem(m_hWnd, item); }
  BOOL DeleteAllItems() { return TreeView_DeleteAllItems(m_hWnd); }
  BOOL SelectItem(HTREEITEM item) { return TreeView_SelectItem(m_hWnd, item); }
  HTREEITEM GetSelectedItem() const { return TreeView_GetSelection(m_hWnd); }
  HTREEITEM GetParentItem(HTREEITEM item) const { return TreeView_GetParent(m_hWnd, item); }
  HTREEITEM GetChildItem(HTREEITEM item) const { return TreeView_GetChild(m_hWnd, item); }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const {
    return TreeView_GetNextSibling(m_hWnd, item);
  }
  BOOL SortChildren(HTREEITEM item) { return TreeView_SortChildren(m_hWnd, item, FALSE); }
  BOOL Expand(HTREEITEM item, UINT code) { return TreeView_Expand(m_hWnd, item, code); }
  HIMAGELIST SetImageList(CImageList* images, int kind) {
    return TreeView_SetImageList(m_hWnd, images->m_hImageList, kind);
  }
};

class CListCtrl : public CWnd {
 public:
  DWORD GetExtendedStyle() const {
    return static_cast<DWORD>(ListView_GetExtendedListViewStyle(m_hWnd));
  }
  void SetExtendedStyle(DWORD style) { ListView_SetExtendedListViewStyle(m_hWnd, style); }
  // A left-aligned column of width pixels, showing sub-item column.
  int InsertColumn(int column, const char* heading, int width);
  // A row whose first column shows text; its index, or -1.
  int InsertItem(int row, const char* text);
  BOOL SetItemText(int row, int column, const char* text);
  // The cell's text, cut at a character boundary to fit size bytes with its
  // terminator; returns its length.
  int GetItemText(int row, int column, char* buffer, int size) const;
  int GetNextItem(int row, int flags) const { return ListView_GetNextItem(m_hWnd, row, flags); }
  UINT GetSelectedCount() const { return ListView_GetSelectedCount(m_hWnd); }
  BOOL DeleteAllItems() { return ListView_DeleteAllItems(m_hWnd); }
};

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
