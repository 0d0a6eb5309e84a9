#include "ui/controls/vg_calendarbox.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_canvas.h"

namespace vg {

// ----- TvgCalendarDropDown

TvgCalendarDropDown::TvgCalendarDropDown(TvgControl* box)
    : FPopup(new TvgPopup(box)), FCalendar(new TvgCalendar(box)) {
  FPopup->SetResource("combopopupstyle");
  FPopup->SetPlacementTarget(box);
  FPopup->SetStaysOpen(false);
  FPopup->SetBounds(0, 0, 186, 166);
  FPopup->SetLocked(true);
  FPopup->SetStored(false);
  FPopup->SetDesignHide(true);
  box->AddObject(FPopup);
  FCalendar->SetAlign(vaClient);
  FCalendar->Padding()->SetRect({3, 3, 3, 3});
  FCalendar->SetStored(false);
  FPopup->AddObject(FCalendar);
}

rtl::WideString TvgCalendarDropDown::DateText() const {
  return rtl::Utf8ToUtf16(rtl::DateTimeToStr(FCalendar->Date(), rtl::FormatSettings()));
}

void TvgCalendarDropDown::Toggle() {
  if (FPopup->IsOpen()) {
    FPopup->ClosePopup();
    return;
  }
  FPopup->SetPlacement(FPlacement);
  FPopup->Popup();
}

void TvgCalendarDropDown::Close() {
  if (FPopup->IsOpen()) FPopup->ClosePopup();
}

// ----- TvgCalendarBox

TvgCalendarBox::TvgCalendarBox(rtl::TComponent* owner) : TvgTextControl(owner), FDropDown(this) {
  SetWidth(100);
  SetHeight(22);
  SetResource("combotextboxstyle");
  FCanFocused = true;
  SetCursor(0);
  SetTextAlign(vgTextAlignNear);
  Calendar()->OnChange = [this](rtl::TObject*) { SetText(FDropDown.DateText()); };
  Calendar()->OnDayChange = [this](rtl::TObject*) { FDropDown.Close(); };
  SetText(FDropDown.DateText());
}

TvgCalendarBox::~TvgCalendarBox() { TearDown(); }

void TvgCalendarBox::Publish(rtl::TPublisher<TvgCalendarBox>& p) {
  using T = TvgCalendarBox;
  p.Property("Date", &T::Date, &T::SetDate);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("Cursor", &T::Cursor, &T::SetCursor).Default(0);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
}

void TvgCalendarBox::SetDate(rtl::TDateTime value) {
  Calendar()->SetDate(value);
  SetText(FDropDown.DateText());
}

void TvgCalendarBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft) DropDown();
}

void TvgCalendarBox::ApplyStyle() {
  inherited::ApplyStyle();
  if (auto* content = dynamic_cast<TvgContent*>(FindResource("Content")))
    content->OnPaint = [this](rtl::TObject*, TvgCanvas* canvas, const TvgRect& rect) { PaintContent(canvas, rect); };
}

void TvgCalendarBox::PaintContent(TvgCanvas* canvas, const TvgRect& rect) {
  canvas->Font()->Assign(Font());
  canvas->Fill()->Assign(FontFill());
  canvas->FillText(rect, rect, Text(), false, GetAbsoluteOpacity(), TextAlign(), vgTextAlignCenter);
}

// ----- TvgCalendarTextBox

TvgCalendarTextBox::TvgCalendarTextBox(rtl::TComponent* owner) : TvgCustomTextBox(owner), FDropDown(this) {
  SetResource("combotextboxstyle");
  SetCursor(0);
  SetFilterChar(u"0123456789./");
  Calendar()->OnChange = [this](rtl::TObject*) { CalendarChanged(); };
  Popup()->OnClosePopup = [this](rtl::TObject*) { PopupClosed(); };
  SetText(FDropDown.DateText());
}

TvgCalendarTextBox::~TvgCalendarTextBox() { TearDown(); }

void TvgCalendarTextBox::Publish(rtl::TPublisher<TvgCalendarTextBox>& p) {
  using T = TvgCalendarTextBox;
  p.Property("Date", &T::Date, &T::SetDate);
  p.Property("Cursor", &T::Cursor, &T::SetCursor).Default(0);
}

void TvgCalendarTextBox::SetDate(rtl::TDateTime value) {
  Calendar()->SetDate(value);
  SetText(FDropDown.DateText());
}

void TvgCalendarTextBox::DropDown() {
  if (!Popup()->IsOpen() && Caret() && Caret()->Visible()) HideCaret();
  FDropDown.Toggle();
}

void TvgCalendarTextBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft && !vgPtInRect({x, y}, ContentRect())) DropDown();
}

void TvgCalendarTextBox::CalendarChanged() {
  if (!Popup()->IsOpen()) return;
  SetText(FDropDown.DateText());
  SetCaretPosition(static_cast<int>(Text().size()));
  SetNeedChange(true);
  Change();
  SetNeedChange(false);
  FDropDown.Close();
}

void TvgCalendarTextBox::PopupClosed() {
  if (IsFocused() && ShowCaret()) ShowCaretProc();
}

}  // namespace vg

namespace vg {

void RegisterCalendarClasses() {
  RegisterVGObjects("Compound", {TvgCalendar::StaticClass()});
  RegisterVGObjects("Boxes", {TvgCalendarBox::StaticClass()});
  RegisterVGObjects("Text Edits", {TvgCalendarTextBox::StaticClass()});
}

}  // namespace vg
