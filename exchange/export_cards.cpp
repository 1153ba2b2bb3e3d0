#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "cards/card_line.h"
#include "cards/safe_file.h"
#include "exchange/exchange_book.h"
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

// Where an export's bytes go: the new file beside the export file, or a
// stream the caller opened.
class ExportOut {
 public:
  virtual void Write(const char* bytes, size_t length) = 0;
  void Put(char c) { Write(&c, 1); }
  void Text(const char* text) { Write(text, strlen(text)); }

 protected:
  ~ExportOut() = default;
};

class WriterOut : public ExportOut {
 public:
  explicit WriterOut(SafeFileWriter& writer) : m_writer(writer) {}
  void Write(const char* bytes, size_t length) override { m_writer.Write(bytes, length); }

 private:
  SafeFileWriter& m_writer;
};

class StreamOut : public ExportOut {
 public:
  explicit StreamOut(FILE* stream) : m_pStream(stream) {}
  void Write(const char* bytes, size_t length) override { fwrite(bytes, 1, length, m_pStream); }
  bool Finish() { return fflush(m_pStream) == 0 && !ferror(m_pStream); }

 private:
  FILE* m_pStream;
};

void WriteHeading(ExportOut& out, const ExchangeOptions& options) {
  for (int i = 0; i < OrderEntries(options); ++i) {
    if (i > 0) out.Put(options.delimiter);
    out.Text(options.order[i]);
  }
  out.Write("\r\n", 2);
}

// Writes the heading and the cards of m_book.
void WriteExport(const ExchangeBook& book, ExportOut& out, const ExchangeOptions& options) {
  int fields[kMaxOrderEntries];
  const int entries = OrderEntries(options);
  for (int i = 0; i < entries; ++i) {
    fields[i] = IsBlankEntry(options.order[i]) ? -1 : FindExchangeField(options, options.order[i]);
  }
  if (options.heading) WriteHeading(out, options);
  char text[kExchangeTextSize];
  char column[kColumnSize];
  for (int card = 0; card < book.m_nBookCards; ++card) {
    for (int i = 0; i < entries; ++i) {
      if (i > 0) out.Put(options.delimiter);
      if (fields[i] < 0) continue;
      int length = book.GetExchangeField(card, fields[i], text);
      if (length == 0) continue;
      length = FormatColumn(text, length, options.delimiter, column);
      out.Write(column, static_cast<size_t>(length));
    }
    out.Write("\r\n", 2);
  }
}

// The book's own files, however the path spells them: an export there would
// put one column of names in place of the whole book.
bool RefuseBookFile(const ExchangeOptions& options, ExchangeMessages& messages) {
  for (const char* name : {kCardFileName, kGroupFileName}) {
    char bookFile[kPathBufferSize];
    if (!BuildBookFilePath(bookFile, options.dataDirectory, name)) continue;
    if (!IsSameFile(options.path, bookFile)) continue;
    char text[kPathBufferSize + 128];
    snprintf(text, sizeof text, "アドレス帳のファイル「%s」にはエクスポートできません。", bookFile);
    messages.Tell(text, kExchangeStop);
    return true;
  }
  return false;
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
  if (RefuseBookFile(options, messages)) return 0;
  // Written beside the export file, which a failure leaves as it was.
  SafeFileWriter file(options.path);
  if (!file.IsOpen()) {
    messages.Tell(kCannotCreateExport, kExchangeExclamation);
    return 0;
  }
  WriterOut out(file);
  WriteExport(*this, out, options);
  if (!file.Commit()) {
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
  StreamOut out(stream);
  WriteExport(*this, out, options);
  if (!out.Finish()) {
    messages.Tell(kCannotCreateExport, kExchangeExclamation);
    return 0;
  }
  return 1;
}
