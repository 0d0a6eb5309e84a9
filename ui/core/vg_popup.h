#pragma once
// Popups: a styled control that stays hidden in its scene until it is
// opened, and then shows its children either in a borderless window of its
// own (vgPlacementSceneNew) or as an overlay in the scene of the node it
// belongs to (vgPlacementSceneTarget). Drop-down lists, pop-up boxes and
// message boxes are popups; a popup can also run modally and return a
// modal result.
//
// A popup that does not stay open closes on Esc, on a click outside it and
// when another window takes the activation (see WindowDeactivated); it is
// kept in the list of open popups while open. Closing lets the "IsOpen"
// trigger animations run to their end first, except for a popup closed
// before the loop turned once after opening (never on screen: the
// animations jump to their end, so opening and closing at once costs no
// waiting and never flashes a window).
//
// The own window comes from the platform (IvgPopupPlatform, installed by
// the window layer); without one a popup opens as an overlay instead.
#include <functional>
#include <memory>
#include <vector>

#include "ui/core/vg_ani.h"
#include "ui/core/vg_control.h"


namespace vg {

class TvgCustomScene;
class TvgPopup;

RTL_ENUM(TvgPlacement, vgPlacementBottom, vgPlacementTop, vgPlacementLeft, vgPlacementRight, vgPlacementCenter,
         vgPlacementBottomCenter, vgPlacementTopCenter, vgPlacementLeftCenter, vgPlacementRightCenter,
         vgPlacementAbsolute, vgPlacementMouse, vgPlacementMouseCenter)

RTL_ENUM(TvgPlacementScene, vgPlacementSceneNew, vgPlacementSceneTarget)

using TvgModalResult = int;

// A borderless, top-most window showing one popup's scene. It never takes
// the activation; while shown it has the keyboard. Screen pixels.
class IvgPopupWindow {
 public:
  virtual ~IvgPopupWindow() = default;
  // The scene on the window (owned by the window).
  virtual TvgCustomScene& Scene() = 0;
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual TvgRect Bounds() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // The window's modal result (a button inside sets it; 0 = none).
  virtual TvgModalResult ModalResult() = 0;
  virtual void SetModalResult(TvgModalResult value) = 0;
};

// The platform's side of own-window popups and placement.
class IvgPopupPlatform {
 public:
  virtual ~IvgPopupPlatform() = default;
  // A new hidden popup window for `popup`; `ownerScene` (may be nullptr)
  // is the scene of the popup's target, whose window owns the new one.
  virtual std::unique_ptr<IvgPopupWindow> CreateWindow(TvgPopup& popup, IvgScene* ownerScene) = 0;
  // Frees a closed window once the event being handled is over (the close
  // may come from inside the window's own input).
  virtual void ReleaseWindow(std::unique_ptr<IvgPopupWindow> window) = 0;
  // The work area of the monitor that holds the screen point (or the
  // nearest one).
  virtual TvgRect WorkArea(TvgPoint screenPoint) = 0;
  // The mouse pointer, screen pixels.
  virtual TvgPoint CursorPos() = 0;
  // Whether the program is shutting down (a modal run then ends as Cancel).
  virtual bool Terminated() { return false; }
};

// Installs the platform (not owned; nullptr removes it).
void vgSetPopupPlatform(IvgPopupPlatform* platform);
IvgPopupPlatform* vgPopupPlatform();

// --- placement as pure functions

// Where a popup of size (w, h) goes, in the target's coordinates (or, with
// hasTarget false, the coordinates of rect), for the nine table placements
// (Absolute and the mouse placements give rect's top-left corner here).
// `rect` is the placement rectangle, all zero when none is set.
TvgPoint vgPlacementPoint(TvgPlacement placement, float w, float h, bool hasTarget, float targetWidth,
                          float targetHeight, const TvgRect& rect, float horizontalOffset, float verticalOffset);
// Moves a window rectangle back inside a work area at the right and
// bottom edges (the left and top edges are left alone), then keeps the
// top-left corner inside the work area when the window is larger than it.
TvgRect vgClampToWorkArea(const TvgRect& window, const TvgRect& workArea);

class TvgPopup : public TvgControl {
  RTL_CLASS(TvgPopup, TvgControl)

  // Hidden and focusable.
  explicit TvgPopup(rtl::TComponent* owner);
  ~TvgPopup() override;

  bool IsOpen() const { return FIsOpen; }
  // Opens or closes (nothing when unchanged).
  void SetIsOpen(bool value);
  bool StaysOpen() const { return FStaysOpen; }
  void SetStaysOpen(bool value) { FStaysOpen = value; }
  TvgPlacement Placement() const { return FPlacement; }
  void SetPlacement(TvgPlacement value) { FPlacement = value; }
  TvgVisualObject* PlacementTarget() const { return FPlacementTarget; }
  void SetPlacementTarget(TvgVisualObject* value);
  // Set its four values one by one; assigning a whole rectangle does nothing.
  TvgBounds* PlacementRectangle() const { return FPlacementRectangle.get(); }
  float HorizontalOffset() const { return FHorizontalOffset; }
  void SetHorizontalOffset(float value) { FHorizontalOffset = value; }
  float VerticalOffset() const { return FVerticalOffset; }
  void SetVerticalOffset(float value) { FVerticalOffset = value; }
  bool DragWithParent() const { return FDragWithParent; }
  void SetDragWithParent(bool value) { FDragWithParent = value; }
  // The style book of the popup's own window's scene.
  TvgResources* Style() const { return FStyle; }
  void SetStyle(TvgResources* value);
  TvgPlacementScene PlacementScene() const { return FPlacementScene; }
  void SetPlacementScene(TvgPlacementScene value) { FPlacementScene = value; }
  TvgModalResult ModalResult() const { return FModalResult; }
  // Also the window's, when open in a window of its own.
  void SetModalResult(TvgModalResult value);
  // The open window, or nullptr (overlay mode or closed).
  IvgPopupWindow* PopupWindow() const { return FPopupWindow.get(); }
  bool Animating() const { return FAnimating; }

