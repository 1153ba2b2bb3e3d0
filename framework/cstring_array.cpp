#include "framework/cstring_array.h"

#include <new>

CStringArray::~CStringArray() { RemoveAll(); }

int CStringArray::Add(const char* text) {
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

void CStringArray::RemoveAll() {
  delete[] m_pData;
  m_pData = nullptr;
  m_nSize = m_nMaxSize = 0;
}
