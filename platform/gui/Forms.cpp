#include "platform/gui/Forms.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <vector>

#include "platform/gui/Dialogs.h"
#include "platform/gui/GuiInit.h"
#include "platform/gui/Menus.h"
#include "platform/gui/SceneWindow.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Handle.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/TextConvert.h"

namespace gui {
namespace {

TForm* g_mainForm = nullptr;
TForm* g_activeForm = nullptr;
std::vector<TForm*> g_modalForms;  // innermost last
IModalRunner* g_modalRunner = nullptr;

TRect ScreenRect(GtkWidget* window) {
  GdkDisplay* display = gtk_widget_get_display(window);
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  GdkRectangle area{0, 0, 1024, 768};
  if (monitor) gdk_monitor_get_geometry(monitor, &area);
  return {area.x, area.y, area.x + area.width, area.y + area.height};
}

// Shows the form and runs a nested loop until its ModalResult is set.
class TGtkModalRunner final : public IModalRunner {
 public:
  TModalResult RunModal(TForm& form) override {
    GtkWindow* window = GTK_WINDOW(form.Handle());
    TForm* parent = dynamic_cast<TForm*>(form.Owner());
    if (!parent || parent == &form) parent = ActiveForm();
    if (parent && parent != &form && parent->HandleAllocated())
      gtk_window_set_transient_for(window, GTK_WINDOW(parent->Handle()));
    gtk_window_set_modal(window, TRUE);
    form.Show();
    do {
      while (form.ModalResult() == mrNone) {
        if (Application->Terminated())
          form.SetModalResult(mrCancel);
        else
          g_main_context_iteration(nullptr, TRUE);
      }
    } while (!form.CloseModal() && !Application->Terminated());
    gtk_window_set_modal(window, FALSE);
    form.Hide();
    return form.ModalResult();
  }
};

}  // namespace

IModalRunner& ModalRunner() {
  static TGtkModalRunner real;
  return g_modalRunner ? *g_modalRunner : real;
}
void SetModalRunner(IModalRunner* runner) { g_modalRunner = runner; }

TPoint PlaceForm(TPosition position, const TRect& current, const TRect* owner, const TRect& screen) {
  const TRect* centre = nullptr;
  switch (position) {
    case poScreenCenter:
    case poDesktopCenter: centre = &screen; break;
    case poMainFormCenter:
    case poOwnerFormCenter: centre = owner ? owner : &screen; break;
    default: return {current.Left, current.Top};
  }
  return {centre->Left + (centre->Width() - current.Width()) / 2,
          centre->Top + (centre->Height() - current.Height()) / 2};
}

void RegisterGuiClasses() {
  rtl::RegisterClasses<TForm, TMainMenu, TPopupMenu, TMenuItem, TOpenDialog, TSaveDialog, TColorDialog,
                       TFontDialog>();
}

TForm* MainForm() { return g_mainForm; }
void SetMainForm(TForm* form) { g_mainForm = form; }
TForm* ActiveForm() { return g_activeForm ? g_activeForm : g_mainForm; }
TForm* TopModalForm() { return g_modalForms.empty() ? nullptr : g_modalForms.back(); }

bool TForm::IsModal() const { return std::find(g_modalForms.begin(), g_modalForms.end(), this) != g_modalForms.end(); }

// ---------------------------------------------------------------------------
// The GTK window of a form: a box holding the menu bar and the client area
// (an overlay whose main child is the scene window).

struct TForm::Window : rtl::TNonCopyable {
  explicit Window(TForm& owner) : form(owner) {
    window = gtk_window_new(owner.popupStyle_ ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    g_object_ref_sink(window);
    accelerators = gtk_accel_group_new();
    gtk_window_add_accel_group(GTK_WINDOW(window), accelerators);
    box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(window), box);
    client = gtk_overlay_new();
    gtk_box_pack_end(GTK_BOX(box), client, TRUE, TRUE, 0);
    g_signal_connect(client, "size-allocate", G_CALLBACK(ClientAllocated), this);
    g_signal_connect(window, "delete-event", G_CALLBACK(DeleteEvent), this);
    g_signal_connect_after(window, "key-press-event", G_CALLBACK(KeyPress), this);
    g_signal_connect(window, "focus-in-event", G_CALLBACK(FocusIn), this);
    g_signal_connect(window, "configure-event", G_CALLBACK(Configure), this);
  }
  ~Window() {
    scene.reset();
    if (form.menu_) form.menu_->DropView();
    g_signal_handlers_disconnect_by_data(client, this);
    g_signal_handlers_disconnect_by_data(window, this);
    gtk_widget_destroy(window);
    g_object_unref(window);
    g_object_unref(accelerators);
  }

