// Prints code page 932 text on standard output, as UTF-8 unless raw bytes
// are asked for.
#pragma once

#include <stddef.h>
#include <stdio.h>

class Output {
 public:
  explicit Output(bool raw, FILE* stream = stdout) : m_bRaw(raw), m_pStream(stream) {}
  void Write(const char* cp932, size_t length);
  void Write(const char* cp932);

 private:
  bool m_bRaw;
  FILE* m_pStream;
};
