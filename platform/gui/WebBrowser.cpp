#include "platform/gui/WebBrowser.h"

#include <gmodule.h>
#include <webkit2/webkit2.h>

#include <cstdlib>
#include <optional>

#include "platform/gui/Forms.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/Handle.h"

namespace gui {
namespace {

// The web engine's entry points, loaded when the first view is made: linked
// in, the library would cost every start of the program a tenth of a
// second or more to load, help pane shown or not.
struct WebEngine {
  GtkWidget* (*newView)() = nullptr;
  WebKitSettings* (*settingsOf)(WebKitWebView*) = nullptr;
  void (*setAcceleration)(WebKitSettings*, WebKitHardwareAccelerationPolicy) = nullptr;
  void (*loadUri)(WebKitWebView*, const gchar*) = nullptr;
};

template <class Function>
bool Resolve(GModule* module, const char* name, Function& function) {
  gpointer address = nullptr;
  if (!g_module_symbol(module, name, &address)) return false;
  function = reinterpret_cast<Function>(address);
  return true;
}

std::optional<WebEngine> LoadEngine() {
  if (std::getenv("ESCTOOL_NO_WEB_ENGINE")) {
    rtl::OutputDebugString("web view: the web engine is turned off");
    return std::nullopt;
  }
  GModule* module = g_module_open("libwebkit2gtk-4.1.so.0", G_MODULE_BIND_LAZY);
  WebEngine engine;
  const bool loaded = module && Resolve(module, "webkit_web_view_new", engine.newView) &&
                      Resolve(module, "webkit_web_view_get_settings", engine.settingsOf) &&
                      Resolve(module, "webkit_settings_set_hardware_acceleration_policy", engine.setAcceleration) &&
                      Resolve(module, "webkit_web_view_load_uri", engine.loadUri);
  if (!loaded) {
    rtl::OutputDebugString(std::string("web view: cannot load WebKitGTK: ") + g_module_error());
    if (module) g_module_close(module);
    return std::nullopt;
  }
  g_module_make_resident(module);  // its types stay registered with GObject
  return engine;
}

// The engine, loaded once; nullptr when it cannot be loaded.
const WebEngine* Engine() {
  static const std::optional<WebEngine> engine = LoadEngine();
  return engine ? &*engine : nullptr;
}

}  // namespace

bool WebEngineAvailable() { return Engine() != nullptr; }

// The WebKit view of a control: an overlay child of its form's client area,
// placed by its margins. The overlay owns the widget; when the form's window
// goes, the widget goes with it and `widget` becomes nullptr.
struct TWebBrowser::View : rtl::TNonCopyable {
  View(const WebEngine& webEngine, GtkWidget* clientArea) : engine(webEngine), widget(engine.newView()) {
    // Software drawing: accelerated compositing shows a blank view under a
    // virtual X server and gains nothing for help pages.
    engine.setAcceleration(engine.settingsOf(reinterpret_cast<WebKitWebView*>(widget)),
                           WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    gtk_widget_set_halign(widget, GTK_ALIGN_START);
    gtk_widget_set_valign(widget, GTK_ALIGN_START);
    g_signal_connect(widget, "load-changed", G_CALLBACK(LoadChanged), this);
    g_signal_connect(widget, "destroy", G_CALLBACK(Destroyed), this);
    gtk_overlay_add_overlay(GTK_OVERLAY(clientArea), widget);
  }
  ~View() {
    if (!widget) return;
    g_signal_handlers_disconnect_by_data(widget, this);
    gtk_widget_destroy(widget);
  }

  void Place(const TRect& bounds, bool show) {
    gtk_widget_set_margin_start(widget, bounds.Left);
    gtk_widget_set_margin_top(widget, bounds.Top);
    gtk_widget_set_size_request(widget, bounds.Width(), bounds.Height());
    gtk_widget_set_visible(widget, show);
  }

  void Open(const std::string& url) {
    busy = true;
    engine.loadUri(reinterpret_cast<WebKitWebView*>(widget), url.c_str());
  }

  // A failed load also ends with WEBKIT_LOAD_FINISHED.
  static void LoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    if (event == WEBKIT_LOAD_FINISHED) static_cast<View*>(data)->busy = false;
  }
  static void Destroyed(GtkWidget*, gpointer data) {
    View& view = *static_cast<View*>(data);
    view.widget = nullptr;
    view.busy = false;
  }

  const WebEngine& engine;
  GtkWidget* widget;
  bool busy = false;
};

TWebBrowser::TWebBrowser(rtl::TComponent* owner) : TControl(owner) {}

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::Navigate(const std::string& url) {
  url_ = url;
  if (ViewCreated())
    view_->Open(url_);
  else
    Update();
}

bool TWebBrowser::Busy() const { return ViewCreated() && view_->busy; }

bool TWebBrowser::ViewCreated() const { return view_ && view_->widget; }

bool TWebBrowser::Showing() const { return ViewCreated() && gtk_widget_get_visible(view_->widget); }

void TWebBrowser::VisibleChanged() { Update(); }

void TWebBrowser::BoundsChanged() { Update(); }

bool TWebBrowser::InClientArea() const {
  auto* form = dynamic_cast<TForm*>(Parent());
  return form && Width() > 0 && Height() > 0 && Left() < form->ClientWidth() && Top() < form->ClientHeight() &&
         Left() + Width() > 0 && Top() + Height() > 0;
}

GtkWidget* TWebBrowser::ShowingIn() const {
  auto* form = dynamic_cast<TForm*>(Parent());
  GtkWidget* clientArea = form ? form->ClientArea() : nullptr;
  return clientArea && Visible() && InClientArea() ? clientArea : nullptr;
}

void TWebBrowser::Update() {
  if (view_ && !view_->widget) view_.reset();
  if (!ShowingIn()) {
    // A hidden view is unloaded: the web engine's processes and threads
    // would otherwise keep waking while nobody sees the page.
    makeView_.Cancel();
    view_.reset();
  } else if (view_) {
    view_->Place(BoundsRect(), true);
  } else {
    makeView_.Post([this] { MakeView(); });
  }
}

void TWebBrowser::MakeView() {
  GtkWidget* clientArea = ShowingIn();
  const WebEngine* engine = clientArea ? Engine() : nullptr;
  if (view_ || !engine) return;
  view_ = std::make_unique<View>(*engine, clientArea);
  if (!url_.empty()) view_->Open(url_);
  view_->Place(BoundsRect(), true);
}

void RegisterWebClasses() { rtl::RegisterClasses<TWebBrowser>(); }

}  // namespace gui
