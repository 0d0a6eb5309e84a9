// Windows on a real X display (run under xvfb-run): painting, input, modal
// runs, menus, message boxes and the clipboard.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/gui/Clipboard.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/GuiInit.h"
#include "platform/gui/Menus.h"
#include "platform/gui/SceneWindow.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/window_shot.h"

namespace gui {
namespace {

using test_support::Clock;
using test_support::PumpFor;
using test_support::PumpUntil;
using test_support::Pixel;
using test_support::ScreenPixel;
using test_support::SendKey;
using test_support::SendButton;
using test_support::SendMotion;
using test_support::Type;
using namespace std::chrono_literals;

// A scene stand-in: paints its whole buffer in one colour on every pass (so
// only the window's copying of dirty rectangles keeps the rest unchanged)
// and logs what reaches it.
class TRecordingHost : public ISceneHost {
 public:
  ~TRecordingHost() override {
    if (buffer_) cairo_surface_destroy(buffer_);
  }

  cairo_surface_t* Paint(const std::vector<TRect>& dirty) override {
    Dirty = dirty;
    ++Paints;
    cairo_t* cr = cairo_create(buffer_);
    cairo_set_source_rgb(cr, Red, Green, Blue);
    cairo_paint(cr);
    if (Decorate) Decorate(cr);
    cairo_destroy(cr);
    return buffer_;
  }
  void Resized(int width, int height) override {
    if (buffer_) cairo_surface_destroy(buffer_);
    buffer_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    Log.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    Log.push_back(std::string(shift.Contains(ssDouble) ? "double " : "down ") + std::to_string(button) + " " +
                  std::to_string(x) + "," + std::to_string(y));
  }
  void MouseMove(TShiftState, int x, int y) override { Moves.push_back({x, y}); }
  void MouseUp(TMouseButton button, TShiftState, int x, int y) override {
    Log.push_back("up " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
    if (OnInput) OnInput();
  }
  bool MouseWheel(TShiftState, int delta, int, int) override {
    Log.push_back("wheel " + std::to_string(delta));
    return true;
  }
  void MouseLeave() override { Log.push_back("leave"); }
  void KeyDown(std::uint16_t key, TShiftState shift) override {
    Log.push_back("keydown " + std::to_string(key) + (shift.Contains(ssCtrl) ? " ctrl" : ""));
    if (OnInput) OnInput();
  }
  void KeyUp(std::uint16_t key, TShiftState) override { Log.push_back("keyup " + std::to_string(key)); }
  void Char(char32_t c, TShiftState) override { Typed += c; }
  std::optional<TRect> ImeCaret() override { return TRect{10, 10, 11, 24}; }
  void ImeResult(const rtl::WideString& text) override { Composed += text; }
  bool QueryHint(int, int, rtl::WideString& text, TRect& area) override {
    text = u"hint";
    area = {0, 0, 10, 10};
    return true;
  }
  bool DragOver(const TDropData& data, int x, int y) override {
    Log.push_back("dragover " + std::to_string(x) + "," + std::to_string(y));
    return !Accept || Accept(data);
  }
  void DragLeave() override { Log.push_back("dragleave"); }
  void Drop(const TDropData& data, int x, int y) override {
    Log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
    Dropped.push_back(data);
  }
  void InternalDragEnded(rtl::TObject*, bool dropped) override {
    Log.push_back(dropped ? "ended dropped" : "ended refused");
  }

  std::function<bool(const TDropData&)> Accept;
  std::function<void()> OnInput;  // after a release or a key press is logged
  double Red = 1, Green = 0, Blue = 0;
  std::function<void(cairo_t*)> Decorate;
  int Paints = 0;
  std::vector<TRect> Dirty;
  std::vector<std::string> Log;
  std::vector<TPoint> Moves;
  std::u32string Typed;
  rtl::WideString Composed;
  std::vector<TDropData> Dropped;

 private:
  cairo_surface_t* buffer_ = nullptr;
};

// Answers each top-level window that `answer` accepts once it has been on
// screen for a moment, checking every 100 ms; the dialog runs its own loop.
// A file chooser ignores answers while it still sets itself up, which takes
// longer on a loaded machine, so the answer is repeated at every check until
// the window closes. One still open after 30 s is cancelled: the test
// then fails instead of waiting in the dialog's loop for ever.
void AnswerWhenShown(std::function<bool(GtkWidget*)> answer) {
  struct Pending {
    std::function<bool(GtkWidget*)> answer;
    Clock::time_point deadline;
    std::vector<GtkWidget*> seen;  // mapped at the previous check
    bool answered = false;
  };
  g_timeout_add(100, [](gpointer data) -> gboolean {
    auto* pending = static_cast<Pending*>(data);
    const bool late = Clock::now() > pending->deadline;
    GList* windows = gtk_window_list_toplevels();
    std::vector<GtkWidget*> mapped;
    bool open = false;
    for (GList* w = windows; w; w = w->next) {
      GtkWidget* window = GTK_WIDGET(w->data);
      if (!gtk_widget_get_mapped(window)) continue;
      mapped.push_back(window);
      const bool settled = std::find(pending->seen.begin(), pending->seen.end(), window) != pending->seen.end();
      if (!settled || !pending->answer(window)) continue;
      pending->answered = open = true;
      if (late && GTK_IS_DIALOG(window)) gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
    }
    g_list_free(windows);
    pending->seen = mapped;
    const bool closed = pending->answered && !open;
    if (late && !closed) ADD_FAILURE() << "no dialog took its answer in time";
    const bool done = closed || late;
    if (done) delete pending;
    return done ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
  }, new Pending{std::move(answer), Clock::now() + 30s, {}, false});
}

class Display : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("GTK_IM_MODULE", "gtk-im-context-simple", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);  // the file chooser keeps its settings in memory
  }
  void SetUp() override {
    if (!InitGui()) GTEST_SKIP() << "no display";
    RegisterGuiClasses();
  }

