#include "cli/import_notes.h"

#include <stdio.h>

#include <algorithm>
#include <string>

namespace {

constexpr unsigned kKinds[] = {kImportBadBytes,       kImportReplaced,    kImportNul,
                               kImportUnknownCharset, kImportNotProperty, kImportNoEnd,
                               kImportTextCut,        kImportMoreColumns, kImportFewerColumns,
                               kNoteWideReading,      kImportNoReading,   kImportLeftOut,
                               kImportOverCardLimit};

// The kinds a summary after the import names: what changed a card's text,
// or what the panel will ask of it.
constexpr unsigned kSummarised =
    kImportBadBytes | kImportReplaced | kImportNul | kImportUnknownCharset | kImportNotProperty |
    kImportNoEnd | kImportTextCut | kNoteWideReading | kImportNoReading | kImportLeftOut;

// The kinds whose lines have more to say.
constexpr unsigned kDetailed = kImportLeftOut | kImportUnknownCharset;

constexpr int kSummaryLines = 10;

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return "UTF-8";
    case TextEncoding::kUtf16Le:
      return "UTF-16 LE";
    case TextEncoding::kUtf16Be:
      return "UTF-16 BE";
    default:
      return "code page 932";
  }
}

// How an encoding that the user did not give was decided; empty when no
// choice was made (plain ASCII reads alike).
std::string EncodingText(const EncodingChoice& choice) {
  std::string text = std::string("read as ") + EncodingName(choice.encoding);
  switch (choice.reason) {
    case EncodingReason::kMark:
      return text + " (its byte-order mark)";
    case EncodingReason::kValidUtf8:
    case EncodingReason::kNotUtf8:
      return text;
    case EncodingReason::kMostlyUtf8:
      return text + ", but for " + std::to_string(choice.badUtf8) + " run" +
             (choice.badUtf8 > 1 ? "s" : "") + " of bytes that are no UTF-8, written as ?";
    case EncodingReason::kAmbiguous:
      return text +
             ", the book's own, though it is UTF-8 too: its only bytes past ASCII are "
             "half-width katakana (--encoding utf-8 reads it as UTF-8)";
    default:
      return "";
  }
}

}  // namespace

const char* NoteText(unsigned what) {
  switch (what) {
    case kImportReplaced:
      return "a character that code page 932 cannot hold, written as ?";
    case kImportBadBytes:
      return "bytes that are no character of the file's encoding, written as ?";
    case kImportNul:
      return "a NUL byte, where its field's text ends";
    case kImportUnknownCharset:
      return "an unknown CHARSET whose values are not UTF-8 either, their stray bytes "
             "written as ?";
    case kImportNotProperty:
      return "a line that is no property (no name or no colon), ignored";
    case kImportNoEnd:
      return "a vCard without END:VCARD, ended where the next begins or the file ends";
    case kImportTextCut:
      return "a text cut at its field's width";
    case kImportMoreColumns:
      return "more columns than the list, the rest dropped";
    case kImportFewerColumns:
      return "fewer columns than the list, the rest left empty";
    case kNoteWideReading:
      return "a reading that is not half-width, which the panel will not save "
             "(--narrow-readings narrows kana)";
    case kImportNoReading:
      return "no reading, which the panel asks for before it saves the card";
    case kImportLeftOut:
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

void ImportNotes::PrintEach(const NoteDetails* details) {
  Sort();
  for (int i = 0; i < m_nCount; ++i) {
    std::string text;
    for (unsigned kind : kKinds) {
      if ((m_entries[i].what & kind) == 0) continue;
      if (!text.empty()) text += "; ";
      text += NoteText(kind);
      const char* detail =
          details != nullptr && (kind & kDetailed) != 0 ? details->On(m_entries[i].line, kind) : "";
      if (detail[0] != '\0') text += std::string(": ") + detail;
    }
    printf("line %ld: %s\n", m_entries[i].line, text.c_str());
  }
  if (m_nDropped > 0) printf("and %ld more lines with problems\n", m_nDropped);
}

void ImportNotes::PrintSummary(bool byKind) {
  Sort();
  std::string how = EncodingText(encoding);
  if (!how.empty()) printf("%s\n", how.c_str());
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
           (kind & kDetailed) != 0 ? " (--dry-run names them)" : "");
  }
  if (replacedCharacters > 0) {
    printf("%d character%s written as ?\n", replacedCharacters, replacedCharacters > 1 ? "s" : "");
  }
}
