#include "app/SceneForm.h"

#include "platform/rtl/Exceptions.h"

namespace app {

TSceneForm::TSceneForm(rtl::TComponent* owner) : gui::TForm(owner) {}

TSceneForm::~TSceneForm() = default;

void TSceneForm::Publish(rtl::TPublisher<TSceneForm>& p) { p.Field("ControlsScene", &TSceneForm::ControlsScene); }

void TSceneForm::ReadSceneForm() {
  ReadFormResource();
  if (!ControlsScene) throw rtl::Exception(ClassName() + " has no ControlsScene");
  host_ = std::make_unique<vg::TvgSceneHost>(*ControlsScene, *this);
}

void TSceneForm::BeforeDestruction() {
  host_.reset();
  inherited::BeforeDestruction();
}

}  // namespace app
