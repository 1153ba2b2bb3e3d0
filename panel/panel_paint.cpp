// The panel's own drawing: the form area, the information box, the heading
// title, and the colours of its labels and fields.
#include <string.h>

#include "panel/card_panel.h"

namespace {

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Text(HDC dc, int x, int y, const char* text) {
  TextOutA(dc, x, y, text, static_cast<int>(strlen(text)));
}

}  // namespace

LRESULT CCardPanel::OnPaintPanel(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  PaintPanel(dc);
  EndPaint(m_hWnd, &paint);
  return 0;
}

// Also the panel's answer to a request to draw itself into another device
// context, a bitmap for instance.
LRESULT CCardPanel::OnPrintClient(WPARAM dc, LPARAM) {
  PaintPanel(reinterpret_cast<HDC>(dc));
  return 0;
}

void CCardPanel::PaintPanel(HDC dc) {
  RECT form = m_rcForm;
  Fill(dc, form, RGB(255, 255, 200));
  DrawEdge(dc, &form, EDGE_ETCHED, BF_RECT);
  RECT info = m_rcInfo;
  Fill(dc, info, RGB(255, 255, 255));
  FrameRect(dc, &info, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetBkColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, OPAQUE);
  HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
  bool showInfo = true;
  if (m_nSelKind == SEL_HEADING) {
    RECT title = {m_rcForm.left + 30, m_rcForm.top + 30, m_rcForm.right - 30, m_rcForm.top + 70};
    Fill(dc, title, RGB(255, 255, 255));
    DrawEdge(dc, &title, EDGE_ETCHED, BF_RECT);
    SelectObject(dc, m_fontHeadingTitle.m_hObject);
    SetTextColor(dc, RGB(222, 222, 255));
    char text[80] = {};
    m_tree.GetItemText(m_tree.GetSelectedItem(), text, sizeof text);
    Text(dc, title.left + 20, title.top + 5, text);
    showInfo = m_form.ListSelectedCount() > 0;
  }
  if (showInfo) {
    SelectObject(dc, m_fontInfoTitle.m_hObject);
    SetTextColor(dc, RGB(0, 0, 0));
    Text(dc, 350, 482, "電話帳情報");
    SelectObject(dc, m_fontInfoText.m_hObject);
    SetTextColor(dc, RGB(100, 100, 100));
    Text(dc, 360, 507, m_form.CreatedInfo());
    Text(dc, 360, 525, m_form.ModifiedInfo());
    Text(dc, 360, 543, m_form.CountInfo());
  }
  SelectObject(dc, oldFont);
}

LRESULT CCardPanel::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
  // The system's colours and brush first; then ours on top.
  ::DefWindowProcA(m_hWnd, WM_CTLCOLORSTATIC, wParam, lParam);
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkMode(dc, TRANSPARENT);
  if (reinterpret_cast<HWND>(lParam) == m_labelListTitle.GetSafeHwnd()) {
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  SetTextColor(dc, RGB(160, 0, 0));
  return reinterpret_cast<LRESULT>(m_brPanel.m_hObject);
}

LRESULT CCardPanel::OnCtlColorEdit(WPARAM wParam, LPARAM lParam) {
  LRESULT brush = ::DefWindowProcA(m_hWnd, WM_CTLCOLOREDIT, wParam, lParam);
  SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 200));
  return brush;
}

LRESULT CCardPanel::OnDrawItem(WPARAM, LPARAM lParam) {
  auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  for (CBitmapButton& button : m_buttons) {
    if (button.m_hWnd == item->hwndItem) {
      button.DrawItem(item);
      return TRUE;
    }
  }
  return FALSE;
}
