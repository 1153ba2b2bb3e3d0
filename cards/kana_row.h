// Which heading of the name view a card falls under: the kana row of the
// first byte of its reading (half-width katakana), else "その他".
#pragma once

constexpr int kKanaRowCount = 10;
constexpr int kOtherHeading = 10;  // index of "その他" among the headings

extern const char* const kKanaRowHeadings[kKanaRowCount];  // "あ行" … "わ行"
extern const char kOtherHeadingText[];                     // "その他"

// 0 to 9 for あ行 to わ行, kOtherHeading for everything else.
int KanaRowOfReading(const char* reading);
