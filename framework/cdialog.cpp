#include "framework/cdialog.h"

#include "framework/cwin_app.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  control.m_hWnd = GetDlgItem(dx->m_pDlgWnd->GetSafeHwnd(), id);
}

const MessageMap* CDialog::GetThisMessageMap() {
  static const MessageEntry entries[] = {{0, 0, 0, nullptr}};
  static const MessageMap map = {&CWnd::GetThisMessageMap, entries};
  return &map;
}

const MessageMap* CDialog::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  m_bModal = false;
  HWND hwnd = CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId),
                                 parent ? parent->GetSafeHwnd() : nullptr, StaticDialogProc,
                                 reinterpret_cast<LPARAM>(this));
  return hwnd != nullptr;
}

INT_PTR CDialog::DoModal() {
  m_bModal = true;
  INT_PTR result = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                   m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr,
                                   StaticDialogProc, reinterpret_cast<LPARAM>(this));
  m_bModal = false;
  return result;
}

void CDialog::EndDialog(int result) {
  if (m_hWnd == nullptr) return;
  if (m_bModal) {
    ::EndDialog(m_hWnd, result);
  } else {
    ShowWindow(SW_HIDE);
  }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  if (m_hWnd == nullptr) return FALSE;
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

CDialog::~CDialog() {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd) &&
      reinterpret_cast<CDialog*>(GetWindowLongPtrA(m_hWnd, DWLP_USER)) == this) {
    SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
  }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const MessageEntry* entry = FindMessageEntry(GetMessageMap(), message, wParam, lParam)) {
    return entry->thunk(this, wParam, lParam);
  }
  if (message == WM_INITDIALOG) return OnInitDialog();
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (LOWORD(wParam) == IDOK) {
      OnOK();
      return 0;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      OnCancel();
      return 0;
    }
  }
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) {
  m_bDefaultProcessing = true;
  return 0;
}

BOOL CDialog::PreTranslateMessage(MSG* message) {
  // Only input: IsDialogMessage dispatches whatever it is given, and the
  // thread's loop must still see the rest (a close among them) itself. The
  // message was fetched in its Unicode form (framework/message_pump.h) and
  // is dispatched in it.
  bool input = (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) ||
               (message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST);
  return input && m_hWnd != nullptr && IsDialogMessageW(m_hWnd, message);
}

INT_PTR SetDialogResult(HWND dialog, UINT message, LRESULT result) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    if (self != nullptr) self->m_hWnd = hwnd;
  }
  auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  INT_PTR answer = FALSE;
  // A handler may send messages to its own window: each message keeps its
  // own record of whether it fell through to the default.
  bool outer = self->m_bDefaultProcessing;
  self->m_bDefaultProcessing = false;
  try {
    LRESULT result = self->WindowProc(message, wParam, lParam);
    if (!self->m_bDefaultProcessing) answer = SetDialogResult(hwnd, message, result);
  } catch (...) {
    // Nothing may unwind into the system's code.
    answer = FALSE;
  }
  self->m_bDefaultProcessing = outer;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->m_hWnd = nullptr;
    self->PostNcDestroy();
  }
  return answer;
}
