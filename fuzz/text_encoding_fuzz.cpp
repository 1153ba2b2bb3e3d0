// Any bytes as the text of a file from another program. The encoding that
// is chosen does not depend on how the bytes come in blocks; the strict
// UTF-8 check agrees with iconv's decoder character by character (a
// character it takes, iconv takes; where a run it replaces begins, iconv
// takes nothing, and the bytes of a longer run are what iconv calls
// unfinished); the
// conversion to code page 932 never writes past its room and gives the
// same bytes in pieces as at once; and UTF-16 decodes to what iconv
// decodes, a lone surrogate to a byte that no UTF-8 holds.
#include <errno.h>
#include <iconv.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "cli/charset.h"
#include "exchange/text_encoding.h"
#include "fuzz/fuzz_support.h"
#include "text/byte_text.h"

namespace {

IconvConverter g_converter;

// What iconv makes of text[0..length) as UTF-8: the characters it wrote
// and why it stopped (0 when it took everything).
struct IconvResult {
  size_t characters;
  int error;
};

IconvResult IconvDecode(iconv_t cd, const char* text, size_t length) {
  static char out[4 * 65536];
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text);
  char* to = out;
  size_t room = sizeof out;
  size_t left = length;
  size_t result = iconv(cd, &in, &left, &to, &room);
  return {(sizeof out - room) / 4, result == static_cast<size_t>(-1) ? errno : 0};
}

// Walks the text with the strict check, holding each step to iconv's
// decoder; returns the runs replaced.
long CheckAgainstIconv(const unsigned char* text, size_t length) {
  static iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
  FUZZ_CHECK(cd != reinterpret_cast<iconv_t>(-1));
  long bad = 0;
  for (size_t i = 0; i < length;) {
    const char* at = reinterpret_cast<const char*>(text + i);
    size_t run = 0;
    int n = Utf8CharacterAt(text + i, length - i, run);
    if (n > 0) {
      IconvResult r = IconvDecode(cd, at, static_cast<size_t>(n));
      FUZZ_CHECK(r.characters == 1 && r.error == 0);
      i += static_cast<size_t>(n);
      continue;
    }
    if (n < 0) {
      FUZZ_CHECK(IconvDecode(cd, at, length - i).error == EINVAL);
      ++bad;
      break;
    }
    // iconv takes no character where a run begins, whatever follows; what
    // it calls unfinished it may call so a byte longer, being lenient with
    // the beginnings of forms that it refuses once whole.
    FUZZ_CHECK(run >= 1 && run <= 3 && i + run <= length);
    if (run > 1) FUZZ_CHECK(IconvDecode(cd, at, run).error == EINVAL);
    IconvResult r = IconvDecode(cd, at, length - i < 4 ? length - i : 4);
    FUZZ_CHECK(r.characters == 0 && r.error != 0);
    ++bad;
    i += run;
  }
  return bad;
}

bool SameChoice(const EncodingChoice& a, const EncodingChoice& b) {
  return a.encoding == b.encoding && a.reason == b.reason && a.lineEnd == b.lineEnd &&
         a.badUtf8 == b.badUtf8 && a.mostlyNul == b.mostlyNul;
}

void CheckChoice(const unsigned char* text, size_t length, FuzzInput& input) {
  TextSurvey whole;
  whole.Feed(reinterpret_cast<const char*>(text), length);
  TextSurvey pieces;
  for (size_t at = 0; at < length;) {
    size_t piece = 1 + input.Byte() % 7;
    if (piece > length - at) piece = length - at;
    pieces.Feed(reinterpret_cast<const char*>(text + at), piece);
    at += piece;
  }
  for (TextEncoding asked : {TextEncoding::kAuto, TextEncoding::kCp932, TextEncoding::kUtf8}) {
    FUZZ_CHECK(SameChoice(whole.Choose(asked), pieces.Choose(asked)));
  }
  const EncodingChoice choice = whole.Choose(TextEncoding::kAuto);
  const bool utf16 =
      length >= 2 && ((text[0] == 0xFF && text[1] == 0xFE) || (text[0] == 0xFE && text[1] == 0xFF));
  const long bad = CheckAgainstIconv(text, length);
  bool ascii = true, kanaOnly = true;
  long lineFeeds = 0, loneCrs = 0, nul = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] == '\0') ++nul;
    if (text[i] >= 0x80) ascii = false;
    if (text[i] >= 0x80 && (text[i] < 0xA1 || text[i] > 0xDF)) kanaOnly = false;
    if (text[i] == '\n') ++lineFeeds;
    if (text[i] == '\r' && (i + 1 == length || text[i + 1] != '\n')) ++loneCrs;
  }
  FUZZ_CHECK(choice.lineEnd == (loneCrs > lineFeeds ? '\r' : '\n'));
  FUZZ_CHECK(choice.mostlyNul == (!utf16 && nul > 0 && nul * 4 >= static_cast<long>(length)));
  if (utf16) {
    FUZZ_CHECK(choice.reason == EncodingReason::kMark && whole.MarkBytes(choice) == 2);
    return;
  }
  FUZZ_CHECK(whole.Choose(TextEncoding::kCp932).reason == EncodingReason::kAsked);
  if (choice.reason == EncodingReason::kMark) {
    FUZZ_CHECK(memcmp(text, "\xEF\xBB\xBF", 3) == 0 && whole.MarkBytes(choice) == 3);
  } else if (ascii) {
    FUZZ_CHECK(choice.reason == EncodingReason::kAscii);
  } else if (bad == 0) {
    FUZZ_CHECK(choice.reason ==
               (kanaOnly ? EncodingReason::kAmbiguous : EncodingReason::kValidUtf8));
  } else {
    FUZZ_CHECK(choice.reason == EncodingReason::kMostlyUtf8 ||
               choice.reason == EncodingReason::kNotUtf8);
    if (choice.reason == EncodingReason::kMostlyUtf8) FUZZ_CHECK(choice.badUtf8 == bad);
  }
  FUZZ_CHECK((choice.encoding == TextEncoding::kUtf8) ==
             (choice.reason == EncodingReason::kMark ||
              choice.reason == EncodingReason::kValidUtf8 ||
              choice.reason == EncodingReason::kMostlyUtf8));
}

