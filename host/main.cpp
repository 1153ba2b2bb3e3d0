// ScribellaHost: loads Quillbook.dll through its export and drives it as the
// host application does.
//   ScribellaHost.exe [/data DIR] [/open] [/settings]
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "framework/message_pump.h"
#include "host/host_window.h"
#include "host/ini_host_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const char* dataDirectory = nullptr;
  bool openPanel = false;
  bool openSettings = false;
  for (int i = 1; i < __argc; ++i) {
    if ((strcmp(__argv[i], "/data") == 0 || strcmp(__argv[i], "--data") == 0) && i + 1 < __argc) {
      dataDirectory = __argv[++i];
    } else if (strcmp(__argv[i], "/open") == 0 || strcmp(__argv[i], "--open") == 0) {
      openPanel = true;
    } else if (strcmp(__argv[i], "/settings") == 0 || strcmp(__argv[i], "--settings") == 0) {
      openPanel = openSettings = true;
    }
  }
  IniHostServices services(dataDirectory);
  CHostWindow window;
  if (!window.CreateMain("ScribellaHost")) return 1;

  HMODULE library = LoadLibraryA("Quillbook.dll");
  auto factory = library ? reinterpret_cast<NewScribellaToolFunction>(
                               reinterpret_cast<void*>(GetProcAddress(library, "NewScribellaTool")))
                         : nullptr;
  if (factory == nullptr) {
    MessageBoxA(window.m_hWnd, "Quillbook.dll を読み込めませんでした。", "ScribellaHost",
                MB_ICONSTOP);
    return 1;
  }
  CToolBase* tool = factory(&window, &services);
  window.AttachTool(tool);
  char line[MAX_PATH + 32];
  snprintf(line, sizeof line, "データフォルダ: %s", services.GetDataDirectory(1, 0));
  window.Log(line);
  if (openSettings) window.OpenSettingsWhenReady();
  if (openPanel) window.OpenPanel();

  MSG message;
  while (PumpMessage(message)) {
  }
  delete tool;
  return 0;
}
