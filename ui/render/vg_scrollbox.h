#pragma once
// Scroll boxes: the scrolling container of the toolkit and the base of the
// list box, memo, grid, tree view and inspector. The style supplies a view
// area (part "content"), two scroll bars ("vscrollbar", "hscrollbar", or
// the small "vsmallscrollbar", "hsmallscrollbar") and an optional
// "sizegrip"; the box moves one content node (TvgScrollContent, clipped
// to the view) under the view area as the bars change. It scrolls by bar,
// by mouse wheel (animated when Animated), by dragging the content when
// MouseTracking (with a fling on release) and by ScrollTo and Centre.
//
// Children added to the box land in the content, except those whose
// TagString is "self", effects and animations, which stay on the box.
// TvgVertScrollBox fixes the content's width to the view's (vertical
// scrolling only); the framed boxes only choose another style.
#include "ui/core/vg_ani.h"
#include "ui/core/vg_control.h"
#include "ui/render/vg_scrollbar.h"

namespace vg {

class TvgScrollBox;

class TvgScrollContent : public TvgContent {
  RTL_CLASS(TvgScrollContent, TvgContent)

  // Clips its children; not stored, locked, no hit test.
  explicit TvgScrollContent(rtl::TComponent* owner);

  void AddObject(TvgObject* child) override;
  void RemoveObject(TvgObject* child) override;
  // The visible window in the content's coordinates: the view area's
  // rectangle moved by the enabled bars' values.
  TvgRect GetClipRect() override;
  TvgRect GetUpdateRect() override;
  // Hits outside the visible window are dropped.
  TvgVisualObject* ObjectByPoint(float x, float y) override;
  // Draws the box's ContentPaint behind the children.
  void Paint() override;

 protected:
  bool RealignsOnChildResize() const override { return true; }

 private:
  TvgScrollBox* Box() const;
};

class TvgScrollBox : public TvgControl {
  RTL_CLASS(TvgScrollBox, TvgControl)

  explicit TvgScrollBox(rtl::TComponent* owner);
  ~TvgScrollBox() override;

  bool AutoHide() const { return FAutoHide; }
  void SetAutoHide(bool value) { FAutoHide = value; }
  bool DisableMouseWheel() const { return FDisableMouseWheel; }
  void SetDisableMouseWheel(bool value) { FDisableMouseWheel = value; }
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool value) { FAnimated = value; }
  bool ShowScrollBars() const { return FShowScrollBars; }
  void SetShowScrollBars(bool value);
  bool ShowSizeGrip() const { return FShowSizeGrip; }
  void SetShowSizeGrip(bool value);
  bool MouseTracking() const { return FMouseTracking; }
  void SetMouseTracking(bool value) { FMouseTracking = value; }
  bool UseSmallScrollBars() const { return FUseSmallScrollBars; }
  void SetUseSmallScrollBars(bool value);

  TvgScrollContent* Content() const { return FContent; }
  // The bars and the view area of the applied style, or nullptr.
  TvgScrollBar* HScrollBar() const { return FHScrollBar; }
  TvgScrollBar* VScrollBar() const { return FVScrollBar; }
  TvgVisualObject* ContentLayout() const { return FContentLayout; }
  // The current scroll offsets (X from the horizontal bar, Y from the
  // vertical one).
  TvgPoint ScrollDesign() const { return FScrollDesign; }
  // The last step of a content drag (zero when the pointer stood still).
  TvgPoint LastDelta() const { return FLastDelta; }

  // Each visible bar moves by the negative amount: positive amounts bring
  // content from above or from the left into view.
  void ScrollTo(float dx, float dy);
  // Each visible bar goes to the middle of its range.
  void Centre();
  // The bar's Value when it exists and is visible, else 0.
  float VScrollBarValue() const;
  float HScrollBarValue() const;
  // The view area in the box's coordinates (the box's rectangle without one).
  TvgRect ContentRect();
  float ClientWidth();
  float ClientHeight();
  void InViewRect(const TvgRect&) {}

  void AddObject(TvgObject* child) override;
  void Realign() override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseWheel(TvgShiftState shift, int delta, bool& handled) override;

  // Hooks for subclasses that track their items (empty here).
  virtual void ContentAddObject(TvgObject*) {}
  virtual void ContentBeforeRemoveObject(TvgObject*) {}
  virtual void ContentRemoveObject(TvgObject*) {}
  // The bars' OnChange handlers: the content follows the bar.
  virtual void HScrollChange(rtl::TObject* sender);
  virtual void VScrollChange(rtl::TObject* sender);
  // The view area's rectangle united with every visible child of the
  // content (in the content's coordinates).
  virtual TvgRect GetContentBounds();
  // Draws behind the content's children, clipped to the view (empty here).
  virtual void ContentPaint(TvgCanvas&, const TvgRect&) {}
  // The content's bounds become rect.
  virtual void RealignContent(const TvgRect& rect);

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;
  // Sets the stored scroll offsets, which the next realignment applies.
  void SetScrollDesign(TvgPoint value) { FScrollDesign = value; }

 private:
  static void Publish(rtl::TPublisher<TvgScrollBox>& p);
  TvgScrollBar* BindBar(const char* name, bool vertical);
  void BarPass();
  void SettleBar(TvgScrollBar* bar, bool vertical, const TvgRect& bounds, bool final);
  TvgScrollBar* WheelBar() const;
  // The bar's scroll animation, made on first use.
  TvgFloatAnimation* ScrollAnimation(TvgScrollBar* bar);
  void AnimateBar(TvgScrollBar* bar, float target);
  void StopScrollAnimations();

  bool FAutoHide = true;
  bool FDisableMouseWheel = false;
  bool FDown = false;
  TvgFloatAnimation* FHScrollAni = nullptr;
  TvgFloatAnimation* FVScrollAni = nullptr;
  bool FAnimated = true;
  bool FShowScrollBars = true;
  bool FShowSizeGrip = false;
  bool FMouseTracking = false;
  bool FUseSmallScrollBars = false;
  TvgPoint FScrollDesign{0, 0};
  TvgScrollContent* FContent = nullptr;
  TvgScrollBar* FHScrollBar = nullptr;
  TvgScrollBar* FVScrollBar = nullptr;
  TvgVisualObject* FContentLayout = nullptr;
  TvgPoint FDownPos{0, 0};
  TvgPoint FLastDelta{0, 0};
  TvgPoint FCurrentPos{0, 0};
  bool FRealigning = false;

  friend class TvgScrollContent;
};

// Vertical scrolling only: the content is as wide as the view area.
class TvgVertScrollBox : public TvgScrollBox {
  RTL_CLASS(TvgVertScrollBox, TvgScrollBox)
  using TvgScrollBox::TvgScrollBox;
  TvgRect GetContentBounds() override;
};

class TvgFramedScrollBox : public TvgScrollBox {
  RTL_CLASS(TvgFramedScrollBox, TvgScrollBox)
  using TvgScrollBox::TvgScrollBox;
};

class TvgFramedVertScrollBox : public TvgVertScrollBox {
  RTL_CLASS(TvgFramedVertScrollBox, TvgVertScrollBox)
  using TvgVertScrollBox::TvgVertScrollBox;

 protected:
  std::string StyleName() const override { return ClassStyleName(TvgFramedScrollBox::StaticClass()); }
};

void RegisterScrollBoxClasses();

}  // namespace vg
