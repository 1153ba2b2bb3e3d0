// The card field rules and the host search on any bytes: the rules read
// their text and no further, the search reads any card file with any search
// text and answers one line per card line, each within its buffer; the
// search fold needs at most twice the text's room, refuses less than it
// needs, and gives a key that folds to itself.
#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include "cards/card_file.h"
#include "cards/card_rules.h"
#include "fuzz/fuzz_support.h"
#include "search/card_search.h"
#include "search/match_rules.h"
#include "search/romaji.h"
#include "text/byte_text.h"
#include "text/search_fold.h"

namespace {

void CheckTrim(const char* text) {
  size_t n = strlen(text);
  char* trimmed = HeapCopy(text, n);
  int length = TrimBlanks(trimmed);
  FUZZ_CHECK(length >= 0 && static_cast<size_t>(length) == strlen(trimmed));
  if (length > 0) FUZZ_CHECK(trimmed[0] != ' ' && trimmed[length - 1] != ' ');
  size_t lead = strspn(text, " ");
  FUZZ_CHECK(memcmp(trimmed, text + (lead < n ? lead : n), static_cast<size_t>(length)) == 0);
  free(trimmed);
}

void CheckLineBreaks(const char* text) {
  size_t n = strlen(text);
  char* blanked = HeapCopy(text, n);
  BlankOutLineBreaks(blanked);
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    bool isBreak = c == '\t' || c == '\r' || c == '\n';
    FUZZ_CHECK(blanked[i] == (isBreak ? ' ' : c));
  }
  FUZZ_CHECK(blanked[n] == '\0');
  free(blanked);
}

void CheckId(const char* text) {
  int id = ParseIdText(text);
  bool accepted = IsAcceptedId(text, false);
  FUZZ_CHECK(accepted == (id >= 1 && id <= kMaxCards));
  FUZZ_CHECK(IsAcceptedId(text, true) == (accepted || strcmp(text, "0") == 0));
  // Where the digits make a number of the int range, it is strtol's.
  const char* digits = text + (text[0] == '+' || text[0] == '-');
  if (*digits >= '0' && *digits <= '9' && strspn(digits, "0123456789") < 10) {
    FUZZ_CHECK(id == static_cast<int>(strtol(text, nullptr, 10)));
  }
}

void CheckValidators(const char* text) {
  // Each answer depends on the text alone; a mail address that passes has
  // an @ with a dot after it.
  bool mail = IsValidMailAddress(text);
  const char* at = strchr(text, '@');
  if (mail && text[0] != '\0') FUZZ_CHECK(at != nullptr && strchr(at + 1, '.') != nullptr);
  if (IsValidPhoneNumber(text)) {
    for (const char* p = text; *p; ++p)
      FUZZ_CHECK(static_cast<unsigned char>(*p) < 0x41 || *p == 'P');
  }
  if (IsHalfWidthReading(text)) {
    for (const char* p = text; *p; ++p)
      FUZZ_CHECK(!IsCp932LeadByte(static_cast<unsigned char>(*p)));
  }
}

void CheckWords(const char* field, size_t fieldLength, const char* text, size_t textLength) {
  bool occurs = OccursAtCharBoundary(field, fieldLength, text, textLength);
  if (occurs && textLength > 0) {
    FUZZ_CHECK(textLength <= fieldLength);
  }
  if (textLength <= fieldLength && memcmp(field, text, textLength) == 0) FUZZ_CHECK(occurs);
  // The whole text is one of the alternatives once it holds no blank.
  bool matches = MatchesSearchWords(field, text);
  if (strchr(text, ' ') == nullptr && strlen(field) == fieldLength) {
    FUZZ_CHECK(matches == OccursAtCharBoundary(field, fieldLength, text, strlen(text)));
  }
}

void CheckPhone(const char* text, size_t width) {
  char* out = static_cast<char*>(malloc(width));
  size_t length = 0;
  bool fits = NarrowPhoneText(text, out, width, &length);
  FUZZ_CHECK(length < width && out[length] == '\0' && strlen(out) == length);
  FUZZ_CHECK(strpbrk(out, "-()P") == nullptr);
  if (fits) {
    // The narrowed text needs no more room than it has.
    char* again = static_cast<char*>(malloc(length + 1));
    size_t againLength = 0;
    FUZZ_CHECK(NarrowPhoneText(text, again, length + 1, &againLength));
    FUZZ_CHECK(againLength == length && memcmp(again, out, length) == 0);
    free(again);
  }
  free(out);
  // A field is at most kPhoneTextSize - 1 bytes.
  char field[kPhoneTextSize];
  CopyCutString(field, text);
  PhoneKey key(text);
  if (key.FoundIn(field)) FUZZ_CHECK(PhoneKey(field).FoundIn(field));
}

