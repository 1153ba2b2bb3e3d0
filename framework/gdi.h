// GDI objects that own their handle and delete it when they go.
#pragma once

#include <windows.h>

#include "framework/cwin_app.h"

class CGdiObject {
 public:
  CGdiObject() = default;
  virtual ~CGdiObject() { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  BOOL DeleteObject() {
    if (m_hObject == nullptr) return FALSE;
    BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
  }

  // Takes ownership of handle, deleting the object held before.
  BOOL Attach(HGDIOBJ handle) {
    DeleteObject();
    m_hObject = handle;
    return handle != nullptr;
  }

  HGDIOBJ m_hObject = nullptr;
};

class CBrush : public CGdiObject {
 public:
  BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                  BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName) {
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                strikeOut, charSet, outPrecision, clipPrecision, quality,
                                pitchAndFamily, faceName));
  }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
 public:
  // From this module's resources.
  BOOL LoadBitmap(UINT resourceId) {
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId)));
  }
  BOOL LoadBitmap(const char* resourceName) {
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), resourceName));
  }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