  // Places the popup (see vgPlacementPoint; own windows are then clamped
  // to the monitor's work area).
  virtual void ApplyPlacement();
  // Opens, runs the application's loop until a modal result is set (or
  // the application terminates: 2), closes and returns the result.
  virtual TvgModalResult PopupModal();
  // Opens; on a popup already open in its own window, closes it instead.
  virtual void Popup();
  // Closes; during a modal run only sets the result 2 (cancel).
  virtual void ClosePopup();

  // Another window took the activation from the popup's window: `activated`
  // is the popup whose window it is, or nullptr for any other window.
  void WindowDeactivated(TvgPopup* activated);

  void DialogKey(std::uint16_t& key, TvgShiftState shift) override;
  // In the designer also the dashed frame that shows where it opens.
  void Paint() override;

  rtl::TNotifyEvent OnClosePopup;

 protected:
  // PlacementTarget, else the visual parent (before opening).
  TvgVisualObject* Target();
  // The scene of the target, else the one the popup was in before opening.
  IvgScene* OwnerScene();
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  void BeforeDestruction() override;

 private:
  static void Publish(rtl::TPublisher<TvgPopup>& p);
  void OpenInWindow();
  void OpenAsOverlay();
  // The first loop turn after opening: an own window is shown.
  void Shown();
  void StartFollowing();
  void PlaceWindow(TvgPoint screen, bool clamp);
  void RunCloseAnimations();
  bool ReturnsToSavedParent() const;
  void CloseWindow();
  void CloseOverlay();
  void Watch(TvgObject* node);
  void Unwatch(TvgObject* node);

  TvgObject* FSaveParent = nullptr;
  TvgVisualObject* FSaveFocused = nullptr;
  TvgPoint FSaveScale{1, 1};
  std::unique_ptr<IvgPopupWindow> FPopupWindow;
  std::unique_ptr<IvgTimer> FDragTimer;
  TvgVisualObject* FPopupLayout = nullptr;
  bool FIsOpen = false;
  bool FStaysOpen = false;
  TvgPlacement FPlacement = vgPlacementBottom;
  TvgVisualObject* FPlacementTarget = nullptr;
  TvgOwned<TvgBounds> FPlacementRectangle;
  float FHorizontalOffset = 0;
  float FVerticalOffset = 0;
  bool FDragWithParent = false;
  bool FAnimating = false;
  TvgResources* FStyle = nullptr;
  TvgPlacementScene FPlacementScene = vgPlacementSceneNew;
  TvgModalResult FModalResult = 0;
  bool FModal = false;
  // Set from the first loop turn after opening.
  bool FShown = false;
  bool FDestroying = false;
  std::unique_ptr<IvgOneShot> FShownTimer;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// A menu-like item that opens its own popup while the pointer rests on it;
// children added to the item go into that popup.
class TvgPopupItem : public TvgControl {
  RTL_CLASS(TvgPopupItem, TvgControl)

  explicit TvgPopupItem(rtl::TComponent* owner);
  ~TvgPopupItem() override;

  TvgPopup* PopupBox() const { return FPopup; }
  TvgPlacement Placement() const { return FPlacement; }
  void SetPlacement(TvgPlacement value);
  float HorizontalOffset() const { return FHorizontalOffset; }
  void SetHorizontalOffset(float value);
  float VerticalOffset() const { return FVerticalOffset; }
  void SetVerticalOffset(float value);

  void AddObject(TvgObject* child) override;
  void Realign() override;
  void MouseEnter() override;
  void MouseLeave() override;
  // Shows or hides the popup in the designer, in the place it opens.
  void DesignClick() override;

 protected:
  void DefineProperties(rtl::TFiler& filer) override;
  void GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) override;

 private:
  static void Publish(rtl::TPublisher<TvgPopupItem>& p);
  void CopyPlacement();
  void PopupClosed(rtl::TObject* sender);
  bool CursorOverPopupOrItem();

  TvgPopup* FPopup = nullptr;
  TvgPlacement FPlacement = vgPlacementBottom;
  float FHorizontalOffset = 0;
  float FVerticalOffset = 0;
};

// A popup for message boxes: stays open and follows its owner window;
// while it runs modally its scene's root is disabled.
class TvgMessagePopup : public TvgPopup {
  RTL_CLASS(TvgMessagePopup, TvgPopup)

  explicit TvgMessagePopup(rtl::TComponent* owner);

  bool DisableScene() const { return FDisableScene; }
  void SetDisableScene(bool value) { FDisableScene = value; }
  // Centred horizontally on its target, else at the top of its owner
  // window's client area.
  void ApplyPlacement() override;
  TvgModalResult PopupModal() override;

 private:
  static void Publish(rtl::TPublisher<TvgMessagePopup>& p);
  bool FDisableScene = true;
};

// Every open popup that does not stay open, oldest first.
const std::vector<TvgPopup*>& OpenPopups();
// Closes every popup of that list, the last opened first.
void CloseAllPopups();

void RegisterPopupClasses();

}  // namespace vg
