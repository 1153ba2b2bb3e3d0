// quillbook show: one card for a person to read.
#pragma once

#include "cards/card_record.h"
#include "cli/charset.h"

// Prints the card with the given ID (its slot, as list shows it) as
// labelled lines. Returns the exit status.
int ShowCard(const CardTable& table, const char* idText, Output& out);
