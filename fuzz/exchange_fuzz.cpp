#include "fuzz/exchange_fuzz.h"

#include <stdio.h>
#include <string.h>

#include "cards/card_file.h"
#include "cards/card_line.h"
#include "fuzz/fuzz_support.h"

void RecordedMessages::Tell(const char* text, ExchangeIcon icon) {
  if (count < kKept) {
    texts[count] = text;
    icons[count] = icon;
  }
  ++count;
}

bool RecordedMessages::SameAs(const RecordedMessages& other) const {
  if (count != other.count) return false;
  for (int i = 0; i < count && i < kKept; ++i) {
    if (strcmp(texts[i], other.texts[i]) != 0 || icons[i] != other.icons[i]) return false;
  }
  return true;
}

void WriteSmallBook(const char* path, int cards, bool lastLineEnded) {
  FILE* file = fopen(path, "wb");
  FUZZ_CHECK(file != nullptr);
  fputs(kCardFileHeading, file);
  for (int i = 0; i < cards; ++i) {
    fprintf(file,
            "\r\nc%d\tr\tg\t100\taddress\t1\t03\t0\t\t0\t\t2\ta@b.c\t0\t\t0\t\tmemo\t"
            "2020/1/1  00:00\t2020/1/1  00:00\t%d",
            i, i);
  }
  if (lastLineEnded) fputs("\r\n", file);
  FUZZ_CHECK(fclose(file) == 0);
}

int CountCardLines(const char* path) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return -1;
  CardLineReader reader(file);
  int count = 0;
  if (reader.Next() >= 0) {
    for (int length; (length = reader.Next()) >= 0;) count += length >= kMinCardLineBytes;
  }
  fclose(file);
  return count;
}

void FillFieldList(ExchangeOptions& options) {
  options.fieldCount = kExchangeFieldCount;
  for (int i = 0; i < kExchangeFieldCount; ++i) {
    strcpy(options.fields[i], kExchangeFieldNames[i]);
  }
}
