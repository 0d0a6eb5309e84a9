#include "platform/gui/SceneWindow.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>

#include "platform/gui/GuiInit.h"
#include "platform/gui/Keys.h"
#include "platform/gui/XShape.h"
#include "platform/rtl/TextConvert.h"

namespace gui {
namespace {

constexpr int kWheelNotch = 120;

int Pixel(double coordinate) { return static_cast<int>(std::floor(coordinate)); }

std::optional<TMouseButton> ButtonOf(guint button) {
  switch (button) {
    case 1: return mbLeft;
    case 2: return mbMiddle;
    case 3: return mbRight;
    default: return std::nullopt;
  }
}

TShiftStateFlag FlagOf(TMouseButton button) {
  return button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle;
}

unsigned DoubleClickTime() {
  gint time = 400;
  g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &time, nullptr);
  return static_cast<unsigned>(time);
}

int DoubleClickDistance() {
  gint distance = 5;
  g_object_get(gtk_settings_get_default(), "gtk-double-click-distance", &distance, nullptr);
  return distance;
}

unsigned BaseKeyval(const GdkEventKey* event) {
  guint keyval = 0;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
  const auto state = static_cast<GdkModifierType>(event->state & ~(GDK_SHIFT_MASK | GDK_LOCK_MASK));
  if (event->hardware_keycode &&
      gdk_keymap_translate_keyboard_state(keymap, event->hardware_keycode, state, event->group, &keyval, nullptr,
                                          nullptr, nullptr))
    return keyval;
  return event->keyval;
}

std::vector<TRect> ClipRects(cairo_t* cr, int width, int height) {
  std::vector<TRect> rects;
  cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
  if (list->status == CAIRO_STATUS_SUCCESS) {
    for (int i = 0; i < list->num_rectangles; ++i) {
      const cairo_rectangle_t& r = list->rectangles[i];
      TRect rect{Pixel(r.x), Pixel(r.y), static_cast<int>(std::ceil(r.x + r.width)),
                 static_cast<int>(std::ceil(r.y + r.height))};
      rect.Left = std::max(rect.Left, 0);
      rect.Top = std::max(rect.Top, 0);
      rect.Right = std::min(rect.Right, width);
      rect.Bottom = std::min(rect.Bottom, height);
      if (!rect.IsEmpty()) rects.push_back(rect);
    }
  } else {
    rects.push_back({0, 0, width, height});
  }
  cairo_rectangle_list_destroy(list);
  return rects;
}

TDropData DropDataOf(GtkSelectionData* selection) {
  if (gchar** uris = gtk_selection_data_get_uris(selection)) {
    std::vector<std::string> list;
    for (gchar** uri = uris; *uri; ++uri) list.emplace_back(*uri);
    g_strfreev(uris);
    return DropDataFromUris(list);
  }
  TDropData data;
  if (guchar* text = gtk_selection_data_get_text(selection)) {
    data.Text = rtl::Utf8ToUtf16(reinterpret_cast<const char*>(text));
    g_free(text);
  }
  return data;
}

bool IsComposited(GtkWidget* toplevel) { return gdk_screen_is_composited(gtk_widget_get_screen(toplevel)); }

// The scene windows alive, for finding the target of an internal drag.
std::vector<TSceneWindow*> g_windows;

// The internal drag under way (one per process).
struct TInternalDrag {
  TSceneWindow* origin = nullptr;
  rtl::TObject* source = nullptr;
  TSceneWindow* over = nullptr;
  bool accepted = false;
};
std::optional<TInternalDrag> g_drag;

}  // namespace