  // A shown form whose client area is `host`'s scene window.
  TForm* ShowForm(TRecordingHost& host, int width = 200, int height = 120) {
    auto* form = new TForm(nullptr);
    form->SetClientWidth(width);
    form->SetClientHeight(height);
    form->SetBorderStyle(bsSingle);
    form->SetPosition(poScreenCenter);
    form->SetClientHost(&host);
    form->Show();
    EXPECT_TRUE(PumpUntil([&] { return host.Paints > 0 && Mapped(form); }));
    PumpFor(50ms);
    return form;
  }

  static bool Mapped(TForm* form) {
    TSceneWindow* scene = form->ClientWindow();
    return scene && gtk_widget_get_mapped(scene->Widget());
  }
};

TEST_F(Display, SceneWindowRepaintsOnlyItsDirtyAreas) {
  TRecordingHost host;
  TForm* form = ShowForm(host);
  TSceneWindow& scene = *form->ClientWindow();
  EXPECT_EQ(host.Log.front(), "size 200x120");
  EXPECT_EQ(ScreenPixel(scene, 50, 50), 0xFF0000u);

  host.Red = 0;
  host.Blue = 1;  // the host now paints everything blue
  const int before = host.Paints;
  scene.Invalidate({10, 20, 40, 30});
  ASSERT_TRUE(PumpUntil([&] { return host.Paints > before; }));
  PumpFor(30ms);
  EXPECT_EQ(host.Dirty, (std::vector<TRect>{{10, 20, 40, 30}}));
  EXPECT_EQ(ScreenPixel(scene, 10, 20), 0x0000FFu);
  EXPECT_EQ(ScreenPixel(scene, 39, 29), 0x0000FFu);
  EXPECT_EQ(ScreenPixel(scene, 40, 29), 0xFF0000u);  // just outside: the window copied only the dirty area
  EXPECT_EQ(ScreenPixel(scene, 150, 100), 0xFF0000u);

  // Two areas invalidated before the loop runs arrive in one pass.
  const int second = host.Paints;
  scene.Invalidate({0, 0, 5, 5});
  scene.Invalidate({100, 100, 110, 104});
  ASSERT_TRUE(PumpUntil([&] { return host.Paints > second; }));
  EXPECT_EQ(host.Paints, second + 1);
  EXPECT_EQ(host.Dirty, (std::vector<TRect>{{0, 0, 5, 5}, {100, 100, 110, 104}}));
  form->Free();
}

TEST_F(Display, SizeableFormsFollowTheUsersResizing) {
  TRecordingHost host;
  TForm* form = ShowForm(host, 300, 200);
  form->SetBorderStyle(bsSizeable);
  GtkWindow* window = GTK_WINDOW(form->Handle());
  const struct {
    int width, height;
  } sizes[] = {{420, 260}, {180, 110}};  // larger, then smaller than designed
  for (const auto& size : sizes) {
    gtk_window_resize(window, size.width, size.height);  // as a window-frame drag would
    EXPECT_TRUE(PumpUntil([&] { return form->ClientWidth() == size.width; })) << size.width;
    EXPECT_EQ(form->ClientHeight(), size.height) << size.width;
  }
  form->SetLeft(form->Left() + 20);  // a window drag keeps the user's size
  PumpFor(100ms);
  int width = 0, height = 0;
  gtk_window_get_size(window, &width, &height);
  EXPECT_EQ(width, 180);
  EXPECT_EQ(height, 110);
  EXPECT_EQ(form->ClientWidth(), 180);
  form->Free();
}

TEST_F(Display, ClicksAndTypedTextReachTheHost) {
  TRecordingHost host;
  TForm* form = ShowForm(host);
  TSceneWindow& scene = *form->ClientWindow();
  host.Log.clear();

  // GDK's own double-press event is ignored; the tracker decides.
  SendButton(scene, GDK_BUTTON_PRESS, 1, 30.6, 40.2, 1000);
  SendButton(scene, GDK_BUTTON_RELEASE, 1, 30.6, 40.2, 1050);
  SendButton(scene, GDK_BUTTON_PRESS, 1, 31, 41, 1100);
  SendButton(scene, GDK_2BUTTON_PRESS, 1, 31, 41, 1100);
  SendButton(scene, GDK_BUTTON_RELEASE, 1, 31, 41, 1150);
  SendButton(scene, GDK_BUTTON_PRESS, 3, 5, 6, 5000);
  SendButton(scene, GDK_BUTTON_RELEASE, 3, 5, 6, 5010);
  EXPECT_EQ(host.Log, (std::vector<std::string>{"down 0 30,40", "up 0 30,40", "double 0 31,41", "up 0 31,41",
                                                "down 1 5,6", "up 1 5,6"}));
  EXPECT_TRUE(scene.Focused());  // a press gives the scene the keyboard

  host.Log.clear();
  GtkWidget* window = form->Handle();
  Type(window, GDK_KEY_A, GDK_SHIFT_MASK);
  Type(window, GDK_KEY_b);
  Type(window, gdk_unicode_to_keyval(U'中'));
  Type(window, GDK_KEY_c, GDK_CONTROL_MASK);
  Type(window, GDK_KEY_Return);
  PumpFor(20ms);
  EXPECT_EQ(host.Typed, (std::u32string{U'A', U'b', U'中', 3, 13}));
  EXPECT_EQ(host.Log[0], "keydown 65");
  EXPECT_EQ(host.Log[1], "keyup 65");
  EXPECT_NE(std::find(host.Log.begin(), host.Log.end(), "keydown 67 ctrl"), host.Log.end());
  EXPECT_EQ(host.Log.back(), "keyup 13");
  form->Free();
}

TEST_F(Display, ModalFormReturnsItsModalResult) {
  auto* owner = new TForm(nullptr);
  owner->SetPosition(poScreenCenter);
  owner->Show();
  SetMainForm(owner);
  auto* dialog = new TForm(owner);
  dialog->SetBorderStyle(bsDialog);
  dialog->SetPosition(poOwnerFormCenter);
  dialog->SetCaption(u"提示信息");

  // A button press sets the result.
  g_timeout_add(50, [](gpointer data) -> gboolean {
    static_cast<TForm*>(data)->SetModalResult(mrOk);
    return G_SOURCE_REMOVE;
  }, dialog);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(dialog->Left(), owner->Left() + (owner->Width() - dialog->Width()) / 2);

  // Esc and the close box give mrCancel.
  g_timeout_add(50, [](gpointer data) -> gboolean {
    Type(static_cast<TForm*>(data)->Handle(), GDK_KEY_Escape);
    return G_SOURCE_REMOVE;
  }, dialog);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  g_timeout_add(50, [](gpointer data) -> gboolean {
    gtk_window_close(GTK_WINDOW(static_cast<TForm*>(data)->Handle()));
    return G_SOURCE_REMOVE;
  }, dialog);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  SetMainForm(nullptr);
  owner->Free();
}

TEST_F(Display, MenuRadioGroupChecksAndUnchecks) {
  auto* form = new TForm(nullptr);
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption(u"&File");
  menu->Items()->Add(file);
  std::vector<TMenuItem*> languages;
  for (const char16_t* caption : {u"English", u"简体中文"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->SetRadioItem(true);
    item->SetAutoCheck(true);
    item->SetGroupIndex(1);
    file->Add(item);
    languages.push_back(item);
  }
  auto* help = new TMenuItem(form);
  help->SetCaption(u"&Help...");
  help->SetShortCut(ShortCut(vk::F1));
  int helpClicks = 0;
  help->OnClick = [&](rtl::TObject*) { ++helpClicks; };
  file->Add(help);
  form->SetMenu(menu);
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(form->Handle()); }));

  auto widget = [&](TMenuItem* item) { return GTK_CHECK_MENU_ITEM(menu->ItemWidget(item)); };
  ASSERT_NE(menu->ItemWidget(languages[0]), nullptr);
  EXPECT_TRUE(gtk_check_menu_item_get_draw_as_radio(widget(languages[0])));

  gtk_menu_item_activate(GTK_MENU_ITEM(widget(languages[0])));
  EXPECT_TRUE(languages[0]->Checked());
  EXPECT_TRUE(gtk_check_menu_item_get_active(widget(languages[0])));
  gtk_menu_item_activate(GTK_MENU_ITEM(widget(languages[1])));
  EXPECT_FALSE(languages[0]->Checked());
  EXPECT_TRUE(languages[1]->Checked());
  EXPECT_FALSE(gtk_check_menu_item_get_active(widget(languages[0])));
  gtk_menu_item_activate(GTK_MENU_ITEM(widget(languages[1])));  // the checked one unchecks
  EXPECT_FALSE(languages[1]->Checked());
  EXPECT_FALSE(gtk_check_menu_item_get_active(widget(languages[1])));

  // Model changes show at once; items added at run time appear.
  languages[0]->SetVisible(false);
  EXPECT_FALSE(gtk_widget_get_visible(menu->ItemWidget(languages[0])));
  auto* added = new TMenuItem(form);
  added->SetCaption(u"Model A");
  added->SetRadioItem(true);
  added->SetChecked(true);
  file->Add(added);
  ASSERT_NE(menu->ItemWidget(added), nullptr);
  EXPECT_TRUE(gtk_check_menu_item_get_active(widget(added)));
  EXPECT_STREQ(gtk_menu_item_get_label(GTK_MENU_ITEM(menu->ItemWidget(file))), "_File");

  Type(form->Handle(), GDK_KEY_F1);  // the shortcut
  PumpFor(20ms);
  EXPECT_EQ(helpClicks, 1);
  form->Free();
}

