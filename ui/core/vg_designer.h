#pragma once
// TvgDesigner: the hook through which a design environment follows the
// scenes it edits. One instance at most, held in vgDesigner; the running
// program never sets one, and design mode then still works, only names are
// not made unique and nobody is told of changes.
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Component.h"

namespace vg {

class IvgScene;
class TvgObject;
class TvgResources;

// A handler as the environment hands it out: a published method of an
// object; empty when there is no code.
struct TvgDesignMethod {
  rtl::TObject* instance = nullptr;
  const rtl::TMethodInfo* method = nullptr;
  bool HasCode() const { return method != nullptr; }
};

class TvgDesigner : public rtl::TComponent {
  RTL_CLASS(TvgDesigner, rtl::TComponent)

  explicit TvgDesigner(rtl::TComponent* owner) : rtl::TComponent(owner) {}

  // What only an environment can answer.
  virtual void SelectObject(rtl::TComponent* designer, TvgObject* object,
                            const std::vector<TvgObject*>& multiSelection) = 0;
  virtual void Modified(rtl::TComponent* designer) = 0;
  virtual std::string UniqueName(rtl::TComponent* designer, const std::string& className) = 0;
  virtual bool IsSelected(rtl::TComponent* designer, rtl::TObject* object) = 0;

  // Scenes register when created and leave when destroyed.
  virtual void AddScene(IvgScene* scene);
  virtual void RemoveScene(IvgScene* scene);
  // An environment overrides these; here they do nothing.
  virtual void EditStyle(TvgResources* /*book*/, const std::string& /*selected*/) {}
  virtual void AddObject(TvgObject* /*object*/) {}
  virtual void DeleteObject(TvgObject* /*object*/) {}
  virtual TvgDesignMethod AddMethod(const std::string& /*methodName*/) { return {}; }
  virtual std::string GetMethodName(const TvgDesignMethod& /*method*/) { return {}; }

  // Every listed scene selects object and repaints.
  void CallDesignSelect(TvgObject* object);
  // The listed scenes; nullptr until the first AddScene and after the last
  // RemoveScene.
  const std::vector<IvgScene*>* Scenes() const { return FScenes.get(); }

 private:
  std::unique_ptr<std::vector<IvgScene*>> FScenes;
};

// The design environment's hook; nullptr in the program.
extern TvgDesigner* vgDesigner;

}  // namespace vg