TDropData DropDataFromUris(const std::vector<std::string>& uris) {
  TDropData data;
  for (const std::string& uri : uris) {
    if (uri.empty() || uri.front() == '#') continue;
    gchar* fileName = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
    if (fileName) {
      gchar* utf8 = g_filename_to_utf8(fileName, -1, nullptr, nullptr, nullptr);
      data.Files.push_back(rtl::Utf8ToUtf16(utf8 ? utf8 : fileName));
      g_free(utf8);
      g_free(fileName);
    } else {
      data.Files.push_back(rtl::Utf8ToUtf16(uri));
    }
  }
  return data;
}

const char* CursorName(TCursor cursor) {
  switch (cursor) {
    case crNone: return "none";
    case crCross: return "crosshair";
    case crIBeam: return "text";
    case crSizeNESW: return "nesw-resize";
    case crSizeNS: return "ns-resize";
    case crSizeNWSE: return "nwse-resize";
    case crSizeWE: return "ew-resize";
    case crUpArrow: return "n-resize";
    case crHourGlass:
    case crSQLWait: return "wait";
    case crDrag:
    case crMultiDrag: return "copy";
    case crNoDrop:
    case crNo: return "not-allowed";
    case crHSplit: return "col-resize";
    case crVSplit: return "row-resize";
    case crAppStart: return "progress";
    case crHelp: return "help";
    case crHandPoint: return "pointer";
    case crSizeAll: return "move";
    default: return "default";
  }
}

// The GTK callbacks: each one runs its work guarded.
struct TSceneWindow::Signals {
  static TSceneWindow& Self(gpointer data) { return *static_cast<TSceneWindow*>(data); }

