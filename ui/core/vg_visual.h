#pragma once
// TvgVisualObject: a node with a place on screen. Size, position, scale and
// rotation relative to the parent give the local matrix; the absolute
// matrix, absolute opacity, enabled state and update rectangle are caches,
// marked stale top-down and recomputed on the next read. Setters store only
// changed values, then repaint or realign. Realign lays out the aligned
// children inside the node's margins, one pass per alignment kind.
#include <cstdint>
#include <vector>

#include "platform/rtl/Event.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_geometry.h"
#include "ui/core/vg_object.h"
#include "ui/core/vg_persistent.h"

namespace vg {

// Paint callbacks: the node, the canvas and the node's local rectangle.
using TvgPaintEvent = rtl::TEvent<rtl::TObject*, TvgCanvas*, const TvgRect&>;

// Input (vg_input.cpp). Buttons: left 0, right 1, middle 2. Shift states
// are bit sets of the flags below.
enum TvgMouseButton { vgMouseLeft, vgMouseRight, vgMouseMiddle };
using TvgShiftState = std::uint8_t;
constexpr TvgShiftState vgShift = 1 << 0, vgAlt = 1 << 1, vgCtrl = 1 << 2, vgLeftButton = 1 << 3,
                        vgRightButton = 1 << 4, vgMiddleButton = 1 << 5, vgDouble = 1 << 6;
constexpr std::uint16_t vgKeyTab = 9, vgKeyReturn = 13, vgKeySpace = 32, vgKeyMenu = 93;
using TvgMouseEvent = rtl::TEvent<rtl::TObject*, TvgMouseButton, TvgShiftState, float, float>;
using TvgMouseMoveEvent = rtl::TEvent<rtl::TObject*, TvgShiftState, float, float, float, float>;
using TvgMouseWheelEvent = rtl::TEvent<rtl::TObject*, TvgShiftState, int, TvgPoint, bool&>;
using TvgKeyEvent = rtl::TEvent<rtl::TObject*, std::uint16_t&, char16_t&, TvgShiftState>;
using TvgCanFocusedEvent = rtl::TEvent<rtl::TObject*, bool&>;

// What a drag carries: the dragged object (a node or another control), the
// file names of a file drop, and a text or other value.
struct TvgDragObject {
  rtl::TObject* Source = nullptr;
  std::vector<rtl::WideString> Files;
  rtl::Variant Data;
};
using TvgDragEnterEvent = rtl::TEvent<rtl::TObject*, const TvgDragObject&, TvgPoint>;
using TvgDragOverEvent = rtl::TEvent<rtl::TObject*, const TvgDragObject&, TvgPoint, bool&>;

// Suppresses the "IsFocused" triggers of every node.
extern bool GlobalDisableFocusEffect;
// The caret node's class ("TvgRectangle" of the shape unit), looked up in
// the streaming registry when a caret is first needed: no caret without it.
// The core cannot name the shape class itself (shapes build on the core).
extern const char* vgCaretClassName;

// The stored value of each kind is its position in this list.
RTL_ENUM(TvgAlign, vaNone, vaTopLeft, vaTopRight, vaBottomLeft, vaBottomRight, vaTop, vaLeft, vaRight,
         vaBottom, vaMostTop, vaMostBottom, vaMostLeft, vaMostRight, vaClient, vaContents, vaCenter,
         vaVertCenter, vaHorzCenter, vaHorizontal, vaVertical, vaScale, vaFit, vaFitLeft, vaFitRight)

RTL_ENUM(TvgDragMode, vgDragManual, vgDragAutomatic)

class TvgVisualObject : public TvgObject {
  RTL_CLASS(TvgVisualObject, TvgObject)

  explicit TvgVisualObject(rtl::TComponent* owner);
  ~TvgVisualObject() override;

