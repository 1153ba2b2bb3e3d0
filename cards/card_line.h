// One card as a line of 21 tab-separated fields, the layout of the card file
// and of the card lines that the exchange appends to it.
#pragma once

#include "cards/card_record.h"
#include "cards/time_stamp.h"

// The longest line that FormatCardLine can make, line feed included.
constexpr int kMaxCardLineBytes = 2220;

// Lines are read whole up to this many bytes; a longer line keeps this much
// and loses the rest, but stays one card.
constexpr int kLineBufferSize = 16384;

// Lines shorter than this, line end included, are not cards.
constexpr int kMinCardLineBytes = 20;

// What an empty name becomes on loading, so that the card keeps its slot.
extern const char kUnnamedCardName[];

// The first line of the card file, without its line end.
extern const char kCardFileHeading[];

// Stamps empty dates with one time per load, asked of the clock only when a
// line needs it.
class LoadTime {
 public:
  explicit LoadTime(TimeSource& clock) : clock_(clock) {}
  const char* Text();

 private:
  TimeSource& clock_;
  bool known_ = false;
  char text_[kTimeStampSize] = {};
};

// Fills card (which must be all zero) from a line of length bytes, its line
// feed included when it has one. line[length] must be readable. Returns
// false when the card could not keep all of the line: a field cut to its
// width, a NUL byte, or fields past the 21st.
bool ParseCardLine(const char* line, int length, CardRecord& card, LoadTime& now);

// Writes the card's line, line feed included, into out; returns its length.
// A text that would break the line (a tab, a line end, or an ending that
// would hide the next tab) is written so that it reads back as written.
int FormatCardLine(const CardRecord& card, char (&out)[kMaxCardLineBytes + 1]);

// Decimal conversion that skips leading blanks (not tabs), takes an optional
// sign and stops at the first non-digit or at end; saturates at the int range.
int ParseDecimal(const char* text, const char* end);
