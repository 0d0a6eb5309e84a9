#pragma once
// A dialog form whose client area is one toolkit scene, "ControlsScene",
// streamed with the form's resource.
#include <memory>
#include <string_view>

#include "platform/gui/Forms.h"
#include "ui/core/vg_scene.h"
#include "ui/window/vg_scenehost.h"

namespace app {

class TSceneForm : public gui::TForm {
  RTL_CLASS(TSceneForm, gui::TForm)

  explicit TSceneForm(rtl::TComponent* owner);
  ~TSceneForm() override;

  vg::TvgScene* ControlsScene = nullptr;

  /// The named node of the form (a streamed component), or nullptr.
  template <class T>
  T* Node(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  static void Publish(rtl::TPublisher<TSceneForm>& p);

 protected:
  // Reads the form's resource (named after its class) and joins the scene
  // to the client area. Call from the constructor of the derived form.
  void ReadSceneForm();
  void BeforeDestruction() override;

 private:
  std::unique_ptr<vg::TvgSceneHost> host_;
};

}  // namespace app
