// Popups: opening in a window of their own or as an overlay, placement,
// closing with the "IsOpen" animations, modal runs, the list of open
// popups and its activation rules; popup items and message popups.
#include "ui/core/vg_popup.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/rtl/Filer.h"
#include "platform/rtl/Rounding.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_designframe.h"
#include "ui/core/vg_effects.h"
#include "ui/core/vg_scene.h"
#include "ui/core/vg_textforms.h"

namespace vg {

namespace {

constexpr std::uint16_t kEscape = 27;
constexpr std::uint32_t kFollowMs = 10;
constexpr TvgModalResult kCancel = 2;

IvgPopupPlatform* g_platform = nullptr;

std::vector<TvgPopup*>& OpenList() {
  static std::vector<TvgPopup*> list;
  return list;
}

bool IsEmptyRect(const TvgRect& r) { return r.Left == 0 && r.Top == 0 && r.Right == 0 && r.Bottom == 0; }

bool IsTablePlacement(TvgPlacement placement) { return placement <= vgPlacementRightCenter; }

int RoundInt(float value) { return int(rtl::Round(value)); }

TvgPoint Truncated(TvgPoint p) { return {std::trunc(p.X), std::trunc(p.Y)}; }

}  // namespace

void vgSetPopupPlatform(IvgPopupPlatform* platform) { g_platform = platform; }
IvgPopupPlatform* vgPopupPlatform() { return g_platform; }

const std::vector<TvgPopup*>& OpenPopups() { return OpenList(); }

void CloseAllPopups() {
  std::vector<TvgPopup*> popups = OpenList();
  for (auto it = popups.rbegin(); it != popups.rend(); ++it)
    if (std::find(OpenList().begin(), OpenList().end(), *it) != OpenList().end()) (*it)->ClosePopup();
}

// ----- placement

TvgPoint vgPlacementPoint(TvgPlacement placement, float w, float h, bool hasTarget, float tw, float th,
                          const TvgRect& r, float ho, float vo) {
  const bool hasRect = !IsEmptyRect(r);
  const float rw = r.Right - r.Left, rh = r.Bottom - r.Top;
  const TvgPoint center{r.Left + (rw - w) / 2 + ho, r.Top + (rh - h) / 2 + vo};
  if (!hasTarget || hasRect) {
    switch (placement) {
      case vgPlacementBottom: return {r.Left + ho, r.Bottom + vo};
      case vgPlacementTop: return {r.Left + ho, r.Top - h - vo};
      case vgPlacementLeft:
      case vgPlacementLeftCenter: return {r.Left - w - ho, r.Top + vo};
      case vgPlacementRight:
      case vgPlacementRightCenter: return {r.Right + ho, r.Top + vo};
      case vgPlacementCenter: return center;
      case vgPlacementBottomCenter:
        return hasTarget ? TvgPoint{(r.Left + r.Right) / 2 - w / 2 + ho, r.Bottom + vo}
                         : TvgPoint{r.Left + ho, r.Bottom + vo};
      case vgPlacementTopCenter:
        return hasTarget ? TvgPoint{(r.Left + r.Right) / 2 - w / 2 + ho, r.Top - h - vo}
                         : TvgPoint{r.Left + ho, r.Top - h - vo};
      default: return {r.Left, r.Top};
    }
  }
  switch (placement) {
    case vgPlacementBottom: return {ho, th + vo};
    case vgPlacementTop: return {ho, -h - vo};
    case vgPlacementLeft: return {-w - ho, vo};
    case vgPlacementRight: return {tw + ho, vo};
    case vgPlacementCenter: return {(tw - w) / 2 + ho, (th - h) / 2 + vo};
    case vgPlacementBottomCenter: return {tw / 2 + ho - w / 2, th + vo};
    case vgPlacementTopCenter: return {tw / 2 + ho - w / 2, -h - vo};
    case vgPlacementLeftCenter: return {-w - ho, th / 2 + vo - h / 2};
    case vgPlacementRightCenter: return {tw + ho, th / 2 + vo - h / 2};
    default: return {0, 0};
  }
}

TvgRect vgClampToWorkArea(const TvgRect& window, const TvgRect& workArea) {
  TvgRect r = window;
  const float w = vgRectWidth(r), h = vgRectHeight(r);
  if (r.Right > workArea.Right) r.Left = workArea.Right - w;
  if (r.Bottom > workArea.Bottom) r.Top = workArea.Bottom - h;
  // A window larger than the work area keeps its top-left corner on it.
  if (w > vgRectWidth(workArea) && r.Left < workArea.Left) r.Left = workArea.Left;
  if (h > vgRectHeight(workArea) && r.Top < workArea.Top) r.Top = workArea.Top;
  r.Right = r.Left + w;
  r.Bottom = r.Top + h;
  return r;
}

// ----- TvgPopup

TvgPopup::TvgPopup(rtl::TComponent* owner) : TvgControl(owner), FPlacementRectangle(new TvgBounds) {
  SetVisibleSilently(false);
  FCanFocused = true;
}

TvgPopup::~TvgPopup() {
  FDestroying = true;
  if (FIsOpen || FPopupWindow || FPopupLayout) ClosePopup();
  Unwatch(FPlacementTarget);
  TearDown();
}

void TvgPopup::BeforeDestruction() {
  FDestroying = true;
  if (FIsOpen || FPopupWindow || FPopupLayout) ClosePopup();
  inherited::BeforeDestruction();
}

void TvgPopup::Publish(rtl::TPublisher<TvgPopup>& p) {
  using T = TvgPopup;
  p.Property("Visible", &T::Visible, &T::SetVisible).Default(false);
  p.Property("IsOpen", &T::IsOpen, &T::SetIsOpen).Default(false);
  p.Property("StaysOpen", &T::StaysOpen, &T::SetStaysOpen).Default(false);
  p.Property("Placement", &T::Placement, &T::SetPlacement).Default(vgPlacementBottom);
  p.Property("PlacementTarget", &T::PlacementTarget, &T::SetPlacementTarget);
  p.Property("PlacementRectangle", &T::PlacementRectangle);
  p.Property("HorizontalOffset", &T::HorizontalOffset, &T::SetHorizontalOffset);
  p.Property("VerticalOffset", &T::VerticalOffset, &T::SetVerticalOffset);
  p.Property("DragWithParent", &T::DragWithParent, &T::SetDragWithParent).Default(false);
  p.Property("Style", &T::Style, &T::SetStyle);
  p.Property("OnClosePopup", &T::OnClosePopup);
}

void TvgPopup::Watch(TvgObject* node) {
  if (node) FreeNotification(node);
}

void TvgPopup::Unwatch(TvgObject* node) {
  if (node && node != FPlacementTarget && node != FSaveParent && node != FSaveFocused) RemoveFreeNotification(node);
}

void TvgPopup::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != rtl::opRemove) return;
  if (component == FPlacementTarget) FPlacementTarget = nullptr;
  if (component == FSaveParent) FSaveParent = nullptr;
  if (component == FSaveFocused) FSaveFocused = nullptr;
  if (component == FStyle) FStyle = nullptr;
}