  static void SizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    TSceneWindow& self = Self(data);
    if (allocation->width == self.width_ && allocation->height == self.height_) return;
    self.width_ = allocation->width;
    self.height_ = allocation->height;
    Guarded(nullptr, [&] { self.host_.Resized(self.width_, self.height_); });
  }

  static gboolean Draw(GtkWidget*, cairo_t* cr, gpointer data) {
    TSceneWindow& self = Self(data);
    const std::vector<TRect> dirty = ClipRects(cr, self.width_, self.height_);
    if (dirty.empty()) return TRUE;
    cairo_surface_t* buffer = Guarded(nullptr, [&] { return self.host_.Paint(dirty); }, nullptr);
    if (!buffer) return TRUE;
    cairo_surface_flush(buffer);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, buffer, 0, 0);
    for (const TRect& r : dirty) cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
    cairo_fill(cr);
    cairo_restore(cr);
    if (self.transparent_) self.ApplyShape(buffer);
    return TRUE;
  }

  static gboolean ButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data) {
    TSceneWindow& self = Self(data);
    if (event->type != GDK_BUTTON_PRESS) return TRUE;  // GDK's own double/triple presses
    const auto button = ButtonOf(event->button);
    if (!button) return FALSE;
    if (!gtk_widget_has_focus(widget)) gtk_widget_grab_focus(widget);
    TShiftState shift = ShiftFromGdk(event->state);
    shift.Include(FlagOf(*button));
    if (self.clicks_.Press(*button, event->time, Pixel(event->x), Pixel(event->y)) == TPressKind::DoubleClick)
      shift.Include(ssDouble);
    Guarded(nullptr, [&] { self.host_.MouseDown(*button, shift, Pixel(event->x), Pixel(event->y)); });
    return TRUE;
  }

  static gboolean ButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    TSceneWindow& self = Self(data);
    const auto button = ButtonOf(event->button);
    if (!button) return FALSE;
    if (g_drag && g_drag->origin == &self) {
      DragTo(Pixel(event->x_root), Pixel(event->y_root));
      if (g_drag) EndInternalDrag(true, Pixel(event->x_root), Pixel(event->y_root));
      return TRUE;
    }
    TShiftState shift = ShiftFromGdk(event->state) - TShiftState{FlagOf(*button)};
    const int x = Pixel(event->x), y = Pixel(event->y);
    const rtl::TLifeToken::TWatch life = self.life_.Watch();
    Guarded(nullptr, [&] { self.host_.MouseUp(*button, shift, x, y); });
    if (!life.Alive()) return TRUE;
    const bool outside = x < 0 || y < 0 || x >= self.width_ || y >= self.height_;
    if (outside && !self.captured_ && !(shift.Contains(ssLeft) || shift.Contains(ssRight) || shift.Contains(ssMiddle)))
      Guarded(nullptr, [&] { self.host_.MouseLeave(); });
    return TRUE;
  }

  static gboolean Motion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    TSceneWindow& self = Self(data);
    if (g_drag && g_drag->origin == &self) {
      DragTo(Pixel(event->x_root), Pixel(event->y_root));
      return TRUE;
    }
    Guarded(nullptr, [&] { self.host_.MouseMove(ShiftFromGdk(event->state), Pixel(event->x), Pixel(event->y)); });
    return TRUE;
  }

  static gboolean Leave(GtkWidget*, GdkEventCrossing* event, gpointer data) {
    TSceneWindow& self = Self(data);
    const bool buttonHeld = event->state & (GDK_BUTTON1_MASK | GDK_BUTTON2_MASK | GDK_BUTTON3_MASK);
    if (event->mode != GDK_CROSSING_NORMAL || event->detail == GDK_NOTIFY_INFERIOR || self.captured_ || buttonHeld)
      return FALSE;
    self.clicks_.Reset();
    Guarded(nullptr, [&] { self.host_.MouseLeave(); });
    return FALSE;
  }

  static gboolean Scroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    TSceneWindow& self = Self(data);
    int delta = 0;
    if (event->direction == GDK_SCROLL_UP)
      delta = kWheelNotch;
    else if (event->direction == GDK_SCROLL_DOWN)
      delta = -kWheelNotch;
    else if (event->direction == GDK_SCROLL_SMOOTH)
      delta = static_cast<int>(std::nearbyint(-event->delta_y * kWheelNotch));
    if (delta == 0) return FALSE;
    return Guarded(nullptr, [&] {
      return self.host_.MouseWheel(ShiftFromGdk(event->state), delta, Pixel(event->x_root), Pixel(event->y_root));
    }, false);
  }

  static gboolean GrabBroken(GtkWidget*, GdkEvent*, gpointer data) {
    TSceneWindow& self = Self(data);
    if (self.captured_) {
      self.captured_ = false;
      Guarded(nullptr, [&] { self.host_.CaptureLost(); });
    }
    return FALSE;
  }

  static gboolean KeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    TSceneWindow& self = Self(data);
    if (g_drag && g_drag->origin == &self && event->keyval == GDK_KEY_Escape) {
      EndInternalDrag(false, 0, 0);
      return TRUE;
    }
    if (self.preediting_ && gtk_im_context_filter_keypress(self.im_, event)) return TRUE;
    const TShiftState shift = ShiftFromGdk(event->state);
    const TKeyStroke stroke = TranslateKey(event->keyval, BaseKeyval(event), shift);
    const rtl::TLifeToken::TWatch life = self.life_.Watch();
    if (stroke.Key) Guarded(nullptr, [&] { self.host_.KeyDown(stroke.Key, shift); });
    if (!life.Alive()) return TRUE;
    self.typing_ = true;
    self.typingShift_ = shift;
    const bool filtered = gtk_im_context_filter_keypress(self.im_, event);
    if (!life.Alive()) return TRUE;
    self.typing_ = false;
    if (!filtered && stroke.Char) Guarded(nullptr, [&] { self.host_.Char(stroke.Char, shift); });
    return TRUE;
  }

  static gboolean KeyRelease(GtkWidget*, GdkEventKey* event, gpointer data) {
    TSceneWindow& self = Self(data);
    if (gtk_im_context_filter_keypress(self.im_, event)) return TRUE;
    const TShiftState shift = ShiftFromGdk(event->state);
    const TKeyStroke stroke = TranslateKey(event->keyval, BaseKeyval(event), shift);
    if (stroke.Key) Guarded(nullptr, [&] { self.host_.KeyUp(stroke.Key, shift); });
    return TRUE;
  }

  static void Commit(GtkIMContext*, gchar* text, gpointer data) {
    TSceneWindow& self = Self(data);
    const rtl::WideString wide = rtl::Utf8ToUtf16(text);
    if (self.typing_ && !self.preediting_) {
      const rtl::TLifeToken::TWatch life = self.life_.Watch();
      const TShiftState shift = self.typingShift_;
      for (const gchar* p = text; *p && life.Alive(); p = g_utf8_next_char(p)) {
        const char32_t c = g_utf8_get_char(p);
        Guarded(nullptr, [&] { self.host_.Char(c, shift); });
      }
      return;
    }
    Guarded(nullptr, [&] { self.host_.ImeResult(wide); });
  }

  static void PreeditStart(GtkIMContext*, gpointer data) {
    TSceneWindow& self = Self(data);
    self.preediting_ = true;
    PlaceCandidates(self);
  }
  static void PreeditChanged(GtkIMContext*, gpointer data) { PlaceCandidates(Self(data)); }
  static void PreeditEnd(GtkIMContext*, gpointer data) { Self(data).preediting_ = false; }

  static void PlaceCandidates(TSceneWindow& self) {
    const auto caret = Guarded(nullptr, [&] { return self.host_.ImeCaret(); }, std::optional<TRect>());
    if (!caret) return;
    const GdkRectangle area{caret->Left, caret->Top, caret->Width(), std::max(caret->Height(), 1)};
    gtk_im_context_set_cursor_location(self.im_, &area);
  }

  static gboolean FocusIn(GtkWidget*, GdkEvent*, gpointer data) {
    gtk_im_context_focus_in(Self(data).im_);
    return FALSE;
  }
  static gboolean FocusOut(GtkWidget*, GdkEvent*, gpointer data) {
    TSceneWindow& self = Self(data);
    gtk_im_context_focus_out(self.im_);
    self.preediting_ = false;
    return FALSE;
  }

  static void Realize(GtkWidget* widget, gpointer data) {
    gtk_im_context_set_client_window(Self(data).im_, gtk_widget_get_window(widget));
  }
  static void Unrealize(GtkWidget*, gpointer data) { gtk_im_context_set_client_window(Self(data).im_, nullptr); }

  static gboolean QueryTooltip(GtkWidget*, gint x, gint y, gboolean keyboard, GtkTooltip* tooltip, gpointer data) {
    if (keyboard) return FALSE;
    TSceneWindow& self = Self(data);
    rtl::WideString text;
    TRect area;
    if (!Guarded(nullptr, [&] { return self.host_.QueryHint(x, y, text, area); }, false) || text.empty())
      return FALSE;
    gtk_tooltip_set_text(tooltip, rtl::Utf16ToUtf8(text).c_str());
    const GdkRectangle tip{area.Left, area.Top, area.Width(), area.Height()};
    if (!area.IsEmpty()) gtk_tooltip_set_tip_area(tooltip, &tip);
    return TRUE;
  }

  // Drag from outside. GTK reports a leave before every drop; the leave is
  // delayed to the next loop turn so that a drop still finds its target.
  static gboolean DragMotion(GtkWidget* widget, GdkDragContext* context, gint x, gint y, guint time, gpointer data) {
    TSceneWindow& self = Self(data);
    CancelLeave(self);
    self.dragX_ = x;
    self.dragY_ = y;
    if (self.dragContext_ != context || !self.dragData_) {
      const GdkAtom target = gtk_drag_dest_find_target(widget, context, nullptr);
      if (target == GDK_NONE) {
        gdk_drag_status(context, static_cast<GdkDragAction>(0), time);
        return FALSE;
      }
      self.dragContext_ = context;
      self.dragData_.reset();
      gtk_drag_get_data(widget, context, target, time);
      return TRUE;
    }
    AnswerMotion(self, context, time);
    return TRUE;
  }

  static void AnswerMotion(TSceneWindow& self, GdkDragContext* context, guint time) {
    const bool accept =
        Guarded(nullptr, [&] { return self.host_.DragOver(*self.dragData_, self.dragX_, self.dragY_); }, false);
    const GdkDragAction offered = gdk_drag_context_get_actions(context);
    const GdkDragAction action = !accept                       ? static_cast<GdkDragAction>(0)
                                 : (offered & GDK_ACTION_LINK) ? GDK_ACTION_LINK
                                                               : gdk_drag_context_get_suggested_action(context);
    gdk_drag_status(context, action, time);
  }

  static void DataReceived(GtkWidget*, GdkDragContext* context, gint x, gint y, GtkSelectionData* selection, guint,
                           guint time, gpointer data) {
    TSceneWindow& self = Self(data);
    if (context != self.dragContext_) return;
    self.dragData_ = DropDataOf(selection);
    if (self.dropping_) {
      FinishDrop(self, context, x, y, time);
      return;
    }
    AnswerMotion(self, context, time);
  }

  static gboolean DragDrop(GtkWidget* widget, GdkDragContext* context, gint x, gint y, guint time, gpointer data) {
    TSceneWindow& self = Self(data);
    CancelLeave(self);
    self.dropping_ = true;
    if (self.dragContext_ == context && self.dragData_) {
      FinishDrop(self, context, x, y, time);
    } else {
      const GdkAtom target = gtk_drag_dest_find_target(widget, context, nullptr);
      if (target == GDK_NONE) {
        self.dropping_ = false;
        return FALSE;
      }
      self.dragContext_ = context;
      gtk_drag_get_data(widget, context, target, time);
    }
    return TRUE;
  }

  // The drop point is offered once more; only an accepted drop is delivered.
  static void FinishDrop(TSceneWindow& self, GdkDragContext* context, int x, int y, guint time) {
    const TDropData dropped = *self.dragData_;
    self.dropping_ = false;
    self.dragData_.reset();
    self.dragContext_ = nullptr;
    const rtl::TLifeToken::TWatch life = self.life_.Watch();
    const bool accept = Guarded(nullptr, [&] { return self.host_.DragOver(dropped, x, y); }, false);
    if (life.Alive()) {
      if (accept)
        Guarded(nullptr, [&] { self.host_.Drop(dropped, x, y); });
      else
        Guarded(nullptr, [&] { self.host_.DragLeave(); });
    }
    gtk_drag_finish(context, accept, FALSE, time);
  }

  static void DragLeave(GtkWidget*, GdkDragContext*, guint, gpointer data) {
    TSceneWindow& self = Self(data);
    CancelLeave(self);
    self.pendingLeave_ = g_idle_add(DeliverLeave, &self);
  }

  static gboolean DeliverLeave(gpointer data) {
    TSceneWindow& self = Self(data);
    self.pendingLeave_ = 0;
    if (self.dropping_) return G_SOURCE_REMOVE;
    self.dragData_.reset();
    self.dragContext_ = nullptr;
    Guarded(nullptr, [&] { self.host_.DragLeave(); });
    return G_SOURCE_REMOVE;
  }

  // Internal drag: offers the drag to the window under the screen point.
  static void DragTo(int screenX, int screenY) {
    TSceneWindow* target = g_drag->origin->ContainsScreenPoint(screenX, screenY) ? g_drag->origin : nullptr;
    for (TSceneWindow* window : g_windows)
      if (!target && window->ContainsScreenPoint(screenX, screenY)) target = window;
    if (g_drag->over && g_drag->over != target) LeaveInternalTarget();
    g_drag->over = target;
    if (!target) return;
    const TPoint origin = target->ClientToScreen({0, 0});
    TDropData data;
    data.Source = g_drag->source;
    const rtl::TLifeToken::TWatch life = target->life_.Watch();
    const bool accepted = Guarded(nullptr, [&] {
      return target->host_.DragOver(data, screenX - origin.X, screenY - origin.Y);
    }, false);
    if (!life.Alive() || !g_drag) return;
    g_drag->accepted = accepted;
    target->SetCursor(accepted ? crDrag : crNoDrop);
  }

  static void LeaveInternalTarget() {
    TSceneWindow* target = g_drag->over;
    g_drag->over = nullptr;
    g_drag->accepted = false;
    target->SetCursor(crDefault);
    Guarded(nullptr, [&] { target->host_.DragLeave(); });
  }

  static void EndInternalDrag(bool drop, int screenX, int screenY) {
    TInternalDrag drag = *g_drag;
    const bool dropped = drop && drag.over && drag.accepted;
    const rtl::TLifeToken::TWatch originLife = drag.origin->life_.Watch();
    if (dropped) {
      g_drag->over = nullptr;
      drag.over->SetCursor(crDefault);
      const TPoint origin = drag.over->ClientToScreen({0, 0});
      TDropData data;
      data.Source = drag.source;
      Guarded(nullptr, [&] { drag.over->host_.Drop(data, screenX - origin.X, screenY - origin.Y); });
    } else if (g_drag->over) {
      LeaveInternalTarget();
    }
    g_drag.reset();
    if (!originLife.Alive()) return;
    drag.origin->ReleaseCapture();
    Guarded(nullptr, [&] { drag.origin->host_.InternalDragEnded(drag.source, dropped); });
  }

  static void CancelLeave(TSceneWindow& self) {
    if (self.pendingLeave_) g_source_remove(self.pendingLeave_);
    self.pendingLeave_ = 0;
  }
};

