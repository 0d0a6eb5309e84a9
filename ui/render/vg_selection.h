#pragma once
// Editing aids placed into a scene: TvgSelection, a frame with four corner
// grips that the user drags to move or resize it (the owner reads its
// position and size in OnTrack and OnChange), TvgSelectionPoint, a single
// draggable point, and TvgDesignFrame, a placeholder that paints nothing.
//
// The pointer operations (Press, Hover, Track, Release, Leave) take points
// in the node's local coordinates; the node's mouse handlers call them after
// the inherited handling.
#include "platform/rtl/Event.h"
#include "ui/core/vg_visual.h"

namespace vg {

class TvgSelection : public TvgVisualObject {
  RTL_CLASS(TvgSelection, TvgVisualObject)

  explicit TvgSelection(rtl::TComponent* owner) : TvgVisualObject(owner) { SetAutoCapture(true); }

  float GripSize() const { return FGripSize; }
  // Clamped to 1..20.
  void SetGripSize(float value);
  int MinSize() const { return FMinSize; }
  // 0 or less is stored as 1.
  void SetMinSize(int value);
  bool ParentBounds() const { return FParentBounds; }
  void SetParentBounds(bool value) { FParentBounds = value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool value) { FProportional = value; }

  // A press: remembers the point; a left press grabs the first grip under
  // it (left-top, right-top, right-bottom, left-bottom) or else the body,
  // and the width / height ratio (1 for a node of no height).
  void Press(TvgPoint local, bool leftButton);
  // The pointer moves with no button or modifier held: grips light up.
  void Hover(TvgPoint local);
  // The pointer moves with the left button held: moves or resizes.
  void Track(TvgPoint local);
  // Ends a drag (OnChange when one was active).
  void Release();
  // The pointer left: no grip is lit.
  void Leave();

  // The node's rectangle grown by GripSize + 4, so the grips are repainted.
  TvgRect GetAbsoluteRect() override;
  // The rectangle test or any grip square.
  bool PointInObject(float x, float y) override;
  void Paint() override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseLeave() override;

  bool Moving() const { return FMove; }
  bool GripHot(int corner) const;

  rtl::TNotifyEvent OnChange, OnTrack;

 private:
  static void Publish(rtl::TPublisher<TvgSelection>& p);
  // The squares around the corners: left-top, right-top, right-bottom,
  // left-bottom.
  TvgRect Grip(int corner) const;
  TvgVisualObject* VisualParentNode() const;
  void MoveBy(TvgPoint delta);
  void ResizeTo(TvgPoint pointer);

  bool FParentBounds = true;
  bool FHideSelection = false;
  int FMinSize = 15;
  bool FProportional = false;
  float FGripSize = 3;
  float FRatio = 1;
  bool FMove = false;
  bool FCorner[4] = {};  // left-top, right-top, right-bottom, left-bottom
  bool FHot[4] = {};
  TvgPoint FDownPos;
  TvgPoint FMovePos;
};

// A point grip drawn and hit around the node's origin, so Position is the
// point.
class TvgSelectionPoint : public TvgVisualObject {
  RTL_CLASS(TvgSelectionPoint, TvgVisualObject)

  explicit TvgSelectionPoint(rtl::TComponent* owner);

  float GripSize() const { return FGripSize; }
  void SetGripSize(float value);  // clamped to 1..20
  bool ParentBounds() const { return FParentBounds; }
  void SetParentBounds(bool value) { FParentBounds = value; }
  // Both ignore the value: the size is 2 x GripSize.
  void SetWidth(float value) override;
  void SetHeight(float value) override;

  void Press(bool leftButton);
  // With the press held: Position follows the pointer in the parent's
  // coordinates, kept inside the parent with ParentBounds.
  void Track(TvgPoint local);
  void Release();

  TvgRect GetUpdateRect() override;
  // Strictly inside (-GripSize, -GripSize)..(GripSize, GripSize).
  bool PointInObject(float x, float y) override;
  void Paint() override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  // Both repaint: the grip shows its hover colour.
  void MouseEnter() override;
  void MouseLeave() override;

  rtl::TNotifyEvent OnChange, OnTrack;

 private:
  static void Publish(rtl::TPublisher<TvgSelectionPoint>& p);
  bool FParentBounds = true;
  float FGripSize = 3;
  bool FPressed = false;
};

// Carries OnChange and OnTrack for design frames; never raises them and
// paints nothing.
class TvgDesignFrame : public TvgVisualObject {
  RTL_CLASS(TvgDesignFrame, TvgVisualObject)

  explicit TvgDesignFrame(rtl::TComponent* owner) : TvgVisualObject(owner) {}

  rtl::TNotifyEvent OnChange, OnTrack;

 private:
  static void Publish(rtl::TPublisher<TvgDesignFrame>& p);
};

// Registers the three classes under "Design" (RegisterShapeClasses does).
void RegisterSelectionClasses();

}  // namespace vg
