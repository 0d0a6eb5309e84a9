// A scene of 500 styled controls (a framed rectangle with a caption each,
// cloned from a style book) drawn through the GDI+ canvas in embedded mode:
// a full repaint, and one control changing, which repaints only its
// rectangle.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "platform/rtl/ClassRegistry.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_gdip.h"

namespace {

constexpr int kColumns = 25, kRows = 20;  // 500 controls
constexpr float kCellWidth = 40, kCellHeight = 28;

class BenchRect : public vg::TvgVisualObject {
  RTL_CLASS(BenchRect, vg::TvgVisualObject)

  explicit BenchRect(rtl::TComponent* owner) : vg::TvgVisualObject(owner) {}
  ~BenchRect() override { TearDown(); }
  vg::TvgBrush* Fill() const { return fill_.get(); }
  void Paint() override {
    vg::TvgCanvas* canvas = GetCanvas();
    canvas->Fill()->Assign(fill_.get());
    canvas->FillRect(GetLocalRect(), 3, 3, vg::AllCorners, GetAbsoluteOpacity());
  }

 private:
  static void Publish(rtl::TPublisher<BenchRect>& p) { p.Property("Fill", &BenchRect::Fill); }
  vg::TvgOwned<vg::TvgBrush> fill_{new vg::TvgBrush(vg::vgBrushSolid, 0xFFFFFFFF)};
};

class BenchText : public vg::TvgVisualObject {
  RTL_CLASS(BenchText, vg::TvgVisualObject)

  explicit BenchText(rtl::TComponent* owner) : vg::TvgVisualObject(owner) {}
  ~BenchText() override { TearDown(); }
  void Paint() override {
    vg::TvgCanvas* canvas = GetCanvas();
    canvas->Fill()->SetStyle(vg::vgBrushSolid);
    canvas->Fill()->SetSolidColor(0xFF000000);
    canvas->FillText(GetLocalRect(), GetLocalRect(), u"OK", false, GetAbsoluteOpacity());
  }
};

class TvgBenchButton : public vg::TvgControl {
  RTL_CLASS(TvgBenchButton, vg::TvgControl)
  explicit TvgBenchButton(rtl::TComponent* owner) : vg::TvgControl(owner) {}
  ~TvgBenchButton() override { TearDown(); }
};

constexpr const char* kStyleBook =
    "object TvgBackground\n"
    "  object BenchRect\n"
    "    ResourceName = 'benchbuttonstyle'\n"
    "    HitTest = False\n"
    "    Fill.Color = '#FF707070'\n"
    "    object BenchRect\n"
    "      Align = vaClient\n"
    "      HitTest = False\n"
    "      Fill.Color = '#FFE8E8E8'\n"
    "      Margins.Rect = '(1,1,1,1)'\n"
    "    end\n"
    "    object BenchText\n"
    "      ResourceName = 'text'\n"
    "      Align = vaClient\n"
    "      HitTest = False\n"
    "    end\n"
    "  end\n"
    "end\n";

// The scene's posted draws run when the benchmark says so.
std::function<void()> gPostedDraw;

struct PostedDraw final : vg::IvgOneShot {
  ~PostedDraw() override { gPostedDraw = nullptr; }
};

struct BenchScene {
  vg::TvgOwned<vg::TvgResources> book{new vg::TvgResources(nullptr)};
  vg::TvgOwned<vg::TvgScene> scene{new vg::TvgScene(nullptr)};
  std::vector<TvgBenchButton*> buttons;

  BenchScene() {
    book->Resource()->SetText(kStyleBook);
    scene->SetStyle(book.get());
    scene->CreateEmbedded(int(kColumns * kCellWidth), int(kRows * kCellHeight), [](rtl::TObject*) {});
    auto* root = new vg::TvgBackground(nullptr);
    root->Fill()->SetStyle(vg::vgBrushSolid);
    scene->AddObject(root);
    for (int row = 0; row < kRows; ++row)
      for (int column = 0; column < kColumns; ++column) {
        auto* button = new TvgBenchButton(nullptr);
        button->SetParent(root);
        button->SetBounds(column * kCellWidth + 2, row * kCellHeight + 2, kCellWidth - 4, kCellHeight - 4);
        buttons.push_back(button);
      }
    scene->UpdateBuffer();  // applies every style
  }
  ~BenchScene() {
    scene.reset();
    book.reset();
  }
  void RunPostedDraw() {
    if (auto draw = std::move(gPostedDraw)) draw();
  }
};

void Start() {
  vg::StartGdiPlusBackEnd();
  vg::vgStartCore();
  rtl::RegisterClasses<BenchRect, BenchText, TvgBenchButton>();
  vg::vgSetOneShotFactory([](std::uint32_t, std::function<void()> fire) {
    gPostedDraw = std::move(fire);
    return std::make_unique<PostedDraw>();
  });
}

void Stop() {
  vg::vgSetOneShotFactory(nullptr);
  vg::vgStopCore();
  vg::StopGdiPlusBackEnd();
}

void BM_FullRepaintOf500StyledControls(benchmark::State& state) {
  Start();
  {
    BenchScene bench;
    for (auto _ : state) bench.scene->UpdateBuffer();
  }
  Stop();
}
BENCHMARK(BM_FullRepaintOf500StyledControls)->Unit(benchmark::kMillisecond);

void BM_OneControlChangedRepaintsItsRectangle(benchmark::State& state) {
  Start();
  {
    BenchScene bench;
    TvgBenchButton* changing = bench.buttons[kColumns * kRows / 2];
    bool dim = false;
    float area = 0;
    for (auto _ : state) {
      dim = !dim;
      changing->SetOpacity(dim ? 0.5f : 1.0f);
      const std::vector<vg::TvgRect>& dirty = bench.scene->UpdateRects();
      area = 0;
      for (const vg::TvgRect& r : dirty) area += vg::vgRectWidth(r) * vg::vgRectHeight(r);
      bench.RunPostedDraw();
    }
    state.counters["dirty_px"] = area;
  }
  Stop();
}
BENCHMARK(BM_OneControlChangedRepaintsItsRectangle)->Unit(benchmark::kMicrosecond);

}  // namespace