TSceneWindow::TSceneWindow(ISceneHost& host) : host_(host), clicks_(DoubleClickTime(), DoubleClickDistance()) {
  area_ = gtk_drawing_area_new();
  g_object_ref_sink(area_);
  gtk_widget_set_can_focus(area_, TRUE);
  gtk_widget_set_has_tooltip(area_, TRUE);
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                   GDK_SCROLL_MASK | GDK_LEAVE_NOTIFY_MASK | GDK_ENTER_NOTIFY_MASK |
                                   GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK);
  im_ = gtk_im_multicontext_new();
  gtk_im_context_set_use_preedit(im_, FALSE);  // the input method shows the composition beside the caret
  static const GtkTargetEntry targets[] = {
      {const_cast<gchar*>("text/uri-list"), 0, 0},
      {const_cast<gchar*>("UTF8_STRING"), 0, 1},
      {const_cast<gchar*>("text/plain;charset=utf-8"), 0, 1},
      {const_cast<gchar*>("text/plain"), 0, 1},
  };
  gtk_drag_dest_set(area_, static_cast<GtkDestDefaults>(0), targets, G_N_ELEMENTS(targets),
                    static_cast<GdkDragAction>(GDK_ACTION_COPY | GDK_ACTION_MOVE | GDK_ACTION_LINK));
  Connect();
  g_windows.push_back(this);
}

