#include "exchange/book_file.h"

#include <stdio.h>
#include <string.h>

#include "cards/card_file.h"
#include "cards/card_line.h"
#include "cards/safe_file.h"
#include "exchange/block_out.h"
#include "exchange/exchange_book.h"
#include "exchange/exchange_fields.h"
#include "text/byte_text.h"
#include "text/text_helpers.h"

namespace {

const char kCannotOpenBook[] = "アドレス帳ファイルを開けませんでした！";
const char kCannotWriteBook[] = "アドレス帳ファイルに書き込めませんでした！";

}  // namespace

BookCardLines::BookCardLines(const char* dataDirectory)
    : m_pFile(OpenBookFile(dataDirectory, m_szPath)), m_lines(m_pFile) {}

BookCardLines::~BookCardLines() {
  if (m_pFile != nullptr) fclose(m_pFile);
}

int BookCardLines::Next() {
  if (m_pFile == nullptr) return -1;
  if (!m_bHeadingRead) {
    m_bHeadingRead = true;
    m_bDone = m_lines.Next() < 0;
  }
  while (!m_bDone) {
    int length = m_lines.Next();
    if (length < 0) break;
    if (length < kMinCardLineBytes) continue;
    if (m_nCards >= kMaxCards) break;
    ++m_nCards;
    return length;
  }
  m_bDone = true;
  return -1;
}

bool BookCardLines::ReadToEnd() {
  while (Next() >= 0) {
  }
  return m_pFile != nullptr && !ferror(m_pFile);
}

void CardLineFields::Cut(const char* line, int length) {
  const char* cursor = line;
  int remaining = length;
  for (m_nCount = 0; m_nCount < kExchangeFieldCount; ++m_nCount) {
    int d = FindSeparator(cursor, remaining, '\t');
    if (d < 0) break;
    m_apText[m_nCount] = cursor;
    m_anLength[m_nCount] = d;
    cursor += d + 1;
    remaining -= d + 1;
  }
  // Once a line, rather than once a field: most lines hold neither.
  const size_t extent = static_cast<size_t>(cursor - line);
  m_bComma = memchr(line, ',', extent) != nullptr;
  m_bNul = memchr(line, '\0', extent) != nullptr;
}

void CardLineFields::Store(CardRecord& card) const {
  for (int field = 0; field < m_nCount; ++field) {
    StoreExchangeField(card, field, m_apText[field], static_cast<size_t>(m_anLength[field]));
  }
}

