#include "fuzz/fuzz_support.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cards/card_line.h"

void FuzzCheckFailed(const char* condition, const char* file, int line) {
  fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
  fflush(stderr);
  abort();
}

uint8_t FuzzInput::Byte() { return m_nOffset < m_nSize ? m_pData[m_nOffset++] : 0; }

const uint8_t* FuzzInput::Bytes(size_t count, size_t* taken) {
  const uint8_t* start = m_pData + m_nOffset;
  *taken = count < m_nSize - m_nOffset ? count : m_nSize - m_nOffset;
  m_nOffset += *taken;
  return start;
}

namespace {

char g_scratch[kPathBufferSize];

void RemoveScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(g_scratch, ignored);
}

}  // namespace

const char* ScratchFolder() {
  if (g_scratch[0] != '\0') return g_scratch;
  const char* base = "/dev/shm";
  if (access(base, W_OK) != 0) base = getenv("TMPDIR");
  if (base == nullptr || access(base, W_OK) != 0) base = "/tmp";
  snprintf(g_scratch, sizeof g_scratch, "%s/qb_fuzz_XXXXXX", base);
  FUZZ_CHECK(mkdtemp(g_scratch) != nullptr);
  atexit(RemoveScratch);
  return g_scratch;
}

void ScratchPath(char (&out)[kPathBufferSize], const char* folder, const char* name) {
  int n = snprintf(out, sizeof out, "%s/%s", folder, name);
  FUZZ_CHECK(n > 0 && static_cast<size_t>(n) < sizeof out);
}

void MakeDataDirectory(char (&out)[kPathBufferSize], const char* name) {
  ScratchPath(out, ScratchFolder(), name);
  char book[kPathBufferSize];
  FUZZ_CHECK(BuildBookFolderPath(book, out));
  mkdir(out, 0700);
  mkdir(book, 0700);
}

bool WriteFileBytes(const char* path, const void* bytes, size_t size) {
  FILE* file = fopen(path, "wb");
  if (file == nullptr) return false;
  bool written = size == 0 || fwrite(bytes, 1, size, file) == size;
  return fclose(file) == 0 && written;
}

long ReadFileBytes(const char* path, char* buffer, size_t capacity) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return -1;
  size_t n = fread(buffer, 1, capacity, file);
  bool whole = n < capacity || getc(file) == EOF;
  bool failed = ferror(file) != 0;
  fclose(file);
  return whole && !failed ? static_cast<long>(n) : -1;
}

int FixedClock::NowField(int field) {
  static const int kNow[] = {2026, 7, 4, 9, 5};
  return field >= 0 && field < 5 ? kNow[field] : 0;
}

const char* FixedClock::Stamp() {
  if (m_szStamp[0] == '\0') FormatTimeStamp(*this, m_szStamp);
  return m_szStamp;
}

namespace {

struct TextField {
  const char* text;
  size_t width;
};

constexpr int kTextFieldCount = 14;
constexpr int kNameField = 0;
constexpr int kFirstDateField = 12;

void TextFields(const CardRecord& card, TextField (&fields)[kTextFieldCount]) {
  int n = 0;
  auto add = [&](const char* text, size_t width) { fields[n++] = {text, width}; };
  add(card.name, sizeof card.name);
  add(card.reading, sizeof card.reading);
  add(card.group, sizeof card.group);
  add(card.postalCode, sizeof card.postalCode);
  add(card.address, sizeof card.address);
  for (const PhoneEntry& phone : card.phones) add(phone.number, sizeof phone.number);
  for (const MailEntry& mail : card.mails) add(mail.address, sizeof mail.address);
  add(card.memo, sizeof card.memo);
  add(card.created, sizeof card.created);
  add(card.lastModified, sizeof card.lastModified);
}

void PrintBytes(const char* label, const char* text) {
  fprintf(stderr, "  %s:", label);
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    fprintf(stderr, " %02X", *p);
  }
  fputc('\n', stderr);
}

void CheckNumbers(const CardRecord& a, const CardRecord& b) {
  for (int i = 0; i < 3; ++i) {
    FUZZ_CHECK(a.phones[i].type == b.phones[i].type);
    FUZZ_CHECK(a.mails[i].type == b.mails[i].type);
  }
  FUZZ_CHECK(a.modifyCount == b.modifyCount);
}

constexpr size_t kWidestField = sizeof(CardRecord::memo);

}  // namespace

void CheckCardFits(const CardRecord& card) {
  TextField fields[kTextFieldCount];
  TextFields(card, fields);
  for (const TextField& field : fields) FUZZ_CHECK(strnlen(field.text, field.width) < field.width);
}

void CheckCardReadsBack(const CardRecord& before, const CardRecord& after, const char* stamp) {
  TextField written[kTextFieldCount];
  TextField read[kTextFieldCount];
  TextFields(before, written);
  TextFields(after, read);
  for (int i = 0; i < kTextFieldCount; ++i) {
    // The writer needs a byte past the field's width to try its ending.
    char expected[kWidestField + 2];
    AppendLineField(expected, written[i].text, written[i].width, '\t');
    const char* wanted = expected;
    if (wanted[0] == '\0' && i >= kFirstDateField) wanted = stamp;
    if (wanted[0] == '\0' && i == kNameField) wanted = kUnnamedCardName;
    if (strcmp(wanted, read[i].text) != 0) {
      fprintf(stderr, "text field %d does not read back as written\n", i);
      PrintBytes("held", written[i].text);
      PrintBytes("written", expected);
      PrintBytes("read", read[i].text);
      FUZZ_CHECK(!"the card line reads back as written");
    }
  }
  CheckNumbers(before, after);
}

void CheckSameCard(const CardRecord& a, const CardRecord& b) {
  TextField one[kTextFieldCount];
  TextField two[kTextFieldCount];
  TextFields(a, one);
  TextFields(b, two);
  for (int i = 0; i < kTextFieldCount; ++i) {
    if (strcmp(one[i].text, two[i].text) != 0) {
      fprintf(stderr, "text field %d differs\n", i);
      PrintBytes("one", one[i].text);
      PrintBytes("two", two[i].text);
      FUZZ_CHECK(!"the same card");
    }
  }
  CheckNumbers(a, b);
}

char* HeapCopy(const char* text, size_t length) {
  char* copy = static_cast<char*>(malloc(length + 1));
  memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}
