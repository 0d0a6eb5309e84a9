// The program probe run by program_bench.py: each mode starts, in this
// process, either a bare GTK window of the main window's client size or the
// whole program, acts on it as a user would through the end-to-end driver,
// and prints what happened as lines "<event> <CLOCK_MONOTONIC ns>...", which
// the script pairs with what it reads from /proc.
//
//   program_probe bare                  frame
//   program_probe start                 frame, settings; then exits at once
//   program_probe session SECONDS       settings, idle, page switches,
//                                       language switches, print, exit
//   program_probe help web|text SECONDS PDF
//                                       settings, help column (web page or
//                                       text), print, idle (web only), exit
//   program_probe nodevice SECONDS      frame, idle, language switches, exit
//
// "frame" is the end of the first frame that painted the scene, "settings"
// the end of the first frame showing an identified controller's pages. A
// page or language switch prints "<kind> <input ns> <first change ns>
// <last change ns> <frames>": the frames that first and last changed a
// pixel of the window. The idle
// lines carry the thread CPU time (ns) spent so far in the 100 ms poll's
// handler. The program runs on the controller ESCTOOL_SIMULATED_HID names
// and the program folder ESCTOOL_PROGRAM_DIR names, as the script sets them.
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/MainForm.h"
#include "app/ProgramEntry.h"
#include "platform/gui/ProcessLauncher.h"
#include "platform/gui/SceneWindow.h"
#include "platform/gui/WebBrowser.h"
#include "platform/rtl/TextConvert.h"
#include "tests/e2e/e2e_user.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_fakes.h"

namespace {

using app::TfrmInterface;
using Nanoseconds = std::int64_t;
using Step = std::function<bool(TfrmInterface&)>;

constexpr int kClientWidth = 779, kClientHeight = 624;
constexpr int kPollMs = 5;
constexpr Nanoseconds kMs = 1000000;
constexpr Nanoseconds kStepLimit = 60000 * kMs;

Nanoseconds ClockNs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<Nanoseconds>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

Nanoseconds Now() { return ClockNs(CLOCK_MONOTONIC); }

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void Print(const char* event, std::initializer_list<Nanoseconds> values) {
  std::string line = event;
  for (Nanoseconds value : values) line += " " + std::to_string(value);
  Print(line);
}

// The ends of the frames a toplevel window paints, and, while `compare` is
// set, whether each changed a pixel of the window: a copy of what the window
// shows is kept and each frame's painted area is compared with it.
class FrameWatch {
 public:
  explicit FrameWatch(GtkWidget* toplevel) : toplevel_(toplevel) {
    handler_ = g_signal_connect_after(toplevel, "draw", G_CALLBACK(&FrameWatch::Drawn), this);
  }
  ~FrameWatch() { g_signal_handler_disconnect(toplevel_, handler_); }
  FrameWatch(const FrameWatch&) = delete;
  FrameWatch& operator=(const FrameWatch&) = delete;

  // Starts comparing from a frame that paints the whole window.
  void Compare() {
    compare_ = true;
    mirror_.clear();
    gtk_widget_queue_draw(toplevel_);
  }
  bool Mirrored() const { return !mirror_.empty(); }

  std::function<void()> onFrame;
  int frames = 0;
  Nanoseconds lastFrame = 0, firstChange = 0, lastChange = 0;

 private:
  static gboolean Drawn(GtkWidget* widget, cairo_t* cr, gpointer data) {
    auto& watch = *static_cast<FrameWatch*>(data);
    const Nanoseconds end = Now();
    ++watch.frames;
    watch.lastFrame = end;
    if (watch.compare_ && watch.Changed(widget, cr)) {
      if (!watch.lastChange) watch.firstChange = end;
      watch.lastChange = end;
    }
    if (watch.onFrame) watch.onFrame();
    return FALSE;
  }