namespace {

// Digits that read back as themselves: no sign, blank or leading zero, and
// within the int range.
bool IsPlainNumber(const char* text, int length) {
  if (length < 1 || length > 9 || (length > 1 && text[0] == '0')) return false;
  for (int i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

}  // namespace

const char* CardLineFields::CutText(int field, size_t width, char (&number)[kNumberTextSize],
                                    int& length) const {
  length = 0;
  if (field < 0 || field >= kExchangeFieldCount) return "";
  if (field >= m_nCount) {
    // What a cleared card holds.
    if (width > 0) return "";
    length = 1;
    return "0";
  }
  const char* text = m_apText[field];
  if (width == 0) {
    if (IsPlainNumber(text, m_anLength[field])) {
      length = m_anLength[field];
      return text;
    }
    length = FormatDecimal(ParseDecimal(text, text + m_anLength[field]), number);
    return number;
  }
  size_t kept = CharBoundaryPrefix(text, static_cast<size_t>(m_anLength[field]), width - 1);
  if (m_bNul) kept = strnlen(text, kept);
  length = static_cast<int>(kept);
  return text;
}

void ParseExchangedFields(const char* line, int length, CardRecord& card) {
  CardLineFields fields;
  fields.Cut(line, length);
  fields.Store(card);
}

void CardLineCounter::Lines::Take(const char* bytes, size_t count) {
  const char* const stop = bytes + count;
  for (const char* p = bytes; p < stop;) {
    const auto* found = static_cast<const char*>(memchr(p, end, static_cast<size_t>(stop - p)));
    const char* textEnd = found != nullptr ? found : stop;
    if (textEnd > p) {
      length += textEnd - p;
      last = textEnd[-1];
    }
    if (found == nullptr) return;
    End(true);
    p = found + 1;
  }
}

void CardLineCounter::Lines::End(bool ended) {
  long long text = length;
  if (ended && end == '\n' && text > 0 && last == '\r') --text;
  long long lineLength = ended ? text + 1 : text;
  // The first line is the heading.
  if (lines++ > 0 && lineLength >= kMinCardLineBytes) {
    if (cards < kMaxCards) {
      ++cards;
    } else {
      full = true;
    }
  }
  length = 0;
  last = 0;
}

void CardLineCounter::Take(const char* bytes, size_t count) {
  // CR line ends count only in a file that has no line feed at all.
  if (!m_bHasLf) {
    m_bHasLf = memchr(bytes, '\n', count) != nullptr;
    if (!m_bHasLf) m_cr.Take(bytes, count);
  }
  m_lf.Take(bytes, count);
}

int CardLineCounter::Finish() {
  Lines& lines = m_bHasLf ? m_lf : m_cr;
  // A last line without its line end is a line when it holds a byte.
  if (lines.length > 0) lines.End(false);
  return lines.cards;
}

namespace {

// Whether a line feed stands in the rest of the file, which is left where
// it was; a stream that cannot go back is read as line feed text, as the
// book's reader reads it.
bool LineFeedFollows(FILE* file) {
  long at = ftell(file);
  if (at < 0) return true;
  bool found = false;
  char chunk[4096];
  for (size_t n; !found && (n = fread(chunk, 1, sizeof chunk, file)) > 0;) {
    found = memchr(chunk, '\n', n) != nullptr;
  }
  return fseek(file, at, SEEK_SET) != 0 || found;
}

// The bytes with a line feed after each CR.
void WriteCrLines(SafeFileWriter& out, const char* bytes, size_t count) {
  const char* const stop = bytes + count;
  for (const char* p = bytes; p < stop;) {
    const auto* cr = static_cast<const char*>(memchr(p, '\r', static_cast<size_t>(stop - p)));
    const char* end = cr != nullptr ? cr + 1 : stop;
    out.Write(p, static_cast<size_t>(end - p));
    if (cr != nullptr) out.Write("\n", 1);
    p = end;
  }
}

}  // namespace

bool CopyCardFile(FILE* old, SafeFileWriter* out, CardLineCounter* counter, char* chunk,
                  size_t size) {
  size_t total = 0;
  char last = '\n';
  size_t n = fread(chunk, 1, size, old);
  // A file without a line feed has CR line ends (older programs write
  // them): its lines get CR LF ones in the copy, as the appended lines have,
  // so that the grown file holds one kind of line end.
  const bool crLines = out != nullptr && n > 0 && memchr(chunk, '\n', n) == nullptr &&
                       (n < size || !LineFeedFollows(old));
  for (; n > 0; n = fread(chunk, 1, size, old)) {
    if (out != nullptr && crLines) {
      WriteCrLines(*out, chunk, n);
    } else if (out != nullptr) {
      out->Write(chunk, n);
    }
    if (counter != nullptr) counter->Take(chunk, n);
    total += n;
    last = chunk[n - 1];
  }
  // What comes after the last card that is counted was never read for
  // the count.
  if (ferror(old) && (counter == nullptr || !counter->Full())) return false;
  if (out == nullptr) return true;
  if (total == 0) {
    out->WriteLine(kCardFileHeading);
    return true;
  }
  if (last == (crLines ? '\r' : '\n')) return true;
  // The last line gets its end, a CR of its own becoming part of it; the
  // count takes the end too, since it may make that line a card.
  const char* end = !crLines && last == '\r' ? "\n" : "\r\n";
  out->Write(end, strlen(end));
  if (counter != nullptr) counter->Take(crLines ? "\r" : end, crLines ? 1 : strlen(end));
  return true;
}

FILE* OpenBookFile(const char* dataDirectory, char (&path)[kPathBufferSize]) {
  FileProblem problem = FileProblem::kNone;
  if (!BuildBookFilePath(path, dataDirectory, kCardFileName)) return nullptr;
  return OpenFileForReading(path, problem);
}

int ExchangeBook::LoadBookFile(const char* dataDirectory, int parse) {
  m_nBookCards = 0;
  memset(m_book, 0, sizeof m_book);
  BookCardLines lines(dataDirectory);
  if (!lines.IsOpen()) return 0;
  for (int length; (length = lines.Next()) >= 0; ++m_nBookCards) {
    if (parse == 1) ParseExchangedFields(lines.Text(), length, m_book[m_nBookCards]);
  }
  return lines.ReadToEnd() ? 1 : 0;
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
  bool copied = CopyCardFile(old, &out, nullptr, m_achBlock, sizeof m_achBlock);
  fclose(old);
  if (!copied) {
    messages.Tell(kCannotOpenBook, kExchangeStop);
    return 0;  // the writer discards its new file
  }
  BlockToWriter block(out, m_achBlock, sizeof m_achBlock);
  for (int i = 0; i < count && i < kCardSlots; ++i) PutCardLine(block, m_book[i]);
  block.Flush();
  return CommitAppend(out, messages);
}

void PutCardLine(BlockOut& block, const CardRecord& card) {
  // The line is made in the block itself, its line feed then CR LF in the
  // room of the NUL after it.
  auto& line = *reinterpret_cast<char(*)[kMaxCardLineBytes + 1]>(block.Room(kMaxCardLineBytes + 1));
  int length = FormatCardLine(card, line);
  line[length - 1] = '\r';
  line[length] = '\n';
  block.Grow(static_cast<size_t>(length) + 1);
}

int ExchangeBook::CommitAppend(SafeFileWriter& out, ExchangeMessages& messages) {
  if (!out.IsOpen()) {
    messages.Tell(kCannotOpenBook, kExchangeStop);
    return 0;
  }
  if (!out.Commit()) {
    TellFailedWrite(kCannotWriteBook, kExchangeStop, out, messages);
    return 0;
  }
  return 1;
}

void TellFailedWrite(const char* text, ExchangeIcon icon, const SafeFileWriter& out,
                     ExchangeMessages& messages) {
  if (out.KeptPath()[0] == '\0') {
    messages.Tell(text, icon);
    return;
  }
  char told[kPathBufferSize + 256];
  snprintf(told, sizeof told, "%s\n新しい内容は「%s」に残しました。", text, out.KeptPath());
  messages.Tell(told, icon);
}
