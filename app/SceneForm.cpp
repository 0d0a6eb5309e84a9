#include "app/SceneForm.h"

namespace app {

void TSceneForm::LoadForm() {
  ReadFormResource();
  if (ControlsScene) host_ = std::make_unique<vg::TvgSceneHost>(*ControlsScene, *this);
}

// The host goes first: it detaches itself from the scene, which the form
// frees with its other components.
void TSceneForm::BeforeDestruction() {
  host_.reset();
  inherited::BeforeDestruction();
}

}  // namespace app
