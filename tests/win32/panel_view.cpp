#include "tests/win32/panel_view.h"

#include <commctrl.h>
#include <stdio.h>

#include <fstream>

std::string ControlText(HWND panel, int id) {
  char text[1024] = {};
  GetDlgItemTextA(panel, id, text, sizeof text);
  return text;
}

HWND Control(HWND panel, int id) { return GetDlgItem(panel, id); }

RECT ClientRectOf(HWND panel, int id) {
  RECT rect = {};
  GetWindowRect(Control(panel, id), &rect);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
  char text[256] = {};
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

std::vector<std::string> TreeOutline(HWND tree) {
  std::vector<std::string> outline;
  HTREEITEM root = TreeView_GetRoot(tree);
  for (HTREEITEM h = TreeView_GetChild(tree, root); h; h = TreeView_GetNextSibling(tree, h)) {
    std::string line = TreeItemText(tree, h) + ":";
    for (HTREEITEM c = TreeView_GetChild(tree, h); c; c = TreeView_GetNextSibling(tree, c)) {
      line += " " + TreeItemText(tree, c);
    }
    outline.push_back(line);
  }
  return outline;
}

namespace {

HTREEITEM FindUnder(HWND tree, HTREEITEM item, const std::string& text) {
  for (; item; item = TreeView_GetNextSibling(tree, item)) {
    if (TreeItemText(tree, item) == text) return item;
    if (HTREEITEM found = FindUnder(tree, TreeView_GetChild(tree, item), text)) return found;
  }
  return nullptr;
}

struct TipSearch {
  HWND tool;
  std::string text;
};

BOOL CALLBACK FindTip(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TipSearch*>(parameter);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
  // The wide text comes back whole; the ANSI one is cut at 80 bytes.
  wchar_t wide[1024] = {};
  TTTOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = GetWindow(window, GW_OWNER);
  info.uId = reinterpret_cast<UINT_PTR>(search->tool);
  info.lpszText = wide;
  SendMessageW(window, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
  if (wide[0] == 0) return TRUE;
  char text[2048] = {};
  WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  search->text = text;
  return FALSE;
}

}  // namespace

HTREEITEM FindTreeItem(HWND tree, const std::string& text) {
  return FindUnder(tree, TreeView_GetRoot(tree), text);
}

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  int count = ListView_GetItemCount(list);
  for (int row = 0; row < count; ++row) {
    std::string line;
    for (int column = 0; column < 4; ++column) {
      char text[256] = {};
      ListView_GetItemText(list, row, column, text, sizeof text);
      line += (column ? "|" : "") + std::string(text);
    }
    rows.push_back(line);
  }
  return rows;
}

std::string TipText(HWND panel, HWND tool) {
  TipSearch search{tool, ""};
  EnumThreadWindows(GetWindowThreadProcessId(panel, nullptr), FindTip,
                    reinterpret_cast<LPARAM>(&search));
  return search.text;
}

void WriteBook(const std::string& bookFolder, const std::vector<std::string>& cardLines,
               const std::vector<std::string>& groups) {
  CreateDirectoryA(bookFolder.c_str(), nullptr);
  std::ofstream cards(bookFolder + "\\Quillbook.dat", std::ios::binary);
  cards << "heading\r\n";
  for (const std::string& line : cardLines) cards << line << "\r\n";
  std::ofstream names(bookFolder + "\\Group.dat", std::ios::binary);
  for (const std::string& group : groups) names << group << "\r\n";
}

std::string CardLine(const char* name, const char* reading, const char* group, const char* phone1,
                     const char* mail1) {
  char line[1024];
  snprintf(line, sizeof line,
           "%s\t%s\t%s\t100-0001\t住所\t1\t%s\t0\t\t0\t\t2\t%s\t0\t\t0\t\tmemo %s\t"
           "2020/1/2  03:04\t2021/5/6  07:08\t3",
           name, reading, group, phone1, mail1, name);
  return line;
}
