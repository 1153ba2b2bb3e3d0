#include "search/win/host_search.h"

#include <windows.h>

#include "cards/book_paths.h"
#include "cards/safe_file.h"
#include "sdk/tool_messages.h"
#include "search/card_search.h"
#include "text/cstring.h"

namespace {

// Sends each line in one string that the host reads during the message and
// that outlives it, reused so that no card costs an allocation.
class ResultWindowSink : public SearchSink {
 public:
  explicit ResultWindowSink(const SearchRequest& request) : m_request(request) {
    m_strResult.GetBuffer(static_cast<int>(kSearchResultSize));
    m_strResult.ReleaseBuffer(0);
  }

  // The host sets the flag while it handles a line, so it is read each time.
  bool StopRequested() override { return m_request.bStop != 0; }

  void Result(const char* line) override {
    m_strResult = line;
    HWND window = m_request.pResultWnd ? m_request.pResultWnd->m_hWnd : nullptr;
    if (window == nullptr || !::IsWindow(window)) return;
    ::SendMessageA(window, WM_TOOL_SEARCH_RESULT, reinterpret_cast<WPARAM>(&m_strResult), 0);
  }

 private:
  const SearchRequest& m_request;
  CString m_strResult;
};

// A private copy of the card file: the search waits on the host after each
// line, and a save of the book in that time must not find the file held.
class CardFileSnapshot {
 public:
  explicit CardFileSnapshot(const char* cardFile) {
    m_szPath[0] = '\0';
    if (cardFile == nullptr) return;
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof folder, folder);
    if (n == 0 || n >= sizeof folder || !GetTempFileNameA(folder, "qbs", 0, m_szPath)) {
      m_szPath[0] = '\0';
      return;
    }
    FileProblem problem = FileProblem::kNone;
    if (!CopyWholeFile(cardFile, m_szPath, problem)) Remove();
  }
  ~CardFileSnapshot() { Remove(); }
  const char* Path() const { return m_szPath[0] != '\0' ? m_szPath : nullptr; }

 private:
  void Remove() {
    if (m_szPath[0] != '\0') DeleteFileA(m_szPath);
    m_szPath[0] = '\0';
  }
  char m_szPath[MAX_PATH];
};

}  // namespace

int SendSearchResults(SearchRequest* request, const char* text, HostServices* host) {
  if (request == nullptr) return 1;
  ResultWindowSink sink(*request);
  char path[kPathBufferSize];
  const char* directory = nullptr;
  // The host is asked for its folder only when the file will be read.
  if (IsServedSearchMode(request->nMode) && host != nullptr) {
    directory = host->GetDataDirectory(1, 0);
  }
  bool havePath = directory != nullptr && BuildBookFilePath(path, directory, kCardFileName);
  CardFileSnapshot snapshot(havePath ? path : nullptr);
  SearchCardFile(snapshot.Path(), request->nMode, text, sink);
  return 0;
}