  bool Changed(GtkWidget* widget, cairo_t* cr) {
    const int width = gtk_widget_get_allocated_width(widget), height = gtk_widget_get_allocated_height(widget);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const int left = std::max(0, static_cast<int>(std::floor(x1))), top = std::max(0, static_cast<int>(std::floor(y1)));
    const int right = std::min(width, static_cast<int>(std::ceil(x2)));
    const int bottom = std::min(height, static_cast<int>(std::ceil(y2)));
    if (right <= left || bottom <= top) return false;
    const bool whole = left == 0 && top == 0 && right == width && bottom == height;
    if (width != width_ || height != height_) {
      // A new size starts a new copy, from a frame that paints all of it.
      mirror_.clear();
      width_ = width;
      height_ = height;
    }
    if (mirror_.empty() && !whole) return true;

    double deviceX = left, deviceY = top;
    cairo_user_to_device(cr, &deviceX, &deviceY);
    cairo_surface_t* shown = cairo_image_surface_create(CAIRO_FORMAT_RGB24, right - left, bottom - top);
    cairo_t* copy = cairo_create(shown);
    cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(copy, cairo_get_target(cr), -deviceX, -deviceY);
    cairo_paint(copy);
    cairo_destroy(copy);
    cairo_surface_flush(shown);

    const bool fresh = mirror_.empty();
    if (fresh) mirror_.assign(static_cast<std::size_t>(width) * height, 0);
    bool changed = fresh;
    const unsigned char* data = cairo_image_surface_get_data(shown);
    const int stride = cairo_image_surface_get_stride(shown);
    const std::size_t rowBytes = static_cast<std::size_t>(right - left) * sizeof(std::uint32_t);
    for (int y = top; y < bottom; ++y) {
      std::uint32_t* kept = &mirror_[static_cast<std::size_t>(y) * width + left];
      const unsigned char* row = data + static_cast<std::ptrdiff_t>(y - top) * stride;
      if (std::memcmp(kept, row, rowBytes) != 0) {
        changed = true;
        std::memcpy(kept, row, rowBytes);
      }
    }
    cairo_surface_destroy(shown);
    return changed;
  }

  GtkWidget* toplevel_;
  gulong handler_ = 0;
  bool compare_ = false;
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> mirror_;
};

int Bare() {
  gtk_init(nullptr, nullptr);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, kClientWidth, kClientHeight);
  gtk_container_add(GTK_CONTAINER(window), area);
  g_signal_connect(area, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer) -> gboolean {
                     cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
                     cairo_paint(cr);
                     return FALSE;
                   }),
                   nullptr);
  FrameWatch watch(window);
  watch.onFrame = [] {
    Print("frame", {Now()});
    std::_Exit(0);
  };
  gtk_widget_show_all(window);
  gtk_main();
  return 1;
}

// Thread CPU time spent in the main window's 100 ms poll handler.
Nanoseconds g_pollCpu = 0;

void MeasurePoll(TfrmInterface& form) {
  const rtl::TNotifyEvent poll = form.Timer1->OnTimer();
  form.Timer1->SetOnTimer([poll](rtl::TObject* sender) {
    const Nanoseconds before = ClockNs(CLOCK_THREAD_CPUTIME_ID);
    poll(sender);
    g_pollCpu += ClockNs(CLOCK_THREAD_CPUTIME_ID) - before;
  });
}

bool Identified(TfrmInterface& form) {
  return !e2e::Shows(form, "eController").empty() && e2e::Settled(form) && e2e::Reachable(form, "ListBoxItem2");
}

// The user's steps, polled from the main loop every few milliseconds; an
// idle step stops the polling for its length, so it costs the program no
// wake-ups.
class Script {
 public:
  Script& Then(std::string what, Step step) {
    steps_.push_back({std::move(what), std::move(step), 0});
    return *this;
  }
  Script& Idle(int seconds) {
    steps_.push_back({"idle", nullptr, seconds});
    return *this;
  }
  void Start() { g_timeout_add(kPollMs, &Script::Poll, this); }

  // The main window's frames, from its first one on.
  FrameWatch* frames = nullptr;

 private:
  struct Entry {
    std::string what;
    Step step;
    int idleSeconds;
  };