  void ApplyAll() {
    ApplyCaption();
    ApplyBorder();
    ApplyClientSize();
    ApplyMenu();
    ApplyClientHost();
    gtk_widget_set_sensitive(box, form.enabled_);
    if (!form.iconFile_.empty()) gtk_window_set_icon_from_file(GTK_WINDOW(window), form.iconFile_.c_str(), nullptr);
  }

  void ApplyCaption() { gtk_window_set_title(GTK_WINDOW(window), rtl::Utf16ToUtf8(form.caption_).c_str()); }

  void ApplyBorder() {
    GtkWindow* w = GTK_WINDOW(window);
    const TFormBorderStyle style = form.borderStyle_;
    gtk_window_set_decorated(w, style != bsNone);
    gtk_window_set_resizable(w, style == bsSizeable || style == bsSizeToolWin);
    gtk_window_set_deletable(w, form.borderIcons_.Contains(biSystemMenu));
    gtk_window_set_type_hint(w, style == bsDialog                                ? GDK_WINDOW_TYPE_HINT_DIALOG
                                : style == bsToolWindow || style == bsSizeToolWin ? GDK_WINDOW_TYPE_HINT_UTILITY
                                                                                  : GDK_WINDOW_TYPE_HINT_NORMAL);
  }

  // A fixed-size window takes its size from its content's request; a
  // sizeable one gets no minimum, so the user may make it smaller again.
  void ApplyClientSize() {
    if (Sizeable())
      gtk_widget_set_size_request(client, -1, -1);
    else
      gtk_widget_set_size_request(client, form.clientWidth_, form.clientHeight_);
    gtk_window_resize(GTK_WINDOW(window), form.clientWidth_, form.Height());
  }

  bool Sizeable() const { return form.borderStyle_ == bsSizeable || form.borderStyle_ == bsSizeToolWin; }

  void ApplyMenu() {
    if (menuBar) gtk_container_remove(GTK_CONTAINER(box), menuBar);
    menuBar = nullptr;
    if (!form.menu_) return;
    menuBar = form.menu_->View(true, accelerators);
    gtk_box_pack_start(GTK_BOX(box), menuBar, FALSE, FALSE, 0);
    gtk_widget_show(menuBar);
  }

  void ApplyClientHost() {
    scene.reset();
    if (!form.clientHost_) return;
    scene = std::make_unique<TSceneWindow>(*form.clientHost_);
    gtk_container_add(GTK_CONTAINER(client), scene->Widget());
    gtk_widget_show(scene->Widget());
    scene->SetTransparent(form.transparent_);
  }

  int MenuHeight() const {
    if (!menuBar) return 0;
    int height = 0;
    gtk_widget_get_preferred_height(menuBar, nullptr, &height);
    return height;
  }

  static gboolean DeleteEvent(GtkWidget*, GdkEvent*, gpointer data) {
    TForm& form = static_cast<Window*>(data)->form;
    Guarded(&form, [&] { form.Close(); });
    return TRUE;
  }

  static gboolean KeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    TForm& form = static_cast<Window*>(data)->form;
    if (event->keyval != GDK_KEY_Escape || !form.IsModal()) return FALSE;
    form.SetModalResult(mrCancel);
    return TRUE;
  }

  static gboolean FocusIn(GtkWidget*, GdkEvent*, gpointer data) {
    TForm& form = static_cast<Window*>(data)->form;
    g_activeForm = &form;
    Guarded(&form, [&] { form.OnActivate(&form); });
    return FALSE;
  }

