#include "ui/core/vg_scene.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Rounding.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_designer.h"
#include "ui/core/vg_effects.h"
#include "ui/core/vg_keys.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_frame.h"
#include "ui/core/vg_imagelist.h"
#include "ui/core/vg_popup.h"
#include "ui/core/vg_translate.h"
#include "ui/core/vg_widestrings.h"

namespace vg {

namespace {

constexpr float kWholeArea = 65535;
constexpr TvgColor kUpdateRectOutline = 0x9000FF00;
constexpr std::uint16_t kDialogKeys[] = {kKeyEscape, kKeyEnter, kKeyLeft,  kKeyUp,  kKeyRight,
                                         kKeyDown,   kKeyHome,  kKeyEnd,   kKeyAdd, kKeySubtract};

// The letter of an editing shortcut's control character (Ctrl+A, C, V, X,
// Z), else 0.
char16_t EditingLetter(char16_t ch) {
  switch (ch) {
    case 1: return u'a';
    case 3: return u'c';
    case 22: return u'v';
    case 24: return u'x';
    case 26: return u'z';
    default: return 0;
  }
}

TvgVisualObject*& CurrentDropTarget() {
  static TvgVisualObject* target = nullptr;
  return target;
}

bool IsQuarterTurn(float angle) { return angle == 90 || angle == -90 || angle == 270 || angle == -270; }

TvgRect WholeNumbers(const TvgRect& r) {
  return {std::trunc(r.Left), std::trunc(r.Top), std::trunc(r.Right) + 1, std::trunc(r.Bottom) + 1};
}

TvgVisualObject* VisualOf(TvgObject* node) { return node && node->IsVisual() ? node->Visual() : nullptr; }

}  // namespace

TvgCustomScene::TvgCustomScene(rtl::TComponent* owner)
    : rtl::TComponent(owner), FWindow(&FNullWindow), FFill(new TvgBrush(vgBrushNone, 0xFF000000)) {
  AddScene(this);
  if (vgDesigner) vgDesigner->AddScene(this);
  if (DefaultCanvasClass && DefaultCanvasClass->Create) FCanvas.reset(DefaultCanvasClass->Create(FWidth, FHeight));
  if (FCanvas) FCanvas->SetScene(this);
  FFill->OnChanged = [this](rtl::TObject* sender) { FillChanged(sender); };
  ++SceneCount();
}

TvgCustomScene::~TvgCustomScene() {
  FPostedDraw.reset();
  FShowTimer.reset();
  if (FStyle) FStyle->RemoveSceneUpdater(this);
  FStyle = nullptr;
  if (--SceneCount() == 0) vgFreeAniThread();
  IncludeState(rtl::csDestroying);
  DeleteChildren();
  FFill.reset();
  FCanvas.reset();
  RemoveScene(this);
  if (vgDesigner) vgDesigner->RemoveScene(this);
}

int& TvgCustomScene::SceneCount() {
  static int count = 0;
  return count;
}

void TvgCustomScene::Publish(rtl::TPublisher<TvgCustomScene>& p) {
  using T = TvgCustomScene;
  p.Property("Fill", &T::Fill, &T::SetFill);
  p.Property("Transparency", &T::Transparency, &T::SetTransparency).Default(false);
  p.Property("Style", &T::Style, &T::SetStyle);
  p.Property("ActiveControl", &T::ActiveControl, &T::SetActiveControl);
  p.Property("AnimatedCaret", &T::AnimatedCaret, &T::SetAnimatedCaret).Default(true);
  p.Property("DesignSnapGridShow", &T::SnapGridShow, &T::SetSnapGridShow);
  p.Property("DesignSnapToGrid", &T::SnapToGrid, &T::SetSnapToGrid);
  p.Property("DesignSnapToLines", &T::SnapToLines, &T::SetSnapToLines);
}

// ----- window and size

void TvgCustomScene::SetWindow(IvgSceneWindow* window) {
  FWindow = window ? window : &FNullWindow;
  FWindow->SetTransparent(FTransparency);
}

void TvgCustomScene::HandleCreated() {
  if (FCanvas) FCanvas->ResizeBuffer(FWidth, FHeight);
  RealignRoot();
  AddUpdateRect({0, 0, float(FWidth), float(FHeight)});
  if (Layered()) AddUpdateRect({0, 0, kWholeArea, kWholeArea});
}

void TvgCustomScene::SetBounds(int, int, int width, int height) {
  FWidth = width;
  FHeight = height;
  if (FCanvas && (FWindow->HandleAllocated() || Embedded())) {
    FCanvas->ResizeBuffer(width, height);
    RealignRoot();
  }
}

void TvgCustomScene::PaintRects(const std::vector<TvgRect>& rects) {
  if (FDrawing || Layered()) return;
  FUpdateRects = rects;
  FPainting = true;
  Draw();
  FPainting = false;
}

void TvgCustomScene::Loaded() {
  inherited::Loaded();
  FShowTimer = vgStartOneShot(1, [this] {
    auto timer = std::move(FShowTimer);
    AddUpdateRect({0, 0, kWholeArea, kWholeArea});
  });
}

// ----- embedded mode

void TvgCustomScene::CreateEmbedded(int width, int height, rtl::TNotifyEvent onFlush) {
  FOnFlush = std::move(onFlush);
  FWidth = width;
  FHeight = height;
  if (FCanvas) FCanvas->ResizeBuffer(width, height);
  RealignRoot();
  AddUpdateRect({0, 0, float(width), float(height)});
}

void TvgCustomScene::EmbeddedMouseDown(TvgMouseButton button, TvgShiftState shift, int x, int y) {
  MouseDown(button, shift, float(x), float(y));
}
void TvgCustomScene::EmbeddedMouseMove(TvgShiftState shift, int x, int y) { MouseMove(shift, float(x), float(y)); }
void TvgCustomScene::EmbeddedMouseUp(TvgMouseButton button, TvgShiftState shift, int x, int y) {
  MouseUp(button, shift, float(x), float(y));
}
bool TvgCustomScene::EmbeddedMouseWheel(TvgShiftState shift, int delta) { return DoMouseWheel(shift, delta); }
void TvgCustomScene::EmbeddedKeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  UnicodeKeyDown(key, keyChar, shift);
}
void TvgCustomScene::EmbeddedKeyUp(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  UnicodeKeyUp(key, keyChar, shift);
}

