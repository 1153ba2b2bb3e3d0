// Moving every card of one group to another.
#pragma once

#include "cards/card_record.h"

// Gives every used slot of the table cards (kCardSlots records) whose group
// is before, byte for byte, the group after; nothing else of a card changes.
// Returns the number of cards moved.
int MoveCardsToGroup(CardRecord* cards, const char* before, const char* after);
