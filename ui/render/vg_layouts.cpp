// Layouts: the plain container, grid flow, scaling, split and the host of a
// window control.
#include "ui/render/vg_layouts.h"

#include <utility>

#include "platform/rtl/Rounding.h"
#include "ui/render/vg_objects.h"
#include "ui/render/vg_scrollbox.h"

namespace vg {

namespace {

constexpr std::uint32_t kVisibleCheckMs = 100;

bool DesignTime(TvgVisualObject& node) {
  IvgScene* scene = node.GetScene();
  return scene && scene->GetDesignTime();
}

}  // namespace

// ----- TvgLayout

TvgLayout::TvgLayout(rtl::TComponent* owner) : TvgVisualObject(owner) { SetHitTest(false); }

void TvgLayout::Publish(rtl::TPublisher<TvgLayout>& p) {
  p.Property("HitTest", &TvgLayout::HitTest, &TvgLayout::SetHitTest).Default(false);
}

void TvgLayout::Paint() {
  if (vgPaintsDesignFrame(*this)) vgDrawDesignFrame(*this, *GetCanvas());
}

// ----- TvgGridLayout

void TvgGridLayout::Publish(rtl::TPublisher<TvgGridLayout>& p) {
  using T = TvgGridLayout;
  p.Property("ItemWidth", &T::ItemWidth, &T::SetItemWidth);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight);
  p.Property("Orientation", &T::Orientation, &T::SetOrientation);
}

template <class T>
void TvgGridLayout::Update(T& field, T value) {
  if (field == value) return;
  field = value;
  Realign();
}

void TvgGridLayout::SetItemWidth(float value) { Update(FItemWidth, value); }
void TvgGridLayout::SetItemHeight(float value) { Update(FItemHeight, value); }
void TvgGridLayout::SetOrientation(TvgOrientation value) { Update(FOrientation, value); }

void TvgGridLayout::Realign() {
  if (FAligning) return;
  FAligning = true;
  const TvgRect margins = Margins()->GetRect();
  TvgPoint cursor{margins.Left, margins.Top};
  for (TvgObject* node : Children()) {
    if (!node->IsVisual()) continue;
    TvgVisualObject* child = node->Visual();
    const TvgRect pad = child->Padding()->GetRect();
    child->SetBounds(cursor.X + pad.Left, cursor.Y + pad.Top, FItemWidth - pad.Left - pad.Right,
                     FItemHeight - pad.Top - pad.Bottom);
    if (FOrientation == vgHorizontal) {
      cursor.X += FItemWidth;
      if (Width() - margins.Left - margins.Right < cursor.X + FItemWidth) {
        cursor.X = margins.Left;
        cursor.Y += FItemHeight;
      }
    } else {
      cursor.Y += FItemHeight;
      if (Height() - margins.Top - margins.Bottom < cursor.Y + FItemHeight) {
        cursor.Y = margins.Top;
        cursor.X += FItemWidth;
      }
    }
  }
  FAligning = false;
}

// ----- TvgScaledLayout

TvgScaledLayout::TvgScaledLayout(rtl::TComponent* owner) : TvgVisualObject(owner) {
  FOriginalWidth = vgMaxFloat(Width(), 1);
  FOriginalHeight = vgMaxFloat(Height(), 1);
}

void TvgScaledLayout::Publish(rtl::TPublisher<TvgScaledLayout>& p) {
  using T = TvgScaledLayout;
  p.Property("OriginalWidth", &T::OriginalWidth, &T::SetOriginalWidth);
  p.Property("OriginalHeight", &T::OriginalHeight, &T::SetOriginalHeight);
}

bool TvgScaledLayout::InDesignMode() { return DesignTime(*this); }

void TvgScaledLayout::SetOriginalWidth(float value) {
  if (value == FOriginalWidth) return;
  FOriginalWidth = vgMaxFloat(value, 1);
  RecalcAbsolute();
}

void TvgScaledLayout::SetOriginalHeight(float value) {
  if (value == FOriginalHeight) return;
  FOriginalHeight = vgMaxFloat(value, 1);
  RecalcAbsolute();
}

void TvgScaledLayout::FollowSizeOrRecalc() {
  if (InDesignMode()) {
    SetOriginalWidth(Width());
    SetOriginalHeight(Height());
  } else {
    RecalcAbsolute();
  }
}