void TvgPopup::SetPlacementTarget(TvgVisualObject* value) {
  if (value == FPlacementTarget) return;
  TvgVisualObject* old = std::exchange(FPlacementTarget, value);
  Unwatch(old);
  Watch(value);
}

void TvgPopup::SetStyle(TvgResources* value) {
  if (value == FStyle) return;
  if (FStyle) RemoveFreeNotification(FStyle);
  FStyle = value;
  if (FStyle) FreeNotification(FStyle);
}

void TvgPopup::SetIsOpen(bool value) {
  if (value == FIsOpen) return;
  IvgScene* scene = GetScene();
  if (scene && scene->GetDesignTime()) return;
  FIsOpen = value;
  if (value)
    Popup();
  else
    ClosePopup();
}

void TvgPopup::SetModalResult(TvgModalResult value) {
  FModalResult = value;
  if (FPopupWindow) FPopupWindow->SetModalResult(value);
}

TvgVisualObject* TvgPopup::Target() {
  if (FPlacementTarget) return FPlacementTarget;
  TvgObject* parent = FPopupWindow || FPopupLayout ? FSaveParent : Parent();
  return parent && parent->IsVisual() ? parent->Visual() : nullptr;
}

IvgScene* TvgPopup::OwnerScene() {
  if (TvgVisualObject* target = Target(); target && target->GetScene()) return target->GetScene();
  if (FPopupWindow || FPopupLayout) return FSaveParent ? FSaveParent->GetScene() : nullptr;
  return GetScene();
}