void TvgCustomScene::UpdateBuffer() {
  FUpdateRects = {{0, 0, float(FWidth), float(FHeight)}};
  Draw();
}

// ----- root nodes

void TvgCustomScene::AddObject(TvgObject* node) {
  if (!node) return;
  if (node->Parent()) node->Parent()->RemoveObject(node);
  FChildren.push_back(node);
  node->SetNewScene(this);
  if (TvgVisualObject* visual = VisualOf(node); visual && !ComponentState().Contains(rtl::csDestroying)) {
    visual->RecalcUpdateRect();
    visual->RecalcAbsolute();
    visual->Repaint();
    RealignRoot();
  }
}

void TvgCustomScene::RemoveObject(TvgObject* node) {
  auto it = std::find(FChildren.begin(), FChildren.end(), node);
  if (it == FChildren.end()) return;
  FWindow->Invalidate({0, 0, float(FWidth), float(FHeight)});
  vgLeaveScene(*this, node);
  node->SetNewScene(nullptr);
  FChildren.erase(std::find(FChildren.begin(), FChildren.end(), node));
}

void TvgCustomScene::DeleteChildren() {
  while (!FChildren.empty()) {
    TvgObject* node = FChildren.front();
    FChildren.erase(FChildren.begin());
    node->SetNewScene(nullptr);
    Forget(node);
    node->Free();
  }
}

TvgObject* TvgCustomScene::GetRoot() { return FChildren.empty() ? nullptr : FChildren.front(); }

TvgObject* TvgCustomScene::GetChildrenObject(int index) const {
  return index >= 0 && index < GetCount() ? FChildren[static_cast<std::size_t>(index)] : nullptr;
}

void TvgCustomScene::GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent*) {
  for (TvgObject* node : FChildren)
    if (node->Stored()) proc(node);
}

