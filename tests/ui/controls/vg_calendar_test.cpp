// The calendar and the date boxes on a real embedded scene with the
// built-in styles: the grid as the items show it, the month and year
// pickers, choosing days, the buttons and the wheel, week numbers, and the
// boxes taking the chosen day from their drop-down.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/TextConvert.h"
#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;

struct Calendar : vgtest::ControlScene {
  TvgCalendar* calendar = nullptr;
  int changes = 0, dayChanges = 0;

  void SetUp() override {
    ControlScene::SetUp();
    calendar = Add<TvgCalendar>();
    calendar->SetFirstDayOfWeek(vgMonday);
    calendar->SetDate(rtl::EncodeDate(2024, 2, 14));
    calendar->OnChange = [this](rtl::TObject*) { ++changes; };
    calendar->OnDayChange = [this](rtl::TObject*) { ++dayChanges; };
  }
  std::string Shown() { return rtl::DateToStr(calendar->Date()); }
  double TimeOfDay() { return calendar->Date() - std::trunc(calendar->Date()); }
  std::u16string ItemText(int cell) { return calendar->Days()->ItemByIndex(cell)->Text(); }
};

TEST_F(Calendar, ItemsShowTheMonthGridWithGreyDaysAroundAndTheDaySelected) {
  const TvgCalendarMonth& grid = calendar->Month();
  EXPECT_EQ(grid.FirstDayNum, 1);
  const int first = grid.CellOfDay(1);
  EXPECT_EQ(first, 3) << "1 February 2024 is a Thursday";
  EXPECT_EQ(ItemText(first), u"1");
  EXPECT_EQ(calendar->Days()->ItemByIndex(first)->Opacity(), 1);
  EXPECT_EQ(ItemText(first - 1), u"31");
  EXPECT_FLOAT_EQ(calendar->Days()->ItemByIndex(first - 1)->Opacity(), 0.3f);
  EXPECT_EQ(ItemText(grid.CellOfDay(29)), u"29");
  EXPECT_EQ(ItemText(grid.CellOfDay(29) + 1), u"1");
  EXPECT_EQ(calendar->Days()->ItemIndex(), grid.CellOfDay(14));
  EXPECT_EQ(calendar->Months()->ItemIndex(), 1);
  EXPECT_EQ(calendar->Years()->Text(), u"2024");
  EXPECT_EQ(calendar->Years()->Items()->Count(), 21);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(calendar->WeekdayLabel(i)->Text(), rtl::Utf8ToUtf16(rtl::FormatSettings().ShortDayNames[(i + 1) % 7]));
  EXPECT_FALSE(calendar->WeekColumn()->Visible());
}

TEST_F(Calendar, TheChosenDayIsHighlightedOverItsCellAfterResizing) {
  auto band = [&]() -> TvgVisualObject* {
    for (TvgObject* part : calendar->Days()->ResourceLink()->Children())
      if (part->IsVisual() && part->Visual()->Visible() && part->InheritsFrom(TvgRectangle::StaticClass()))
        return part->Visual();
    return nullptr;
  };
  for (float width : {200.0f, 240.0f, 240.0f}) {
    calendar->SetBounds(0, 0, width, 160);
    calendar->Days()->UpdateSelection();
    ASSERT_NE(band(), nullptr);
    const TvgRect shown = band()->GetAbsoluteRect();
    const TvgRect cell = calendar->Days()->Selected()->GetAbsoluteRect();
    EXPECT_NEAR(shown.Left, cell.Left, 0.01f) << width;
    EXPECT_NEAR(shown.Top, cell.Top, 0.01f) << width;
  }
}

TEST_F(Calendar, PickersKeepTheDayWithinTheChosenMonth) {
  calendar->SetDate(rtl::EncodeDate(2024, 3, 31));
  calendar->Months()->SetItemIndex(1);
  EXPECT_EQ(Shown(), "2024-02-29");
  calendar->Years()->SetItemIndex(9);  // 2023
  EXPECT_EQ(Shown(), "2023-02-28");
  EXPECT_EQ(calendar->Years()->Text(), u"2023");
  EXPECT_EQ(dayChanges, 0);
}

