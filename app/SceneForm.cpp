#include "app/SceneForm.h"

namespace app {

void TSceneForm::LoadForm() {
  ReadFormResource();
  if (ControlsScene) host_ = std::make_unique<vg::TvgSceneHost>(*ControlsScene, *this);
}

void TSceneForm::BeforeDestruction() {
  inherited::BeforeDestruction();
  host_.reset();
}

}  // namespace app
