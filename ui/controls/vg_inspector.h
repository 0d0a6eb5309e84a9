#pragma once
// TvgInspector: a tree of the published properties of one component (read
// from the reflection tables), each with its value beside its name, edited
// in place by a text box, a pop-up box of value names or an "Edit..."
// button that opens the design-time editor of a brush, gradient, bitmap,
// path or font (through the installed design services).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/Strings.h"
#include "ui/controls/vg_treeview.h"

namespace vg {

class TvgButton;
class TvgLabel;
class TvgPopupBox;
class TvgTextBox;

using TvgOnChangeProperty = rtl::TEvent<rtl::TObject*, const std::string&>;

class TvgInspector : public TvgTreeView {
  RTL_CLASS(TvgInspector, TvgTreeView)

  explicit TvgInspector(rtl::TComponent* owner);
  ~TvgInspector() override;

  rtl::TComponent* SelectedObject() const { return FSelectedObject; }
  // Commits an open editor, then lists the new object's properties.
  void SetSelectedObject(rtl::TComponent* value);
  // Property names never listed.
  rtl::TStringList* DisabledProperties() const { return FDisabledProperties.get(); }
  void SetDisabledProperties(const rtl::TStringList* value);
  bool ShowProperties() const { return FShowProperties; }
  void SetShowProperties(bool value);
  bool ShowEvents() const { return FShowEvents; }
  void SetShowEvents(bool value);

  // Commits an open text or pop-up editor, selects the item and opens its
  // editor.
  void SetSelected(TvgTreeViewItem* value) override;
  // The editor open on the selected item, or nullptr.
  TvgVisualObject* Editor() const;
  TvgTextBox* TextEditor() const { return FTextEditor; }
  TvgPopupBox* PopupEditor() const { return FPopupEditor; }
  TvgButton* EditButton() const { return FEditButton; }
  // The item of a property path ("Font.Size"), or nullptr.
  TvgTreeViewItem* ItemOf(const std::string& path) const;
  // The value text shown beside an item.
  rtl::WideString ValueText(TvgTreeViewItem* item) const;
  // Lists the properties again.
  void Rebuild();

  TvgOnChangeProperty OnChangeProperty;

  void DialogKey(std::uint16_t& key, TvgShiftState shift) override;
  void VScrollChange(rtl::TObject* sender) override;
  void HScrollChange(rtl::TObject* sender) override;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  static void Publish(rtl::TPublisher<TvgInspector>& p);
  void AddObjectItems(TvgTreeViewItem* parent, rtl::TObject* object);
  bool Listed(const rtl::TPropertyInfo& property, rtl::TObject* object) const;
  rtl::WideString PropertyText(rtl::TObject* object, const rtl::TPropertyInfo& property) const;
  void RebuildEditor();
  void PlaceEditor();
  void CommitOpenEditor();
  void EditorChanged(rtl::TObject* sender);
  void ForgetTargets();
  TvgLabel* ValueLabel(TvgTreeViewItem* item) const;
  const rtl::TPropertyInfo* PropertyOf(TvgTreeViewItem* item) const;

  rtl::TComponent* FSelectedObject = nullptr;
  std::unique_ptr<rtl::TStringList> FDisabledProperties;
  bool FShowProperties = true;
  bool FShowEvents = false;
  bool FUpdatingList = false;
  TvgButton* FEditButton = nullptr;
  TvgTextBox* FTextEditor = nullptr;
  TvgPopupBox* FPopupEditor = nullptr;
  TvgLabel* FHiddenLabel = nullptr;
};

// Registers the inspector under "Design" (RegisterControlClasses does).
void RegisterDesignClasses();

}  // namespace vg
