#include "ui/core/vg_designer.h"

#include <algorithm>

#include "ui/core/vg_scene.h"

namespace vg {

TvgDesigner* vgDesigner = nullptr;

void TvgDesigner::AddScene(IvgScene* scene) {
  if (!FScenes) FScenes = std::make_unique<std::vector<IvgScene*>>();
  if (std::find(FScenes->begin(), FScenes->end(), scene) == FScenes->end()) FScenes->push_back(scene);
}

void TvgDesigner::RemoveScene(IvgScene* scene) {
  if (!FScenes) return;
  std::erase(*FScenes, scene);
  if (FScenes->empty()) FScenes.reset();
}

void TvgDesigner::CallDesignSelect(TvgObject* object) {
  if (!FScenes) return;
  for (IvgScene* scene : *FScenes) {
    if (auto* custom = dynamic_cast<TvgCustomScene*>(scene)) custom->DoDesignSelect(object);
    scene->AddUpdateRect({0, 0, 10000, 10000});
  }
}

}  // namespace vg
