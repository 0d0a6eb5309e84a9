#pragma once
// A scene on screen: TvgSceneHost joins a TvgCustomScene to the client area
// of a form (a GTK scene window). The window's paints, size and input
// reach the scene; the scene's invalidations, mouse capture, cursor, hints,
// drags and owner moves reach the window and its form.
//
// This is the only place where the toolkit core meets the windowing layer:
// ui/core knows the window only as IvgSceneWindow, platform/gui knows the
// scene only as ISceneHost.
#include "platform/gui/Forms.h"
#include "platform/gui/SceneWindow.h"
#include "ui/core/vg_scene.h"

namespace vg {

class TvgSceneHost final : public gui::ISceneHost, public IvgSceneWindow {
 public:
  // Makes the client area of `form` show `scene`, with the toolkit's timers
  // on the program's loop (vgUseGuiTimers). Both must outlive the host; the
  // destructor detaches the scene and the form.
  TvgSceneHost(TvgCustomScene& scene, gui::TForm& form);
  ~TvgSceneHost() override;
  TvgSceneHost(const TvgSceneHost&) = delete;
  TvgSceneHost& operator=(const TvgSceneHost&) = delete;

  // --- ISceneHost: the window's side
  // Draws the dirty rectangles and returns the canvas buffer as a cairo
  // surface (the buffer is ARGB32 premultiplied, width * 4 bytes a row).
  cairo_surface_t* Paint(const std::vector<gui::TRect>& dirty) override;
  void Resized(int width, int height) override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void MouseMove(gui::TShiftState shift, int x, int y) override;
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  bool MouseWheel(gui::TShiftState shift, int delta, int screenX, int screenY) override;
  void MouseLeave() override;
  void CaptureLost() override;
  void KeyDown(std::uint16_t key, gui::TShiftState shift) override;
  void KeyUp(std::uint16_t key, gui::TShiftState shift) override;
  // Characters beyond the 16-bit range arrive as their two halves.
  void Char(char32_t character, gui::TShiftState shift) override;
  std::optional<gui::TRect> ImeCaret() override;
  void ImeResult(const rtl::WideString& text) override;
  bool QueryHint(int x, int y, rtl::WideString& text, gui::TRect& area) override;
  // Data from another program gives Files (and Data = the first name) or
  // Data = the text; a drag inside the program gives Source.
  bool DragOver(const gui::TDropData& data, int x, int y) override;
  void DragLeave() override;
  void Drop(const gui::TDropData& data, int x, int y) override;
  void InternalDragEnded(rtl::TObject* source, bool dropped) override;

  // --- IvgSceneWindow: the scene's side
  bool HandleAllocated() override;
  void Invalidate(const TvgRect& rect) override;
  // Layered scenes draw outside a paint: their rectangles are shown by
  // the next paint of the window, which copies the buffer without drawing.
  void Flush(TvgCanvas& canvas, const std::vector<TvgRect>& rects) override;
  bool ParentIsForm() override { return true; }
  // The form follows the scene's Transparency (set before its window is
  // realised when the scene is transparent from the start).
  void SetTransparent(bool transparent) override { form_.SetTransparent(transparent); }
  void SetMouseCapture(bool capture) override;
  TvgPoint ClientToScreen(TvgPoint p) override;
  void SetCursor(std::int16_t cursor) override;
  void TakeFocus() override;
  std::intptr_t ParentTag() override { return form_.Tag(); }
  TvgRect OwnerBounds() override;
  void SetOwnerBounds(const TvgRect& bounds) override;
  // The form or the nearest of its owners that runs modally.
  bool CancelModalOwner() override;
  void BeginDrag(rtl::TObject* source) override;

  // The drag data the scene's nodes see for a drop.
  static TvgDragObject DragObjectOf(const gui::TDropData& data);

 private:
  gui::TSceneWindow* Window() const { return form_.ClientWindow(); }
  TvgCustomScene& KeyScene();

  TvgCustomScene& scene_;
  gui::TForm& form_;
  bool sized_ = false;
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace vg
