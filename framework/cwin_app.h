// The module (DLL or program) that this code is linked into, and its one
// application object, CWinApp: without a name of its own it takes the
// module's file name without extension.
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

// The module itself, for its resources.
HINSTANCE AfxGetResourceHandle();
