#include "tests/e2e/e2e_user.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "device/LinkServices.h"
#include "device/SqliteDb.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/SceneWindow.h"
#include "platform/hid/HidBackendChoice.h"
#include "platform/hid/SimulatedHid.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/TextConvert.h"
#include "platform/rtl/TypeInfo.h"
#include "tests/support/gui_events.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_listbox.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_objects.h"

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

// Moves the pointer to `at` (pixels of the drawing area whose client origin
// is at `origin` on the screen) and clicks the left button there.
void ClickIn(GtkWidget* area, gui::TPoint origin, vg::TvgPoint at, int clicks) {
  test_support::SendMotion(area, origin, origin.X + static_cast<int>(at.X), origin.Y + static_cast<int>(at.Y), 0);
  for (int i = 0; i < clicks; ++i) {
    test_support::SendButton(area, origin, GDK_BUTTON_PRESS, 1, at.X, at.Y, g_eventTime += 10);
    if (i == 1) test_support::SendButton(area, origin, GDK_2BUTTON_PRESS, 1, at.X, at.Y, g_eventTime);
    test_support::SendButton(area, origin, GDK_BUTTON_RELEASE, 1, at.X, at.Y, g_eventTime += 10);
  }
}

void ClickIn(gui::TSceneWindow& window, vg::TvgPoint at, int clicks) {
  ClickIn(window.Widget(), window.ClientToScreen({0, 0}), at, clicks);
}

void ClickAt(TSceneForm& form, vg::TvgPoint at, int clicks) {
  Later(form, [&form, at, clicks] {
    if (gui::TSceneWindow* window = form.ClientWindow()) ClickIn(*window, at, clicks);
  });
}

vg::TvgPoint Centre(vg::TvgVisualObject& node) { return {node.Width() / 2, node.Height() / 2}; }

std::string WithoutMnemonics(std::string caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

// The form an open drop-down list shows in (its popup's own), or nullptr.
gui::TForm* DropDownForm(vg::TvgComboBox& box) {
  if (!box.Popup() || !box.Popup()->IsOpen() || !box.ListBox()) return nullptr;
  auto* scene = dynamic_cast<vg::TvgScene*>(box.ListBox()->GetScene());
  auto* window = scene ? dynamic_cast<gui::TForm*>(scene->Owner()) : nullptr;
  if (!window || !window->HandleAllocated() || !gtk_widget_get_mapped(window->Handle())) return nullptr;
  return window;
}

// Clicks entry `index` of the box's drop-down list in the list's window.
void ClickEntryLater(TSceneForm& form, vg::TvgComboBox& box, int index) {
  Later(form, [&box, index] {
    gui::TForm* window = DropDownForm(box);
    vg::TvgListBoxItem* entry = box.ListBox()->ItemByIndex(index);
    if (window && window->ClientWindow() && entry)
      ClickIn(*window->ClientWindow(), entry->LocalToAbsolute(Centre(*entry)), 1);
  });
}

std::string TextOf(rtl::TComponent& node) {
  return rtl::FindPropertyPath(&node, "Text") ? rtl::GetPropText(&node, "Text") : std::string();
}

}  // namespace

void ShowEveryFeature(const std::filesystem::path& folder) {
  std::string json = R"({"Data":[)";
  for (int i = 0; i < 11; ++i) json += std::string(i ? "," : "") + R"({"on-off":"on"})";
  json += "]}";
  std::unique_ptr<gchar, decltype(&g_free)> text(
      g_base64_encode(reinterpret_cast<const guchar*>(json.data()), json.size()), g_free);
  rtl::WriteFileBytes((folder / "config.dat").string(), std::string(text.get()));
}

void FlipPackageByte(const std::filesystem::path& database, const std::string& version) {
  device::SqliteDb db;
  ASSERT_TRUE(db.Create(database.string()));  // read-write: the program only reads
  device::SqliteStatement read;
  ASSERT_TRUE(read.Prepare(db, "select bootloader from software where version=?") && read.BindText(1, version));
  ASSERT_EQ(read.Step(), device::kSqliteRow);
  hid::Bytes blob = read.ColumnBlob(0);
  ASSERT_GT(blob.size(), 200u);
  blob[200] ^= 0x01;
  device::SqliteStatement write;
  ASSERT_TRUE(write.Prepare(db, "update software set bootloader=? where version=?") && write.BindBlob(1, blob) &&
              write.BindText(2, version));
  ASSERT_EQ(write.Step(), device::kSqliteDone);
}

