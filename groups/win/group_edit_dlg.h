// The dialog in which the user keeps the list of group names: add, rename,
// delete, reorder, and register the list in the group file.
#pragma once

#include <windows.h>

#include "cards/book_paths.h"
#include "framework/cdialog.h"
#include "framework/standard_controls.h"
#include "groups/group_list.h"
#include "groups/win/group_edit_ids.h"
#include "sdk/host_services.h"

// The group file as both group dialogs find it: this one registers the
// names, the bulk change offers them. "dir\Quillbook\Group.dat" from the
// host; false when there is none.
bool GroupFilePath(HostServices* host, char (&path)[kPathBufferSize]);

// Gives each name of the host's group file to sink, in file order; 0 when
// the file cannot be opened.
int ReadHostGroupFile(HostServices* host, GroupNameSink sink, void* context);

class CGroupEditDlg : public CDialog {
 public:
  explicit CGroupEditDlg(CWnd* parent = nullptr) : CDialog(IDD_GROUP_EDIT, parent) {}

  // IDOK once the list is registered, IDCANCEL when the user gives up.
  virtual INT_PTR OpenModal(HostServices* host);

  CEdit m_editName;
  CListBox m_listGroups;
  HostServices* m_pHost = nullptr;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Return must not close the dialog and lose the edits: only Register and
  // Cancel end it.
  void OnOK() override {}

  void OnAdd();
  void OnChange();
  void OnDelete();
  void OnUp();
  void OnDown();
  void OnRegister();
  void OnListSelChange();

  DECLARE_MESSAGE_MAP()

 private:
  // The name field's text into name (kGroupNameSize bytes); false, after
  // telling the user, for a name that the group file would not give back.
  bool TakeName(char* name);
  bool IsListed(const char* name) const;
  void Tell(const char* text, UINT icon);
  void MoveSelected(int step);
};
