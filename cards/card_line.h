// One card as a line of 21 tab-separated fields, the layout of the card file
// and of the card lines that the exchange appends to it, with the time
// stamps and the text fields that such lines hold.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "cards/card_record.h"

// The current local date and time, one field at a time:
// 0 year, 1 month, 2 day, 3 hour, 4 minute; the host owns the clock.
class TimeSource {
 public:
  virtual int NowField(int field) = 0;

 protected:
  ~TimeSource() = default;
};

constexpr int kTimeStampSize = 32;

// A card time stamp, "year/month/day  hh:mm". Asks the minute first and the
// year last, as the host's clock expects.
void FormatTimeStamp(TimeSource& clock, char (&out)[kTimeStampSize]);

// Appends text (at most width - 1 bytes of it) to out as a field that is
// ended by separator, in a tab-separated line: tabs, CRs and LFs become
// blanks, and an ending that would hide the separator from a reader
// (HidesNextSeparator: an odd run of backslashes, or a lone lead byte) gets
// a blank after it, or in place of its last byte where the field has no
// room. Returns the bytes appended. out has room for width bytes.
size_t AppendLineField(char* out, const char* text, size_t width, char separator);

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
  explicit LoadTime(TimeSource& clock) : m_clock(clock) {}
  const char* Text();

 private:
  TimeSource& m_clock;
  bool m_bKnown = false;
  char m_szText[kTimeStampSize] = {};
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

// Room for any int32_t written as a decimal number, and its NUL.
constexpr int kDecimalTextSize = 12;

// Writes value into out as "%d" does, without the formatter's cost (a card
// line holds seven numbers); returns its length.
int FormatDecimal(int32_t value, char* out);
