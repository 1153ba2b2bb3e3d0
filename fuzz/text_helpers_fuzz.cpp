// The byte-text helpers on any bytes. Every buffer here is allocated to the
// size that the helper's contract names and no byte more, so that a read or
// write outside it is the address sanitizer's to report.
#include <stdlib.h>
#include <string.h>

#include "fuzz/fuzz_support.h"
#include "text/byte_text.h"
#include "text/cstring.h"
#include "text/text_helpers.h"

namespace {

void CheckFindSeparator(const char* text, int length) {
  static const char kSeparators[] = {'\t', ',', '\n'};
  for (char separator : kSeparators) {
    int at = FindSeparator(text, length, separator);
    FUZZ_CHECK(at >= -1 && at < length);
    if (at >= 0) {
      FUZZ_CHECK(text[at] == separator);
      // The field before a separator never holds an earlier one that ends it.
      FUZZ_CHECK(FindSeparator(text, at, separator) == -1);
    }
  }
}

bool HasControlByte(const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (*p < 0x20) return true;
  }
  return false;
}

// What QuoteField writes, UnquoteField reads back whole; a control byte
// ends a quoted field by the reader's rule, so such texts are left out.
void CheckQuoting(const char* source) {
  size_t n = strlen(source);
  size_t quotes = 0;
  for (size_t i = 0; i < n; ++i) quotes += source[i] == '"';
  char* quoted = static_cast<char*>(malloc(2 * n + 3));
  QuoteField(source, quoted);
  size_t length = strlen(quoted);
  FUZZ_CHECK(length == n + quotes + 2);
  FUZZ_CHECK(quoted[0] == '"' && quoted[length - 1] == '"');
  if (!HasControlByte(source)) {
    static const char* const kEnds[] = {"\n", ",x\n", ",\"y\"\n"};
    for (const char* end : kEnds) {
      size_t endLength = strlen(end);
      char* line = static_cast<char*>(malloc(length + endLength + 1));
      memcpy(line, quoted, length);
      memcpy(line + length, end, endLength + 1);
      int size = static_cast<int>(length + endLength);
      FUZZ_CHECK(UnquoteField(line, size, ',') == static_cast<int>(n));
      FUZZ_CHECK(memcmp(line, source, n) == 0);
      FUZZ_CHECK(line[n] == end[0]);
      free(line);
    }
  }
  free(quoted);
}

void CheckUnquote(const char* text, size_t length, int size, char delimiter) {
  char* field = HeapCopy(text, length);
  int n = UnquoteField(field, size, delimiter);
  if (n < 0) {
    FUZZ_CHECK(n == -1);
    FUZZ_CHECK(memcmp(field, text, length) == 0);
  } else {
    FUZZ_CHECK(n < size);
    unsigned char stop = static_cast<unsigned char>(field[n]);
    FUZZ_CHECK(stop < 0x20 || stop == static_cast<unsigned char>(delimiter));
    // The text ends at its first NUL: up to there every byte past the
    // shortened text is NUL, and from there on nothing was touched.
    size_t end = strnlen(text, static_cast<size_t>(size));
    size_t shortened = strnlen(field, end);
    for (size_t i = shortened; i < end; ++i) FUZZ_CHECK(field[i] == '\0');
    FUZZ_CHECK(memcmp(field + end, text + end, length - end) == 0);
  }
  free(field);
}

void CheckHalfWidth(const char* text) {
  size_t n = strlen(text);
  char* narrowed = HeapCopy(text, n);
  int length = ToHalfWidth(narrowed);
  FUZZ_CHECK(length >= 0 && static_cast<size_t>(length) <= n);
  FUZZ_CHECK(strlen(narrowed) == static_cast<size_t>(length));
  CString wrapped(text);
  ToHalfWidthString(wrapped);
  FUZZ_CHECK(strcmp(static_cast<const char*>(wrapped), narrowed) == 0);
  free(narrowed);
}

// The prefix ends on a character boundary (a lone lead byte at the very end
// of the text being a character of its own) and is as long as the limit
// lets it be.
void CheckPrefix(const char* text, size_t length, size_t limit) {
  size_t n = CharBoundaryPrefix(text, length, limit);
  size_t most = length < limit ? length : limit;
  FUZZ_CHECK(n <= most);
  size_t i = 0;
  while (i < n) i += IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length ? 2 : 1;
  FUZZ_CHECK(i == n);
  if (n < most) {
    FUZZ_CHECK(n + 1 == most && IsCp932LeadByte(static_cast<unsigned char>(text[n])));
  }
}

void CheckCopyCut(const char* text, size_t length, size_t width) {
  char* out = static_cast<char*>(malloc(width == 0 ? 1 : width));
  size_t n = CopyCut(out, width, text, length);
  if (width == 0) {
    FUZZ_CHECK(n == 0);
  } else {
    FUZZ_CHECK(n < width && out[n] == '\0');
    FUZZ_CHECK(n == CharBoundaryPrefix(text, length, width - 1));
    FUZZ_CHECK(memcmp(out, text, n) == 0);
    // The NUL-terminated form reads no further than the width.
    char* bounded = HeapCopy(text, length);
    size_t m = CopyCutString(out, width, bounded);
    FUZZ_CHECK(m < width && out[m] == '\0');
    free(bounded);
  }
  free(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  size_t width = input.Byte() % 80;
  size_t cut = input.Byte();
  char delimiter = input.Byte() % 2 ? ',' : '\t';
  size_t length = 0;
  const char* bytes = reinterpret_cast<const char*>(input.Rest(&length));

  char* text = HeapCopy(bytes, length);
  CheckFindSeparator(text, static_cast<int>(length));
  if (length > 0) CheckFindSeparator(text, static_cast<int>(cut % length));
  CheckUnquote(text, length, static_cast<int>(length), delimiter);
  if (length > 0) CheckUnquote(text, length, static_cast<int>(1 + cut % length), delimiter);
  CheckQuoting(text);
  CheckHalfWidth(text);
  CheckPrefix(text, length, width);
  CheckPrefix(text, length, length > 0 ? cut % (length + 1) : 0);
  CheckCopyCut(text, length, width);
  free(text);
  return 0;
}