void TvgCustomScene::RealignRoot() {
  TvgVisualObject* root = VisualOf(GetRoot());
  if (!root) return;
  const float w = float(FWidth), h = float(FHeight);
  const float sx = root->Scale()->X(), sy = root->Scale()->Y();
  if (IsQuarterTurn(root->RotateAngle()))
    root->SetBounds((w - h) / 2, (h - w) / 2, h / sy, w / sx);
  else
    root->SetBounds(0, 0, w / sx, h / sy);
}

TvgVisualObject* TvgCustomScene::ObjectByPoint(float x, float y) {
  for (auto it = FChildren.rbegin(); it != FChildren.rend(); ++it) {
    TvgVisualObject* root = VisualOf(*it);
    if (!root) return nullptr;
    if (!root->Visible()) continue;
    if (TvgVisualObject* hit = root->ObjectByPoint(x, y)) return hit;
  }
  return nullptr;
}

// ----- references

void TvgCustomScene::Forget(rtl::TComponent* component) {
  if (component == FActiveControl) FActiveControl = nullptr;
  if (component == FCaptured) FCaptured = nullptr;
  if (component == FHovered) FHovered = nullptr;
  if (component == FFocused) FFocused = nullptr;
  if (component == FStyle) SetStyle(nullptr);
  if (component == FDragSource) FDragSource = nullptr;
  if (component == FSelected) FSelected = nullptr;
  std::erase(FDesignGridLines, component);
  if (component == CurrentDropTarget()) CurrentDropTarget() = nullptr;
}

void TvgCustomScene::Notification(TvgObject* node, rtl::TOperation operation) {
  if (operation == rtl::opRemove) Forget(node);
}

void TvgCustomScene::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove) Forget(component);
}

// ----- state

void TvgCustomScene::FillChanged(rtl::TObject*) {
  FUpdateRects.clear();
  AddUpdateRect({0, 0, float(FWidth), float(FHeight)});
}

void TvgCustomScene::SetTransparency(bool value) {
  if (value == FTransparency) return;
  FTransparency = value;
  FWindow->SetTransparent(value);
  AddUpdateRect({0, 0, 10000, 10000});
}

void TvgCustomScene::SetStyle(TvgResources* value) {
  if (value == FStyle) return;
  if (FStyle) {
    FStyle->RemoveSceneUpdater(this);
    FStyle->RemoveFreeNotification(this);
  }
  FStyle = value;
  if (FStyle) {
    FStyle->AddSceneUpdater(this);
    FStyle->FreeNotification(this);
  }
  UpdateResource();
}

void TvgCustomScene::UpdateResource() {
  if (TvgObject* root = GetRoot()) root->UpdateResource();
}

void TvgCustomScene::SetActiveControl(TvgVisualObject* value) {
  FActiveControl = value;
  if (FActiveControl && !ComponentState().Contains(rtl::csLoading)) FActiveControl->SetFocus();
}

void TvgCustomScene::SetFocused(TvgVisualObject* node) {
  if (node == FFocused) return;
  if (TvgVisualObject* old = std::exchange(FFocused, nullptr)) old->KillFocus();
  FFocused = node;
  if (FFocused) FFocused->EnterFocus();
}

void TvgCustomScene::SetCaptured(TvgVisualObject* node) {
  FCaptured = node;
  if (!Embedded()) FWindow->SetMouseCapture(node != nullptr);
}

TvgPoint TvgCustomScene::LocalToScreen(TvgPoint p) {
  return FWindow->ClientToScreen({std::trunc(p.X), std::trunc(p.Y)});
}

void TvgCustomScene::SetHovered(TvgVisualObject* node) {
  if (node == FHovered) return;
  if (TvgVisualObject* old = std::exchange(FHovered, nullptr)) old->MouseLeave();
  FHovered = node;
  if (FHovered) FHovered->MouseEnter();
}

// ----- input

