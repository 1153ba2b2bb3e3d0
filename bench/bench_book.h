// The book that the benchmark times: every card used and every field of
// every card at its width, in a data folder of its own.
#pragma once

#include <string>

#include "cards/card_record.h"

// The words that the timed searches look for: one only at the end of the
// memo of every card, and texts that are nowhere: two words, one of them
// kanji; the kana and kanji words of a person's search; a word whose first
// character begins every address; one ASCII word; a name in katakana and in
// romaji, for the folded search.
extern const char kWordInEveryMemo[];
extern const char kWordsNowhere[];
extern const char kJapaneseWordsNowhere[];
extern const char kAddressStartNowhere[];
extern const char kAsciiWordNowhere[];
extern const char kFoldedWordsNowhere[];

// Fills count cards of table, each field at its width.
void FillFullWidthBook(CardTable& table, int count);

// A data folder: the card file in its book folder, and room beside it.
struct BenchFolder {
  std::string data;
  std::string book;  // the card file
  std::string File(const char* name) const { return data + "/" + name; }
};

// Makes the folder (and its book folder) under parent.
BenchFolder MakeBenchFolder(const std::string& parent, const char* name);
