// The calendar's month grid: for months starting on every weekday and for
// February of a leap year, with Monday and with Sunday first, the cells run
// day by day through the months, the 1st sits in its weekday's column, and
// each row carries its ISO week number.
#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/DateTime.h"
#include "ui/controls/vg_calendargrid.h"

namespace {

using namespace vg;

struct Month {
  int year, month;
  const char* firstWeekday;
};

// The months of 2026 that start on each weekday, and a leap February.
const Month kMonths[] = {{2026, 6, "Monday"},    {2026, 9, "Tuesday"}, {2026, 4, "Wednesday"},
                         {2026, 1, "Thursday"},  {2026, 5, "Friday"},  {2026, 8, "Saturday"},
                         {2026, 2, "Sunday"},    {2024, 2, "Thursday, leap year"}};

TEST(CalendarGrid, CellsRunDayByDayWithTheFirstInItsWeekdayColumn) {
  for (const Month& m : kMonths) {
    for (TvgCalDayOfWeek first : {vgMonday, vgSunday}) {
      SCOPED_TRACE(std::to_string(m.year) + "-" + std::to_string(m.month) + " " + m.firstWeekday +
                   (first == vgMonday ? ", Monday first" : ", Sunday first"));
      const int s = vgCalendarFirstDayNum(first);
      const TvgCalendarMonth grid = vgCalendarMonth(m.year, m.month, s);
      const rtl::TDateTime firstOfMonth = rtl::EncodeDate(m.year, m.month, 1);
      const int firstCell = grid.CellOfDay(1);
      EXPECT_EQ(firstCell % 7, (rtl::DayOfWeek(firstOfMonth) - 1 - s + 7) % 7) << "column of the 1st";
      EXPECT_GE(firstCell, 1) << "the first row starts with days of the month before";
      int inMonth = 0;
      for (int cell = 0; cell < 42; ++cell) {
        int y = 0, mo = 0, d = 0;
        rtl::DecodeDate(firstOfMonth + (cell - firstCell), y, mo, d);
        EXPECT_EQ(grid.Cells[cell].Day, d) << "cell " << cell;
        EXPECT_EQ(grid.Cells[cell].InMonth, mo == m.month) << "cell " << cell;
        EXPECT_EQ(grid.DayAt(cell), mo == m.month ? d : 0);
        inMonth += grid.Cells[cell].InMonth;
      }
      EXPECT_EQ(inMonth, rtl::DaysInAMonth(m.year, m.month));
    }
  }
}

TEST(CalendarGrid, PlacesTheFirstAsTheRulesSay) {
  struct Case {
    int year, month;
    TvgCalDayOfWeek first;
    int offset, firstCell;
  };
  for (const Case& c : {Case{2026, 2, vgSunday, 8, 7},  // Sunday the 1st, Sunday first: a whole row before
                        Case{2026, 4, vgMonday, 4, 2},  // Wednesday the 1st, Monday first
                        Case{2025, 12, vgSunday, 2, 1}}) {  // 31 days from Monday: only one day before
    const TvgCalendarMonth grid = vgCalendarMonth(c.year, c.month, vgCalendarFirstDayNum(c.first));
    EXPECT_EQ(grid.Offset, c.offset) << c.month;
    EXPECT_EQ(grid.CellOfDay(1), c.firstCell) << c.month;
  }
  const TvgCalendarMonth leap = vgCalendarMonth(2024, 2, vgCalendarFirstDayNum(vgMonday));
  EXPECT_EQ(leap.DaysInMonth, 29);
  EXPECT_EQ(leap.Cells[leap.CellOfDay(1) - 1].Day, 31) << "January's last day before the 1st";
}

TEST(CalendarGrid, RowsCarryIsoWeekNumbersIncludingWeek53) {
  struct Case {
    int year, month;
    TvgCalDayOfWeek first;
    std::array<int, 6> weeks;
  };
  for (const Case& c : {Case{2021, 1, vgMonday, {53, 1, 2, 3, 4, 5}}, Case{2020, 12, vgMonday, {49, 50, 51, 52, 53, 1}},
                        Case{2026, 1, vgSunday, {1, 2, 3, 4, 5, 6}}}) {
    const TvgCalendarMonth grid = vgCalendarMonth(c.year, c.month, vgCalendarFirstDayNum(c.first));
    EXPECT_EQ(grid.Weeks, c.weeks) << c.year << "-" << c.month;
  }
}

}  // namespace
