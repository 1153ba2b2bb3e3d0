// The address book as a tool of the host: it owns the card table, the group
// list and the panel, which is this very dialog.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "cards/card_record.h"
#include "cards/win/tree_item.h"
#include "exchange/win/option_dlg.h"
#include "framework/common_controls.h"
#include "framework/gdi.h"
#include "framework/standard_controls.h"
#include "framework/state_lock.h"
#include "groups/group_list.h"
#include "groups/win/group_change_dlg.h"
#include "groups/win/group_edit_dlg.h"
#include "sdk/tool_base.h"

// What the tree's selected item stands for.
enum SelectionKind { SEL_OWNER = 0, SEL_HEADING = 1, SEL_CARD = 2, SEL_NEWCARD = 3 };

constexpr int kHeadingItems = 11;  // ten rows or groups, then "その他"
constexpr int kPanelControls = 41;
constexpr int kBitmapButtons = 7;
constexpr int kFormLabels = 9;

// The bitmap buttons in the order of m_buttons.
enum PanelButton {
  kNewCardButton,
  kDeleteCardButton,
  kEditCardButton,
  kSaveCardButton,
  kCancelEditButton,
  kGroupEditButton,
  kGroupChangeButton
};

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
  // What the last load found of the card file, which decides how it may be
  // saved over.
  CardFileLoad m_cardFileLoad;

  // The tree.
  void BuildTree(int mode);
  HTREEITEM InsertCardItem(int mode, int slot);
  int ReadSortMode();

  // The form.
  int ShowCard(CardRecord& record);
  int ReadForm(CardRecord& record);
  void EnterEditMode(int flag);
  void LeaveEditMode();
  int SetFormReadOnly(int readOnly);
  int ShowFormControls(int show);
  void SetPhoneType(int n, int type);
  void SetMailType(int n, int type);
  int GetPhoneType(int n) const { return m_nPhoneType[n]; }
  int GetMailType(int n) const { return m_nMailType[n]; }
  int FillHeadingList();
  void ShowSelection(int kind);

  // Editing.
  int ValidateCard();
  // Stores the validated form under the ID in the ID field; old is the item
  // that was shown. Returns the slot; replaced gets the item of a card that
  // the store overwrote, or null.
  int StoreEditedCard(HTREEITEM old, HTREEITEM* replaced = nullptr);

  COptionDlg m_optionDlg;
  CGroupEditDlg m_groupEditDlg{this};
  CGroupChangeDlg m_groupChangeDlg{this};
  char m_szCreatedInfo[64];
  char m_szModifiedInfo[64];
  char m_szCountInfo[64];
  int m_nPhoneType[3];
  int m_nMailType[3];
  CBitmap* m_pPhoneTypeBmp[3];
  CBitmap* m_pMailTypeBmp[3];
  CBitmap* m_pNameOrderBmp;
  CBitmap* m_pGroupOrderBmp;
  HTREEITEM m_hRootItem;
  HTREEITEM m_hHeadingItems[kHeadingItems];
  HTREEITEM m_hNewCardItem;
  int m_nNewCardImage;
  int m_nCardImage;
  int m_nHeadingImage;
  int m_nRootImage;
  int m_bEditing;
  int m_nSelKind;
  CImageList m_treeImages;
  GroupList m_groups;
  CardTable m_table;
  CardRecord m_newCard;
  CToolTipCtrl m_tipButtons;
  CToolTipCtrl m_tipFields;
  RECT m_rcForm;
  RECT m_rcInfo;
  CBrush m_brPanel;
  CFont m_fontInfoText;
  CFont m_fontInfoTitle;
  CFont m_fontLabel;
  CFont m_fontListTitle;
  CFont m_fontName;
  CFont m_fontHeadingTitle;

  // The panel's controls, bound to the template's windows as it opens.
  CButton m_radioSortName;
  CButton m_radioSortGroup;
  CStatic m_labelListTitle;
  CTreeCtrl m_treeCards;
  CBitmapButton m_buttons[kBitmapButtons];
  CEdit m_editName;
  CEdit m_editId;
  CEdit m_editReading;
  CEdit m_editGroup;
  CComboBox m_comboGroup;
  CListCtrl m_listCards;
  CEdit m_editPostalCode;
  CEdit m_editAddress;
  CStatic m_iconPhone[3];
  CEdit m_editPhone[3];
  CStatic m_iconMail[3];
  CEdit m_editMail[3];
  CEdit m_editMemo;
  CStatic m_labelFields[kFormLabels];

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override {}      // Return never closes the panel
  void OnCancel() override {}  // nor does Escape
  void OnClose();
  void OnDestroy();
  LRESULT OnRunOnPanelThread(WPARAM operation, LPARAM argument);
  LRESULT OnOpenSettings(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaintPanel(WPARAM, LPARAM);
  LRESULT OnPrintClient(WPARAM dc, LPARAM);
  void PaintPanel(HDC dc);
  LRESULT OnCtlColorStatic(WPARAM dc, LPARAM control);
  LRESULT OnCtlColorEdit(WPARAM dc, LPARAM control);
  LRESULT OnDrawItem(WPARAM id, LPARAM item);
  void OnTreeSelChanged(NMHDR* header, LRESULT* result);
  void OnListClick(NMHDR* header, LRESULT* result);
  void OnListDblClk(NMHDR* header, LRESULT* result);
  void OnTreeSelChanging(NMHDR* header, LRESULT* result);
  void OnNewCard();
  void OnDeleteCard();
  void OnEditCard();
  void OnSaveCard();
  void OnCancelEdit();
  void OnSortByName();
  void OnSortByGroup();
  void OnGroupEdit();
  void OnGroupChange();
  void OnPhoneType1() { OnPhoneTypeClick(0); }
  void OnPhoneType2() { OnPhoneTypeClick(1); }
  void OnPhoneType3() { OnPhoneTypeClick(2); }
  void OnMailType1() { OnMailTypeClick(0); }
  void OnMailType2() { OnMailTypeClick(1); }
  void OnMailType3() { OnMailTypeClick(2); }
  void OnPhoneTypeClick(int n);
  void OnMailTypeClick(int n);

  DECLARE_MESSAGE_MAP()

 private:
  // The panel's lifetime. The host's thread only moves it from none to
  // starting (StartPanel) and otherwise waits for it; the panel thread makes
  // every other change: open once its book is loaded, closing when its close
  // begins, none once it has saved and freed all that it used. The host's
  // calls decide on this state, never on the window handle; all the fields
  // below are read and written under m_panelLock. The card table, the tree
  // and the panel's GDI objects belong to the panel thread from starting to
  // none: the host's thread touches them only while the state is none.
  enum PanelState { kPanelNone, kPanelStarting, kPanelOpen, kPanelClosing };
  CStateLock m_panelLock;
  PanelState m_ePanelState = kPanelNone;
  HWND m_hPanel = nullptr;      // while open: where the host's calls are sent
  DWORD m_dwPanelThreadId = 0;  // from starting to none
  int m_nPanelSendsToHost = 0;  // the panel thread waits for the host window's answer
  LPARAM m_nMarksPosted = 0;    // StartPanel's marks behind the panel's posted messages
  LPARAM m_nMarksSeen = 0;

  static UINT PanelThreadProc(LPVOID tool);
  bool IsPanelThread();
  // Host's thread: returns holding m_panelLock once no panel is starting or
  // closing.
  void LockPanelSettled();
  // Host's thread: a host call made while the host window answers the
  // panel's message answers it first, so that the panel can go on.
  void ReleasePanelWaitingOnCaller();
  // Host's thread: runs the operation on the panel thread once the panel is
  // open; false when there is no panel (a start or close waited out).
  bool RunOnPanel(WPARAM operation, int* result);
  bool ClaimPanelStart();
  void ClosePanelAndWait();
  void JoinEndedPanelThread();
  // Panel thread.
  void PanelOpened();
  void PanelClosing();
  void PanelEnded();
  PanelState PanelStateNow();
  void NotifyHost(UINT message);
  // "dir\Quillbook\name" from the host's data directory; false if too long.
  bool BuildFilePath(char (&path)[kPathBufferSize], const char* name);
  int SaveStateHere();
  int OpenSettingsHere(bool panelOpen);
  void CreatePanelFonts();
  void FreePanelResources();
  HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
  // The edit control of card field n (CardFieldAt), or null for a type.
  CEdit* FieldEdit(int n);
  // The slot of the card whose item is item, or -1.
  int SlotOfItem(HTREEITEM item) const { return m_table.SlotOfItem(ToItemHandle(item)); }
  HTREEITEM InsertTreeItem(const char* text, int image, HTREEITEM parent, HTREEITEM after);
  void SetupControls();
  void SetupTips();
  void SetupTreeAndList(int sortMode);
  void FormatInfoLines(const CardRecord& record);
  int SelectedListId() const;
  int AskOrTell(const char* text, UINT style);
  int Refuse(const char* text, CWnd* focus = nullptr);
  void TrimField(CEdit& edit, char* field, int size);
  void SetEditButtons(bool edit, bool remove, bool save, bool cancel);
  void SortBy(int mode, CButton& button);
  // The tree built again in the current mode, the root selected.
  void RebuildTreeAtRoot(int mode);
  void SetRootText();
};
