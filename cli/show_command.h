// quillbook show: one card for a person to read.
#pragma once

#include "cards/card_record.h"
#include "cli/charset.h"

// An ID as list prints it, 0 to 500, from its decimal text; false for
// anything else.
bool ParseCardId(const char* text, int& id);

// Prints the card with the given ID (its slot, as list shows it) as
// labelled lines. Returns the exit status.
int ShowCard(const CardTable& table, const char* idText, Output& out);
