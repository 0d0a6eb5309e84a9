#pragma once
// Date boxes: TvgCalendarBox (a text control) and TvgCalendarTextBox (an
// editable text box) show a date as the user's date-time text and drop a
// calendar down in a popup. Choosing a day in the calendar shows it in the
// box and closes the drop-down; typed text is not read back as a date.
#include "ui/controls/vg_calendar.h"
#include "ui/controls/vg_textbox.h"
#include "ui/core/vg_popup.h"

namespace vg {

// The drop-down both boxes share: a popup below the box holding a
// calendar. Its nodes are parts of the box and go with it.
class TvgCalendarDropDown {
 public:
  explicit TvgCalendarDropDown(TvgControl* box);

  TvgPopup* Popup() const { return FPopup; }
  TvgCalendar* Calendar() const { return FCalendar; }
  TvgPlacement Placement() const { return FPlacement; }
  void SetPlacement(TvgPlacement value) { FPlacement = value; }
  // The calendar's date as the user's date-time text.
  rtl::WideString DateText() const;
  // Closes an open drop-down, else opens it.
  void Toggle();
  void Close();

 private:
  TvgPopup* FPopup;
  TvgCalendar* FCalendar;
  TvgPlacement FPlacement = vgPlacementBottom;
};

class TvgCalendarBox : public TvgTextControl {
  RTL_CLASS(TvgCalendarBox, TvgTextControl)

  explicit TvgCalendarBox(rtl::TComponent* owner);
  ~TvgCalendarBox() override;

  rtl::TDateTime Date() const { return FDropDown.Calendar()->Date(); }
  // The calendar's date, then its text.
  void SetDate(rtl::TDateTime value);
  TvgCalendar* Calendar() const { return FDropDown.Calendar(); }
  TvgPopup* Popup() const { return FDropDown.Popup(); }
  void DropDown() { FDropDown.Toggle(); }

  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgCalendarBox>& p);
  void PaintContent(TvgCanvas* canvas, const TvgRect& rect);

  TvgCalendarDropDown FDropDown;
};

class TvgCalendarTextBox : public TvgCustomTextBox {
  RTL_CLASS(TvgCalendarTextBox, TvgCustomTextBox)

  explicit TvgCalendarTextBox(rtl::TComponent* owner);
  ~TvgCalendarTextBox() override;

  rtl::TDateTime Date() const { return FDropDown.Calendar()->Date(); }
  void SetDate(rtl::TDateTime value);
  TvgCalendar* Calendar() const { return FDropDown.Calendar(); }
  TvgPopup* Popup() const { return FDropDown.Popup(); }
  // Hides the caret before opening.
  void DropDown();

  // Drops down when pressed outside the text area (on the button).
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

 private:
  static void Publish(rtl::TPublisher<TvgCalendarTextBox>& p);
  void CalendarChanged();
  void PopupClosed();

  TvgCalendarDropDown FDropDown;
};

// Registers the calendar and the date boxes.
void RegisterCalendarClasses();

}  // namespace vg
