#include "search/card_search.h"

#include <stdio.h>

#include "cards/card_file.h"
#include "search/phone_rule.h"
#include "search/searched_fields.h"
#include "search/word_rule.h"

const char kUnsupportedSearchModeLine[] = "非対応の検索モードです。";

namespace {

// The fields of a telephone search, in the order in which they are tried:
// the postal code and the three numbers.
constexpr int kPhoneFieldOrders[] = {3, 5, 6, 7};

const char* FirstTextMatch(const CardRecord& card, const char* text) {
  for (int order = 0; order < kSearchedFieldCount; ++order) {
    const char* field = SearchedField(card, order);
    if (MatchesSearchWords(field, text)) return field;
  }
  return nullptr;
}

const char* FirstPhoneMatch(const CardRecord& card, const PhoneKey& key) {
  for (int order : kPhoneFieldOrders) {
    const char* field = SearchedField(card, order);
    if (key.FoundIn(field)) return field;
  }
  return nullptr;
}

}  // namespace

void SearchCardFile(const char* path, int mode, const char* text, SearchSink& sink) {
  if (!IsServedSearchMode(mode)) {
    sink.Result(kUnsupportedSearchModeLine);
    return;
  }
  if (text == nullptr) text = "";
  FILE* file = (path != nullptr && path[0] != '\0') ? fopen(path, "rb") : nullptr;
  if (file == nullptr) return;
  const PhoneKey phoneKey(mode == kPhoneSearch ? text : "");
  CardLineReader reader(file);
  CardRecord card = {};
  char result[kSearchResultSize];
  if (reader.Next() >= 0) {  // the heading line
    while (!sink.StopRequested()) {
      int length = reader.Next();
      if (length < 0) break;
      if (length > 0 && reader.Text()[length - 1] == '\n') --length;
      if (length == 0) continue;
      CutSearchedFields(reader.Text(), length, card);
      const char* match =
          mode == kPhoneSearch ? FirstPhoneMatch(card, phoneKey) : FirstTextMatch(card, text);
      result[0] = '\0';
      if (match != nullptr) {
        snprintf(result, sizeof result, "%s (%s) [ %s ] : \"%s\"", card.name, card.reading,
                 card.group, match);
      }
      sink.Result(result);
    }
  }
  fclose(file);
}
