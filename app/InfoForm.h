#pragma once
// The information box TfrmInfo (a text, an OK button) and the one instance
// the message sink shows, created on first use, owned by the main window
// and reused.
#include "app/MessageSink.h"
#include "app/SceneForm.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_textcontrol.h"

namespace app {

class TfrmInfo : public TSceneForm {
  RTL_CLASS(TfrmInfo, TSceneForm)

  explicit TfrmInfo(rtl::TComponent* owner);

  vg::TvgLabel* Label1 = nullptr;
  vg::TvgRoundButton* btnOk = nullptr;

  void btnOkClick(rtl::TObject* sender);

  static void Publish(rtl::TPublisher<TfrmInfo>& p);
};

/// Shows the one TfrmInfo over `mainForm`, taking the style book of
/// `mainScene`.
class InfoBox final : public IInfoBox {
 public:
  InfoBox(gui::TForm& mainForm, vg::TvgScene& mainScene) : mainForm_(mainForm), mainScene_(mainScene) {}

  void Show(const std::string& text, const std::string& title, const std::string& button) override;
  /// The box, nullptr before the first Show.
  TfrmInfo* Form() const { return form_; }

 private:
  gui::TForm& mainForm_;
  vg::TvgScene& mainScene_;
  TfrmInfo* form_ = nullptr;  // owned by the main form
};

}  // namespace app
