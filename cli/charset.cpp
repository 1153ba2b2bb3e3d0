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
  if (m_hConverter != kNoConverter) iconv_close(m_hConverter);
  m_hConverter = NamesCp932(charset) ? kNoConverter : iconv_open("CP932", charset);
  m_bUtf8 = strcasecmp(charset, "UTF-8") == 0 || strcasecmp(charset, "UTF8") == 0;
}

Cp932Writer::~Cp932Writer() {
  if (m_hConverter != kNoConverter) iconv_close(m_hConverter);
}

namespace {

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
    size_t n = errno == EINVAL ? length : skip(static_cast<unsigned char>(*source));
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

size_t Cp932Writer::Convert(const char* in, size_t length, char* out, size_t room, int& replaced) {
  if (m_hConverter == kNoConverter) {
    size_t n = CharBoundaryPrefix(in, length, room);
    memcpy(out, in, n);
    return n;
  }
  size_t left = room;
  bool utf8 = m_bUtf8;
  replaced +=
      ConvertReplacing(m_hConverter, in, length, out, left, "?",
                       [utf8](unsigned char lead) { return utf8 ? Utf8SequenceLength(lead) : 1; });
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
  size_t left = room;
  ConvertReplacing(cd, cp932, length, out, left, "\xEF\xBF\xBD",
                   [](unsigned char) { return size_t{1}; });
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

void Utf8Check::Feed(const char* bytes, size_t length) {
  for (size_t i = 0; i < length && m_bValid; ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (m_nPending > 0) {
      if ((byte & 0xC0) != 0x80) m_bValid = false;
      --m_nPending;
    } else if (byte >= 0x80) {
      m_bNonAscii = true;
      size_t need = Utf8SequenceLength(byte);
      if (need == 1) m_bValid = false;
      m_nPending = static_cast<int>(need) - 1;
    }
  }
}
