// Times the core on a full book of 500 cards, every field at its width,
// against the limit that the bytes set: reading the file whole and finding
// every tab and line end in it. Prints each operation's time, its ratio to
// the limit, and the allocations it makes with 500 cards and with one.
//
//   quillbook_bench [benchmark options] [FOLDER]
//
// With FOLDER the books are left there, the full one in
// FOLDER/full/Quillbook/Quillbook.dat for bench/python_csv.py to read; else
// a scratch folder is used and removed.
#include <benchmark/benchmark.h>
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>

#include "bench/allocation_count.h"
#include "bench/bench_book.h"
#include "cards/card_file.h"
#include "exchange/exchange_book.h"
#include "postcard/vertical_text.h"
#include "search/card_search.h"

namespace {

class BenchClock : public TimeSource {
 public:
  int NowField(int field) override { return field == 0 ? 2026 : 1; }
};

class CountingSink : public SearchSink {
 public:
  bool StopRequested() override { return false; }
  void Result(const char* line) override { matches += line[0] != '\0'; }
  int matches = 0;
};

class QuietMessages : public ExchangeMessages {
 public:
  void Tell(const char*, ExchangeIcon) override {}
};

// One book to time: its folder, its export file, and the folder that its
// export is imported into.
struct Book {
  int cards;
  BenchFolder folder;
  BenchFolder importInto;
  ExchangeOptions exportOptions;
  ExchangeOptions importOptions;
};

CardTable g_table;
CardTable g_owner;
ExchangeBook g_exchange;
BenchClock g_clock;
Book g_full;
Book g_single;
char g_whole[4 << 20];
size_t g_wholeSize = 0;

void SetColumns(ExchangeOptions& options, const BenchFolder& data, const std::string& file) {
  memset(&options, 0, sizeof options);
  snprintf(options.dataDirectory, sizeof options.dataDirectory, "%s", data.data.c_str());
  snprintf(options.path, sizeof options.path, "%s", file.c_str());
  options.delimiter = ',';
  options.heading = 1;
  options.fieldCount = kExchangeFieldCount;
  for (int i = 0; i < kExchangeFieldCount; ++i) {
    snprintf(options.fields[i], sizeof options.fields[i], "%s", kExchangeFieldNames[i]);
    AddOrderEntry(options, kExchangeFieldNames[i]);
  }
}

void MakeBook(Book& book, int cards, const std::string& parent, const char* name) {
  book.cards = cards;
  book.folder = MakeBenchFolder(parent, name);
  book.importInto = MakeBenchFolder(parent, (std::string(name) + "-import").c_str());
  std::string exportFile = book.folder.File("export.csv");
  SetColumns(book.exportOptions, book.folder, exportFile);
  SetColumns(book.importOptions, book.importInto, exportFile);
  FillFullWidthBook(g_table, cards);
  SaveCardFile(book.folder.book.c_str(), g_table);
  QuietMessages messages;
  g_exchange.ExportCards(book.exportOptions, messages);
}

// The operations, each once.
size_t ReadWholeAndFindEveryTabAndLineEnd(const Book& book) {
  FILE* file = fopen(book.folder.book.c_str(), "rb");
  size_t size = fread(g_whole, 1, sizeof g_whole, file);
  fclose(file);
  g_wholeSize = size;
  size_t found = 0;
  for (char end : {'\t', '\n'}) {
    for (const char* p = g_whole;
         (p = static_cast<const char*>(memchr(p, end, static_cast<size_t>(g_whole + size - p))));
         ++p) {
      ++found;
    }
  }
  return found;
}

// What writing costs beside reading: the same bytes written whole to a new
// file, the floor of every operation that writes one.
size_t ReadAndWriteWhole(const Book& book) {
  ReadWholeAndFindEveryTabAndLineEnd(book);
  FILE* file = fopen(book.folder.File("copy.dat").c_str(), "wb");
  size_t written = fwrite(g_whole, 1, g_wholeSize, file);
  fclose(file);
  return written;
}

int Load(const Book& book) { return LoadCardFile(book.folder.book.c_str(), g_table, g_clock); }

int Save(const Book& book) { return SaveCardFile(book.folder.File("saved.dat").c_str(), g_table); }

int Search(const Book& book, const char* text, int mode = kTextSearch) {
  CountingSink sink;
  SearchCardFile(book.folder.book.c_str(), mode, text, sink);
  return sink.matches;
}

int Export(Book& book) {
  QuietMessages messages;
  return g_exchange.ExportCards(book.exportOptions, messages);
}

// Into a book of the owner's card alone, which is put back first.
void ResetImportBook(const Book& book) { SaveCardFile(book.importInto.book.c_str(), g_owner); }

int Import(Book& book) {
  QuietMessages messages;
  return g_exchange.ImportCards(book.importOptions, messages) ? g_exchange.m_nImported : -1;
}

// What the postcards set for every card of the loaded table: the address in
// columns, the name, the postal digits. The drawing is the command line's,
// timed by bench/python_csv.py.
size_t SetPostcardTexts() {
  static VerticalAddress address;
  static char name[192];
  char digits[kPostalDigits + 1];
  size_t bytes = 0;
  for (int slot = 0; slot < g_table.m_nCardCount; ++slot) {
    const CardRecord& card = g_table.m_cards[slot];
    ToVerticalAddress(card.address, NumberJoin::kLongVowel, address);
    bytes += strlen(address.first) + ToVerticalText(card.name, name, sizeof name);
    bytes += ReadPostalCode(card.postalCode, digits);
  }
  return bytes;
}

void BM_Limit(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeAndFindEveryTabAndLineEnd(g_full));
}

