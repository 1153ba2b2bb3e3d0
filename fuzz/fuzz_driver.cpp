// Runs a fuzz target where there is no libFuzzer (GCC builds): first the
// files named on the command line, then a fixed stream of inputs made from
// one seed, so that a failure found here is found again on every run.
//
//   fuzz_NAME [-runs=N] [-seed=N] [FILE_OR_FOLDER ...]
//
// The options are spelled as libFuzzer spells them, so that one test command
// runs either kind of build. The input of a failure is left in
// fuzz-failure.bin; `fuzz_NAME -runs=0 fuzz-failure.bin` runs it again.
#include <fcntl.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// The header comes with the compiler, but its functions only with a
// sanitizer's run-time library: a build without one has neither.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QB_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QB_ADDRESS_SANITIZER)
#include <sanitizer/common_interface_defs.h>
#define QB_HAVE_SANITIZER_CALLBACK 1
#endif

namespace {

using Bytes = std::vector<uint8_t>;

// The bytes that the readers and writers treat apart: separators, line
// ends, escapes, quotes, the signs of phone numbers and mail addresses, and
// the bytes that begin two-byte characters under one rule and not another.
const uint8_t kSpecialBytes[] = {'\t', '\r', '\n', '\\', '"',  ',',  ' ',  '\0', '-',  '(',
                                 ')',  'P',  '@',  '.',  '0',  '9',  '+',  '|',  0x7F, 0x80,
                                 0xA0, 0xA1, 0xDF, 0xE0, 0xFC, 0xFD, 0xFE, 0xFF, 0x01, 0x1F};

// Pieces that mean something: characters that narrow, the ideographic
// space, characters whose second byte is a backslash (ソ, 表), a byte order
// mark, and the separators, escapes and quotes in the pairs that matter.
const char* const kTokens[] = {
    "\x81\x40", "\x81\x5B", "\x81\x69", "\x81\x97", "\x82\x4F", "\x82\x60", "\x82\x81",
    "\x82\x9F", "\x82\xAA", "\x82\xF1", "\x83\x40", "\x83\x94", "\x83\x7F", "\x83\x5C",
    "\x95\x5C", "\x81\x5C", "\x8A\xBF", "\r\n",     "\\\t",     "\\\\",     "\"\"",
    "\",\"",    "\"\n",     "\\,",      "\t\t",     "0\t",      "a@b.c",    "\xEF\xBB\xBF"};

class Generator {
 public:
  explicit Generator(uint32_t seed) : m_random(seed) {}

  void Make(Bytes& out) {
    out.clear();
    size_t size = PickSize();
    // Each input leans its own way, so that some are mostly separators and
    // others mostly two-byte text.
    m_nSpecial = Below(60);
    while (out.size() < size) Piece(out, size);
    out.resize(size);
  }

  void Mutate(const Bytes& seed, Bytes& out) {
    out = seed;
    int edits = 1 + static_cast<int>(Below(8));
    for (int i = 0; i < edits; ++i) {
      size_t at = out.empty() ? 0 : Below(static_cast<uint32_t>(out.size()));
      switch (Below(4)) {
        case 0:
          if (!out.empty()) out[at] = OneByte();
          break;
        case 1: {
          Bytes piece;
          Piece(piece, 1 + Below(40));
          out.insert(out.begin() + static_cast<long>(at), piece.begin(), piece.end());
          break;
        }
        case 2:
          if (!out.empty()) {
            size_t n = 1 + Below(static_cast<uint32_t>(out.size() - at));
            out.erase(out.begin() + static_cast<long>(at), out.begin() + static_cast<long>(at + n));
          }
          break;
        default:
          if (!out.empty()) {
            size_t n = 1 + Below(static_cast<uint32_t>(std::min<size_t>(out.size() - at, 600)));
            Bytes copy(out.begin() + static_cast<long>(at),
                       out.begin() + static_cast<long>(at + n));
            out.insert(out.begin() + static_cast<long>(at), copy.begin(), copy.end());
          }
          break;
      }
    }
  }

  uint32_t Below(uint32_t n) { return n == 0 ? 0 : m_random() % n; }

 private:
  // Mostly short inputs, some past the field widths, a few past the line
  // buffer of 16 KiB.
  size_t PickSize() {
    uint32_t r = Below(100);
    if (r < 40) return Below(65);
    if (r < 75) return Below(600);
    if (r < 95) return Below(4200);
    return 16000 + Below(4000);
  }

  uint8_t OneByte() {
    if (Below(100) < m_nSpecial) return kSpecialBytes[Below(sizeof kSpecialBytes)];
    return static_cast<uint8_t>(Below(256));
  }

