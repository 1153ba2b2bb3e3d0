// Text between code page 932, which the book holds, and the encodings that
// files from other programs use.
#pragma once

#include <iconv.h>
#include <stddef.h>
#include <stdio.h>

#include <string>

#include "exchange/text_encoding.h"

// "auto", "cp932" or "utf-8" (also "utf8", "sjis", "shift_jis"); false for
// anything else.
bool ParseEncoding(const char* name, TextEncoding& encoding);

// The conversions of the exchange's text, by iconv.
class IconvConverter : public CharsetConverter {
 public:
  IconvConverter();
  ~IconvConverter();
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  void Utf8ToCp932(const char*& in, size_t& length, char*& out, size_t& room,
                   int& unmapped) override;
  void Cp932ToUtf8(const char*& in, size_t& length, char*& out, size_t& room) override;
  bool OtherToUtf8(const char* charset, const char*& in, size_t& length, char*& out,
                   size_t& room) override;

 private:
  iconv_t m_hToCp932;
  // The character set named last, opened once until another is named.
  iconv_t m_hOther;
  char m_szOther[64] = "";
};

// Converts code page 932 text to UTF-8 into out (room bytes), as much as
// fits: cp932 and length move past what was converted. A byte that is no
// code page 932 character shows as U+FFFD, so that one damaged byte never
// hides the rest. Returns the bytes written.
size_t Utf8Into(const char*& cp932, size_t& length, char* out, size_t room);

// The same for a message: the whole text as UTF-8.
std::string Utf8Of(const char* cp932, size_t length);
std::string Utf8Of(const char* cp932);

// Prints code page 932 text on a stream, as UTF-8 unless raw bytes are asked
// for.
class Output {
 public:
  explicit Output(bool raw, FILE* stream = stdout) : m_bRaw(raw), m_pStream(stream) {}
  void Write(const char* cp932, size_t length);
  void Write(const char* cp932);

 private:
  bool m_bRaw;
  FILE* m_pStream;
};

// Arguments arrive from the shell in UTF-8. Converts utf8 to code page 932
// into out. False, with out empty, when the text is not UTF-8 or holds a
// character that code page 932 lacks.
bool Utf8ToCp932(const char* utf8, std::string& out);

// The UTF-8 byte-order mark.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
