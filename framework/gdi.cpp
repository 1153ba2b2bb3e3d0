#include "framework/gdi.h"

#include "framework/module.h"

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  BOOL deleted = ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return deleted;
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
  DeleteObject();
  m_hObject = handle;
  return handle != nullptr;
}

BOOL CBitmap::LoadBitmap(UINT resourceId) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId)));
}

BOOL CBitmap::LoadBitmap(const char* resourceName) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), resourceName));
}