void CheckFold(const char* text, size_t length, unsigned flags) {
  char* key = static_cast<char*>(malloc(2 * length + 1));
  size_t keyLength = 0;
  const char* folded = FoldForSearch(text, length, key, 2 * length + 1, flags, &keyLength);
  FUZZ_CHECK(folded == text || (folded == key && key[keyLength] == '\0'));
  FUZZ_CHECK(keyLength <= 2 * length);
  char* again = static_cast<char*>(malloc(keyLength + 1));
  size_t againLength = 0;
  FUZZ_CHECK(FoldForSearch(folded, keyLength, again, keyLength + 1, flags, &againLength) == folded);
  if (folded == key) {
    FUZZ_CHECK(FoldForSearch(text, length, again, keyLength, flags, &againLength) == nullptr);
  }
  // The key as a romaji word, looked for in itself and in the text.
  RomajiWord romaji;
  if (romaji.Prepare(folded, keyLength, flags)) FUZZ_CHECK(romaji.FoundIn(folded, keyLength));
  RomajiFoundInReading(text, length, folded, keyLength, flags);
  free(again);
  free(key);
}

void CheckCutFields(const char* line, int length) {
  CardRecord card = {};
  CutSearchedFields(line, length, card);
  CheckCardFits(card);
  for (int order = 0; order < kSearchedFieldCount; ++order) {
    const char* field = SearchedField(card, order);
    FUZZ_CHECK(field != nullptr && strnlen(field, sizeof card.memo) < sizeof card.memo);
  }
}

class CountingSink : public SearchSink {
 public:
  explicit CountingSink(int stopAfter) : m_nStopAfter(stopAfter) {}
  bool StopRequested() override { return lines >= m_nStopAfter; }
  void Result(const char* line) override {
    FUZZ_CHECK(strlen(line) < kSearchResultSize);
    if (lines == 0) strcpy(first, line);
    ++lines;
  }
  int lines = 0;
  char first[kSearchResultSize] = {};

 private:
  int m_nStopAfter;
};

// The card lines that the search answers: every line after the heading
// that holds more than its line end.
int CountCardLines(const char* path) {
  FILE* file = fopen(path, "rb");
  FUZZ_CHECK(file != nullptr);
  CardLineReader reader(file);
  int count = 0;
  if (reader.Next() >= 0) {
    for (int length; (length = reader.Next()) >= 0;) {
      if (length > 1 || (length == 1 && reader.Text()[0] != '\n')) ++count;
    }
  }
  fclose(file);
  return count;
}

void CheckSearch(const char* path, const uint8_t* file, size_t fileSize, int mode, const char* text,
                 int stopAfter, unsigned foldFlags) {
  FUZZ_CHECK(WriteFileBytes(path, file, fileSize));
  CountingSink sink(stopAfter);
  SearchCardFile(path, mode, text, sink, foldFlags);
  if (!IsServedSearchMode(mode)) {
    FUZZ_CHECK(sink.lines == 1 && strcmp(sink.first, kUnsupportedSearchModeLine) == 0);
    return;
  }
  int cards = CountCardLines(path);
  FUZZ_CHECK(sink.lines == (cards < stopAfter ? cards : stopAfter));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char path[kPathBufferSize];
  if (path[0] == '\0') ScratchPath(path, ScratchFolder(), "Quillbook.dat");
  FuzzInput input(data, size);
  uint8_t options = input.Byte();
  int mode = options % 8 < 7 ? options % 3 : 3 + options % 3;
  unsigned foldFlags = (options & 0x80) != 0 ? kFoldDropVoicing : 0;
  int stopAfter = 1 + input.Byte();
  size_t split = input.Byte() * input.Left() / 256;
  size_t textLength = 0;
  const char* text = reinterpret_cast<const char*>(input.Bytes(split, &textLength));
  size_t restLength = 0;
  const uint8_t* rest = input.Rest(&restLength);

  char* word = HeapCopy(text, textLength);
  CheckTrim(word);
  CheckLineBreaks(word);
  CheckId(word);
  CheckValidators(word);
  CheckPhone(word, 1 + options % 40);
  CheckFold(word, textLength, foldFlags);

  char* field = HeapCopy(reinterpret_cast<const char*>(rest), restLength);
  CheckWords(field, restLength, word, strlen(word));
  CheckWords(word, textLength, field, strlen(field));
  CheckCutFields(field, static_cast<int>(restLength));
  CheckSearch(path, rest, restLength, mode, word, stopAfter, foldFlags);
  free(field);
  free(word);
  return 0;
}
