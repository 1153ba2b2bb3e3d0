#include "tool/side_dialog_box.h"

int TellFromSideDialog(HWND dialog, const char* text, UINT icon) {
  return MessageBoxA(dialog, text, "アドレス帳", MB_OK | icon);
}
