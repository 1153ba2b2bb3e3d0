#include "cli/charset.h"

#include <errno.h>
#include <string.h>
#include <strings.h>

#include "text/byte_text.h"

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Japanese phones name code page 932 by its older names, whose strict forms
// lack the characters that Windows added.
bool NamesCp932(const char* charset) {
  for (const char* name : {"SHIFT_JIS", "SHIFT-JIS", "SJIS", "CP932", "MS932", "WINDOWS-31J"}) {
    if (strcasecmp(charset, name) == 0) return true;
  }
  return false;
}

}  // namespace

bool ParseEncoding(const char* name, Encoding& encoding) {
  if (strcasecmp(name, "auto") == 0) {
    encoding = Encoding::kAuto;
  } else if (strcasecmp(name, "utf-8") == 0 || strcasecmp(name, "utf8") == 0) {
    encoding = Encoding::kUtf8;
  } else if (NamesCp932(name)) {
    encoding = Encoding::kCp932;
  } else {
    return false;
  }
  return true;
}

size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  return 1;
}

void Cp932Writer::Open(const char* charset) {
  if (cd_ != kNoConverter) iconv_close(cd_);
  cd_ = NamesCp932(charset) ? kNoConverter : iconv_open("CP932", charset);
  utf8_ = strcasecmp(charset, "UTF-8") == 0 || strcasecmp(charset, "UTF8") == 0;
}

Cp932Writer::~Cp932Writer() {
  if (cd_ != kNoConverter) iconv_close(cd_);
}

size_t Cp932Writer::Convert(const char* in, size_t length, char* out, size_t room, int& replaced) {
  if (cd_ == kNoConverter) {
    size_t n = CharBoundaryPrefix(in, length, room);
    memcpy(out, in, n);
    return n;
  }
  char* source = const_cast<char*>(in);
  char* target = out;
  size_t left = room;
  while (length > 0) {
    if (iconv(cd_, &source, &length, &target, &left) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG || left == 0) break;
    // EILSEQ or a sequence cut short: one character becomes "?".
    size_t skip = utf8_ ? Utf8SequenceLength(static_cast<unsigned char>(*source)) : 1;
    if (skip > length || errno == EINVAL) skip = length;
    *target++ = '?';
    --left;
    ++replaced;
    source += skip;
    length -= skip;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  }
  return room - left;
}

size_t Utf8Into(const char*& cp932, size_t& length, char* out, size_t room) {
  static iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == kNoConverter) {
    size_t n = length < room ? length : room;
    memcpy(out, cp932, n);
    cp932 += n;
    length -= n;
    return n;
  }
  char* source = const_cast<char*>(cp932);
  char* target = out;
  size_t left = room;
  while (length > 0) {
    if (iconv(cd, &source, &length, &target, &left) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG || left < 3) break;
    memcpy(target, "\xEF\xBF\xBD", 3);
    target += 3;
    left -= 3;
    ++source;
    --length;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  cp932 = source;
  return room - left;
}

std::string Utf8Of(const char* cp932, size_t length) {
  std::string text;
  char chunk[1024];
  while (length > 0) text.append(chunk, Utf8Into(cp932, length, chunk, sizeof chunk));
  return text;
}

std::string Utf8Of(const char* cp932) { return Utf8Of(cp932, strlen(cp932)); }

void Utf8Check::Feed(const char* bytes, size_t length) {
  for (size_t i = 0; i < length && valid_; ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (pending_ > 0) {
      if ((byte & 0xC0) != 0x80) valid_ = false;
      --pending_;
    } else if (byte >= 0x80) {
      nonAscii_ = true;
      size_t need = Utf8SequenceLength(byte);
      if (need == 1) valid_ = false;
      pending_ = static_cast<int>(need) - 1;
    }
  }
}
