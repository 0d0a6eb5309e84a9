// The memo and the string lists at two sizes each, beside the same work
// done by GTK's own views in the same run: a GtkTextView (load, a key at the
// end, a click on a long line, with and without wrapping) and a GtkTreeView
// over a GtkListStore (strings added one at a time, one string changed);
// and the caret offsets of a long line from each back-end's canvas.
// Every case ends with its view drawn: ours on an embedded scene with the
// GDI+ canvas and the built-in style, GTK's after its pending idle work, into
// an image surface. Needs a display: run under xvfb-run.
//
// Sizes: the larger is twice the smaller, so a case that grows linearly
// takes about twice as long at the larger size.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "bench/GdiPlusBackEnd.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_controls.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_memo.h"
#include "ui/core/vg_keys.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_d2d.h"
#include "ui/render/vg_canvas_gdip.h"

namespace {

constexpr int kViewWidth = 500, kViewHeight = 400;
constexpr int kClickX = 250, kClickY = 5;

std::string LogLine(int i) { return "line " + std::to_string(i) + " some words here"; }

std::string LogText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += LogLine(i) + (i + 1 < lines ? "\n" : "");
  return text;
}

// One line of the given length: words when it is to wrap, else one run.
std::string LongLine(int length, bool words) {
  std::string line;
  for (int i = 0; static_cast<int>(line.size()) < length; ++i) line += words ? (i % 6 == 5 ? ' ' : 'a') : 'a';
  line.resize(static_cast<std::size_t>(length));
  return line;
}

// ----- ours

using BackEnd = vgbench::GdiPlusBackEnd;

template <class Control>
struct Scene {
  BackEnd backEnd;
  vg::TvgOwned<vg::TvgScene> scene{new vg::TvgScene(nullptr)};
  Control* control = new Control(nullptr);

  Scene() {
    scene->CreateEmbedded(kViewWidth, kViewHeight, [](rtl::TObject*) {});
    auto* root = new vg::TvgBackground(nullptr);
    scene->AddObject(root);
    control->SetParent(root);
    control->SetBounds(0, 0, kViewWidth, kViewHeight);
    control->ApplyResource();
    scene->Draw();
  }
};

struct MemoScene : Scene<vg::TvgMemo> {
  explicit MemoScene(bool wrap) {
    control->SetAutoSelect(false);
    control->SetWordWrap(wrap);
    control->SetFocus();
  }
  void Key(std::uint16_t key, char16_t keyChar, vg::TvgShiftState shift = 0) {
    scene->EmbeddedKeyDown(key, keyChar, shift);
    std::uint16_t upKey = key;
    char16_t upChar = 0;
    scene->EmbeddedKeyUp(upKey, upChar, shift);
  }
  void Click(int x, int y) {
    scene->EmbeddedMouseDown(vg::vgMouseLeft, vg::vgLeftButton, x, y);
    scene->EmbeddedMouseUp(vg::vgMouseLeft, 0, x, y);
  }
};

bool Wrapped(const benchmark::State& state) { return state.range(1) != 0; }

