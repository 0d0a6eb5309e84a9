// The colour controls on a real embedded scene with the built-in styles:
// the ramps of the colour track bars, round trips between HSL and RGB at
// the ends of the square and the hue strip, the gradient editor's stops,
// the colour panel and the combo colour box with its typed colour text.
#include <gtest/gtest.h>

#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;

using ColorControls = vgtest::ControlScene;

template <class Bar>
TvgBitmap& RampOf(ColorControls& test, float width, float height, TvgOrientation orientation = vgHorizontal) {
  auto* bar = test.Add<Bar>();
  bar->SetOrientation(orientation);
  bar->SetBounds(0, 0, width, height);
  EXPECT_NE(bar->Bitmap(), nullptr);
  return *bar->Bitmap();
}

TEST_F(ColorControls, RampTrackBarsFillTheirBackgroundWithTheirRamp) {
  TvgBitmap& bw = RampOf<TvgBWTrackBar>(*this, 256, 15);
  EXPECT_EQ(bw.Width(), 256);
  EXPECT_EQ(bw.GetPixels(0, 0), 0xFF000000u);
  EXPECT_EQ(bw.GetPixels(128, 2), 0xFF808080u) << "127.5 rounds to the even 128";
  TvgBitmap& hue = RampOf<TvgHueTrackBar>(*this, 100, 15);
  EXPECT_EQ(hue.GetPixels(0, 0), vgHSLtoRGB(0, 0.9f, 0.5f));
  EXPECT_EQ(hue.GetPixels(50, 0), vgHSLtoRGB(0.5f, 0.9f, 0.5f));
  TvgBitmap& vertical = RampOf<TvgHueTrackBar>(*this, 15, 100, vgVertical);
  EXPECT_EQ(vertical.GetPixels(vertical.Width() - 1, 50), vgHSLtoRGB(50.0f / float(vertical.Height()), 0.9f, 0.5f))
      << "along the rows";
  TvgBitmap& alpha = RampOf<TvgAlphaTrackBar>(*this, 100, 15);
  EXPECT_EQ(alpha.GetPixels(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(alpha.GetPixels(0, 3), 0xFFA0A0A0u) << "a grey cell, not yet whitened at the left end";
  EXPECT_EQ(alpha.GetPixels(99, 0), 0xFFFFFFFFu) << "opaque white at the right end";
}

TEST_F(ColorControls, PickerAndSquareRoundTripColoursAtTheRampEnds) {
  auto* quad = Add<TvgColorQuad>();
  auto* picker = Add<TvgColorPicker>();
  auto* swatch = Add<TvgColorBox>();
  quad->SetBounds(0, 0, 100, 100);
  picker->SetBounds(110, 0, 15, 100);
  picker->SetColorQuad(quad);
  quad->SetColorBox(swatch);
  for (TvgColor color : {0xFFFF0000u, 0xFFFF00FFu, 0xFF00FF00u, 0xFF0000FFu, 0xFF000000u, 0xFFFFFFFFu, 0xFF808080u,
                         0x00FF0000u, 0x80FF8000u}) {
    SCOPED_TRACE(vgColorToStr(color));
    picker->SetColor(color);
    EXPECT_EQ(quad->Color(), color);
    EXPECT_EQ(swatch->Color(), color);
    EXPECT_EQ(picker->Hue(), quad->Hue());
  }

  // Dragging to the corners of the square and the ends of the strip.
  struct Drag {
    TvgPoint at;
    float sat, lum;
  };
  for (const Drag& drag : {Drag{{0, 0}, 0, 1}, Drag{{100, 100}, 1, 0}, Drag{{100, 0}, 1, 1}, Drag{{0, 100}, 0, 0}}) {
    quad->MouseDown(vgMouseLeft, vgLeftButton, 50, 50);
    quad->MouseUp(vgMouseLeft, 0, drag.at.X, drag.at.Y);
    EXPECT_FLOAT_EQ(quad->Sat(), drag.sat);
    EXPECT_FLOAT_EQ(quad->Lum(), drag.lum);
  }
  picker->MouseDown(vgMouseLeft, vgLeftButton, 7, 50);
  picker->MouseMove(vgLeftButton, 7, 100, 0, 50);
  EXPECT_FLOAT_EQ(quad->Hue(), 1);
  picker->MouseUp(vgMouseLeft, 0, 7, 0);
  EXPECT_FLOAT_EQ(quad->Hue(), 0);
  EXPECT_EQ(vgHSLtoRGB(1, 1, 0.5f), vgHSLtoRGB(0, 1, 0.5f)) << "both ends of the strip are red";
}

TEST_F(ColorControls, FreeingALinkedSwatchClearsTheLink) {
  auto* quad = Add<TvgColorQuad>();
  auto* swatch = Add<TvgColorBox>();
  quad->SetColorBox(swatch);
  swatch->Free();
  EXPECT_EQ(quad->ColorBox(), nullptr);
  quad->SetHue(0.3f);
}

struct GradientEditor : ColorControls {
  TvgGradientEdit* editor = nullptr;
  void SetUp() override {
    ColorControls::SetUp();
    editor = Add<TvgGradientEdit>();
    editor->SetBounds(0, 0, 220, 20);
    TvgGradientPoints& points = *editor->Gradient()->Points();
    points.Clear();
    points.AddPoint(0xFF0000FF, 0);
    points.AddPoint(0xFFFF0000, 0.5f);
    points.AddPoint(0xFFFFFFFF, 0.8f);
  }
  int Count() { return editor->Gradient()->Points()->Count(); }
};

TEST_F(GradientEditor, StopsSitUnderTheBarAndAPressBetweenStopsAddsOne) {
  const TvgRect marker = editor->GetPointRect(1);
  EXPECT_FLOAT_EQ((marker.Left + marker.Right) / 2, 110);
  EXPECT_FLOAT_EQ(marker.Top, 10);
  EXPECT_TRUE(vgIsRectEmpty(editor->GetPointRect(3)));

  int changes = 0;
  editor->OnChange = [&](rtl::TObject*) { ++changes; };
  editor->MouseDown(vgMouseLeft, vgLeftButton, 60, 5);  // offset 0.25
  editor->MouseUp(vgMouseLeft, 0, 60, 5);
  ASSERT_EQ(Count(), 4);
  EXPECT_EQ(editor->CurrentPoint(), 1);
  EXPECT_FLOAT_EQ(editor->Gradient()->Points()->Points(1)->Offset(), 0.25f);
  EXPECT_EQ(editor->Gradient()->Points()->Points(1)->IntColor(), 0xFF7F0080u);
  EXPECT_EQ(changes, 1);
}

TEST_F(GradientEditor, DraggingAnInnerStopFarBelowHidesAndReleasingThereDeletesIt) {
  auto* picker = Add<TvgColorPicker>();
  editor->SetColorPicker(picker);
  editor->MouseDown(vgMouseLeft, vgLeftButton, 110, 15);
  EXPECT_EQ(editor->CurrentPoint(), 1);
  editor->MouseMove(vgLeftButton, 110, 45, 0, 30);
  EXPECT_TRUE(editor->CurrentPointInvisible());
  editor->MouseMove(vgLeftButton, 110, 25, 0, -20);
  EXPECT_FALSE(editor->CurrentPointInvisible());
  editor->MouseUp(vgMouseLeft, 0, 110, 25);
  EXPECT_EQ(Count(), 3) << "released above the limit: kept";

  editor->MouseDown(vgMouseLeft, vgLeftButton, 110, 15);
  editor->MouseMove(vgLeftButton, 110, 40, 0, 25);
  editor->MouseUp(vgMouseLeft, 0, 110, 40);
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(editor->CurrentPoint(), 0);
  EXPECT_FALSE(editor->CurrentPointInvisible());
  EXPECT_FLOAT_EQ(picker->Hue(), 2.0f / 3) << "the picker shows the new current stop, blue";

  editor->MouseDown(vgMouseLeft, vgLeftButton, 215, 5);
  EXPECT_EQ(Count(), 2) << "right of the last stop nothing is added";
}

TEST_F(GradientEditor, MovingAStopPastItsNeighbourReordersTheStops) {
  editor->MouseDown(vgMouseLeft, vgLeftButton, 110, 15);
  editor->MouseMove(vgLeftButton, 150, 15, 40, 0);
  EXPECT_EQ(editor->CurrentPoint(), 1);
  editor->MouseMove(vgLeftButton, 190, 15, 40, 0);
  editor->MouseUp(vgMouseLeft, 0, 190, 15);
  EXPECT_EQ(editor->CurrentPoint(), 2);
  EXPECT_EQ(editor->Gradient()->Points()->Points(2)->IntColor(), 0xFFFF0000u);
  EXPECT_FLOAT_EQ(editor->Gradient()->Points()->Points(2)->Offset(), 0.9f);
}

TEST_F(ColorControls, PanelSetsItsPartsFromAColourTextAndReportsOnce) {
  auto* panel = Add<TvgColorPanel>();
  auto* swatch = Add<TvgColorBox>();
  panel->SetColorBox(swatch);
  EXPECT_EQ(panel->GetColor(), "#FFFFFFFF");
  int changes = 0;
  panel->OnChange = [&](rtl::TObject*) { ++changes; };
  for (const char* text : {"#FF00FF00", "#FF336699", "#80FF0000", "#FF000000"}) {
    SCOPED_TRACE(text);
    changes = 0;
    panel->SetColor(text);
    EXPECT_EQ(panel->GetColor(), text);
    EXPECT_EQ(swatch->Color(), vgStrToColor(text));
    EXPECT_EQ(changes, 1);
  }
  panel->AlphaTrack()->SetValue(0);
  EXPECT_EQ(panel->GetColor(), "#00000000");
  panel->SetUseAlpha(false);
  EXPECT_FALSE(panel->AlphaTrack()->Visible());
}

TEST_F(ColorControls, TypingAColourIntoTheComboBoxTextSetsIt) {
  auto* combo = Add<TvgComboColorBox>();
  combo->SetBounds(10, 10, 60, 22);
  int changes = 0;
  combo->OnChange = [&](rtl::TObject*) { ++changes; };
  combo->DropDown();
  ASSERT_TRUE(combo->Popup()->IsOpen());
  TvgTextBox* text = combo->ColorText();
  text->SetFocus();
  text->SelectAll();
  for (char16_t c : std::u16string(u"#FF00FF00xyz")) scene->KeyChar(c, 0);
  EXPECT_EQ(text->Text(), u"#FF00FF00") << "only hexadecimal digits and #";
  std::uint16_t enter = vgKeyReturn;
  char16_t none = 0;
  text->KeyDown(enter, none, 0);
  EXPECT_EQ(combo->GetValue(), "#FF00FF00");
  EXPECT_EQ(combo->ColorBox()->Color(), 0xFF00FF00u);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->GetData().AsString(), "#FF00FF00");
  combo->SetData(rtl::Variant(std::int64_t(0xFF0000FF)));
  EXPECT_EQ(combo->GetValue(), "#FF0000FF");
  EXPECT_EQ(text->Text(), u"#FF0000FF");
  combo->DropDown();
  EXPECT_FALSE(combo->Popup()->IsOpen());
  Settle();
  timers.FireAll();
}

}  // namespace
