// The panel: the dialog window with the card tree on the left, the card form
// on the right and the buttons above them. It holds the book while it is
// open (the card table and the group list, read from their files and
// written back, and a pending new card) and moves between the edit states;
// the tree and the form are parts that it owns and coordinates, and neither
// knows the other.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "cards/card_record.h"
#include "framework/common_controls.h"
#include "framework/gdi.h"
#include "framework/standard_controls.h"
#include "groups/group_list.h"
#include "groups/win/group_change_dlg.h"
#include "groups/win/group_edit_dlg.h"
#include "panel/card_form.h"
#include "panel/card_tree.h"
#include "panel/tree_item.h"
#include "sdk/tool_base.h"

constexpr int kPanelControls = 41;
constexpr int kBitmapButtons = 7;

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

class CCardPanel : public CToolBase {
 public:
  explicit CCardPanel(CWnd* hostWindow);

  BOOL PreTranslateMessage(MSG* message) override;

 protected:
  // The book's files, which the host's calls read and write too.
  int LoadCards();
  int SaveCards();
  int LoadGroupList();
  int SaveGroupList();

  // The brush and the fonts are made before the panel's thread starts and
  // deleted once it has ended.
  void CreateBrushAndFonts();
  void DeleteBrushAndFonts();
  // What the destroyed panel leaves behind: the pending new card, an
  // unsaved edit, goes, and so do the pictures.
  void ReleasePanel();

  int ReadSortMode();
  // The tree built again in the current mode, the root selected.
  void RebuildTreeAtRoot(int mode);
  void LeaveEditMode();
  // Tells text in a stop box and returns 0.
  int Refuse(const char* text);

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override {}      // Return never closes the panel
  void OnCancel() override {}  // nor does Escape

  int m_bEditing;

  DECLARE_MESSAGE_MAP()

 private:
  // "dir\Quillbook\name" from the host's data directory; false if too long.
  bool BuildFilePath(char (&path)[kPathBufferSize], const char* name);

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

  void SetupControls();
  void SetupTips();
  void SetupSortButtons(int sortMode);
  HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }

  // The selected item, the edit states, and the store that ends an edit.
  void ShowSelection(int kind);
  void EnterEditMode(int flag);
  void SetEditButtons(bool edit, bool remove, bool save, bool cancel);
  void SortBy(int mode, CButton& button);
  // Shows a card of the table, or the pending new card, in the form.
  void ShowCard(CardRecord& record);
  int FillHeadingList();
  int ValidateCard();
  // Stores the validated form under the ID in the ID field; old is the item
  // that was shown. Returns the slot; replaced gets the item of a card that
  // the store overwrote, or null.
  int StoreEditedCard(HTREEITEM old, HTREEITEM* replaced = nullptr);
  // A message box of the panel's, with the application's title.
  int AskOrTell(const char* text, UINT style);
  // Tells text in a stop box, then puts the focus on the form's field.
  int RefuseField(const char* text, int field);
  // The slot of the card whose item is item, or -1.
  int SlotOfItem(HTREEITEM item) const { return m_table.SlotOfItem(ToItemHandle(item)); }

  CardTable m_table;
  GroupList m_groups;
  // What the last load found of the card file, which decides how it may be
  // saved over.
  CardFileLoad m_cardFileLoad;
  CardRecord m_newCard;
  int m_nSelKind;
  CCardTree m_tree{m_table, m_groups};
  CCardForm m_form;
  CGroupEditDlg m_groupEditDlg{this};
  CGroupChangeDlg m_groupChangeDlg{this};
  CBitmap* m_pNameOrderBmp;
  CBitmap* m_pGroupOrderBmp;
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

  CButton m_radioSortName;
  CButton m_radioSortGroup;
  CStatic m_labelListTitle;
  CBitmapButton m_buttons[kBitmapButtons];
};
