#include <stdio.h>
#include <string.h>

#include "cards/card_line.h"
#include "cards/safe_file.h"
#include "exchange/block_out.h"
#include "exchange/book_file.h"
#include "exchange/exchange_book.h"
#include "exchange/exchange_fields.h"
#include "text/text_helpers.h"

namespace {

// Room for a text with every byte a doubled quote, and its quotes.
constexpr int kColumnSize = 2 * kExchangeTextSize + 3;

// A comma column is quoted when a bare one would not read back as itself:
// it holds a comma, begins with a quote (which the reader would take for
// quoting), or ends so that the comma after it would be hidden: by a
// backslash, or by a lone lead byte from a reader that pairs every lead
// byte with the byte after it. Quotes are read byte by byte.
bool NeedsQuotes(const char* text, int length, bool mayHoldComma) {
  if (text[0] == '"' || (mayHoldComma && FindSeparator(text, length, ',') >= 0)) return true;
  return HidesNextSeparator(text, static_cast<size_t>(length), ',');
}

// The column of text[0..length) (no NUL in it, text[length] readable) as it
// stands in the line, written into out (kColumnSize bytes); returns its
// length. mayHoldComma false says that the text holds no comma.
int FormatColumn(const char* text, int length, char delimiter, bool mayHoldComma, char* out) {
  if (delimiter == ',' && !NeedsQuotes(text, length, mayHoldComma)) {
    memcpy(out, text, static_cast<size_t>(length));
    return length;
  }
  char field[kExchangeTextSize];
  for (int i = 0; i < length; ++i) {
    // The reader ends a quoted column at any control byte and takes the
    // rest for the next column, which shifts every later field of the
    // card; a blank in its place keeps them where they belong.
    bool control = delimiter == ',' && static_cast<unsigned char>(text[i]) < 0x20;
    field[i] = control ? ' ' : text[i];
  }
  field[length] = '\0';
  if (delimiter == ',') {
    QuoteField(field, out);
    return static_cast<int>(strlen(out));
  }
  // The card file's own rule keeps a tab column from hiding the next tab.
  return static_cast<int>(AppendLineField(out, field, static_cast<size_t>(length) + 2, '\t'));
}

// The columns of the export in order: each order-list entry's exchange
// field number, -1 for an empty column.
class ExportColumns {
 public:
  explicit ExportColumns(const ExchangeOptions& options)
      : m_options(options), m_nEntries(OrderEntries(options)) {
    for (int i = 0; i < m_nEntries; ++i) {
      const char* entry = options.order[i];
      m_anFields[i] = IsBlankEntry(entry) ? -1 : FindExchangeField(options, entry);
      m_anWidths[i] = ExchangeTextWidth(m_anFields[i]);
    }
  }

  void WriteHeading(BlockOut& out) const {
    for (int i = 0; i < m_nEntries; ++i) {
      if (i > 0) out.Put(m_options.delimiter);
      out.Write(m_options.order[i], strlen(m_options.order[i]));
    }
    out.Write("\r\n", 2);
  }

  // A card's line, built in the block, from a card of the book or from a
  // line of the card file.
  void WriteCard(const CardRecord& card, BlockOut& out) const {
    WriteLine(out, true, [&](int i, char(&number)[kNumberTextSize], int& length) {
      return ExchangeFieldText(card, m_anFields[i], number, length);
    });
  }
  void WriteCard(const CardLineFields& line, BlockOut& out) const {
    WriteLine(out, line.HoldsComma(), [&](int i, char(&number)[kNumberTextSize], int& length) {
      return line.Text(m_anFields[i], m_anWidths[i], number, length);
    });
  }

