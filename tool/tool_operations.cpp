// The operations that the host calls: starting the panel and saving state.
#include <stdio.h>

#include <initializer_list>

#include "tool/book_mark.h"
#include "tool/card_book_tool.h"
#include "tool/panel_messages.h"

bool CCardBookTool::IsOtherThreadThanPanel() const {
  return m_hWnd != nullptr && ::IsWindow(m_hWnd) &&
         GetWindowThreadProcessId(m_hWnd, nullptr) != GetCurrentThreadId();
}

LRESULT CCardBookTool::OnRunOnPanelThread(WPARAM operation, LPARAM) {
  switch (operation) {
    case kRunSaveState:
      return SaveStateHere();
    case kRunOpenSettings:
      return OpenSettingsHere();
    default:
      return 0;
  }
}

int CCardBookTool::SaveState() {
  // Called by the host on its own thread, the work is done on the panel
  // thread, so that the card table is only ever used by one thread.
  if (IsOtherThreadThanPanel()) {
    return static_cast<int>(SendMessage(WM_RUN_ON_PANEL_THREAD, kRunSaveState, 0));
  }
  return SaveStateHere();
}

int CCardBookTool::SaveStateHere() {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && m_pHost != nullptr) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(m_hWnd, &placement);
    char value[16];
    snprintf(value, sizeof value, "%ld", placement.rcNormalPosition.left);
    m_pHost->WriteSetting(m_nToolNo, "WndPosX", value);
    snprintf(value, sizeof value, "%ld", placement.rcNormalPosition.top);
    m_pHost->WriteSetting(m_nToolNo, "WndPosY", value);
  }
  int cards = SaveCards();
  int groups = SaveGroupList();
  // A book whose cards did not land is not saved, whatever the groups did.
  return cards && groups;
}

void CCardBookTool::StartPanel() {
  char folder[kPathBufferSize];
  const char* directory = m_pHost ? m_pHost->GetDataDirectory(1, 0) : nullptr;
  if (directory != nullptr && BuildBookFolderPath(folder, directory)) {
    CreateDirectoryA(folder, nullptr);  // it may exist already
    MarkBookOpen(directory);
  }
  // A panel that is open keeps drawing with its brush and fonts.
  bool panelOpen = m_hWnd != nullptr && ::IsWindow(m_hWnd);
  if (!panelOpen) {
    m_brPanel.CreateSolidBrush(RGB(255, 255, 200));
    CreatePanelFonts();
  }
  m_pThread = AfxBeginThread(&CCardBookTool::PanelThreadProc, this);
}

void CCardBookTool::CreatePanelFonts() {
  struct FontSpec {
    CFont* font;
    int height;
    int weight;
    BYTE underline;
  };
  const FontSpec specs[] = {
      {&m_fontInfoText, 12, 400, FALSE}, {&m_fontInfoTitle, 12, 700, FALSE},
      {&m_fontLabel, 12, 400, TRUE},     {&m_fontListTitle, 15, 400, FALSE},
      {&m_fontName, 18, 400, FALSE},     {&m_fontHeadingTitle, 30, 700, FALSE},
  };
  for (const FontSpec& spec : specs) {
    spec.font->CreateFont(spec.height, 0, 0, 0, spec.weight, FALSE, spec.underline, FALSE,
                          SHIFTJIS_CHARSET, OUT_DEVICE_PRECIS, CLIP_DEFAULT_PRECIS, 1,
                          VARIABLE_PITCH, "ＭＳＰゴシック");
  }
}

void CCardBookTool::FreePanelResources() {
  // The book has been saved: nothing of it is held any more.
  if (m_pHost != nullptr) ClearBookMark(m_pHost->GetDataDirectory(1, 0));
  for (int n = 0; n < 3; ++n) {
    delete m_pPhoneTypeBmp[n];
    delete m_pMailTypeBmp[n];
    m_pPhoneTypeBmp[n] = m_pMailTypeBmp[n] = nullptr;
  }
  delete m_pNameOrderBmp;
  delete m_pGroupOrderBmp;
  m_pNameOrderBmp = m_pGroupOrderBmp = nullptr;
  for (CBitmapButton& button : m_buttons) button.FreeBitmaps();
  m_treeImages.DeleteImageList();
  m_brPanel.DeleteObject();
  for (CFont* font : {&m_fontInfoText, &m_fontInfoTitle, &m_fontLabel, &m_fontListTitle,
                      &m_fontName, &m_fontHeadingTitle}) {
    font->DeleteObject();
  }
}
