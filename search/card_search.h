// The search of the saved card file: one result line per card line, either
// the card's name, reading and group with the first matching field, or an
// empty line for a card that does not match.
#pragma once

#include <stddef.h>

#include "cards/card_line.h"

constexpr int kTextSearch = 0;
constexpr int kPhoneSearch = 1;

inline bool IsServedSearchMode(int mode) { return mode == kTextSearch || mode == kPhoneSearch; }

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

// Searches the card file at path (null: none) for text in the given mode.
// A file that cannot be opened gives no line; an unsupported mode gives
// kUnsupportedSearchModeLine alone and reads nothing.
void SearchCardFile(const char* path, int mode, const char* text, SearchSink& sink);
