#include "search/card_search.h"

#include <stdio.h>
#include <string.h>

#include "cards/card_file.h"
#include "cards/safe_file.h"
#include "search/phone_rule.h"
#include "search/searched_fields.h"
#include "search/word_rule.h"

const char kUnsupportedSearchModeLine[] = "非対応の検索モードです。";

namespace {

// The fields of a telephone search, in the order in which they are tried:
// the postal code and the three numbers.
constexpr int kPhoneFieldOrders[] = {3, 5, 6, 7};

// A NUL inside a field ends its text; it is looked for only where a word
// was found.
bool FoundInField(const char* field, size_t length, const SearchWords& words) {
  if (!words.FoundIn(field, length)) return false;
  size_t text = strnlen(field, length);
  return text == length || words.FoundIn(field, text);
}

const char* FirstTextMatch(const SearchedLine& line, const SearchWords& words) {
  for (int order = 0; order < kSearchedFieldCount; ++order) {
    if (FoundInField(line.field[order], line.length[order], words)) return line.field[order];
  }
  return nullptr;
}

const char* FirstPhoneMatch(const SearchedLine& line, const PhoneKey& key) {
  for (int order : kPhoneFieldOrders) {
    if (key.FoundIn(line.field[order])) return line.field[order];
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
  // A pipe or a device in place of the card file is refused, not waited on.
  FileProblem problem;
  FILE* file = OpenFileForReading(path, problem);
  if (file == nullptr) return;
  const PhoneKey phoneKey(mode == kPhoneSearch ? text : "");
  const SearchWords words(text);
  CardLineReader reader(file);
  SearchedLine fields;
  char result[kSearchResultSize];
  if (reader.Next() >= 0) {  // the heading line
    while (!sink.StopRequested()) {
      int length = reader.Next();
      if (length < 0) break;
      char* line = reader.Text();
      if (length > 0 && line[length - 1] == '\n') --length;
      if (length == 0) continue;
      CutSearchedLine(line, length, fields);
      const char* match =
          mode == kPhoneSearch ? FirstPhoneMatch(fields, phoneKey) : FirstTextMatch(fields, words);
      result[0] = '\0';
      if (match != nullptr) {
        snprintf(result, sizeof result, "%s (%s) [ %s ] : \"%s\"", fields.field[0], fields.field[1],
                 fields.field[2], match);
      }
      sink.Result(result);
    }
  }
  fclose(file);
}
