// The group header's painting on a recording canvas and on cairo, and its
// loading from a form file.
#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "components/JvGroupHeader.h"
#include "components/Registration.h"
#include "platform/gui/CairoCanvas.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/ObjectText.h"
#include "tests/support/gui_recording_canvas.h"

namespace {

using namespace components;
using gui::clBtnHighlight;
using gui::clBtnShadow;

std::string Line(gui::TColor color, int x1, int y, int x2) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "line %08X %d,%d %d,%d", unsigned(color), x1, y, x2, y);
  return buffer;
}
// A pair of bevel lines from x1 to x2 at y and y + 1.
std::vector<std::string> Pair(gui::TColor first, gui::TColor second, int x1, int x2, int y) {
  return {Line(first, x1, y, x2), Line(second, x1, y + 1, x2)};
}
std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Header : ::testing::Test {
  std::unique_ptr<TJvGroupHeader> header{new TJvGroupHeader(nullptr)};
  guitest::RecordingCanvas canvas;

  void SetUp() override { header->SetCaption(u"Header"); }  // 42 x 13 on the canvas
  std::vector<std::string> Paint() {
    canvas.Log.clear();
    header->PaintOn(canvas);
    return canvas.Log;
  }
};

TEST_F(Header, StartsAsAnOpaqueLeftAlignedLoweredHeader) {
  EXPECT_EQ(header->Width(), 200);
  EXPECT_EQ(header->Height(), 17);
  EXPECT_EQ(header->Alignment(), taLeftJustify);
  EXPECT_EQ(header->Layout(), lTop);
  EXPECT_EQ(header->BevelSpace(), 12);
  EXPECT_EQ(header->PositionOffset(), 0);
  EXPECT_FALSE(header->Transparent());
  EXPECT_EQ(header->BevelOptions()->Style(), bsLowered);
  EXPECT_EQ(header->BevelOptions()->Height(), 2);
  EXPECT_EQ(header->BevelOptions()->Shape(), stRectangle);
  // No left line (X2 = -12 becomes 0); the right pair from 42 + 12.
  Paint();
  EXPECT_EQ(canvas.Only("line"), Pair(clBtnShadow, clBtnHighlight, 54, 54 + 146, 6));
  EXPECT_EQ(canvas.Only("text"), std::vector<std::string>{"text 00000000 0,0,200,17 840 'Header'"});
}

