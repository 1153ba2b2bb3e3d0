#include "framework/message_pump.h"

#include "framework/cwnd.h"

namespace {

void HandOn(MSG& message, CWnd* window) {
  if (window != nullptr && window->PreTranslateMessage(&message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

bool PumpMessage(MSG& message, CWnd* window) {
  if (GetMessageW(&message, nullptr, 0, 0) <= 0) return false;
  HandOn(message, window);
  return true;
}

bool PumpWaitingMessages(CWnd* window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    HandOn(message, window);
  }
  return true;
}
