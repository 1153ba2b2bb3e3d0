// quillbook postcard: the address side of New Year cards (宛名面) from the
// book, one PDF page a card.
#pragma once

#include "cards/card_record.h"
#include "cli/postcard_request.h"

// Writes a page for each chosen card of the loaded table to request.file
// (and a PNG of each to request.pngFolder). A card without an address is
// left out, one whose postal code is not seven digits printed without it;
// each is named. Returns the exit status.
int PostcardCommand(const CardTable& table, const char* dataDirectory,
                    const PostcardRequest& request);
