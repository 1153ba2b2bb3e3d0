#include "cards/card_file.h"

#include <stdio.h>
#include <string.h>

#include "cards/safe_file.h"

int CardLineReader::Next() {
  int length = m_lines.Next();
  if (m_lines.Overflowed()) {
    // The line goes on past the buffer: its field in progress ends here, so
    // that it keeps what fits rather than nothing.
    length = kLineBufferSize;
    m_lines.Text()[length - 1] = '\t';
    m_lines.Text()[length] = '\0';
  }
  return length;
}

namespace {

// A line that holds nothing but its line end and blanks carries no card.
bool HoldsText(const char* line, int length) {
  for (int i = 0; i < length; ++i) {
    char c = line[i];
    if (c != '\r' && c != '\n' && c != ' ' && c != '\t') return true;
  }
  return false;
}

// The first line is skipped unread; one that is not the heading but could be
// a card (a file written without its heading) is text the table lacks.
bool MayBeACard(const char* line, int length) {
  size_t heading = strlen(kCardFileHeading);
  int text = length;
  if (text > 0 && line[text - 1] == '\n') --text;
  if (text > 0 && line[text - 1] == '\r') --text;
  if (static_cast<size_t>(text) == heading && memcmp(line, kCardFileHeading, heading) == 0) {
    return false;
  }
  return length >= kMinCardLineBytes && memchr(line, '\t', static_cast<size_t>(length)) != nullptr;
}

void ReadCardLines(FILE* file, CardTable& table, TimeSource& clock, CardFileLoad& load) {
  CardLineReader reader(file);
  LoadTime now(clock);
  int length = reader.Next();  // the heading line
  if (length < 0) return;
  if (MayBeACard(reader.Text(), length)) load.lostSome = true;
  while ((length = reader.Next()) >= 0) {
    const char* line = reader.Text();
    if (length < kMinCardLineBytes || table.m_nCardCount >= kMaxCards) {
      if (HoldsText(line, length)) load.lostSome = true;
      continue;
    }
    // A line longer than the reader's buffer lost its end.
    if (length == kLineBufferSize && line[length - 1] != '\n') load.lostSome = true;
    if (!ParseCardLine(line, length, table.m_cards[table.m_nCardCount], now)) {
      load.lostSome = true;
    }
    ++table.m_nCardCount;
  }
}

}  // namespace

int LoadCardFile(const char* path, CardTable& table, TimeSource& clock, CardFileLoad* load) {
  CardFileLoad found;
  table.Clear();
  FILE* file = OpenFileForReading(path, found.problem);
  if (file != nullptr) {
    ReadCardLines(file, table, clock, found);
    if (ferror(file)) found.problem = FileProblem::kBroken;
    fclose(file);
  }
  if (load != nullptr) *load = found;
  if (IsUnread(found)) {
    // What was read of a file that could not be read whole is not the book.
    table.Clear();
  }
  if (table.m_nCardCount > 0) return 1;
  table.MakeDefaultOwnerCard();
  return 0;
}

namespace {

int WriteCards(SafeFileWriter& out, const CardTable& table) {
  out.WriteLine(kCardFileHeading);
  char line[kMaxCardLineBytes + 1];
  int written = 0;
  for (int slot = 0; slot < kCardSlots && written < table.m_nCardCount; ++slot) {
    if (!table.IsUsed(slot)) continue;
    int length = FormatCardLine(table.m_cards[slot], line);
    out.Write(line, static_cast<size_t>(length - 1));
    out.Write("\r\n", 2);
    ++written;
  }
  return out.Commit() ? 1 : 0;
}

}  // namespace

int SaveCardFile(const char* path, const CardTable& table, FileProblem* problem,
                 char (*unsaved)[kPathBufferSize]) {
  SafeFileWriter out(path);
  if (unsaved != nullptr) (*unsaved)[0] = '\0';
  if (WriteCards(out, table)) return 1;
  if (problem != nullptr) *problem = out.Problem();
  FileProblem ignored;
  if (unsaved != nullptr) CopyPath(*unsaved, out.KeptPath(), ignored);
  return 0;
}

int KeepCardFile(const char* path, const CardTable& table, const char* suffix,
                 char (&kept)[kPathBufferSize]) {
  SafeFileWriter out(path, suffix);
  kept[0] = '\0';
  if (!WriteCards(out, table)) return 0;
  FileProblem ignored;
  return CopyPath(kept, out.KeptPath(), ignored) ? 1 : 0;
}

int SaveLoadedCardFile(const char* path, const CardTable& table, CardFileLoad& load,
                       char (&kept)[kPathBufferSize], FileProblem& problem,
                       char (*unsaved)[kPathBufferSize]) {
  kept[0] = '\0';
  if (unsaved != nullptr) (*unsaved)[0] = '\0';
  problem = FileProblem::kNone;
  if (IsUnread(load)) return 0;
  if (load.lostSome) {
    if (!KeepCopyOf(path, "bak", kept, problem)) {
      // Gone since the load: nothing is left to keep.
      if (problem != FileProblem::kMissing) return 0;
      problem = FileProblem::kNone;
    }
    load.lostSome = false;
  }
  return SaveCardFile(path, table, &problem, unsaved);
}
