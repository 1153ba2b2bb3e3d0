// The host stand-in's main window: the tool's name and history, a log of
// every notification, and buttons to open the panel and its settings.
#pragma once

#include "framework/cwnd.h"
#include "sdk/tool_base.h"

class CHostWindow : public CWnd {
 public:
  CHostWindow() = default;
  BOOL CreateMain(const char* title);
  void AttachTool(CToolBase* tool);
  void OpenPanel();
  void Log(const char* text);

 protected:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnToolNotice(WPARAM, LPARAM);
  LRESULT OnToolActivated(WPARAM, LPARAM);
  LRESULT OnToolReady(WPARAM, LPARAM);
  LRESULT OnToolClosing(WPARAM, LPARAM);
  void OnOpenPanel();
  void OnOpenSettings();
  void OnClose();
  void OnDestroy();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  void LogNotice(const char* name, WPARAM wParam, LPARAM lParam);
  HWND m_hHistory = nullptr;
  HWND m_hLog = nullptr;
  CToolBase* m_pTool = nullptr;
};
