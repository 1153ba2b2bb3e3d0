#include "cards/time_stamp.h"

#include <stdio.h>

void FormatTimeStamp(TimeSource& clock, char (&out)[kTimeStampSize]) {
  int minute = clock.NowField(4);
  int hour = clock.NowField(3);
  int day = clock.NowField(2);
  int month = clock.NowField(1);
  int year = clock.NowField(0);
  snprintf(out, sizeof out, "%d/%d/%d  %02d:%02d", year, month, day, hour, minute);
}
