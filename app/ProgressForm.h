#pragma once
// The progress box TfrmProgress of the device jobs, and the shared box the
// main window keeps for them: at most one at a time, created for a job and
// freed when it ends.
#include "app/SceneForm.h"
#include "device/LinkServices.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_progressbar.h"
#include "ui/controls/vg_textcontrol.h"

namespace app {

class TfrmProgress : public TSceneForm {
  RTL_CLASS(TfrmProgress, TSceneForm)

  explicit TfrmProgress(rtl::TComponent* owner);

  vg::TvgLabel* Label1 = nullptr;
  vg::TvgProgressBar* ProgressBar1 = nullptr;

  static void Publish(rtl::TPublisher<TfrmProgress>& p);
};

class ProgressBox final : public device::IProgressBox {
 public:
  ProgressBox(gui::TForm& mainForm, vg::TvgScene& mainScene) : mainForm_(mainForm), mainScene_(mainScene) {}
  ~ProgressBox() override;
  ProgressBox(const ProgressBox&) = delete;
  ProgressBox& operator=(const ProgressBox&) = delete;

  void Create(const std::string& label, int maximum) override;
  void Free() override;
  void SetMaximum(int maximum) override;
  bool Exists() override { return form_ != nullptr; }
  void Show() override;
  int Value() override;
  int Maximum() override;
  void SetValue(int value) override;
  void Repaint() override;
  TfrmProgress* Form() const { return form_; }

 private:
  gui::TForm& mainForm_;
  vg::TvgScene& mainScene_;
  TfrmProgress* form_ = nullptr;  // owned by the main form while it exists
};

}  // namespace app
