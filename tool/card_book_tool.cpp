// The tool object: the host-facing base, the address book as a tool, and
// the library's application object and its one export.
#include "tool/card_book_tool.h"

#include "cards/book_title.h"
#include "framework/cwin_app.h"
#include "panel/panel_ids.h"
#include "search/win/host_search.h"
#include "tool/tool_ids.h"

namespace {

// Named after the library's file, as the panel's message boxes are.
class CToolApp : public CWinApp {};

CToolApp g_toolApp;

// The tool's bitmaps come from the library found by its file name; under
// another name they stay empty.
HBITMAP LoadToolBitmap(UINT id) {
  HMODULE module = GetModuleHandleA("Quillbook.dll");
  return module ? LoadBitmapA(module, MAKEINTRESOURCEA(id)) : nullptr;
}

}  // namespace

CToolBase::CToolBase(UINT templateId, CWnd* hostWindow)
    : CDialog(templateId, hostWindow), m_pHostWnd(hostWindow) {}

CToolBase::~CToolBase() {
  if (m_hToolBmp != nullptr) DeleteObject(m_hToolBmp);
  if (m_hToolBmpAlt != nullptr) DeleteObject(m_hToolBmpAlt);
}

BOOL CToolBase::CreatePanel(UINT templateId, CWnd* parent) {
  return Create(templateId & 0xFFFF, parent);
}

CCardBookTool::CCardBookTool(CWnd* hostWindow) : CCardPanel(hostWindow) {
  m_nToolNo = kToolNumber;
  m_strName = "Quillbook";
  m_nHostAttr1 = 1;
  m_nHostAttr2 = 272;
  m_hToolBmp = LoadToolBitmap(IDB_TOOL);
  m_hToolBmpAlt = LoadToolBitmap(IDB_TOOL_ALT);
}

const char* CCardBookTool::GetToolName() { return kBookTitle; }

UINT CCardBookTool::GetTemplateId() { return IDD_PANEL; }

int CCardBookTool::Search(SearchRequest* request, const char* text) {
  // The panel writes the card file as it closes: the search reads it after.
  if (!IsPanelThread()) {
    LockPanelSettled();
    m_panelLock.Unlock();
  }
  return SendSearchResults(request, text, m_pHost);
}

// The library's one export.
extern "C" __declspec(dllexport) CToolBase* NewScribellaTool(CWnd* hostWindow, HostServices* host) {
  try {
    auto* tool = new CCardBookTool(hostWindow);
    tool->m_pHost = host;
    tool->m_history.Add("[2006.01.01 ｱﾄﾞﾚｽ帳 Ver.0001.000] 初版リリース");
    tool->m_history.Add("[2006.02.11 ｱﾄﾞﾚｽ帳 Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知");
    tool->m_history.Add("[2010.02.25 ｱﾄﾞﾚｽ帳 Ver.0001.002] Scribella Ver.6.1対応");
    return tool;
  } catch (...) {
    return nullptr;  // nothing may unwind into the host
  }
}
