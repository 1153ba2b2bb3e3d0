// Times loading and saving a full address book of 500 cards, and splitting
// its lines; prints milliseconds per operation.
#include <stdio.h>
#include <string.h>

#include <chrono>
#include <string>

#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "text/text_helpers.h"

namespace {

class BenchClock : public TimeSource {
 public:
  int NowField(int field) override { return field == 0 ? 2026 : 1; }
};

CardTable g_table;

void FillBook() {
  g_table.Clear();
  for (int i = 0; i < kMaxCards; ++i) {
    CardRecord& card = g_table.m_cards[i];
    snprintf(card.name, sizeof card.name, "山田 太郎 %d", i);
    snprintf(card.reading, sizeof card.reading, "ﾔﾏﾀﾞ ﾀﾛｳ %d", i);
    strcpy(card.group, "友人");
    strcpy(card.postalCode, "100-0001");
    memset(card.address, 'a', 300);
    for (PhoneEntry& phone : card.phones) strcpy(phone.number, "03-1234-5678");
    for (MailEntry& mail : card.mails) strcpy(mail.address, "taro.yamada@example.com");
    memset(card.memo, 'm', 400);
    strcpy(card.created, "2026/1/1  00:00");
    strcpy(card.lastModified, "2026/1/1  00:00");
  }
  g_table.m_nCardCount = kMaxCards;
}

template <typename F>
double MillisecondsPerRun(int runs, F&& run) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) run();
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / runs;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "/tmp/quillbook_bench.dat";
  BenchClock clock;
  FillBook();
  double save = MillisecondsPerRun(20, [&] { SaveCardFile(path.c_str(), g_table); });
  double load = MillisecondsPerRun(20, [&] { LoadCardFile(path.c_str(), g_table, clock); });
  char line[kMaxCardLineBytes + 1];
  int length = FormatCardLine(g_table.m_cards[1], line);
  volatile int sink = 0;
  double split = MillisecondsPerRun(2000, [&] {
    const char* cursor = line;
    int remaining = length;
    for (int d; (d = FindSeparator(cursor, remaining, '\t')) >= 0;
         cursor += d + 1, remaining -= d + 1)
      sink = sink + d;
  });
  printf("cards: %d\n", g_table.m_nCardCount);
  printf("load 500 cards: %.3f ms\n", load);
  printf("save 500 cards: %.3f ms (including flush to disk)\n", save);
  printf("split one card line: %.4f ms\n", split);
  remove(path.c_str());
  return g_table.m_nCardCount == kMaxCards ? 0 : 1;
}
