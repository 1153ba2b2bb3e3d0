// Times loading and saving a full address book of 500 cards, splitting its
// lines, and exporting and importing it; prints milliseconds per operation.
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <chrono>
#include <string>

#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "exchange/exchange_book.h"
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

class QuietMessages : public ExchangeMessages {
 public:
  void Tell(const char*, ExchangeIcon) override {}
};

ExchangeBook g_exchange;
ExchangeOptions g_options;

// Export of the full book with every field as a comma column, and import of
// the file back into a book of the owner's card alone (499 cards, then the
// limit). Returns false when either fails.
bool TimeExchange(const std::string& path, double& exportMs, double& importMs) {
  std::string data = path + ".exchange";
  std::string folder = data + "/" + kBookFolderName;
  mkdir(data.c_str(), 0700);
  mkdir(folder.c_str(), 0700);
  std::string book = folder + "/" + kCardFileName;
  snprintf(g_options.dataDirectory, sizeof g_options.dataDirectory, "%s", data.c_str());
  snprintf(g_options.path, sizeof g_options.path, "%s/export.csv", data.c_str());
  g_options.delimiter = ',';
  g_options.heading = 1;
  g_options.fieldCount = kExchangeFieldCount;
  for (int i = 0; i < kExchangeFieldCount; ++i) {
    snprintf(g_options.fields[i], sizeof g_options.fields[i], "%s", kExchangeFieldNames[i]);
    AddOrderEntry(g_options, kExchangeFieldNames[i]);
  }
  QuietMessages messages;
  FillBook();
  SaveCardFile(book.c_str(), g_table);
  bool ok = true;
  exportMs =
      MillisecondsPerRun(20, [&] { ok = g_exchange.ExportCards(g_options, messages) && ok; });
  g_table.m_nCardCount = 1;
  const int runs = 20;
  double spent = 0;
  for (int i = 0; i < runs && ok; ++i) {
    SaveCardFile(book.c_str(), g_table);
    spent += MillisecondsPerRun(1, [&] { ok = g_exchange.ImportCards(g_options, messages) != 0; });
    ok = ok && g_exchange.m_nImported == kMaxCards - 1;
  }
  importMs = spent / runs;
  remove(g_options.path);
  remove(book.c_str());
  remove(folder.c_str());
  remove(data.c_str());
  return ok;
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
  double exportMs = 0;
  double importMs = 0;
  bool exchanged = TimeExchange(path, exportMs, importMs);
  FillBook();
  printf("cards: %d\n", g_table.m_nCardCount);
  printf("load 500 cards: %.3f ms\n", load);
  printf("save 500 cards: %.3f ms (including flush to disk)\n", save);
  printf("split one card line: %.4f ms\n", split);
  printf("export 500 cards, 18 comma columns: %.3f ms\n", exportMs);
  printf("import 499 cards into the owner's book: %.3f ms (including flush to disk)\n", importMs);
  remove(path.c_str());
  return g_table.m_nCardCount == kMaxCards && exchanged ? 0 : 1;
}
