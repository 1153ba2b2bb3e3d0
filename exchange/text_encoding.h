// The text of a file that another program wrote: its encoding decided on the
// whole file by strict rules, so that nothing is guessed without being said,
// and its characters turned into code page 932, every byte that is no
// character becoming "?" and being counted rather than dropped or copied.
// Converting Unicode characters to and from code page 932 is the platform's
// part (the command line uses iconv), passed in.
#pragma once

#include <stddef.h>

#include "cards/whole_line.h"

enum class TextEncoding { kAuto, kCp932, kUtf8, kUtf16Le, kUtf16Be };

// How an encoding was decided.
enum class EncodingReason {
  kAsked,       // the user said which
  kMark,        // the file begins with a byte-order mark
  kAscii,       // plain ASCII, which reads alike in every encoding here
  kValidUtf8,   // strict UTF-8 that is not plain ASCII
  kMostlyUtf8,  // UTF-8 but for a few bytes, which become "?"
  kAmbiguous,   // valid UTF-8 too, but its only non-ASCII bytes are half-width katakana
  kNotUtf8,     // code page 932: the bytes are not UTF-8
};

struct EncodingChoice {
  TextEncoding encoding;
  EncodingReason reason;
  // '\n', or '\r' when a file has more CRs without a line feed after them
  // than line feeds (older programs end lines with CR alone).
  char lineEnd;
  // Runs of bytes that are no UTF-8 character, in a kMostlyUtf8 file.
  long badUtf8;
  // A quarter of the bytes or more are NUL, and no mark says UTF-16: the
  // file is no text (UTF-16 without its mark, say), and is refused.
  bool mostlyNul;
};

// Looks at a file's bytes, block by block, for what Choose decides.
class TextSurvey {
 public:
  void Feed(const char* bytes, size_t count);
  // After the last block. A UTF-16 mark is told whatever was asked, so
  // that a file that it marks is never read as bytes.
  EncodingChoice Choose(TextEncoding asked) const;
  // The bytes at the start of the file that are the mark of the encoding
  // chosen, and no text (0 without one).
  size_t MarkBytes(const EncodingChoice& choice) const;
  bool PlainAscii() const { return !m_bNonAscii; }

 private:
  void TakeUtf8(const unsigned char* bytes, size_t count);

  unsigned char m_achStart[3] = {};
  size_t m_nStart = 0;
  long long m_nBytes = 0;
  long long m_nNul = 0;
  LineEndCount m_lineEnds;
  bool m_bNonAscii = false;
  bool m_bKanaOnly = true;     // every byte above ASCII is one of half-width katakana's
  long m_nUtf8Characters = 0;  // of two bytes or more
  long m_nBadUtf8 = 0;
  unsigned char m_achPending[4] = {};  // a character that the block cut
  size_t m_nPending = 0;
};

// The well-formed UTF-8 character that begins text[0..length): its length,
// 1 to 4, with no overlong form, surrogate or code above U+10FFFF. 0 when
// the bytes there are no character, and bad then is the length of the
// run to replace with one "?" (at least 1); -1 when text ends inside what
// could still be a character.
int Utf8CharacterAt(const unsigned char* text, size_t length, size_t& bad);

// Decodes UTF-16 of one byte order into UTF-8, block by block. A lone
// surrogate or a last odd byte becomes the byte 0xFF, which no UTF-8 holds,
// so that it is named as a byte that is no character where it stands.
class Utf16Decoder {
 public:
  explicit Utf16Decoder(bool bigEndian) : m_bBigEndian(bigEndian) {}
  // Writes the characters of in[0..length) into out, which has room for at
  // least 2 * length + 8 bytes; atEnd says that no block follows.
  // Returns the bytes written.
  size_t Decode(const char* in, size_t length, char* out, bool atEnd);

 private:
  size_t Put(unsigned long code, char* out);
  bool m_bBigEndian;
  unsigned char m_chOddByte = 0;
  bool m_bHaveOddByte = false;
  unsigned m_nHighSurrogate = 0;  // waiting for its low half; 0 for none
};

// What the platform converts; the text here is always whole characters.
class CharsetConverter {
 public:
  // Well-formed UTF-8 into code page 932, as iconv moves its pointers: in,
  // length, out and room move past what was converted; it stops where out
  // has no room for the next character. A character that code page 932
  // lacks becomes "?" and is counted in unmapped.
  virtual void Utf8ToCp932(const char*& in, size_t& length, char*& out, size_t& room,
                           int& unmapped) = 0;
  // Code page 932 into UTF-8 likewise; a byte that is no code page 932
  // character becomes U+FFFD.
  virtual void Cp932ToUtf8(const char*& in, size_t& length, char*& out, size_t& room) = 0;
  // Text of the character set a file names (ISO-8859-1, say) into UTF-8,
  // stopping also before a byte that is no character of it. False, with
  // nothing moved, when the character set is unknown.
  virtual bool OtherToUtf8(const char* charset, const char*& in, size_t& length, char*& out,
                           size_t& room) = 0;

 protected:
  ~CharsetConverter() = default;
};

// What a conversion replaced with "?".
struct ConversionCounts {
  int unmapped = 0;  // characters that code page 932 lacks
  int bad = 0;       // runs of bytes that are no character of their encoding
};

// UTF-8 text into code page 932, with every run of bytes that is no
// character written as one "?". in and length move past what was taken;
// it stops before a character that out (room bytes) cannot hold, and before
// one that the end of in cuts unless atEnd, when that is a bad run too.
// Returns the bytes written.
size_t Utf8ToCp932(CharsetConverter& converter, const char*& in, size_t& length, char* out,
                   size_t room, bool atEnd, ConversionCounts& counts);

// Whether a character set's name, as files give it, is code page 932 or
// one of its older names (Shift_JIS, SJIS, ...), whose text is taken as it
// stands; and whether it names UTF-8.
bool NamesCp932(const char* charset);
bool NamesUtf8(const char* charset);

// ASCII letters compared without their case.
bool SameIgnoringCase(const char* a, const char* b);
bool StartsIgnoringCase(const char* text, const char* prefix);