  // --- size and place
  float Width() const { return FWidth; }
  float Height() const { return FHeight; }
  virtual void SetWidth(float value);
  virtual void SetHeight(float value);
  float LastWidth() const { return FLastWidth; }
  float LastHeight() const { return FLastHeight; }
  void SetBounds(float x, float y, float width, float height);
  // Size and last size at once; no repaint, no realign.
  void SetSizeWithoutChange(float width, float height);
  // A rectangle in the node's own coordinates becomes its new bounds.
  virtual void SetBoundsRect(const TvgRect& rect);
  TvgPosition* Position() const { return FPosition.get(); }
  void SetPosition(const TvgPosition* value);
  TvgPosition* Scale() const { return FScale.get(); }
  void SetScale(const TvgPosition* value);
  TvgPosition* Skew() const { return FSkew.get(); }
  void SetSkew(const TvgPosition* value);
  TvgPosition* RotateCenter() const { return FRotateCenter.get(); }
  void SetRotateCenter(const TvgPosition* value);
  float RotateAngle() const { return FRotateAngle; }
  void SetRotateAngle(float value);
  TvgBounds* Margins() const { return FMargins.get(); }
  TvgBounds* Padding() const { return FPadding.get(); }
  TvgAlign Align() const { return FAlign; }
  virtual void SetAlign(TvgAlign value);

  // --- appearance
  float Opacity() const { return FOpacity; }
  // Clamped to 0..1.
  void SetOpacity(float value);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool value);
  // The flag alone: no repaint, realign or trigger.
  void SetVisibleSilently(bool value) { FVisible = value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool ClipChildren() const { return FClipChildren; }
  void SetClipChildren(bool value);
  bool ClipParent() const { return FClipParent; }
  void SetClipParent(bool value) { FClipParent = value; }
  bool HitTest() const { return FHitTest; }
  void SetHitTest(bool value) { FHitTest = value; }
  bool Locked() const { return FLocked; }
  void SetLocked(bool value) { FLocked = value; }
  // Locks the node and every visual descendant.
  void Lock();
  bool DesignHide() const { return FDesignHide; }
  void SetDesignHide(bool value);
  void UpdateDesignHide(bool value);
  std::int16_t Cursor() const { return FCursor; }
  void SetCursor(std::int16_t value) { FCursor = value; }
  const rtl::WideString& Hint() const { return FHint; }
  void SetHint(const rtl::WideString& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }
  TvgDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TvgDragMode value) { FDragMode = value; }
  bool CanFocused() const { return FCanFocused; }
  bool IsFocused() const { return FIsFocused; }
  bool IsMouseOver() const { return FIsMouseOver; }
  bool IsDragOver() const { return FIsDragOver; }
  TvgCanvas* TempCanvas() const { return FTempCanvas; }
  // Sets the canvas on the node and every visual descendant.
  void SetTempCanvas(TvgCanvas* canvas);
  bool DisableDefaultAlign() const { return FDisableDefaultAlign; }
  void SetDisableDefaultAlign(bool value) { FDisableDefaultAlign = value; }

  // --- geometry (scene coordinates unless said otherwise)
  const TvgMatrix& LocalMatrix() const { return FLocalMatrix; }
  virtual TvgMatrix GetAbsoluteMatrix();
  // The transform between this node and its children; identity here.
  virtual TvgMatrix GetChildrenMatrix();
  TvgMatrix GetInvertAbsoluteMatrix();
  virtual TvgPoint GetAbsoluteScale();
  // Bounding box of the transformed corners of (0, 0, Width, Height).
  virtual TvgRect GetAbsoluteRect();
  virtual TvgRect GetLocalRect();
  virtual TvgRect GetBoundsRect();
  virtual TvgRect GetParentedRect();
  virtual TvgRect GetClipRect();
  virtual TvgRect GetUpdateRect();
  // The local rectangle Paint draws in: the node's own, or more for a node
  // that draws past its bounds. The update rectangle covers it.
  virtual TvgRect GetDrawnRect();
  TvgRect GetChildrenRect();
  float GetAbsoluteWidth();
  float GetAbsoluteHeight();
  virtual TvgPoint AbsoluteToLocal(TvgPoint p);
  virtual TvgPoint LocalToAbsolute(TvgPoint p);
  virtual TvgVector AbsoluteToLocalVector(TvgVector v);
  virtual TvgVector LocalToAbsoluteVector(TvgVector v);
  virtual float GetAbsoluteOpacity();
  virtual bool GetAbsoluteEnabled();
  // False when this node or a visual ancestor is hidden.
  virtual bool CheckParentVisible();