  // The user resized the window (or the window system did): the form's
  // size follows, so later moves and size grips start from it.
  static void ClientAllocated(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    TForm& form = static_cast<Window*>(data)->form;
    if (allocation->width <= 1 && allocation->height <= 1) return;  // not laid out yet
    form.clientWidth_ = allocation->width;
    form.clientHeight_ = allocation->height;
  }

  static gboolean Configure(GtkWidget* widget, GdkEventConfigure*, gpointer data) {
    TForm& form = static_cast<Window*>(data)->form;
    gtk_window_get_position(GTK_WINDOW(widget), &form.left_, &form.top_);
    return FALSE;
  }

  TForm& form;
  GtkWidget* window = nullptr;
  GtkWidget* box = nullptr;
  GtkWidget* client = nullptr;
  GtkWidget* menuBar = nullptr;
  GtkAccelGroup* accelerators = nullptr;
  std::unique_ptr<TSceneWindow> scene;
};

// ---------------------------------------------------------------------------

TForm::TForm(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TForm::~TForm() = default;

void TForm::ReadFormResource() {
  rtl::ReadComponentResource(this, ClassName(), true);
  OnCreate(this);
}

void TForm::BeforeDestruction() {
  if (releaseSource_) g_source_remove(releaseSource_);
  releaseSource_ = 0;
  OnDestroy(this);
  window_.reset();
  if (g_mainForm == this) g_mainForm = nullptr;
  if (g_activeForm == this) g_activeForm = nullptr;
  inherited::BeforeDestruction();
}

void TForm::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == menu_) {
    if (window_) window_->menuBar = nullptr;
    menu_ = nullptr;
  }
}

void TForm::SetCaption(const rtl::WideString& caption) {
  caption_ = caption;
  if (window_) window_->ApplyCaption();
}

int TForm::Height() const { return clientHeight_ + (window_ ? window_->MenuHeight() : 0); }

void TForm::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  clientWidth_ = width;
  clientHeight_ = height - (window_ ? window_->MenuHeight() : 0);
  if (!window_) return;
  window_->ApplyClientSize();
  gtk_window_move(GTK_WINDOW(window_->window), left_, top_);
}

void TForm::SetClientWidth(int width) {
  clientWidth_ = width;
  if (window_) window_->ApplyClientSize();
}

void TForm::SetClientHeight(int height) {
  clientHeight_ = height;
  if (window_) window_->ApplyClientSize();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  if (!window_) return;
  window_->ApplyBorder();
  window_->ApplyClientSize();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  borderIcons_ = icons;
  if (window_) window_->ApplyBorder();
}

void TForm::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (window_) gtk_widget_set_sensitive(window_->box, enabled);
}

void TForm::SetVisible(bool visible) {
  if (visible)
    Show();
  else
    Hide();
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) {
    menu_->RemoveFreeNotification(this);
    if (window_) {
      gtk_container_remove(GTK_CONTAINER(window_->box), window_->menuBar);
      window_->menuBar = nullptr;
    }
    menu_->DropView();
  }
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  if (window_) window_->ApplyMenu();
}

bool TForm::LoadIcon(const std::string& fileName) {
  GdkPixbuf* icon = gdk_pixbuf_new_from_file(fileName.c_str(), nullptr);
  if (!icon) return false;
  g_object_unref(icon);
  iconFile_ = fileName;
  if (window_) gtk_window_set_icon_from_file(GTK_WINDOW(window_->window), fileName.c_str(), nullptr);
  return true;
}

GtkWidget* TForm::ClientArea() const { return window_ ? window_->client : nullptr; }

GtkWidget* TForm::Handle() {
  if (!window_) {
    if (!InitGui()) throw rtl::EInvalidOperation("Cannot open a window: no display");
    window_ = std::make_unique<Window>(*this);
    window_->ApplyAll();
  }
  return window_->window;
}

void TForm::SetClientHost(ISceneHost* host) {
  clientHost_ = host;
  if (window_) window_->ApplyClientHost();
}

TSceneWindow* TForm::ClientWindow() const { return window_ ? window_->scene.get() : nullptr; }

void TForm::SetTransparent(bool transparent) {
  transparent_ = transparent;
  if (window_ && window_->scene) window_->scene->SetTransparent(transparent);
}

