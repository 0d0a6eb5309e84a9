#include "ui/controls/vg_calendargrid.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

namespace vg {

int vgCalendarFirstDayNum(TvgCalDayOfWeek firstDayOfWeek) {
  const int mondayBased = firstDayOfWeek == vgLocaleDefault ? rtl::FormatSettings().FirstDayOfWeek : firstDayOfWeek;
  return (mondayBased + 8) % 7;
}

int TvgCalendarMonth::DayAt(int cell) const {
  const int day = cell + FirstDayNum - Offset + 2;
  return day >= 1 && day <= DaysInMonth ? day : 0;
}

TvgCalendarMonth vgCalendarMonth(int year, int month, int firstDayNum) {
  TvgCalendarMonth grid;
  const int s = firstDayNum;
  grid.FirstDayNum = s;
  const rtl::TDateTime first = rtl::EncodeDate(year, month, 1);
  const int n = rtl::DaysInAMonth(year, month);
  grid.DaysInMonth = n;
  const int w = rtl::DayOfWeek(first);
  int q = w - s < 3 ? w + 7 : w;
  if (42 - (n + q - s) < 3) q -= 7;
  grid.Offset = q;

  auto put = [&grid](int cell, int day, bool inMonth) {
    if (cell >= 0 && cell < 42) grid.Cells[cell] = {day, inMonth};
  };
  const int before = rtl::DaysInAMonth(year, month == 1 ? 12 : month - 1);
  for (int b = 1; b <= q; ++b) put(b - 1, before - q + b + 1 + s, false);
  for (int i = 1; i <= n; ++i) put(grid.CellOfDay(i), i, true);
  for (int h = n + q; h <= 42 + s; ++h) put(h - 1 - s, h - q - n + 1, false);

  const rtl::TDateTime gridStart = first - (q - 1 - s);
  const int mondayColumn = (1 - s + 7) % 7;
  for (int r = 0; r < 6; ++r) grid.Weeks[r] = rtl::WeekOfTheYear(gridStart + 7 * r + mondayColumn);
  return grid;
}

}  // namespace vg
