#include <stdio.h>
#include <string.h>

#include "cards/card_line.h"
#include "cards/safe_file.h"
#include "cards/whole_line.h"
#include "exchange/block_out.h"
#include "exchange/book_file.h"
#include "exchange/exchange_book.h"
#include "exchange/import_records.h"
#include "text/text_helpers.h"

namespace {

// Whether a line holds nothing but its line end.
bool IsEmptyLine(const char* line, int length) {
  for (int i = 0; i < length; ++i) {
    if (line[i] != '\n' && line[i] != '\r') return false;
  }
  return true;
}

const char kCardLimitReached[] = "登録可能最大件数を超えました。\n残りはインポートされません。";

// Where the next column of a line ends.
struct Column {
  int length;       // bytes of its text
  bool lastOfLine;  // no delimiter followed it
};

Column TakeColumn(char* cursor, int& rest, char delimiter) {
  if (delimiter == ',' && cursor[0] == '"') {
    int n = UnquoteField(cursor, rest, ',');
    if (n >= 0) {
      // The field's quotes are gone: the rest of the line moved up.
      rest = static_cast<int>(strnlen(cursor, static_cast<size_t>(rest)));
      bool last = n >= rest || cursor[n] == '\n' || cursor[n] == '\0';
      return {n, last};
    }
  }
  int d = FindSeparator(cursor, rest, delimiter);
  if (d >= 0) return {d, false};
  int length = rest;
  if (length > 0 && cursor[length - 1] == '\n') --length;
  return {length, true};
}

// Fills card n of the book from one line; returns what was wrong with it.
unsigned ReadCardLine(ExchangeBook& book, int n, char* line, int length,
                      const ExchangeOptions& options, const int* fields) {
  unsigned problems = 0;
  char* cursor = line;
  int rest = length;
  bool ended = false;
  const int entries = OrderEntries(options);
  for (int i = 0; i < entries; ++i) {
    if (ended) {
      problems |= kImportFewerColumns;
      break;
    }
    Column column = TakeColumn(cursor, rest, options.delimiter);
    if (fields[i] >= 0 &&
        book.SetExchangeField(n, fields[i], cursor, static_cast<size_t>(column.length))) {
      problems |= kImportTextCut;
    }
    ended = column.lastOfLine;
    if (!ended) {
      cursor += column.length + 1;
      rest -= column.length + 1;
    }
  }
  if (!ended) problems |= kImportMoreColumns;
  return problems;
}

}  // namespace

int ExchangeBook::RunImport(const ExchangeOptions& options, ExchangeMessages& messages,
                            ImportReport* report) {
  m_nImported = 0;
  if (options.path[0] == '\0') {
    messages.Tell("インポートファイルを設定して下さい。", kExchangeStop);
    return 0;
  }
  if (!DelimiterChosen(options, messages)) return 0;
  // A pipe or a device is refused rather than waited on.
  FileProblem problem = FileProblem::kNone;
  FILE* file = OpenFileForReading(options.path, problem);
  if (file == nullptr) {
    messages.Tell("インポートファイルを開けませんでした！", kExchangeExclamation);
    return 0;
  }
  // Each line of the file, however long, is one line here: a longer one
  // keeps its beginning and its line feed. A quoted cell of several lines
  // makes one record of them.
  WholeLineReader lines(file, kRecordBytes, LineEndRule::kMostCommon);
  ImportRecords records(lines, options.delimiter == ',', m_achRecord, m_achAhead);
  // The heading is never matched against the columns: it is skipped whole.
  if (options.heading) records.SkipLine();
  // The card file is read once: its cards are counted as its bytes go into
  // the new file that the imported cards will be appended to, which
  // replaces it only once whole. A trial writes nothing.
  char bookPath[kPathBufferSize];
  FILE* book = OpenBookFile(options.dataDirectory, bookPath);
  if (book == nullptr) {
    fclose(file);
    return 0;
  }
  SafeFileWriter grown(report == nullptr ? bookPath : nullptr);
  CardLineCounter counter;
  bool read = CopyCardFile(book, report == nullptr ? &grown : nullptr, &counter, m_achBlock,
                           sizeof m_achBlock);
  fclose(book);
  if (!read) {
    fclose(file);
    return 0;
  }
  m_nBookCards = counter.Finish();
  // Each card's line follows the copy while its card is at hand.
  BlockToWriter appended(grown, m_achBlock, sizeof m_achBlock);
  int fields[kMaxOrderEntries];
  for (int i = 0; i < OrderEntries(options); ++i) {
    fields[i] = FindExchangeField(options, options.order[i]);
  }
  int n = 0;
  bool limitReached = false;
  for (int length; (length = records.Next()) >= 0;) {
    const long lineNumber = records.LineNumber();
    if (IsEmptyLine(records.Text(), length)) continue;
    if (m_nBookCards + n >= kMaxCards) {
      limitReached = true;
      if (report == nullptr) break;
      report->LineProblems(lineNumber, kImportOverCardLimit);
      continue;
    }
    memset(&m_book[n], 0, sizeof m_book[n]);
    m_anCardLine[n] = lineNumber;
    unsigned problems = ReadCardLine(*this, n, records.Text(), length, options, fields);
    if (records.Overflowed()) problems |= kImportTextCut;
    if (report != nullptr && problems != 0) report->LineProblems(lineNumber, problems);
    if (report == nullptr) PutCardLine(appended, m_book[n]);
    ++n;
  }
  fclose(file);
  appended.Flush();
  if (limitReached) messages.Tell(kCardLimitReached, kExchangeInformation);
  if (report == nullptr && n > 0 && !CommitAppend(grown, messages)) return 0;
  m_nImported = n;
  return 1;
}

int ExchangeBook::ImportCards(const ExchangeOptions& options, ExchangeMessages& messages) {
  return RunImport(options, messages, nullptr);
}

int ExchangeBook::TryImportCards(const ExchangeOptions& options, ExchangeMessages& messages,
                                 ImportReport& report) {
  return RunImport(options, messages, &report);
}
