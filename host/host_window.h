// The host stand-in's main window: the tool's name and history, a log of
// every notification, buttons to open the panel and its settings, and the
// host's search with its result list.
#pragma once

#include "framework/cwnd.h"
#include "sdk/tool_base.h"

// A child control of parent with the dialog font.
HWND MakeChild(HWND parent, const char* className, const char* text, DWORD style, UINT id);

constexpr UINT kSearchButton = 103;
constexpr UINT kStopSearchButton = 104;
constexpr UINT kSearchTextBox = 105;
constexpr UINT kSearchResultList = 106;

class CHostWindow : public CWnd {
 public:
  CHostWindow() = default;
  BOOL CreateMain(const char* title);
  void AttachTool(CToolBase* tool);
  void OpenPanel();
  // Opens the settings screen as its button does, once the panel is ready.
  void OpenSettingsWhenReady() { m_bSettingsWhenReady = true; }
  void Log(const char* text);

 protected:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnToolNotice(WPARAM, LPARAM);
  LRESULT OnToolActivated(WPARAM, LPARAM);
  LRESULT OnToolReady(WPARAM, LPARAM);
  LRESULT OnToolClosing(WPARAM, LPARAM);
  LRESULT OnSearchResult(WPARAM, LPARAM);
  void OnOpenPanel();
  void OnOpenSettings();
  void OnSearch();
  void OnStopSearch();
  void OnClose();
  void OnDestroy();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  void LogNotice(const char* name, WPARAM wParam, LPARAM lParam);
  void CreateSearchControls();
  void PlaceSearchControls(int top, int width);
  void ShowSearching(bool searching);
  HWND m_hHistory = nullptr;
  HWND m_hLog = nullptr;
  HWND m_hSearchText = nullptr;
  HWND m_hSearchMode = nullptr;
  HWND m_hResults = nullptr;
  CToolBase* m_pTool = nullptr;
  SearchRequest m_request = {};
  bool m_bSearching = false;
  bool m_bCloseAfterSearch = false;
  bool m_bSettingsWhenReady = false;
  int m_nResultCount = 0;
  int m_nMatchCount = 0;
};