void TvgCustomScene::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  if (!Embedded()) FWindow->TakeFocus();
  FMousePos = {SnapToGridValue(x), SnapToGridValue(y)};
  FDownPos = FMousePos;
  if (GetDesignTime() && DesignMouseDown(button, x, y)) return;
  TvgVisualObject* node = ObjectByPoint(x, y);
  if (!node) {
    BeginDrag();
  } else if (dynamic_cast<IvgSizeGrip*>(node)) {
    BeginResize();
  } else {
    const TvgPoint p = node->AbsoluteToLocal({x, y});
    node->MouseDown(button, shift, p.X, p.Y);
    if (node->DragMode() == vgDragAutomatic) node->BeginAutoDrag();
  }
}

void TvgCustomScene::BeginDrag() {
  if (FWindow->ParentTag() == 0xFFFF) return;
  FDragging = true;
  FWindow->SetMouseCapture(true);
}

void TvgCustomScene::BeginResize() {
  FResizing = true;
  const TvgRect owner = FWindow->OwnerBounds();
  FResizeSize = {vgRectWidth(owner), vgRectHeight(owner)};
  FWindow->SetMouseCapture(true);
}

// The owner follows the mouse by what it moved since the press (its
// client point stays under the mouse) or grows by what it moved since the
// last move.
bool TvgCustomScene::MoveOrSizeOwner(float x, float y) {
  if (!FDragging && !FResizing) return false;
  const TvgRect owner = FWindow->OwnerBounds();
  if (FDragging) {
    const float left = rtl::Round(owner.Left + x - FDownPos.X), top = rtl::Round(owner.Top + y - FDownPos.Y);
    FWindow->SetOwnerBounds({left, top, left + vgRectWidth(owner), top + vgRectHeight(owner)});
    return true;
  }
  FResizeSize.X += rtl::Round(x - FMousePos.X);
  FResizeSize.Y += rtl::Round(y - FMousePos.Y);
  FWindow->SetOwnerBounds({owner.Left, owner.Top, owner.Left + FResizeSize.X, owner.Top + FResizeSize.Y});
  FWindow->SetCursor(vgCursorSizeNWSE);
  FMousePos = {x, y};
  return true;
}

void TvgCustomScene::MouseMove(TvgShiftState shift, float x, float y) {
  if (MoveOrSizeOwner(x, y)) return;
  if (GetDesignTime() && DesignMouseMove(x, y)) return;
  FMousePos = {x, y};
  if (FCaptured) {
    const TvgPoint p = FCaptured->AbsoluteToLocal({x, y});
    FCaptured->MouseMove(shift, p.X, p.Y, 0, 0);
    return;
  }
  std::int16_t cursor = FLoadCursor;
  TvgVisualObject* node = ObjectByPoint(x, y);
  if (node) {
    FHint = node->ShowHint() ? node->Hint() : rtl::WideString();
    cursor = dynamic_cast<IvgSizeGrip*>(node) ? vgCursorSizeNWSE : node->Cursor();
  }
  SetHovered(node);
  if (node) {
    const TvgPoint p = node->AbsoluteToLocal({x, y});
    node->MouseMove(shift, p.X, p.Y, 0, 0);
  }
  FWindow->SetCursor(cursor);
  FDownPos = FMousePos;
}

void TvgCustomScene::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  if (FDragging || FResizing) {
    FDragging = FResizing = false;
    FWindow->SetMouseCapture(FCaptured != nullptr);
  }
  if (GetDesignTime() && DesignMouseUp()) return;
  TvgVisualObject* node = FCaptured ? FCaptured : ObjectByPoint(FMousePos.X, FMousePos.Y);
  if (!node) return;
  const TvgPoint p = node->AbsoluteToLocal({x, y});
  node->MouseUp(button, shift, p.X, p.Y);
}

bool TvgCustomScene::DoMouseWheel(TvgShiftState shift, int delta) {
  bool handled = false;
  if (FCaptured) {
    FCaptured->MouseWheel(shift, delta, handled);
    return handled;
  }
  for (TvgObject* node = ObjectByPoint(FMousePos.X, FMousePos.Y); node && node->IsVisual() && !handled;
       node = node->Parent())
    node->Visual()->MouseWheel(shift, delta, handled);
  return handled;
}

void TvgCustomScene::MouseLeaveWindow() { SetHovered(nullptr); }

