#pragma once
// The expander: a captioned area whose content collapses to the height of
// its style's "button" part (a TvgCustomButton, whose click toggles
// IsExpanded) and expands again to button height + content height. An
// optional "checkbox" part (a TvgCheckBox, shown per ShowCheck) enables or
// disables the content. Children added to the expander go into its
// content; the content's height is streamed as "ContentSize".
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_custombutton.h"

namespace vg {

class TvgExpanderButton : public TvgCustomButton {
  RTL_CLASS(TvgExpanderButton, TvgCustomButton)

  explicit TvgExpanderButton(rtl::TComponent* owner);
};

class TvgExpander : public TvgTextControl {
  RTL_CLASS(TvgExpander, TvgTextControl)

  explicit TvgExpander(rtl::TComponent* owner);
  ~TvgExpander() override;

  bool IsExpanded() const { return FIsExpanded; }
  virtual void SetIsExpanded(bool value);
  bool IsChecked() const { return FIsChecked; }
  void SetIsChecked(bool value);
  bool ShowCheck() const { return FShowCheck; }
  void SetShowCheck(bool value);
  TvgContent* Content() const { return FContent; }

  // Children go into the content (but the content itself and the style).
  void AddObject(TvgObject* child) override;
  // Lays the expanded content out below the caption.
  void Realign() override;

  rtl::TNotifyEvent OnCheckChange;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  static void Publish(rtl::TPublisher<TvgExpander>& p);
  void CheckChanged(rtl::TObject* sender);
  void Toggle(rtl::TObject*) { SetIsExpanded(!FIsExpanded); }
  void RaiseExpanded();

  bool FShowCheck = false;
  bool FIsChecked = true;
  bool FIsExpanded = true;
  bool FAligning = false;
  TvgContent* FContent = nullptr;
  TvgCustomButton* FButton = nullptr;
  TvgCheckBox* FCheck = nullptr;
};

}  // namespace vg
