// What the fuzz targets share: the check that stops a run so that the fuzzer
// keeps the input, a reader of option bytes, scratch files, a fixed clock,
// and the card comparisons of the card file's round trip.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "cards/book_paths.h"
#include "cards/card_line.h"
#include "cards/card_record.h"

// Not assert(): it has to hold in every build type, and it names the input's
// broken promise before the abort that the fuzzer reports.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))

[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);

// The fuzz input, consumed from the front: option bytes first, then data.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}
  // The next byte, 0 once the input is used up.
  uint8_t Byte();
  // Up to count bytes; *taken tells how many there were.
  const uint8_t* Bytes(size_t count, size_t* taken);
  // Everything not taken yet.
  const uint8_t* Rest(size_t* taken) { return Bytes(m_nSize - m_nOffset, taken); }
  size_t Left() const { return m_nSize - m_nOffset; }

 private:
  const uint8_t* m_pData;
  size_t m_nSize;
  size_t m_nOffset = 0;
};

// A heap copy of text[0..length) with its NUL, length + 1 bytes in all, so
// that the sanitizer sees a read or write past the exact size; free() it.
char* HeapCopy(const char* text, size_t length);

// A folder of this process, removed at exit. It lies in memory where the
// machine has /dev/shm, since every save flushes its file to the disk.
const char* ScratchFolder();

// folder/name, for a name that fits.
void ScratchPath(char (&out)[kPathBufferSize], const char* folder, const char* name);

// A folder of the scratch folder that holds a Quillbook folder: a data
// directory as the host gives it. Made on the first call.
void MakeDataDirectory(char (&out)[kPathBufferSize], const char* name);

bool WriteFileBytes(const char* path, const void* bytes, size_t size);

// The whole file into buffer (capacity bytes); its size, or -1 when it cannot
// be read or does not fit.
long ReadFileBytes(const char* path, char* buffer, size_t capacity);

// Always 2026/7/4  09:05, the stamp that empty dates get on loading.
class FixedClock : public TimeSource {
 public:
  int NowField(int field) override;
  const char* Stamp();

 private:
  char m_szStamp[kTimeStampSize] = {};
};

// Every text field ends inside its buffer.
void CheckCardFits(const CardRecord& card);

// after is the card that the card file gives back for before: every text as
// the line writer promises to put it on the line (see AppendLineField), an
// empty date as the load's stamp, an empty name as the unnamed card's name,
// and every number as it was.
void CheckCardReadsBack(const CardRecord& before, const CardRecord& after, const char* stamp);

// Field for field equal, the numbers included.
void CheckSameCard(const CardRecord& a, const CardRecord& b);
