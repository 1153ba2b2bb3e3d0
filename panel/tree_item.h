// The core keeps a card's tree item as an opaque handle of its own, which
// holds the tree's own item handle: the two conversions live here alone.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "cards/card_record.h"

inline HTREEITEM ToTreeItem(TreeItemHandle handle) { return reinterpret_cast<HTREEITEM>(handle); }

inline TreeItemHandle ToItemHandle(HTREEITEM item) {
  return reinterpret_cast<TreeItemHandle>(item);
}