TEST_F(Display, MessageBoxAnswers) {
  AnswerWhenShown([](GtkWidget* window) {
    if (!GTK_IS_MESSAGE_DIALOG(window)) return false;
    gtk_dialog_response(GTK_DIALOG(window), IDNO);
    return true;
  });
  EXPECT_EQ(Dialogs().MessageBox(nullptr, u"保存更改?", u"错误", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
}

TEST_F(Display, AMessageBoxOpensWithItsFirstButtonFocusedAndDefault) {
  const struct {
    unsigned flags;
    int first;
  } cases[] = {{MB_OK, IDOK}, {MB_OKCANCEL, IDOK}, {MB_YESNO, IDYES}, {MB_YESNOCANCEL, IDYES}};
  for (const auto& c : cases) {
    bool focused = false, isDefault = false;
    AnswerWhenShown([&](GtkWidget* window) {
      if (!GTK_IS_MESSAGE_DIALOG(window)) return false;
      GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(window), c.first);
      focused = button && gtk_window_get_focus(GTK_WINDOW(window)) == button;
      isDefault = button && gtk_widget_has_default(button);
      gtk_dialog_response(GTK_DIALOG(window), c.first);
      return true;
    });
    EXPECT_EQ(Dialogs().MessageBox(nullptr, u"Done", u"Info", c.flags), c.first) << c.flags;
    EXPECT_TRUE(focused) << c.flags;
    EXPECT_TRUE(isDefault) << c.flags;
  }
}

TEST_F(Display, ClipboardRoundTripsChineseText) {
  const rtl::WideString text = u"电调参数 ESC 𠀋";  // with a character beyond the basic plane
  Clipboard().SetAsText(text);
  EXPECT_TRUE(Clipboard().HasText());
  EXPECT_EQ(Clipboard().AsText(), text);
}

TEST_F(Display, InputQueryProposesTheTextAndReturnsTheTypedOne) {
  std::string title, proposed;
  AnswerWhenShown([&](GtkWidget* window) {
    if (!GTK_IS_DIALOG(window)) return false;
    title = gtk_window_get_title(GTK_WINDOW(window));
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(window));
    GList* children = gtk_container_get_children(GTK_CONTAINER(content));
    for (GList* child = children; child; child = child->next)
      if (GTK_IS_ENTRY(child->data)) {
        proposed = gtk_entry_get_text(GTK_ENTRY(child->data));
        gtk_entry_set_text(GTK_ENTRY(child->data), "笔刷 Accent");
      }
    g_list_free(children);
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
    return true;
  });
  rtl::WideString value = u"Brush1";
  EXPECT_TRUE(Dialogs().InputQuery(u"New TvgBrushObject", u"Enter resource name:", value));
  EXPECT_EQ(title, "New TvgBrushObject");
  EXPECT_EQ(proposed, "Brush1");
  EXPECT_EQ(value, u"笔刷 Accent");
  AnswerWhenShown([](GtkWidget* window) {
    if (!GTK_IS_DIALOG(window)) return false;
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
    return true;
  });
  EXPECT_FALSE(Dialogs().InputQuery(u"New TvgBrushObject", u"Enter resource name:", value));
  EXPECT_EQ(value, u"笔刷 Accent");
}

