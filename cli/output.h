// Prints code page 932 text on standard output, as UTF-8 unless raw bytes
// are asked for.
#pragma once

#include <stddef.h>

class Output {
 public:
  explicit Output(bool raw) : raw_(raw) {}
  void Write(const char* cp932, size_t length);
  void Write(const char* cp932);

 private:
  bool raw_;
};
