// Cards as vCard 3.0 (RFC 2426) in UTF-8, for phones, webmail and other
// address books: FN and N from the name, the reading as X-PHONETIC-* and
// SORT-STRING, TEL and EMAIL typed, ADR, NOTE and CATEGORIES.
#pragma once

#include "cards/card_record.h"

class BlockOut;
class CharsetConverter;

// Writes card as one vCard into out, its lines folded before 75 bytes,
// never inside a character.
void WriteVcard(const CardRecord& card, BlockOut& out, CharsetConverter& converter);
