#include "platform/gui/Menus.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <map>

#include "platform/gui/GuiInit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Handle.h"
#include "platform/rtl/TextConvert.h"

namespace gui {

std::string MnemonicLabel(const rtl::WideString& caption) {
  rtl::WideString label;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const char16_t c = caption[i];
    if (c == u'&' && i + 1 < caption.size() && caption[i + 1] == u'&') {
      label += u'&';
      ++i;
    } else if (c == u'&') {
      label += u'_';
    } else if (c == u'_') {
      label += u"__";
    } else {
      label += c;
    }
  }
  return rtl::Utf16ToUtf8(label);
}

rtl::WideString StripHotkey(const rtl::WideString& caption) {
  rtl::WideString text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&') {
      if (i + 1 < caption.size() && caption[i + 1] == u'&') text += u'&', ++i;
      continue;
    }
    text += caption[i];
  }
  return text;
}

// ---------------------------------------------------------------------------
// The GTK side: one widget per item, rebuilt when the tree changes and kept
// in step with the items' properties otherwise.

class TMenuView : rtl::TNonCopyable {
 public:
  TMenuView(TMenu& menu, bool bar, GtkAccelGroup* accelerators)
      : menu_(menu), accelerators_(accelerators) {
    shell_ = bar ? gtk_menu_bar_new() : gtk_menu_new();
    g_object_ref_sink(shell_);
    if (accelerators_) g_object_ref(accelerators_);
    Rebuild();
  }
  ~TMenuView() {
    CancelRebuild();
    gtk_widget_destroy(shell_);
    g_object_unref(shell_);
    if (accelerators_) g_object_unref(accelerators_);
  }

  GtkWidget* Shell() const { return shell_; }

  GtkWidget* WidgetOf(const TMenuItem* item) {
    if (rebuildSource_) Rebuild();
    const auto found = widgets_.find(item);
    return found == widgets_.end() ? nullptr : found->second;
  }

  void ItemChanged(TMenuItem* item, bool structure) {
    const auto found = widgets_.find(item);
    const bool kindChanged = found != widgets_.end() && GTK_IS_CHECK_MENU_ITEM(found->second) != NeedsCheck(*item);
    if (structure || kindChanged) {
      if (!rebuildSource_) rebuildSource_ = g_idle_add(RebuildLater, this);
      return;
    }
    if (found != widgets_.end()) Sync(*item, found->second);
  }

  void Rebuild() {
    CancelRebuild();
    widgets_.clear();
    GList* children = gtk_container_get_children(GTK_CONTAINER(shell_));
    for (GList* child = children; child; child = child->next) gtk_widget_destroy(GTK_WIDGET(child->data));
    g_list_free(children);
    Fill(shell_, *menu_.Items());
  }

 private:
  static bool NeedsCheck(const TMenuItem& item) {
    return item.Count() == 0 && (item.Checked() || item.RadioItem() || item.AutoCheck());
  }

  void Fill(GtkWidget* shell, const TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
      TMenuItem* item = parent.Items(i);
      GtkWidget* widget = Make(*item);
      gtk_menu_shell_append(GTK_MENU_SHELL(shell), widget);
      widgets_[item] = widget;
      Sync(*item, widget);
      if (item->Count() > 0) {
        GtkWidget* submenu = gtk_menu_new();
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), submenu);
        Fill(submenu, *item);
        gtk_widget_show(submenu);
      }
    }
  }

  GtkWidget* Make(TMenuItem& item) {
    if (item.IsLine()) return gtk_separator_menu_item_new();
    const std::string label = MnemonicLabel(item.Caption());
    GtkWidget* widget = NeedsCheck(item) ? gtk_check_menu_item_new_with_mnemonic(label.c_str())
                                         : gtk_menu_item_new_with_mnemonic(label.c_str());
    g_object_set_data(G_OBJECT(widget), "esctool-item", &item);
    g_signal_connect(widget, "activate", G_CALLBACK(Activate), this);
    unsigned keyval = 0, modifiers = 0;
    if (accelerators_ && ShortCutToAccelerator(item.ShortCut(), keyval, modifiers))
      gtk_widget_add_accelerator(widget, "activate", accelerators_, keyval, static_cast<GdkModifierType>(modifiers),
                                 GTK_ACCEL_VISIBLE);
    return widget;
  }

  static void Sync(const TMenuItem& item, GtkWidget* widget) {
    gtk_widget_set_no_show_all(widget, TRUE);
    gtk_widget_set_visible(widget, item.Visible());
    gtk_widget_set_sensitive(widget, item.Enabled());
    if (item.IsLine()) return;
    gtk_menu_item_set_label(GTK_MENU_ITEM(widget), MnemonicLabel(item.Caption()).c_str());
    gtk_menu_item_set_use_underline(GTK_MENU_ITEM(widget), TRUE);
    if (GTK_IS_CHECK_MENU_ITEM(widget)) {
      auto* check = GTK_CHECK_MENU_ITEM(widget);
      gtk_check_menu_item_set_draw_as_radio(check, item.RadioItem());
      g_signal_handlers_block_matched(widget, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr, reinterpret_cast<gpointer>(Activate),
                                      nullptr);
      gtk_check_menu_item_set_active(check, item.Checked());
      g_signal_handlers_unblock_matched(widget, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                        reinterpret_cast<gpointer>(Activate), nullptr);
    }
  }

  static void Activate(GtkMenuItem* widget, gpointer data) {
    auto* self = static_cast<TMenuView*>(data);
    auto* item = static_cast<TMenuItem*>(g_object_get_data(G_OBJECT(widget), "esctool-item"));
    if (!item || gtk_menu_item_get_submenu(widget)) return;
    Guarded(item, [&] { item->Click(); });
    // The check box toggled itself; show the model's state again, unless the
    // click removed the item.
    const auto found = self->widgets_.find(item);
    if (found != self->widgets_.end() && found->second == GTK_WIDGET(widget)) Sync(*item, found->second);
  }

  static gboolean RebuildLater(gpointer data) {
    auto* self = static_cast<TMenuView*>(data);
    self->rebuildSource_ = 0;
    self->Rebuild();
    return G_SOURCE_REMOVE;
  }
  void CancelRebuild() {
    if (rebuildSource_) g_source_remove(rebuildSource_);
    rebuildSource_ = 0;
  }

  TMenu& menu_;
  GtkAccelGroup* accelerators_;
  GtkWidget* shell_;
  std::map<const TMenuItem*, GtkWidget*> widgets_;
  unsigned rebuildSource_ = 0;
};

