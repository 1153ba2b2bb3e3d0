#include "cli/import_file.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include "cards/safe_file.h"
#include "cli/messages.h"

namespace {

constexpr size_t kPieceSize = 65536;
char g_achPiece[kPieceSize];
char g_achConverted[2 * kPieceSize + 8];

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

// Surveys the rest of file, which is then rewound to where it stood;
// false on a read error.
bool Survey(FILE* file, TextSurvey& survey) {
  long at = ftell(file);
  for (size_t n; (n = fread(g_achPiece, 1, sizeof g_achPiece, file)) > 0;)
    survey.Feed(g_achPiece, n);
  bool read = ferror(file) == 0;
  return fseek(file, at < 0 ? 0 : at, SEEK_SET) == 0 && read;
}

const char* AskedName(TextEncoding asked) {
  return asked == TextEncoding::kUtf8 ? "utf-8" : "cp932";
}

// Decodes the UTF-16 of in (past its mark) into the UTF-8 scratch copy and
// reads that instead. Returns -1, else the exit status after saying why.
int DecodeUtf16(const char* file, ImportText& text) {
  int status = text.decoded.Make("import", "utf8");
  if (status >= 0) return status;
  SafeFileWriter out(text.decoded.path.c_str());
  Utf16Decoder decoder(text.choice.encoding == TextEncoding::kUtf16Be);
  fseek(text.file, 2, SEEK_SET);
  for (size_t n; (n = fread(g_achPiece, 1, sizeof g_achPiece, text.file)) > 0;) {
    out.Write(g_achConverted, decoder.Decode(g_achPiece, n, g_achConverted, feof(text.file) != 0));
  }
  out.Write(g_achConverted, decoder.Decode(g_achPiece, 0, g_achConverted, true));
  if (ferror(text.file)) {
    return Fail(kExitFailed, "cannot read the import file %s: %s", file, Reason());
  }
  if (!out.Commit()) {
    return Fail(kExitFailed, "cannot write the scratch copy %s of %s: %s",
                text.decoded.path.c_str(), file, Reason());
  }
  fclose(text.file);
  FileProblem problem = FileProblem::kNone;
  text.file = OpenFileForReading(text.decoded.path.c_str(), problem);
  TextSurvey decoded;
  if (text.file == nullptr || !Survey(text.file, decoded)) {
    return Fail(kExitFailed, "cannot read the scratch copy %s of %s: %s", text.decoded.path.c_str(),
                file, Reason());
  }
  text.choice.lineEnd = decoded.Choose(TextEncoding::kUtf8).lineEnd;
  return -1;
}

}  // namespace

ImportText::~ImportText() {
  if (file != nullptr) fclose(file);
}

int OpenImportText(const char* file, TextEncoding asked, ImportText& text) {
  const char* reason = nullptr;
  text.file = OpenPlainFile(file, reason);
  if (text.file == nullptr) {
    return Fail(kExitFailed, "cannot open the import file %s: %s", file, reason);
  }
  TextSurvey survey;
  if (!Survey(text.file, survey)) {
    return Fail(kExitFailed, "cannot read the import file %s: %s", file, Reason());
  }
  text.choice = survey.Choose(asked);
  const TextEncoding found = text.choice.encoding;
  if (found == TextEncoding::kUtf16Le || found == TextEncoding::kUtf16Be) {
    if (asked != TextEncoding::kAuto) {
      return Fail(kExitFailed,
                  "the import file %s is UTF-16 (its byte-order mark says so), not %s: leave "
                  "out --encoding to read it",
                  file, AskedName(asked));
    }
    return DecodeUtf16(file, text);
  }
  if (text.choice.mostlyNul) {
    return Fail(kExitFailed,
                "the import file %s is no text: a quarter of its bytes or more are NUL (UTF-16 "
                "without its byte-order mark?); save it as UTF-8 or code page 932",
                file);
  }
  if (fseek(text.file, static_cast<long>(survey.MarkBytes(text.choice)), SEEK_SET) != 0) {
    return Fail(kExitFailed, "cannot read the import file %s: %s", file, Reason());
  }
  return -1;
}

int CopyImportFile(const char* file, ImportText& text, ImportNotes& notes, ScratchFile& copy) {
  int status = copy.Make("import", "copy");
  if (status >= 0) return status;
  // Through the safe path: a full scratch folder must not drop a card.
  SafeFileWriter out(copy.path.c_str());
  IconvConverter converter;
  // The procedures count lines with the same line end, on the same bytes.
  const char lineEnd = text.choice.lineEnd;
  const bool utf8 = text.Utf8();
  long line = 1;
  size_t carried = 0;
  for (size_t length;
       (length = ReadPiece(text.file, g_achPiece, carried, sizeof g_achPiece, lineEnd)) > 0;) {
    const bool ended = g_achPiece[length - 1] == lineEnd;
    if (memchr(g_achPiece, '\0', length) != nullptr) notes.Add(line, kImportNul);
    carried = 0;
    if (utf8) {
      // A character that the piece cuts waits for the rest of it.
      const char* in = g_achPiece;
      size_t left = length;
      ConversionCounts counts;
      const bool atEnd = ended || feof(text.file) != 0;
      out.Write(g_achConverted, Utf8ToCp932(converter, in, left, g_achConverted,
                                            sizeof g_achConverted, atEnd, counts));
      if (counts.unmapped > 0) notes.Add(line, kImportReplaced);
      if (counts.bad > 0) notes.Add(line, kImportBadBytes);
      notes.replacedCharacters += counts.unmapped + counts.bad;
      carried = left;
      memmove(g_achPiece, in, carried);
    } else {
      out.Write(g_achPiece, length);
    }
    if (ended) ++line;
  }
  if (ferror(text.file)) {
    return Fail(kExitFailed, "cannot read the import file %s: %s", file, Reason());
  }
  if (!out.Commit()) {
    return Fail(kExitFailed, "cannot write the scratch copy %s of %s: %s", copy.path.c_str(), file,
                Reason());
  }
  return -1;
}