void Ours_MemoLoadLines(benchmark::State& state) {
  const rtl::WideString text = rtl::W(LogText(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    state.PauseTiming();
    {
      MemoScene memo(Wrapped(state));
      state.ResumeTiming();
      memo.control->SetText(text);
      memo.scene->Draw();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}

// A character typed at the end of the last line and taken back.
void Ours_MemoKeyAtEnd(benchmark::State& state) {
  MemoScene memo(Wrapped(state));
  memo.control->SetText(rtl::W(LogText(static_cast<int>(state.range(0)))));
  memo.Key(vg::kKeyEnd, 0, vg::vgCtrl);
  memo.scene->Draw();
  for (auto _ : state) {
    memo.Key(0, u'x');
    memo.scene->Draw();
    memo.Key(vg::kKeyBack, 0);
    memo.scene->Draw();
  }
}

// A press and release near the start of a long line scrolled to its end.
void Ours_MemoClickLongLine(benchmark::State& state) {
  MemoScene memo(Wrapped(state));
  memo.control->SetText(rtl::W(LongLine(static_cast<int>(state.range(0)), Wrapped(state))));
  memo.Key(vg::kKeyEnd, 0, vg::vgCtrl);
  memo.scene->Draw();
  const vg::TCaretPosition end = memo.control->CaretPosition();
  memo.Click(kClickX, kClickY);
  if (memo.control->CaretPosition() == end) state.SkipWithError("the click did not move the caret");
  for (auto _ : state) {
    memo.Click(kClickX, kClickY);
    memo.scene->Draw();
  }
}

// Down and Up between two long lines, keeping the caret's x.
void Ours_MemoDownUpLongLines(benchmark::State& state) {
  MemoScene memo(false);
  const std::string line = LongLine(static_cast<int>(state.range(0)), false);
  memo.control->SetText(rtl::W(line + "\n" + line));
  memo.Click(kClickX, kClickY);
  for (auto _ : state) {
    memo.Key(vg::kKeyDown, 0);
    memo.Key(vg::kKeyUp, 0);
    memo.scene->Draw();
  }
}

// The caret offsets of a long line from a back-end's canvas.
template <class Canvas>
void Ours_LongLineCaretOffsets(benchmark::State& state) {
  BackEnd backEnd;
  Canvas canvas(kViewWidth, kViewHeight);
  const rtl::WideString line = rtl::W(LongLine(static_cast<int>(state.range(0)), false));
  for (auto _ : state) benchmark::DoNotOptimize(canvas.CaretOffsets(line));
}

rtl::WideString Item(int i) { return rtl::W("item " + std::to_string(i)); }

// Strings added one at a time to a string list or combo box, then drawn.
template <class Control>
void Ours_AddOneByOne(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    {
      Scene<Control> list;
      state.ResumeTiming();
      for (int i = 0; i < state.range(0); ++i) list.control->Items()->Add(Item(i));
      list.scene->Draw();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}

void Ours_StringListBatchedBuild(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    {
      Scene<vg::TvgStringListBox> list;
      state.ResumeTiming();
      list.control->BeginUpdate();
      for (int i = 0; i < state.range(0); ++i) list.control->Items()->Add(Item(i));
      list.control->EndUpdate();
      list.scene->Draw();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}

void Ours_StringListChangeOne(benchmark::State& state) {
  Scene<vg::TvgStringListBox> list;
  const int count = static_cast<int>(state.range(0));
  list.control->BeginUpdate();
  for (int i = 0; i < count; ++i) list.control->Items()->Add(Item(i));
  list.control->EndUpdate();
  list.scene->Draw();
  int round = 0;
  for (auto _ : state) {
    list.control->Items()->SetStrings(count / 2, Item(++round));
    list.scene->Draw();
  }
}

// ----- GTK's own views

void StartGtk() {
  static const bool started = [] {
    gtk_init(nullptr, nullptr);
    return true;
  }();
  (void)started;
}

void DrainGtk() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

struct GtkView {
  GtkWidget* window;
  GtkWidget* view;
  cairo_surface_t* surface;

  // The view is made once GTK has started.
  explicit GtkView(const std::function<GtkWidget*()>& make) {
    StartGtk();
    GtkWidget* child = make();
    window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), kViewWidth, kViewHeight);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(scrolled), child);
    gtk_container_add(GTK_CONTAINER(window), scrolled);
    view = child;
    gtk_widget_show_all(window);
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kViewWidth, kViewHeight);
    Settle();
  }
  ~GtkView() {
    cairo_surface_destroy(surface);
    gtk_widget_destroy(window);
    DrainGtk();
  }
  GtkView(const GtkView&) = delete;
  GtkView& operator=(const GtkView&) = delete;

  // Pending work done, the window laid out (as its frame clock would) and
  // drawn.
  void Settle() {
    DrainGtk();
    gtk_container_check_resize(GTK_CONTAINER(window));
    DrainGtk();
    cairo_t* cr = cairo_create(surface);
    gtk_widget_draw(window, cr);
    cairo_destroy(cr);
  }
};

struct GtkText : GtkView {
  explicit GtkText(bool wrap) : GtkView(gtk_text_view_new) {
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), wrap ? GTK_WRAP_WORD_CHAR : GTK_WRAP_NONE);
    gtk_widget_grab_focus(view);
    Settle();
  }
  GtkTextBuffer* Buffer() { return gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)); }
  int CursorOffset() {
    GtkTextIter at;
    gtk_text_buffer_get_iter_at_mark(Buffer(), &at, gtk_text_buffer_get_insert(Buffer()));
    return gtk_text_iter_get_offset(&at);
  }
  void Button(GdkEventType type, int x, int y) {
    GdkEvent* event = gdk_event_new(type);
    GdkWindow* textWindow = gtk_text_view_get_window(GTK_TEXT_VIEW(view), GTK_TEXT_WINDOW_TEXT);
    event->button.window = GDK_WINDOW(g_object_ref(textWindow));
    event->button.button = 1;
    event->button.x = x;
    event->button.y = y;
    // A second apart, so that no two clicks make a double click.
    static guint32 clock = 0;
    event->button.time = clock += type == GDK_BUTTON_PRESS ? 1000 : 10;
    event->button.state = type == GDK_BUTTON_RELEASE ? GDK_BUTTON1_MASK : 0;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(textWindow));
    gdk_event_set_device(event, gdk_seat_get_pointer(seat));
    gtk_main_do_event(event);
    gdk_event_free(event);
  }
  void Click(int x, int y) {
    Button(GDK_BUTTON_PRESS, x, y);
    Button(GDK_BUTTON_RELEASE, x, y);
  }
};

