// Choosing the exchange file with the system's open-file dialog.
#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include "exchange/win/option_dlg.h"

namespace {

// The second entry selects the card file itself.
const char kFileFilter[] =
    "全てのﾌｧｲﾙ(*.*)\0*.*\0"
    "ｱﾄﾞﾚｽ帳ﾌｧｲﾙ(Quilbook.dat)\0Quillbook.dat\0";

}  // namespace

void COptionDlg::OnChooseFile() {
  // The file dialog moves the process's working directory to the folder it
  // ends in; the host and its other tools rely on theirs.
  char workingDirectory[MAX_PATH] = {};
  DWORD kept = GetCurrentDirectoryA(sizeof workingDirectory, workingDirectory);
  bool restore = kept > 0 && kept < sizeof workingDirectory;

  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = m_hWnd;
  dialog.lpstrFilter = kFileFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrTitle = "ファイルを選択して下さい。";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_CREATEPROMPT;
  BOOL chosen = GetOpenFileNameA(&dialog);
  if (restore) SetCurrentDirectoryA(workingDirectory);
  if (!chosen) return;

  m_strFilePath = path;
  m_editFile.SetWindowText(m_strFilePath);
}
