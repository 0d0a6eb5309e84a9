#include "ui/controls/vg_tabcontrol.h"

#include <algorithm>
#include <utility>

#include "ui/core/vg_designer.h"
#include "ui/render/vg_layouts.h"

namespace vg {

namespace {

TvgTabItem* AsTab(TvgObject* node) { return dynamic_cast<TvgTabItem*>(node); }

}  // namespace

// ----- TvgTabItem

TvgTabItem::TvgTabItem(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  SetWidth(80);
  SetHeight(20);
}

void TvgTabItem::Publish(rtl::TPublisher<TvgTabItem>& p) {
  using T = TvgTabItem;
  p.Property("Index", &T::Index, &T::SetIndex).Default(0);
  p.Property("Layout", &T::Layout, &T::SetLayout);
  p.Property("IsSelected", &T::IsSelected).RunTimeOnly();
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignCenter);
  p.Property("VertTextAlign", &T::VertTextAlign, &T::SetVertTextAlign).Default(vgTextAlignCenter);
  p.Property("Text", &T::Text, &T::SetText);
}

TvgTabControl* TvgTabItem::TabControl() const { return dynamic_cast<TvgTabControl*>(Parent()); }

void TvgTabItem::SetIndex(int value) {
  if (value == FIndex) return;
  if (IsLoading() || !Parent()) {
    FIndex = value;  // the control numbers its tabs once loaded
    return;
  }
  TvgObject::SetIndex(value);  // realigns the control, which renumbers
}

void TvgTabItem::SetLayout(TvgVisualObject* value) {
  if (value == FLayout) return;
  if (FLayout) FLayout->RemoveFreeNotification(this);
  FLayout = value;
  if (FLayout) FLayout->FreeNotification(this);
  if (TvgTabControl* control = TabControl(); control && !IsLoading()) control->Realign();
}

void TvgTabItem::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == FLayout) FLayout = nullptr;
}

void TvgTabItem::Select(bool value) {
  FIsSelected = value;
  RaiseTrigger("IsSelected");
}

void TvgTabItem::SetVisible(bool value) {
  TvgTabControl* control = TabControl();
  if (value == Visible() || !control || IsLoading()) return inherited::SetVisible(value);
  TvgTabItem* selected = control->TabItem(control->ItemIndex());
  inherited::SetVisible(value);
  control->TabVisibilityChanged(*this, selected);
}

void TvgTabItem::Realign() {
  inherited::Realign();
  TvgTabControl* control = TabControl();
  if (!FLayout || !control || FAligning) return;
  FAligning = true;
  const TvgBounds& m = *control->Margins();
  const TvgBounds& p = *FLayout->Padding();
  FLayout->SetBounds(m.Left() + p.Left(), Height() + m.Top() + p.Top(),
                     control->Width() - m.Left() - m.Right() - p.Left() - p.Right(),
                     control->Height() - Height() - m.Top() - m.Bottom() - p.Top() - p.Bottom());
  FAligning = false;
}

void TvgTabItem::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  if (button != vgMouseLeft) return;
  if (TvgTabControl* control = TabControl()) control->SetItem(this);
}

void TvgTabItem::DesignSelect() {
  IvgScene* scene = GetScene();
  if (TvgTabControl* control = TabControl(); control && scene && scene->GetDesignTime()) control->SetItem(this);
}

void TvgTabItem::DesignInsert() {
  TvgTabControl* control = TabControl();
  if (!control || FLayout) return;
  auto* page = new TvgLayout(Owner());
  if (vgDesigner) page->SetName(vgDesigner->UniqueName(Owner(), page->ClassName()));
  page->SetParent(control);
  SetLayout(page);
}

void TvgTabItem::ApplyStyle() {
  inherited::ApplyStyle();
  TvgTabControl* control = TabControl();
  Select(control && control->ItemIndex() == FIndex);
}

// ----- TvgTabControl

TvgTabControl::TvgTabControl(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(200);
  SetHeight(200);
  SetAutoCapture(true);
}

void TvgTabControl::Publish(rtl::TPublisher<TvgTabControl>& p) {
  using T = TvgTabControl;
  p.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight);
  p.Property("FullSize", &T::FullSize, &T::SetFullSize).Default(false);
  p.Property("OnChange", &T::OnChange);
}

void TvgTabControl::SetItemIndex(int value) {
  if (value == FItemIndex) return;
  if (TvgTabItem* old = TabItem(FItemIndex)) old->Select(false);
  FItemIndex = value;
  Realign();
  if (TvgTabItem* tab = TabItem(value)) tab->Select(true);
  OnChange(this);
}

void TvgTabControl::SetItemHeight(float value) {
  if (value == FItemHeight) return;
  FItemHeight = value;
  Realign();
}

void TvgTabControl::SetFullSize(bool value) {
  if (value == FFullSize) return;
  FFullSize = value;
  Realign();
}

int TvgTabControl::TabCount() const {
  return static_cast<int>(std::count_if(Children().begin(), Children().end(), [](TvgObject* node) {
    TvgTabItem* tab = AsTab(node);
    return tab && tab->Visible();
  }));
}

