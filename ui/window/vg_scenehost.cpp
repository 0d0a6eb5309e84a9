#include "ui/window/vg_scenehost.h"

#include <cairo.h>

#include <cmath>
#include <utility>

#include "ui/window/vg_guitimers.h"
#include "ui/window/vg_popupwindow.h"

namespace vg {

namespace {

TvgShiftState ShiftOf(gui::TShiftState shift) {
  TvgShiftState result = 0;
  const std::pair<gui::TShiftStateFlag, TvgShiftState> flags[] = {
      {gui::ssShift, vgShift},        {gui::ssAlt, vgAlt},
      {gui::ssCtrl, vgCtrl},          {gui::ssLeft, vgLeftButton},
      {gui::ssRight, vgRightButton},  {gui::ssMiddle, vgMiddleButton},
      {gui::ssDouble, vgDouble}};
  for (const auto& [flag, bit] : flags)
    if (shift.Contains(flag)) result |= bit;
  return result;
}

TvgMouseButton ButtonOf(gui::TMouseButton button) {
  switch (button) {
    case gui::mbRight: return vgMouseRight;
    case gui::mbMiddle: return vgMouseMiddle;
    default: return vgMouseLeft;
  }
}

gui::TRect WholeRect(const TvgRect& r) {
  return {int(std::floor(r.Left)), int(std::floor(r.Top)), int(std::ceil(r.Right)), int(std::ceil(r.Bottom))};
}

}  // namespace

TvgSceneHost::TvgSceneHost(TvgCustomScene& scene, gui::TForm& form) : scene_(scene), form_(form) {
  vgUseGuiTimers();
  scene_.SetWindow(this);
  form_.SetClientHost(this);
}

TvgSceneHost::~TvgSceneHost() {
  form_.SetClientHost(nullptr);
  scene_.SetWindow(nullptr);
  if (surface_) cairo_surface_destroy(surface_);
}

// ----- the window's side

cairo_surface_t* TvgSceneHost::Paint(const std::vector<gui::TRect>& dirty) {
  std::vector<TvgRect> rects;
  rects.reserve(dirty.size());
  for (const gui::TRect& r : dirty) rects.push_back({float(r.Left), float(r.Top), float(r.Right), float(r.Bottom)});
  scene_.PaintRects(rects);
  TvgCanvas* canvas = scene_.Canvas();
  if (!canvas || !canvas->BufferBits()) return nullptr;
  if (surface_) cairo_surface_destroy(surface_);
  surface_ = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(canvas->BufferBits()),
                                                 CAIRO_FORMAT_ARGB32, canvas->Width(), canvas->Height(),
                                                 canvas->Width() * 4);
  return surface_;
}

void TvgSceneHost::Resized(int width, int height) {
  if (surface_) cairo_surface_destroy(std::exchange(surface_, nullptr));
  scene_.SetBounds(0, 0, width, height);
  if (!sized_) {
    sized_ = true;
    scene_.HandleCreated();
  }
}

void TvgSceneHost::MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  scene_.MouseDown(ButtonOf(button), ShiftOf(shift), float(x), float(y));
}

void TvgSceneHost::MouseMove(gui::TShiftState shift, int x, int y) {
  scene_.MouseMove(ShiftOf(shift), float(x), float(y));
}

void TvgSceneHost::MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  scene_.MouseUp(ButtonOf(button), ShiftOf(shift), float(x), float(y));
}

bool TvgSceneHost::MouseWheel(gui::TShiftState shift, int delta, int, int) {
  return scene_.DoMouseWheel(ShiftOf(shift), delta);
}

void TvgSceneHost::MouseLeave() { scene_.MouseLeaveWindow(); }

void TvgSceneHost::CaptureLost() { scene_.MouseCaptureLost(); }

// Keys belong to the innermost open popup window. The window system hands
// them to the focused window, which a popup never is: under a modal form
// they would reach the form beneath the popup (and Esc cancel it).
TvgCustomScene& TvgSceneHost::KeyScene() {
  TvgCustomScene* popup = vgInnermostPopupScene();
  return popup ? *popup : scene_;
}

void TvgSceneHost::KeyDown(std::uint16_t key, gui::TShiftState shift) {
  char16_t ch = 0;
  KeyScene().UnicodeKeyDown(key, ch, ShiftOf(shift));
}