  // --- change propagation
  // Rebuilds the local matrix from scale, position and rotation.
  virtual void MatrixChanged(rtl::TObject* sender = nullptr);
  virtual void MarginsChanged(rtl::TObject* sender);
  virtual void PaddingChanged(rtl::TObject* sender);
  virtual void RecalcAbsolute();
  virtual void RecalcOpacity();
  void RecalcEnabled();
  // A hidden or disabled subtree gives up the scene's focus.
  void DropFocusWithin();
  void RecalcUpdateRect();
  void RecalcAbsoluteNow();
  void RecalcNeedAlign();
  // Marks the effect cache of this node and its ancestors dirty.
  void UpdateEffects();
  bool HasEffect() const { return FHasEffect; }
  bool EffectsDirty() const { return FUpdateEffects; }
  // Whether an enabled effect child exists (unless effects are disabled).
  void RecalcHasEffect();
  // Queues the node's update rectangle with the scene.
  void Repaint();
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int Updating() const { return FUpdating; }
  // Lays out the aligned children.
  virtual void Realign();
  // Design mode: the node was selected, clicked or inserted in the designer.
  virtual void DesignSelect() {}
  virtual void DesignClick() {}
  virtual void DesignInsert() {}

  void DeleteChildren() override;

  // --- painting, effects and hit testing (vg_paint.cpp)
  // The temporary canvas when set, else the scene's.
  TvgCanvas* GetCanvas();
  virtual void BeforePaint() {}
  virtual void Paint() {}
  virtual void AfterPaint() {}
  // Paints the visible children that meet the scene's dirty rectangles,
  // with their clips, clip-parent holes and effects.
  virtual void PaintChildren();
  // Queues a rectangle in local coordinates for repainting.
  void InvalidateRect(const TvgRect& rect);
  bool HasDisablePaintEffect();
  bool HasAfterPaintEffect();
  // The local rectangle united with what every enabled effect covers.
  virtual TvgRect GetEffectsRect();
  // Draws the node's effect images, rebuilding them when they are dirty.
  void ApplyEffect();
  bool DisableEffect() const { return FDisableEffect; }
  void SetDisableEffect(bool value);
  bool InPaintTo() const { return FInPaintTo; }
  void SetInPaintTo(bool value);
  // Paints the node and its subtree into canvas so that the node fills
  // rect, with parent (may be nullptr) as its parent meanwhile; the node's
  // geometry and the scene's update state are as before afterwards.
  void PaintTo(TvgCanvas& canvas, const TvgRect& rect, TvgObject* parent = nullptr);
  // A new bitmap (the caller owns it) of Round(Width) x Round(Height) with
  // the node painted into it.
  TvgBitmap* MakeScreenshot();
  // The point (scene coordinates) lies strictly inside the node.
  virtual bool PointInObject(float x, float y);
  bool CheckHitTest();
  // The topmost hit node at a point in scene coordinates, or nullptr.
  virtual TvgVisualObject* ObjectByPoint(float x, float y);
  // The topmost node under a point (scene coordinates) that accepts the
  // drag in its DragOver, or nullptr.
  TvgVisualObject* FindTarget(TvgPoint point, const TvgDragObject& data);
  bool DragDisableHighlight = false;
  TvgPaintEvent OnBeforePaint, OnPaint;