  void Piece(Bytes& out, size_t size) {
    uint32_t r = Below(100);
    if (r < 30) {
      out.push_back(OneByte());
    } else if (r < 45) {
      // A two-byte character: a lead byte of code page 932, any second byte.
      out.push_back(static_cast<uint8_t>(Below(2) ? 0x81 + Below(0x1F) : 0xE0 + Below(0x1D)));
      out.push_back(static_cast<uint8_t>(Below(4) ? 0x40 + Below(0xBD) : 0x5C));
    } else if (r < 55) {
      const char* token = kTokens[Below(sizeof kTokens / sizeof *kTokens)];
      out.insert(out.end(), token, token + strlen(token));
    } else if (r < 63) {
      out.push_back(static_cast<uint8_t>(0xA1 + Below(0x3F)));  // half-width kana
    } else if (r < 68) {
      // A long run, to go past the widths of the fields.
      size_t run = std::min<size_t>(16 + Below(700), size - std::min(size, out.size()));
      uint8_t byte = Below(2) ? OneByte() : static_cast<uint8_t>('a' + Below(26));
      bool pair = Below(3) == 0;
      for (size_t i = 0; i < run; ++i) {
        out.push_back(pair && i % 2 == 0 ? 0x82 : byte);
      }
    } else {
      out.push_back(static_cast<uint8_t>(0x20 + Below(0x5F)));
    }
  }

  std::mt19937 m_random;
  uint32_t m_nSpecial = 0;
};

bool ReadInputFile(const std::filesystem::path& path, Bytes& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Files as given, and the regular files of a folder.
bool CollectInputs(const char* argument, std::vector<Bytes>& inputs) {
  std::error_code error;
  std::filesystem::path path(argument);
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(path, error)) {
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
      if (entry.is_regular_file(error)) files.push_back(entry.path());
    }
  } else {
    files.push_back(path);
  }
  for (const auto& file : files) {
    Bytes bytes;
    if (!ReadInputFile(file, bytes)) {
      fprintf(stderr, "cannot read %s\n", file.string().c_str());
      return false;
    }
    inputs.push_back(std::move(bytes));
  }
  return true;
}

bool NumberOption(const char* argument, const char* name, long& value) {
  size_t n = strlen(name);
  if (strncmp(argument, name, n) != 0) return false;
  char* end = nullptr;
  value = strtol(argument + n, &end, 10);
  if (end == argument + n || *end != '\0' || value < 0) {
    fprintf(stderr, "bad option %s\n", argument);
    exit(2);
  }
  return true;
}

// The input being run, kept for the failure file.
const uint8_t* g_current = nullptr;
size_t g_currentSize = 0;
const char kFailureFile[] = "fuzz-failure.bin";

// Runs as the process dies (abort, or a sanitizer's report), so it keeps to
// calls that are safe in a signal handler.
void SaveFailingInput() {
  if (g_current == nullptr) return;
  int fd = open(kFailureFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  size_t written = 0;
  while (written < g_currentSize) {
    ssize_t n = write(fd, g_current + written, g_currentSize - written);
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  close(fd);
  const char note[] = "the failing input is in fuzz-failure.bin\n";
  ssize_t ignored = write(2, note, sizeof note - 1);
  (void)ignored;
  g_current = nullptr;
}

void OnAbort(int) {
  SaveFailingInput();
  signal(SIGABRT, SIG_DFL);
  raise(SIGABRT);
}

void Run(const Bytes& input) {
  // A copy of exactly the input's size, so that a read past its end is
  // caught by the address sanitizer.
  uint8_t* copy = static_cast<uint8_t*>(malloc(input.empty() ? 1 : input.size()));
  if (!input.empty()) memcpy(copy, input.data(), input.size());
  g_current = copy;
  g_currentSize = input.size();
  LLVMFuzzerTestOneInput(copy, input.size());
  g_current = nullptr;
  free(copy);
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGABRT, OnAbort);
#ifdef QB_HAVE_SANITIZER_CALLBACK
  __sanitizer_set_death_callback(SaveFailingInput);
#endif
  long runs = 2000;
  long seed = 1;
  std::vector<Bytes> inputs;
  for (int i = 1; i < argc; ++i) {
    if (NumberOption(argv[i], "-runs=", runs) || NumberOption(argv[i], "-seed=", seed)) continue;
    if (argv[i][0] == '-') {
      fprintf(stderr, "usage: %s [-runs=N] [-seed=N] [FILE_OR_FOLDER ...]\n", argv[0]);
      return 2;
    }
    if (!CollectInputs(argv[i], inputs)) return 2;
  }
  for (const Bytes& input : inputs) Run(input);
  Generator generator(static_cast<uint32_t>(seed));
  Bytes input;
  for (long i = 0; i < runs; ++i) {
    // With files given, half the stream grows from them.
    if (!inputs.empty() && generator.Below(2) == 0) {
      generator.Mutate(inputs[generator.Below(static_cast<uint32_t>(inputs.size()))], input);
    } else {
      generator.Make(input);
    }
    Run(input);
  }
  printf("%zu files and %ld generated inputs passed (seed %ld)\n", inputs.size(), runs, seed);
  return 0;
}