 private:
  template <typename TextOf>
  void WriteLine(BlockOut& out, bool mayHoldComma, TextOf textOf) const {
    char number[kNumberTextSize];
    for (int i = 0; i < m_nEntries; ++i) {
      // The column after its delimiter, in one piece of the block.
      char* column = out.Room(kColumnSize + 1);
      size_t used = 0;
      if (i > 0) column[used++] = m_options.delimiter;
      int length = 0;
      const char* text = m_anFields[i] < 0 ? "" : textOf(i, number, length);
      if (length > 0) {
        used += static_cast<size_t>(
            FormatColumn(text, length, m_options.delimiter, mayHoldComma, column + used));
      }
      out.Grow(used);
    }
    out.Write("\r\n", 2);
  }

  const ExchangeOptions& m_options;
  int m_nEntries;
  int m_anFields[kMaxOrderEntries];
  size_t m_anWidths[kMaxOrderEntries];
};

const char kCannotCreateExport[] = "エクスポートファイルを作成できませんでした！";

class QuietMessages : public ExchangeMessages {
 public:
  void Tell(const char*, ExchangeIcon) override {}
};

// Whether the export may write options.path; messages, when given, are
// told why not.
bool ExportAllowed(const ExchangeOptions& options, ExchangeMessages* messages) {
  QuietMessages quiet;
  ExchangeMessages& tell = messages != nullptr ? *messages : quiet;
  if (options.path[0] == '\0') {
    tell.Tell("エクスポートファイルを設定して下さい。", kExchangeStop);
    return false;
  }
  return DelimiterChosen(options, tell) &&
         !RefuseBookFile(options.dataDirectory, options.path, tell);
}

}  // namespace

bool RefuseBookFile(const char* dataDirectory, const char* path, ExchangeMessages& messages) {
  char bookFile[kPathBufferSize];
  if (!NamesBookFile(dataDirectory, path, bookFile)) return false;
  char text[kPathBufferSize + 128];
  snprintf(text, sizeof text, "アドレス帳のファイル「%s」にはエクスポートできません。", bookFile);
  messages.Tell(text, kExchangeStop);
  return true;
}

int ExchangeBook::ExportCards(const ExchangeOptions& options, ExchangeMessages& messages) {
  // The card file is taken a card at a time while the export is written. A
  // book that cannot be read fails without a message, before anything that
  // the user would be told.
  BookCardLines lines(options.dataDirectory);
  if (!lines.IsOpen()) return 0;
  if (!ExportAllowed(options, nullptr)) {
    if (lines.ReadToEnd()) ExportAllowed(options, &messages);
    return 0;
  }
  // Written beside the export file, which a failure leaves as it was.
  SafeFileWriter file(options.path);
  if (!file.IsOpen()) {
    if (lines.ReadToEnd()) messages.Tell(kCannotCreateExport, kExchangeExclamation);
    return 0;
  }
  BlockToWriter out(file, m_achBlock, sizeof m_achBlock);
  const ExportColumns columns(options);
  if (options.heading) columns.WriteHeading(out);
  CardLineFields fields;
  for (int length; (length = lines.Next()) >= 0;) {
    fields.Cut(lines.Text(), length);
    columns.WriteCard(fields, out);
  }
  out.Flush();
  if (!lines.ReadToEnd()) return 0;  // the writer discards its new file
  if (!file.Commit()) {
    // A full disk must not pass for a finished export.
    TellFailedWrite(kCannotCreateExport, kExchangeExclamation, file, messages);
    return 0;
  }
  return 1;
}

int ExchangeBook::ExportCardsTo(FILE* stream, const ExchangeOptions& options,
                                ExchangeMessages& messages) {
  if (!LoadBookFile(options.dataDirectory, 1)) return 0;
  if (!DelimiterChosen(options, messages)) return 0;
  BlockToStream out(stream, m_achBlock, sizeof m_achBlock);
  const ExportColumns columns(options);
  if (options.heading) columns.WriteHeading(out);
  for (int card = 0; card < m_nBookCards; ++card) columns.WriteCard(m_book[card], out);
  out.Flush();
  if (fflush(stream) != 0 || ferror(stream)) {
    messages.Tell(kCannotCreateExport, kExchangeExclamation);
    return 0;
  }
  return 1;
}
