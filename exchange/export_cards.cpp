#include <stdio.h>
#include <string.h>

#include "cards/line_field.h"
#include "exchange/exchange_book.h"
#include "exchange/exchange_checks.h"
#include "text/text_helpers.h"

namespace {

// Room for a text with every byte a doubled quote, and its quotes.
constexpr int kColumnSize = 2 * kExchangeTextSize + 3;

// A comma column is quoted when a bare one would not read back as itself:
// it holds a comma, begins with a quote (which the reader would take for
// quoting), or ends so that the comma after it would be hidden.
bool NeedsQuotes(const char* text, int length) {
  if (FindSeparator(text, length, ',') >= 0 || text[0] == '"') return true;
  char probe[kExchangeTextSize + 2];
  memcpy(probe, text, static_cast<size_t>(length));
  probe[length] = ',';
  probe[length + 1] = '\0';
  return FindSeparator(probe, length + 1, ',') != length;
}

// The column as it stands in the line; returns its length.
int FormatColumn(const char* text, int length, char delimiter, char (&out)[kColumnSize]) {
  if (delimiter == ',') {
    if (!NeedsQuotes(text, length)) {
      memcpy(out, text, static_cast<size_t>(length) + 1);
      return length;
    }
    // The reader ends a quoted column at any control byte and takes the rest
    // for the next column, which shifts every later field of the card; a
    // blank in its place keeps them where they belong.
    char quotable[kExchangeTextSize];
    for (int i = 0; i <= length; ++i) {
      bool control = text[i] != '\0' && static_cast<unsigned char>(text[i]) < 0x20;
      quotable[i] = control ? ' ' : text[i];
    }
    QuoteField(quotable, out);
    return static_cast<int>(strlen(out));
  }
  // The card file's own rule keeps a tab column from hiding the next tab.
  return static_cast<int>(AppendLineField(out, text, static_cast<size_t>(length) + 2, '\t'));
}

void WriteHeading(FILE* file, const ExchangeOptions& options) {
  for (int i = 0; i < OrderEntries(options); ++i) {
    if (i > 0) fputc(options.delimiter, file);
    fputs(options.order[i], file);
  }
  fputs("\r\n", file);
}

// Writes the heading and the cards of m_book; false when the stream failed.
bool WriteExport(const ExchangeBook& book, FILE* file, const ExchangeOptions& options) {
  int fields[kMaxOrderEntries];
  const int entries = OrderEntries(options);
  for (int i = 0; i < entries; ++i) {
    fields[i] = IsBlankEntry(options.order[i]) ? -1 : FindExchangeField(options, options.order[i]);
  }
  if (options.heading) WriteHeading(file, options);
  char text[kExchangeTextSize];
  char column[kColumnSize];
  for (int card = 0; card < book.m_nBookCards; ++card) {
    for (int i = 0; i < entries; ++i) {
      if (i > 0) fputc(options.delimiter, file);
      if (fields[i] < 0) continue;
      int length = book.GetExchangeField(card, fields[i], text);
      if (length == 0) continue;
      length = FormatColumn(text, length, options.delimiter, column);
      fwrite(column, 1, static_cast<size_t>(length), file);
    }
    fputs("\r\n", file);
  }
  return fflush(file) == 0 && !ferror(file);
}

const char kCannotCreateExport[] = "エクスポートファイルを作成できませんでした！";

}  // namespace

int ExchangeBook::ExportCards(const ExchangeOptions& options, ExchangeMessages& messages) {
  if (!LoadBookFile(options.dataDirectory, 1)) return 0;
  if (options.path[0] == '\0') {
    messages.Tell("エクスポートファイルを設定して下さい。", kExchangeStop);
    return 0;
  }
  if (!DelimiterChosen(options, messages)) return 0;
  FILE* file = fopen(options.path, "wb");
  if (file == nullptr) {
    messages.Tell(kCannotCreateExport, kExchangeExclamation);
    return 0;
  }
  bool written = WriteExport(*this, file, options);
  written = fclose(file) == 0 && written;
  if (!written) {
    // A full disk must not pass for a finished export.
    messages.Tell(kCannotCreateExport, kExchangeExclamation);
    return 0;
  }
  return 1;
}

int ExchangeBook::ExportCardsTo(FILE* stream, const ExchangeOptions& options,
                                ExchangeMessages& messages) {
  if (!LoadBookFile(options.dataDirectory, 1)) return 0;
  if (!DelimiterChosen(options, messages)) return 0;
  if (!WriteExport(*this, stream, options)) {
    messages.Tell(kCannotCreateExport, kExchangeExclamation);
    return 0;
  }
  return 1;
}
