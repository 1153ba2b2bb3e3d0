#include "cli/vcard_lines.h"

#include <string.h>
#include <strings.h>

int VcardLines::Get() {
  if (peeked_ != EOF - 1) {
    int c = peeked_;
    peeked_ = EOF - 1;
    return c;
  }
  return getc(file_);
}

bool VcardLines::IsQuotedPrintable() const {
  for (size_t i = 0; i + 16 <= length_ && text_[i] != ':'; ++i) {
    if (strncasecmp(text_ + i, "QUOTED-PRINTABLE", 16) == 0) return true;
  }
  return false;
}

bool VcardLines::Next() {
  length_ = 0;
  startLine_ = line_;
  int c = Get();
  if (c == EOF) return false;
  for (; c != EOF; c = Get()) {
    if (c == '\r' || c == '\n') {
      if (c == '\r') {
        int next = Get();
        if (next != '\n') peeked_ = next;
      }
      ++line_;
      if (length_ > 0 && text_[length_ - 1] == '=' && IsQuotedPrintable()) {
        --length_;
        continue;
      }
      int next = Get();
      if (next == ' ' || next == '\t') continue;
      peeked_ = next;
      break;
    }
    if (length_ < sizeof text_ - 1) text_[length_++] = static_cast<char>(c);
  }
  text_[length_] = '\0';
  if (startLine_ == 1 && length_ >= 3 && memcmp(text_, "\xEF\xBB\xBF", 3) == 0) {
    memmove(text_, text_ + 3, length_ -= 3);
    text_[length_] = '\0';
  }
  return true;
}
