#include "groups/group_rename.h"

#include <string.h>

#include "text/byte_text.h"

int MoveCardsToGroup(CardRecord* cards, const char* before, const char* after) {
  int moved = 0;
  // Every slot, not just as many as there are cards: deletions leave free
  // slots between the cards.
  for (int slot = 0; slot < kCardSlots; ++slot) {
    CardRecord& card = cards[slot];
    if (card.name[0] == '\0' || strcmp(card.group, before) != 0) continue;
    CopyCutString(card.group, after);
    ++moved;
  }
  return moved;
}