void TvgCustomScene::MouseCaptureLost() {
  FCaptured = nullptr;
  FDragging = FResizing = false;
}

void TvgCustomScene::UnicodeKeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  TvgVisualObject* root = VisualOf(GetRoot());
  if (root && std::find(std::begin(kDialogKeys), std::end(kDialogKeys), key) != std::end(kDialogKeys)) {
    root->DialogKey(key, shift);
    if (key == 0) return;
  }
  if (key == kKeyEscape && FWindow->CancelModalOwner()) {
    key = 0;
    return;
  }
  if (key == vgKeyTab && root) {
    key = 0;
    TabNext(shift & vgShift);
    return;
  }
  if (TvgVisualObject* focused = KeyTarget()) focused->KeyDown(key, keyChar, shift);
}

void TvgCustomScene::UnicodeKeyUp(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  if (GetDesignTime() && key == kKeyDelete) DeleteSelected();
  if (TvgVisualObject* focused = KeyTarget()) focused->KeyUp(key, keyChar, shift);
}

TvgVisualObject* TvgCustomScene::KeyTarget() {
  return FFocused && FFocused->CheckParentVisible() && FFocused->GetAbsoluteEnabled() ? FFocused : nullptr;
}

void TvgCustomScene::KeyChar(char16_t keyChar, TvgShiftState shift) {
  std::uint16_t key = 0;
  if (const char16_t letter = EditingLetter(keyChar)) {
    char16_t ch = letter;
    UnicodeKeyDown(key, ch, shift);
    key = 0;
    ch = letter;
    UnicodeKeyUp(key, ch, shift);
  } else if (keyChar != 13) {
    UnicodeKeyDown(key, keyChar, shift);
  }
}

bool TvgCustomScene::ImeCaret(TvgRect& area) {
  if (!FFocused) return false;
  const TvgPoint local = FFocused->ImeCaretPoint();
  const TvgVisualObject* caret = FFocused->Caret();
  const float height = caret ? caret->Height() : 0;
  const TvgPoint top = FFocused->LocalToAbsolute(local);
  const TvgPoint bottom = FFocused->LocalToAbsolute({local.X, local.Y + height});
  area = {std::trunc(top.X), std::trunc(top.Y), std::trunc(top.X) + 1,
          std::max(std::trunc(bottom.Y), std::trunc(top.Y) + 1)};
  return true;
}

void TvgCustomScene::ImeResult(const rtl::WideString& text) {
  for (char16_t ch : text) {
    std::uint16_t key = 0;
    UnicodeKeyDown(key, ch, 0);
  }
}

bool TvgCustomScene::HintAt(float x, float y, rtl::WideString& text, TvgRect& area) {
  TvgVisualObject* node = ObjectByPoint(x, y);
  if (!node || !node->ShowHint()) return false;
  text = node->Hint();
  const TvgRect r = node->GetAbsoluteRect();
  area = {std::trunc(r.Left), std::trunc(r.Top), std::trunc(r.Right), std::trunc(r.Bottom)};
  return true;
}

// ----- drag and drop

TvgVisualObject* TvgCustomScene::DropTarget() { return CurrentDropTarget(); }

void TvgCustomScene::SetDropTarget(TvgVisualObject* target) { CurrentDropTarget() = target; }

void TvgCustomScene::BeginVCLDrag(TvgObject* source, TvgBitmap*) {
  FDragSource = source;
  FWindow->BeginDrag(source);
}

bool TvgCustomScene::DragOver(const TvgDragObject& data, TvgPoint point, bool internal) {
  TvgVisualObject* root = VisualOf(GetRoot());
  if (!root) return false;
  TvgVisualObject* target = root->FindTarget(point, data);
  TvgVisualObject* current = DropTarget();
  if (internal && target && target == data.Source) {
    if (current) current->DragLeave();
    SetDropTarget(nullptr);
    return false;
  }
  bool accept = false;
  if (internal && current) current->DragOver(data, point, accept);
  if (target != current) {
    if (current) current->DragLeave();
    SetDropTarget(target);
    if (target) target->DragEnter(data, point);
  }
  return internal ? accept && DropTarget() : DropTarget() != nullptr;
}

