#pragma once
// TvgControlActionLink: a styled control following an action of the class
// library. The action's caption (into a text control's Text), enabled and
// visible state, hint, help data and execute handler (into OnClick) reach
// the control only while the control's value still equals the action's,
// so a value changed by hand stops following the action.
#include "platform/rtl/Actions.h"

namespace vg {

class TvgControl;

class TvgControlActionLink : public rtl::TActionLink {
 public:
  explicit TvgControlActionLink(TvgControl* client);

  bool IsCaptionLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsVisibleLinked() const override;
  bool IsHintLinked() const override;
  bool IsHelpLinked() const override;
  bool IsOnExecuteLinked() const override;
  void SetCaption(const rtl::WideString& value) override;
  void SetEnabled(bool value) override;
  void SetVisible(bool value) override;
  void SetHint(const rtl::WideString& value) override;
  void SetHelpContext(int value) override;
  void SetHelpKeyword(const std::string& value) override;
  void SetHelpType(rtl::THelpType value) override;
  void SetOnExecute(const rtl::TNotifyEvent& value) override;
  // The action's DoHint first; the hint is always shown.
  bool DoShowHint(rtl::WideString& hint) override;

 private:
  TvgControl& FClient;
};

// The Text of a text control (a class named TvgTextControl or derived);
// false for other nodes.
bool vgTextOf(rtl::TObject* node, rtl::WideString& text);
void vgSetTextOf(rtl::TObject* node, const rtl::WideString& text);

}  // namespace vg
