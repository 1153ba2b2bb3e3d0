#include "cli/search_command.h"

#include "cards/book_paths.h"
#include "cli/book_setup.h"
#include "search/card_search.h"

namespace {

class PrintingSink : public SearchSink {
 public:
  PrintingSink(bool everyLine, Output& out) : m_bEveryLine(everyLine), m_out(out) {}
  bool StopRequested() override { return false; }
  void Result(const char* line) override {
    if (line[0] == '\0' && !m_bEveryLine) return;
    m_out.Write(line);
    m_out.Write("\n", 1);
  }

 private:
  bool m_bEveryLine;
  Output& m_out;
};

}  // namespace

int SearchCards(const char* dataDirectory, int mode, unsigned foldFlags, const char* text,
                bool everyLine, Output& out) {
  char path[kPathBufferSize];
  bool havePath = BuildBookFilePath(path, dataDirectory, kCardFileName);
  // A book that is there but cannot be read is a failure, not a search
  // that found nothing.
  int status = havePath ? CheckReadableOrMissing(path, "card file") : -1;
  if (status >= 0) return status;
  PrintingSink sink(everyLine, out);
  SearchCardFile(havePath ? path : nullptr, mode, text, sink, foldFlags);
  return 0;
}
