#include "cli/search_command.h"

#include "cards/book_paths.h"
#include "search/card_search.h"

namespace {

class PrintingSink : public SearchSink {
 public:
  PrintingSink(bool everyLine, Output& out) : everyLine_(everyLine), out_(out) {}
  bool StopRequested() override { return false; }
  void Result(const char* line) override {
    if (line[0] == '\0' && !everyLine_) return;
    out_.Write(line);
    out_.Write("\n", 1);
  }

 private:
  bool everyLine_;
  Output& out_;
};

}  // namespace

int SearchCards(const char* dataDirectory, bool phone, const char* text, bool everyLine,
                Output& out) {
  char path[kPathBufferSize];
  bool havePath = BuildBookFilePath(path, dataDirectory, kCardFileName);
  PrintingSink sink(everyLine, out);
  SearchCardFile(havePath ? path : nullptr, phone ? kPhoneSearch : kTextSearch, text, sink);
  return 0;
}
