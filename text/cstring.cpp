#include "text/cstring.h"

#include <stdlib.h>
#include <string.h>

namespace {

// Every empty string shares this one header and its NUL; it is never written.
struct EmptyString {
  int length = 0;
  int capacity = 0;
  char text[4] = {};
};
EmptyString g_empty;

}  // namespace

CString::CString() : m_pchData(g_empty.text) {}

CString::CString(const char* text) : CString() { *this = text; }

CString::CString(const CString& other) : CString() { Assign(other, other.GetLength()); }

CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other, other.GetLength());
  return *this;
}

CString& CString::operator=(const char* text) {
  Assign(text, text ? static_cast<int>(strlen(text)) : 0);
  return *this;
}

CString& CString::operator+=(const char* text) {
  if (text == nullptr) return *this;
  int add = static_cast<int>(strlen(text));
  int length = GetLength();
  // text may point into this string, so grow before copying from it.
  if (length + add > GetHeader()->capacity) {
    CString copy(text);
    Reserve(length + add);
    memcpy(m_pchData + length, copy.m_pchData, add);
  } else {
    memmove(m_pchData + length, text, add);
  }
  GetHeader()->length = length + add;
  m_pchData[length + add] = '\0';
  return *this;
}

CString::~CString() {
  if (m_pchData != g_empty.text) free(GetHeader());
}

CString::Header* CString::GetHeader() const { return reinterpret_cast<Header*>(m_pchData) - 1; }

int CString::GetLength() const { return GetHeader()->length; }

void CString::Reserve(int capacity) {
  if (capacity <= GetHeader()->capacity) return;
  int grown = GetHeader()->capacity * 2;
  if (grown < capacity) grown = capacity;
  Header* block = static_cast<Header*>(malloc(sizeof(Header) + grown + 1));
  if (block == nullptr) abort();  // nothing sensible to do without memory
  int length = GetLength();
  memcpy(reinterpret_cast<char*>(block + 1), m_pchData, length + 1);
  block->length = length;
  block->capacity = grown;
  if (m_pchData != g_empty.text) free(GetHeader());
  m_pchData = reinterpret_cast<char*>(block + 1);
}

void CString::Assign(const char* text, int length) {
  if (length == 0) {
    if (m_pchData != g_empty.text) {
      GetHeader()->length = 0;
      m_pchData[0] = '\0';
    }
    return;
  }
  if (length > GetHeader()->capacity) {
    CString copy;  // text may be this string's own buffer
    copy.Reserve(length);
    memcpy(copy.m_pchData, text, length);
    char* keep = copy.m_pchData;
    copy.m_pchData = m_pchData;
    m_pchData = keep;
  } else {
    memmove(m_pchData, text, length);
  }
  GetHeader()->length = length;
  m_pchData[length] = '\0';
}

char* CString::GetBuffer(int minLength) {
  Reserve(minLength < 1 ? 1 : minLength);
  return m_pchData;
}

void CString::ReleaseBuffer(int newLength) {
  if (m_pchData == g_empty.text) return;
  Header* header = GetHeader();
  if (newLength < 0) newLength = static_cast<int>(strnlen(m_pchData, header->capacity));
  if (newLength > header->capacity) newLength = header->capacity;
  header->length = newLength;
  m_pchData[newLength] = '\0';
}
