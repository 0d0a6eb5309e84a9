#pragma once
// The path designer: a form (its layout is the form resource
// "TvgPathDataDesigner") where path data is typed as text (SVG or XAML
// path syntax) and previewed as it is typed.
#include <memory>

#include "platform/gui/Forms.h"
#include "ui/controls/vg_controls.h"
#include "ui/window/vg_scenehost.h"

namespace vg {

class TvgPathDataDesigner : public gui::TForm {
  RTL_CLASS(TvgPathDataDesigner, gui::TForm)

  explicit TvgPathDataDesigner(rtl::TComponent* owner);
  ~TvgPathDataDesigner() override;

  TvgScene* vgScene1 = nullptr;
  TvgMemo* PathData = nullptr;
  TvgLayout* previewLayout = nullptr;
  TvgPath* previewPath = nullptr;
  TvgButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;

  static void Publish(rtl::TPublisher<TvgPathDataDesigner>& p);

 protected:
  void BeforeDestruction() override;

 private:
  void ShowPreview();

  std::unique_ptr<TvgSceneHost> FHost;
};

// Runs the designer on the text of path; on OK the typed path goes back.
bool ShowPathDataDesigner(TvgPathData& path);

}  // namespace vg
