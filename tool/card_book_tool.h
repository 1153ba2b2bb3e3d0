// The address book as a tool of the host: it owns the card table, the group
// list and the panel, which is this very dialog.
#pragma once

#include "cards/book_paths.h"
#include "cards/card_record.h"
#include "framework/gdi.h"
#include "groups/group_list.h"
#include "sdk/tool_base.h"

class CCardBookTool : public CToolBase {
 public:
  explicit CCardBookTool(CWnd* hostWindow);
  ~CCardBookTool() override;

  int SaveState() override;
  int Search(SearchRequest* request, const char* text) override;
  const char* GetToolName() override;
  void StartPanel() override;
  UINT GetTemplateId() override;
  int OpenSettings(WPARAM wParam, LPARAM lParam) override;

  BOOL PreTranslateMessage(MSG* message) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  int LoadCards();
  int SaveCards();
  int LoadGroupList();
  int SaveGroupList();

  char m_szCreatedInfo[64];
  char m_szModifiedInfo[64];
  char m_szCountInfo[64];
  int m_nPhoneType[3];
  int m_nMailType[3];
  int m_bEditing;
  int m_nSelKind;
  GroupList m_groups;
  CardTable m_table;
  CardRecord m_newCard;
  CBrush m_brPanel;
  CFont m_fontInfoText;
  CFont m_fontInfoTitle;
  CFont m_fontLabel;
  CFont m_fontListTitle;
  CFont m_fontName;
  CFont m_fontHeadingTitle;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}      // Return never closes the panel
  void OnCancel() override {}  // nor does Escape
  void OnClose();
  void OnDestroy();
  LRESULT OnRunOnPanelThread(WPARAM operation, LPARAM argument);

  DECLARE_MESSAGE_MAP()

 private:
  static UINT PanelThreadProc(LPVOID tool);
  bool IsOtherThreadThanPanel() const;
  // "dir\Quillbook\name" from the host's data directory; false if too long.
  bool BuildFilePath(char (&path)[kPathBufferSize], const char* name);
  int SaveStateHere();
  void CreatePanelFonts();
  void FreePanelResources();
};
