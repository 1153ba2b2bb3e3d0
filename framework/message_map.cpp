#include "framework/message_map.h"

namespace {

bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
  if (entry.message != message) return false;
  if (message == WM_COMMAND) {
    return entry.id == LOWORD(wParam) && entry.code == HIWORD(wParam);
  }
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    return header != nullptr && entry.id == header->idFrom && entry.code == header->code;
  }
  return true;
}

}  // namespace

const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  for (; map != nullptr; map = map->base ? map->base() : nullptr) {
    for (const MessageEntry* entry = map->entries; entry && entry->message != 0; ++entry) {
      if (Matches(*entry, message, wParam, lParam)) return entry;
    }
  }
  return nullptr;
}