TEST_F(Display, ClipboardRoundTripsAPictureWithItsAlpha) {
  // Premultiplied BGRA: an opaque pixel and one half transparent.
  const std::uint8_t pixels[] = {0x10, 0x20, 0x30, 0xFF, 0x00, 0x20, 0x40, 0x80};
  rtl::TBitmap picture(2, 1, rtl::TPixelFormat::pf32bit);
  std::copy(std::begin(pixels), std::end(pixels), picture.ScanLine(0));
  Clipboard().SetPicture(picture);
  rtl::TBitmap pasted;
  ASSERT_TRUE(Clipboard().GetPicture(pasted));
  ASSERT_EQ(pasted.PixelFormat(), rtl::TPixelFormat::pf32bit);
  ASSERT_EQ(pasted.Width(), 2);
  ASSERT_EQ(pasted.Height(), 1);
  EXPECT_TRUE(std::equal(std::begin(pixels), std::end(pixels), pasted.ScanLine(0)));

  rtl::TBitmap opaque(1, 1);  // 24-bit: taken as opaque
  opaque.SetPixelColor(0, 0, {0xC0, 0x80, 0x40});
  Clipboard().SetPicture(opaque);
  ASSERT_TRUE(Clipboard().GetPicture(pasted));
  const std::uint8_t* bgra = pasted.ScanLine(0);
  EXPECT_EQ((std::vector<int>{bgra[0], bgra[1], bgra[2], bgra[3]}), (std::vector<int>{0x40, 0x80, 0xC0, 0xFF}));

  Clipboard().SetAsText(u"text");
  EXPECT_FALSE(Clipboard().GetPicture(pasted)) << "text is no picture";
}

