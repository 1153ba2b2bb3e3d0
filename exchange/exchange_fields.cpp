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

bool DelimiterChosen(const ExchangeOptions& options, ExchangeMessages& messages) {
  if (options.delimiter == '\t' || options.delimiter == ',') return true;
  messages.Tell("区切り文字を一覧から選択して下さい。", kExchangeStop);
  return false;
}

int OrderEntries(const ExchangeOptions& options) {
  if (options.orderEntryCount < 0) return 0;
  return options.orderEntryCount < kMaxOrderEntries ? options.orderEntryCount : kMaxOrderEntries;
}

bool IsBlankEntry(const char* entryText) { return strcmp(entryText, kBlankEntryText) == 0; }

namespace {

bool IsPieceEnd(char c, bool first) {
  // A file read in text mode hands its lines over without the CR.
  if (c == '\t' || c == '\n' || c == '\r') return true;
  return !first && c == '|';
}

}  // namespace

int ReadFieldList(const char* dataDirectory, ExchangeOptions& options) {
  options.fieldCount = 0;
  char path[kPathBufferSize];
  FILE* file = OpenBookFile(dataDirectory, path);
  if (file == nullptr) {
    CopyCutString(options.fields[0], kFieldListErrorText);
    options.fieldCount = 1;
    return 0;
  }
  char line[kFieldNameSize] = {};
  if (fgets(line, sizeof line, file) == nullptr) line[0] = '\0';
  fclose(file);
  // The first name ends only at a tab, the later ones also at a bar; runs
  // of cut characters give no empty names.
  size_t i = 0;
  size_t length = strlen(line);
  while (i < length && options.fieldCount < kExchangeFieldCount) {
    bool first = options.fieldCount == 0;
    while (i < length && IsPieceEnd(line[i], first)) ++i;
    if (i >= length) break;
    size_t start = i;
    while (i < length && !IsPieceEnd(line[i], first)) ++i;
    CopyCut(options.fields[options.fieldCount++], kFieldNameSize, line + start, i - start);
  }
  return 1;
}