// ----- opening

void TvgPopup::Popup() {
  if (FAnimating) {
    FIsOpen = false;
    return;
  }
  if (FPopupWindow) {
    ClosePopup();
    return;
  }
  if (FPopupLayout) return;
  FSaveScale = Scale()->GetPoint();
  FSaveParent = Parent();
  Watch(FSaveParent);
  if (FPlacementScene == vgPlacementSceneNew && g_platform)
    OpenInWindow();
  else
    OpenAsOverlay();
  if (!FStaysOpen) OpenList().push_back(this);
  FIsOpen = true;
  ApplyTriggerEffect(this, "IsOpen");
  StartTriggerAnimation(this, "IsOpen");
  if (FPopupWindow && FDragWithParent && FStaysOpen) StartFollowing();
  FShown = false;
  FShownTimer = vgStartOneShot(1, [this] { Shown(); });
}

void TvgPopup::Shown() {
  FShownTimer.reset();
  FShown = true;
  if (FPopupWindow) FPopupWindow->Show();
}

void TvgPopup::StartFollowing() {
  FDragTimer = vgAniClock().StartTimer(kFollowMs, [this] { ApplyPlacement(); });
}

void TvgPopup::OpenInWindow() {
  IvgScene* ownerScene = OwnerScene();
  FPopupWindow = g_platform->CreateWindow(*this, ownerScene);
  const TvgMatrix m = GetAbsoluteMatrix();
  const int width = RoundInt(m.m11 * Width()), height = RoundInt(m.m22 * Height());
  Scale()->SetPoint({m.m11, m.m22});
  TvgCustomScene& scene = FPopupWindow->Scene();
  scene.SetTransparency(true);
  scene.SetStyle(FStyle ? FStyle : ownerScene ? ownerScene->GetStyle() : nullptr);
  scene.SetBounds(0, 0, width, height);
  FPopupWindow->SetBounds(0, 0, width, height);
  ApplyPlacement();
  SetVisible(true);
  scene.AddObject(this);
  scene.SetActiveControl(this);
  UpdateResource();
  SetFocus();
}

void TvgPopup::OpenAsOverlay() {
  IvgScene* scene = OwnerScene();
  TvgObject* root = scene ? scene->GetRoot() : nullptr;
  FPopupLayout = new TvgVisualObject(nullptr);
  FPopupLayout->SetStored(false);
  FPopupLayout->SetHitTest(!FStaysOpen);
  FPopupLayout->OnClick = [this](rtl::TObject*) {
    if (FIsOpen && !FStaysOpen) ClosePopup();
  };
  if (root) FPopupLayout->SetParent(root);
  FPopupLayout->SetAlign(vaContents);
  FSaveFocused = scene ? scene->GetFocused() : nullptr;
  Watch(FSaveFocused);
  FPopupLayout->AddObject(this);
  ApplyPlacement();
  SetVisible(true);
  UpdateResource();
  BringToFront();
  SetCanFocused(true);
  SetFocus();
}

// ----- placement

void TvgPopup::PlaceWindow(TvgPoint screen, bool clamp) {
  const TvgRect bounds = FPopupWindow->Bounds();
  TvgRect r{screen.X, screen.Y, screen.X + vgRectWidth(bounds), screen.Y + vgRectHeight(bounds)};
  if (clamp && g_platform) r = vgClampToWorkArea(r, g_platform->WorkArea(screen));
  FPopupWindow->SetBounds(int(r.Left), int(r.Top), int(vgRectWidth(r)), int(vgRectHeight(r)));
}

