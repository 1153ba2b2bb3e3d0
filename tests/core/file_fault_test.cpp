// Every step of every write the book makes, failed once and from then on:
// the old file stays byte for byte or the new one is whole, a failure is
// never reported as success, and nothing is left beside the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cards/card_file.h"
#include "cards/safe_file.h"
#include "groups/group_list.h"
#include "tests/core/exchange_fixture.h"

namespace {

const char* NameOf(int index, char*, int, void*) {
  static const char* const kNames[] = {"家族", "仕事", "友人"};
  return index < 3 ? kNames[index] : nullptr;
}

class FileFaultTest : public ExchangeTest {
 protected:
  void TearDown() override {
    SetFileFaultForTesting(nullptr);
    ExchangeTest::TearDown();
  }
  void PutFiles() {
    PutBookOf(3);
    WriteBytes(m_strGroupPath, "家族\r\n");
    PutExchangeFile("old export\r\n山田\tﾔﾏﾀﾞ\r\n");
    std::filesystem::remove(m_strBookPath + ".1.bak");
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder.Path())) {
      names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string m_strGroupPath = m_folder.File(kBookFolderName) + kPathSeparator + kGroupFileName;
};

TEST_F(FileFaultTest, EveryFailedStepLeavesTheOldFileOrTheWholeNewOne) {
  static CardTable table;
  FixedClock clock;
  Columns({"名前", "読み"});
  struct Operation {
    const char* name;
    std::string target;
    std::function<int()> run;
  };
  const std::vector<Operation> operations = {
      {"save", m_strBookPath, [&] { return SaveCardFile(m_strBookPath.c_str(), table); }},
      {"groups", m_strGroupPath,
       [&] { return WriteGroupNames(m_strGroupPath.c_str(), NameOf, nullptr); }},
      {"append", m_strBookPath,
       [&] { return m_book.AppendImportedCards(m_options.dataDirectory, 2, m_messages); }},
      {"import", m_strBookPath, [&] { return Import(); }},
      {"export", m_options.path, [&] { return Export(); }},
      {"keep", m_strBookPath + ".1.bak",
       [&] {
         FileProblem problem;
         return CopyWholeFile(m_strBookPath.c_str(), (m_strBookPath + ".1.bak").c_str(), problem)
                    ? 1
                    : 0;
       }},
  };
  const FileProblem kProblems[] = {FileProblem::kFull, FileProblem::kBroken, FileProblem::kInUse};
  int runs = 0, faults = 0, landed = 0, refused = 0;
  for (const Operation& operation : operations) {
    PutFiles();
    LoadCardFile(m_strBookPath.c_str(), table, clock);
    Reload();
    const std::string old = ReadBytes(operation.target);
    const std::vector<std::string> files = Listing();
    SetFileFaultForTesting(nullptr);
    ASSERT_EQ(1, operation.run()) << operation.name;
    const std::string whole = ReadBytes(operation.target);
    const std::vector<std::string> filesAfter = Listing();
    ASSERT_NE(old, whole) << operation.name;
    int calls[kFileSteps];
    for (int s = 0; s < kFileSteps; ++s) calls[s] = FileStepCallsForTesting(FileStep(s));

    for (int s = 0; s < kFileSteps; ++s) {
      for (int passing = 0; passing < calls[s]; ++passing) {
        for (bool persistent : {false, true}) {
          for (FileProblem problem : kProblems) {
            SCOPED_TRACE(std::string(operation.name) + " step " + std::to_string(s) + " after " +
                         std::to_string(passing) + (persistent ? " from then on" : " once") +
                         " problem " + std::to_string(static_cast<int>(problem)));
            PutFiles();
            const FileFault fault = {FileStep(s), passing, persistent, problem};
            SetFileFaultForTesting(&fault);
            int result = operation.run();
            int hits = FileFaultsHitForTesting();
            SetFileFaultForTesting(nullptr);
            ++runs;
            faults += hits;
            EXPECT_GT(hits, 0);
            if (result == 1) {
              ++landed;
              EXPECT_EQ(whole, ReadBytes(operation.target));
              EXPECT_EQ(filesAfter, Listing());
              // Only a file held for a moment lets a retry land the save.
              EXPECT_TRUE(FileStep(s) == FileStep::kReplace && !persistent &&
                          problem == FileProblem::kInUse);
            } else {
              ++refused;
              EXPECT_EQ(old, ReadBytes(operation.target));
              EXPECT_EQ(files, Listing());
            }
          }
        }
      }
    }
    // A clean write after all of them still lands.
    PutFiles();
    EXPECT_EQ(1, operation.run()) << operation.name;
  }
  printf("file faults: %d runs, %d faults, %d landed after a retry, %d refused\n", runs, faults,
         landed, refused);
  EXPECT_EQ(runs, landed + refused);
}

}  // namespace