std::unique_ptr<TSceneWindow> TSceneWindow::CreatePopup(ISceneHost& host, TRect screenBounds, bool transparent) {
  auto window = std::make_unique<TSceneWindow>(host);
  window->popup_ = gtk_window_new(GTK_WINDOW_POPUP);
  g_object_ref_sink(window->popup_);
  gtk_container_add(GTK_CONTAINER(window->popup_), window->area_);
  window->SetPopupBounds(screenBounds);
  window->SetTransparent(transparent);
  return window;
}

void TSceneWindow::Connect() {
  g_signal_connect(area_, "size-allocate", G_CALLBACK(Signals::SizeAllocate), this);
  g_signal_connect(area_, "draw", G_CALLBACK(Signals::Draw), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(Signals::ButtonPress), this);
  g_signal_connect(area_, "button-release-event", G_CALLBACK(Signals::ButtonRelease), this);
  g_signal_connect(area_, "motion-notify-event", G_CALLBACK(Signals::Motion), this);
  g_signal_connect(area_, "leave-notify-event", G_CALLBACK(Signals::Leave), this);
  g_signal_connect(area_, "scroll-event", G_CALLBACK(Signals::Scroll), this);
  g_signal_connect(area_, "grab-broken-event", G_CALLBACK(Signals::GrabBroken), this);
  g_signal_connect(area_, "key-press-event", G_CALLBACK(Signals::KeyPress), this);
  g_signal_connect(area_, "key-release-event", G_CALLBACK(Signals::KeyRelease), this);
  g_signal_connect(area_, "focus-in-event", G_CALLBACK(Signals::FocusIn), this);
  g_signal_connect(area_, "focus-out-event", G_CALLBACK(Signals::FocusOut), this);
  g_signal_connect(area_, "realize", G_CALLBACK(Signals::Realize), this);
  g_signal_connect(area_, "unrealize", G_CALLBACK(Signals::Unrealize), this);
  g_signal_connect(area_, "query-tooltip", G_CALLBACK(Signals::QueryTooltip), this);
  g_signal_connect(area_, "drag-motion", G_CALLBACK(Signals::DragMotion), this);
  g_signal_connect(area_, "drag-leave", G_CALLBACK(Signals::DragLeave), this);
  g_signal_connect(area_, "drag-drop", G_CALLBACK(Signals::DragDrop), this);
  g_signal_connect(area_, "drag-data-received", G_CALLBACK(Signals::DataReceived), this);
  g_signal_connect(im_, "commit", G_CALLBACK(Signals::Commit), this);
  g_signal_connect(im_, "preedit-start", G_CALLBACK(Signals::PreeditStart), this);
  g_signal_connect(im_, "preedit-changed", G_CALLBACK(Signals::PreeditChanged), this);
  g_signal_connect(im_, "preedit-end", G_CALLBACK(Signals::PreeditEnd), this);
}

