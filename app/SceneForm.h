#pragma once
// A form whose client area is the toolkit scene `ControlsScene` streamed
// from its form resource: the base of the program's windows.
#include <memory>

#include "platform/gui/Forms.h"
#include "ui/core/vg_scene.h"
#include "ui/window/vg_scenehost.h"

namespace app {

class TSceneForm : public gui::TForm {
  RTL_CLASS(TSceneForm, gui::TForm)

  using gui::TForm::TForm;

  vg::TvgScene* ControlsScene = nullptr;

  /// The named node of the form (a streamed component), or nullptr.
  template <class T>
  T* Node(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  static void Publish(rtl::TPublisher<TSceneForm>& p) { p.Field("ControlsScene", &TSceneForm::ControlsScene); }

 protected:
  /// Reads the form resource and joins ControlsScene to the client area.
  void LoadForm();
  void BeforeDestruction() override;

 private:
  std::unique_ptr<vg::TvgSceneHost> host_;
};

}  // namespace app
