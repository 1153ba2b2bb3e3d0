// What the two exchange targets share: the messages and line problems the
// procedures report, and small books to import into.
#pragma once

#include <stdint.h>

#include "exchange/exchange_book.h"

class RecordedMessages : public ExchangeMessages {
 public:
  void Tell(const char* text, ExchangeIcon icon) override;
  bool SameAs(const RecordedMessages& other) const;

  static constexpr int kKept = 4;
  int count = 0;
  const char* texts[kKept] = {};
  ExchangeIcon icons[kKept] = {};
};

// Card lines that hold what their names say, for a book of a few cards.
void WriteSmallBook(const char* path, int cards, bool lastLineEnded);

// The lines of the card file that load as cards, past any limit; -1 when
// the file cannot be opened.
int CountCardLines(const char* path);

// The field list as the card file's own heading line names the fields.
void FillFieldList(ExchangeOptions& options);