TEST_F(Calendar, ChoosingADayChangesTheDateAndAGreyDayOnlyReports) {
  calendar->Days()->SetItemIndex(calendar->Month().CellOfDay(20));
  EXPECT_EQ(Shown(), "2024-02-20");
  EXPECT_EQ(rtl::DateTimeToStr(calendar->Date()), "2024-02-20") << "midnight of the chosen day";
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dayChanges, 1);
  calendar->Days()->SetItemIndex(0);
  EXPECT_EQ(Shown(), "2024-02-20");
  EXPECT_EQ(dayChanges, 2);
}

TEST_F(Calendar, ButtonsAndWheelMoveByMonthsKeepingTheTimeOfDay) {
  const double time = TimeOfDay();
  calendar->SetDate(rtl::EncodeDate(2024, 1, 31));
  EXPECT_EQ(Shown(), "2024-01-31");
  calendar->NextButton()->Click();
  EXPECT_EQ(Shown(), "2024-02-29");
  calendar->PrevButton()->Click();
  EXPECT_EQ(Shown(), "2024-01-29");
  bool handled = false;
  calendar->MouseWheel(0, -120, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(Shown(), "2024-02-29") << "wheel down shows the next month";
  EXPECT_DOUBLE_EQ(TimeOfDay(), time);
  EXPECT_EQ(dayChanges, 0);
  calendar->TodayButton()->Click();
  EXPECT_EQ(Shown(), rtl::DateToStr(rtl::Now()));
  EXPECT_EQ(dayChanges, 1);
}

TEST_F(Calendar, WeekNumberColumnShowsIsoWeeks) {
  calendar->SetWeekNumbers(true);
  calendar->SetDate(rtl::EncodeDate(2021, 1, 10));
  EXPECT_TRUE(calendar->WeekColumn()->Visible());
  const char16_t* expected[] = {u"53", u"1", u"2", u"3", u"4", u"5"};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(calendar->WeekLabel(row)->Text(), expected[row]) << row;
  calendar->SetWeekNumbers(false);
  EXPECT_FALSE(calendar->WeekColumn()->Visible());
}

TEST_F(Calendar, SetDataTakesADateOrAReadableDateText) {
  calendar->SetData(rtl::Variant::Date(rtl::EncodeDate(2025, 7, 4)));
  EXPECT_EQ(Shown(), "2025-07-04");
  calendar->SetData(rtl::Variant(rtl::DateToStr(rtl::EncodeDate(2025, 8, 9), rtl::FormatSettings())));
  EXPECT_EQ(Shown(), "2025-08-09");
  calendar->SetData(rtl::Variant("not a date"));
  EXPECT_EQ(Shown(), "2025-08-09");
  EXPECT_EQ(calendar->GetData().AsDate(), calendar->Date());
}

TEST_F(Calendar, DateBoxesShowTheDayChosenInTheirDropDown) {
  auto* box = Add<TvgCalendarBox>();
  auto* text = Add<TvgCalendarTextBox>();
  int textChanges = 0;
  text->OnChange = [&](rtl::TObject*) { ++textChanges; };
  box->SetDate(rtl::EncodeDate(2024, 2, 14));
  text->SetDate(rtl::EncodeDate(2024, 2, 14));
  const auto dateText = [](rtl::TDateTime date) {
    return rtl::Utf8ToUtf16(rtl::DateTimeToStr(date, rtl::FormatSettings()));
  };
  EXPECT_EQ(box->Text(), dateText(box->Date()));
  EXPECT_EQ(text->Text(), dateText(text->Date()));
  EXPECT_EQ(rtl::DateToStr(box->Date()), "2024-02-14");

  box->DropDown();
  ASSERT_TRUE(box->Popup()->IsOpen());
  box->Calendar()->Days()->SetItemIndex(box->Calendar()->Month().CellOfDay(21));
  EXPECT_EQ(box->Text(), dateText(rtl::EncodeDate(2024, 2, 21))) << "midnight: the date alone";
  EXPECT_FALSE(box->Popup()->IsOpen());

  text->DropDown();
  ASSERT_TRUE(text->Popup()->IsOpen());
  text->Calendar()->Days()->SetItemIndex(text->Calendar()->Month().CellOfDay(9));
  EXPECT_EQ(text->Text(), dateText(rtl::EncodeDate(2024, 2, 9)));
  EXPECT_EQ(text->CaretPosition(), static_cast<int>(text->Text().size()));
  EXPECT_EQ(textChanges, 1);
  EXPECT_FALSE(text->Popup()->IsOpen());
  Settle();
  timers.FireAll();
}

}  // namespace
