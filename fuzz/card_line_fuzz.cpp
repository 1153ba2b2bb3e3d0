// One card line: parsed, formatted, parsed again. The line that the writer
// makes is one line of 21 fields that reads back as written, and the decimal
// fields read as the C library reads them.
#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include "cards/card_line.h"
#include "fuzz/fuzz_support.h"

namespace {

char g_line[kLineBufferSize + 2];

void CheckWrittenLine(const char* line, int length) {
  FUZZ_CHECK(length >= kMinCardLineBytes && length <= kMaxCardLineBytes);
  FUZZ_CHECK(static_cast<int>(strlen(line)) == length);
  FUZZ_CHECK(line[length - 1] == '\n');
  FUZZ_CHECK(memchr(line, '\n', static_cast<size_t>(length - 1)) == nullptr);
  // No second byte is ever a tab, so every tab byte is a separator.
  int tabs = 0;
  for (int i = 0; i < length; ++i) tabs += line[i] == '\t';
  FUZZ_CHECK(tabs == 20);
}

// strtoll agrees wherever the text begins with a sign or a digit once its
// blanks are skipped (it would skip tabs and line ends as well).
void CheckDecimal(const char* text, size_t length) {
  const char* end = text + length;
  int value = ParseDecimal(text, end);
  const char* p = text;
  while (p < end && *p == ' ') ++p;
  bool number = p < end && (*p == '+' || *p == '-' || (*p >= '0' && *p <= '9'));
  if (!number) {
    FUZZ_CHECK(value == 0);
    return;
  }
  char copy[64];
  size_t n = static_cast<size_t>(end - p) < sizeof copy - 1 ? static_cast<size_t>(end - p)
                                                            : sizeof copy - 1;
  memcpy(copy, p, n);
  copy[n] = '\0';
  // A digit run longer than the copy saturates either way.
  long long expected = strtoll(copy, nullptr, 10);
  if (expected > INT_MAX) expected = INT_MAX;
  if (expected < INT_MIN) expected = INT_MIN;
  FUZZ_CHECK(value == expected || n == sizeof copy - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FixedClock clock;
  LoadTime now(clock);
  int length = static_cast<int>(size < kLineBufferSize ? size : kLineBufferSize);
  memcpy(g_line, data, static_cast<size_t>(length));
  g_line[length] = '\0';
  CheckDecimal(g_line, static_cast<size_t>(length));

  CardRecord parsed = {};
  ParseCardLine(g_line, length, parsed, now);
  CheckCardFits(parsed);

  char written[kMaxCardLineBytes + 1];
  int writtenLength = FormatCardLine(parsed, written);
  CheckWrittenLine(written, writtenLength);
  CardRecord reparsed = {};
  ParseCardLine(written, writtenLength, reparsed, now);
  CheckCardReadsBack(parsed, reparsed, clock.Stamp());

  // The writer's own line comes back byte for byte.
  char rewritten[kMaxCardLineBytes + 1];
  int rewrittenLength = FormatCardLine(reparsed, rewritten);
  CheckWrittenLine(rewritten, rewrittenLength);
  CardRecord third = {};
  ParseCardLine(rewritten, rewrittenLength, third, now);
  char again[kMaxCardLineBytes + 1];
  FUZZ_CHECK(FormatCardLine(third, again) == rewrittenLength);
  FUZZ_CHECK(memcmp(again, rewritten, static_cast<size_t>(rewrittenLength)) == 0);
  return 0;
}
