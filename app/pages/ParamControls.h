#pragma once
// The parameter controls of the pages, found by name among the components
// of the form that owns them, as the parameter editor reaches them.
#include "params/ParamHost.h"
#include "platform/rtl/Component.h"

namespace app {

class ParamControls : public params::IParamControls {
 public:
  // `owner` (the main form) owns every parameter control and outlives this.
  explicit ParamControls(rtl::TComponent& owner) : owner_(owner) {}

  params::ControlKind Kind(const std::string& name) override;
  bool Enabled(const std::string& name) override;
  void SetEnabled(const std::string& name, bool enabled) override;
  bool Visible(const std::string& name) override;
  void SetVisible(const std::string& name, bool visible) override;
  void SetFocus(const std::string& name) override;
  std::vector<std::string> Entries(const std::string& name) override;
  void SetEntry(const std::string& name, int index, const std::string& text) override;
  void DeleteEntry(const std::string& name, int index) override;
  void SetEntries(const std::string& name, const std::vector<std::string>& entries) override;
  int ItemIndex(const std::string& name) override;
  void SetItemIndex(const std::string& name, int index) override;
  double Value(const std::string& name) override;
  void SetValue(const std::string& name, double value) override;
  double Min(const std::string& name) override;
  void SetMin(const std::string& name, double value) override;
  double Max(const std::string& name) override;
  void SetMax(const std::string& name, double value) override;
  std::string Text(const std::string& name) override;
  void SetText(const std::string& name, const std::string& text) override;

 private:
  template <class T>
  T* Find(const std::string& name) {
    return dynamic_cast<T*>(owner_.FindComponent(name));
  }

  rtl::TComponent& owner_;
};

}  // namespace app
