// The host's search: a text, a mode, and the tool's result lines in a list.
#include <stdio.h>

#include "framework/message_pump.h"
#include "host/host_window.h"
#include "text/cstring.h"

namespace {

// The modes in the order of the mode list: its index is the request's mode.
const char* const kSearchModeNames[] = {"テキスト", "電話番号", "読み・かな"};

constexpr int kSearchTextLimit = 255;

}  // namespace

void CHostWindow::CreateSearchControls() {
  m_hSearchText =
      MakeChild(m_hWnd, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kSearchTextBox);
  ::SendMessageA(m_hSearchText, EM_LIMITTEXT, kSearchTextLimit, 0);
  m_hSearchMode = MakeChild(m_hWnd, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0);
  for (const char* name : kSearchModeNames) {
    ::SendMessageA(m_hSearchMode, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  ::SendMessageA(m_hSearchMode, CB_SETCURSEL, 0, 0);
  MakeChild(m_hWnd, "BUTTON", "検索", BS_PUSHBUTTON | WS_TABSTOP, kSearchButton);
  MakeChild(m_hWnd, "BUTTON", "中止", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, kStopSearchButton);
  m_hResults =
      MakeChild(m_hWnd, "LISTBOX", "", WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT,
                kSearchResultList);
  ::SendMessageA(m_hResults, LB_SETHORIZONTALEXTENT, 2000, 0);
}

void CHostWindow::PlaceSearchControls(int top, int width) {
  const int button = 64;
  const int mode = 100;
  int textWidth = width - 16 - mode - 2 * button - 3 * 8;
  MoveWindow(m_hSearchText, 8, top, textWidth, 24, TRUE);
  int x = 8 + textWidth + 8;
  MoveWindow(m_hSearchMode, x, top, mode, 200, TRUE);  // the height includes the drop-down
  x += mode + 8;
  MoveWindow(GetDlgItem(m_hWnd, kSearchButton), x, top, button, 24, TRUE);
  MoveWindow(GetDlgItem(m_hWnd, kStopSearchButton), x + button + 8, top, button, 24, TRUE);
}

void CHostWindow::ShowSearching(bool searching) {
  ::EnableWindow(GetDlgItem(m_hWnd, kSearchButton), !searching);
  ::EnableWindow(GetDlgItem(m_hWnd, kStopSearchButton), searching);
}

void CHostWindow::OnSearch() {
  if (m_pTool == nullptr || m_bSearching) return;
  char text[kSearchTextLimit + 1];
  ::GetWindowTextA(m_hSearchText, text, sizeof text);
  LRESULT mode = ::SendMessageA(m_hSearchMode, CB_GETCURSEL, 0, 0);
  ::SendMessageA(m_hResults, LB_RESETCONTENT, 0, 0);
  m_request = SearchRequest{};
  m_request.pResultWnd = this;
  m_request.nMode = static_cast<short>(mode == CB_ERR ? 0 : mode);
  m_nResultCount = 0;
  m_nMatchCount = 0;
  m_bSearching = true;
  ShowSearching(true);
  m_pTool->Search(&m_request, text);
  m_bSearching = false;
  ShowSearching(false);
  char line[kSearchTextLimit + 96];
  snprintf(line, sizeof line, "検索「%s」: %d 行、一致 %d 件%s", text, m_nResultCount,
           m_nMatchCount, m_request.bStop ? " (中止)" : "");
  Log(line);
  if (m_bCloseAfterSearch) PostMessage(WM_CLOSE);
}

void CHostWindow::OnStopSearch() {
  if (m_bSearching) m_request.bStop = 1;
}

LRESULT CHostWindow::OnSearchResult(WPARAM wParam, LPARAM) {
  // The tool reuses its string for the next line: the list keeps a copy.
  const char* text = *reinterpret_cast<const CString*>(wParam);
  ++m_nResultCount;
  if (text[0] != '\0') {
    ++m_nMatchCount;
    ::SendMessageA(m_hResults, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  // The search runs inside the search button's handler, so between two
  // cards the window would neither paint nor see the stop button.
  PumpWaitingMessages();
  return 0;
}
