// Finding the group dialogs that the panel opens on its thread, and reading
// and driving their controls from the test's thread.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr const char kGroupEditTitle[] = "ｸﾞﾙｰﾌﾟ編集";
constexpr const char kGroupChangeTitle[] = "一括ｸﾞﾙｰﾌﾟ変更";

// The visible dialog of the thread with this title, or null after the time
// runs out; pumps the calling thread's messages while it waits.
HWND WaitForDialog(DWORD threadId, const char* title, DWORD milliseconds = 5000);
// The dialog of the thread with this title, shown or hidden, or null.
HWND FindDialog(DWORD threadId, const char* title);

std::vector<std::string> ListBoxItems(HWND list);
std::vector<std::string> ComboBoxItems(HWND combo);

// Posted, as the user's click is: the click may open a box.
void PostClick(HWND dialog, int id);
// A key pressed and let go on control, through the dialog's own loop.
void PostKey(HWND control, UINT key);
// Selects an item of the dialog's list box and tells the dialog, as a click
// on the item does.
void SelectListItem(HWND dialog, int listId, int index);
