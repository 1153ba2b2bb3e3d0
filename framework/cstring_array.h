// CStringArray: a growing array of CString.
#pragma once

#include "text/cstring.h"

class CStringArray {
 public:
  CStringArray() = default;
  ~CStringArray();
  CStringArray(const CStringArray&) = delete;
  CStringArray& operator=(const CStringArray&) = delete;

  int GetSize() const { return m_nSize; }
  const CString& GetAt(int index) const { return m_pData[index]; }
  CString& operator[](int index) { return m_pData[index]; }
  const CString& operator[](int index) const { return m_pData[index]; }
  int Add(const char* text);  // the new element's index
  void RemoveAll();

 private:
  CString* m_pData = nullptr;
  int m_nSize = 0;
  int m_nMaxSize = 0;
};
