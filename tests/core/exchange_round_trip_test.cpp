#include <gtest/gtest.h>
#include <string.h>

#include <random>
#include <string>

#include "cards/card_file.h"
#include "tests/core/exchange_fixture.h"
#include "text/byte_text.h"

namespace {

// Pieces that trouble delimited text: quotes, commas, backslashes, second
// bytes that are backslashes, lead bytes cut off, blanks.
const char* const kPieces[] = {"a", "\"",   ",",   "\\",   "\\\\", "ソ",   "表", "\x81",
                               " ", "\"\"", "\\,", "x,\"", "ｱ",    "漢字", ";",  "'"};

void FillText(std::mt19937& random, char* field, size_t width) {
  std::string text;
  int pieces = static_cast<int>(random() % 12);
  for (int i = 0; i < pieces; ++i) text += kPieces[random() % (sizeof kPieces / sizeof *kPieces)];
  if (random() % 8 == 0) text.append(width, 'w');  // longer than the field
  CopyCut(field, width, text.data(), text.size());
}

void MakeCard(std::mt19937& random, CardRecord& card) {
  memset(&card, 0, sizeof card);
  do FillText(random, card.name, sizeof card.name);
  while (card.name[0] == '\0');
  FillText(random, card.reading, sizeof card.reading);
  FillText(random, card.group, sizeof card.group);
  FillText(random, card.postalCode, sizeof card.postalCode);
  FillText(random, card.address, sizeof card.address);
  for (PhoneEntry& phone : card.phones) {
    phone.type = static_cast<int32_t>(random()) % 1000;
    FillText(random, phone.number, sizeof phone.number);
  }
  for (MailEntry& mail : card.mails) {
    mail.type = static_cast<int32_t>(random() % 3);
    FillText(random, mail.address, sizeof mail.address);
  }
  FillText(random, card.memo, sizeof card.memo);
}

class RoundTripTest : public ExchangeTest, public ::testing::WithParamInterface<char> {};

// Whatever the card file holds comes back field for field from an export
// and an import with the same columns and delimiter.
TEST_P(RoundTripTest, EveryFieldComesBackAsTheBookHeldIt) {
  static CardTable table;
  static ExchangeBook reference;
  std::vector<std::string> all(kExchangeFieldNames, kExchangeFieldNames + kExchangeFieldCount);
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    table.Clear();
    for (int i = 0; i < 240; ++i) MakeCard(random, table.m_cards[i]);
    table.m_nCardCount = 240;
    ASSERT_EQ(1, SaveCardFile(BookPath().c_str(), table));
    ASSERT_EQ(1, reference.LoadBookFile(m_options.dataDirectory, 1));
    ASSERT_EQ(240, reference.m_nBookCards);

    Columns(all, GetParam(), static_cast<int>(seed % 2));
    ASSERT_EQ(1, Export());
    std::vector<std::string> owner(1, "owner");
    PutBook({ExchangeCardLine(owner)});
    ASSERT_EQ(1, Import());
    ASSERT_EQ(240, m_book.m_nImported);
    Reload();
    ASSERT_EQ(241, m_book.m_nBookCards);
    for (int card = 0; card < 240; ++card) {
      for (int field = 0; field < kExchangeFieldCount; ++field) {
        char expected[kExchangeTextSize];
        reference.GetExchangeField(card, field, expected);
        ASSERT_EQ(expected, Field(card + 1, field))
            << "seed " << seed << ", card " << card << ", field " << field;
      }
    }
    EXPECT_TRUE(m_messages.told.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(BothDelimiters, RoundTripTest, ::testing::Values('\t', ','),
                         [](const ::testing::TestParamInfo<char>& info) {
                           return info.param == '\t' ? std::string("Tab") : std::string("Comma");
                         });

}  // namespace