void TvgScaledLayout::SetWidth(float value) {
  inherited::SetWidth(value);
  FollowSizeOrRecalc();
}

void TvgScaledLayout::SetHeight(float value) {
  inherited::SetHeight(value);
  FollowSizeOrRecalc();
}

TvgMatrix TvgScaledLayout::GetChildrenMatrix() {
  if (InDesignMode()) {
    FOriginalWidth = vgMaxFloat(Width(), 1);
    FOriginalHeight = vgMaxFloat(Height(), 1);
  }
  TvgMatrix m = IdentityMatrix;
  m.m11 = Width() / FOriginalWidth;
  m.m22 = Height() / FOriginalHeight;
  return m;
}

void TvgScaledLayout::Realign() {
  inherited::Realign();
  if (InDesignMode()) return;
  RecalcAbsolute();
  RecalcUpdateRect();
}

void TvgScaledLayout::Paint() {
  if (vgPaintsDesignFrame(*this)) vgDrawDesignFrame(*this, *GetCanvas());
  inherited::Paint();
}

// ----- TvgSplitLayout

TvgSplitLayout::TvgSplitLayout(rtl::TComponent* owner) : TvgVisualObject(owner) {
  SetHitTest(false);
}

void TvgSplitLayout::Publish(rtl::TPublisher<TvgSplitLayout>& p) {
  p.Property("HitTest", &TvgSplitLayout::HitTest, &TvgSplitLayout::SetHitTest).Default(false);
}

// ----- TvgNonVGLayout

TvgNonVGLayout::~TvgNonVGLayout() {
  FVisibleTimer.reset();
  if (FControl) FControl->RemoveFreeNotification(this);
}

void TvgNonVGLayout::Publish(rtl::TPublisher<TvgNonVGLayout>& p) {
  p.Property("NonVGControl", &TvgNonVGLayout::NonVGControl, &TvgNonVGLayout::SetControl);
}

void TvgNonVGLayout::SetControl(rtl::TComponent* value) {
  if (value == FControl) return;
  if (value && !dynamic_cast<IvgWindowControl*>(value)) return;
  if (FControl) FControl->RemoveFreeNotification(this);
  FControl = value;
  if (FControl) FControl->FreeNotification(this);
  SyncVisibleTimer();
  Realign();
}

void TvgNonVGLayout::SyncVisibleTimer() {
  IvgWindowControl* window = Window();
  const bool shown = window && window->GetVisible();
  if (shown && !FVisibleTimer)
    FVisibleTimer = vgAniClock().StartTimer(kVisibleCheckMs, [this] { DoVisibleTimer(); });
  else if (!shown)
    FVisibleTimer.reset();
}

void TvgNonVGLayout::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == FControl) {
    FControl = nullptr;
    FVisibleTimer.reset();
  }
}

void TvgNonVGLayout::PlaceControl() {
  IvgWindowControl* window = Window();
  if (!window || !window->GetVisible()) return;
  const TvgRect r = GetAbsoluteRect();
  window->SetBounds(int(rtl::Round(r.Left)), int(rtl::Round(r.Top)),
                    int(rtl::Round(vgRectWidth(r))), int(rtl::Round(vgRectHeight(r))));
}

void TvgNonVGLayout::Realign() {
  inherited::Realign();
  PlaceControl();
}

void TvgNonVGLayout::MatrixChanged(rtl::TObject* sender) {
  inherited::MatrixChanged(sender);
  PlaceControl();
}

bool TvgNonVGLayout::CheckParentVisible() {
  const bool visible = inherited::CheckParentVisible();
  IvgWindowControl* window = Window();
  if (window && window->GetVisible() != visible) {
    window->SetVisible(visible);
    SyncVisibleTimer();
    if (visible) Realign();
  }
  return visible;
}

void TvgNonVGLayout::DoVisibleTimer() { CheckParentVisible(); }

// ----- registration

void RegisterLayoutClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterVGObjects("Layout", {TvgLayout::StaticClass(), TvgScaledLayout::StaticClass(),
                               TvgGridLayout::StaticClass(), TvgSplitLayout::StaticClass()});
  RegisterVGObjects("Layout", {TvgNonVGLayout::StaticClass()});
  RegisterScrollBoxClasses();
}

}  // namespace vg
