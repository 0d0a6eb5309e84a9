#pragma once
// The tab control: a strip of tabs along the top and one page per tab
// below it.
//
// A tab (TvgTabItem) names its page, a visual node held in Layout (usually
// a TvgLayout beside the tabs inside the control); pages are not owned by
// their tabs. The control numbers its visible tabs 0, 1, ... in child order
// (Index), shows only the page of the tab numbered ItemIndex and paints
// that tab last, above its neighbours, its style and the pages. ItemIndex
// -1 (or a number no visible tab carries) selects nothing and shows no page.
//
// Hiding or showing a tab renumbers the tabs and keeps the same tab
// selected under its new number; hiding the selected tab selects the tab
// that takes its number, or the last one. Either way OnChange fires.
#include "ui/controls/vg_textcontrol.h"

namespace vg {

class TvgTabControl;

class TvgTabItem : public TvgTextControl {
  RTL_CLASS(TvgTabItem, TvgTextControl)

  explicit TvgTabItem(rtl::TComponent* owner);

  // The tab's number among the visible tabs (hidden tabs keep their last).
  int Index() const { return FIndex; }
  // Moves the tab to that position in its parent's child list; the
  // control then renumbers its tabs.
  void SetIndex(int value);
  TvgVisualObject* Layout() const { return FLayout; }
  void SetLayout(TvgVisualObject* value);
  bool IsSelected() const { return FIsSelected; }
  // Stores the state and raises the "IsSelected" trigger.
  void Select(bool value);

  // Showing or hiding renumbers the parent control's tabs (see above).
  void SetVisible(bool value) override;
  // Places the page below the strip, inside the control's margins.
  void Realign() override;
  // A left click selects the tab.
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  // In the designer: selecting the tab selects it in its control; a tab
  // inserted without a page gets a new layout as its page.
  void DesignSelect() override;
  void DesignInsert() override;

 protected:
  void ApplyStyle() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  friend class TvgTabControl;
  static void Publish(rtl::TPublisher<TvgTabItem>& p);
  TvgTabControl* TabControl() const;

  int FIndex = 0;
  TvgVisualObject* FLayout = nullptr;
  bool FIsSelected = false;
  bool FAligning = false;
};

class TvgTabControl : public TvgControl {
  RTL_CLASS(TvgTabControl, TvgControl)

  explicit TvgTabControl(rtl::TComponent* owner);

  int ItemIndex() const { return FItemIndex; }
  // Deselects the old tab, shows the new page, selects the new tab and
  // fires OnChange; nothing when the number is the current one.
  void SetItemIndex(int value);
  void SetItem(TvgTabItem* tab) { SetItemIndex(tab->Index()); }
  float ItemHeight() const { return FItemHeight; }
  // Above 0, the strip's height whatever the tabs' heights.
  void SetItemHeight(float value);
  bool FullSize() const { return FFullSize; }
  // The visible tabs share the whole width.
  void SetFullSize(bool value);
  // The number of visible tabs.
  int TabCount() const;
  // The visible tab numbered `index`, or nullptr.
  TvgTabItem* TabItem(int index) const;

  std::string ItemClass() const override { return "TvgTabItem"; }
  void AddObject(TvgObject* node) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  // Paints the selected tab once more after everything else.
  void PaintChildren() override;
  // Numbers the tabs, sizes the strip, lays the tabs along it and puts the
  // style and the selected page below it.
  void Realign() override;

  rtl::TNotifyEvent OnChange;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;

 private:
  friend class TvgTabItem;
  static void Publish(rtl::TPublisher<TvgTabControl>& p);
  void KeepTabsFirst();
  // Numbers the visible tabs; returns the strip's height.
  float NumberTabs();
  void PlaceStyle(float strip);
  float TabWidth() const;
  void PlaceTabs(float strip);
  void ShowPageOf(TvgTabItem& tab);
  // After the visibility of `tab` changed: renumber and select again.
  void TabVisibilityChanged(TvgTabItem& tab, TvgTabItem* selectedBefore);

  int FItemIndex = -1;
  float FItemHeight = 0;
  bool FFullSize = false;
  TvgVisualObject* FBackground = nullptr;
  bool FAligning = false;
};

class TvgHudTabItem : public TvgTabItem {
  RTL_CLASS(TvgHudTabItem, TvgTabItem)
  using TvgTabItem::TvgTabItem;
};

class TvgHudTabControl : public TvgTabControl {
  RTL_CLASS(TvgHudTabControl, TvgTabControl)
  using TvgTabControl::TvgTabControl;
  std::string ItemClass() const override { return "TvgHudTabItem"; }
};

void RegisterTabControlClasses();

}  // namespace vg
