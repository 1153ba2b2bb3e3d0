// CString: NUL-terminated code page 932 text behind a single pointer, so
// that it can cross the host boundary as the host expects. The length and
// capacity live in a header just before the text.
#pragma once

class CString {
 public:
  CString();
  CString(const char* text);  // NOLINT: implicit, as text literals are passed
  CString(const CString& other);
  CString& operator=(const CString& other);
  CString& operator=(const char* text);
  CString& operator+=(const char* text);
  ~CString();

  int GetLength() const;
  bool IsEmpty() const { return GetLength() == 0; }
  operator const char*() const { return m_pchData; }  // NOLINT: used as text

  // Room for at least minLength bytes of text; the text so far is kept.
  char* GetBuffer(int minLength);
  // Ends a GetBuffer; a negative length is counted up to the NUL.
  void ReleaseBuffer(int newLength = -1);

 private:
  struct Header {
    int length;
    int capacity;  // bytes of text the buffer holds, the NUL not counted
  };
  Header* GetHeader() const;
  void Assign(const char* text, int length);
  void Reserve(int capacity);

  char* m_pchData;
};

static_assert(sizeof(CString) == sizeof(char*), "the host reads a CString as one pointer");
