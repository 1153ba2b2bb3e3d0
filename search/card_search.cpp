#include "search/card_search.h"

#include <stdio.h>
#include <string.h>

#include "cards/card_fields.h"
#include "cards/card_file.h"
#include "cards/safe_file.h"
#include "search/folded_words.h"
#include "search/match_rules.h"
#include "text/byte_text.h"
#include "text/text_helpers.h"

const char kUnsupportedSearchModeLine[] = "非対応の検索モードです。";

namespace {

bool IsTextField(int n) {
  static CardRecord shape;  // only its layout is asked for
  return CardFieldAt(shape, n).kind == CardFieldKind::kText;
}

// Calls take(n, order, text, length) for each searched field, n being its
// place on the line; a field that the line does not hold has a null text.
template <typename Take>
void ForEachSearchedField(const char* line, int length, Take take) {
  const char* cursor = line;
  int remaining = length;
  bool cutting = true;
  // The dates and the count after the memo are never searched, nor the types.
  for (int n = 0, order = 0; n < kContentCardFields; ++n) {
    int d = cutting ? FindSeparator(cursor, remaining, '\t') : -1;
    cutting = d >= 0;
    if (IsTextField(n)) take(n, order++, cutting ? cursor : nullptr, cutting ? d : 0);
    if (cutting) {
      cursor += d + 1;
      remaining -= d + 1;
    }
  }
}

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

// A telephone search tries the postal code, then the numbers.
const char* FirstPhoneMatch(const SearchedLine& line, const PhoneKey& key) {
  if (key.FoundIn(line.field[kPostalCodeOrder])) return line.field[kPostalCodeOrder];
  for (int order = kFirstPhoneOrder; order < kFirstMailOrder; ++order) {
    if (key.FoundIn(line.field[order])) return line.field[order];
  }
  return nullptr;
}

constexpr int kReadingOrder = 1;

const char* FirstFoldedMatch(const SearchedLine& line, FoldedWords& words) {
  uint32_t fields = words.FieldsToSearch(line);
  for (int order = 0; order < kSearchedFieldCount; ++order) {
    if ((fields >> order & 1) != 0 &&
        words.FoundIn(line.field[order], line.length[order], order == kReadingOrder)) {
      return line.field[order];
    }
  }
  return nullptr;
}

// Sends the result line of each card line of the file after its heading,
// firstMatch(fields) giving the matching field or null.
template <typename FirstMatch>
void SearchLines(FILE* file, SearchSink& sink, FirstMatch firstMatch) {
  CardLineReader reader(file);
  SearchedLine fields;
  char result[kSearchResultSize];
  if (reader.Next() < 0) return;  // the heading line
  while (!sink.StopRequested()) {
    int length = reader.Next();
    if (length < 0) break;
    char* line = reader.Text();
    if (length > 0 && line[length - 1] == '\n') --length;
    if (length == 0) continue;
    CutSearchedLine(line, length, fields);
    const char* match = firstMatch(fields);
    result[0] = '\0';
    if (match != nullptr) {
      snprintf(result, sizeof result, "%s (%s) [ %s ] : \"%s\"", fields.field[0], fields.field[1],
               fields.field[2], match);
    }
    sink.Result(result);
  }
}

}  // namespace

void CutSearchedLine(char* line, int length, SearchedLine& fields) {
  ForEachSearchedField(line, length, [&](int, int order, const char* text, int bytes) {
    if (text == nullptr) {
      text = "";
    } else {
      line[text - line + bytes] = '\0';
    }
    fields.field[order] = text;
    fields.length[order] = static_cast<size_t>(bytes);
  });
}

void CutSearchedFields(const char* line, int length, CardRecord& card) {
  ForEachSearchedField(line, length, [&](int n, int, const char* text, int bytes) {
    CardField field = CardFieldAt(card, n);
    CopyCut(field.text, field.width, text == nullptr ? "" : text, static_cast<size_t>(bytes));
  });
}

const char* SearchedField(const CardRecord& card, int order) {
  switch (order) {
    case 0:
      return card.name;
    case 1:
      return card.reading;
    case 2:
      return card.group;
    case 3:
      return card.postalCode;
    case 4:
      return card.address;
    default:
      break;
  }
  if (order >= kFirstPhoneOrder && order < kFirstMailOrder) {
    return card.phones[order - kFirstPhoneOrder].number;
  }
  if (order >= kFirstMailOrder && order < kMemoOrder) {
    return card.mails[order - kFirstMailOrder].address;
  }
  return card.memo;
}

void SearchCardFile(const char* path, int mode, const char* text, SearchSink& sink,
                    unsigned foldFlags) {
  if (!IsServedSearchMode(mode)) {
    sink.Result(kUnsupportedSearchModeLine);
    return;
  }
  if (text == nullptr) text = "";
  // A pipe or a device in place of the card file is refused, not waited on.
  FileProblem problem;
  FILE* file = OpenFileForReading(path, problem);
  if (file == nullptr) return;
  if (mode == kPhoneSearch) {
    const PhoneKey key(text);
    SearchLines(file, sink,
                [&](const SearchedLine& fields) { return FirstPhoneMatch(fields, key); });
  } else if (mode == kFoldSearch) {
    FoldedWords words(text, foldFlags);
    SearchLines(file, sink,
                [&](const SearchedLine& fields) { return FirstFoldedMatch(fields, words); });
  } else {
    const SearchWords words(text);
    SearchLines(file, sink,
                [&](const SearchedLine& fields) { return FirstTextMatch(fields, words); });
  }
  fclose(file);
}