void BM_ReadAndWrite(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadAndWriteWhole(g_full));
}

void BM_Load(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Load(g_full));
  if (g_table.m_nCardCount != kMaxCards) state.SkipWithError("the book did not load whole");
}

void BM_Save(benchmark::State& state) {
  Load(g_full);
  for (auto _ : state) benchmark::DoNotOptimize(Save(g_full));
}

void BM_Search(benchmark::State& state, const char* text, int matches) {
  for (auto _ : state) {
    if (Search(g_full, text) != matches) state.SkipWithError("the search found other cards");
  }
}

void BM_FoldedSearch(benchmark::State& state, const char* text, int matches) {
  for (auto _ : state) {
    if (Search(g_full, text, kFoldSearch) != matches) {
      state.SkipWithError("the search found other cards");
    }
  }
}

void BM_Postcard(benchmark::State& state) {
  Load(g_full);
  for (auto _ : state) benchmark::DoNotOptimize(SetPostcardTexts());
}

void BM_Export(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Export(g_full));
}

void BM_Import(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    ResetImportBook(g_full);
    state.ResumeTiming();
    if (Import(g_full) != kMaxCards - 1) state.SkipWithError("the import fell short");
  }
}

struct Operation {
  const char* name;
  const char* benchmark;
  double goal;  // times the limit; 0 when none is set
  long (*allocations)(Book& book);
};

template <typename Run>
long CountAllocations(Run run) {
  long before = AllocationCount();
  run();
  return AllocationCount() - before;
}

const Operation kOperations[] = {
    {"limit: read whole + memchr", "BM_Limit", 1,
     [](Book& b) { return CountAllocations([&] { ReadWholeAndFindEveryTabAndLineEnd(b); }); }},
    {"limit + write it whole anew", "BM_ReadAndWrite", 0,
     [](Book& b) { return CountAllocations([&] { ReadAndWriteWhole(b); }); }},
    {"load", "BM_Load", 3, [](Book& b) { return CountAllocations([&] { Load(b); }); }},
    {"save (flushed)", "BM_Save", 0, [](Book& b) { return CountAllocations([&] { Save(b); }); }},
    {"search, hit in every memo", "BM_Search/hit", 4,
     [](Book& b) { return CountAllocations([&] { Search(b, kWordInEveryMemo); }); }},
    {"search, two words nowhere", "BM_Search/two_words", 4,
     [](Book& b) { return CountAllocations([&] { Search(b, kWordsNowhere); }); }},
    {"search, Japanese nowhere", "BM_Search/japanese", 4,
     [](Book& b) { return CountAllocations([&] { Search(b, kJapaneseWordsNowhere); }); }},
    {"search, address start", "BM_Search/address_start", 4,
     [](Book& b) { return CountAllocations([&] { Search(b, kAddressStartNowhere); }); }},
    {"search, ASCII nowhere", "BM_Search/ascii", 4,
     [](Book& b) { return CountAllocations([&] { Search(b, kAsciiWordNowhere); }); }},
    {"folded search, kana+romaji", "BM_FoldedSearch/nowhere", 6,
     [](Book& b) {
       return CountAllocations([&] { Search(b, kFoldedWordsNowhere, kFoldSearch); });
     }},
    {"postcard texts, every card", "BM_Postcard", 0,
     [](Book& b) {
       Load(b);
       return CountAllocations([] { SetPostcardTexts(); });
     }},
    {"export, 18 comma columns", "BM_Export", 5,
     [](Book& b) { return CountAllocations([&] { Export(b); }); }},
    {"import of that export", "BM_Import", 5,
     [](Book& b) {
       ResetImportBook(b);
       return CountAllocations([&] { Import(b); });
     }},
};

