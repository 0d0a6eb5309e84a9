#pragma once
// TvgCustomButton: the push-button base that other controls use as a style
// part (the expander's button, the popup box). A left press shows the
// pressed look (trigger "IsPressed"), which follows the pointer while it is
// held; a release inside clicks; Enter and Space click too. A StaysPressed
// button flips its pressed state on every press instead.
#include "ui/controls/vg_textcontrol.h"

namespace vg {

class TvgCustomButton : public TvgTextControl {
  RTL_CLASS(TvgCustomButton, TvgTextControl)

  explicit TvgCustomButton(rtl::TComponent* owner);
  ~TvgCustomButton() override;

  bool IsPressed() const { return FIsPressed; }
  // Only a StaysPressed button takes a new pressed state.
  void SetIsPressed(bool value);
  bool StaysPressed() const { return FStaysPressed; }
  void SetStaysPressed(bool value) { FStaysPressed = value; }

  // An event reference becomes OnClick; anything else is ignored.
  void SetData(const rtl::Variant& value) override;
  void DblClick() override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgCustomButton>& p);
  void ShowPressed(bool value);

  bool FPressing = false;
  bool FIsPressed = false;
  bool FStaysPressed = false;
};

}  // namespace vg