TEST_F(Display, ExceptionsInHostCallsGoToTheApplication) {
  class TThrowingHost : public TRecordingHost {
   public:
    void MouseDown(TMouseButton, TShiftState, int, int) override { throw rtl::Exception("press failed"); }
  } host;
  TForm* form = ShowForm(host);
  std::vector<std::string> handled;
  Application->OnException = [&](rtl::TObject*, const std::exception& e) { handled.push_back(e.what()); };
  SendButton(*form->ClientWindow(), GDK_BUTTON_PRESS, 1, 5, 5, 100);
  SendButton(*form->ClientWindow(), GDK_BUTTON_RELEASE, 1, 5, 5, 110);
  Application->OnException = nullptr;
  EXPECT_EQ(handled, std::vector<std::string>{"press failed"});
  EXPECT_EQ(host.Log.back(), "up 0 5,5");  // the window goes on
  form->Free();
}

TEST_F(Display, TransparentPopupShowsOnlyWhatTheSceneCovers) {
  TRecordingHost behind;  // an opaque red window under the popup
  TForm* form = ShowForm(behind, 300, 200);
  const TPoint origin = form->ClientWindow()->ClientToScreen({0, 0});

  TRecordingHost host;
  host.Decorate = [](cairo_t* cr) {  // left half green, right half fully transparent
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_rectangle(cr, 0, 0, 50, 60);
    cairo_fill(cr);
  };
  const TRect bounds{origin.X + 20, origin.Y + 20, origin.X + 120, origin.Y + 80};
  auto popup = TSceneWindow::CreatePopup(host, bounds, true);
  popup->ShowPopup();
  ASSERT_TRUE(PumpUntil([&] { return host.Paints > 0; }));
  PumpFor(80ms);
  GdkWindow* screen = gdk_get_default_root_window();
  EXPECT_EQ(Pixel(screen, origin.X + 30, origin.Y + 40), 0x00FF00u);   // the popup's opaque half
  EXPECT_EQ(Pixel(screen, origin.X + 100, origin.Y + 40), 0xFF0000u);  // seen through the transparent half
  popup.reset();
  form->Free();
}

