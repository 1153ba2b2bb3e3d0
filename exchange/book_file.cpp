#include <stdio.h>
#include <string.h>

#include "cards/card_file.h"
#include "cards/card_line.h"
#include "cards/safe_file.h"
#include "exchange/exchange_book.h"
#include "text/text_helpers.h"

namespace {

const char kCannotOpenBook[] = "アドレス帳ファイルを開けませんでした！";
const char kCannotWriteBook[] = "アドレス帳ファイルに書き込めませんでした！";

// Only the exchanged fields; the dates and the count that follow on the
// line are left empty.
void ParseExchangedFields(ExchangeBook& book, int card, const char* line, int length) {
  const char* cursor = line;
  int remaining = length;
  for (int field = 0; field < kExchangeFieldCount; ++field) {
    int d = FindSeparator(cursor, remaining, '\t');
    if (d < 0) continue;
    book.SetExchangeField(card, field, cursor, static_cast<size_t>(d));
    cursor += d + 1;
    remaining -= d + 1;
  }
}

// Copies the card file into the new one; false when it cannot be read.
// The new file ends in a line end, and holds a heading line, whatever the
// old one lacked, so that no appended card is lost to either.
bool CopyOldFile(FILE* old, SafeFileWriter& out) {
  char chunk[4096];
  size_t total = 0;
  char last = '\n';
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, old)) > 0) {
    out.Write(chunk, n);
    total += n;
    last = chunk[n - 1];
  }
  if (ferror(old)) return false;
  if (total == 0) {
    out.WriteLine(kCardFileHeading);
  } else if (last != '\n') {
    out.Write("\r\n", 2);
  }
  return true;
}

}  // namespace

FILE* OpenBookFile(const char* dataDirectory, char (&path)[kPathBufferSize]) {
  FileProblem problem = FileProblem::kNone;
  if (!BuildBookFilePath(path, dataDirectory, kCardFileName)) return nullptr;
  return OpenFileForReading(path, problem);
}

int ExchangeBook::LoadBookFile(const char* dataDirectory, int parse) {
  m_nBookCards = 0;
  memset(m_book, 0, sizeof m_book);
  char path[kPathBufferSize];
  FILE* file = OpenBookFile(dataDirectory, path);
  if (file == nullptr) return 0;
  CardLineReader lines(file);
  if (lines.Next() >= 0) {  // the heading line
    for (;;) {
      int length = lines.Next();
      if (length < 0) break;
      if (length < kMinCardLineBytes) continue;
      if (m_nBookCards >= kMaxCards) break;
      if (parse == 1) ParseExchangedFields(*this, m_nBookCards, lines.Text(), length);
      ++m_nBookCards;
    }
  }
  bool read = !ferror(file);
  fclose(file);
  return read ? 1 : 0;
}

int ExchangeBook::AppendImportedCards(const char* dataDirectory, int count,
                                      ExchangeMessages& messages) {
  char path[kPathBufferSize];
  FILE* old = OpenBookFile(dataDirectory, path);
  if (old == nullptr) {
    messages.Tell(kCannotOpenBook, kExchangeStop);
    return 0;
  }
  SafeFileWriter out(path);
  if (!out.IsOpen()) {
    fclose(old);
    messages.Tell(kCannotOpenBook, kExchangeStop);
    return 0;
  }
  bool copied = CopyOldFile(old, out);
  fclose(old);
  if (!copied) {
    messages.Tell(kCannotOpenBook, kExchangeStop);
    return 0;  // the writer discards its new file
  }
  char line[kMaxCardLineBytes + 1];
  for (int i = 0; i < count && i < kCardSlots; ++i) {
    int length = FormatCardLine(m_book[i], line);
    out.Write(line, static_cast<size_t>(length - 1));
    out.Write("\r\n", 2);
  }
  if (!out.Commit()) {
    messages.Tell(kCannotWriteBook, kExchangeStop);
    return 0;
  }
  return 1;
}
