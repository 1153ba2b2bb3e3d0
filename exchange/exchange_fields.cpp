#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "cards/card_fields.h"
#include "cards/card_line.h"
#include "exchange/exchange_book.h"
#include "text/byte_text.h"

const char* const kExchangeFieldNames[kExchangeFieldCount] = {
    "名前",      "読み",          "ｸﾞﾙｰﾌﾟ",    "郵便番号",      "住所",      "電話番号種別1",
    "電話番号1", "電話番号種別2", "電話番号2", "電話番号種別3", "電話番号3", "メール種別1",
    "メール1",   "メール種別2",   "メール2",   "メール種別3",   "メール3",   "メモ",
};

const char kFieldListErrorText[] = "エラー！";
const char kBlankEntryText[] = " ";

namespace {

// The exchange numbers are the card line's own, up to the memo.
static_assert(kExchangeFieldCount == kContentCardFields, "exchange fields end at the memo");

CardField FieldOf(CardRecord& card, int field) {
  if (field < 0 || field >= kExchangeFieldCount) return {CardFieldKind::kNone, nullptr, 0, nullptr};
  return CardFieldAt(card, field);
}

bool IsCardIndex(int card) { return card >= 0 && card < kCardSlots; }

}  // namespace

int ExchangeBook::GetExchangeField(int card, int field, char* out) const {
  out[0] = '\0';
  if (!IsCardIndex(card)) return 0;
  CardField ref = FieldOf(const_cast<CardRecord&>(m_book[card]), field);
  if (ref.number != nullptr) return snprintf(out, kExchangeTextSize, "%d", *ref.number);
  if (ref.text == nullptr) return 0;
  return static_cast<int>(CopyCutString(out, kExchangeTextSize, ref.text));
}

int ExchangeBook::SetExchangeField(int card, int field, const char* text, size_t length) {
  if (!IsCardIndex(card)) return 0;
  CardField ref = FieldOf(m_book[card], field);
  if (ref.number != nullptr) {
    // A column without digits leaves the type as it was.
    *ref.number = ParseDecimal(text, text + length);
    return 0;
  }
  if (ref.text == nullptr) return 0;
  return CopyCut(ref.text, ref.width, text, length) < length ? 1 : 0;
}

int FindExchangeField(const ExchangeOptions& options, const char* entryText) {
  if (strcmp(entryText, kBlankEntryText) == 0) return -1;
  for (int i = 0; i < options.fieldCount && i < kExchangeFieldCount; ++i) {
    if (strcmp(options.fields[i], entryText) == 0) return i;
  }
  return -1;
}

bool AddOrderEntry(ExchangeOptions& options, const char* entryText) {
  if (options.orderEntryCount < 0 || options.orderEntryCount >= kMaxOrderEntries) return false;
  CopyCutString(options.order[options.orderEntryCount++], entryText);
  return true;
}
