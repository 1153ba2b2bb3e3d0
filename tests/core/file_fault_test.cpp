// Every step of every write the book makes, failed once and from then on:
// the old file stays byte for byte or the new one is whole, a failure is
// never reported as success, nothing is left beside the files, and files
// that no writer made are never touched.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cards/card_file.h"
#include "cards/safe_file.h"
#include "groups/group_list.h"
#include "tests/core/exchange_fixture.h"
#include "text/byte_text.h"

#ifdef QB_FAULT_PROBE
#include <sys/wait.h>
#endif
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const char* NameOf(int index, char*, int, void*) {
  static const char* const kNames[] = {"家族", "仕事", "友人"};
  return index < 3 ? kNames[index] : nullptr;
}

struct Operation {
  const char* name;
  std::string target;
  std::function<int()> run;  // 1: it says the write landed
};

// The calls of each step and the faults hit in the last run, in this
// process or in a command-line run.
struct StepCounts {
  int calls[kFileSteps] = {};
  int hits = 0;
};

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
    WriteBytes(m_folder.File("out"), "old");
    std::filesystem::remove(m_strBookPath + ".1.bak");
    // Names that no writer made: the user's own, and a crashed writer's.
    for (const auto& [path, bytes] : Planted()) WriteBytes(path, bytes);
  }
  std::vector<std::pair<std::string, std::string>> Planted() const {
    return {{m_strBookPath + ".new", "the user's own"},
            {std::string(m_options.path) + ".new", "the user's too"},
            {m_folder.File("out") + ".new", "and this"},
            {m_strBookPath + ".qb1-1.tmp", "left by a crash"}};
  }
  void ExpectPlantedAlone() const {
    for (const auto& [path, bytes] : Planted()) EXPECT_EQ(bytes, ReadBytes(path)) << path;
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder.Path())) {
      names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // Fails each step of each operation once and from then on, with each
  // problem, and checks what the files hold; fault sets the failure (null:
  // none) for the next run, counts tells what the last run did.
  // problems: the kinds of failure tried at every step; the replace is
  // also tried as a file held by another program.
  void FailEveryStep(const std::vector<Operation>& operations,
                     const std::function<void(const FileFault*)>& fault,
                     const std::function<StepCounts()>& counts,
                     const std::vector<FileProblem>& problems);

  std::string m_strGroupPath = m_folder.File(kBookFolderName) + kPathSeparator + kGroupFileName;
};

