// A book of any texts, exported with any choice of columns and imported back
// with the same choice: every listed field comes back as the book held it.
// The unit test's round trip goes through all 18 columns in order on texts
// made of a few pieces; here the columns are any subset in any order with
// blank columns between them, and the texts any bytes the card file keeps.
#include <stdio.h>
#include <string.h>

#include "cards/card_file.h"
#include "exchange/exchange_book.h"
#include "fuzz/exchange_fuzz.h"
#include "fuzz/fuzz_support.h"
#include "text/byte_text.h"

namespace {

constexpr int kMostCards = 12;

// Over a megabyte each: held once.
ExchangeBook g_reference;
ExchangeBook g_book;
CardTable g_table;
ExchangeOptions g_options;

void FillText(FuzzInput& input, char* field, size_t width) {
  size_t length = 0;
  const uint8_t* bytes = input.Bytes(input.Byte() * width / 255 + 1, &length);
  CopyCut(field, width, reinterpret_cast<const char*>(bytes), length);
}

int32_t TakeType(FuzzInput& input) {
  uint8_t first = input.Byte();
  if (first < 0xC0) return first % 5;
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | input.Byte();
  return static_cast<int32_t>(value);
}

void FillCard(FuzzInput& input, CardRecord& card) {
  memset(&card, 0, sizeof card);
  FillText(input, card.name, sizeof card.name);
  // An empty name is a free slot, which the card file does not hold.
  if (card.name[0] == '\0') strcpy(card.name, "-");
  FillText(input, card.reading, sizeof card.reading);
  FillText(input, card.group, sizeof card.group);
  FillText(input, card.postalCode, sizeof card.postalCode);
  FillText(input, card.address, sizeof card.address);
  for (PhoneEntry& phone : card.phones) {
    phone.type = TakeType(input);
    FillText(input, phone.number, sizeof phone.number);
  }
  for (MailEntry& mail : card.mails) {
    mail.type = TakeType(input);
    FillText(input, mail.address, sizeof mail.address);
  }
  FillText(input, card.memo, sizeof card.memo);
}

// Each field at most once, as the dialog's order list holds them, and any
// number of blank columns.
void PickColumns(FuzzInput& input, ExchangeOptions& options, bool (&listed)[kExchangeFieldCount]) {
  uint8_t choice = input.Byte();
  options.delimiter = choice & 1 ? ',' : '\t';
  options.heading = (choice >> 1) & 1;
  FillFieldList(options);
  options.orderEntryCount = 0;
  memset(listed, 0, sizeof listed);
  int entries = input.Byte() % 30;
  for (int i = 0; i < entries; ++i) {
    int field = input.Byte() % (kExchangeFieldCount + 2);
    if (field >= kExchangeFieldCount) {
      FUZZ_CHECK(AddOrderEntry(options, kBlankEntryText));
    } else if (!listed[field]) {
      listed[field] = true;
      FUZZ_CHECK(AddOrderEntry(options, kExchangeFieldNames[field]));
    }
  }
}

// A quoted comma column writes its control bytes as blanks, since the
// reader would end the column at one.
void BlankControlBytes(char* text) {
  for (; *text != '\0'; ++text) {
    if (static_cast<unsigned char>(*text) < 0x20) *text = ' ';
  }
}

bool IsTypeField(int field) {
  return field >= kExPhoneType1 && field <= kExMailType3 && field % 2 == 1;
}

// A card whose line is empty is not imported: a single column, blank or an
// empty text.
bool HasEmptyLine(const ExchangeOptions& options, int card) {
  if (options.orderEntryCount == 0) return true;
  if (options.orderEntryCount > 1) return false;
  int field = FindExchangeField(options, options.order[0]);
  char text[kExchangeTextSize];
  return field < 0 || g_reference.GetExchangeField(card, field, text) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char bookPath[kPathBufferSize];
  if (bookPath[0] == '\0') {
    MakeDataDirectory(g_options.dataDirectory, "round_trip");
    FUZZ_CHECK(BuildBookFilePath(bookPath, g_options.dataDirectory, kCardFileName));
    ScratchPath(g_options.path, ScratchFolder(), "exchange.txt");
  }
  FuzzInput input(data, size);
  bool listed[kExchangeFieldCount];
  PickColumns(input, g_options, listed);
  g_table.Clear();
  int cards = 1 + input.Byte() % kMostCards;
  for (int i = 0; i < cards; ++i) FillCard(input, g_table.m_cards[i]);
  g_table.m_nCardCount = cards;
  FUZZ_CHECK(SaveCardFile(bookPath, g_table) == 1);
  FUZZ_CHECK(g_reference.LoadBookFile(g_options.dataDirectory, 1) == 1);
  FUZZ_CHECK(g_reference.m_nBookCards == cards);

  RecordedMessages messages;
  FUZZ_CHECK(g_book.ExportCards(g_options, messages) == 1);
  g_table.Clear();
  g_table.MakeDefaultOwnerCard();
  FUZZ_CHECK(SaveCardFile(bookPath, g_table) == 1);
  FUZZ_CHECK(g_book.ImportCards(g_options, messages) == 1);
  FUZZ_CHECK(messages.count == 0);
  FUZZ_CHECK(g_book.LoadBookFile(g_options.dataDirectory, 1) == 1);
  FUZZ_CHECK(g_book.m_nBookCards == 1 + g_book.m_nImported);

  int imported = 1;
  for (int card = 0; card < cards; ++card) {
    if (HasEmptyLine(g_options, card)) continue;
    FUZZ_CHECK(imported < g_book.m_nBookCards);
    for (int field = 0; field < kExchangeFieldCount; ++field) {
      char expected[kExchangeTextSize];
      char found[kExchangeTextSize];
      if (listed[field]) {
        g_reference.GetExchangeField(card, field, expected);
      } else {
        strcpy(expected, IsTypeField(field) ? "0" : "");
      }
      g_book.GetExchangeField(imported, field, found);
      if (strcmp(expected, found) != 0 && g_options.delimiter == ',') BlankControlBytes(expected);
      if (strcmp(expected, found) != 0) {
        fprintf(stderr, "card %d, field %d: \"%s\" came back as \"%s\"\n", card, field, expected,
                found);
        FUZZ_CHECK(!"every listed field comes back");
      }
    }
    ++imported;
  }
  FUZZ_CHECK(imported == g_book.m_nBookCards);
  return 0;
}
