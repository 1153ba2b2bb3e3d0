// The tool as the host holds it: a dialog with the fields that the host
// reads and the seven operations that it calls.
#pragma once

#include <stddef.h>
#include <windows.h>

#include "framework/cdialog.h"
#include "framework/cstring_array.h"
#include "framework/cwin_thread.h"
#include "sdk/host_services.h"
#include "text/cstring.h"

struct SearchRequest {
  CWnd* pResultWnd;  // the host's result window
  short nMode;       // 0: text, 1: telephone number, 2: reading and kana
  char reserved[6];
  int bStop;  // non-zero: stop before the next card
};

#if !defined(_WIN64)
static_assert(offsetof(SearchRequest, pResultWnd) == 0, "host layout");
static_assert(offsetof(SearchRequest, nMode) == 4, "host layout");
static_assert(offsetof(SearchRequest, bStop) == 12, "host layout");
#endif

class CToolBase : public CDialog {
 public:
  CToolBase(UINT templateId, CWnd* hostWindow);
  ~CToolBase() override;

  virtual int SaveState() = 0;
  virtual int Search(SearchRequest* request, const char* text) = 0;
  virtual const char* GetToolName() = 0;
  virtual BOOL CreatePanel(UINT templateId, CWnd* parent);
  virtual void StartPanel() = 0;
  virtual UINT GetTemplateId() = 0;
  virtual int OpenSettings(WPARAM wParam, LPARAM lParam) = 0;

  HostServices* m_pHost = nullptr;
  CStringArray m_history;
  CWnd* m_pHostWnd;
  CWinThread* m_pThread = nullptr;
  HICON m_hIcon = nullptr;
  int m_nToolNo = 0;
  CString m_strName;
  int m_nHostAttr1 = 0;
  int m_nHostAttr2 = 0;
  HBITMAP m_hToolBmp = nullptr;
  HBITMAP m_hToolBmpAlt = nullptr;
  int m_bModalBusy = 0;
};

// The library's one export.
extern "C" typedef CToolBase* (*NewScribellaToolFunction)(CWnd* hostWindow, HostServices* host);
