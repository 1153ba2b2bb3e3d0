// An import file as any program may have left it, read with any columns into
// a small book: the trial run changes nothing and finds what the import then
// adds, and the grown card file holds one whole card line for each imported
// card, never more than the book's 500.
#include <string.h>

#include "cards/card_file.h"
#include "exchange/exchange_book.h"
#include "fuzz/exchange_fuzz.h"
#include "fuzz/fuzz_support.h"

namespace {

// Over a megabyte each: held once.
ExchangeBook g_book;
CardTable g_table;
ExchangeOptions g_options;
char g_before[1 << 16];
char g_after[1 << 16];

class CheckedReport : public ImportReport {
 public:
  void LineProblems(long lineNumber, unsigned problems) override {
    FUZZ_CHECK(lineNumber > lastLine);
    FUZZ_CHECK(problems != 0);
    FUZZ_CHECK((problems & ~(kImportTextCut | kImportMoreColumns | kImportFewerColumns |
                             kImportOverCardLimit)) == 0);
    // A line past the limit is not read, so it has no other problem.
    if (problems & kImportOverCardLimit) FUZZ_CHECK(problems == kImportOverCardLimit);
    lastLine = lineNumber;
  }
  long lastLine = 0;
};

// The book: none, an empty file, a heading alone, a few cards, or nearly or
// wholly full.
int MakeBook(const char* path, uint8_t choice) {
  remove(path);
  bool ended = choice & 0x80;
  switch (choice % 8) {
    case 0:
      return -1;
    case 1:
      FUZZ_CHECK(WriteFileBytes(path, "", 0));
      return 0;
    case 6:
    case 7: {
      int cards = kMaxCards - (choice >> 3) % 6;
      WriteSmallBook(path, cards, ended);
      return cards;
    }
    default: {
      int cards = choice % 8 - 2;
      WriteSmallBook(path, cards, ended);
      return cards;
    }
  }
}

void PickColumns(FuzzInput& input, ExchangeOptions& options) {
  uint8_t choice = input.Byte();
  options.delimiter = choice % 16 == 15 ? '\0' : (choice & 1 ? ',' : '\t');
  options.heading = (choice >> 1) & 1;
  FillFieldList(options);
  options.orderEntryCount = 0;
  // Any number of entries, a field more than once included: the procedures
  // take what a damaged or hand-made list holds.
  int entries = input.Byte() % 24;
  if (choice >> 4 == 0xF) entries = kMaxOrderEntries + 4;
  for (int i = 0; i < entries; ++i) {
    int field = input.Byte() % (kExchangeFieldCount + 1);
    const char* text = field < kExchangeFieldCount ? kExchangeFieldNames[field] : kBlankEntryText;
    if (!AddOrderEntry(options, text)) FUZZ_CHECK(options.orderEntryCount == kMaxOrderEntries);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FixedClock clock;
  static char bookPath[kPathBufferSize];
  if (bookPath[0] == '\0') {
    MakeDataDirectory(g_options.dataDirectory, "import");
    FUZZ_CHECK(BuildBookFilePath(bookPath, g_options.dataDirectory, kCardFileName));
    ScratchPath(g_options.path, ScratchFolder(), "import.txt");
  }
  FuzzInput input(data, size);
  int bookCards = MakeBook(bookPath, input.Byte());
  PickColumns(input, g_options);
  size_t length = 0;
  const uint8_t* file = input.Rest(&length);
  FUZZ_CHECK(WriteFileBytes(g_options.path, file, length));

  long beforeSize = ReadFileBytes(bookPath, g_before, sizeof g_before);
  RecordedMessages trialMessages;
  CheckedReport report;
  int tried = g_book.TryImportCards(g_options, trialMessages, report);
  int wouldAdd = g_book.m_nImported;
  FUZZ_CHECK(ReadFileBytes(bookPath, g_after, sizeof g_after) == beforeSize);
  FUZZ_CHECK(beforeSize < 0 || memcmp(g_before, g_after, static_cast<size_t>(beforeSize)) == 0);

  RecordedMessages messages;
  int imported = g_book.ImportCards(g_options, messages);
  FUZZ_CHECK(imported == tried);
  FUZZ_CHECK(messages.SameAs(trialMessages));
  if (g_options.delimiter == '\0' || bookCards < 0) FUZZ_CHECK(imported == 0);
  if (!imported || g_book.m_nImported == 0) {
    FUZZ_CHECK(ReadFileBytes(bookPath, g_after, sizeof g_after) == beforeSize);
    FUZZ_CHECK(beforeSize < 0 || memcmp(g_before, g_after, static_cast<size_t>(beforeSize)) == 0);
    return 0;
  }
  FUZZ_CHECK(g_book.m_nImported == wouldAdd);
  FUZZ_CHECK(bookCards + g_book.m_nImported <= kMaxCards);

  // One line for each card, however its texts were cut or broken.
  int lines = CountCardLines(bookPath);
  FUZZ_CHECK(lines == bookCards + g_book.m_nImported);
  FUZZ_CHECK(LoadCardFile(bookPath, g_table, clock) == 1);
  FUZZ_CHECK(g_table.m_nCardCount == lines);
  for (int i = 0; i < g_book.m_nImported; ++i) {
    CheckCardReadsBack(g_book.m_book[i], g_table.m_cards[bookCards + i], clock.Stamp());
  }
  return 0;
}
