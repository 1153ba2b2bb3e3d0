#include "cli/exchange_request.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "cli/charset.h"
#include "cli/messages.h"

namespace {

// The field list's names, for a message about a name it lacks.
std::string NamesOf(const ExchangeOptions& options) {
  std::string names;
  for (int i = 0; i < options.fieldCount; ++i) {
    if (i > 0) names += ",";
    names += Utf8Of(options.fields[i]);
  }
  return names;
}

// Adds LIST's entries; -1 when they are good, else the exit status.
int AddColumns(const std::string& list, ExchangeOptions& options) {
  int names = 0;
  size_t start = 0;
  for (;;) {
    size_t end = list.find(',', start);
    std::string name = list.substr(start, end == std::string::npos ? end : end - start);
    if (name.empty()) {
      if (!AddOrderEntry(options, kBlankEntryText))
        return Fail(kExitBadArguments, "too many columns");
    } else {
      if (FindExchangeField(options, name.c_str()) < 0) {
        return Fail(kExitBadArguments,
                    "the card file's heading names no column %s; its names are %s",
                    Utf8Of(name.c_str()).c_str(), NamesOf(options).c_str());
      }
      for (int i = 0; i < options.orderEntryCount; ++i) {
        if (name == options.order[i]) {
          return Fail(kExitBadArguments, "--columns names %s twice", Utf8Of(name.c_str()).c_str());
        }
      }
      if (!AddOrderEntry(options, name.c_str())) return Fail(kExitBadArguments, "too many columns");
      ++names;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (names == 0) return Fail(kExitBadArguments, "--columns names blank columns only");
  return -1;
}

}  // namespace

std::string CardFilePath(const char* dataDirectory) {
  char path[kPathBufferSize];
  BuildBookFilePath(path, dataDirectory, kCardFileName);
  return path;
}

int PrepareExchange(const char* dataDirectory, const ExchangeRequest& request, bool exporting,
                    ExchangeOptions& options) {
  const char* verb = exporting ? "export" : "import";
  if (request.file == nullptr) return Fail(kExitBadArguments, "%s needs a FILE", verb);
  if (request.columns == nullptr) return Fail(kExitBadArguments, "%s needs --columns LIST", verb);
  memset(&options, 0, sizeof options);
  if (strlen(dataDirectory) >= sizeof options.dataDirectory) {
    return Fail(kExitBadArguments, "the data folder's path is too long: %s", dataDirectory);
  }
  strcpy(options.dataDirectory, dataDirectory);
  if (strcmp(request.file, "-") != 0) {
    if (strlen(request.file) >= sizeof options.path) {
      return Fail(kExitBadArguments, "the path of FILE is too long: %s", request.file);
    }
    strcpy(options.path, request.file);
  }
  options.delimiter = request.format == ExchangeFormat::kComma ? ',' : '\t';
  options.heading = request.noHeading ? 0 : 1;
  std::string list;
  if (!Utf8ToCp932(request.columns, list)) {
    return Fail(kExitBadArguments,
                "LIST is not UTF-8, or has a character that code page 932 cannot hold");
  }
  errno = 0;
  if (!ReadFieldList(dataDirectory, options)) {
    return Fail(kExitFailed, "cannot read the card file %s: %s",
                CardFilePath(dataDirectory).c_str(), Reason());
  }
  return AddColumns(list, options);
}

void PrintedMessages::Tell(const char* text, ExchangeIcon icon) {
  const char* reason = Reason();
  if (strcmp(text, "登録可能最大件数を超えました。\n残りはインポートされません。") == 0) return;
  if (strcmp(text, "エクスポートファイルを作成できませんでした！") == 0) {
    Fail(0, "cannot create the export file %s: %s", m_strExchangeFile.c_str(), reason);
  } else if (strcmp(text, "インポートファイルを開けませんでした！") == 0) {
    Fail(0, "cannot open the import file %s: %s", m_strExchangeFile.c_str(), reason);
  } else if (strcmp(text, "アドレス帳ファイルを開けませんでした！") == 0 ||
             strcmp(text, "アドレス帳ファイルに書き込めませんでした！") == 0) {
    Fail(0, "cannot write the card file %s: %s", m_strCardFile.c_str(), reason);
  } else if (icon == kExchangeInformation) {
    printf("%s\n", Utf8Of(text).c_str());
  } else {
    Fail(0, "%s: %s", m_strExchangeFile.c_str(), Utf8Of(text).c_str());
  }
}
