#pragma once
// The window a scene lives in: a GTK drawing area (inside a form, or in a
// borderless popup window) that shows the scene's off-screen buffer and
// hands the platform's input to the scene.
//
// The scene implements ISceneHost. All coordinates it receives are integer
// pixels of the window's client area (origin top-left); the wheel's position
// is in screen pixels. Every call arrives on the UI thread; an exception a
// host call throws goes to Application->HandleException and never reaches
// GTK.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/ClickTracker.h"
#include "platform/gui/Input.h"
#include "platform/rtl/LifeToken.h"
#include "platform/rtl/Types.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _GtkWidget GtkWidget;
typedef struct _GtkIMContext GtkIMContext;
typedef struct _GdkDragContext GdkDragContext;

namespace gui {

// What a drag carries: from another program the local file names of a file
// list, kept whole, or else a text; inside the program the dragged object.
struct TDropData {
  std::vector<rtl::WideString> Files;
  rtl::WideString Text;
  rtl::TObject* Source = nullptr;
  friend bool operator==(const TDropData&, const TDropData&) = default;
};
// The drop data of a "text/uri-list": file URIs become local file names;
// other URIs are kept as they are.
TDropData DropDataFromUris(const std::vector<std::string>& uris);

class ISceneHost {
 public:
  virtual ~ISceneHost() = default;

  // Paints the dirty rectangles (client pixels, already clipped to the
  // client area) into the host's buffer and returns that buffer: a cairo
  // ARGB32 (premultiplied) image surface of the client size, owned by the
  // host and alive until the next Paint or Resized. The window copies only
  // the dirty rectangles from it. nullptr shows nothing new.
  virtual cairo_surface_t* Paint(const std::vector<TRect>& dirty) = 0;
  // The client area got this size (also once when the window first shows).
  virtual void Resized(int width, int height) = 0;

  // A press; a double-click arrives as a press with ssDouble in `shift`,
  // in the order down, up, double-click, up.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void MouseMove(TShiftState shift, int x, int y) = 0;
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
  // `delta`: 120 per notch, positive away from the user. Returns handled.
  virtual bool MouseWheel(TShiftState shift, int delta, int screenX, int screenY) = 0;
  // The pointer left the client area (not sent while the mouse is captured
  // or a button is held; sent after the release instead).
  virtual void MouseLeave() = 0;
  // The capture ended against the host's will (another grab took over).
  virtual void CaptureLost() {}

  // A key went down or up: virtual key (vk::...) and modifiers.
  virtual void KeyDown(std::uint16_t key, TShiftState shift) = 0;
  virtual void KeyUp(std::uint16_t key, TShiftState shift) = 0;
  // A typed character, as the platform's character message gives it
  // (Ctrl+C gives 3, Enter 13); follows its KeyDown.
  virtual void Char(char32_t character, TShiftState shift) = 0;

  // An input-method composition starts; the host answers where the caret
  // is (client pixels), so the candidate window opens beside it.
  virtual std::optional<TRect> ImeCaret() = 0;
  // The composition ended with this text.
  virtual void ImeResult(const rtl::WideString& text) = 0;

  // The tooltip for the point: true with the text and the area it belongs
  // to (moving out of the area asks again), false for none.
  virtual bool QueryHint(int x, int y, rtl::WideString& text, TRect& area) = 0;

  // A drag moves over the window: accept or refuse.
  virtual bool DragOver(const TDropData& data, int x, int y) = 0;
  // The drag left the window without dropping.
  virtual void DragLeave() = 0;
  // The data was dropped at (x, y) (only where DragOver last accepted).
  virtual void Drop(const TDropData& data, int x, int y) = 0;
  // An internal drag this window started is over: dropped, or refused,
  // cancelled with Escape or lost.
  virtual void InternalDragEnded(rtl::TObject* /*source*/, bool /*dropped*/) {}
};

class TSceneWindow {
 public:
  // A drawing area for `host`, to be placed by its owner (a form packs it
  // into its client area). The host must outlive the window.
  explicit TSceneWindow(ISceneHost& host);
  // A borderless popup window of its own at `screenBounds`, hidden until
  // ShowPopup. A transparent popup shows the buffer's alpha: per pixel on
  // a compositing screen, else through a shape mask (alpha 0 cut out).
  static std::unique_ptr<TSceneWindow> CreatePopup(ISceneHost& host, TRect screenBounds, bool transparent);
  ~TSceneWindow();
  TSceneWindow(const TSceneWindow&) = delete;
  TSceneWindow& operator=(const TSceneWindow&) = delete;

  // The drawing area (owned by this object; a parent may hold a reference).
  GtkWidget* Widget() const { return area_; }

  // Asks for a repaint of `rect` (client pixels); rectangles arrive merged,
  // at the next draw, in Paint's dirty list.
  void Invalidate(const TRect& rect);
  void InvalidateAll();
  int ClientWidth() const;
  int ClientHeight() const;
  TPoint ClientToScreen(TPoint point) const;

  // Routes every pointer event to this window until ReleaseCapture, even
  // outside it.
  void SetCapture();
  void ReleaseCapture();
  bool HasCapture() const { return captured_; }
  void SetCursor(TCursor cursor);
  void SetFocus();
  bool Focused() const;

  // Starts dragging `source` inside the program (call on a press): the
  // pointer is captured; each move is offered as DragOver (data with
  // Source set) to the scene window under the pointer, instead of
  // MouseMove, with DragLeave when it moves on; the release drops where
  // the last DragOver accepted; Escape cancels. InternalDragEnded ends it.
  void BeginInternalDrag(rtl::TObject* source);
  bool InternalDragging() const;

  // The window of a transparent form or popup: shows the buffer's alpha.
  void SetTransparent(bool transparent);

  // Popups only.
  void SetPopupBounds(TRect screenBounds);
  void ShowPopup();
  void HidePopup();

 private:
  struct Signals;
  friend struct Signals;
  void Connect();
  void ApplyShape(cairo_surface_t* buffer);
  bool ContainsScreenPoint(int x, int y) const;

  ISceneHost& host_;
  GtkWidget* area_ = nullptr;
  GtkWidget* popup_ = nullptr;
  GtkIMContext* im_ = nullptr;
  TClickTracker clicks_;
  bool captured_ = false;
  bool transparent_ = false;
  // The cursor last set, and on which GDK window (a new one after a
  // re-realise starts with the default).
  const void* cursorWindow_ = nullptr;
  TCursor cursor_ = 0;
  bool typing_ = false;      // a key press is being filtered by the input method
  TShiftState typingShift_;
  bool preediting_ = false;
  int width_ = 0, height_ = 0;
  // Drag from outside: data of the drag under way, and whether a drop is due.
  GdkDragContext* dragContext_ = nullptr;
  std::optional<TDropData> dragData_;
  bool dropping_ = false;
  int dragX_ = 0, dragY_ = 0;
  unsigned pendingLeave_ = 0;
  // A call into the scene may free this window (a drop-down that closes
  // while a modal loop runs inside its event): handlers check it after.
  rtl::TLifeToken life_;
};

// The freedesktop cursor name of a class-library cursor ("default" for
// unknown ones, "none" for crNone).
const char* CursorName(TCursor cursor);

}  // namespace gui
