#include "cli/charset.h"

#include <errno.h>
#include <string.h>
#include <strings.h>

#include "text/byte_text.h"

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Converts with cd as far as out has room; each character that cannot be
// converted (or is cut short at the end) becomes replacement, and the
// bytes that skip gives for it are passed over. Returns the replacements.
template <typename Skip>
int ConvertReplacing(iconv_t cd, const char*& in, size_t& length, char*& out, size_t& room,
                     const char* replacement, Skip skip) {
  char* source = const_cast<char*>(in);
  size_t width = strlen(replacement);
  int replaced = 0;
  while (length > 0) {
    if (iconv(cd, &source, &length, &out, &room) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG || room < width) break;
    size_t n =
        errno == EINVAL ? length : skip(reinterpret_cast<const unsigned char*>(source), length);
    if (n > length) n = length;
    memcpy(out, replacement, width);
    out += width;
    room -= width;
    ++replaced;
    source += n;
    length -= n;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  in = source;
  return replaced;
}

}  // namespace

bool ParseEncoding(const char* name, TextEncoding& encoding) {
  if (strcasecmp(name, "auto") == 0) {
    encoding = TextEncoding::kAuto;
  } else if (NamesUtf8(name)) {
    encoding = TextEncoding::kUtf8;
  } else if (NamesCp932(name)) {
    encoding = TextEncoding::kCp932;
  } else {
    return false;
  }
  return true;
}

IconvConverter::IconvConverter()
    : m_hToCp932(iconv_open("CP932", "UTF-8")), m_hOther(kNoConverter) {}

IconvConverter::~IconvConverter() {
  if (m_hToCp932 != kNoConverter) iconv_close(m_hToCp932);
  if (m_hOther != kNoConverter) iconv_close(m_hOther);
}

void IconvConverter::Utf8ToCp932(const char*& in, size_t& length, char*& out, size_t& room,
                                 int& unmapped) {
  if (m_hToCp932 == kNoConverter) {
    // Without the converter only ASCII is certain.
    while (length > 0 && room > 0) {
      size_t bad = 0;
      int n = Utf8CharacterAt(reinterpret_cast<const unsigned char*>(in), length, bad);
      size_t step = n > 0 ? static_cast<size_t>(n) : length;
      *out++ = n == 1 ? *in : '?';
      --room;
      if (n != 1) ++unmapped;
      in += step;
      length -= step;
    }
    return;
  }
  iconv(m_hToCp932, nullptr, nullptr, nullptr, nullptr);
  // The text is well-formed: what iconv refuses is a character that code
  // page 932 lacks.
  unmapped += ConvertReplacing(m_hToCp932, in, length, out, room, "?",
                               [](const unsigned char* at, size_t left) {
                                 size_t bad = 0;
                                 int n = Utf8CharacterAt(at, left, bad);
                                 return n > 0 ? static_cast<size_t>(n) : bad;
                               });
}

void IconvConverter::Cp932ToUtf8(const char*& in, size_t& length, char*& out, size_t& room) {
  size_t n = Utf8Into(in, length, out, room);
  out += n;
  room -= n;
}

bool IconvConverter::OtherToUtf8(const char* charset, const char*& in, size_t& length, char*& out,
                                 size_t& room) {
  if (strcasecmp(charset, m_szOther) != 0 || m_szOther[0] == '\0') {
    if (m_hOther != kNoConverter) iconv_close(m_hOther);
    m_hOther = iconv_open("UTF-8", charset);
    CopyCutString(m_szOther, charset);
  }
  if (m_hOther == kNoConverter) return false;
  iconv(m_hOther, nullptr, nullptr, nullptr, nullptr);
  char* source = const_cast<char*>(in);
  // It stops at a byte that is no character of the set, or at the end of
  // out, which the caller tells apart.
  iconv(m_hOther, &source, &length, &out, &room);
  in = source;
  return true;
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
  size_t left = room;
  ConvertReplacing(cd, cp932, length, out, left, "\xEF\xBF\xBD",
                   [](const unsigned char*, size_t) { return size_t{1}; });
  return room - left;
}

std::string Utf8Of(const char* cp932, size_t length) {
  std::string text;
  char chunk[1024];
  while (length > 0) text.append(chunk, Utf8Into(cp932, length, chunk, sizeof chunk));
  return text;
}

std::string Utf8Of(const char* cp932) { return Utf8Of(cp932, strlen(cp932)); }

void Output::Write(const char* cp932, size_t length) {
  if (m_bRaw) {
    fwrite(cp932, 1, length, m_pStream);
    return;
  }
  char chunk[1024];
  while (length > 0) fwrite(chunk, 1, Utf8Into(cp932, length, chunk, sizeof chunk), m_pStream);
}

void Output::Write(const char* cp932) { Write(cp932, strlen(cp932)); }

bool Utf8ToCp932(const char* utf8, std::string& out) {
  out.clear();
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == kNoConverter) return false;
  char* source = const_cast<char*>(utf8);
  size_t left = strlen(utf8);
  bool ok = true;
  char chunk[256];
  while (ok && left > 0) {
    char* target = chunk;
    size_t room = sizeof chunk;
    size_t result = iconv(cd, &source, &left, &target, &room);
    out.append(chunk, sizeof chunk - room);
    // E2BIG only means the chunk is full; anything else is a character that
    // cannot be written, which must not be searched for as something else.
    ok = result != static_cast<size_t>(-1) || errno == E2BIG;
  }
  iconv_close(cd);
  if (!ok) out.clear();
  return ok;
}