TSceneWindow::~TSceneWindow() {
  std::erase(g_windows, this);
  if (g_drag && g_drag->origin == this) g_drag.reset();
  if (g_drag && g_drag->over == this) g_drag->over = nullptr;
  Signals::CancelLeave(*this);
  if (captured_) ReleaseCapture();
  g_signal_handlers_disconnect_by_data(area_, this);
  g_signal_handlers_disconnect_by_data(im_, this);
  gtk_im_context_set_client_window(im_, nullptr);
  g_object_unref(im_);
  if (popup_) {
    gtk_widget_destroy(popup_);
    g_object_unref(popup_);
  } else {
    gtk_widget_destroy(area_);
  }
  g_object_unref(area_);
}

void TSceneWindow::Invalidate(const TRect& rect) {
  if (!rect.IsEmpty()) gtk_widget_queue_draw_area(area_, rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TSceneWindow::InvalidateAll() { gtk_widget_queue_draw(area_); }

int TSceneWindow::ClientWidth() const { return width_; }
int TSceneWindow::ClientHeight() const { return height_; }

TPoint TSceneWindow::ClientToScreen(TPoint point) const {
  GdkWindow* window = gtk_widget_get_window(area_);
  if (!window) return point;
  gint x = 0, y = 0;
  gdk_window_get_origin(window, &x, &y);
  return {point.X + x, point.Y + y};
}

void TSceneWindow::SetCapture() {
  GdkWindow* window = gtk_widget_get_window(area_);
  if (!window || captured_) return;
  GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(window));
  captured_ = gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr, nullptr, nullptr,
                            nullptr) == GDK_GRAB_SUCCESS;
}

