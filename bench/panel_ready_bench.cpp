// Times the panel from StartPanel to its ready notice through the real
// Quillbook.dll, on an empty book and on a full book of 500 cards at every
// field's width: the load is the only part of the panel's start that grows
// with the book, so the ratio of the two says what the book costs.
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/bench_book.h"
#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "tests/win32/test_host.h"

namespace {

constexpr int kRounds = 20;

double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Puts a full book in the host's data folder before its first panel.
void WriteFullBook(TestHost& host) {
  static CardTable table;
  FillFullWidthBook(table, kMaxCards);
  std::string folder = std::string(host.services.GetDataDirectory(1, 0)) + "\\" + kBookFolderName;
  CreateDirectoryA(folder.c_str(), nullptr);
  if (SaveCardFile(host.services.BookFile(kCardFileName).c_str(), table) != 1) {
    fprintf(stderr, "panel_ready_bench: cannot write the full book\n");
    exit(1);
  }
}

// One panel's time from StartPanel to the ready notice; it is closed again,
// which saves the book as it was.
double ReadyMs(TestHost& host) {
  double start = NowMs();
  if (host.OpenPanel() == nullptr) {
    fprintf(stderr, "panel_ready_bench: the panel did not open\n");
    exit(1);
  }
  double time = NowMs() - start;
  host.ClosePanel();
  return time;
}

// The quickest round: what the work itself takes, with the least of what
// else the machine was doing at the time.
double Quickest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

}  // namespace

int main() {
  TestHost emptyBook;
  TestHost fullBook;
  WriteFullBook(fullBook);
  // The first panel of a process loads the controls' code and the fonts.
  ReadyMs(emptyBook);
  std::vector<double> empty;
  std::vector<double> full;
  // Alternating rounds share whatever else the machine is doing.
  for (int round = 0; round < kRounds; ++round) {
    empty.push_back(ReadyMs(emptyBook));
    full.push_back(ReadyMs(fullBook));
  }
  double emptyMs = Quickest(empty);
  double fullMs = Quickest(full);
  printf("panel ready, empty book: %.1f ms (quickest of %d)\n", emptyMs, kRounds);
  printf("panel ready, %d cards at every field's width: %.1f ms (%.2fx the empty book)\n",
         kMaxCards, fullMs, fullMs / emptyMs);
  return 0;
}
