// CStringArray: a growing array of CString.
#pragma once

#include "text/cstring.h"

class CStringArray {
 public:
  CStringArray() = default;
  ~CStringArray() { RemoveAll(); }
  CStringArray(const CStringArray&) = delete;
  CStringArray& operator=(const CStringArray&) = delete;

  int GetSize() const { return m_nSize; }
  CString& operator[](int index) { return m_pData[index]; }
  const CString& operator[](int index) const { return m_pData[index]; }
  // The new element's index.
  int Add(const char* text) {
    if (m_nSize == m_nMaxSize) {
      int grown = m_nMaxSize < 4 ? 4 : m_nMaxSize * 2;
      CString* data = new CString[grown];
      for (int i = 0; i < m_nSize; ++i) data[i] = m_pData[i];
      delete[] m_pData;
      m_pData = data;
      m_nMaxSize = grown;
    }
    m_pData[m_nSize] = text;
    return m_nSize++;
  }
  void RemoveAll() {
    delete[] m_pData;
    m_pData = nullptr;
    m_nSize = m_nMaxSize = 0;
  }

 private:
  CString* m_pData = nullptr;
  int m_nSize = 0;
  int m_nMaxSize = 0;
};
