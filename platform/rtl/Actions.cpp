#include "platform/rtl/Actions.h"

#include <algorithm>

#include "platform/rtl/ClassRegistry.h"

namespace rtl {

// ----- TBasicAction

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  while (!clients_.empty()) clients_.back()->SetAction(nullptr);
}

void TBasicAction::SetOnExecute(const TNotifyEvent& value) {
  for (TActionLink* link : std::vector<TActionLink*>(clients_)) link->SetOnExecute(value);
  onExecute_ = value;
}

bool TBasicAction::Execute() {
  if (!onExecute_) return false;
  onExecute_(this);
  return true;
}

// ----- TCustomAction

void TCustomAction::Publish(rtl::TPublisher<TCustomAction>& p) {
  using T = TCustomAction;
  p.Property("Caption", &T::Caption, &T::SetCaption);
  p.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(true);
  p.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
  p.Property("Hint", &T::Hint, &T::SetHint);
  p.Property("HelpContext", &T::HelpContext, &T::SetHelpContext).Default(0);
  p.Property("HelpKeyword", &T::HelpKeyword, &T::SetHelpKeyword);
  p.Property("HelpType", &T::HelpType, &T::SetHelpType).Default(htKeyword);
  p.Property("ImageIndex", &T::ImageIndex, &T::SetImageIndex).Default(-1);
}

template <class T, class F>
void TCustomAction::Change(T& field, const T& value, F tellLink) {
  if (field == value) return;
  for (TActionLink* link : std::vector<TActionLink*>(Clients())) tellLink(*link);
  field = value;
}

void TCustomAction::SetCaption(const rtl::WideString& value) {
  Change(caption_, value, [&](TActionLink& link) { link.SetCaption(value); });
}
void TCustomAction::SetEnabled(bool value) {
  Change(enabled_, value, [&](TActionLink& link) { link.SetEnabled(value); });
}
void TCustomAction::SetVisible(bool value) {
  Change(visible_, value, [&](TActionLink& link) { link.SetVisible(value); });
}
void TCustomAction::SetHint(const rtl::WideString& value) {
  Change(hint_, value, [&](TActionLink& link) { link.SetHint(value); });
}
void TCustomAction::SetHelpContext(int value) {
  Change(helpContext_, value, [&](TActionLink& link) { link.SetHelpContext(value); });
}
void TCustomAction::SetHelpKeyword(const std::string& value) {
  Change(helpKeyword_, value, [&](TActionLink& link) { link.SetHelpKeyword(value); });
}
void TCustomAction::SetHelpType(THelpType value) {
  Change(helpType_, value, [&](TActionLink& link) { link.SetHelpType(value); });
}

bool TCustomAction::DoHint(rtl::WideString&) { return true; }

// ----- TActionLink

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_) std::erase(action_->clients_, this);
  action_ = action;
  if (action_) action_->clients_.push_back(this);
}

// ----- TCustomImageList

void TCustomImageList::Publish(rtl::TPublisher<TCustomImageList>& p) {
  using T = TCustomImageList;
  p.Property("Width", &T::Width, &T::SetWidth).Default(16);
  p.Property("Height", &T::Height, &T::SetHeight).Default(16);
}

void RegisterActionClasses() { rtl::RegisterClasses<TBasicAction, TCustomAction, TAction, TCustomImageList>(); }

}  // namespace rtl