int ClassicFramesSent(const std::string& adapterPath, std::initializer_list<std::uint8_t> commands) {
  constexpr std::uint8_t kFrameStart = 0xA5;
  hid::SimulatedHid* adapter = hid::SimulatedAdapterOfThisRun();
  if (!adapter) return -1;
  const auto& written = adapter->Written(adapterPath);
  return static_cast<int>(std::count_if(written.begin(), written.end(), [commands](const hid::Bytes& report) {
    return report.size() > 2 && report[1] == kFrameStart && std::ranges::find(commands, report[2]) != commands.end();
  }));
}

int FirmwareFramesSent(const std::string& adapterPath) {
  constexpr std::uint8_t kPartACommand = 12, kPartBCommand = 4;
  return ClassicFramesSent(adapterPath, {kPartACommand, kPartBCommand});
}

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

bool Settled(app::TfrmInterface& form) {
  return !gui::TopModalForm() && !ShownWindow(form, "TfrmProgress") && form.Enabled();
}

bool LampOn(app::TfrmInterface& form) {
  auto* lamp = form.Node<vg::TvgShape>("Circle1");
  return lamp && lamp->Fill()->SolidColor() == device::kLedOn;
}

bool ListMarksShownPage(app::TfrmInterface& form) {
  auto* list = form.Node<vg::TvgListBox>("ListBox1");
  vg::TvgListBoxItem* marked = list ? list->Selected() : nullptr;
  return marked && marked->IsSelected() && marked->Tag() == form.ShownPageTag();
}

TSceneForm* Dialog(std::string_view className) {
  TSceneForm* front = Front();
  return front && front != gui::MainForm() && front->ClassName() == className ? front : nullptr;
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
  // End, then Shift+Home: Ctrl+A types nothing in boxes that take only
  // some characters (number boxes).
  Press(form, GDK_KEY_End);
  Press(form, GDK_KEY_Home, GDK_SHIFT_MASK);
  Type(form, text);
  Press(form, GDK_KEY_Return);
  return true;
}

GtkWidget* DropDownWindow(TSceneForm& form, std::string_view comboBox) {
  auto* box = form.Node<vg::TvgComboBox>(comboBox);
  gui::TForm* window = box ? DropDownForm(*box) : nullptr;
  return window ? window->Handle() : nullptr;
}

bool ClickDropDownEntry(TSceneForm& form, std::string_view comboBox, int index) {
  auto* box = form.Node<vg::TvgComboBox>(comboBox);
  vg::TvgListBoxItem* shown = box && box->ListBox() ? box->ListBox()->ItemByIndex(index) : nullptr;
  if (!shown || !shown->Visible() || !DropDownForm(*box)) return false;
  ClickEntryLater(form, *box, index);
  return true;
}

std::string Shows(TSceneForm& form, std::string_view name) {
  rtl::TComponent* node = form.FindComponent(name);
  // A drop-down list shows its chosen entry.
  if (auto* combo = dynamic_cast<vg::TvgComboBox*>(node)) node = combo->Selected();
  if (!node) return {};
  // A compound box (a label beside a box) shows the text of its box.
  for (const char* text : {"Text", "TextBox.Text", "Memo.Text"})
    if (rtl::FindPropertyPath(node, text)) return rtl::GetPropText(node, text);
  return {};
}

std::string ShownEntry(TSceneForm& form, std::string_view name) {
  auto* box = dynamic_cast<vg::TvgComboBox*>(form.FindComponent(name));
  vg::TvgListBoxItem* chosen = box ? box->Selected() : nullptr;
  return chosen ? rtl::GetPropText(chosen, "Text") : std::string();
}

