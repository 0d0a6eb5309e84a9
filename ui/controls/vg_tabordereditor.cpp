#include "ui/controls/vg_tabordereditor.h"

#include <algorithm>

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_window.h"

namespace vg {

namespace {

TvgHudButton* AddButton(TvgObject& parent, const char16_t* text, float x, float y, std::function<void()> click) {
  auto* button = new TvgHudButton(nullptr);
  button->SetParent(&parent);
  button->SetBounds(x, y, 50, 26);
  button->SetText(text);
  button->OnClick = [click = std::move(click)](rtl::TObject*) { click(); };
  return button;
}

}  // namespace

TvgTabOrderEditor::TvgTabOrderEditor(TvgObject& root, TvgVisualObject& node, float formWidth)
    : FParent(*node.Parent()->Visual()) {
  FWindow = new TvgHudWindow(nullptr);
  FWindow->SetParent(&root);
  FWindow->SetAlign(vaClient);
  FWindow->SetShowSizeGrip(false);
  FWindow->SetText(u"TabOrder Editor");
  FUp = AddButton(*FWindow, u"Up", formWidth - 70, 50, [this] { MoveUp(); });
  FDown = AddButton(*FWindow, u"Down", formWidth - 70, 90, [this] { MoveDown(); });
  FList = new TvgHudListBox(nullptr);
  FList->SetParent(FWindow);
  FList->SetAlign(vaClient);
  FList->Padding()->SetRect({26, 45, 86, 33});
  FList->SetHideSelectionUnfocused(false);
  FList->SetItemHeight(20);
  Fill(&node);
}

std::vector<TvgVisualObject*> TvgTabOrderEditor::Listed() const {
  std::vector<TvgVisualObject*> listed;
  for (TvgVisualObject* control : FParent.TabList())
    if (control->Stored()) listed.push_back(control);  // not the parent's style
  return listed;
}

void TvgTabOrderEditor::Fill(TvgVisualObject* chosen) {
  FList->Clear();
  const std::vector<TvgVisualObject*> listed = Listed();
  for (TvgVisualObject* control : listed) {
    auto* item = new TvgListBoxItem(nullptr);
    item->SetText(rtl::W(control->Name().empty() ? control->ClassName() : control->Name()));
    item->TagObject = control;
    item->SetParent(FList);
  }
  const auto at = std::find(listed.begin(), listed.end(), chosen);
  FList->SetItemIndex(at == listed.end() ? -1 : static_cast<int>(at - listed.begin()));
}

void TvgTabOrderEditor::Move(int by) {
  const std::vector<TvgVisualObject*> listed = Listed();
  const int index = FList->ItemIndex(), target = index + by;
  if (index < 0 || index >= static_cast<int>(listed.size()) || target < 0 ||
      target >= static_cast<int>(listed.size()))
    return;
  TvgVisualObject* control = listed[index];
  control->SetTabOrder(listed[target]->GetTabOrder());
  Fill(control);
}

}  // namespace vg
