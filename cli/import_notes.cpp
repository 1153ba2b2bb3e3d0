#include "cli/import_notes.h"

#include <stdio.h>

#include <algorithm>
#include <string>

namespace {

constexpr unsigned kKinds[] = {
    kNoteReplaced,    kNoteNul,       kImportTextCut, kImportMoreColumns,  kImportFewerColumns,
    kNoteWideReading, kNoteNoReading, kNoteLeftOut,   kImportOverCardLimit};

// The kinds a summary after the import names: what changed a card's text,
// or what the panel will ask of it.
constexpr unsigned kSummarised =
    kNoteReplaced | kNoteNul | kImportTextCut | kNoteWideReading | kNoteNoReading | kNoteLeftOut;

constexpr int kSummaryLines = 10;

}  // namespace

const char* NoteText(unsigned what) {
  switch (what) {
    case kNoteReplaced:
      return "a character that code page 932 cannot hold, written as ?";
    case kNoteNul:
      return "a NUL byte, where its field's text ends";
    case kImportTextCut:
      return "a text cut at its field's width";
    case kImportMoreColumns:
      return "more columns than the list, the rest dropped";
    case kImportFewerColumns:
      return "fewer columns than the list, the rest left empty";
    case kNoteWideReading:
      return "a reading that is not half-width, which the panel will not save "
             "(--narrow-readings narrows kana)";
    case kNoteNoReading:
      return "no reading, which the panel asks for before it saves the card";
    case kNoteLeftOut:
      return "fields a card cannot hold, left out";
    default:
      return "not imported: the book would hold 500 cards";
  }
}

void ImportNotes::Add(long line, unsigned what) {
  if (what & kImportOverCardLimit) ++m_nLeftOut;
  if (m_nCount > 0 && m_entries[m_nCount - 1].line == line) {
    m_entries[m_nCount - 1].what |= what;
  } else if (m_nCount < kMaxEntries) {
    m_entries[m_nCount++] = {line, what};
  } else {
    ++m_nDropped;
  }
}

long ImportNotes::LeftOut() const { return m_nLeftOut; }

void ImportNotes::Sort() {
  std::stable_sort(m_entries, m_entries + m_nCount,
                   [](const Entry& a, const Entry& b) { return a.line < b.line; });
  int merged = 0;
  for (int i = 0; i < m_nCount; ++i) {
    if (merged > 0 && m_entries[merged - 1].line == m_entries[i].line) {
      m_entries[merged - 1].what |= m_entries[i].what;
    } else {
      m_entries[merged++] = m_entries[i];
    }
  }
  m_nCount = merged;
}

void ImportNotes::PrintEach(const LeftOutFields* leftOut) {
  Sort();
  for (int i = 0; i < m_nCount; ++i) {
    std::string text;
    for (unsigned kind : kKinds) {
      if ((m_entries[i].what & kind) == 0) continue;
      if (!text.empty()) text += "; ";
      text += NoteText(kind);
      if (kind == kNoteLeftOut && leftOut != nullptr) {
        text += std::string(": ") + leftOut->On(m_entries[i].line);
      }
    }
    printf("line %ld: %s\n", m_entries[i].line, text.c_str());
  }
  if (m_nDropped > 0) printf("and %ld more lines with problems\n", m_nDropped);
}

void ImportNotes::PrintSummary(bool byKind) {
  Sort();
  for (unsigned kind : kKinds) {
    if (!byKind || (kind & kSummarised) == 0) continue;
    std::string lines;
    int found = 0;
    for (int i = 0; i < m_nCount; ++i) {
      if ((m_entries[i].what & kind) == 0) continue;
      if (++found <= kSummaryLines)
        lines += (found > 1 ? ", " : "") + std::to_string(m_entries[i].line);
    }
    if (found == 0) continue;
    if (found > kSummaryLines) lines += ", ...";
    printf("line%s %s: %s%s\n", found > 1 ? "s" : "", lines.c_str(), NoteText(kind),
           kind == kNoteLeftOut ? " (--dry-run names them)" : "");
  }
  if (replacedCharacters > 0) {
    printf("%d character%s written as ?\n", replacedCharacters, replacedCharacters > 1 ? "s" : "");
  }
}