void TSceneWindow::ReleaseCapture() {
  if (!captured_) return;
  captured_ = false;
  if (GdkWindow* window = gtk_widget_get_window(area_))
    gdk_seat_ungrab(gdk_display_get_default_seat(gdk_window_get_display(window)));
}

void TSceneWindow::SetCursor(TCursor cursor) {
  GdkWindow* window = gtk_widget_get_window(area_);
  if (!window || (window == cursorWindow_ && cursor == cursor_)) return;  // every motion asks again
  cursorWindow_ = window;
  cursor_ = cursor;
  GdkCursor* shape = gdk_cursor_new_from_name(gdk_window_get_display(window), CursorName(cursor));
  gdk_window_set_cursor(window, shape);
  if (shape) g_object_unref(shape);
}

void TSceneWindow::BeginInternalDrag(rtl::TObject* source) {
  if (g_drag) Signals::EndInternalDrag(false, 0, 0);
  g_drag = TInternalDrag{this, source, nullptr, false};
  SetCapture();
}

bool TSceneWindow::InternalDragging() const { return g_drag && g_drag->origin == this; }

bool TSceneWindow::ContainsScreenPoint(int x, int y) const {
  if (!gtk_widget_get_mapped(area_)) return false;
  const TPoint origin = ClientToScreen({0, 0});
  return x >= origin.X && y >= origin.Y && x < origin.X + width_ && y < origin.Y + height_;
}

