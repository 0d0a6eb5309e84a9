#pragma once
// TvgCustomButton: the push-button base of the toolkit's buttons and of the
// buttons other controls use as style parts. A left press shows the pressed
// look (trigger "IsPressed"), which follows the pointer while it is held; a
// release inside clicks; Enter and Space click too. A StaysPressed button
// flips its pressed state on every press instead. With RepeatClick a held
// button clicks every 100 ms from 600 ms after the press on. A ModalResult
// other than 0 is handed to the form the scene sits on at every click.
#include <memory>

#include "ui/controls/vg_textcontrol.h"
#include "ui/render/vg_scrollbar.h"

namespace vg {

class TvgCustomButton : public TvgTextControl, public IvgStepButton {
  RTL_CLASS(TvgCustomButton, TvgTextControl)

  static constexpr std::uint32_t RepeatDelay = 500;
  static constexpr std::uint32_t RepeatInterval = 100;

  explicit TvgCustomButton(rtl::TComponent* owner);
  ~TvgCustomButton() override;

  bool IsPressed() const { return FIsPressed; }
  // Only a StaysPressed button takes a new pressed state.
  void SetIsPressed(bool value);
  bool StaysPressed() const { return FStaysPressed; }
  void SetStaysPressed(bool value) { FStaysPressed = value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  bool RepeatClick() const { return FRepeat; }
  void SetRepeatClick(bool value) { FRepeat = value; }

  // An event reference becomes OnClick; anything else is ignored.
  void SetData(const rtl::Variant& value) override;
  void Click() override;
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
  // The repeat timer: one shot after the delay, then one per interval.
  void ArmRepeat(std::uint32_t milliseconds);

  bool FPressing = false;
  bool FIsPressed = false;
  int FModalResult = 0;
  bool FStaysPressed = false;
  std::unique_ptr<IvgOneShot> FRepeatTimer;
  bool FRepeat = false;
};

}  // namespace vg
