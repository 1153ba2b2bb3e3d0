#include "sdk/tool_base.h"

CToolBase::CToolBase(UINT templateId, CWnd* hostWindow)
    : CDialog(templateId, hostWindow), m_pHostWnd(hostWindow) {}

CToolBase::~CToolBase() {
  if (m_hToolBmp != nullptr) DeleteObject(m_hToolBmp);
  if (m_hToolBmpAlt != nullptr) DeleteObject(m_hToolBmpAlt);
}

BOOL CToolBase::CreatePanel(UINT templateId, CWnd* parent) {
  return Create(templateId & 0xFFFF, parent);
}
