#include "tool/card_book_tool.h"

UINT CCardBookTool::PanelThreadProc(LPVOID parameter) {
  auto* tool = static_cast<CCardBookTool*>(parameter);
  if (tool->m_hWnd != nullptr && ::IsWindow(tool->m_hWnd)) return static_cast<UINT>(-1);
  tool->CreatePanel(tool->GetTemplateId(), nullptr);
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (tool->PreTranslateMessage(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (tool->m_hWnd == nullptr || !::IsWindow(tool->m_hWnd)) break;
  }
  if (tool->m_hWnd != nullptr && ::IsWindow(tool->m_hWnd)) ::DestroyWindow(tool->m_hWnd);
  return static_cast<UINT>(message.wParam);
}
