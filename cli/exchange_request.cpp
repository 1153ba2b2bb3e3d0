#include "cli/exchange_request.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "cli/input.h"
#include "text/byte_text.h"

namespace {

int BadArguments(const std::string& problem, const char* cp932Detail = nullptr) {
  fprintf(stderr, "quillbook: %s", problem.c_str());
  if (cp932Detail != nullptr) {
    Output err(false, stderr);
    err.Write(cp932Detail);
  }
  fputc('\n', stderr);
  return 2;
}

// The field list's names, for a message about a name it lacks.
std::string NamesOf(const ExchangeOptions& options) {
  std::string names;
  for (int i = 0; i < options.fieldCount; ++i) {
    if (i > 0) names += ",";
    names += options.fields[i];
  }
  return names;
}

// Adds LIST's entries; -1 when they are good, else the exit status.
int AddColumns(const std::string& list, bool exporting, ExchangeOptions& options) {
  int names = 0;
  size_t start = 0;
  for (;;) {
    size_t end = list.find(',', start);
    std::string name = list.substr(start, end == std::string::npos ? end : end - start);
    if (name.empty()) {
      if (!AddOrderEntry(options, kBlankEntryText)) return BadArguments("too many columns");
    } else {
      if (FindExchangeField(options, name.c_str()) < 0) {
        return BadArguments("the card file's heading names no column ",
                            (name + "; its names are " + NamesOf(options)).c_str());
      }
      for (int i = 0; i < options.orderEntryCount; ++i) {
        if (name == options.order[i]) {
          return BadArguments(
              "", ("その項目は既にオーダーリストに入っています。 (" + name + ")").c_str());
        }
      }
      if (!AddOrderEntry(options, name.c_str())) return BadArguments("too many columns");
      ++names;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (names == 0) {
    return BadArguments("", exporting ? "エクスポートする項目がリストに設定されていません！"
                                      : "インポートする項目がリストに設定されていません！");
  }
  return -1;
}

}  // namespace

int PrepareExchange(const char* dataDirectory, const ExchangeRequest& request, bool exporting,
                    ExchangeOptions& options) {
  const char* verb = exporting ? "export" : "import";
  if (request.file == nullptr) return BadArguments(std::string(verb) + " needs a FILE");
  if (request.columns == nullptr) return BadArguments(std::string(verb) + " needs --columns LIST");
  memset(&options, 0, sizeof options);
  if (strlen(dataDirectory) >= sizeof options.dataDirectory) {
    return BadArguments("the data folder's path is too long");
  }
  strcpy(options.dataDirectory, dataDirectory);
  if (strcmp(request.file, "-") != 0) {
    if (strlen(request.file) >= sizeof options.path) return BadArguments("FILE's path is too long");
    strcpy(options.path, request.file);
  }
  options.delimiter = request.comma ? ',' : '\t';
  options.heading = request.noHeading ? 0 : 1;
  std::string list;
  if (!Utf8ToCp932(request.columns, list)) {
    return BadArguments("LIST is not UTF-8, or has a character that code page 932 cannot hold");
  }
  if (!ReadFieldList(dataDirectory, options)) {
    char path[kPathBufferSize];
    BuildBookFilePath(path, dataDirectory, kCardFileName);
    fprintf(stderr, "quillbook: cannot read the card file %s\n", path);
    return 1;
  }
  return AddColumns(list, exporting, options);
}

void PrintedMessages::Tell(const char* text, ExchangeIcon icon) {
  if (icon == kExchangeInformation) {
    out_.Write(text);
    out_.Write("\n", 1);
    return;
  }
  fputs("quillbook: ", stderr);
  err_.Write(text);
  err_.Write("\n", 1);
}