void TSceneWindow::SetFocus() { gtk_widget_grab_focus(area_); }
bool TSceneWindow::Focused() const { return gtk_widget_has_focus(area_); }

void TSceneWindow::SetTransparent(bool transparent) {
  transparent_ = transparent;
  GtkWidget* toplevel = popup_ ? popup_ : gtk_widget_get_toplevel(area_);
  if (!transparent || !GTK_IS_WINDOW(toplevel)) return;
  gtk_widget_set_app_paintable(toplevel, TRUE);
  if (GdkVisual* visual = gdk_screen_get_rgba_visual(gtk_widget_get_screen(toplevel));
      visual && !gtk_widget_get_realized(toplevel))
    gtk_widget_set_visual(toplevel, visual);
}

// Without a compositor, alpha cannot show: the window is cut to the pixels
// the scene covers (the menu bar of a form above the scene stays).
void TSceneWindow::ApplyShape(cairo_surface_t* buffer) {
  GtkWidget* toplevel = popup_ ? popup_ : gtk_widget_get_toplevel(area_);
  GdkWindow* window = GTK_IS_WINDOW(toplevel) ? gtk_widget_get_window(toplevel) : nullptr;
  if (!window || IsComposited(toplevel)) return;
  int areaX = 0, areaY = 0;
  gtk_widget_translate_coordinates(area_, toplevel, 0, 0, &areaX, &areaY);
  cairo_region_t* region = gdk_cairo_region_create_from_surface(buffer);
  cairo_region_translate(region, areaX, areaY);
  if (areaY > 0) {
    const cairo_rectangle_int_t strip{0, 0, gdk_window_get_width(window), areaY};
    cairo_region_union_rectangle(region, &strip);
  }
  SetX11WindowShape(window, region);
  cairo_region_destroy(region);
}

void TSceneWindow::SetPopupBounds(TRect screenBounds) {
  if (!popup_) return;
  gtk_window_move(GTK_WINDOW(popup_), screenBounds.Left, screenBounds.Top);
  gtk_widget_set_size_request(area_, screenBounds.Width(), screenBounds.Height());
  gtk_window_resize(GTK_WINDOW(popup_), std::max(screenBounds.Width(), 1), std::max(screenBounds.Height(), 1));
}

void TSceneWindow::ShowPopup() {
  if (popup_) gtk_widget_show_all(popup_);
}

void TSceneWindow::HidePopup() {
  if (popup_) gtk_widget_hide(popup_);
}

}  // namespace gui
