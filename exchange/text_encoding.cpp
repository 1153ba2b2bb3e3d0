#include "exchange/text_encoding.h"

#include <string.h>

#include <initializer_list>

namespace {

bool IsHalfWidthKanaByte(unsigned char byte) { return byte >= 0xA1 && byte <= 0xDF; }

unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// The characters of bytes[0..count), counted; returns where a character
// that the end of the bytes cuts begins (count when none does).
template <typename Counter>
size_t WalkUtf8(const unsigned char* bytes, size_t count, Counter counter) {
  size_t i = 0;
  while (i < count) {
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    size_t bad = 0;
    int n = Utf8CharacterAt(bytes + i, count - i, bad);
    if (n < 0) break;
    counter(n > 0);
    i += n > 0 ? static_cast<size_t>(n) : bad;
  }
  return i;
}

}  // namespace

int Utf8CharacterAt(const unsigned char* text, size_t length, size_t& bad) {
  bad = 1;
  const unsigned char lead = text[0];
  if (lead < 0x80) return 1;
  // The range of the byte after the lead byte keeps out overlong forms,
  // surrogates and codes past U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  size_t need;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (size_t k = 1; k <= need; ++k) {
    if (k >= length) return -1;
    unsigned char byte = text[k];
    if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF)) {
      bad = k;
      return 0;
    }
  }
  return static_cast<int>(need + 1);
}

void TextSurvey::Feed(const char* bytes, size_t count) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes);
  for (size_t i = 0; i < count && m_nStart < sizeof m_achStart; ++i) m_achStart[m_nStart++] = in[i];
  m_nBytes += static_cast<long long>(count);
  for (size_t i = 0; i < count; ++i) {
    unsigned char byte = in[i];
    if (byte < 0x80) {
      if (byte == '\0') ++m_nNul;
      continue;
    }
    m_bNonAscii = true;
    if (!IsHalfWidthKanaByte(byte)) m_bKanaOnly = false;
  }
  m_lineEnds.Take(bytes, count);
  TakeUtf8(in, count);
}

void TextSurvey::TakeUtf8(const unsigned char* bytes, size_t count) {
  auto counter = [this](bool whole) { whole ? ++m_nUtf8Characters : ++m_nBadUtf8; };
  size_t from = 0;
  if (m_nPending > 0) {
    // The cut character and the bytes after it, as far as one can reach.
    unsigned char joined[sizeof m_achPending + 3];
    memcpy(joined, m_achPending, m_nPending);
    size_t taken = count < 3 ? count : 3;
    memcpy(joined + m_nPending, bytes, taken);
    size_t length = m_nPending + taken;
    size_t i = 0;
    while (i < m_nPending) {
      size_t bad = 0;
      int n = Utf8CharacterAt(joined + i, length - i, bad);
      if (n < 0) break;  // only when the block ended too
      counter(n > 0);
      i += n > 0 ? static_cast<size_t>(n) : bad;
    }
    if (i < m_nPending) {
      m_nPending = length - i;
      memmove(m_achPending, joined + i, m_nPending);
      return;
    }
    from = i - m_nPending;
    m_nPending = 0;
  }
  size_t cut = from + WalkUtf8(bytes + from, count - from, counter);
  m_nPending = count - cut;
  memcpy(m_achPending, bytes + cut, m_nPending);
}

EncodingChoice TextSurvey::Choose(TextEncoding asked) const {
  EncodingChoice choice = {};
  choice.lineEnd = m_lineEnds.End();
  const bool utf16Le = m_nStart >= 2 && m_achStart[0] == 0xFF && m_achStart[1] == 0xFE;
  const bool utf16Be = m_nStart >= 2 && m_achStart[0] == 0xFE && m_achStart[1] == 0xFF;
  const bool utf8Mark = m_nStart == 3 && memcmp(m_achStart, "\xEF\xBB\xBF", 3) == 0;
  choice.mostlyNul = !utf16Le && !utf16Be && m_nNul > 0 && m_nNul * 4 >= m_nBytes;
  auto chosen = [&choice](TextEncoding encoding, EncodingReason reason) {
    choice.encoding = encoding;
    choice.reason = reason;
    return choice;
  };
  if (utf16Le || utf16Be) {
    return chosen(utf16Le ? TextEncoding::kUtf16Le : TextEncoding::kUtf16Be, EncodingReason::kMark);
  }
  if (asked != TextEncoding::kAuto) return chosen(asked, EncodingReason::kAsked);
  if (utf8Mark) return chosen(TextEncoding::kUtf8, EncodingReason::kMark);
  if (!m_bNonAscii) return chosen(TextEncoding::kCp932, EncodingReason::kAscii);
  const long bad = m_nBadUtf8 + (m_nPending > 0 ? 1 : 0);
  if (bad == 0) {
    // Both readings are whole: the book's own encoding is the safer one,
    // and the summary says that the other was possible.
    return m_bKanaOnly ? chosen(TextEncoding::kCp932, EncodingReason::kAmbiguous)
                       : chosen(TextEncoding::kUtf8, EncodingReason::kValidUtf8);
  }
  // Code page 932 text forms a UTF-8 character now and then, but leaves
  // far more bytes that are none; a UTF-8 file with a stray byte of
  // another encoding has characters by the dozen for each.
  if (m_nUtf8Characters >= 3 * bad) {
    choice.badUtf8 = bad;
    return chosen(TextEncoding::kUtf8, EncodingReason::kMostlyUtf8);
  }
  return chosen(TextEncoding::kCp932, EncodingReason::kNotUtf8);
}