void TvgSceneHost::KeyUp(std::uint16_t key, gui::TShiftState shift) {
  char16_t ch = 0;
  KeyScene().UnicodeKeyUp(key, ch, ShiftOf(shift));
}

void TvgSceneHost::Char(char32_t character, gui::TShiftState shift) {
  TvgCustomScene& scene = KeyScene();
  if (character < 0x10000) {
    scene.KeyChar(char16_t(character), ShiftOf(shift));
    return;
  }
  const char32_t v = character - 0x10000;
  scene.KeyChar(char16_t(0xD800 + (v >> 10)), ShiftOf(shift));
  scene.KeyChar(char16_t(0xDC00 + (v & 0x3FF)), ShiftOf(shift));
}

std::optional<gui::TRect> TvgSceneHost::ImeCaret() {
  TvgRect area;
  if (!scene_.ImeCaret(area)) return std::nullopt;
  return WholeRect(area);
}

void TvgSceneHost::ImeResult(const rtl::WideString& text) { scene_.ImeResult(text); }

bool TvgSceneHost::QueryHint(int x, int y, rtl::WideString& text, gui::TRect& area) {
  TvgRect r;
  if (!scene_.HintAt(float(x), float(y), text, r)) return false;
  area = {int(r.Left), int(r.Top), int(r.Right), int(r.Bottom)};
  return true;
}

TvgDragObject TvgSceneHost::DragObjectOf(const gui::TDropData& data) {
  TvgDragObject object;
  object.Source = data.Source;
  object.Files = data.Files;
  if (!data.Files.empty())
    object.Data = data.Files.front();
  else if (!data.Text.empty())
    object.Data = data.Text;
  return object;
}

bool TvgSceneHost::DragOver(const gui::TDropData& data, int x, int y) {
  return scene_.DragOver(DragObjectOf(data), {float(x), float(y)}, data.Source != nullptr);
}

void TvgSceneHost::DragLeave() { scene_.DragLeave(); }

void TvgSceneHost::Drop(const gui::TDropData& data, int x, int y) {
  scene_.DragDrop(DragObjectOf(data), {float(x), float(y)});
}

void TvgSceneHost::InternalDragEnded(rtl::TObject*, bool) { scene_.EndDrag(); }

// ----- the scene's side

bool TvgSceneHost::HandleAllocated() { return Window() != nullptr && sized_; }

void TvgSceneHost::Invalidate(const TvgRect& rect) {
  if (gui::TSceneWindow* window = Window()) window->Invalidate(WholeRect(rect));
}

void TvgSceneHost::Flush(TvgCanvas&, const std::vector<TvgRect>& rects) {
  for (const TvgRect& r : rects) Invalidate(r);
}

void TvgSceneHost::SetMouseCapture(bool capture) {
  gui::TSceneWindow* window = Window();
  if (!window) return;
  if (capture)
    window->SetCapture();
  else
    window->ReleaseCapture();
}

TvgPoint TvgSceneHost::ClientToScreen(TvgPoint p) {
  gui::TSceneWindow* window = Window();
  if (!window) return p;
  const gui::TPoint s = window->ClientToScreen({int(p.X), int(p.Y)});
  return {float(s.X), float(s.Y)};
}

void TvgSceneHost::SetCursor(std::int16_t cursor) {
  if (gui::TSceneWindow* window = Window()) window->SetCursor(cursor);
}

void TvgSceneHost::TakeFocus() {
  if (gui::TSceneWindow* window = Window()) window->SetFocus();
}

TvgRect TvgSceneHost::OwnerBounds() {
  const gui::TRect r = form_.BoundsRect();
  return {float(r.Left), float(r.Top), float(r.Right), float(r.Bottom)};
}

void TvgSceneHost::SetOwnerBounds(const TvgRect& bounds) {
  form_.SetBounds(int(bounds.Left), int(bounds.Top), int(vgRectWidth(bounds)), int(vgRectHeight(bounds)));
}

bool TvgSceneHost::CancelModalOwner() {
  for (rtl::TComponent* owner = &form_; owner; owner = owner->Owner())
    if (auto* form = dynamic_cast<gui::TForm*>(owner); form && form->IsModal()) {
      form->SetModalResult(gui::mrCancel);
      return true;
    }
  return false;
}

void TvgSceneHost::BeginDrag(rtl::TObject* source) {
  if (gui::TSceneWindow* window = Window()) window->BeginInternalDrag(source);
}

}  // namespace vg
