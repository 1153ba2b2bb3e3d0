#include "exchange/exchange_fields.h"

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

bool IsCardIndex(int card) { return card >= 0 && card < kCardSlots; }

// Where an exchanged field stands in every card: the layout is read once,
// since an exchange stores or writes every field of every card.
struct FieldPlace {
  size_t offset = 0;
  size_t width = 0;  // of a text; 0 for a type
  bool known = false;
};

const FieldPlace& PlaceOf(int field) {
  static const struct Places {
    Places() {
      static CardRecord shape;
      const char* base = reinterpret_cast<const char*>(&shape);
      for (int i = 0; i < kExchangeFieldCount; ++i) {
        CardField ref = CardFieldAt(shape, i);
        const char* at = ref.text != nullptr ? ref.text : reinterpret_cast<const char*>(ref.number);
        of[i] = {static_cast<size_t>(at - base), ref.text != nullptr ? ref.width : 0, true};
      }
    }
    FieldPlace of[kExchangeFieldCount];
    FieldPlace unknown;
  } kPlaces;
  return field >= 0 && field < kExchangeFieldCount ? kPlaces.of[field] : kPlaces.unknown;
}

}  // namespace

size_t ExchangeTextWidth(int field) { return PlaceOf(field).width; }

int StoreExchangeField(CardRecord& card, int field, const char* text, size_t length) {
  const FieldPlace& place = PlaceOf(field);
  if (!place.known) return 0;
  char* at = reinterpret_cast<char*>(&card) + place.offset;
  if (place.width == 0) {
    // A column without digits leaves the type as it was.
    int32_t value = ParseDecimal(text, text + length);
    memcpy(at, &value, sizeof value);
    return 0;
  }
  if (length < place.width) {
    memcpy(at, text, length);
    at[length] = '\0';
    return 0;
  }
  return CopyCut(at, place.width, text, length) < length ? 1 : 0;
}

const char* ExchangeFieldText(const CardRecord& card, int field, char (&number)[kNumberTextSize],
                              int& length) {
  const FieldPlace& place = PlaceOf(field);
  const char* at = reinterpret_cast<const char*>(&card) + place.offset;
  length = 0;
  if (!place.known) return "";
  if (place.width == 0) {
    int32_t value;
    memcpy(&value, at, sizeof value);
    length = FormatDecimal(value, number);
    return number;
  }
  // Every text is stored with its NUL inside its width.
  length = static_cast<int>(strnlen(at, place.width));
  return at;
}

int ExchangeBook::GetExchangeField(int card, int field, char* out) const {
  out[0] = '\0';
  if (!IsCardIndex(card)) return 0;
  char number[kNumberTextSize];
  int length = 0;
  const char* text = ExchangeFieldText(m_book[card], field, number, length);
  static_assert(
      kNumberTextSize <= kExchangeTextSize && sizeof(CardRecord::memo) <= kExchangeTextSize,
      "every field fits");
  memcpy(out, text, static_cast<size_t>(length));
  out[length] = '\0';
  return length;
}

int ExchangeBook::SetExchangeField(int card, int field, const char* text, size_t length) {
  if (!IsCardIndex(card)) return 0;
  return StoreExchangeField(m_book[card], field, text, length);
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
