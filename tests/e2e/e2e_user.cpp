#include "tests/e2e/e2e_user.h"

#include <glib.h>
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <utility>

#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/SceneWindow.h"
#include "platform/rtl/TextConvert.h"
#include "platform/rtl/TypeInfo.h"
#include "tests/support/gui_events.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_combobox.h"
#include "ui/core/vg_scene.h"

namespace e2e {
namespace {

guint32 g_eventTime = 1000;

// Actions go to the window the user faces, so that is the one checked.
bool Alive(gui::TForm* form) { return form == gui::MainForm() || form == gui::TopModalForm(); }

// Runs `action` from the main loop once the current step has returned, if
// the form is still there.
void Later(TSceneForm& form, std::function<void()> action) {
  struct Deferred {
    gui::TForm* form;
    std::function<void()> action;
  };
  g_idle_add_full(
      G_PRIORITY_DEFAULT_IDLE,
      [](gpointer data) {
        auto& deferred = *static_cast<Deferred*>(data);
        if (Alive(deferred.form)) deferred.action();
        return G_SOURCE_REMOVE;
      },
      new Deferred{&form, std::move(action)}, [](gpointer data) { delete static_cast<Deferred*>(data); });
}

void MoveTo(gui::TSceneWindow& window, double x, double y) {
  const gui::TPoint origin = window.ClientToScreen({0, 0});
  test_support::SendMotion(window, origin.X + static_cast<int>(x), origin.Y + static_cast<int>(y), 0);
}

void ClickIn(gui::TSceneWindow& window, vg::TvgPoint at, int clicks) {
  MoveTo(window, at.X, at.Y);
  for (int i = 0; i < clicks; ++i) {
    test_support::SendButton(window, GDK_BUTTON_PRESS, 1, at.X, at.Y, g_eventTime += 10);
    if (i == 1) test_support::SendButton(window, GDK_2BUTTON_PRESS, 1, at.X, at.Y, g_eventTime);
    test_support::SendButton(window, GDK_BUTTON_RELEASE, 1, at.X, at.Y, g_eventTime += 10);
  }
}

void ClickAt(TSceneForm& form, vg::TvgPoint at, int clicks) {
  Later(form, [&form, at, clicks] {
    if (gui::TSceneWindow* window = form.ClientWindow()) ClickIn(*window, at, clicks);
  });
}

vg::TvgPoint Centre(vg::TvgVisualObject& node) { return {node.Width() / 2, node.Height() / 2}; }

// The window of the combo box's open drop-down list, once it is on screen.
gui::TForm* DropDownWindow(vg::TvgComboBox& combo) {
  vg::TvgPopup* popup = combo.Popup();
  if (!popup || !popup->IsOpen() || !popup->PopupWindow()) return nullptr;
  auto* window = dynamic_cast<gui::TForm*>(popup->PopupWindow()->Scene().Owner());
  return window && window->ClientWindow() && window->HandleAllocated() && gtk_widget_get_mapped(window->Handle())
             ? window
             : nullptr;
}

std::string WithoutMnemonics(std::string caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

}  // namespace

TSceneForm* Front() {
  if (auto* modal = dynamic_cast<TSceneForm*>(gui::TopModalForm())) return modal;
  return dynamic_cast<TSceneForm*>(gui::MainForm());
}

TSceneForm* ShownWindow(gui::TForm& owner, std::string_view className) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    auto* window = dynamic_cast<TSceneForm*>(owner.Components(i));
    if (window && window->ClassName() == className && window->HandleAllocated() &&
        gtk_widget_get_mapped(window->Handle()))
      return window;
  }
  return nullptr;
}

vg::TvgVisualObject* Reachable(TSceneForm& form, std::string_view name) {
  auto* node = form.Node<vg::TvgVisualObject>(name);
  if (!node || !form.ClientWindow() || !node->Visible() || !node->CheckParentVisible() ||
      !node->GetAbsoluteEnabled())
    return nullptr;
  return node;
}

bool ClickNodeAt(TSceneForm& form, vg::TvgVisualObject& node, vg::TvgPoint at) {
  ClickAt(form, node.LocalToAbsolute(at), 1);
  return true;
}

bool ClickNode(TSceneForm& form, vg::TvgVisualObject& node) { return ClickNodeAt(form, node, Centre(node)); }