  static gboolean Poll(gpointer data) {
    auto& script = *static_cast<Script*>(data);
    TfrmInterface* form = app::frmInterface;
    if (!form || !script.frames) return G_SOURCE_CONTINUE;
    if (!script.began_) script.began_ = Now();
    while (!script.steps_.empty()) {
      Entry& front = script.steps_.front();
      if (!front.step) return script.BeginIdle(front.idleSeconds);
      if (Now() - script.began_ > kStepLimit) {
        Print("error timed out: " + front.what);
        std::_Exit(3);
      }
      if (!front.step(*form)) return G_SOURCE_CONTINUE;
      script.steps_.pop_front();
      script.began_ = Now();
    }
    return G_SOURCE_REMOVE;
  }

  gboolean BeginIdle(int seconds) {
    steps_.pop_front();
    framesBefore_ = frames->frames;
    Print("idle-begin", {Now(), g_pollCpu});
    g_timeout_add_seconds(static_cast<guint>(seconds), &Script::EndIdle, this);
    return G_SOURCE_REMOVE;
  }

  static gboolean EndIdle(gpointer data) {
    auto& script = *static_cast<Script*>(data);
    Print("idle-end", {Now(), g_pollCpu, script.frames->frames - script.framesBefore_});
    script.began_ = Now();
    script.Start();
    return G_SOURCE_REMOVE;
  }

  std::deque<Entry> steps_;
  Nanoseconds began_ = 0;
  int framesBefore_ = 0;
};

// Runs `act` (a driver action, which queues its input as an idle callback)
// with the time its input reaches the window kept in `at` and, when `event`
// is given, printed at once (the input may end the program): idle callbacks
// of one priority run in the order they were queued, so one queued just
// before runs just before the input.
bool Stamped(const char* event, Nanoseconds& at, const std::function<bool()>& act) {
  struct Stamp {
    const char* event;
    Nanoseconds* at;
  };
  const guint stamp = g_idle_add_full(
      G_PRIORITY_DEFAULT_IDLE,
      [](gpointer data) -> gboolean {
        const auto& taken = *static_cast<Stamp*>(data);
        *taken.at = Now();
        if (taken.event) Print(taken.event, {*taken.at});
        return G_SOURCE_REMOVE;
      },
      new Stamp{event, &at}, [](gpointer data) { delete static_cast<Stamp*>(data); });
  if (act()) return true;
  g_source_remove(stamp);
  return false;
}

// A step that waits until the window has painted a frame, then none for
// `calm`, and nothing is in the user's way; or until `limit` has passed
// (something may keep painting).
Step Calm(Script& script, Nanoseconds calm, Nanoseconds limit = 5000 * kMs) {
  auto since = std::make_shared<Nanoseconds>(0);
  return [&script, calm, limit, since](TfrmInterface& form) {
    const FrameWatch& frames = *script.frames;
    if (frames.frames == 0) return false;
    const Nanoseconds now = Now();
    if (!*since) *since = now;
    return (now - frames.lastFrame >= calm && e2e::Settled(form)) || now - *since > limit;
  };
}

// A switch the user makes with `act`: the pointer rests, then the input goes
// in; done once no pixel has changed for a while, printing the input's time,
// those of the frames that changed the window first and last, and the
// number of frames.
void AddSwitch(Script& script, const char* kind, std::function<bool(TfrmInterface&)> act) {
  struct Timing {
    Nanoseconds input = 0;
    int framesBefore = 0;
  };
  auto timing = std::make_shared<Timing>();
  script.Then(std::string(kind) + " calm", Calm(script, 300 * kMs))
      .Then(kind, [&script, act, timing](TfrmInterface& form) {
        timing->framesBefore = script.frames->frames;
        script.frames->lastChange = 0;
        return Stamped(nullptr, timing->input, [&] { return act(form); });
      })
      .Then(std::string(kind) + " shown", [&script, kind, timing](TfrmInterface&) {
        const FrameWatch& frames = *script.frames;
        if (!timing->input || !frames.lastChange || Now() - frames.lastChange < 700 * kMs) return false;
        Print(kind, {timing->input, frames.firstChange, frames.lastChange, frames.frames - timing->framesBefore});
        return true;
      });
}