// Alignment x layout x bevel style: the lines, or the shapes, drawn.
TEST_F(Header, GeometryFollowsAlignmentLayoutAndStyle) {
  struct Case {
    TAlignment alignment;
    TJvLayout layout;
    TJvBevelStyle style;
    int textTop;
    std::vector<std::string> drawn;
  };
  const gui::TColor S = clBtnShadow, H = clBtnHighlight;
  // W 200, H 17, TW 42, TH 13, space 12. Left: X2 0, X3 54, X4 146.
  // Right: X2 146, X3 212 = X4 (no right pair). Centre: X2 67, X3 133, X4 200.
  const Case cases[] = {
      {taLeftJustify, lTop, bsLowered, 0, Pair(S, H, 54, 200, 6)},
      {taLeftJustify, lCenter, bsRaised, 2, Pair(H, S, 54, 200, 8)},
      {taLeftJustify, lBottom, bsLowered, 4, Pair(S, H, 54, 200, 11)},
      {taRightJustify, lTop, bsRaised, 0, Pair(H, S, 0, 146, 6)},
      {taRightJustify, lCenter, bsLowered, 2, Pair(S, H, 0, 146, 8)},
      {taRightJustify, lBottom, bsRaised, 4, Pair(H, S, 0, 146, 11)},
      {taCenter, lTop, bsLowered, 0, Join(Pair(S, H, 0, 67, 6), Pair(S, H, 133, 333, 6))},
      {taCenter, lCenter, bsRaised, 2, Join(Pair(H, S, 0, 67, 8), Pair(H, S, 133, 333, 8))},
      {taCenter, lBottom, bsLowered, 4, Join(Pair(S, H, 0, 67, 11), Pair(S, H, 133, 333, 11))},
      // Shapes: pen 1, height 2, box from (PW div 2, Y - 1), width X2.
      {taLeftJustify, lTop, bsShape, 0, {"rect 0,5 0,7"}},  // X2 = 0: a box of width 0
      {taRightJustify, lCenter, bsShape, 2, {"rect 0,7 146,9"}},
      {taCenter, lBottom, bsShape, 4, {"rect 0,10 67,12", "rect 133,10 200,12"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.alignment << " " << c.layout << " " << c.style);
    header->SetAlignment(c.alignment);
    header->SetLayout(c.layout);
    header->BevelOptions()->SetStyle(c.style);
    Paint();
    EXPECT_EQ(canvas.Only(c.style == bsShape ? "rect" : "line"), c.drawn);
    const std::vector<std::string> text = canvas.Only("text");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_NE(text[0].find(" 0," + std::to_string(c.textTop) + ",200," + std::to_string(17 + c.textTop) + " "),
              std::string::npos)
        << text[0];
  }
}

TEST_F(Header, CentredCirclesAreMirroredAboutTheMiddle) {
  header->SetAlignment(taCenter);
  header->BevelOptions()->SetStyle(bsShape);
  header->BevelOptions()->SetShape(stCircle);
  header->BevelOptions()->SetHeight(9);
  Paint();
  // X2 67: box 67 x 9 at (0, 2), squared to 9 x 9 at x 29; mirror 200 - 58 - 9.
  EXPECT_EQ(canvas.Only("ellipse"), (std::vector<std::string>{"ellipse 29,2 38,11", "ellipse 162,2 171,11"}));
  header->BevelOptions()->SetShape(stRoundRect);
  Paint();
  EXPECT_EQ(canvas.Only("round"), (std::vector<std::string>{"round 0,2 67,11 2,2", "round 133,2 200,11 2,2"}));
}

TEST_F(Header, OffsetShiftsCaptionAndLines) {
  header->SetPositionOffset(10);
  Paint();
  EXPECT_EQ(canvas.Only("text")[0], "text 00000000 10,0,210,17 840 'Header'");
  // X2 = -2 becomes 0 (no left pair); X3 = 10 + 42 + 12, length 146.
  EXPECT_EQ(canvas.Only("line"), Pair(clBtnShadow, clBtnHighlight, 64, 64 + 146, 6));
}

TEST_F(Header, DisabledCaptionIsEmbossed) {
  header->SetEnabled(false);
  Paint();
  EXPECT_EQ(canvas.Only("text"), (std::vector<std::string>{"text 80000014 1,1,201,18 840 'Header'",
                                                            "text 80000010 0,0,200,17 840 'Header'"}));
}

// A parent that paints its own background and knows its colour.
struct Parent : rtl::TComponent, gui::IControlParent {
  Parent() : rtl::TComponent(nullptr) {}
  gui::TColor colour = gui::clBtnFace;
  std::vector<gui::TRect> painted, invalidated;
  gui::TColor BackgroundColor() override { return colour; }
  void PaintBackground(gui::TCanvas&, const gui::TRect& rect) override { painted.push_back(rect); }
  void InvalidateRect(const gui::TRect& rect) override { invalidated.push_back(rect); }
};

TEST_F(Header, BackgroundIsTheColourOrTheParentsOrNothing) {
  Paint();
  EXPECT_EQ(canvas.Only("fill"), std::vector<std::string>{"fill 8000000F 0,0,200,17"});  // no parent

  Parent parent;
  header->SetBounds(280, 480, 200, 17);
  header->SetParentComponent(&parent);
  Paint();
  EXPECT_TRUE(canvas.Only("fill").empty());
  ASSERT_EQ(parent.painted.size(), 1u);
  EXPECT_EQ(parent.painted[0], (gui::TRect{280, 480, 480, 497}));

  parent.invalidated.clear();
  header->SetColor(0x0000FF);
  Paint();
  EXPECT_EQ(canvas.Only("fill"), std::vector<std::string>{"fill 000000FF 0,0,200,17"});

  header->SetTransparent(true);
  EXPECT_FALSE(parent.invalidated.empty());  // changes repaint
  Paint();
  EXPECT_TRUE(canvas.Only("fill").empty());
  header->SetParentComponent(nullptr);
}

TEST_F(Header, OptionsNotifyOnceAndRepaint) {
  Parent parent;
  header->SetParentComponent(&parent);
  TJvGroupHeaderOptions other;
  other.SetStyle(bsRaised);
  other.SetHeight(5);
  other.Pen()->SetWidth(3);
  int changes = 0;
  header->BevelOptions()->OnChange = [&](rtl::TObject*) { ++changes; };
  header->SetBevelOptions(&other);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(header->BevelOptions()->Pen()->Width(), 3);
  EXPECT_EQ(header->BevelOptions()->Height(), 5);
  header->BevelOptions()->Brush()->SetColor(0x00FF00);
  EXPECT_EQ(changes, 2);
  header->SetParentComponent(nullptr);
}

TEST_F(Header, MouseOverFollowsEnterAndLeave) {
  std::vector<std::string> events;
  header->OnMouseEnter = [&](rtl::TObject*) { events.push_back(header->MouseOver() ? "enter over" : "enter"); };
  header->OnMouseLeave = [&](rtl::TObject*) { events.push_back(header->MouseOver() ? "leave over" : "leave"); };
  header->MouseEnter();
  header->MouseLeave();
  EXPECT_EQ(events, (std::vector<std::string>{"enter over", "leave"}));
  EXPECT_EQ(header->HintColorFor(1, 2), 2);  // clDefault: the parent's
  header->SetHintColor(gui::clNone);
  EXPECT_EQ(header->HintColorFor(1, 2), 1);
  header->SetHintColor(0x123456);
  EXPECT_EQ(header->HintColorFor(1, 2), 0x123456);
}

// Real drawing: the lowered pair on its rows in the shadow and highlight
// colours, the caption's pixels left of it.
TEST(HeaderOnCairo, DrawsTheBevelPairOnItsRows) {
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, 200, 17), cairo_surface_destroy);
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
  gui::TCairoCanvas canvas(cr.get());
  TJvGroupHeader header(nullptr);
  header.SetCaption(u"Header");
  header.PaintOn(canvas);
  cairo_surface_flush(surface.get());
  canvas.Font().Assign(header.Font());
  const int TW = canvas.TextWidth(u"Header"), TH = canvas.TextHeight(u"Header");
  ASSERT_GT(TW, 10);
  auto pixel = [&](int x, int y) {
    const auto* row = cairo_image_surface_get_data(surface.get()) + y * cairo_image_surface_get_stride(surface.get());
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
  };
  const int y = TH / 2;
  EXPECT_EQ(pixel(199, y), 0xA0A0A0u);      // shadow, reaching the right edge
  EXPECT_EQ(pixel(199, y + 1), 0xFFFFFFu);  // highlight
  EXPECT_EQ(pixel(TW + 12, y), 0xA0A0A0u);
  EXPECT_EQ(pixel(TW + 10, y), 0xF0F0F0u);  // the gap shows the button face
  bool ink = false;
  for (int x = 0; x < TW; ++x)
    for (int row = 0; row < 17; ++row) ink = ink || pixel(x, row) != 0xF0F0F0u;
  EXPECT_TRUE(ink);
}

TEST(HeaderInForm, LoadsFromTheFormFileAndGoesWithTheForm) {
  RegisterCaptionClasses();
  gui::RegisterGuiClasses();
  auto* form = new gui::TForm(nullptr);
  rtl::TStringStream text(
      "object frmInterface: TForm\n"
      "  object JvGroupHeader1: TJvGroupHeader\n"
      "    Left = 280\n"
      "    Top = 480\n"
      "    Width = 200\n"
      "    Height = 17\n"
      "    Caption = 'JvGroupHeader1'\n"
      "  end\n"
      "end\n"),
      binary;
  rtl::ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
  rtl::ReadComponentFromStream(binary, form, false);
  auto* header = dynamic_cast<TJvGroupHeader*>(form->FindComponent("JvGroupHeader1"));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->BoundsRect(), (gui::TRect{280, 480, 480, 497}));
  EXPECT_EQ(header->Caption(), u"JvGroupHeader1");
  EXPECT_EQ(header->Parent(), form);
  EXPECT_EQ(header->ParentControl(), nullptr);  // the form draws no graphic controls
  form->Free();
}

}  // namespace
