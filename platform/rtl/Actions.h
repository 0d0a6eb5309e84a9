#pragma once
// The class library's actions and image lists, as far as the toolkit uses
// them: an action holds a caption, enabled and visible state, hint, help
// data, an image index and an execute handler; each client control follows
// it through an action link, whose Set... operations a client's link class
// overrides. TCustomImageList is the base of image lists (size of the
// images, Clear). No display is needed.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Component.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/Types.h"

namespace rtl {

class TActionLink;

RTL_ENUM(THelpType, htKeyword, htContext)

class TBasicAction : public TComponent {
  RTL_CLASS(TBasicAction, TComponent)

  explicit TBasicAction(TComponent* owner);
  // Every link lets go of the action.
  ~TBasicAction() override;

  const TNotifyEvent& OnExecute() const { return onExecute_; }
  // The linked clients are told before the handler changes.
  void SetOnExecute(const TNotifyEvent& value);
  // Runs OnExecute; false when there is none.
  virtual bool Execute();

  // The links of the clients that follow the action (not owned).
  const std::vector<TActionLink*>& Clients() const { return clients_; }

 private:
  friend class TActionLink;
  TNotifyEvent onExecute_;
  std::vector<TActionLink*> clients_;
};

class TCustomAction : public TBasicAction {
  RTL_CLASS(TCustomAction, TBasicAction)

  explicit TCustomAction(TComponent* owner) : TBasicAction(owner) {}

  // Each setter hands a new value to every client link first (a link
  // compares it with the client's value of the old one), then stores it.
  const rtl::WideString& Caption() const { return caption_; }
  void SetCaption(const rtl::WideString& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  const rtl::WideString& Hint() const { return hint_; }
  void SetHint(const rtl::WideString& value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value);
  const std::string& HelpKeyword() const { return helpKeyword_; }
  void SetHelpKeyword(const std::string& value);
  THelpType HelpType() const { return helpType_; }
  void SetHelpType(THelpType value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value) { imageIndex_ = value; }

  // The hint about to be shown; true lets it show.
  virtual bool DoHint(rtl::WideString& hint);

 private:
  static void Publish(rtl::TPublisher<TCustomAction>& p);
  template <class T, class F>
  void Change(T& field, const T& value, F tellLink);

  rtl::WideString caption_;
  bool enabled_ = true;
  bool visible_ = true;
  rtl::WideString hint_;
  int helpContext_ = 0;
  std::string helpKeyword_;
  THelpType helpType_ = htKeyword;
  int imageIndex_ = -1;
};

class TAction : public TCustomAction {
  RTL_CLASS(TAction, TCustomAction)
  using TCustomAction::TCustomAction;
};

// Ties one client to an action. The base tests hold for any TCustomAction
// (OnExecute for any action); the Set... operations do nothing here.
class TActionLink : public rtl::TObject {
 public:
  explicit TActionLink(rtl::TObject* client) : client_(client) {}
  ~TActionLink() override;
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);
  rtl::TObject* Client() const { return client_; }
  // Runs the action.
  bool Execute() { return action_ && action_->Execute(); }

  virtual bool IsCaptionLinked() const { return CustomAction() != nullptr; }
  virtual bool IsEnabledLinked() const { return CustomAction() != nullptr; }
  virtual bool IsVisibleLinked() const { return CustomAction() != nullptr; }
  virtual bool IsHintLinked() const { return CustomAction() != nullptr; }
  virtual bool IsHelpLinked() const { return CustomAction() != nullptr; }
  virtual bool IsOnExecuteLinked() const { return action_ != nullptr; }
  virtual void SetCaption(const rtl::WideString&) {}
  virtual void SetEnabled(bool) {}
  virtual void SetVisible(bool) {}
  virtual void SetHint(const rtl::WideString&) {}
  virtual void SetHelpContext(int) {}
  virtual void SetHelpKeyword(const std::string&) {}
  virtual void SetHelpType(THelpType) {}
  virtual void SetOnExecute(const TNotifyEvent&) {}
  // May change the hint about to be shown; true lets it show.
  virtual bool DoShowHint(rtl::WideString&) { return true; }

 protected:
  TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(action_); }

 private:
  friend class TBasicAction;
  rtl::TObject* client_;
  TBasicAction* action_ = nullptr;
};

class TCustomImageList : public TComponent {
  RTL_CLASS(TCustomImageList, TComponent)

  explicit TCustomImageList(TComponent* owner) : TComponent(owner) {}

  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value; }
  int Height() const { return height_; }
  void SetHeight(int value) { height_ = value; }
  virtual int Count() const { return 0; }
  virtual void Clear() {}

 private:
  static void Publish(rtl::TPublisher<TCustomImageList>& p);
  int width_ = 16;
  int height_ = 16;
};

// Registers the action and image-list classes for streaming.
void RegisterActionClasses();

}  // namespace rtl
