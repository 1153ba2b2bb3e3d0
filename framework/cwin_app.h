// CWinApp: the module's one application object. Without a name of its own
// it takes the module's file name without extension.
#pragma once

#include <windows.h>

class CWinApp {
 public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  const char* m_pszAppName;

 private:
  char m_szModuleName[MAX_PATH];
};

CWinApp* AfxGetApp();