void FileFaultTest::FailEveryStep(const std::vector<Operation>& operations,
                                  const std::function<void(const FileFault*)>& fault,
                                  const std::function<StepCounts()>& counts,
                                  const std::vector<FileProblem>& problems) {
  std::vector<FileProblem> replaceProblems = problems;
  if (std::find(problems.begin(), problems.end(), FileProblem::kInUse) == problems.end()) {
    replaceProblems.push_back(FileProblem::kInUse);
  }
  int runs = 0, faults = 0, landed = 0, refused = 0;
  for (const Operation& operation : operations) {
    // Once first: what a write leaves for good (the command line's lock
    // file) is there before the files are compared.
    PutFiles();
    fault(nullptr);
    operation.run();
    PutFiles();
    const std::string old = ReadBytes(operation.target);
    const std::vector<std::string> files = Listing();
    fault(nullptr);
    ASSERT_EQ(1, operation.run()) << operation.name;
    const StepCounts clean = counts();
    const std::string whole = ReadBytes(operation.target);
    const std::vector<std::string> filesAfter = Listing();
    ASSERT_NE(old, whole) << operation.name;

    for (int s = 0; s < kFileSteps; ++s) {
      for (int passing = 0; passing < clean.calls[s]; ++passing) {
        for (bool persistent : {false, true}) {
          for (FileProblem problem :
               FileStep(s) == FileStep::kReplace ? replaceProblems : problems) {
            SCOPED_TRACE(std::string(operation.name) + " step " + std::to_string(s) + " after " +
                         std::to_string(passing) + (persistent ? " from then on" : " once") +
                         " problem " + std::to_string(static_cast<int>(problem)));
            PutFiles();
            const FileFault failure = {FileStep(s), passing, persistent, problem};
            fault(&failure);
            int result = operation.run();
            int hits = counts().hits;
            fault(nullptr);
            ++runs;
            faults += hits;
            EXPECT_GT(hits, 0);
            ExpectPlantedAlone();
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
    printf("%s: calls of each step", operation.name);
    for (int calls : clean.calls) printf(" %d", calls);
    printf(", %d runs so far\n", runs);
  }
  printf("file faults: %d runs, %d faults, %d landed after a retry, %d refused\n", runs, faults,
         landed, refused);
  EXPECT_EQ(runs, landed + refused);
}

TEST_F(FileFaultTest, EveryFailedStepLeavesTheOldFileOrTheWholeNewOne) {
  static CardTable table;
  FixedClock clock;
  Columns({"名前", "読み"});
  const std::vector<Operation> operations = {
      {"save", m_strBookPath,
       [&] {
         LoadCardFile(m_strBookPath.c_str(), table, clock);
         CopyCutString(table.m_cards[1].name, "changed");
         return SaveCardFile(m_strBookPath.c_str(), table);
       }},
      {"groups", m_strGroupPath,
       [&] { return WriteGroupNames(m_strGroupPath.c_str(), NameOf, nullptr); }},
      {"append", m_strBookPath,
       [&] {
         Reload();
         return m_book.AppendImportedCards(m_options.dataDirectory, 2, m_messages);
       }},
      {"import", m_strBookPath, [&] { return Import(); }},
      {"export", m_options.path, [&] { return Export(); }},
      {"keep", m_strBookPath + ".1.bak",
       [&] {
         char kept[kPathBufferSize];
         FileProblem problem;
         return KeepCopyOf(m_strBookPath.c_str(), "bak", kept, problem) ? 1 : 0;
       }},
  };
  FailEveryStep(operations, SetFileFaultForTesting,
                [] {
                  StepCounts counts;
                  for (int s = 0; s < kFileSteps; ++s)
                    counts.calls[s] = FileStepCallsForTesting(FileStep(s));
                  counts.hits = FileFaultsHitForTesting();
                  return counts;
                },
                {FileProblem::kFull, FileProblem::kBroken, FileProblem::kInUse});
}

#ifdef _WIN32
// Another program holds the book without sharing its deletion, so a save
// writes it in place, and the disk fills up meanwhile, taking half a write
// without a reason: the book is torn, but the whole new file is kept under
// a name that the panel names and that no later save removes.
TEST_F(FileFaultTest, AWriteInPlaceCutShortKeepsTheWholeNewFile) {
  static CardTable table;
  table.Clear();
  for (int i = 0; i < 60; ++i) {
    snprintf(table.m_cards[i].name, sizeof table.m_cards[i].name, "card %d", i);
    memset(table.m_cards[i].memo, 'm', 200);
  }
  table.m_nCardCount = 60;
  const std::string whole = m_folder.File("whole.dat");
  ASSERT_EQ(1, SaveCardFile(whole.c_str(), table));
  PutBookOf(3);
  HANDLE held = CreateFileA(m_strBookPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  const FileFault shortWrite = {FileStep::kWriteInPlace, 1, false, FileProblem::kBroken};
  SetFileFaultForTesting(&shortWrite);
  FileProblem problem = FileProblem::kNone;
  char unsaved[kPathBufferSize];
  EXPECT_EQ(0, SaveCardFile(m_strBookPath.c_str(), table, &problem, &unsaved));
  EXPECT_EQ(1, FileFaultsHitForTesting());
  EXPECT_EQ(FileProblem::kFull, problem);  // a reason, though the write gave none
  EXPECT_EQ(m_strBookPath + ".1.unsaved", unsaved);
  EXPECT_EQ(ReadBytes(whole), ReadBytes(unsaved));
  EXPECT_NE(ReadBytes(whole), ReadBytes(m_strBookPath));
  SetFileFaultForTesting(nullptr);
  EXPECT_EQ(1, SaveCardFile(m_strBookPath.c_str(), table, &problem, &unsaved));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(whole), ReadBytes(m_strBookPath));
  EXPECT_EQ(ReadBytes(whole), ReadBytes(m_strBookPath + ".1.unsaved"));
}
#endif

#ifdef QB_FAULT_PROBE
// The command line's writes: the scratch copy of an import, the UTF-8 and
// vCard exports, the vCard import and the groups it adds, each run by a
// program whose writes fail as asked.
TEST_F(FileFaultTest, EveryFailedStepOfTheCommandLineLeavesTheOldFileOrTheWholeNewOne) {
  const std::string scratch = m_folder.File("scratch");
  const std::string counts = m_folder.Path() + "/counts";
  std::filesystem::create_directory(scratch);
  // The command line's scratch files go where a leftover would show.
  setenv("TMPDIR", scratch.c_str(), 1);
  // Arguments and the file in UTF-8, as the shell gives them: 名前,読み and
  // 高橋 (which needs the scratch copy's conversion).
  const std::string columns = "--columns \xE5\x90\x8D\xE5\x89\x8D,\xE8\xAA\xAD\xE3\x81\xBF ";
  WriteBytes(m_folder.File("in.csv"), "h\r\n\xE9\xAB\x98\xE6\xA9\x8B,r\r\nb,r\r\n");
  WriteBytes(m_folder.File("in.vcf"), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:v\r\nEND:VCARD\r\n");
  // A card with a group that Group.dat lacks: the import adds it there.
  WriteBytes(m_folder.File("group.vcf"),
             "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:g\r\nCATEGORIES:work\r\nEND:VCARD\r\n");
  auto run = [&](const std::string& arguments) {
    return [=] {
      std::string command = std::string(QB_FAULT_PROBE) + " --data " + m_folder.Path() + " " +
                            arguments + " >/dev/null 2>&1";
      int status = std::system(command.c_str());
      return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
    };
  };
  const std::vector<Operation> operations = {
      {"command-line import", m_strBookPath,
       run("import --comma --encoding utf-8 " + columns + m_folder.File("in.csv"))},
      {"command-line vCard import", m_strBookPath,
       run("import --vcard " + m_folder.File("in.vcf"))},
      {"command-line import's groups", m_strGroupPath,
       run("import --vcard " + m_folder.File("group.vcf"))},
      {"command-line UTF-8 export", m_folder.File("out"),
       run("export --encoding utf-8 " + columns + m_folder.File("out"))},
      {"command-line vCard export", m_folder.File("out"),
       run("export --vcard " + m_folder.File("out"))},
  };
  setenv("QB_FILE_FAULT_COUNTS", counts.c_str(), 1);
  auto fault = [&](const FileFault* failure) {
    if (failure == nullptr) {
      unsetenv("QB_FILE_FAULT");
      return;
    }
    std::string asked = std::to_string(static_cast<int>(failure->step)) + " " +
                        std::to_string(failure->passing) + " " +
                        std::to_string(failure->persistent ? 1 : 0) + " " +
                        std::to_string(static_cast<int>(failure->problem));
    setenv("QB_FILE_FAULT", asked.c_str(), 1);
  };
  // Each run is a program of its own: one kind of failure at every step.
  FailEveryStep(operations, fault,
                [&] {
                  StepCounts read;
                  std::istringstream numbers(ReadBytes(counts));
                  for (int& calls : read.calls) numbers >> calls;
                  numbers >> read.hits;
                  return read;
                },
                {FileProblem::kFull});
  unsetenv("QB_FILE_FAULT_COUNTS");
  unsetenv("TMPDIR");
}
#endif

}  // namespace