// A drop-down list closes, and its window goes, while a modal loop runs
// inside the click or key that chose an entry.
TEST_F(Display, AHostMayFreeItsWindowWhileHandlingAReleaseOrAKey) {
  for (const GdkEventType kind : {GDK_BUTTON_RELEASE, GDK_KEY_PRESS}) {
    SCOPED_TRACE(kind);
    TRecordingHost host;
    std::unique_ptr<TSceneWindow> popup = TSceneWindow::CreatePopup(host, {100, 100, 200, 160}, false);
    popup->ShowPopup();
    ASSERT_TRUE(PumpUntil([&] { return host.Paints > 0; }));
    popup->SetFocus();
    host.Log.clear();
    host.OnInput = [&] { popup.reset(); };
    if (kind == GDK_BUTTON_RELEASE)
      SendButton(*popup, kind, 1, 150, 20, 10);  // released outside: the window would check its size
    else
      SendKey(gtk_widget_get_toplevel(popup->Widget()), GDK_KEY_a, 0);
    EXPECT_FALSE(popup);
    ASSERT_FALSE(host.Log.empty());
    EXPECT_EQ(host.Log.size(), 1u) << host.Log.back();  // nothing more reached the host
    EXPECT_TRUE(host.Typed.empty());
  }
}

TEST_F(Display, CompositionResultReachesTheHost) {
  TRecordingHost host;
  TForm* form = ShowForm(host);
  form->ClientWindow()->SetFocus();
  GtkWidget* window = form->Handle();
  // The simple input method composes a character from its hex code:
  // Ctrl+Shift+U, the digits, then space.
  SendKey(window, GDK_KEY_U, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
  SendKey(window, GDK_KEY_U, GDK_CONTROL_MASK | GDK_SHIFT_MASK, false);
  SendKey(window, GDK_KEY_Shift_L, GDK_CONTROL_MASK | GDK_SHIFT_MASK, false);
  SendKey(window, GDK_KEY_Control_L, GDK_CONTROL_MASK, false);
  for (unsigned key : {GDK_KEY_4, GDK_KEY_e, GDK_KEY_2, GDK_KEY_d, GDK_KEY_space}) Type(window, key);
  PumpFor(20ms);
  EXPECT_EQ(host.Composed, u"中");
  EXPECT_TRUE(host.Typed.empty());  // the composing keys typed nothing themselves
  form->Free();
}

TEST_F(Display, InternalDragDropsOnAnotherWindowAndRefusesItself) {
  TRecordingHost sourceHost, targetHost;
  TForm* source = ShowForm(sourceHost);
  TForm* target = ShowForm(targetHost);
  source->SetBounds(50, 50, 200, 120);
  target->SetBounds(400, 50, 200, 120);
  PumpFor(80ms);
  TSceneWindow& from = *source->ClientWindow();
  TSceneWindow& to = *target->ClientWindow();
  rtl::TObject dragged;
  sourceHost.Accept = [&](const TDropData& data) { return data.Source != &dragged; };  // no drop on itself
  sourceHost.Log.clear();
  targetHost.Log.clear();

  const TPoint a = from.ClientToScreen({0, 0}), b = to.ClientToScreen({0, 0});
  from.BeginInternalDrag(&dragged);
  EXPECT_TRUE(from.InternalDragging());
  EXPECT_TRUE(from.HasCapture());  // the pointer stays with the drag outside the window
  SendMotion(from, a.X + 20, a.Y + 20);
  SendMotion(from, b.X + 30, b.Y + 40);
  SendButton(from, GDK_BUTTON_RELEASE, 1, b.X + 31 - a.X, b.Y + 41 - a.Y, 10);
  EXPECT_FALSE(from.InternalDragging());
  EXPECT_FALSE(from.HasCapture());
  EXPECT_EQ(sourceHost.Log, (std::vector<std::string>{"dragover 20,20", "dragleave", "ended dropped"}));
  EXPECT_EQ(targetHost.Log, (std::vector<std::string>{"dragover 30,40", "dragover 31,41", "drop 31,41"}));
  ASSERT_EQ(targetHost.Dropped.size(), 1u);
  EXPECT_EQ(targetHost.Dropped[0].Source, &dragged);

  // Released over itself: refused, nothing dropped.
  sourceHost.Log.clear();
  from.BeginInternalDrag(&dragged);
  SendMotion(from, a.X + 60, a.Y + 60);
  SendButton(from, GDK_BUTTON_RELEASE, 1, 61, 61, 20);
  EXPECT_EQ(sourceHost.Log, (std::vector<std::string>{"dragover 60,60", "dragover 61,61", "dragleave", "ended refused"}));
  target->Free();
  source->Free();
}

TEST_F(Display, PopupMenuOpensAndRunsItsItem) {
  auto* owner = new TForm(nullptr);
  auto* popup = new TPopupMenu(owner);
  auto* copy = new TMenuItem(owner);
  copy->SetCaption(u"&Copy");
  auto* paste = new TMenuItem(owner);
  paste->SetCaption(u"Paste");
  paste->SetEnabled(false);
  popup->Items()->Add(copy);
  popup->Items()->Add(paste);
  int popups = 0, copies = 0;
  popup->OnPopup = [&](rtl::TObject*) { ++popups; };
  copy->OnClick = [&](rtl::TObject*) { ++copies; };
  owner->Show();
  popup->Popup(200, 150);
  GtkWidget* item = popup->ItemWidget(copy);
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(item); }));
  EXPECT_EQ(popups, 1);
  EXPECT_FALSE(gtk_widget_get_sensitive(popup->ItemWidget(paste)));
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  EXPECT_EQ(copies, 1);
  popup->ClosePopup();
  EXPECT_TRUE(PumpUntil([&] { return !gtk_widget_get_mapped(item); }));
  owner->Free();
}