// Keeps each benchmark's best processor time per run, in milliseconds.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  TableReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
  // Only the table is printed, once every benchmark has run.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.error_occurred && run.aggregate_name == "best") {
        milliseconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
  }
  std::map<std::string, double> milliseconds;
};

bool PrintTable(const TableReporter& reporter) {
  auto limit = reporter.milliseconds.find("BM_Limit");
  if (limit == reporter.milliseconds.end()) return false;
  bool complete = true;
  printf("\n%-28s %10s %9s %6s %18s\n", "operation (500 cards)", "cpu ms", "x limit", "goal",
         "allocs 500 / 1");
  for (const Operation& op : kOperations) {
    auto found = reporter.milliseconds.find(op.benchmark);
    if (found == reporter.milliseconds.end()) {
      complete = false;
      continue;
    }
    double ratio = found->second / limit->second;
    char goal[16] = "";
    if (op.goal > 1) snprintf(goal, sizeof goal, "%.0fx", op.goal);
    printf("%-28s %10.3f %9.1f %6s %8ld / %-8ld\n", op.name, found->second, ratio, goal,
           op.allocations(g_full), op.allocations(g_single));
  }
  return complete;
}

// The best of a few short runs: the machines are shared, and what another
// program takes only ever adds to a run's time.
void Timed(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)
      ->MinTime(0.05)
      ->Repetitions(5)
      ->DisplayAggregatesOnly(true)
      ->ComputeStatistics("best", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
      });
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

}  // namespace

BENCHMARK(BM_Limit)->Apply(Timed);
BENCHMARK(BM_ReadAndWrite)->Apply(Timed);
BENCHMARK(BM_Load)->Apply(Timed);
BENCHMARK(BM_Save)->Apply(Timed);
BENCHMARK_CAPTURE(BM_Search, hit, kWordInEveryMemo, kMaxCards)->Apply(Timed);
BENCHMARK_CAPTURE(BM_Search, two_words, kWordsNowhere, 0)->Apply(Timed);
BENCHMARK_CAPTURE(BM_Search, japanese, kJapaneseWordsNowhere, 0)->Apply(Timed);
BENCHMARK_CAPTURE(BM_Search, address_start, kAddressStartNowhere, 0)->Apply(Timed);
BENCHMARK_CAPTURE(BM_Search, ascii, kAsciiWordNowhere, 0)->Apply(Timed);
BENCHMARK_CAPTURE(BM_FoldedSearch, nowhere, kFoldedWordsNowhere, 0)->Apply(Timed);
BENCHMARK(BM_Postcard)->Apply(Timed);
BENCHMARK(BM_Export)->Apply(Timed);
BENCHMARK(BM_Import)->Apply(Timed);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::string parent;
  bool keep = argc > 1;
  if (keep) {
    parent = argv[1];
  } else {
    // In memory where the system has it, so that the flush to disk is not
    // what is timed.
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    char scratch[256];
    snprintf(scratch, sizeof scratch, "%s/quillbook-bench-XXXXXX", base);
    if (mkdtemp(scratch) == nullptr) return 1;
    parent = scratch;
  }
  MakeBook(g_single, 1, parent, "one");
  MakeBook(g_full, kMaxCards, parent, "full");
  g_owner.MakeDefaultOwnerCard();

  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bool complete = PrintTable(reporter);
  benchmark::Shutdown();
  if (!keep && nftw(parent.c_str(), RemoveEntry, 8, FTW_DEPTH | FTW_PHYS) != 0) return 1;
  return complete ? 0 : 1;
}
