#include "cli/import_file.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/messages.h"

namespace {

constexpr size_t kPieceSize = 65536;

// A piece of a line: up to its line end, or as much as fits.
size_t ReadPiece(FILE* file, char* buffer, size_t start, size_t room, char lineEnd) {
  size_t n = start;
  int c;
  while (n < room && (c = getc(file)) != EOF) {
    buffer[n++] = static_cast<char>(c);
    if (c == lineEnd) break;
  }
  return n;
}

// Bytes at the end of a UTF-8 piece that begin a character the piece cuts.
size_t CutCharacterBytes(const char* piece, size_t length) {
  for (size_t back = 1; back <= 3 && back <= length; ++back) {
    unsigned char byte = static_cast<unsigned char>(piece[length - back]);
    if ((byte & 0xC0) == 0x80) continue;
    return Utf8SequenceLength(byte) > back ? back : 0;
  }
  return 0;
}

}  // namespace

FileText ExamineText(FILE* file) {
  static char chunk[kPieceSize];
  Utf8Check check;
  bool bom = false;
  bool first = true;
  bool lineFeed = false;
  bool carriageReturn = false;
  for (size_t n; (n = fread(chunk, 1, sizeof chunk, file)) > 0; first = false) {
    if (first && n >= 3 && memcmp(chunk, kUtf8Bom, 3) == 0) bom = true;
    check.Feed(chunk, n);
    lineFeed = lineFeed || memchr(chunk, '\n', n) != nullptr;
    carriageReturn = carriageReturn || memchr(chunk, '\r', n) != nullptr;
  }
  rewind(file);
  return {bom || check.LooksUtf8(), check.PlainAscii(), carriageReturn && !lineFeed};
}

bool ReadsAsUtf8(const FileText& text, Encoding encoding) {
  if (encoding != Encoding::kAuto) return encoding == Encoding::kUtf8;
  return text.utf8;
}

int CopyImportFile(const char* file, Encoding encoding, bool heading, ImportNotes& notes,
                   ImportCopy& copy) {
  const char* reason = nullptr;
  FILE* in = OpenPlainFile(file, reason);
  if (in == nullptr) return Fail(kExitFailed, "cannot open the import file %s: %s", file, reason);
  FileText text = ExamineText(in);
  copy.utf8 = ReadsAsUtf8(text, encoding);
  // The import reads such a file with CR line ends; its notes count lines alike.
  char lineEnd = text.crLines ? '\r' : '\n';
  int status = copy.scratch.Make("import", "copy");
  if (status >= 0) {
    fclose(in);
    return status;
  }
  // Through the safe path: a full scratch folder must not drop a card.
  SafeFileWriter out(copy.scratch.path.c_str());
  static char piece[kPieceSize];
  static char converted[kPieceSize];
  Cp932Writer writer("UTF-8");
  long line = 1;
  bool lineHasText = false;  // the procedures skip a line of line ends alone
  int cards = 0;
  size_t carried = 0;
  bool start = true;
  for (size_t length; (length = ReadPiece(in, piece, carried, sizeof piece, lineEnd)) > 0;) {
    if (start && copy.utf8 && length >= 3 && memcmp(piece, kUtf8Bom, 3) == 0) {
      memmove(piece, piece + 3, length -= 3);
    }
    start = false;
    bool ended = piece[length - 1] == lineEnd;
    for (size_t i = 0; i < length; ++i) {
      if (piece[i] == '\0') notes.Add(line, kNoteNul);
      if (piece[i] != '\r' && piece[i] != '\n') lineHasText = true;
    }
    carried = copy.utf8 && !ended && !feof(in) ? CutCharacterBytes(piece, length) : 0;
    if (copy.utf8) {
      int replaced = 0;
      size_t n = writer.Convert(piece, length - carried, converted, sizeof converted, replaced);
      out.Write(converted, n);
      if (replaced > 0) notes.Add(line, kNoteReplaced);
      notes.replacedCharacters += replaced;
    } else {
      out.Write(piece, length);
    }
    memmove(piece, piece + length - carried, carried);
    bool lastPiece = !ended && feof(in);
    if (ended || lastPiece) {
      if (lineHasText && (line > 1 || !heading) && cards < kCardSlots) {
        copy.lineOfCard[cards++] = line;
      }
      ++line;
      lineHasText = false;
    }
  }
  bool readFailed = ferror(in) != 0;
  fclose(in);
  if (readFailed) return Fail(kExitFailed, "cannot read the import file %s: %s", file, Reason());
  if (!out.Commit()) {
    return Fail(kExitFailed, "cannot write the scratch copy %s of %s: %s",
                copy.scratch.path.c_str(), file, Reason());
  }
  return -1;
}
