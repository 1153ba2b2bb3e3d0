#include "text/to_half_width_string.h"

#include "text/text_helpers.h"

CString& ToHalfWidthString(CString& text) {
  char* buffer = text.GetBuffer(text.GetLength() + 3);
  ToHalfWidth(buffer);
  text.ReleaseBuffer();
  return text;
}
