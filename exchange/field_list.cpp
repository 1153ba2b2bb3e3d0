#include <stdio.h>
#include <string.h>

#include "cards/safe_file.h"
#include "exchange/exchange_book.h"
#include "text/byte_text.h"

namespace {

bool IsPieceEnd(char c, bool first) {
  // A file read in text mode hands its lines over without the CR.
  if (c == '\t' || c == '\n' || c == '\r') return true;
  return !first && c == '|';
}

}  // namespace

int ReadFieldList(const char* dataDirectory, ExchangeOptions& options) {
  options.fieldCount = 0;
  char path[kPathBufferSize];
  FILE* file = nullptr;
  FileProblem problem = FileProblem::kNone;
  if (BuildBookFilePath(path, dataDirectory, kCardFileName))
    file = OpenFileForReading(path, problem);
  if (file == nullptr) {
    CopyCutString(options.fields[0], kFieldListErrorText);
    options.fieldCount = 1;
    return 0;
  }
  char line[kFieldNameSize] = {};
  if (fgets(line, sizeof line, file) == nullptr) line[0] = '\0';
  fclose(file);
  // The first name ends only at a tab, the later ones also at a bar; runs
  // of cut characters give no empty names.
  size_t i = 0;
  size_t length = strlen(line);
  while (i < length && options.fieldCount < kExchangeFieldCount) {
    bool first = options.fieldCount == 0;
    while (i < length && IsPieceEnd(line[i], first)) ++i;
    if (i >= length) break;
    size_t start = i;
    while (i < length && !IsPieceEnd(line[i], first)) ++i;
    CopyCut(options.fields[options.fieldCount++], kFieldNameSize, line + start, i - start);
  }
  return 1;
}