// Moves the pointer onto the centre of the named node, as a user's hand does
// before a click.
bool Hover(TfrmInterface& form, const char* name) {
  vg::TvgVisualObject* node = e2e::Reachable(form, name);
  gui::TSceneWindow* window = form.ClientWindow();
  if (!node || !window) return false;
  const vg::TvgPoint at = node->LocalToAbsolute({node->Width() / 2, node->Height() / 2});
  const gui::TPoint origin = window->ClientToScreen({0, 0});
  test_support::SendMotion(*window, origin.X + static_cast<int>(at.X), origin.Y + static_cast<int>(at.Y), 0);
  return true;
}

// From here on each frame is compared with what the window showed.
void AddCompare(Script& script) {
  script.Then("copy of the window", [&script](TfrmInterface&) {
    script.frames->Compare();
    return true;
  });
  script.Then("copy taken", [&script](TfrmInterface&) { return script.frames->Mirrored(); });
}

void AddPageSwitches(Script& script, int count) {
  for (int i = 0; i < count; ++i) {
    const char* page = i % 2 == 0 ? "ListBoxItem3" : "ListBoxItem2";
    script.Then("pointer on the page", [page](TfrmInterface& form) { return Hover(form, page); });
    AddSwitch(script, "page", [page](TfrmInterface& form) { return e2e::Click(form, page); });
  }
}

void AddLanguageSwitches(Script& script, int count) {
  for (int i = 0; i < count; ++i) {
    const char* item = i % 2 == 0 ? "English1" : "Chinese1";
    AddSwitch(script, "language", [item](TfrmInterface& form) { return e2e::Choose(form, item); });
  }
}

// File > Print; the race sheet, when it comes, is answered with OK after a
// user's pause. Done once `pdf` is written and no modal window is left.
void AddPrint(Script& script, const std::string& pdf) {
  struct Progress {
    Nanoseconds chosen = 0, ok = 0, sheetSeen = 0;
    bool answered = false;
  };
  auto progress = std::make_shared<Progress>();
  script.Then("print calm", Calm(script, 300 * kMs))
      .Then("print chosen",
            [progress](TfrmInterface& form) {
              return Stamped("print", progress->chosen, [&] { return e2e::Choose(form, "Print1"); });
            })
      .Then("report written", [progress, pdf](TfrmInterface&) {
        if (e2e::TSceneForm* sheet = e2e::Dialog("TfrmInput")) {
          if (progress->answered || !sheet->ControlsScene || sheet->ControlsScene->DrawCount() == 0) return false;
          if (!progress->sheetSeen) {
            progress->sheetSeen = Now();
            Print("sheet", {progress->sheetSeen});
          }
          if (Now() - progress->sheetSeen >= 500 * kMs)
            progress->answered = Stamped("sheet-ok", progress->ok, [&] { return e2e::Click(*sheet, "btnOk"); });
          return false;
        }
        std::error_code error;
        if (gui::TopModalForm() || !std::filesystem::exists(pdf, error)) return false;
        Print("report-seen", {Now()});
        return true;
      });
}

void AddExit(Script& script) {
  auto at = std::make_shared<Nanoseconds>(0);
  script.Then("exit calm", Calm(script, 300 * kMs)).Then("exit chosen", [at](TfrmInterface& form) {
    return Stamped("exit", *at, [&] { return e2e::Choose(form, "Exit1"); });
  });
}

// Frames of the main window are watched from its mapping on, so the first
// one is seen; the watch lives as long as the process (the window goes
// first).
FrameWatch* g_mainFrames = nullptr;
// The end of the first frame that showed an identified controller's pages.
Nanoseconds g_settingsShown = 0;

gboolean WatchMainWindow(GSignalInvocationHint*, guint, const GValue* values, gpointer data) {
  auto* widget = static_cast<GtkWidget*>(g_value_get_object(&values[0]));
  gui::TForm* main = gui::MainForm();
  if (g_mainFrames || !main || !main->HandleAllocated() || main->Handle() != widget) return TRUE;
  g_mainFrames = new FrameWatch(widget);
  static_cast<Script*>(data)->frames = g_mainFrames;
  g_mainFrames->onFrame = [] {
    TfrmInterface* form = app::frmInterface;
    static bool framed = false;
    if (!form) return;
    if (!framed && form->ControlsScene && form->ControlsScene->DrawCount() > 0) {
      framed = true;
      Print("frame", {g_mainFrames->lastFrame});
    }
    if (framed && !g_settingsShown && Identified(*form)) {
      g_settingsShown = g_mainFrames->lastFrame;
      Print("settings", {g_settingsShown});
    }
  };
  return FALSE;
}

