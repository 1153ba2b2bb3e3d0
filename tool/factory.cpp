// The library's one export, and its application object.
#include "framework/cwin_app.h"
#include "tool/card_book_tool.h"

namespace {

class CToolApp : public CWinApp {};

CToolApp g_toolApp;

}  // namespace

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