bool Click(TSceneForm& form, std::string_view name) {
  vg::TvgVisualObject* node = Reachable(form, name);
  return node && ClickNode(form, *node);
}

bool DoubleClick(TSceneForm& form, std::string_view name) {
  vg::TvgVisualObject* node = Reachable(form, name);
  if (!node) return false;
  ClickAt(form, node->LocalToAbsolute(Centre(*node)), 2);
  return true;
}

bool Choose(TSceneForm& form, std::string_view name) {
  gui::TMainMenu* menu = form.Menu();
  auto* item = dynamic_cast<gui::TMenuItem*>(form.FindComponent(name));
  if (!menu || !item) return false;
  for (gui::TMenuItem* step = item; step && step->Parent(); step = step->Parent()) {
    GtkWidget* widget = menu->ItemWidget(step);
    if (!widget || !gtk_widget_get_visible(widget) || !gtk_widget_is_sensitive(widget)) return false;
  }
  Later(form, [&form, item] {
    if (GtkWidget* widget = form.Menu()->ItemWidget(item)) gtk_menu_item_activate(GTK_MENU_ITEM(widget));
  });
  return true;
}

void Press(TSceneForm& form, unsigned keyval, unsigned modifiers) {
  Later(form, [&form, keyval, modifiers] { test_support::Type(form.Handle(), keyval, modifiers); });
}

void Type(TSceneForm& form, std::string_view text) {
  for (char16_t unit : rtl::Utf8ToUtf16(std::string(text))) Press(form, gdk_unicode_to_keyval(unit));
}

bool Enter(TSceneForm& form, std::string_view textBox, std::string_view text) {
  if (!Click(form, textBox)) return false;
  Press(form, GDK_KEY_a, GDK_CONTROL_MASK);
  Type(form, text);
  Press(form, GDK_KEY_Return);
  return true;
}

bool ClickDropDownEntry(TSceneForm& form, std::string_view comboBox, int index) {
  auto* combo = form.Node<vg::TvgComboBox>(comboBox);
  if (!combo || !DropDownWindow(*combo) || !combo->ListBox() || !combo->ListBox()->ItemByIndex(index)) return false;
  Later(form, [&form, name = std::string(comboBox), index] {
    auto* box = form.Node<vg::TvgComboBox>(name);
    gui::TForm* window = box ? DropDownWindow(*box) : nullptr;
    vg::TvgListBoxItem* item = window ? box->ListBox()->ItemByIndex(index) : nullptr;
    if (item) ClickIn(*window->ClientWindow(), item->LocalToAbsolute(Centre(*item)), 1);
  });
  return true;
}

std::string Shows(TSceneForm& form, std::string_view name) {
  rtl::TComponent* node = form.FindComponent(name);
  if (auto* combo = dynamic_cast<vg::TvgComboBox*>(node)) node = combo->Selected();
  return node && rtl::FindPropertyPath(node, "Text") ? rtl::GetPropText(node, "Text") : std::string();
}

std::string MenuCaption(TSceneForm& form, std::string_view name) {
  auto* item = dynamic_cast<gui::TMenuItem*>(form.FindComponent(name));
  return item ? WithoutMnemonics(rtl::Utf16ToUtf8(item->Caption())) : std::string();
}

std::function<bool(app::TfrmInterface&)> ShotStep(std::string name, bool* saved) {
  struct Progress {
    int phase = 0, drawCount = 0;
  };
  auto progress = std::make_shared<Progress>();
  return [progress, name = std::move(name), saved](app::TfrmInterface&) {
    TSceneForm* form = Front();
    if (!form || !form->ControlsScene) return false;
    vg::TvgScene& scene = *form->ControlsScene;
    switch (progress->phase++) {
      case 0:
        progress->drawCount = scene.DrawCount();
        scene.AddUpdateRect({0, 0, static_cast<float>(scene.Width()), static_cast<float>(scene.Height())});
        return false;
      case 1:
        if (scene.DrawCount() == progress->drawCount) progress->phase = 1;
        return false;
      default: {
        const bool written = test_support::SaveWindowShot(form->Handle(), name).has_value();
        if (saved) *saved = written;
        return true;
      }
    }
  };
}

}  // namespace e2e