void TvgPopup::ApplyPlacement() {
  TvgVisualObject* target = Target();
  const TvgRect rect = FPlacementRectangle->GetRect();
  if (!IsTablePlacement(FPlacement)) {
    if (!FPopupWindow) return;
    if (FPlacement == vgPlacementAbsolute) {
      PlaceWindow({float(RoundInt(rect.Left)), float(RoundInt(rect.Top))}, false);
      return;
    }
    // Not moved once the window shows the popup (IsOpen is already set
    // while a popup opens through SetIsOpen).
    if (GetScene() == &FPopupWindow->Scene() || !g_platform) return;
    TvgPoint cursor = g_platform->CursorPos();
    if (FPlacement == vgPlacementMouseCenter) cursor.X -= float(RoundInt(Width() / 2));
    PlaceWindow(cursor, target != nullptr);
    return;
  }
  TvgPoint p = vgPlacementPoint(FPlacement, Width(), Height(), target != nullptr, target ? target->Width() : 0,
                                target ? target->Height() : 0, rect, FHorizontalOffset, FVerticalOffset);
  if (target) p = target->LocalToAbsolute(p);
  p = Truncated(p);
  if (FPopupWindow) {
    if (target) {
      IvgScene* scene = OwnerScene();
      if (scene) p = scene->LocalToScreen(p);
      p = {float(RoundInt(p.X)), float(RoundInt(p.Y))};
    }
    PlaceWindow(p, true);
    return;
  }
  if (TvgObject* parent = Parent(); parent && parent->IsVisual()) p = parent->Visual()->AbsoluteToLocal(p);
  Position()->SetPoint(p);
}

// ----- closing

void TvgPopup::RunCloseAnimations() {
  ApplyTriggerEffect(this, "IsOpen");
  if (FShown) {
    StartTriggerAnimationWait(this, "IsOpen");
    return;
  }
  // Never on screen: the animations jump to their end.
  StartTriggerAnimation(this, "IsOpen");
  StopTriggerAnimation(this);
}

void TvgPopup::ClosePopup() {
  if (FAnimating || (!FPopupWindow && !FPopupLayout)) return;
  if (FModal && FModalResult == 0) {
    SetModalResult(kCancel);
    return;
  }
  std::weak_ptr<bool> alive = FAlive;
  FDragTimer.reset();
  FShownTimer.reset();
  FAnimating = true;
  FIsOpen = false;
  if (!FDestroying && !IsDestroying()) {
    RunCloseAnimations();
    if (alive.expired()) return;
  }
  SetVisible(false);
  if (FPopupWindow)
    CloseWindow();
  else
    CloseOverlay();
  FAnimating = false;
  TvgObject* saved = std::exchange(FSaveParent, nullptr);
  Unwatch(saved);
  std::erase(OpenList(), this);
  OnClosePopup(this);
}

// A popup being destroyed stays where it is; one whose parent goes too
// (the tree is torn down) does not go back to it either.
bool TvgPopup::ReturnsToSavedParent() const {
  return !FDestroying && FSaveParent && !FSaveParent->ComponentState().Contains(rtl::csDestroying);
}

void TvgPopup::CloseWindow() {
  FPopupWindow->Scene().RemoveObject(this);
  FPopupWindow->Hide();
  if (g_platform) g_platform->ReleaseWindow(std::move(FPopupWindow));
  FPopupWindow.reset();
  Scale()->SetPoint(FSaveScale);
  if (ReturnsToSavedParent()) SetParent(FSaveParent);
}

void TvgPopup::CloseOverlay() {
  // A popup without a parent of its own leaves the catcher, which is freed.
  if (ReturnsToSavedParent())
    SetParent(FSaveParent);
  else if (!FSaveParent && !FDestroying && Parent() == FPopupLayout)
    SetParent(nullptr);
  if (TvgVisualObject* focused = std::exchange(FSaveFocused, nullptr)) {
    Unwatch(focused);
    if (!FDestroying) focused->SetFocus();
  }
  // The catcher may be in its own click handler: hidden and detached now,
  // freed from a timer (unless it is being destroyed already).
  TvgVisualObject* layout = std::exchange(FPopupLayout, nullptr);
  if (layout->ComponentState().Contains(rtl::csDestroying)) return;
  layout->SetVisible(false);
  layout->SetParent(nullptr);
  layout->Release();
}

// ----- modal runs

