#pragma once
// The month grid of the calendar: six rows of seven days starting on a
// chosen weekday, with days of the months before and after around the
// shown month (at least a few of the month before, so the first row never
// starts with the 1st unless the month is too long for that), and the ISO
// 8601 week number of each row.
#include <array>

#include "platform/rtl/TypeInfo.h"

namespace vg {

// The first day of the calendar's week; vgLocaleDefault takes the user's.
RTL_ENUM(TvgCalDayOfWeek, vgMonday, vgTuesday, vgWednesday, vgThursday, vgFriday, vgSaturday, vgSunday,
         vgLocaleDefault)

// The grid's first weekday, 0 Sunday ... 6 Saturday.
int vgCalendarFirstDayNum(TvgCalDayOfWeek firstDayOfWeek);

struct TvgCalendarCell {
  int Day = 0;          // day of its month
  bool InMonth = false; // false: a day of the month before or after
};

struct TvgCalendarMonth {
  int FirstDayNum = 0;  // the first column's weekday, 0 Sunday ... 6 Saturday
  int Offset = 0;       // the grid offset: the 1st sits at cell Offset - 1 - FirstDayNum
  int DaysInMonth = 0;
  std::array<TvgCalendarCell, 42> Cells{};
  // The ISO week of each row's Monday.
  std::array<int, 6> Weeks{};

  int CellOfDay(int day) const { return day + Offset - 2 - FirstDayNum; }
  // The day of the shown month at a cell, or 0 for a day of another month.
  int DayAt(int cell) const;
};

TvgCalendarMonth vgCalendarMonth(int year, int month, int firstDayNum);

}  // namespace vg
