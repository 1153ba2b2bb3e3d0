// Card time stamps, "year/month/day  hh:mm", from a clock that the host owns.
#pragma once

// The current local date and time, one field at a time:
// 0 year, 1 month, 2 day, 3 hour, 4 minute.
class TimeSource {
 public:
  virtual int NowField(int field) = 0;

 protected:
  ~TimeSource() = default;
};

constexpr int kTimeStampSize = 32;

// Asks the minute first and the year last, as the host's clock expects.
void FormatTimeStamp(TimeSource& clock, char (&out)[kTimeStampSize]);