void Gtk_TextViewLoadLines(benchmark::State& state) {
  const std::string text = LogText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    {
      GtkText view(Wrapped(state));
      state.ResumeTiming();
      gtk_text_buffer_set_text(view.Buffer(), text.c_str(), static_cast<int>(text.size()));
      view.Settle();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}

void Gtk_TextViewKeyAtEnd(benchmark::State& state) {
  GtkText view(Wrapped(state));
  const std::string text = LogText(static_cast<int>(state.range(0)));
  gtk_text_buffer_set_text(view.Buffer(), text.c_str(), static_cast<int>(text.size()));
  g_signal_emit_by_name(view.view, "move-cursor", GTK_MOVEMENT_BUFFER_ENDS, 1, FALSE);
  view.Settle();
  for (auto _ : state) {
    g_signal_emit_by_name(view.view, "insert-at-cursor", "x");
    view.Settle();
    g_signal_emit_by_name(view.view, "backspace");
    view.Settle();
  }
}

void Gtk_TextViewClickLongLine(benchmark::State& state) {
  GtkText view(Wrapped(state));
  const std::string line = LongLine(static_cast<int>(state.range(0)), Wrapped(state));
  gtk_text_buffer_set_text(view.Buffer(), line.c_str(), static_cast<int>(line.size()));
  g_signal_emit_by_name(view.view, "move-cursor", GTK_MOVEMENT_BUFFER_ENDS, 1, FALSE);
  view.Settle();
  view.Click(kClickX, kClickY);
  view.Settle();
  if (view.CursorOffset() == static_cast<int>(line.size())) state.SkipWithError("the click did not move the cursor");
  for (auto _ : state) {
    view.Click(kClickX, kClickY);
    view.Settle();
  }
}

struct GtkStore {
  GtkListStore* store;
  GtkStore() : store((StartGtk(), gtk_list_store_new(1, G_TYPE_STRING))) {}
};

struct GtkList : GtkStore, GtkView {
  GtkList() : GtkView([this] { return gtk_tree_view_new_with_model(GTK_TREE_MODEL(store)); }) {
    g_object_unref(store);
    gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, "", gtk_cell_renderer_text_new(), "text", 0,
                                                nullptr);
    Settle();
  }
  void Append(const std::string& text) {
    GtkTreeIter row;
    gtk_list_store_append(store, &row);
    gtk_list_store_set(store, &row, 0, text.c_str(), -1);
  }
};

std::string ItemUtf8(int i) { return "item " + std::to_string(i); }

void Gtk_TreeViewAddOneByOne(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    {
      GtkList list;
      state.ResumeTiming();
      for (int i = 0; i < state.range(0); ++i) list.Append(ItemUtf8(i));
      list.Settle();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}

void Gtk_TreeViewChangeOne(benchmark::State& state) {
  GtkList list;
  const int count = static_cast<int>(state.range(0));
  for (int i = 0; i < count; ++i) list.Append(ItemUtf8(i));
  list.Settle();
  GtkTreeIter row;
  gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(list.store), &row, nullptr, count / 2);
  int round = 0;
  for (auto _ : state) {
    gtk_list_store_set(list.store, &row, 0, ItemUtf8(++round).c_str(), -1);
    list.Settle();
  }
}

// ----- registration: the memo beside the text view, the lists beside the
// tree view; {size, wrapped}. The small list sizes keep the one-at-a-time
// cases within reach of code that grows faster than linearly.

void LinesAndWrap(benchmark::internal::Benchmark* b) {
  for (int wrap : {0, 1})
    for (int lines : {50000, 100000}) b->Args({lines, wrap});
}

void LongLineAndWrap(benchmark::internal::Benchmark* b) {
  for (int wrap : {0, 1})
    for (int length : {4000, 8000}) b->Args({length, wrap});
}

BENCHMARK(Ours_MemoLoadLines)->Apply(LinesAndWrap)->Unit(benchmark::kMillisecond);
BENCHMARK(Gtk_TextViewLoadLines)->Apply(LinesAndWrap)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_MemoKeyAtEnd)->Apply(LinesAndWrap)->Unit(benchmark::kMillisecond);
BENCHMARK(Gtk_TextViewKeyAtEnd)->Apply(LinesAndWrap)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_MemoClickLongLine)->Apply(LongLineAndWrap)->Unit(benchmark::kMillisecond);
BENCHMARK(Gtk_TextViewClickLongLine)->Apply(LongLineAndWrap)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_MemoDownUpLongLines)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(Ours_LongLineCaretOffsets, vg::TvgCanvasGdiPlus)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(Ours_LongLineCaretOffsets, vg::TvgCanvasD2D)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

BENCHMARK_TEMPLATE(Ours_AddOneByOne, vg::TvgStringListBox)
    ->Arg(500)->Arg(1000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(Ours_AddOneByOne, vg::TvgStringComboBox)
    ->Arg(250)->Arg(500)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(Gtk_TreeViewAddOneByOne)->Arg(500)->Arg(1000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_StringListBatchedBuild)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_StringListChangeOne)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(Gtk_TreeViewChangeOne)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
