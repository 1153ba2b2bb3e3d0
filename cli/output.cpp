#include "cli/output.h"

#include <errno.h>
#include <iconv.h>
#include <stdio.h>
#include <string.h>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

class Cp932ToUtf8 {
 public:
  Cp932ToUtf8() : cd_(iconv_open("UTF-8", "CP932")) {}
  ~Cp932ToUtf8() {
    if (cd_ != kNoConverter) iconv_close(cd_);
  }
  bool Ready() const { return cd_ != kNoConverter; }

  // A byte that code page 932 does not define shows as U+FFFD, so that one
  // damaged byte never hides the rest of the line.
  void Convert(const char* in, size_t length, FILE* out) {
    char* source = const_cast<char*>(in);
    char chunk[1024];
    while (length > 0) {
      char* target = chunk;
      size_t room = sizeof chunk;
      size_t result = iconv(cd_, &source, &length, &target, &room);
      fwrite(chunk, 1, sizeof chunk - room, out);
      if (result == static_cast<size_t>(-1) && errno != E2BIG) {
        fputs("\xEF\xBF\xBD", out);
        ++source;
        --length;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

 private:
  iconv_t cd_;
};

}  // namespace

void Output::Write(const char* cp932, size_t length) {
  static Cp932ToUtf8 converter;
  if (raw_ || !converter.Ready()) {
    fwrite(cp932, 1, length, stream_);
    return;
  }
  converter.Convert(cp932, length, stream_);
}

void Output::Write(const char* cp932) { Write(cp932, strlen(cp932)); }