// The conversion at once with room to spare, and in pieces into small
// rooms, each room allocated to its size.
void CheckConversion(const char* text, size_t length, FuzzInput& input) {
  std::string once;
  ConversionCounts onceCounts;
  {
    char* out = static_cast<char*>(malloc(length + 1));
    const char* in = text;
    size_t left = length;
    once.assign(out, Utf8ToCp932(g_converter, in, left, out, length + 1, true, onceCounts));
    FUZZ_CHECK(left == 0 && once.size() <= length);
    free(out);
  }
  std::string pieces;
  ConversionCounts pieceCounts;
  const char* in = text;
  size_t left = length;
  for (size_t given = 0; left > 0;) {
    size_t more = 1 + input.Byte() % 9;
    if (given < length) given = given + more < length ? given + more : length;
    size_t room = 2 + input.Byte() % 6;
    char* out = static_cast<char*>(malloc(room));
    size_t available = given - static_cast<size_t>(in - text);
    size_t before = available;
    size_t n = Utf8ToCp932(g_converter, in, available, out, room, given == length, pieceCounts);
    FUZZ_CHECK(n <= room);
    pieces.append(out, n);
    free(out);
    left -= before - available;
    // A room of two takes any character or "?": it stops only for want of
    // more bytes.
    if (given == length) FUZZ_CHECK(n > 0 || left == 0);
  }
  FUZZ_CHECK(pieces == once);
  FUZZ_CHECK(pieceCounts.bad == onceCounts.bad && pieceCounts.unmapped == onceCounts.unmapped);
  // Whole code page 932 characters.
  for (size_t i = 0; i < once.size(); ++i) {
    if (IsCp932LeadByte(static_cast<unsigned char>(once[i]))) {
      FUZZ_CHECK(i + 1 < once.size());
      ++i;
    }
  }
}

void CheckUtf16(const char* text, size_t length, bool bigEndian, FuzzInput& input) {
  static iconv_t le = iconv_open("UTF-8", "UTF-16LE");
  static iconv_t be = iconv_open("UTF-8", "UTF-16BE");
  std::string once;
  {
    Utf16Decoder decoder(bigEndian);
    char* out = static_cast<char*>(malloc(2 * length + 8));
    once.assign(out, decoder.Decode(text, length, out, true));
    free(out);
  }
  std::string pieces;
  Utf16Decoder decoder(bigEndian);
  for (size_t at = 0; at <= length;) {
    size_t piece = 1 + input.Byte() % 5;
    if (piece > length - at) piece = length - at;
    bool atEnd = at + piece == length;
    char* out = static_cast<char*>(malloc(2 * piece + 8));
    pieces.append(out, decoder.Decode(text + at, piece, out, atEnd));
    free(out);
    at += piece;
    if (atEnd) break;
  }
  FUZZ_CHECK(pieces == once);
  // UTF-8 but for the bytes that stand for what was no character.
  const auto* bytes = reinterpret_cast<const unsigned char*>(once.data());
  bool marked = false;
  for (size_t i = 0; i < once.size();) {
    size_t run = 0;
    int n = Utf8CharacterAt(bytes + i, once.size() - i, run);
    if (n <= 0) {
      FUZZ_CHECK(bytes[i] == 0xFF);
      marked = true;
      ++i;
    } else {
      i += static_cast<size_t>(n);
    }
  }
  // Where iconv takes it all, the same characters.
  static char out[2 * 65536 + 8];
  char* in = const_cast<char*>(text);
  char* to = out;
  size_t left = length, room = sizeof out;
  iconv_t cd = bigEndian ? be : le;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in, &left, &to, &room) != static_cast<size_t>(-1) && length % 2 == 0) {
    FUZZ_CHECK(!marked && once == std::string(out, static_cast<size_t>(to - out)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint8_t mode = input.Byte();
  size_t length = 0;
  const uint8_t* rest = input.Rest(&length);
  if (length > 65536) length = 65536;
  // The text and the choices of block sizes both come from the input: the
  // text its first part, the choices read from the start again.
  char* text = HeapCopy(reinterpret_cast<const char*>(rest), length);
  FuzzInput choices(data, size);
  CheckChoice(reinterpret_cast<const unsigned char*>(text), length, choices);
  CheckConversion(text, length, choices);
  CheckUtf16(text, length, mode & 1, choices);
  free(text);
  return 0;
}