TvgModalResult TvgPopup::PopupModal() {
  if (FAnimating) {
    FIsOpen = false;
    return 0;
  }
  if (FPopupWindow) {
    if (FModal) {
      SetModalResult(kCancel);
      FModal = false;
    } else {
      ClosePopup();
    }
    return 0;
  }
  Popup();
  SetModalResult(0);
  FModal = true;
  std::weak_ptr<bool> alive = FAlive;
  do {
    vgAniClock().WaitForEvent();
    if (alive.expired()) return kCancel;
    if (vgPopupPlatform() && vgPopupPlatform()->Terminated()) SetModalResult(kCancel);
    if (FPopupWindow) {
      ApplyPlacement();
      FModalResult = FPopupWindow->ModalResult();
    }
  } while (FModalResult == 0 && FModal);
  FModal = false;
  ClosePopup();
  return FModalResult;
}

// ----- keys and activation

void TvgPopup::Paint() {
  inherited::Paint();
  if (vgPaintsDesignFrame(*this))
    if (TvgCanvas* canvas = GetCanvas()) vgDrawDesignFrame(*this, *canvas);
}

void TvgPopup::DialogKey(std::uint16_t& key, TvgShiftState shift) {
  inherited::DialogKey(key, shift);
  if (key == kEscape && FIsOpen && !FStaysOpen) {
    SetIsOpen(false);
    key = 0;
  }
}

void TvgPopup::WindowDeactivated(TvgPopup* activated) {
  if (FStaysOpen || activated == this) return;
  if (activated && !activated->StaysOpen()) {
    const auto& list = OpenList();
    const auto other = std::find(list.begin(), list.end(), activated);
    if (other == list.end()) return;
    const auto self = std::find(list.begin(), list.end(), this);
    if (other < self) ClosePopup();
    return;
  }
  CloseAllPopups();
}

// ----- TvgPopupItem

TvgPopupItem::TvgPopupItem(rtl::TComponent* owner) : TvgControl(owner) {
  FPopup = new TvgPopup(this);
  FPopup->SetStored(false);
  FPopup->SetLocked(true);
  FPopup->SetDesignHide(true);
  FPopup->SetPlacementTarget(this);
  FPopup->OnClosePopup = [this](rtl::TObject* sender) { PopupClosed(sender); };
  inherited::AddObject(FPopup);
}

TvgPopupItem::~TvgPopupItem() { TearDown(); }

void TvgPopupItem::Publish(rtl::TPublisher<TvgPopupItem>& p) {
  using T = TvgPopupItem;
  p.Property("Placement", &T::Placement, &T::SetPlacement).Default(vgPlacementBottom);
  p.Property("HorizontalOffset", &T::HorizontalOffset, &T::SetHorizontalOffset);
  p.Property("VerticalOffset", &T::VerticalOffset, &T::SetVerticalOffset);
}

void TvgPopupItem::AddObject(TvgObject* child) {
  const bool own = !FPopup || child == FPopup || child == ResourceLink() ||
                   child->InheritsFrom(TvgEffect::StaticClass()) || child->InheritsFrom(TvgAnimation::StaticClass());
  if (own)
    inherited::AddObject(child);
  else
    FPopup->AddObject(child);
}

void TvgPopupItem::GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) {
  inherited::GetChildren(proc, root);
  if (FPopup)
    for (TvgObject* child : FPopup->Children())
      if (child->Stored()) proc(child);
}

void TvgPopupItem::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineProperty(
      "PopupSize",
      [this](rtl::TReader& reader) {
        const TvgRect r = vgStringToRect(reader.ReadString());
        FPopup->SetBounds(FPopup->Position()->X(), FPopup->Position()->Y(), vgRectWidth(r), vgRectHeight(r));
      },
      [this](rtl::TWriter& writer) { writer.WriteString(vgRectToString(FPopup->GetLocalRect())); }, true);
}

void TvgPopupItem::CopyPlacement() {
  FPopup->SetPlacement(FPlacement);
  FPopup->SetHorizontalOffset(FHorizontalOffset);
  FPopup->SetVerticalOffset(FVerticalOffset);
}

void TvgPopupItem::SetPlacement(TvgPlacement value) {
  if (value == FPlacement) return;
  FPlacement = value;
  CopyPlacement();
}

void TvgPopupItem::SetHorizontalOffset(float value) {
  if (value == FHorizontalOffset) return;
  FHorizontalOffset = value;
  CopyPlacement();
}

