#include "ui/core/vg_actionlink.h"

#include <cstring>

#include "platform/rtl/TypeInfo.h"
#include "platform/rtl/Variant.h"
#include "ui/core/vg_control.h"

namespace vg {

namespace {

// The text control class belongs to the controls, above this layer: it is
// known here by name and its Text through the property table.
const rtl::TPropertyInfo* TextProperty(rtl::TObject* node) {
  for (rtl::TClass cls = node->ClassType(); cls; cls = cls->parent)
    if (std::strcmp(cls->name, "TvgTextControl") == 0) return rtl::PublishedOf(node->ClassType()).FindProperty("Text");
  return nullptr;
}

bool SameCode(const rtl::TNotifyEvent& a, const rtl::TNotifyEvent& b) {
  if (!a && !b) return true;
  return rtl::Variant(a) == rtl::Variant(b);
}

}  // namespace

bool vgTextOf(rtl::TObject* node, rtl::WideString& text) {
  const rtl::TPropertyInfo* property = TextProperty(node);
  if (!property) return false;
  text = property->GetWideString(node);
  return true;
}

void vgSetTextOf(rtl::TObject* node, const rtl::WideString& text) {
  if (const rtl::TPropertyInfo* property = TextProperty(node)) property->SetWideString(node, text);
}

TvgControlActionLink::TvgControlActionLink(TvgControl* client) : rtl::TActionLink(client), FClient(*client) {}

bool TvgControlActionLink::IsCaptionLinked() const {
  rtl::WideString text;
  return TActionLink::IsCaptionLinked() && vgTextOf(&FClient, text) && text == CustomAction()->Caption();
}

bool TvgControlActionLink::IsEnabledLinked() const {
  return TActionLink::IsEnabledLinked() && CustomAction()->Enabled() == FClient.Enabled();
}

bool TvgControlActionLink::IsVisibleLinked() const {
  return TActionLink::IsVisibleLinked() && CustomAction()->Visible() == FClient.Visible();
}

bool TvgControlActionLink::IsHintLinked() const {
  return TActionLink::IsHintLinked() && CustomAction()->Hint() == FClient.Hint();
}

bool TvgControlActionLink::IsHelpLinked() const {
  if (!TActionLink::IsHelpLinked()) return false;
  const rtl::TCustomAction& action = *CustomAction();
  return action.HelpContext() == FClient.HelpContext() && action.HelpKeyword() == FClient.HelpKeyword() &&
         action.HelpType() == FClient.HelpType();
}

bool TvgControlActionLink::IsOnExecuteLinked() const {
  return TActionLink::IsOnExecuteLinked() && SameCode(Action()->OnExecute(), FClient.OnClick);
}

void TvgControlActionLink::SetCaption(const rtl::WideString& value) {
  if (IsCaptionLinked()) vgSetTextOf(&FClient, value);
}

void TvgControlActionLink::SetEnabled(bool value) {
  if (IsEnabledLinked()) FClient.SetEnabled(value);
}

void TvgControlActionLink::SetVisible(bool value) {
  if (IsVisibleLinked()) FClient.SetVisible(value);
}

void TvgControlActionLink::SetHint(const rtl::WideString& value) {
  if (IsHintLinked()) FClient.SetHint(value);
}

void TvgControlActionLink::SetHelpContext(int value) {
  if (IsHelpLinked()) FClient.SetHelpContext(value);
}

void TvgControlActionLink::SetHelpKeyword(const std::string& value) {
  if (IsHelpLinked()) FClient.SetHelpKeyword(value);
}

void TvgControlActionLink::SetHelpType(rtl::THelpType value) {
  if (IsHelpLinked()) FClient.SetHelpType(value);
}

void TvgControlActionLink::SetOnExecute(const rtl::TNotifyEvent& value) {
  if (IsOnExecuteLinked()) FClient.OnClick = value;
}

bool TvgControlActionLink::DoShowHint(rtl::WideString& hint) {
  if (rtl::TCustomAction* action = CustomAction()) action->DoHint(hint);
  return true;
}

}  // namespace vg
