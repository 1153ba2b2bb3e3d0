#include "framework/cwin_app.h"

#include <stdio.h>
#include <string.h>

// The linker's symbol for the start of this very module's image.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
CWinApp* g_app = nullptr;
}  // namespace

// Taken at each call rather than kept in a global: the application object
// asks for it while the module's globals are still being made.
HINSTANCE AfxGetResourceHandle() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
  m_szModuleName[0] = '\0';
  if (m_pszAppName == nullptr) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(AfxGetResourceHandle(), path, sizeof path);
    if (n == 0 || n >= sizeof path) path[0] = '\0';
    // Walked character by character: a second byte may look like a backslash.
    const char* name = path;
    for (const char* p = path; *p != '\0'; p = CharNextA(p)) {
      if (*p == '\\' || *p == '/') name = p + 1;
    }
    snprintf(m_szModuleName, sizeof m_szModuleName, "%s", name);
    char* dot = strrchr(m_szModuleName, '.');
    if (dot != nullptr) *dot = '\0';
    m_pszAppName = m_szModuleName;
  }
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}
