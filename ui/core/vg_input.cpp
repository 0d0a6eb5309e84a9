// Input, focus, tab order and the caret of TvgVisualObject.
#include <algorithm>
#include <memory>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TypeInfo.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_popupmenu.h"
#include "ui/core/vg_visual.h"

namespace vg {

bool GlobalDisableFocusEffect = false;
const char* vgCaretClassName = "TvgRectangle";

namespace {

constexpr TvgColor kCaretColor = 0xFF0000FF;

void SetPath(rtl::TObject* node, std::string_view path, std::string_view text) {
  if (rtl::TPropertyPath target = rtl::FindPropertyPath(node, path)) target.info->SetText(target.instance, text);
}

}  // namespace

void TvgVisualObject::RaiseTrigger(const std::string& trigger) {
  StartTriggerAnimation(this, trigger);
  ApplyTriggerEffect(this, trigger);
}

bool TvgVisualObject::FocusEffectsShown() const { return !FDisableFocusEffect && !GlobalDisableFocusEffect; }

// ----- mouse

void TvgVisualObject::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  IvgScene* scene = GetScene();
  if (scene && scene->GetDesignTime()) {
    if (shift & vgDouble) scene->SetDesignRoot(this);
  } else if (FCanFocused && !FIsFocused && (!scene || scene->GetFocused() != this)) {
    SetFocus();
  }
  OnMouseDown(this, button, shift, x, y);
  if (button == vgMouseRight) {
    const TvgPoint absolute = LocalToAbsolute({x, y});
    ContextMenu(scene ? scene->LocalToScreen(absolute) : absolute);
    return;
  }
  if (FAutoCapture) Capture();
  if (shift & vgDouble) {
    DblClick();
    FDoubleClick = true;
  } else if (button == vgMouseLeft) {
    FPressed = true;
  }
}

void TvgVisualObject::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  OnMouseMove(this, shift, x, y, dx, dy);
}

void TvgVisualObject::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  ReleaseCapture();
  OnMouseUp(this, button, shift, x, y);
  if (FPressed && !FDoubleClick && vgPtInRect({x, y}, GetLocalRect())) {
    FPressed = false;
    Click();
  }
  FPressed = false;
  FDoubleClick = false;
}

void TvgVisualObject::MouseWheel(TvgShiftState shift, int delta, bool& handled) {
  if (!OnMouseWheel) return;
  IvgScene* scene = GetScene();
  OnMouseWheel(this, shift, delta, scene ? scene->GetMousePos() : TvgPoint{0, 0}, handled);
}

void TvgVisualObject::Click() { OnClick(this); }
void TvgVisualObject::DblClick() { OnDblClick(this); }

void TvgVisualObject::MouseEnter() {
  FIsMouseOver = true;
  RaiseTrigger("IsMouseOver");
  OnMouseEnter(this);
}

void TvgVisualObject::MouseLeave() {
  FIsMouseOver = false;
  RaiseTrigger("IsMouseOver");
  OnMouseLeave(this);
}

void TvgVisualObject::Capture() {
  if (IvgScene* scene = GetScene()) scene->SetCaptured(this);
}

void TvgVisualObject::ReleaseCapture() {
  if (IvgScene* scene = GetScene(); scene && scene->GetCaptured() == this) scene->SetCaptured(nullptr);
}

// ----- keys

void TvgVisualObject::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  if (key == vgKeyMenu) {
    const TvgPoint centre = LocalToAbsolute({Width() / 2, Height() / 2});
    IvgScene* scene = GetScene();
    ContextMenu(scene ? scene->LocalToScreen(centre) : centre);
    return;
  }
  OnKeyDown(this, key, keyChar, shift);
}

void TvgVisualObject::KeyUp(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  OnKeyUp(this, key, keyChar, shift);
}

void TvgVisualObject::DialogKey(std::uint16_t& key, TvgShiftState shift) {
  for (TvgObject* child : Children()) {
    if (key == 0) return;
    if (!child->IsVisual()) continue;
    TvgVisualObject* node = child->Visual();
    if (node->Visible() && node->Enabled()) node->DialogKey(key, shift);
  }
}

