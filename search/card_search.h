// The search of the saved card file: one result line per card line, either
// the card's name, reading and group with the first matching field, or an
// empty line for a card that does not match; and the text fields of a card
// line that it looks at, in the order in which they are tried.
#pragma once

#include <stddef.h>

#include "cards/card_line.h"
#include "cards/card_record.h"

// The searched fields by their order: name, reading, group, postal code and
// address, then the phone numbers, the mail addresses and the memo.
constexpr int kPostalCodeOrder = 3;
constexpr int kFirstPhoneOrder = 5;
constexpr int kFirstMailOrder = kFirstPhoneOrder + kPhoneSlots;
constexpr int kMemoOrder = kFirstMailOrder + kMailSlots;
constexpr int kSearchedFieldCount = kMemoOrder + 1;

// The searched fields of one card line as they stand in it, each the raw
// text up to its tab; a field is read up to its first NUL, which may come
// before its length.
struct SearchedLine {
  const char* field[kSearchedFieldCount];
  size_t length[kSearchedFieldCount];
};

// Cuts the tab-ended fields up to the memo of line[0..length) (the line end
// removed; line[length] must be readable) in place: each searched field is
// ended by a NUL written over its tab. A field that the line does not hold,
// and every one after it, is empty.
void CutSearchedLine(char* line, int length, SearchedLine& fields);

// Cuts the same fields of line[0..length) (line[length] must be readable)
// into card, each cut to the record's width at a character boundary.
void CutSearchedFields(const char* line, int length, CardRecord& card);

// The searched field of the given order, 0 (the name) to kMemoOrder.
const char* SearchedField(const CardRecord& card, int order);

constexpr int kTextSearch = 0;
constexpr int kPhoneSearch = 1;
// Kana, width and case folded, and romaji on the reading (読み・かな).
constexpr int kFoldSearch = 2;

inline bool IsServedSearchMode(int mode) {
  return mode == kTextSearch || mode == kPhoneSearch || mode == kFoldSearch;
}

// The one line that answers a search mode that is not served.
extern const char kUnsupportedSearchModeLine[];

// "%s (%s) [ %s ] : \"%s\"" with every field whole: the name, reading and
// group together, and the matching field, each at most a whole line.
constexpr size_t kSearchResultSize = 2 * kLineBufferSize + 13 + 1;

// Where the result lines go, and who can stop the search between cards.
class SearchSink {
 public:
  // Asked before each line of the file after the heading.
  virtual bool StopRequested() = 0;
  // One result line, empty for a card that does not match; valid only
  // during the call.
  virtual void Result(const char* line) = 0;

 protected:
  ~SearchSink() = default;
};

// Searches the card file at path (null: none) for text in the given mode,
// a folded search with foldFlags (kFoldDropVoicing). A file that cannot be
// opened gives no line; an unsupported mode gives kUnsupportedSearchModeLine
// alone and reads nothing.
void SearchCardFile(const char* path, int mode, const char* text, SearchSink& sink,
                    unsigned foldFlags = 0);