void TvgCustomScene::DragDrop(const TvgDragObject& data, TvgPoint point) {
  TvgVisualObject* target = std::exchange(CurrentDropTarget(), nullptr);
  if (target) target->DragDrop(data, point);
}

void TvgCustomScene::DragLeave() {
  TvgVisualObject* target = std::exchange(CurrentDropTarget(), nullptr);
  if (target) target->DragLeave();
}

void TvgCustomScene::EndDrag() {
  TvgObject* source = std::exchange(FDragSource, nullptr);
  if (TvgVisualObject* node = VisualOf(source)) node->DragEnd();
}

// Candidates are searched past the focused entry first and then wrap
// around, whatever the length of the list.
void TvgCustomScene::TabNext(bool backwards) {
  TvgVisualObject* root = VisualOf(GetRoot());
  if (!root) return;
  std::vector<TvgVisualObject*> list;
  root->GetTabOrderList(list, true);
  const int count = static_cast<int>(list.size());
  const auto at = std::find(list.begin(), list.end(), FFocused);
  const int f = at == list.end() ? -1 : static_cast<int>(at - list.begin());
  auto candidate = [](TvgVisualObject* n) {
    return n->CheckParentVisible() && n->CanFocused() && n->GetAbsoluteEnabled();
  };
  auto focusIn = [&](int from, int to, int step) {
    for (int i = from; i != to; i += step)
      if (candidate(list[static_cast<std::size_t>(i)])) {
        list[static_cast<std::size_t>(i)]->SetFocus();
        return true;
      }
    return false;
  };
  if (!backwards) {
    if (!focusIn(f + 1, count, 1) && f >= 0) focusIn(0, f + 1, 1);
  } else {
    const int start = f >= 0 ? f - 1 : count - 1;
    if (!focusIn(start, -1, -1) && f >= 0) focusIn(count - 1, f - 1, -1);
  }
}

// ----- dirty rectangles

bool TvgCustomScene::Layered() { return FTransparency && FWindow->ParentIsForm(); }

void TvgCustomScene::AddUpdateRect(const TvgRect& rect) {
  if (FDisableUpdate || ComponentState().Contains(rtl::csLoading) || ComponentState().Contains(rtl::csDestroying))
    return;
  if (!Embedded() && !FWindow->HandleAllocated()) return;
  if (FCanvas && FCanvas->Buffered() && !FCanvas->BufferBits()) return;
  if (vgRectWidth(rect) == 0 || vgRectHeight(rect) == 0) return;
  const TvgRect r = WholeNumbers(rect);
  TvgRect overlap;
  if (!vgIntersectRect(overlap, r, {0, 0, float(FWidth), float(FHeight)})) return;
  if (Embedded() || Layered()) {
    QueueRect(r);
    PostDraw();
  } else {
    FWindow->Invalidate(r);
  }
}

// Past the cap the queue holds its union, so it never grows while the
// posted draw waits.
void TvgCustomScene::QueueRect(const TvgRect& rect) {
  if (FUpdateRects.size() < vgMaxDirtyRects) {
    FUpdateRects.push_back(rect);
    return;
  }
  TvgRect all = rect;
  for (const TvgRect& r : FUpdateRects) all = vgUnionRect(all, r);
  FUpdateRects = {all};
}

// The class library's timer never fires a zero interval: 1 ms is the
// shortest delay that does.
void TvgCustomScene::PostDraw() {
  if (FPostedDraw) return;
  FPostedDraw = vgStartOneShot(1, [this] {
    auto posted = std::move(FPostedDraw);
    Draw();
  });
}

// ----- the draw pass

