#pragma once
// Main and popup menus: our own item model (the class library's TMenuItem),
// shown through GTK menus that follow every change of the model.
//
// Items form a tree: a menu owns a root item whose children are the menu's
// top items. As in form files, an item is owned (for names and freeing) by
// the form, and belongs to its parent item; freeing an item frees its
// children. Radio items are grouped among their siblings by GroupIndex;
// an AutoCheck item toggles on click, so a checked radio item can be
// unchecked again.
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Keys.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/Types.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkAccelGroup GtkAccelGroup;

namespace gui {

class TMenu;
class TMenuView;

// "&File" -> "_File", "&&" -> "&", "_" -> "__": a caption as a GTK
// mnemonic label.
std::string MnemonicLabel(const rtl::WideString& caption);
// The caption without its "&" markers ("&&" keeps one "&").
rtl::WideString StripHotkey(const rtl::WideString& caption);

class TMenuItem : public rtl::TComponent {
  RTL_CLASS(TMenuItem, rtl::TComponent)

  explicit TMenuItem(rtl::TComponent* owner);

  const rtl::WideString& Caption() const { return caption_; }
  void SetCaption(const rtl::WideString& caption);
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the checked radio siblings of its group.
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radio);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool autoCheck);
  const rtl::WideString& Hint() const { return hint_; }
  void SetHint(const rtl::WideString& hint) { hint_ = hint; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  // A caption of "-" makes a separator line.
  bool IsLine() const { return caption_ == u"-"; }

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises rtl::EListError "Menu index out of range" outside 0..Count-1.
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem* item) const;
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  // Adds `item` at the end (or at `index`), taking it from its former parent.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out of this one without freeing it.
  void Remove(TMenuItem* item);
  // Frees the child at `index`; Clear frees them all.
  void Delete(int index);
  void Clear();
  // The child with this caption (hotkey markers ignored), or nullptr.
  TMenuItem* Find(const rtl::WideString& caption) const;
  // The menu the item belongs to, or nullptr.
  TMenu* GetParentMenu() const;

  // What a user's click does: nothing when disabled; an AutoCheck item
  // toggles; then OnClick runs.
  virtual void Click();

  rtl::TNotifyEvent OnClick;

  // Streaming: items are children of their parent item or menu.
  bool HasParent() const override { return true; }
  rtl::TComponent* GetParentComponent() const override;
  void SetParentComponent(rtl::TComponent* parent) override;
  void GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) override;

  static void Publish(rtl::TPublisher<TMenuItem>& p);

 protected:
  void BeforeDestruction() override;

 private:
  friend class TMenu;
  void Changed(bool structure);
  void TurnSiblingsOff();

  rtl::WideString caption_, hint_;
  bool checked_ = false, enabled_ = true, visible_ = true, radioItem_ = false, autoCheck_ = false;
  int groupIndex_ = 0;
  TShortCut shortCut_ = scNone;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> items_;
};

class TMenu : public rtl::TComponent {
  RTL_CLASS(TMenu, rtl::TComponent)

  explicit TMenu(rtl::TComponent* owner);
  ~TMenu() override;

  // The root item: its children are the menu's top items.
  TMenuItem* Items() const { return items_; }
  // The menu item, searched through the whole tree, that `shortCut`
  // belongs to, or nullptr.
  TMenuItem* FindShortCut(TShortCut shortCut) const;

  // The GTK widget that shows `item`, building the menu's widgets first
  // when they are not current; nullptr when the menu is not shown
  // anywhere. Platform code and tests only.
  GtkWidget* ItemWidget(const TMenuItem* item);

  void GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) override;

 protected:
  void BeforeDestruction() override;
  // Shows the menu as a menu bar (main menu) or a popup menu; shortcuts go
  // to `accelerators` when given.
  GtkWidget* View(bool bar, GtkAccelGroup* accelerators);
  void DropView();
  GtkWidget* ViewShell() const;

 private:
  friend class TMenuItem;
  friend class TForm;
  void ItemChanged(TMenuItem* item, bool structure);

  TMenuItem* items_;
  std::unique_ptr<TMenuView> view_;
};

class TMainMenu : public TMenu {
  RTL_CLASS(TMainMenu, TMenu)
  using TMenu::TMenu;
};

class TPopupMenu : public TMenu {
  RTL_CLASS(TPopupMenu, TMenu)
  using TMenu::TMenu;

  // Runs OnPopup, then opens the menu with its top-left corner at the
  // screen point (x, y) and returns; the chosen item's Click runs later.
  void Popup(int x, int y);
  void ClosePopup();
  // The control the menu was last opened for (set by the caller).
  rtl::TComponent* PopupComponent = nullptr;
  void SetPopupComponent(rtl::TComponent* component) { PopupComponent = component; }
  rtl::TNotifyEvent OnPopup;

  static void Publish(rtl::TPublisher<TPopupMenu>& p) { p.Property("OnPopup", &TPopupMenu::OnPopup); }
};

}  // namespace gui