TEST_F(Display, FileAndColourDialogsReturnTheChoice) {
  TSaveDialog save(nullptr);
  save.Filter = "Text (*.txt)|*.txt|All (*.*)|*.*";
  save.FilterIndex = 2;
  save.DefaultExt = "txt";
  const std::string folder = std::filesystem::temp_directory_path().string();
  std::string shownFilter;
  AnswerWhenShown([&](GtkWidget* window) {
    if (!GTK_IS_FILE_CHOOSER_DIALOG(window)) return false;
    auto* chooser = GTK_FILE_CHOOSER(window);
    shownFilter = gtk_file_filter_get_name(gtk_file_chooser_get_filter(chooser));
    gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    gtk_file_chooser_set_current_name(chooser, "report");
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_ACCEPT);
    return true;
  });
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(shownFilter, "All (*.*)");
  EXPECT_EQ(std::filesystem::path(save.FileName).filename(), "report.txt");
  EXPECT_EQ(save.FilterIndex, 2);

  // An open dialog starts in its folder (not on GTK's "Recent" list) and
  // takes a bare name as a file of that folder.
  const std::filesystem::path start = std::filesystem::path(folder) / ("open-" + std::to_string(getpid()));
  std::filesystem::create_directories(start);
  std::ofstream(start / "chosen.txt") << "x";
  TOpenDialog open(nullptr);
  open.InitialDir = start.string();
  open.FileName = "chosen.txt";
  std::string startFolder;
  AnswerWhenShown([&](GtkWidget* window) {
    if (!GTK_IS_FILE_CHOOSER_DIALOG(window)) return false;
    gchar* current = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(window));
    startFolder = current ? current : "";
    g_free(current);
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_ACCEPT);
    return true;
  });
  const bool opened = open.Execute();
  std::filesystem::remove_all(start);
  ASSERT_TRUE(opened);
  EXPECT_EQ(startFolder, start.string());
  EXPECT_EQ(open.FileName, (start / "chosen.txt").string());

  TColorDialog colour(nullptr);
  AnswerWhenShown([](GtkWidget* window) {
    if (!GTK_IS_COLOR_CHOOSER_DIALOG(window)) return false;
    const GdkRGBA orange{1.0, 0.5, 0.0, 1.0};
    gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(window), &orange);
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
    return true;
  });
  ASSERT_TRUE(colour.Execute());
  EXPECT_EQ(colour.Color, 0x0080FF);  // 0x00BBGGRR
}

