// The card file as any program may have left it: whatever loads must be
// saved, and what is saved must load back card for card as the writer put it.
// The settings screen's field list comes from the same file's first line.
#include <string.h>

#include "cards/card_file.h"
#include "exchange/exchange_book.h"
#include "fuzz/fuzz_support.h"

namespace {

// A megabyte each: held once.
CardTable g_loaded;
CardTable g_reloaded;
CardTable g_again;
CardTable g_default;

void CheckTable(const CardTable& table) {
  FUZZ_CHECK(table.m_nCardCount >= 1 && table.m_nCardCount <= kMaxCards);
  // The cards close up from slot 0, so a count of n is slots 0 to n - 1.
  for (int slot = 0; slot < kCardSlots; ++slot) {
    FUZZ_CHECK(table.IsUsed(slot) == (slot < table.m_nCardCount));
    CheckCardFits(table.m_cards[slot]);
  }
}

void CheckFieldList(const char* dataDirectory) {
  static ExchangeOptions options;
  FUZZ_CHECK(ReadFieldList(dataDirectory, options) == 1);
  FUZZ_CHECK(options.fieldCount >= 0 && options.fieldCount <= kExchangeFieldCount);
  for (int i = 0; i < options.fieldCount; ++i) {
    const char* name = options.fields[i];
    FUZZ_CHECK(strnlen(name, kFieldNameSize) < kFieldNameSize && name[0] != '\0');
    FUZZ_CHECK(strpbrk(name, "\t\r\n") == nullptr);
    if (i > 0) FUZZ_CHECK(strchr(name, '|') == nullptr);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FixedClock clock;
  static char dataDirectory[kPathBufferSize];
  static char path[kPathBufferSize];
  if (path[0] == '\0') {
    MakeDataDirectory(dataDirectory, "book");
    FUZZ_CHECK(BuildBookFilePath(path, dataDirectory, kCardFileName));
  }
  FUZZ_CHECK(WriteFileBytes(path, data, size));
  CheckFieldList(dataDirectory);

  int loaded = LoadCardFile(path, g_loaded, clock);
  CheckTable(g_loaded);
  if (loaded == 0) {
    g_default.Clear();
    g_default.MakeDefaultOwnerCard();
    FUZZ_CHECK(g_loaded.m_nCardCount == 1);
    CheckSameCard(g_default.m_cards[kOwnerSlot], g_loaded.m_cards[kOwnerSlot]);
  }

  FUZZ_CHECK(SaveCardFile(path, g_loaded) == 1);
  FUZZ_CHECK(LoadCardFile(path, g_reloaded, clock) == 1);
  FUZZ_CHECK(g_reloaded.m_nCardCount == g_loaded.m_nCardCount);
  for (int slot = 0; slot < g_loaded.m_nCardCount; ++slot) {
    CheckCardReadsBack(g_loaded.m_cards[slot], g_reloaded.m_cards[slot], clock.Stamp());
  }

  // Once written, a table is in the writer's own form: another round trip
  // changes nothing at all.
  FUZZ_CHECK(SaveCardFile(path, g_reloaded) == 1);
  FUZZ_CHECK(LoadCardFile(path, g_again, clock) == 1);
  FUZZ_CHECK(g_again.m_nCardCount == g_reloaded.m_nCardCount);
  for (int slot = 0; slot < g_again.m_nCardCount; ++slot) {
    CheckSameCard(g_reloaded.m_cards[slot], g_again.m_cards[slot]);
  }
  return 0;
}
