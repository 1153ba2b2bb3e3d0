#include "bench/bench_book.h"

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include "cards/book_paths.h"
#include "text/byte_text.h"

const char kWordInEveryMemo[] = "備考";
const char kWordsNowhere[] = "存在しない nowhere";
const char kJapaneseWordsNowhere[] = "見つからない語 zzz";
const char kAddressStartNowhere[] = "東京タワー";
const char kAsciiWordNowhere[] = "nowhere";
const char kFoldedWordsNowhere[] = "ヤマモト yamamoto";

namespace {

// index, then the pattern again and again, to exactly width - 1 bytes.
void FillField(char* field, size_t width, int index, const char* pattern) {
  char text[1024];
  int n = snprintf(text, sizeof text, "%d", index);
  while (static_cast<size_t>(n) < width) n += snprintf(text + n, sizeof text - n, "%s", pattern);
  size_t length = CopyCut(field, width, text, static_cast<size_t>(n));
  // A two-byte character cut off leaves a byte of room.
  if (length + 1 < width) memcpy(field + length, "x", 2);
}

}  // namespace

void FillFullWidthBook(CardTable& table, int count) {
  table.Clear();
  for (int i = 0; i < count; ++i) {
    CardRecord card = {};
    FillField(card.name, sizeof card.name, i, "山田太郎");
    FillField(card.reading, sizeof card.reading, i, "ﾔﾏﾀﾞﾀﾛｳ");
    FillField(card.group, sizeof card.group, i, "友人と仕事");
    FillField(card.postalCode, sizeof card.postalCode, i, "100-0001");
    FillField(card.address, sizeof card.address, i, "東京都千代田区千代田1-1 ");
    for (PhoneEntry& phone : card.phones) {
      phone.type = 2;
      FillField(phone.number, sizeof phone.number, i, "03-1234-5678");
    }
    for (MailEntry& mail : card.mails) {
      mail.type = 1;
      FillField(mail.address, sizeof mail.address, i, "taro.yamada@example.jp");
    }
    // The searched word closes the memo, so that a hit tries every field.
    FillField(card.memo, sizeof card.memo - strlen(kWordInEveryMemo), i, "メモ memo ");
    strcat(card.memo, kWordInEveryMemo);
    strcpy(card.created, "2026/1/1  00:00");
    strcpy(card.lastModified, "2026/12/8  12:00");
    card.modifyCount = i;
    table.StoreCard(i, card);
  }
}

#ifdef _WIN32
#define mkdir(path, mode) _mkdir(path)
#endif

BenchFolder MakeBenchFolder(const std::string& parent, const char* name) {
  BenchFolder folder;
  folder.data = parent + "/" + name;
  mkdir(folder.data.c_str(), 0700);
  std::string books = folder.data + "/" + kBookFolderName;
  mkdir(books.c_str(), 0700);
  folder.book = books + "/" + kCardFileName;
  return folder;
}
