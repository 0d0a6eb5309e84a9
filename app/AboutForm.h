#pragma once
// TfrmAbout: the about box. Its first view is a text; "Credits" shrinks
// the logo, fades the first view out and the credits in, and a second
// later scrolls the credits upward for a minute, over and over.
#include <functional>
#include <memory>
#include <string>

#include "app/SceneForm.h"
#include "platform/gui/Timer.h"
#include "ui/controls/vg_buttons.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_control.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

namespace app {

class TfrmAbout : public TSceneForm {
  RTL_CLASS(TfrmAbout, TSceneForm)

  explicit TfrmAbout(rtl::TComponent* owner);
  ~TfrmAbout() override;

  vg::TvgBackground* Root1 = nullptr;
  vg::TvgLayout* FirstLayout = nullptr;
  vg::TvgText* Text2 = nullptr;
  vg::TvgLayout* AniLayout = nullptr;
  vg::TvgText* Text1 = nullptr;
  vg::TvgText* textList = nullptr;
  vg::TvgFloatAnimation* Slide = nullptr;
  vg::TvgText* Text3 = nullptr;
  vg::TvgImage* LogoImage = nullptr;
  vg::TvgButton* Button1 = nullptr;
  vg::TvgButton* Button2 = nullptr;
  // Starts the scrolling a second after the credits have faded in.
  gui::TTimer* CreditsTimer = nullptr;
  // Told the address of a link no browser could be started for.
  std::function<void(const std::string& address)> OnLinkFailed;

  void FormCreate(rtl::TObject* sender);
  void Button1Click(rtl::TObject* sender);
  void Button2Click(rtl::TObject* sender);
  void CreditsTimerTimer(rtl::TObject* sender);
  void Text2Click(rtl::TObject* sender);
  void Text3Click(rtl::TObject* sender);

  static void Publish(rtl::TPublisher<TfrmAbout>& p);

 private:
  // Opens `text` in the browser when it is a web address (http or https).
  void OpenLink(const rtl::WideString& text);
};

}  // namespace app