// ---------------------------------------------------------------------------

TMenuItem::TMenuItem(rtl::TComponent* owner) : rtl::TComponent(owner) {}

void TMenuItem::SetCaption(const rtl::WideString& caption) {
  if (caption == caption_) return;
  const bool lineChanged = IsLine() != (caption == u"-");
  caption_ = caption;
  Changed(lineChanged);
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked && radioItem_) TurnSiblingsOff();
  Changed(false);
}

void TMenuItem::TurnSiblingsOff() {
  if (!parent_) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->SetChecked(false);
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed(false);
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(false);
}

void TMenuItem::SetRadioItem(bool radio) {
  if (radio == radioItem_) return;
  radioItem_ = radio;
  if (radio && checked_) TurnSiblingsOff();
  Changed(false);
}

void TMenuItem::SetGroupIndex(int index) {
  if (index == groupIndex_) return;
  groupIndex_ = index;
  if (radioItem_ && checked_) TurnSiblingsOff();
}

void TMenuItem::SetAutoCheck(bool autoCheck) {
  if (autoCheck == autoCheck_) return;
  autoCheck_ = autoCheck;
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_) return;
  shortCut_ = shortCut;
  Changed(true);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw rtl::EListError("Menu index out of range");
  return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (index < 0 || index > Count()) throw rtl::EListError("Menu index out of range");
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (item->radioItem_ && item->checked_) item->TurnSiblingsOff();
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return;
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  Changed(true);
}

void TMenuItem::Delete(int index) { Items(index)->Free(); }

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();
}

TMenuItem* TMenuItem::Find(const rtl::WideString& caption) const {
  const rtl::WideString wanted = StripHotkey(caption);
  for (TMenuItem* item : items_)
    if (StripHotkey(item->caption_) == wanted) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (autoCheck_) SetChecked(!checked_);
  OnClick(this);
}

rtl::TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(rtl::TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
}

void TMenuItem::GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent*) {
  for (TMenuItem* item : items_) proc(item);
}

void TMenuItem::BeforeDestruction() {
  Clear();
  if (parent_) parent_->Remove(this);
  inherited::BeforeDestruction();
}

void TMenuItem::Changed(bool structure) {
  if (TMenu* menu = GetParentMenu()) menu->ItemChanged(this, structure);
}

void TMenuItem::Publish(rtl::TPublisher<TMenuItem>& p) {
  p.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  p.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
  p.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
  p.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  p.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  p.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  p.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(scNone);
  p.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
  p.Property("OnClick", &TMenuItem::OnClick);
}

// ---------------------------------------------------------------------------

TMenu::TMenu(rtl::TComponent* owner) : rtl::TComponent(owner), items_(new TMenuItem(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
  view_.reset();
  rtl::FreeAndNil(items_);
  inherited::BeforeDestruction();
}

TMenuItem* TMenu::FindShortCut(TShortCut shortCut) const {
  if (shortCut == scNone) return nullptr;
  std::vector<TMenuItem*> pending{items_};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (item != items_ && item->ShortCut() == shortCut) return item;
    for (int i = 0; i < item->Count(); ++i) pending.push_back(item->Items(i));
  }
  return nullptr;
}

GtkWidget* TMenu::ItemWidget(const TMenuItem* item) { return view_ ? view_->WidgetOf(item) : nullptr; }

void TMenu::GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) { items_->GetChildren(proc, root); }

GtkWidget* TMenu::View(bool bar, GtkAccelGroup* accelerators) {
  if (!view_) view_ = std::make_unique<TMenuView>(*this, bar, accelerators);
  view_->WidgetOf(nullptr);  // applies a pending rebuild
  return view_->Shell();
}

void TMenu::DropView() { view_.reset(); }

GtkWidget* TMenu::ViewShell() const { return view_ ? view_->Shell() : nullptr; }

void TMenu::ItemChanged(TMenuItem* item, bool structure) {
  if (view_ && items_) view_->ItemChanged(item, structure);
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  GtkMenu* menu = GTK_MENU(View(false, nullptr));
  const GdkRectangle at{x, y, 1, 1};
  GdkEvent* trigger = gtk_get_current_event();  // the click that asked for the menu, if any
  gtk_menu_popup_at_rect(menu, gdk_get_default_root_window(), &at, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST,
                         trigger);
  if (trigger) gdk_event_free(trigger);
}

void TPopupMenu::ClosePopup() {
  if (GtkWidget* shell = ViewShell()) gtk_menu_popdown(GTK_MENU(shell));
}

}  // namespace gui
