#include "ui/controls/vg_calendar.h"

#include <cmath>
#include <string>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextConvert.h"
#include "ui/render/vg_objects.h"

namespace vg {

namespace {

constexpr float kRow = 19;

rtl::WideString Number(int value) { return rtl::Utf8ToUtf16(std::to_string(value)); }

// A part the calendar creates and never streams. Its place comes before
// its alignment: aligned parts of one kind line up in the order of their
// places.
template <class T>
T* AddPart(TvgObject* parent, TvgAlign align, const TvgRect& bounds = {}) {
  auto* part = new T(parent);
  part->SetStored(false);
  part->SetLocked(true);
  if (!vgIsRectEmpty(bounds)) part->SetBounds(bounds.Left, bounds.Top, vgRectWidth(bounds), vgRectHeight(bounds));
  part->SetAlign(align);
  part->SetParent(parent);
  return part;
}

TvgLabel* AddLabel(TvgObject* parent) {
  auto* label = AddPart<TvgLabel>(parent, vaNone);
  label->SetTextAlign(vgTextAlignCenter);
  label->SetWordWrap(false);
  return label;
}

}  // namespace

TvgCalendar::TvgCalendar(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(180);
  SetHeight(160);
  FDateTime = rtl::Now();
  BuildTopBar();

  FWeek = AddPart<TvgGridLayout>(this, vaTop, {0, 20, Width(), 20 + kRow});
  FWeek->Padding()->SetBottom(2);
  FWeek->SetItemHeight(kRow);
  for (TvgLabel*& label : FWeekLabels) label = AddLabel(FWeek);
  FWeek->Realign();

  FDays = AddPart<TvgListBox>(this, vaTop, {0, 50, Width(), 50 + 114});
  FDays->SetResource("transparentlistboxstyle");
  FDays->SetColumns(7);
  FDays->SetItemHeight(kRow);
  FDays->SetAlternatingRowBackground(true);
  FDays->SetHideSelectionUnfocused(false);
  FDays->SetShowScrollBars(false);
  for (int i = 0; i < 42; ++i) {
    auto* item = new TvgListBoxItem(FDays);
    item->SetStored(false);
    item->SetTextAlign(vgTextAlignFar);
    item->SetWordWrap(false);
    FDays->AddObject(item);
  }
  FDays->OnChange = [this](rtl::TObject*) { DayChosen(); };

  FWeeks = AddPart<TvgGridLayout>(this, vaMostLeft);
  FWeeks->SetWidth(23);
  FWeeks->Padding()->SetTop(21);
  FWeeks->SetItemHeight(kRow);
  FWeeks->SetItemWidth(FWeeks->Width());
  FWeeks->SetVisible(false);
  for (TvgLabel*& label : FWeekNumberLabels) label = AddLabel(FWeeks);
  FWeeks->Realign();
  FillList();
}

TvgCalendar::~TvgCalendar() { TearDown(); }

void TvgCalendar::Publish(rtl::TPublisher<TvgCalendar>& p) {
  using T = TvgCalendar;
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("Date", &T::Date, &T::SetDate);
  p.Property("FirstDayOfWeek", &T::FirstDayOfWeek, &T::SetFirstDayOfWeek).Default(vgLocaleDefault);
  p.Property("TodayDefault", &T::TodayDefault, &T::SetTodayDefault).Default(false);
  p.Property("WeekNumbers", &T::WeekNumbers, &T::SetWeekNumbers).Default(false);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnDayChange", &T::OnDayChange);
}

TvgButton* TvgCalendar::AddButton(TvgVisualObject* bar, TvgVisualObject* glyph) {
  auto* button = AddPart<TvgButton>(bar, vaLeft);
  button->SetResource("transparentcirclebuttonstyle");
  button->SetWidth(kRow);
  button->Padding()->SetRight(2);
  button->SetRepeatClick(true);
  glyph->SetStored(false);
  glyph->SetLocked(true);
  glyph->SetHitTest(false);
  glyph->SetAlign(vaCenter);
  glyph->SetBounds(0, 0, 5, 5);
  if (auto* shape = dynamic_cast<TvgShape*>(glyph)) {
    shape->Stroke()->SetStyle(vgBrushNone);
    shape->Fill()->SetSolidColor(0xFFE6E6E6);
  }
  glyph->SetParent(button);
  return button;
}

void TvgCalendar::BuildTopBar() {
  auto* bar = AddPart<TvgLayout>(this, vaMostTop);
  bar->SetHeight(kRow);
  bar->Padding()->SetBottom(2);
  FPrev = AddButton(bar, new TvgScrollArrowLeft(nullptr));
  FToday = AddButton(bar, new TvgEllipse(nullptr));
  FNext = AddButton(bar, new TvgScrollArrowRight(nullptr));
  FPrev->OnClick = [this](rtl::TObject*) { SetDate(rtl::IncMonth(FDateTime, -1)); };
  FNext->OnClick = [this](rtl::TObject*) { SetDate(rtl::IncMonth(FDateTime, 1)); };
  FToday->OnClick = [this](rtl::TObject*) {
    SetDate(rtl::Now());
    ReportDayChange();
  };

  FYears = AddPart<TvgPopupBox>(bar, vaRight);
  FYears->SetResource("labelstyle");
  FYears->Font()->SetStyle(vgFontBold);
  FYears->SetTextAlign(vgTextAlignNear);
  FYears->SetWidth(40);
  FYears->SetDisableFocusEffect(true);
  FYears->OnChange = [this](rtl::TObject*) { YearChosen(); };

  FMonths = AddPart<TvgPopupBox>(bar, vaClient);
  FMonths->SetResource("labelstyle");
  FMonths->Font()->SetStyle(vgFontBold);
  FMonths->SetTextAlign(vgTextAlignFar);
  FMonths->Padding()->SetLeft(5);
  FMonths->Padding()->SetRight(5);
  FMonths->SetDisableFocusEffect(true);
  for (const std::string& name : rtl::FormatSettings().LongMonthNames) FMonths->Items()->Add(rtl::Utf8ToUtf16(name));
  FMonths->OnChange = [this](rtl::TObject*) { MonthChosen(); };
}

// ----- the date

void TvgCalendar::SetDate(rtl::TDateTime value) {
  ++FDisableDayChange;
  const rtl::TDateTime old = FDateTime;
  const double timeOfDay = std::fabs(FDateTime - std::trunc(FDateTime));
  const double day = std::trunc(value);
  try {
    SetDateTime(day < 0 ? day - timeOfDay : day + timeOfDay);
  } catch (...) {
    SetDateTime(old);
    --FDisableDayChange;
    throw;
  }
  --FDisableDayChange;
}

void TvgCalendar::SetDateTime(rtl::TDateTime value) {
  if (value == FDateTime) return;
  FDateTime = value;
  FillList();
  ToBindingObjects();
  OnChange(this);
}

void TvgCalendar::ShowDate(int year, int month, int day) {
  SetDateTime(rtl::EncodeDate(year, month, std::min(day, rtl::DaysInAMonth(year, month))));
}

void TvgCalendar::SetFirstDayOfWeek(TvgCalDayOfWeek value) {
  if (value == FFirstDayOfWeek) return;
  FFirstDayOfWeek = value;
  FillList();
}

void TvgCalendar::SetWeekNumbers(bool value) {
  if (value == FWeekNumbers) return;
  FWeekNumbers = value;
  FillList();
}

void TvgCalendar::SetTodayDefault(bool value) {
  FTodayDefault = value;
  if (value) SetDate(rtl::Now());
}

void TvgCalendar::FillList() {
  ++FDisableDayChange;
  FFilling = true;
  const int s = vgCalendarFirstDayNum(FFirstDayOfWeek);
  for (int i = 0; i < 7; ++i)
    FWeekLabels[i]->SetText(rtl::Utf8ToUtf16(rtl::FormatSettings().ShortDayNames[(i + s) % 7]));
  int year = 0, month = 0, day = 0;
  rtl::DecodeDate(FDateTime, year, month, day);
  FMonth = vgCalendarMonth(year, month, s);
  FDays->SetTag(FMonth.Offset);
  for (int cell = 0; cell < 42; ++cell) {
    TvgListBoxItem* item = FDays->ItemByIndex(cell);
    item->SetText(Number(FMonth.Cells[cell].Day));
    item->SetOpacity(FMonth.Cells[cell].InMonth ? 1 : 0.3f);
  }
  FWeeks->SetVisible(FWeekNumbers);
  if (FWeekNumbers)
    for (int row = 0; row < 6; ++row) FWeekNumberLabels[row]->SetText(Number(FMonth.Weeks[row]));
  FDays->SetItemIndex(FMonth.CellOfDay(day));
  FMonths->SetItemIndex(month - 1);
  FYears->Items()->Clear();
  for (int y = year - 10; y <= year + 10; ++y) FYears->Items()->Add(Number(y));
  FYears->SetText(Number(year));
  FFilling = false;
  --FDisableDayChange;
}

// ----- user actions

void TvgCalendar::ReportDayChange() {
  if (FDisableDayChange == 0) OnDayChange(this);
}

// The list reports moving off the old day (no item) before the new one:
// only the new one counts.
void TvgCalendar::DayChosen() {
  if (FFilling || FDays->ItemIndex() < 0) return;
  if (const int day = FMonth.DayAt(FDays->ItemIndex()); day != 0) {
    int year = 0, month = 0, ignored = 0;
    rtl::DecodeDate(FDateTime, year, month, ignored);
    SetDateTime(rtl::EncodeDate(year, month, day));
  }
  ReportDayChange();
}

void TvgCalendar::MonthChosen() {
  if (FFilling || FMonths->ItemIndex() < 0) return;
  int year = 0, month = 0, day = 0;
  rtl::DecodeDate(FDateTime, year, month, day);
  ShowDate(year, FMonths->ItemIndex() + 1, day);
}

void TvgCalendar::YearChosen() {
  int chosen = 0;
  if (FFilling || !rtl::TryStrToInt(rtl::Utf16ToUtf8(FYears->Text()), chosen) || chosen < 1 || chosen > 9999) return;
  int year = 0, month = 0, day = 0;
  rtl::DecodeDate(FDateTime, year, month, day);
  ShowDate(chosen, month, day);
}

void TvgCalendar::MouseWheel(TvgShiftState shift, int delta, bool& handled) {
  inherited::MouseWheel(shift, delta, handled);
  if (handled) return;
  SetDate(rtl::IncMonth(FDateTime, delta <= 0 ? 1 : -1));
  handled = true;
}

void TvgCalendar::Realign() {
  inherited::Realign();
  if (FWeek) FWeek->SetItemWidth(FWeek->Width() / 7 - 0.1f);
}

rtl::Variant TvgCalendar::GetData() { return rtl::Variant::Date(FDateTime); }

void TvgCalendar::SetData(const rtl::Variant& value) {
  rtl::TDateTime parsed = 0;
  if (value.VarType() == rtl::varDate)
    SetDate(value.AsDate());
  else if (value.VarType() == rtl::varString && rtl::TryStrToDateTime(value.AsString(), parsed, rtl::FormatSettings()))
    SetDate(parsed);
}

}  // namespace vg
