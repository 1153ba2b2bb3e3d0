#include "cards/kana_row.h"

const char* const kKanaRowHeadings[kKanaRowCount] = {"あ行", "か行", "さ行", "た行", "な行",
                                                     "は行", "ま行", "や行", "ら行", "わ行"};
const char kOtherHeadingText[] = "その他";

int KanaRowOfReading(const char* reading) {
  // The first byte of each row, ｱ ｶ ｻ ﾀ ﾅ ﾊ ﾏ ﾔ ﾗ ﾜ, and the byte after ﾝ.
  static const unsigned char kRowStarts[kKanaRowCount + 1] = {0xB1, 0xB6, 0xBB, 0xC0, 0xC5, 0xCA,
                                                              0xCF, 0xD4, 0xD7, 0xDC, 0xDE};
  unsigned char first = static_cast<unsigned char>(reading[0]);
  for (int row = 0; row < kKanaRowCount; ++row) {
    if (first >= kRowStarts[row] && first < kRowStarts[row + 1]) return row;
  }
  return kOtherHeading;
}