void TvgCustomScene::Draw() {
  if (FDrawing || FUpdateRects.empty()) return;
  FDrawing = true;
  ++FDrawCount;
  if (FUpdateRects.size() > vgMaxDirtyRects) {
    TvgRect all = FUpdateRects.front();
    for (const TvgRect& r : FUpdateRects) all = vgUnionRect(all, r);
    FUpdateRects = {all};
  }
  if (FCanvas && FCanvas->BeginScene()) {
    FCanvas->ResetClipRect();
    FCanvas->SetMatrix(IdentityMatrix);
    FCanvas->SetClipRects(FUpdateRects);
    DrawBackground();
    FCanvas->SetStrokeThickness(1);
    FCanvas->SetStrokeCap(vgCapFlat);
    FCanvas->SetStrokeJoin(vgJoinMiter);
    FCanvas->SetStrokeDash(vgDashSolid);
    FCanvas->Stroke()->SetStyle(vgBrushSolid);
    FCanvas->Fill()->SetStyle(vgBrushSolid);
    PaintRoots();
    if (GetDesignTime()) DrawDesignMarks();
    if (FShowUpdateRects) {
      FCanvas->ResetClipRect();
      FCanvas->Stroke()->SetStyle(vgBrushSolid);
      FCanvas->Stroke()->SetSolidColor(kUpdateRectOutline);
      for (const TvgRect& r : FUpdateRects) FCanvas->DrawRect(r, 0, 0, AllCorners, 0.5f, vgCornerRound);
    }
    FCanvas->EndScene();
  }
  Output();
  FUpdateRects.clear();
  FDrawing = false;
}

void TvgCustomScene::DrawBackground() {
  const bool clears =
      FFill->Style() == vgBrushNone || (FFill->Style() == vgBrushSolid && (FFill->SolidColor() >> 24) == 0);
  if (clears) {
    // A transparent scene clears to nothing; an opaque one to its colour
    // with no alpha. A transparent scene inside another window shows what
    // the window system composes under it.
    const TvgColor color = FTransparency ? 0 : (FFill->SolidColor() & 0x00FFFFFF);
    for (const TvgRect& r : FUpdateRects) FCanvas->ClearRect(r, color);
    return;
  }
  FCanvas->Fill()->Assign(FFill.get());
  FCanvas->FillRect({-1, -1, float(FWidth) + 1, float(FHeight) + 1}, 0, 0, AllCorners, 1, vgCornerRound);
}

void TvgCustomScene::PaintRoots() {
  for (TvgObject* node : std::vector<TvgObject*>(FChildren)) {
    TvgVisualObject* root = VisualOf(node);
    if (!root || !root->Visible()) continue;
    const TvgRect area = root->GetUpdateRect();
    const bool dirty = std::any_of(FUpdateRects.begin(), FUpdateRects.end(), [&](const TvgRect& r) {
      TvgRect overlap;
      return vgIntersectRect(overlap, area, r);
    });
    if (!dirty) continue;
    FCanvas->SetMatrix(root->GetAbsoluteMatrix());
    root->BeforePaint();
    root->Paint();
    root->AfterPaint();
    root->PaintChildren();
    root->OnPaint(root, FCanvas.get(), root->GetLocalRect());
  }
}

void TvgCustomScene::Output() {
  if (FOnFlush) {
    FOnFlush(this);
  } else if (!FPainting && FCanvas) {
    FWindow->Flush(*FCanvas, FUpdateRects);
  }
}

// ----- unit start and stop

void vgStartCore() {
  rtl::RegisterClasses<TvgBitmap, TvgPathData, TvgBrush, TvgBounds, TvgPosition, TvgGradient, TvgGradientPoints,
                       TvgGradientPoint, TvgVisual, TvgWideStringList>();
  rtl::RegisterClasses<TvgResources, TvgObject, TvgVisualObject, TvgContent, TvgControl, TvgBackground, TvgCustomScene,
                       TvgScene>();
  RegisterVGObjects("Resources",
                    {TvgBrushObject::StaticClass(), TvgPathObject::StaticClass(), TvgBitmapObject::StaticClass()});
  RegisterAnimationClasses();
  RegisterEffectClasses();
  RegisterPopupClasses();
  rtl::RegisterClasses<TvgLang, TvgImageList>();
  rtl::RegisterClasses<TvgFrame>();
  rtl::RegisterActionClasses();
}

void vgStopCore() {
  vgFreeAniThread();
  FreeDefaultStyles();
  FreeLang();
}

}  // namespace vg