std::string LabelBeside(TSceneForm& form, std::string_view name) {
  vg::TvgVisualObject* field = Reachable(form, name);
  vg::TvgObject* row = field ? field->Parent() : nullptr;
  if (!row) return {};
  const vg::TvgPoint fieldTop = field->LocalToAbsolute({0, 0});
  const float fieldBottom = fieldTop.Y + field->Height();
  vg::TvgVisualObject* nearest = nullptr;
  float nearestRight = 0;
  for (int i = 0; i < row->ChildrenCount(); ++i) {
    auto* label = dynamic_cast<vg::TvgVisualObject*>(row->GetChild(i));
    if (!label || label->ClassName() != "TvgLabel" || !label->Visible()) continue;
    const vg::TvgPoint top = label->LocalToAbsolute({0, 0});
    const float right = top.X + label->Width(), middle = top.Y + label->Height() / 2;
    if (right > fieldTop.X || middle < fieldTop.Y || middle > fieldBottom || (nearest && right < nearestRight)) continue;
    nearest = label;
    nearestRight = right;
  }
  return nearest ? TextOf(*nearest) : std::string();
}

std::string MenuCaption(TSceneForm& form, std::string_view name) {
  auto* item = dynamic_cast<gui::TMenuItem*>(form.FindComponent(name));
  return item ? WithoutMnemonics(rtl::Utf16ToUtf8(item->Caption())) : std::string();
}

bool Checked(TSceneForm& form, std::string_view name) {
  auto* box = dynamic_cast<vg::TvgTwoStateControl*>(form.FindComponent(name));
  return box && box->IsChecked();
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

std::function<bool(app::TfrmInterface&)> UntilShown(Texts expected, Texts* seen) {
  return [expected = std::move(expected), seen](app::TfrmInterface&) {
    TSceneForm* form = Front();
    if (!form) return false;
    Texts shown;
    for (const auto& [name, text] : expected) shown[name] = Shows(*form, name);
    const bool done = shown == expected;
    if (seen) *seen = std::move(shown);
    return done;
  };
}

std::function<bool(app::TfrmInterface&)> ClickUntil(std::string node, std::function<bool(app::TfrmInterface&)> done) {
  auto polls = std::make_shared<int>(0);
  return [node = std::move(node), done = std::move(done), polls](app::TfrmInterface& form) {
    if (done(form)) return true;
    if ((*polls)++ % 10 == 0) Click(form, node);
    return false;
  };
}

std::function<bool(app::TfrmInterface&)> AnswerBoxStep(std::string* text) {
  auto answered = std::make_shared<TSceneForm*>(nullptr);
  return [text, answered](app::TfrmInterface&) {
    TSceneForm* box = Front();
    if (*answered) return box != *answered;
    if (!box || box == gui::MainForm()) return false;
    *text = Shows(*box, "Label1");
    if (Click(*box, "btnOk")) *answered = box;
    return false;
  };
}

std::function<bool(app::TfrmInterface&)> ChooseEntryStep(std::string comboBox, std::string entry,
                                                         std::vector<std::string>* offered) {
  struct Progress {
    int phase = 0;
    vg::TvgComboBox* box = nullptr;
  };
  auto progress = std::make_shared<Progress>();
  return [progress, comboBox = std::move(comboBox), entry = std::move(entry), offered](app::TfrmInterface&) {
    TSceneForm* form = Front();
    if (!form) return false;
    switch (progress->phase) {
      case 0:
        progress->box = dynamic_cast<vg::TvgComboBox*>(Reachable(*form, comboBox));
        if (!progress->box || !ClickNode(*form, *progress->box)) return false;
        progress->phase = 1;
        return false;
      case 1: {
        if (!DropDownForm(*progress->box)) return false;
        vg::TvgListBox& list = *progress->box->ListBox();
        if (offered) offered->clear();
        int chosen = -1;
        for (int i = 0; i < list.Count(); ++i) {
          const std::string shown = TextOf(*list.ItemByIndex(i));
          if (offered) offered->push_back(shown);
          if (shown == entry && chosen < 0) chosen = i;
        }
        if (chosen < 0) return false;
        ClickEntryLater(*form, *progress->box, chosen);
        progress->phase = 2;
        return false;
      }
      default: {
        vg::TvgListBoxItem* current = progress->box->Selected();
        return !progress->box->Popup()->IsOpen() && current && TextOf(*current) == entry;
      }
    }
  };
}

}  // namespace e2e
