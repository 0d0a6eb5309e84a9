#pragma once
// Layouts: visual nodes that draw nothing at run time and only arrange or
// transform their children. TvgLayout is a plain container that lets clicks
// through; TvgGridLayout flows its children into equal cells; TvgScaledLayout
// draws its children scaled from a design size to its current size;
// TvgSplitLayout is a container class of its own name; TvgNonVGLayout keeps a
// window control of the host platform over the node's rectangle.
#include <memory>

#include "platform/rtl/Component.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_visual.h"

namespace vg {

RTL_ENUM(TvgOrientation, vgHorizontal, vgVertical)

class TvgLayout : public TvgVisualObject {
  RTL_CLASS(TvgLayout, TvgVisualObject)

  // Created with HitTest off.
  explicit TvgLayout(rtl::TComponent* owner);
  // The designer's dashed frame; nothing at run time.
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgLayout>& p);
};

class TvgGridLayout : public TvgVisualObject {
  RTL_CLASS(TvgGridLayout, TvgVisualObject)

  explicit TvgGridLayout(rtl::TComponent* owner) : TvgVisualObject(owner) {}
  float ItemWidth() const { return FItemWidth; }
  void SetItemWidth(float value);
  float ItemHeight() const { return FItemHeight; }
  void SetItemHeight(float value);
  TvgOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TvgOrientation value);
  // Places every visual child (visible or not) into the next cell, inside
  // the margins, row by row (horizontal) or column by column (vertical);
  // rows and columns go on past the node's edge.
  void Realign() override;

 private:
  static void Publish(rtl::TPublisher<TvgGridLayout>& p);
  template <class T>
  void Update(T& field, T value);

  float FItemWidth = 64;
  float FItemHeight = 64;
  TvgOrientation FOrientation = vgHorizontal;
  bool FAligning = false;
};

class TvgScaledLayout : public TvgVisualObject {
  RTL_CLASS(TvgScaledLayout, TvgVisualObject)

  // The original size starts as the node's size.
  explicit TvgScaledLayout(rtl::TComponent* owner);
  float OriginalWidth() const { return FOriginalWidth; }
  // Values below 1 are stored as 1.
  void SetOriginalWidth(float value);
  float OriginalHeight() const { return FOriginalHeight; }
  void SetOriginalHeight(float value);
  // In design mode the original size follows the size (scale 1).
  void SetWidth(float value) override;
  void SetHeight(float value) override;
  // Scales by size / original size on each axis.
  TvgMatrix GetChildrenMatrix() override;
  void Realign() override;
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgScaledLayout>& p);
  bool InDesignMode();
  void FollowSizeOrRecalc();

  float FOriginalWidth = 1;
  float FOriginalHeight = 1;
};

class TvgSplitLayout : public TvgVisualObject {
  RTL_CLASS(TvgSplitLayout, TvgVisualObject)

  // Created with HitTest off.
  explicit TvgSplitLayout(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgSplitLayout>& p);
};

// A window control of the host platform as the layout sees it. The object
// that implements it is a component, so the layout learns of its end.
class IvgWindowControl {
 public:
  virtual bool GetVisible() const = 0;
  virtual void SetVisible(bool value) = 0;
  // Pixels of the scene's window.
  virtual void SetBounds(int left, int top, int width, int height) = 0;

 protected:
  ~IvgWindowControl() = default;
};

// Keeps a window control (not owned) over the node's absolute rectangle,
// rounded half to even, and shows it exactly while the node and all its
// ancestors are visible; a 100 ms timer runs while it is shown, so hiding an
// ancestor hides the control soon.
class TvgNonVGLayout : public TvgLayout {
  RTL_CLASS(TvgNonVGLayout, TvgLayout)

  explicit TvgNonVGLayout(rtl::TComponent* owner) : TvgLayout(owner) {}
  ~TvgNonVGLayout() override;

  rtl::TComponent* NonVGControl() const { return FControl; }
  // A component that is no IvgWindowControl is refused (nothing changes).
  void SetControl(rtl::TComponent* value);

  void Realign() override;
  void MatrixChanged(rtl::TObject* sender = nullptr) override;
  bool CheckParentVisible() override;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  static void Publish(rtl::TPublisher<TvgNonVGLayout>& p);
  IvgWindowControl* Window() const { return dynamic_cast<IvgWindowControl*>(FControl); }
  void PlaceControl();
  // The timer runs exactly while the control is shown.
  void SyncVisibleTimer();
  void DoVisibleTimer();

  rtl::TComponent* FControl = nullptr;
  std::unique_ptr<IvgTimer> FVisibleTimer;
};

// Registers the layout and scroll-box classes under "Layout" for the palette
// and for streaming. Idempotent.
void RegisterLayoutClasses();

}  // namespace vg