void TvgVisualObject::ContextMenu(TvgPoint screenPoint) {
  IvgPopupMenu* menu = vgPopupMenuOf(FPopupMenu);
  if (!menu) return;
  menu->SetPopupComponent(this);
  menu->Popup(static_cast<int>(rtl::Round(screenPoint.X)), static_cast<int>(rtl::Round(screenPoint.Y)));
}

void TvgVisualObject::SetPopupMenu(rtl::TComponent* value) {
  if (!vgPopupMenuOf(value)) value = nullptr;
  if (value == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

// ----- drag and drop

void TvgVisualObject::DragEnter(const TvgDragObject& data, TvgPoint point) {
  FIsDragOver = true;
  Repaint();
  RaiseTrigger("IsDragOver");
  OnDragEnter(this, data, point);
}

void TvgVisualObject::DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) {
  OnDragOver(this, data, point, accept);
}

void TvgVisualObject::DragDrop(const TvgDragObject& data, TvgPoint point) {
  FIsDragOver = false;
  Repaint();
  RaiseTrigger("IsDragOver");
  OnDragDrop(this, data, point);
}

void TvgVisualObject::DragLeave() {
  FIsDragOver = false;
  Repaint();
  RaiseTrigger("IsDragOver");
  OnDragLeave(this);
}

void TvgVisualObject::DragEnd() {
  if (FDragMode == vgDragAutomatic) MouseUp(vgMouseLeft, vgLeftButton, 65535, 65535);
  OnDragEnd(this);
}

// The drag image is at most 512 x 512, drawn at 0.7 opacity.
void TvgVisualObject::BeginAutoDrag() {
  IvgScene* scene = GetScene();
  if (!scene) return;
  std::unique_ptr<TvgBitmap> shot(MakeScreenshot());
  TvgRect fitted{0, 0, float(shot->Width()), float(shot->Height())};
  if (shot->Width() > 512 || shot->Height() > 512) vgFitRect(fitted, {0, 0, 512, 512});
  TvgBitmap image(int(rtl::Round(vgRectWidth(fitted))), int(rtl::Round(vgRectHeight(fitted))));
  if (!image.IsEmpty() && !shot->IsEmpty()) {
    image.Clear(0);
    TvgCanvas* canvas = image.GetCanvas();
    if (canvas && canvas->BeginScene()) {
      canvas->DrawBitmap(*shot, {0, 0, float(shot->Width()), float(shot->Height())},
                         {0, 0, float(image.Width()), float(image.Height())}, 0.7f, true);
      canvas->EndScene();
    }
  }
  scene->BeginVCLDrag(this, &image);
}

// ----- focus

void TvgVisualObject::SetFocus() {
  if (!FCanFocused) return;
  if (OnCanFocused) {
    bool accept = true;
    OnCanFocused(this, accept);
    if (!accept) return;
  }
  if (IvgScene* scene = GetScene()) scene->SetFocused(this);
}

bool TvgVisualObject::EnterFocusChildren(TvgVisualObject*) { return false; }

void TvgVisualObject::EnterFocus() {
  if (!FCanFocused) return;
  for (TvgVisualObject* node = VisualParent(); node; node = node->VisualParent())
    if (node->EnterFocusChildren(this)) break;
  FIsFocused = true;
  RecalcUpdateRect();
  Repaint();
  OnEnterFocus(this);
  if (FocusEffectsShown()) RaiseTrigger("IsFocused");
}

void TvgVisualObject::KillFocus() {
  if (!FCanFocused) return;
  RecalcUpdateRect();
  Repaint();
  FIsFocused = false;
  OnKillFocus(this);
  if (FocusEffectsShown()) RaiseTrigger("IsFocused");
}

void TvgVisualObject::SetNewScene(IvgScene* scene) {
  if (!scene && FIsFocused)
    if (IvgScene* old = GetScene(); old && old->GetFocused() == this) old->SetFocused(nullptr);
  inherited::SetNewScene(scene);
}

// ----- tab order

std::int16_t TvgVisualObject::GetTabOrder() const {
  const TvgVisualObject* parent = VisualParent();
  if (!parent) return -1;
  auto it = std::find(parent->FTabList.begin(), parent->FTabList.end(), this);
  return it == parent->FTabList.end() ? -1 : static_cast<std::int16_t>(it - parent->FTabList.begin());
}

void TvgVisualObject::SetTabOrder(std::int16_t value) {
  if (IsLoading())
    FTabOrder = value;
  else
    UpdateTabOrder(value);
}

void TvgVisualObject::UpdateTabOrder(std::int16_t value) {
  const int current = GetTabOrder();
  if (current < 0) return;
  auto& list = VisualParent()->FTabList;
  const int target = std::clamp<int>(value, 0, static_cast<int>(list.size()) - 1);
  list.erase(list.begin() + current);
  list.insert(list.begin() + target, this);
}

void TvgVisualObject::FixupTabList() {
  if (!GetScene() || FTabList.empty()) return;
  const int count = static_cast<int>(FTabList.size());
  std::vector<TvgVisualObject*> placed(FTabList.size(), nullptr);
  for (TvgVisualObject* child : FTabList)
    if (child->FTabOrder >= 0 && child->FTabOrder < count) placed[child->FTabOrder] = child;
  for (int i = 0; i < count; ++i)
    if (placed[i]) placed[i]->UpdateTabOrder(static_cast<std::int16_t>(i));
}

void TvgVisualObject::GetTabOrderList(std::vector<TvgVisualObject*>& list, bool children) const {
  for (TvgVisualObject* entry : FTabList) {
    list.push_back(entry);
    if (children) entry->GetTabOrderList(list, true);
  }
}

// ----- caret

void TvgVisualObject::CreateCaret() {
  if (FCaret) return;
  rtl::TClass cls = rtl::GetClass(vgCaretClassName);
  if (!cls || !cls->createComponent || !cls->InheritsFrom(TvgVisualObject::StaticClass())) return;
  FCaret = static_cast<TvgVisualObject*>(cls->createComponent(this));
  FCaret->SetParent(this);
  FCaret->SetBounds(0, 0, 3, 20);
  FCaret->SetStored(false);
  FCaret->SetHitTest(false);
  FCaret->SetLocked(true);
  FCaret->SetVisible(false);
  SetPath(FCaret, "Fill.Color", vgColorToStr(kCaretColor));
  SetPath(FCaret, "Stroke.Style", "vgBrushNone");
  IvgScene* scene = GetScene();
  if (scene && scene->GetAnimatedCaret()) {
    auto* blink = new TvgFloatAnimation(FCaret);
    blink->SetParent(FCaret);
    blink->SetBindingName("caret");
    blink->SetPropertyName("Opacity");
    blink->SetStartValue(1);
    blink->SetStopValue(0);
    blink->SetDuration(0.1f);
    blink->SetLoop(true);
    blink->SetAutoReverse(true);
  }
}

void TvgVisualObject::ShowCaretProc() {
  CreateCaret();
  if (!FCaret) return;
  FCaret->SetVisible(true);
  for (TvgObject* child : FCaret->Children())
    if (auto* blink = dynamic_cast<TvgAnimation*>(child); blink && blink->BindingName() == "caret" && !blink->Running())
      blink->Start();
}

void TvgVisualObject::HideCaret() {
  if (FCaret) FCaret->SetVisible(false);
}

void TvgVisualObject::SetCaretPos(TvgPoint p) {
  CreateCaret();
  if (FCaret) FCaret->Position()->SetPoint({float(rtl::Round(p.X)), float(rtl::Round(p.Y))});
}

void TvgVisualObject::SetCaretSize(TvgPoint size) {
  CreateCaret();
  if (!FCaret) return;
  FCaret->SetWidth(size.X);
  FCaret->SetHeight(size.Y);
}

void TvgVisualObject::SetCaretColor(TvgColor color) {
  CreateCaret();
  if (!FCaret) return;
  SetPath(FCaret, "Fill.Style", "vgBrushSolid");
  SetPath(FCaret, "Fill.Color", vgColorToStr(color));
}

}  // namespace vg