TEST_F(Display, DemoFormScreenshot) {
  TRecordingHost host;
  host.Red = 0.95, host.Green = 0.95, host.Blue = 0.96;
  host.Decorate = [](cairo_t* cr) {
    cairo_set_source_rgb(cr, 0.16, 0.45, 0.78);
    cairo_rectangle(cr, 0, 0, 130, 400);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 16);
    cairo_move_to(cr, 150, 40);
    cairo_show_text(cr, "esctool demo form");
  };
  auto* form = new TForm(nullptr);
  form->SetCaption(u"esctool demo");
  auto* menu = new TMainMenu(form);
  for (const char16_t* caption : {u"&File", u"&Device", u"&Version", u"&Help"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  form->SetMenu(menu);
  form->SetClientWidth(400);
  form->SetClientHeight(300);
  form->SetClientHost(&host);
  const std::string icon = (std::filesystem::temp_directory_path() / "esctool_icon.png").string();
  GdkPixbuf* picture = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 16, 16);
  gdk_pixbuf_fill(picture, 0x2873C7FF);
  ASSERT_TRUE(gdk_pixbuf_save(picture, icon.c_str(), "png", nullptr, nullptr));
  g_object_unref(picture);
  EXPECT_TRUE(form->LoadIcon(icon));
  EXPECT_FALSE(form->LoadIcon(icon + ".missing"));
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return host.Paints > 0 && Mapped(form); }));
  PumpFor(100ms);
  EXPECT_NE(gtk_window_get_icon(GTK_WINDOW(form->Handle())), nullptr);
  const auto shot = test_support::SaveWindowShot(form->Handle(), "demo_form");
  ASSERT_TRUE(shot);
  EXPECT_GE(shot->height, 300);
  form->Free();
}

}  // namespace
}  // namespace gui
