// Reading the panel's controls from the test's thread.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

std::string ControlText(HWND panel, int id);
HWND Control(HWND panel, int id);
RECT ClientRectOf(HWND panel, int id);  // the control's rectangle in panel client coordinates

std::string TreeItemText(HWND tree, HTREEITEM item);
// "heading: child, child" for each child of the root, in tree order.
std::vector<std::string> TreeOutline(HWND tree);
HTREEITEM FindTreeItem(HWND tree, const std::string& text);

// Every row of a report list view as "col0|col1|col2|col3".
std::vector<std::string> ListRows(HWND list);

// The tips of the tooltip windows that the panel thread owns, by tool window.
std::string TipText(HWND panel, HWND tool);

// Writes the address book (lines in code page 932 as given) into folder.
void WriteBook(const std::string& bookFolder, const std::vector<std::string>& cardLines,
               const std::vector<std::string>& groups);
std::string CardLine(const char* name, const char* reading, const char* group = "",
                     const char* phone1 = "", const char* mail1 = "");
