#pragma once
// TWebBrowser: the class library's web-browser control, a web view
// (WebKitGTK) in a rectangle of its form's client area, lying over the
// form's scene. Left, Top, Width and Height are client coordinates; a
// control placed outside the client area (or made invisible) is not shown:
// its view is unloaded, so the web engine does not keep waking for a page
// nobody sees, and the address is opened again when the control shows.
//
// Starting the web engine costs a few hundred milliseconds and a helper
// process, so the view is made only when it is first needed: once the
// control lies, shown, inside the client area of a form whose window exists
// when the loop next has nothing else to do (a placement undone before then
// starts nothing). Until then Navigate only keeps the address, which the
// view opens when it is made.
// The engine's library itself is loaded then too; when it cannot be loaded
// the control shows nothing and the reason goes to the debug output.
// Headless (no window) the control is a plain model of its bounds and
// address.
#include <memory>
#include <string>

#include "platform/gui/Controls.h"
#include "platform/gui/PostedCall.h"

typedef struct _GtkWidget GtkWidget;

namespace gui {

/// Whether the web engine can be loaded: false where its library is missing,
/// or where ESCTOOL_NO_WEB_ENGINE is set (the leak-checked test run: the leak
/// checker of our compiler crashes scanning the thread-local storage of the
/// engine's many modules). Without it a web view stays empty.
bool WebEngineAvailable();

class TWebBrowser : public TControl {
  RTL_CLASS(TWebBrowser, TControl)

  explicit TWebBrowser(rtl::TComponent* owner);
  ~TWebBrowser() override;

  // Opens `url` ("file:///…" for a local page): at once when the view
  // exists, else when it is made.
  void Navigate(const std::string& url);
  // The address last asked for ("" before any).
  const std::string& LocationURL() const { return url_; }
  // True from a navigation the view started until its page has loaded or
  // failed to load.
  bool Busy() const;
  // The view exists (the control shows, or did until this loop pass, and
  // its form's window exists).
  bool ViewCreated() const;
  // The view shows (lies inside the client area, visible, form window made).
  bool Showing() const;

  void VisibleChanged() override;
  void BoundsChanged() override;

 private:
  struct View;
  bool InClientArea() const;
  // The client area the view shows in, or nullptr while it is not shown.
  GtkWidget* ShowingIn() const;
  void Update();
  void MakeView();

  std::string url_;
  std::unique_ptr<View> view_;
  TPostedCall makeView_;
};

// Registers TWebBrowser for streaming.
void RegisterWebClasses();

}  // namespace gui
