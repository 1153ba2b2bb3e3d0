// quillbook with the failure of one write step that the file fault test
// asks for: QB_FILE_FAULT holds "STEP PASSING PERSISTENT PROBLEM" (the
// numbers of a FileFault), and QB_FILE_FAULT_COUNTS names a file that gets
// the calls of each step and the faults hit, one line.
#include <stdio.h>
#include <stdlib.h>

#include "cards/safe_file.h"

int QuillbookMain(int argc, char** argv);

int main(int argc, char** argv) {
  FileFault fault = {FileStep::kCreate, 0, false, FileProblem::kFull};
  const char* asked = getenv("QB_FILE_FAULT");
  int step = 0, passing = 0, persistent = 0, problem = 0;
  bool on =
      asked != nullptr && sscanf(asked, "%d %d %d %d", &step, &passing, &persistent, &problem) == 4;
  if (on) {
    fault = {FileStep(step), passing, persistent != 0, FileProblem(problem)};
  }
  SetFileFaultForTesting(on ? &fault : nullptr);
  int status = QuillbookMain(argc, argv);
  if (const char* countsPath = getenv("QB_FILE_FAULT_COUNTS")) {
    if (FILE* counts = fopen(countsPath, "w")) {
      for (int s = 0; s < kFileSteps; ++s)
        fprintf(counts, "%d ", FileStepCallsForTesting(FileStep(s)));
      fprintf(counts, "%d\n", FileFaultsHitForTesting());
      fclose(counts);
    }
  }
  return status;
}
