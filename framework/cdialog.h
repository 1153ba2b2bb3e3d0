// CDialog: a window made from a dialog template, modeless or modal, bound to
// its object through the dialog's user data from WM_INITDIALOG on.
#pragma once

#include <windows.h>

#include "framework/cwnd.h"

class CDialog;

// One round of data exchange between a dialog and its members.
class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, BOOL saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
};

// Binds control to the dialog's control id. The window is not subclassed:
// the dialog still receives its notifications.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr)
      : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
  ~CDialog() override;

  // Modeless: the dialog stays until it is destroyed.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Modal: returns the value given to EndDialog, or -1 when it cannot open.
  INT_PTR DoModal();
  void EndDialog(int result);

  // Binds the controls to their members (FALSE) or reads them back (TRUE);
  // the default initialisation binds them.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Unhandled messages go back to the system's dialog procedure.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The system's keyboard handling for dialogs (Tab, arrows, mnemonics).
  BOOL PreTranslateMessage(MSG* message) override;

 protected:
  static const MessageMap* GetThisMessageMap();
  const MessageMap* GetMessageMap() const override;
  virtual void DoDataExchange(CDataExchange*) {}

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  bool m_bModal = false;

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The one place where a handler's result becomes the dialog procedure's
// answer: most messages take it through DWLP_MSGRESULT (a tree selection
// veto among them), a few as the return value itself.
INT_PTR SetDialogResult(HWND dialog, UINT message, LRESULT result);
