// Text between code page 932, which the book holds, and the encodings that
// files from other programs use.
#pragma once

#include <iconv.h>
#include <stddef.h>
#include <stdio.h>

#include <string>

enum class Encoding { kAuto, kCp932, kUtf8 };

// "auto", "cp932" or "utf-8" (also "utf8", "sjis", "shift_jis"); false for
// anything else.
bool ParseEncoding(const char* name, Encoding& encoding);

// Converts text of one character set into code page 932. A character that
// code page 932 cannot hold, or a byte that is no character, becomes "?" and
// is counted, so that nothing is dropped without a trace.
class Cp932Writer {
 public:
  // charset as a program names it (UTF-8, SHIFT_JIS, ISO-8859-1, ...); a
  // name the system does not know is taken as code page 932.
  explicit Cp932Writer(const char* charset = "UTF-8") { Open(charset); }
  ~Cp932Writer();
  // Converts from charset from now on.
  void Open(const char* charset);
  Cp932Writer(const Cp932Writer&) = delete;
  Cp932Writer& operator=(const Cp932Writer&) = delete;

  // Writes in[0..length) to out (room bytes), cut at a character boundary
  // when it does not fit. Returns the bytes written; adds the replaced
  // characters to replaced. A character cut at the end of in is replaced.
  size_t Convert(const char* in, size_t length, char* out, size_t room, int& replaced);
  // False when the text is taken as code page 932 as it is.
  bool Converts() const { return m_hConverter != reinterpret_cast<iconv_t>(-1); }

 private:
  iconv_t m_hConverter = reinterpret_cast<iconv_t>(-1);
  bool m_bUtf8 = false;
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

// Feeds a stream's bytes to decide whether it is UTF-8 text.
class Utf8Check {
 public:
  void Feed(const char* bytes, size_t length);
  // Valid UTF-8 throughout (a sequence cut at the end does not count) and
  // not plain ASCII.
  bool LooksUtf8() const { return m_bValid && m_bNonAscii && m_nPending == 0; }
  bool PlainAscii() const { return !m_bNonAscii; }

 private:
  bool m_bValid = true;
  bool m_bNonAscii = false;
  int m_nPending = 0;  // continuation bytes still expected
};

// The UTF-8 byte-order mark.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Bytes that a UTF-8 sequence starting with lead takes (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead);