int RunProgram(Script& script, test_support::TScriptedDialogs& dialogs) {
  g_type_class_unref(g_type_class_ref(GTK_TYPE_WIDGET));  // registers the widget signals
  g_signal_add_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), 0, &WatchMainWindow, &script, nullptr);
  script.Start();
  gui::TProcessLauncher launcher;
  const int status = app::RunProgram(launcher);
  for (const auto& message : dialogs.Messages) Print("box " + rtl::Utf16ToUtf8(message.Text));
  return status;
}

Step Measured() {
  return [](TfrmInterface& form) {
    MeasurePoll(form);
    return true;
  };
}

Step SettingsShown() { return [](TfrmInterface&) { return g_settingsShown != 0; }; }

// A step that gives the named control the focus, which points the help
// column at it.
Step Focus(const char* name) {
  return [name](TfrmInterface& form) {
    vg::TvgVisualObject* control = e2e::Reachable(form, name);
    if (!control) return false;
    control->SetFocus();
    return true;
  };
}

// The parameter pages, with the help column showing either the controller's
// own web page (focus on the mode selector) or a parameter's help text.
void AddHelp(Script& script, bool web) {
  script.Then("first parameter page", [](TfrmInterface& form) { return e2e::Click(form, "ListBoxItem2"); })
      .Then("parameter focused", Focus("cbItem0"))
      .Then("help text shown", Calm(script, 300 * kMs));
  if (web)
    script.Then("mode selector focused", Focus("cbMode"))
        .Then("web page loaded", [](TfrmInterface& form) { return !form.web->Busy() && form.web->Showing(); })
        .Then("web page painted", Calm(script, 1000 * kMs));
}

int Program(const std::string& mode, const std::string& variant, int idleSeconds, const std::string& pdf) {
  test_support::TScriptedDialogs dialogs;
  dialogs.AnswerBox(gui::IDOK);  // the registration error box, where hot-plug is not to be had
  if (!pdf.empty()) dialogs.ChooseFile(pdf);
  Script script;
  if (mode == "start") {
    script.Then("settings", [](TfrmInterface&) {
      if (g_settingsShown) std::_Exit(0);
      return false;
    });
  } else if (mode == "session") {
    script.Then("measured", Measured()).Then("settings", SettingsShown()).Then("calm", Calm(script, 1000 * kMs));
    script.Idle(idleSeconds);
    AddCompare(script);
    AddPageSwitches(script, 6);
    AddLanguageSwitches(script, 4);
    AddPrint(script, pdf);
    AddExit(script);
  } else if (mode == "help") {
    script.Then("measured", Measured()).Then("settings", SettingsShown());
    AddHelp(script, variant == "web");
    AddPrint(script, pdf);
    if (variant == "web") script.Then("calm", Calm(script, 1000 * kMs)).Idle(idleSeconds);
    AddExit(script);
  } else if (mode == "nodevice") {
    script.Then("measured", Measured()).Then("calm", Calm(script, 1000 * kMs)).Idle(idleSeconds);
    AddCompare(script);
    AddLanguageSwitches(script, 4);
    AddExit(script);
  } else {
    return 2;
  }
  return RunProgram(script, dialogs);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::string mode = args.empty() ? "" : args[0];
  if (mode == "bare") return Bare();
  if (mode == "start") return Program(mode, "", 0, "");
  if ((mode == "session" || mode == "nodevice") && args.size() >= 2)
    return Program(mode, "", std::atoi(args[1].c_str()), args.size() > 2 ? args[2] : "");
  if (mode == "help" && args.size() == 4) return Program(mode, args[1], std::atoi(args[2].c_str()), args[3]);
  std::fputs("usage: program_probe bare|start|session SECONDS PDF|help web|text SECONDS PDF|nodevice SECONDS\n",
             stderr);
  return 2;
}
