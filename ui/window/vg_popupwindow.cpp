#include "ui/window/vg_popupwindow.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <vector>

#include "platform/gui/Application.h"
#include "platform/gui/GuiInit.h"
#include "ui/window/vg_guitimers.h"

namespace vg {

namespace {

constexpr std::intptr_t kNoDragTag = 65535;

class TvgShownPopups;

// One popup's form, scene and host. Shown windows are listed (last shown
// last) for the press and grab rules.
class TvgPopupWindow final : public IvgPopupWindow {
 public:
  explicit TvgPopupWindow(TvgPopup& popup)
      : form_(new TvgPopupForm(nullptr, &popup)), scene_(new TvgScene(form_.get())), host_(*scene_, *form_) {}
  // The host lets go of scene and form first; the form frees the scene.
  ~TvgPopupWindow() override { Hide(); }

  TvgCustomScene& Scene() override { return *scene_; }
  void SetBounds(int left, int top, int width, int height) override {
    const gui::TRect now = form_->BoundsRect();
    if (now.Left == left && now.Top == top && now.Width() == width && now.Height() == height) return;
    form_->SetBounds(left, top, width, height);
  }
  TvgRect Bounds() override {
    const gui::TRect r = form_->BoundsRect();
    return {float(r.Left), float(r.Top), float(r.Right), float(r.Bottom)};
  }
  void Show() override;
  void Hide() override;
  TvgModalResult ModalResult() override { return form_->ModalResult(); }
  void SetModalResult(TvgModalResult value) override { form_->SetModalResult(value); }

  TvgPopup& Popup() const { return *form_->Popup(); }
  GdkWindow* GdkWin() const {
    return form_->HandleAllocated() ? gtk_widget_get_window(form_->Handle()) : nullptr;
  }
  // Takes the seat: keys and every press come here first.
  void Grab();

 private:
  TvgOwned<TvgPopupForm> form_;
  TvgScene* scene_;
  TvgSceneHost host_;
  bool shown_ = false;
};

std::vector<TvgPopupWindow*>& Shown() {
  static std::vector<TvgPopupWindow*> shown;
  return shown;
}

TvgPopupWindow* ShownWindowOf(GdkWindow* window) {
  if (!window) return nullptr;
  GdkWindow* top = gdk_window_get_toplevel(window);
  for (TvgPopupWindow* popup : Shown())
    if (popup->GdkWin() == top) return popup;
  return nullptr;
}

bool Inside(GdkWindow* window, double rootX, double rootY) {
  int x = 0, y = 0;
  gdk_window_get_origin(window, &x, &y);
  const int w = gdk_window_get_width(window), h = gdk_window_get_height(window);
  return rootX >= x && rootY >= y && rootX < x + w && rootY < y + h;
}

// The press at the root point went to `window`: every other shown popup
// learns which popup (or none) took the activation.
void PressSeen(GdkEventButton* press) {
  TvgPopupWindow* owner = ShownWindowOf(press->window);
  TvgPopup* activated =
      owner && Inside(owner->GdkWin(), press->x_root, press->y_root) ? &owner->Popup() : nullptr;
  std::vector<TvgPopup*> popups;
  for (TvgPopupWindow* shown : Shown()) popups.push_back(&shown->Popup());
  for (TvgPopup* popup : popups) {
    const auto& still = Shown();
    const bool open = std::any_of(still.begin(), still.end(), [&](TvgPopupWindow* w) { return &w->Popup() == popup; });
    if (open && popup != activated) gui::Guarded(popup, [&] { popup->WindowDeactivated(activated); });
  }
}

void EventHandler(GdkEvent* event, gpointer) {
  if (event->type == GDK_BUTTON_PRESS && !Shown().empty()) PressSeen(&event->button);
  if (event->type == GDK_GRAB_BROKEN && !event->grab_broken.implicit && !event->grab_broken.grab_window &&
      ShownWindowOf(event->any.window))
    gui::Guarded(nullptr, [] { CloseAllPopups(); });
  gtk_main_do_event(event);
  // A scene's mouse capture ends with a release of the seat: the last
  // shown popup takes it back.
  if (event->type == GDK_BUTTON_RELEASE && !Shown().empty()) Shown().back()->Grab();
}

void ShowPrepared(GdkSeat*, GdkWindow* window, gpointer) { gdk_window_show(window); }

}  // namespace

void TvgPopupWindow::Grab() {
  GdkWindow* window = GdkWin();
  if (!window) return;
  GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(window));
  gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL, TRUE, nullptr, nullptr, ShowPrepared, nullptr);
}

void TvgPopupWindow::Show() {
  if (shown_) return;
  shown_ = true;
  form_->Show();
  Shown().push_back(this);
  if (gui::TSceneWindow* window = form_->ClientWindow()) window->SetFocus();
  Grab();
}

void TvgPopupWindow::Hide() {
  if (!shown_) return;
  shown_ = false;
  std::erase(Shown(), this);
  if (GdkWindow* window = GdkWin()) gdk_seat_ungrab(gdk_display_get_default_seat(gdk_window_get_display(window)));
  form_->Hide();
  if (!Shown().empty()) Shown().back()->Grab();
}

// ----- TvgPopupForm

TvgPopupForm::TvgPopupForm(rtl::TComponent* owner, TvgPopup* popup) : gui::TForm(owner), FPopup(popup) {
  SetPopupStyle(true);
  SetBorderStyle(gui::bsNone);
  SetTag(kNoDragTag);
  SetTransparent(true);
}

// ----- TvgPopupWindows

std::unique_ptr<IvgPopupWindow> TvgPopupWindows::CreateWindow(TvgPopup& popup, IvgScene*) {
  return std::make_unique<TvgPopupWindow>(popup);
}

void TvgPopupWindows::ReleaseWindow(std::unique_ptr<IvgPopupWindow> window) {
  auto* released = window.release();
  g_idle_add_full(
      G_PRIORITY_DEFAULT,
      [](gpointer data) -> gboolean {
        delete static_cast<IvgPopupWindow*>(data);
        return G_SOURCE_REMOVE;
      },
      released, nullptr);
}

TvgRect TvgPopupWindows::WorkArea(TvgPoint screenPoint) {
  GdkDisplay* display = gdk_display_get_default();
  GdkRectangle area{0, 0, 1024, 768};
  if (GdkMonitor* monitor = display ? gdk_display_get_monitor_at_point(display, int(screenPoint.X), int(screenPoint.Y))
                                    : nullptr)
    gdk_monitor_get_workarea(monitor, &area);
  return {float(area.x), float(area.y), float(area.x + area.width), float(area.y + area.height)};
}

TvgPoint TvgPopupWindows::CursorPos() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) return {0, 0};
  int x = 0, y = 0;
  gdk_device_get_position(gdk_seat_get_pointer(gdk_display_get_default_seat(display)), nullptr, &x, &y);
  return {float(x), float(y)};
}

void vgUsePopupWindows() {
  static TvgPopupWindows windows;
  static bool installed = false;
  if (!installed) {
    installed = true;
    gdk_event_handler_set(EventHandler, nullptr, nullptr);
  }
  vgUseGuiTimers();
  vgSetPopupPlatform(&windows);
}

bool TvgPopupWindows::Terminated() { return gui::Application->Terminated(); }

TvgCustomScene* vgInnermostPopupScene() { return Shown().empty() ? nullptr : &Shown().back()->Scene(); }

}  // namespace vg
