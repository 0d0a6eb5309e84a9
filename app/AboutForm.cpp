#include "app/AboutForm.h"

#include "platform/gui/Shell.h"
#include "platform/rtl/TextConvert.h"

namespace app {

TfrmAbout::TfrmAbout(rtl::TComponent* owner) : TSceneForm(owner) {
  CreditsTimer = new gui::TTimer(this);
  CreditsTimer->SetEnabled(false);
  CreditsTimer->SetOnTimer([this](rtl::TObject* sender) { CreditsTimerTimer(sender); });
  ReadSceneForm();
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::Publish(rtl::TPublisher<TfrmAbout>& p) {
  p.Field("Root1", &TfrmAbout::Root1);
  p.Field("FirstLayout", &TfrmAbout::FirstLayout);
  p.Field("Text2", &TfrmAbout::Text2);
  p.Field("AniLayout", &TfrmAbout::AniLayout);
  p.Field("Text1", &TfrmAbout::Text1);
  p.Field("textList", &TfrmAbout::textList);
  p.Field("Slide", &TfrmAbout::Slide);
  p.Field("Text3", &TfrmAbout::Text3);
  p.Field("LogoImage", &TfrmAbout::LogoImage);
  p.Field("Button1", &TfrmAbout::Button1);
  p.Field("Button2", &TfrmAbout::Button2);
  p.Method("FormCreate", &TfrmAbout::FormCreate);
  p.Method("Button1Click", &TfrmAbout::Button1Click);
  p.Method("Button2Click", &TfrmAbout::Button2Click);
  p.Method("Text2Click", &TfrmAbout::Text2Click);
  p.Method("Text3Click", &TfrmAbout::Text3Click);
}

void TfrmAbout::FormCreate(rtl::TObject*) { textList->SetText({}); }

void TfrmAbout::Button1Click(rtl::TObject*) {
  LogoImage->AnimateFloat("Scale.X", 0.5f, 0.2f);
  LogoImage->AnimateFloat("Scale.Y", 0.5f, 0.2f);
  FirstLayout->AnimateFloatWait("Opacity", 0, 0.4f);
  FirstLayout->SetVisible(false);
  AniLayout->SetVisible(true);
  AniLayout->SetOpacity(0);
  AniLayout->AnimateFloatWait("Opacity", 1, 0.6f);
  CreditsTimer->SetEnabled(true);
}

void TfrmAbout::CreditsTimerTimer(rtl::TObject*) {
  CreditsTimer->SetEnabled(false);
  Slide->SetStartFromCurrent(true);
  Slide->SetStopValue(-AniLayout->Height());
  Slide->Start();
}

void TfrmAbout::Button2Click(rtl::TObject*) { Close(); }

void TfrmAbout::Text2Click(rtl::TObject*) { OpenLink(Text2->Text()); }

void TfrmAbout::Text3Click(rtl::TObject*) { OpenLink(Text3->Text()); }

void TfrmAbout::OpenLink(const rtl::WideString& text) {
  if (!text.starts_with(u"http://") && !text.starts_with(u"https://")) return;
  const std::string address = rtl::Utf16ToUtf8(text);
  if (!gui::Shell().Open(address) && OnLinkFailed) OnLinkFailed(address);
}

}  // namespace app
