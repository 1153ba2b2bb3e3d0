#include "tool/card_book_tool.h"

UINT CCardBookTool::PanelThreadProc(LPVOID parameter) {
  auto* tool = static_cast<CCardBookTool*>(parameter);
  tool->CreatePanel(tool->GetTemplateId(), nullptr);
  MSG message = {};
  // A panel that could not be made leaves nothing to wait for.
  while (tool->m_hWnd != nullptr && ::IsWindow(tool->m_hWnd) &&
         GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (tool->PreTranslateMessage(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (tool->m_hWnd != nullptr && ::IsWindow(tool->m_hWnd)) ::DestroyWindow(tool->m_hWnd);
  tool->PanelEnded();
  return static_cast<UINT>(message.wParam);
}