size_t TextSurvey::MarkBytes(const EncodingChoice& choice) const {
  if (choice.encoding == TextEncoding::kUtf16Le || choice.encoding == TextEncoding::kUtf16Be) {
    return 2;
  }
  bool utf8Mark = m_nStart == 3 && memcmp(m_achStart, "\xEF\xBB\xBF", 3) == 0;
  return choice.encoding == TextEncoding::kUtf8 && utf8Mark ? 3 : 0;
}

size_t Utf16Decoder::Put(unsigned long code, char* out) {
  if (code < 0x80) {
    out[0] = static_cast<char>(code);
    return 1;
  }
  if (code < 0x800) {
    out[0] = static_cast<char>(0xC0 | (code >> 6));
    out[1] = static_cast<char>(0x80 | (code & 0x3F));
    return 2;
  }
  if (code < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (code >> 12));
    out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (code & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (code >> 18));
  out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (code & 0x3F));
  return 4;
}

size_t Utf16Decoder::Decode(const char* in, size_t length, char* out, bool atEnd) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(in);
  const char kNoCharacter = '\xFF';
  size_t written = 0;
  size_t i = 0;
  while (i < length) {
    unsigned char first, second;
    if (m_bHaveOddByte) {
      first = m_chOddByte;
      second = bytes[i++];
      m_bHaveOddByte = false;
    } else if (i + 1 < length) {
      first = bytes[i];
      second = bytes[i + 1];
      i += 2;
    } else {
      m_chOddByte = bytes[i++];
      m_bHaveOddByte = true;
      break;
    }
    unsigned unit = m_bBigEndian ? (first << 8 | second) : (second << 8 | first);
    if (m_nHighSurrogate != 0) {
      unsigned high = m_nHighSurrogate;
      m_nHighSurrogate = 0;
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        written += Put(0x10000 + ((high - 0xD800UL) << 10) + (unit - 0xDC00), out + written);
        continue;
      }
      out[written++] = kNoCharacter;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      m_nHighSurrogate = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      out[written++] = kNoCharacter;
    } else {
      written += Put(unit, out + written);
    }
  }
  if (atEnd) {
    if (m_nHighSurrogate != 0) out[written++] = kNoCharacter;
    if (m_bHaveOddByte) out[written++] = kNoCharacter;
    m_nHighSurrogate = 0;
    m_bHaveOddByte = false;
  }
  return written;
}

size_t Utf8ToCp932(CharsetConverter& converter, const char*& in, size_t& length, char* out,
                   size_t room, bool atEnd, ConversionCounts& counts) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(in);
  size_t left = length;
  size_t written = 0;
  while (left > 0) {
    // The longest run of whole characters goes to the converter at once.
    size_t run = 0;
    size_t bad = 0;
    int stop = 1;  // 1: all of it; 0: bytes that are no character; -1: a cut one
    while (run < left) {
      if (bytes[run] < 0x80) {
        ++run;
        continue;
      }
      int n = Utf8CharacterAt(bytes + run, left - run, bad);
      if (n <= 0) {
        stop = n;
        break;
      }
      run += static_cast<size_t>(n);
    }
    if (run > 0) {
      const char* from = reinterpret_cast<const char*>(bytes);
      size_t fromLeft = run;
      char* to = out + written;
      size_t toRoom = room - written;
      converter.Utf8ToCp932(from, fromLeft, to, toRoom, counts.unmapped);
      written = room - toRoom;
      bytes += run - fromLeft;
      left -= run - fromLeft;
      if (fromLeft > 0) break;  // out is full
    }
    if (stop > 0) break;
    if (stop < 0) {
      if (!atEnd) break;
      bad = left;
    }
    if (written >= room) break;
    out[written++] = '?';
    ++counts.bad;
    bytes += bad;
    left -= bad;
  }
  in = reinterpret_cast<const char*>(bytes);
  length = left;
  return written;
}

bool SameIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (LowerAscii(static_cast<unsigned char>(*a)) != LowerAscii(static_cast<unsigned char>(*b))) {
      return false;
    }
    if (*a == '\0') return true;
  }
}

bool StartsIgnoringCase(const char* text, const char* prefix) {
  for (; *prefix != '\0'; ++text, ++prefix) {
    if (LowerAscii(static_cast<unsigned char>(*text)) !=
        LowerAscii(static_cast<unsigned char>(*prefix))) {
      return false;
    }
  }
  return true;
}

bool NamesCp932(const char* charset) {
  // Japanese phones name code page 932 by its older names, whose strict
  // forms lack the characters that Windows added.
  for (const char* name : {"SHIFT_JIS", "SHIFT-JIS", "SJIS", "X-SJIS", "CP932", "MS932",
                           "WINDOWS-31J", "MS_KANJI", "CSSHIFTJIS"}) {
    if (SameIgnoringCase(charset, name)) return true;
  }
  return false;
}

bool NamesUtf8(const char* charset) {
  return SameIgnoringCase(charset, "UTF-8") || SameIgnoringCase(charset, "UTF8");
}