  // --- input, focus, tab order and caret (vg_input.cpp); coordinates
  // are local to the node.
  virtual void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y);
  virtual void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy);
  virtual void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y);
  virtual void MouseWheel(TvgShiftState shift, int delta, bool& handled);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The scene's captured node becomes / stops being this node.
  void Capture();
  void ReleaseCapture();
  virtual void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);
  virtual void KeyUp(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);
  // Offers the key to the visible, enabled children depth first until one
  // sets it to 0.
  virtual void DialogKey(std::uint16_t& key, TvgShiftState shift);
  // At a point in screen coordinates; the host's menus are not part of the
  // headless core, so only the event is raised here.
  virtual void ContextMenu(TvgPoint screenPoint);
  // The popup menu ContextMenu opens (a component vgPopupMenuOf makes a
  // menu of; any other is refused); cleared when it is destroyed.
  rtl::TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(rtl::TComponent* value);
  // Makes the node the scene's focused node unless it cannot take the
  // focus or OnCanFocused refuses.
  void SetFocus();
  virtual void EnterFocus();
  virtual void KillFocus();
  // Whether an ancestor brings a newly focused child into view; no here.
  virtual bool EnterFocusChildren(TvgVisualObject* child);
  void SetCanFocused(bool value) { FCanFocused = value; }
  bool DisableFocusEffect() const { return FDisableFocusEffect; }
  void SetDisableFocusEffect(bool value) { FDisableFocusEffect = value; }
  bool AutoCapture() const { return FAutoCapture; }
  void SetAutoCapture(bool value) { FAutoCapture = value; }
  bool Pressed() const { return FPressed; }
  void SetNewScene(IvgScene* scene) override;
  // Position in the visual parent's tab list, -1 without one.
  std::int16_t GetTabOrder() const;
  // While loading only stored; otherwise the node moves there (clamped).
  void SetTabOrder(std::int16_t value);
  void UpdateTabOrder(std::int16_t value);
  // Puts the children at their stored tab orders (after loading).
  void FixupTabList();
  // Appends the tab list and, with children, each entry's own list after it.
  void GetTabOrderList(std::vector<TvgVisualObject*>& list, bool children) const;
  const std::vector<TvgVisualObject*>& TabList() const { return FTabList; }
  // Drop target: the "IsDragOver" trigger follows enter, drop and leave.
  virtual void DragEnter(const TvgDragObject& data, TvgPoint point);
  // `accept` stays as the caller set it unless OnDragOver changes it.
  virtual void DragOver(const TvgDragObject& data, TvgPoint point, bool& accept);
  virtual void DragDrop(const TvgDragObject& data, TvgPoint point);
  virtual void DragLeave();
  // The drag this node started is over; an automatic drag ends the press
  // without a click.
  virtual void DragEnd();
  // Starts a drag of this node through the scene, with its screenshot as
  // the drag image.
  virtual void BeginAutoDrag();
  // Where typed text goes in (local coordinates): an input method opens
  // its composition there. Text controls answer their caret position.
  virtual TvgPoint ImeCaretPoint() { return {0, 0}; }
  TvgVisualObject* Caret() const { return FCaret; }
  void CreateCaret();
  void ShowCaretProc();
  void HideCaret();
  void SetCaretPos(TvgPoint p);
  void SetCaretSize(TvgPoint size);
  void SetCaretColor(TvgColor color);

  rtl::TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave, OnEnterFocus, OnKillFocus,
      OnApplyResource;
  TvgMouseEvent OnMouseDown, OnMouseUp;
  TvgMouseMoveEvent OnMouseMove;
  TvgMouseWheelEvent OnMouseWheel;
  TvgKeyEvent OnKeyDown, OnKeyUp;
  TvgCanFocusedEvent OnCanFocused;
  TvgDragEnterEvent OnDragEnter, OnDragDrop;
  TvgDragOverEvent OnDragOver;
  rtl::TNotifyEvent OnDragLeave, OnDragEnd;

 protected:
  void Loaded() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  // Whether a parent realigns when an unaligned child changes size (scroll
  // contents do).
  virtual bool RealignsOnChildResize() const { return false; }
  // Controls say yes: disabled, they and their subtree let the mouse through.
  virtual bool IsControl() const { return false; }

  // Raises a state trigger on the node and its style parts.
  void RaiseTrigger(const std::string& trigger);
  bool FocusEffectsShown() const;

  bool FIsMouseOver = false;
  bool FIsFocused = false;
  bool FIsDragOver = false;
  bool FCanFocused = false;

 private:
  static void Publish(rtl::TPublisher<TvgVisualObject>& p);
  TvgVisualObject* VisualParent() const;
  bool InDesign();
  // A negative size in design mode flips the scale's sign instead.
  float DesignSize(float value, TvgPosition* scale, bool isX);
  TvgRect AbsoluteBounds(const TvgRect& local);
  void SizeChanged();
  void AttachChild(TvgVisualObject* child);
  void DetachChild(TvgVisualObject* child);
  // Alignment (vg_realign.cpp).
  // Places the visible children of one kind; `list` is scratch space.
  void AlignPass(TvgAlign kind, TvgRect& client, std::vector<TvgVisualObject*>& list);
  void PlaceChild(TvgVisualObject* child, TvgRect& client);
  void SetPositionSilently(float x, float y);
  // Painting one child: steps after culling (vg_paint.cpp).
  void PaintSelf(TvgCanvas& canvas);

  bool FHitTest = true;
  bool FClipChildren = false;
  TvgOwned<TvgBounds> FMargins;
  TvgAlign FAlign = vaNone;
  bool FDisableDefaultAlign = false;
  TvgOwned<TvgBounds> FPadding;
  TvgCanvas* FTempCanvas = nullptr;
  float FRotateAngle = 0;
  TvgOwned<TvgPosition> FPosition;
  TvgOwned<TvgPosition> FScale;
  TvgOwned<TvgPosition> FSkew;
  rtl::TComponent* FPopupMenu = nullptr;
  TvgOwned<TvgPosition> FRotateCenter;
  bool FClipParent = false;
  bool FDesignHide = false;
  bool FCanClipped = true;
  std::int16_t FCursor = 0;
  TvgDragMode FDragMode = vgDragManual;
  bool FDragDisableHighlight = false;
  rtl::WideString FHint;
  bool FShowHint = false;
  bool FRecalcEnabled = true;
  bool FEnabled = true;
  bool FAbsoluteEnabled = true;
  std::int16_t FTabOrder = -1;
  std::vector<TvgVisualObject*> FTabList;
  bool FNeedAlign = false;
  float FHeight = 50, FLastHeight = 50, FWidth = 50, FLastWidth = 50;
  bool FVisible = true;
  TvgMatrix FLocalMatrix = IdentityMatrix;
  TvgMatrix FAbsoluteMatrix = IdentityMatrix;
  bool FRecalcAbsolute = true;
  bool FUpdateEffects = true;
  bool FLocked = false;
  float FOpacity = 1;
  float FAbsoluteOpacity = 1;
  bool FRecalcOpacity = true;
  bool FInPaintTo = false;
  TvgRect FUpdateRect;
  bool FRecalcUpdateRect = true;
  int FUpdating = 0;
  bool FDisableAlign = false;
  bool FDisableEffect = false;
  bool FHasEffect = false;
  std::vector<TvgOwned<TvgBitmap>> FEffectBitmaps;
  bool FAutoCapture = false;
  bool FPressed = false;
  bool FDoubleClick = false;
  bool FDisableFocusEffect = false;
  TvgVisualObject* FCaret = nullptr;

  friend class TvgObject;
};

}  // namespace vg
