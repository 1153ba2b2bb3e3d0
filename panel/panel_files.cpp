// The panel's card table and group list against their files. The panel tells
// the user when a file could not be read or written, and never writes over a
// card file that it did not read whole.
#include <stdio.h>

#include "cards/card_file.h"
#include "cards/safe_file.h"
#include "panel/card_panel.h"
#include "panel/host_clock.h"

namespace {

const char kCannotRead[] =
    "アドレス帳ファイル「%s」を読み込めませんでした。\n（%s）\n"
    "このファイルは書き換えません。";
const char kKeptOld[] =
    "アドレス帳ファイル「%s」には読み込めなかった内容がありました。\n"
    "元のファイルを「%s」として残しました。";
const char kNotWritten[] = "アドレス帳ファイル「%s」に保存できませんでした。\n（%s）\n";
const char kNotWrittenUnread[] =
    "アドレス帳ファイル「%s」は読み込めなかったため、書き換えませんでした。\n";
const char kRescued[] = "編集内容は「%s」に保存しました。";
const char kNotRescued[] = "編集内容を保存できませんでした。";

constexpr size_t kMessageSize = 1024;

// Only a panel tells: the host's calls without one wait on nobody.
bool HasPanel(HWND panel) { return panel != nullptr && ::IsWindow(panel); }

}  // namespace

bool CCardPanel::BuildFilePath(char (&path)[kPathBufferSize], const char* name) {
  const char* directory = m_pHost ? m_pHost->GetDataDirectory(1, 0) : nullptr;
  return directory != nullptr && BuildBookFilePath(path, directory, name);
}

int CCardPanel::LoadCards() {
  char path[kPathBufferSize];
  HostClock clock(m_pHost);
  bool havePath = BuildFilePath(path, kCardFileName);
  int result = LoadCardFile(havePath ? path : nullptr, m_table, clock, &m_cardFileLoad);
  if (IsUnread(m_cardFileLoad) && HasPanel(m_hWnd)) {
    char text[kMessageSize];
    snprintf(text, sizeof text, kCannotRead, path, FileProblemText(m_cardFileLoad.problem));
    AskOrTell(text, MB_OK | MB_ICONHAND);
  }
  return result;
}

int CCardPanel::SaveCards() {
  char path[kPathBufferSize];
  if (!BuildFilePath(path, kCardFileName)) return 0;
  char kept[kPathBufferSize];
  char rescue[kPathBufferSize];
  FileProblem problem = FileProblem::kNone;
  int saved = SaveLoadedCardFile(path, m_table, m_cardFileLoad, kept, problem, &rescue);
  char text[kMessageSize];
  if (kept[0] != '\0' && HasPanel(m_hWnd)) {
    snprintf(text, sizeof text, kKeptOld, path, kept);
    AskOrTell(text, MB_OK | MB_ICONASTERISK);
  }
  if (saved) return 1;
  // Nothing typed is lost: the table goes to a file of its own beside the
  // book, under a name no later save takes, unless the save kept its whole
  // new file there already.
  bool rescued = rescue[0] != '\0' || KeepCardFile(path, m_table, "unsaved", rescue) == 1;
  int n = IsUnread(m_cardFileLoad)
              ? snprintf(text, sizeof text, kNotWrittenUnread, path)
              : snprintf(text, sizeof text, kNotWritten, path, FileProblemText(problem));
  if (n > 0 && static_cast<size_t>(n) < sizeof text) {
    snprintf(text + n, sizeof text - n, rescued ? kRescued : "%s", rescued ? rescue : kNotRescued);
  }
  if (HasPanel(m_hWnd)) AskOrTell(text, MB_OK | MB_ICONHAND);
  return 0;
}

int CCardPanel::LoadGroupList() {
  char path[kPathBufferSize];
  return BuildFilePath(path, kGroupFileName) ? LoadGroupFile(path, m_groups)
                                             : (m_groups.Clear(), 0);
}

int CCardPanel::SaveGroupList() {
  char path[kPathBufferSize];
  return BuildFilePath(path, kGroupFileName) ? SaveGroupFile(path, m_groups) : 0;
}
