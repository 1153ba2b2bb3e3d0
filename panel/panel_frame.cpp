// The panel's messages and keys.
#include "panel/card_panel.h"
#include "panel/panel_ids.h"

BEGIN_MESSAGE_MAP(CCardPanel, CToolBase)
ON_MESSAGE(WM_PAINT, OnPaintPanel)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
ON_MESSAGE(WM_CTLCOLOREDIT, OnCtlColorEdit)
ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
ON_NOTIFY(TVN_SELCHANGINGA, IDC_TREE, OnTreeSelChanging)
ON_NOTIFY(TVN_SELCHANGEDA, IDC_TREE, OnTreeSelChanged)
ON_BN_CLICKED(IDC_NEW_CARD, OnNewCard)
ON_BN_CLICKED(IDC_DELETE_CARD, OnDeleteCard)
ON_BN_CLICKED(IDC_EDIT_CARD, OnEditCard)
ON_BN_CLICKED(IDC_SAVE_CARD, OnSaveCard)
ON_BN_CLICKED(IDC_CANCEL_EDIT, OnCancelEdit)
ON_BN_CLICKED(IDC_SORT_NAME, OnSortByName)
ON_BN_CLICKED(IDC_SORT_GROUP, OnSortByGroup)
ON_BN_CLICKED(IDC_GROUP_EDIT, OnGroupEdit)
ON_BN_CLICKED(IDC_GROUP_CHANGE, OnGroupChange)
ON_STN_CLICKED(IDC_PHONE_TYPE1, OnPhoneType1)
ON_STN_CLICKED(IDC_PHONE_TYPE2, OnPhoneType2)
ON_STN_CLICKED(IDC_PHONE_TYPE3, OnPhoneType3)
ON_STN_CLICKED(IDC_MAIL_TYPE1, OnMailType1)
ON_STN_CLICKED(IDC_MAIL_TYPE2, OnMailType2)
ON_STN_CLICKED(IDC_MAIL_TYPE3, OnMailType3)
ON_NOTIFY(NM_CLICK, IDC_CARD_LIST, OnListClick)
ON_NOTIFY(NM_DBLCLK, IDC_CARD_LIST, OnListDblClk)
END_MESSAGE_MAP()

BOOL CCardPanel::PreTranslateMessage(MSG* message) {
  // Return and Escape never close the panel nor press a button.
  if (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE) return TRUE;
  if (message->message >= WM_MOUSEMOVE && message->message <= WM_MBUTTONUP &&
      message->message != WM_LBUTTONDBLCLK && message->message != WM_RBUTTONDBLCLK) {
    m_tipButtons.RelayEvent(message);
    if (m_bEditing == 1) m_tipFields.RelayEvent(message);
  }
  return CToolBase::PreTranslateMessage(message);
}
