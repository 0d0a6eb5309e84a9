#pragma once
// The calendar: one month as a grid of six weeks (a seven-column list
// box), with the month and year as pop-up boxes, previous, today and next
// buttons, a row of weekday names and an optional column of ISO week
// numbers. Choosing a day, month or year, the buttons and the mouse wheel
// change the shown date; OnChange follows every change of the date,
// OnDayChange a day chosen by the user (also a grey day of another month,
// which changes nothing) and the today button.
#include <array>

#include "platform/rtl/DateTime.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_calendargrid.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_popupbox.h"
#include "ui/render/vg_layouts.h"

namespace vg {

class TvgCalendar : public TvgControl {
  RTL_CLASS(TvgCalendar, TvgControl)

  explicit TvgCalendar(rtl::TComponent* owner);
  ~TvgCalendar() override;

  rtl::TDateTime Date() const { return FDateTime; }
  // Takes v's day and keeps the time of day of the shown date.
  void SetDate(rtl::TDateTime value);
  TvgCalDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
  void SetFirstDayOfWeek(TvgCalDayOfWeek value);
  bool WeekNumbers() const { return FWeekNumbers; }
  void SetWeekNumbers(bool value);
  bool TodayDefault() const { return FTodayDefault; }
  // Switched on, shows today.
  void SetTodayDefault(bool value);

  // The parts, for the date boxes and tests.
  TvgListBox* Days() const { return FDays; }
  TvgPopupBox* Months() const { return FMonths; }
  TvgPopupBox* Years() const { return FYears; }
  TvgButton* PrevButton() const { return FPrev; }
  TvgButton* TodayButton() const { return FToday; }
  TvgButton* NextButton() const { return FNext; }
  TvgLabel* WeekdayLabel(int column) const { return FWeekLabels[column]; }
  TvgLabel* WeekLabel(int row) const { return FWeekNumberLabels[row]; }
  TvgVisualObject* WeekColumn() const { return FWeeks; }
  // The grid shown.
  const TvgCalendarMonth& Month() const { return FMonth; }

  // The shown date as a date variant.
  rtl::Variant GetData() override;
  // A date variant, or a text the user's date format reads, sets the date;
  // anything else is ignored.
  void SetData(const rtl::Variant& value) override;
  void MouseWheel(TvgShiftState shift, int delta, bool& handled) override;
  void Realign() override;

  rtl::TNotifyEvent OnChange, OnDayChange;

 private:
  static void Publish(rtl::TPublisher<TvgCalendar>& p);
  void BuildTopBar();
  TvgButton* AddButton(TvgVisualObject* bar, TvgVisualObject* glyph);
  void SetDateTime(rtl::TDateTime value);
  void FillList();
  void DayChosen();
  void MonthChosen();
  void YearChosen();
  void ShowDate(int year, int month, int day);
  void ReportDayChange();

  rtl::TDateTime FDateTime = 0;
  TvgListBox* FDays = nullptr;
  TvgButton* FToday = nullptr;
  TvgButton* FPrev = nullptr;
  TvgButton* FNext = nullptr;
  TvgPopupBox* FMonths = nullptr;
  TvgPopupBox* FYears = nullptr;
  TvgGridLayout* FWeeks = nullptr;
  TvgCalDayOfWeek FFirstDayOfWeek = vgLocaleDefault;
  TvgGridLayout* FWeek = nullptr;
  bool FTodayDefault = false;
  bool FWeekNumbers = false;
  int FDisableDayChange = 0;
  bool FFilling = false;
  std::array<TvgLabel*, 7> FWeekLabels{};
  std::array<TvgLabel*, 6> FWeekNumberLabels{};
  TvgCalendarMonth FMonth;
};

}  // namespace vg