TvgTabItem* TvgTabControl::TabItem(int index) const {
  for (TvgObject* node : Children())
    if (TvgTabItem* tab = AsTab(node); tab && tab->Visible() && tab->FIndex == index) return tab;
  return nullptr;
}

void TvgTabControl::AddObject(TvgObject* node) {
  inherited::AddObject(node);
  if (AsTab(node)) Realign();
}

void TvgTabControl::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  Realign();
}

void TvgTabControl::PaintChildren() {
  TvgTabItem* selected = TabItem(FItemIndex);
  TvgCanvas* canvas = GetCanvas();
  if (!selected || !canvas) return inherited::PaintChildren();
  // Left out of the ordinary pass (without a repaint request), then drawn
  // over everything so it joins the page below it.
  selected->SetVisibleSilently(false);
  inherited::PaintChildren();
  selected->SetVisibleSilently(true);
  canvas->SetMatrix(selected->GetAbsoluteMatrix());
  selected->BeforePaint();
  selected->Paint();
  selected->PaintChildren();
}

void TvgTabControl::Realign() {
  inherited::Realign();
  if (FAligning || IsLoading() || IsDestroying()) return;
  FAligning = true;
  KeepTabsFirst();
  const float strip = NumberTabs();
  PlaceStyle(strip);
  PlaceTabs(strip);
  FAligning = false;
}

void TvgTabControl::KeepTabsFirst() {
  Sort([](TvgObject* a, TvgObject* b) { return AsTab(a) && !AsTab(b); });
}

float TvgTabControl::NumberTabs() {
  int number = 0;
  float tallest = 0;
  for (TvgObject* node : Children()) {
    TvgTabItem* tab = AsTab(node);
    if (!tab || !tab->Visible()) continue;
    tab->FIndex = number++;
    tallest = std::max(tallest, tab->Height() + tab->Padding()->Top() + tab->Padding()->Bottom());
  }
  if (number == 0) return 0;
  return FItemHeight > 0 ? FItemHeight : tallest;
}

void TvgTabControl::PlaceStyle(float strip) {
  TvgObject* style = ResourceLink();
  if (!style || !style->IsVisual()) return;
  TvgVisualObject* root = style->Visual();
  const TvgBounds& p = *root->Padding();
  root->SetAlign(vaNone);
  root->SetBounds(p.Left(), strip + p.Top(), Width() - p.Left() - p.Right(),
                  Height() - strip - p.Top() - p.Bottom());
  root->BringToFront();
}

float TvgTabControl::TabWidth() const {
  float width = Width();
  if (FBackground) width -= FBackground->Margins()->Left() + FBackground->Margins()->Right();
  const int count = TabCount();
  if (FFullSize && count > 0) width /= static_cast<float>(count);
  return width;
}

void TvgTabControl::PlaceTabs(float strip) {
  const float width = TabWidth();
  float x = 0;
  for (TvgObject* node : std::vector<TvgObject*>(Children())) {
    TvgTabItem* tab = AsTab(node);
    if (!tab) continue;
    if (!tab->Visible()) {
      // A hidden tab's page never shows, whatever number the tab kept.
      if (tab->FLayout) tab->FLayout->SetVisible(false);
      continue;
    }
    tab->SetAlign(vaNone);
    if (tab->FLayout) ShowPageOf(*tab);
    const TvgBounds& p = *tab->Padding();
    tab->SetBounds(x + p.Left(), p.Top(), FFullSize ? width : tab->Width(), strip - p.Top() - p.Bottom());
    x += p.Left() + tab->Width() + p.Right();
    tab->Realign();
  }
}

void TvgTabControl::ShowPageOf(TvgTabItem& tab) {
  TvgVisualObject* page = tab.FLayout;
  const bool shown = tab.FIndex == FItemIndex;
  page->SetAlign(vaNone);
  page->SetVisible(shown);
  page->SetClipChildren(true);
  if (shown) page->BringToFront();
}

void TvgTabControl::TabVisibilityChanged(TvgTabItem& tab, TvgTabItem* selectedBefore) {
  if (tab.Visible() || selectedBefore != &tab) {
    Realign();
    if (!selectedBefore) return;
    FItemIndex = -1;
    SetItemIndex(selectedBefore->FIndex);
    return;
  }
  tab.Select(false);
  FItemIndex = -1;
  const int next = std::min(tab.FIndex, TabCount() - 1);
  if (next >= 0) return SetItemIndex(next);
  // The last visible tab went: nothing is selected and its page must go too.
  Realign();
  OnChange(this);
}

void TvgTabControl::ApplyStyle() {
  inherited::ApplyStyle();
  FBackground = dynamic_cast<TvgVisualObject*>(FindResource("background"));
  Realign();
}

void TvgTabControl::FreeStyle() {
  FBackground = nullptr;
  inherited::FreeStyle();
}

void RegisterTabControlClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterVGObjects("Controls", {TvgTabControl::StaticClass()});
  RegisterVGObjects("HUD", {TvgHudTabControl::StaticClass()});
  RegisterVGObjects("Items", {TvgTabItem::StaticClass(), TvgHudTabItem::StaticClass()});
}

}  // namespace vg
