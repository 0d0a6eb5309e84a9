#include "ui/window/vg_designservices.h"

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_tabordereditor.h"
#include "ui/window/vg_bitmapeditor.h"
#include "ui/window/vg_brushdialog.h"
#include "ui/window/vg_pathdesigner.h"

namespace vg {

namespace {

void AddItems(gui::TMenuItem& parent, const TvgDesignMenu& items, rtl::TComponent* owner) {
  for (const TvgDesignMenuItem& entry : items) {
    auto* item = new gui::TMenuItem(owner);
    item->SetCaption(rtl::W(entry.caption));
    item->SetHint(rtl::W(entry.hint));
    item->SetRadioItem(entry.radio);
    item->SetChecked(entry.checked);
    if (entry.onClick) item->OnClick = [click = entry.onClick](rtl::TObject*) { click(); };
    parent.Add(item);
    AddItems(*item, entry.items, owner);
  }
}

// The open menu; rebuilt on every opening.
// Freed, not deleted: its items leave it while it is still a menu.
using OwnedPopupMenu = std::unique_ptr<gui::TPopupMenu, decltype([](gui::TPopupMenu* menu) { menu->Free(); })>;

OwnedPopupMenu& OpenMenu() {
  static OwnedPopupMenu menu;
  return menu;
}

std::string OpenSceneFile() {
  gui::TOpenDialog dialog(nullptr);
  dialog.Filter = std::string("Scenes (") + vgSceneFileExtension + ";*.vg)|" + vgSceneFileExtension + ";*.vg";
  return dialog.Execute() ? dialog.FileName : std::string();
}

bool EditFont(TvgFont& font) {
  gui::TFontDialog dialog(nullptr);
  dialog.GetFont()->Name = rtl::Utf16ToUtf8(font.Family());
  dialog.GetFont()->Size = static_cast<int>(font.Size());
  if (!dialog.Execute()) return false;
  font.SetFamily(rtl::W(dialog.GetFont()->Name));
  font.SetSize(static_cast<float>(dialog.GetFont()->Size));
  return true;
}

}  // namespace

gui::TPopupMenu* vgBuildDesignPopup(const TvgDesignMenu& menu, rtl::TComponent* owner) {
  auto* popup = new gui::TPopupMenu(owner);
  AddItems(*popup->Items(), menu, popup);
  return popup;
}

void vgEditTabOrder(TvgVisualObject* node) {
  if (!node || !node->Parent() || !node->Parent()->IsVisual()) return;
  gui::TForm form(nullptr);
  form.SetBorderStyle(gui::bsNone);
  form.SetPosition(gui::poScreenCenter);
  form.SetClientWidth(400);
  form.SetClientHeight(300);
  TvgScene scene(nullptr);
  scene.SetTransparency(true);
  auto* root = new TvgBackground(nullptr);
  scene.AddObject(root);
  TvgTabOrderEditor editor(*root, *node, 400);
  TvgSceneHost host(scene, form);
  form.ShowModal();
}

bool vgEditDesignValue(rtl::TObject* value, rtl::TComponent* component) {
  if (auto* brush = dynamic_cast<TvgBrush*>(value)) {
    SelectInDesign(brush, component);
    return true;
  }
  if (auto* gradient = dynamic_cast<TvgGradient*>(value)) return ShowGradientDialog(*gradient);
  if (auto* font = dynamic_cast<TvgFont*>(value)) return EditFont(*font);
  if (auto* bitmap = dynamic_cast<TvgBitmap*>(value)) return ShowBitmapEditor(*bitmap);
  if (auto* path = dynamic_cast<TvgPathData*>(value)) return ShowPathDataDesigner(*path);
  return false;
}

void vgUseDesignServices() {
  TvgDesignServices services;
  services.showMenu = [](const TvgDesignMenu& menu, TvgPoint screen) {
    OpenMenu().reset(vgBuildDesignPopup(menu, nullptr));
    OpenMenu()->Popup(static_cast<int>(screen.X), static_cast<int>(screen.Y));
  };
  services.editTabOrder = vgEditTabOrder;
  services.openSceneFile = OpenSceneFile;
  services.editValue = vgEditDesignValue;
  vgSetDesignServices(std::move(services));
}

}  // namespace vg