void TvgPopupItem::SetVerticalOffset(float value) {
  if (value == FVerticalOffset) return;
  FVerticalOffset = value;
  CopyPlacement();
}

void TvgPopupItem::Realign() {
  inherited::Realign();
  if (!FPopup) return;
  CopyPlacement();
  IvgScene* scene = GetScene();
  if (scene && scene->GetDesignTime() && !FPopup->DesignHide()) FPopup->ApplyPlacement();
}

void TvgPopupItem::DesignClick() {
  const bool hide = !FPopup->DesignHide();
  FPopup->SetDesignHide(hide);
  FPopup->SetLocked(hide);
  Realign();
  Repaint();
}

void TvgPopupItem::MouseEnter() {
  inherited::MouseEnter();
  if (FPopup->IsOpen()) return;
  CopyPlacement();
  FPopup->SetIsOpen(true);
}

bool TvgPopupItem::CursorOverPopupOrItem() {
  if (IvgPopupWindow* window = FPopup->PopupWindow()) {
    if (!g_platform) return false;
    const TvgPoint cursor = g_platform->CursorPos();
    return vgPtInRect(cursor, window->Bounds());
  }
  IvgScene* scene = GetScene();
  if (!scene) return false;
  const TvgPoint mouse = scene->GetMousePos();
  return FPopup->PointInObject(mouse.X, mouse.Y) || PointInObject(mouse.X, mouse.Y);
}

void TvgPopupItem::MouseLeave() {
  inherited::MouseLeave();
  if (FPopup->IsOpen() && !CursorOverPopupOrItem()) FPopup->SetIsOpen(false);
}

void TvgPopupItem::PopupClosed(rtl::TObject*) {
  std::vector<TvgObject*> nodes;
  FPopup->AddObjectsToList(nodes);
  for (TvgObject* node : nodes)
    if (node != FPopup && node->InheritsFrom(TvgPopupItem::StaticClass())) static_cast<TvgPopupItem*>(node)->MouseLeave();
}

// ----- TvgMessagePopup

TvgMessagePopup::TvgMessagePopup(rtl::TComponent* owner) : TvgPopup(owner) {
  SetStaysOpen(true);
  SetDragWithParent(true);
}

void TvgMessagePopup::Publish(rtl::TPublisher<TvgMessagePopup>& p) {
  using T = TvgMessagePopup;
  p.Property("StaysOpen", &T::StaysOpen, &T::SetStaysOpen).Default(true);
  p.Property("DragWithParent", &T::DragWithParent, &T::SetDragWithParent).Default(true);
  p.Property("DisableScene", &T::DisableScene, &T::SetDisableScene).Default(true);
}

void TvgMessagePopup::ApplyPlacement() {
  if (TvgVisualObject* target = PlacementTarget()) {
    SetHorizontalOffset((target->Width() - Width()) / 2);
  } else if (auto* scene = dynamic_cast<TvgCustomScene*>(OwnerScene())) {
    const TvgPoint origin = scene->LocalToScreen({0, 0});
    TvgBounds* r = PlacementRectangle();
    r->SetLeft(origin.X);
    r->SetTop(origin.Y);
    r->SetRight(origin.X + Width());
    r->SetBottom(origin.Y);
    SetHorizontalOffset((float(scene->Width()) - Width()) / 2);
  }
  inherited::ApplyPlacement();
}

TvgModalResult TvgMessagePopup::PopupModal() {
  IvgScene* scene = OwnerScene();
  TvgObject* root = FDisableScene && scene ? scene->GetRoot() : nullptr;
  TvgVisualObject* visualRoot = root && root->IsVisual() ? root->Visual() : nullptr;
  if (!visualRoot) return inherited::PopupModal();
  const bool wasEnabled = visualRoot->Enabled();
  visualRoot->SetEnabled(false);
  TvgModalResult result = 0;
  try {
    result = inherited::PopupModal();
  } catch (...) {
    visualRoot->SetEnabled(wasEnabled);
    throw;
  }
  visualRoot->SetEnabled(wasEnabled);
  return result;
}

void RegisterPopupClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterVGObjects("Popups", {TvgPopup::StaticClass(), TvgPopupItem::StaticClass(),
                               TvgMessagePopup::StaticClass()});
}

}  // namespace vg