void TForm::ApplyPosition() {
  const TRect screen = ScreenRect(window_->window);
  TForm* reference = position_ == poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : nullptr;
  if (!reference) reference = MainForm();
  TRect ownerRect;
  const bool hasOwner = reference && reference != this && reference->visible_;
  if (hasOwner) ownerRect = reference->BoundsRect();
  const TPoint at = PlaceForm(position_, BoundsRect(), hasOwner ? &ownerRect : nullptr, screen);
  left_ = at.X;
  top_ = at.Y;
}

void TForm::Show() {
  GtkWidget* window = Handle();
  if (auto* owner = dynamic_cast<TForm*>(Owner()); owner && owner->HandleAllocated())
    gtk_window_set_transient_for(GTK_WINDOW(window), GTK_WINDOW(owner->Handle()));
  ApplyPosition();
  gtk_window_move(GTK_WINDOW(window), left_, top_);
  gtk_widget_show_all(window);
  if (!popupStyle_) gtk_window_present(GTK_WINDOW(window));
  if (visible_) return;
  visible_ = true;
  OnShow(this);
}

void TForm::Hide() {
  if (window_) gtk_widget_hide(window_->window);
  if (!visible_) return;
  visible_ = false;
  OnHide(this);
}

void TForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TForm::Close() {
  if (IsModal()) {
    SetModalResult(mrCancel);
    return;
  }
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (MainForm() == this) {
    Hide();
    Application->Terminate();
  } else if (action == caFree) {
    Hide();
    ReleaseLater();
  } else {
    Hide();
  }
}

// The form is freed once, from the loop, unless it dies first (a second
// Close or its owner's Free): destruction cancels the pending release.
void TForm::ReleaseLater() {
  if (releaseSource_) return;
  releaseSource_ = g_idle_add(
      [](gpointer data) -> gboolean {
        auto* form = static_cast<TForm*>(data);
        form->releaseSource_ = 0;
        Guarded(nullptr, [&] { form->Free(); });
        return G_SOURCE_REMOVE;
      },
      this);
}

TModalResult TForm::ShowModal() {
  if (visible_ || IsModal()) throw rtl::EInvalidOperation("Cannot make a visible window modal");
  if (!enabled_) throw rtl::EInvalidOperation("Cannot make a disabled window modal");
  modalResult_ = mrNone;
  g_modalForms.push_back(this);
  struct Reset {
    TForm* form;
    ~Reset() { std::erase(g_modalForms, form); }
  } reset{this};
  return ModalRunner().RunModal(*this);
}

void TForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  if (IsModal() && result != mrNone) g_main_context_wakeup(nullptr);
}

bool TForm::CloseModal() {
  TCloseAction action = caHide;
  DoClose(action);
  if (action != caNone) return true;
  modalResult_ = mrNone;
  return false;
}

void TForm::Publish(rtl::TPublisher<TForm>& p) {
  p.Property("Left", &TForm::Left, &TForm::SetLeft);
  p.Property("Top", &TForm::Top, &TForm::SetTop);
  p.Property("Width", &TForm::Width, &TForm::SetWidth).Stored(false);
  p.Property("Height", &TForm::Height, &TForm::SetHeight).Stored(false);
  p.Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  p.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
  p.Property("Caption", &TForm::Caption, &TForm::SetCaption);
  p.Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  p.Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  p.Property("Enabled", &TForm::Enabled, &TForm::SetEnabled).Default(true);
  p.Property("Font", &TForm::Font);
  p.Property("Menu", &TForm::Menu, &TForm::SetMenu);
  p.Property("OldCreateOrder", &TForm::oldCreateOrder_).Default(false);
  p.Property("Position", &TForm::Position, &TForm::SetPosition).Default(poDefaultPosOnly);
  p.Property("PixelsPerInch", &TForm::pixelsPerInch_);
  p.Property("TextHeight", &TForm::textHeight_);
  p.Property("OnActivate", &TForm::OnActivate);
  p.Property("OnClose", &TForm::OnClose);
  p.Property("OnCreate", &TForm::OnCreate);
  p.Property("OnDestroy", &TForm::OnDestroy);
  p.Property("OnHide", &TForm::OnHide);
  p.Property("OnShow", &TForm::OnShow);
}

}  // namespace gui
