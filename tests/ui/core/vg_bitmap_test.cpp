#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/ui/core/vg_fakes.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_geometry.h"

using namespace vg;
using vgtest::FakeBackEnd;
using vgtest::FakeFilter;

namespace {

std::vector<std::uint32_t> Pixels(const TvgBitmap& b) {
  return {b.Bits(), b.Bits() + b.Width() * b.Height()};
}

void Fill(TvgBitmap& b, std::initializer_list<std::uint32_t> pixels) {
  std::copy(pixels.begin(), pixels.end(), b.Bits());
}

}  // namespace

TEST(VgBitmap, EmptyBitmapsHaveNoPixelsAndStayQuiet) {
  TvgBitmap empty(0, 0);
  int changes = 0;
  empty.OnChange = [&](rtl::TObject*) { ++changes; };
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.Bits(), nullptr);
  empty.Clear(0xFFFFFFFF);
  empty.ClearRect({0, 0, 5, 5}, 0xFFFFFFFF);
  EXPECT_EQ(empty.GetPixels(0, 0), 0u);
  EXPECT_EQ(changes, 0);
  empty.SetSize(-3, 2);
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(VgBitmap, ClearPremultipliesAndClearRectRoundsItsEdges) {
  TvgBitmap b(4, 4);
  int changes = 0;
  b.OnChange = [&](rtl::TObject*) { ++changes; };
  b.Clear(0x80FF0000);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.GetPixels(3, 3), 0x80800000u);
  b.Clear(0);
  b.ClearRect({0.6f, 0.6f, 2.4f, 2.6f}, 0xFF0000FF);
  EXPECT_EQ(changes, 2);  // ClearRect fires nothing
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(b.GetPixels(x, y), x <= 1 && y <= 2 ? 0xFF0000FFu : 0u) << x << "," << y;
  b.ClearRect({-5, 3, 99, 99}, 0xFFFFFFFF);  // clipped to the bitmap
  EXPECT_EQ(b.GetPixels(3, 3), 0xFFFFFFFFu);
  b.ClearRect({3, 0, 1, 1}, 0xFF00FF00);  // inverted: nothing
  EXPECT_EQ(b.GetPixels(2, 0), 0u);

  TvgBitmap wide(4, 2);
  wide.Bits()[7] = 42;
  EXPECT_EQ(wide.GetPixels(3, 1), 42u);
  EXPECT_EQ(wide.GetPixels(4, 0), 0u);
  EXPECT_EQ(wide.GetPixels(-1, 0), 0u);
}

TEST(VgBitmap, FlipsAndAlphaOperations) {
  TvgBitmap row(3, 1);
  Fill(row, {1, 2, 3});
  row.FlipHorizontal();  // one row: swapped with itself
  EXPECT_EQ(Pixels(row), (std::vector<std::uint32_t>{1, 2, 3}));
  row.FlipVertical();
  EXPECT_EQ(Pixels(row), (std::vector<std::uint32_t>{3, 2, 1}));
  TvgBitmap column(2, 3);
  Fill(column, {1, 2, 3, 4, 5, 6});
  column.FlipHorizontal();
  EXPECT_EQ(Pixels(column), (std::vector<std::uint32_t>{5, 6, 3, 4, 1, 2}));

  TvgBitmap b(3, 1);
  Fill(b, {0x80404040, 0, 0xFF102030});
  b.FillColor(0xFF0000FF);
  EXPECT_EQ(Pixels(b), (std::vector<std::uint32_t>{0x80000080, 0, 0xFF0000FF}));
  b.InvertAlpha();
  EXPECT_EQ(Pixels(b), (std::vector<std::uint32_t>{0x7F00007E, 0xFF000000, 0}));
  EXPECT_EQ(b.CreateMask(), (std::vector<std::uint8_t>{0x7F, 0xFF, 0}));
}

TEST(VgBitmap, MaskErodesShiftedAndChecksItsSize) {
  TvgBitmap b(3, 2);
  b.Clear(0xFFFFFFFF);
  b.ApplyMask({0, 255, 0, 0, 0, 0}, 1, 1);  // mask (1,0) lands on pixel (2,1)
  EXPECT_EQ(b.GetPixels(2, 1), 0u);
  EXPECT_EQ(b.GetPixels(1, 0), 0xFFFFFFFFu);
  b.ApplyMask({0, 0, 0, 0, 128}, 0, 0);  // shorter than the bitmap: the rest is ignored
  EXPECT_EQ(b.GetPixels(1, 1), 0x7F7F7F7Fu);
  b.ApplyMask({}, 0, 0);
  EXPECT_EQ(b.GetPixels(0, 0), 0xFFFFFFFFu);

  TvgBitmap mask(3, 2);
  mask.Clear(0xFF800000);
  const TvgBitmap masked(b, mask);
  EXPECT_EQ(masked.GetPixels(0, 0), 0x80FFFFFFu);
  const TvgBitmap unmasked(b, TvgBitmap(2, 2));
  EXPECT_EQ(unmasked.GetPixels(0, 0), 0u);
}

TEST(VgBitmap, RotateThroughTheCanvas) {
  FakeBackEnd backEnd;
  TvgBitmap b(40, 20);
  b.ClearRect({0, 0, 2, 2}, 0xFFFF0000);  // top-left corner red
  int changes = 0;
  b.OnChange = [&](rtl::TObject*) { ++changes; };
  b.Rotate(0);
  EXPECT_EQ(changes, 0);
  b.Rotate(90);
  EXPECT_EQ(b.Width(), 20);
  EXPECT_EQ(b.Height(), 40);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(b.GetPixels(19, 0), 0xFFFF0000u);  // clockwise: top-left goes top-right
  EXPECT_EQ(b.GetPixels(0, 0), 0u);

  std::unique_ptr<TvgBitmap> thumbnail(b.CreateThumbnail(10, 20));
  EXPECT_EQ(thumbnail->GetPixels(9, 0), 0xFFFF0000u);
  EXPECT_EQ(b.GetScanline(1), b.Bits() + 20);
}

TEST(VgBitmap, WithoutABackEndCanvasOperationsFailClearly) {
  TvgBitmap b(2, 2);
  EXPECT_THROW(b.GetCanvas(), rtl::EInvalidOperation);
  EXPECT_EQ(b.GetScanline(0), nullptr);
  rtl::TMemoryStream stream;
  EXPECT_THROW(b.SaveToStream(stream), rtl::EInvalidOperation);
  TvgFilter base;
  EXPECT_THROW(base.LoadFromStream(stream, b), rtl::EAbstractError);
}

TEST(VgBitmap, StreamFormatFollowsAlpha) {
  FakeBackEnd backEnd;
  struct Case {
    std::uint32_t pixel;
    int width;
    const char* saved;
  } cases[] = {
      {0xFFFFFFFF, 2, "jpeg quality=100"},
      {0x80808080, 2, "png "},
      {0, 0, "jpeg quality=100"},  // empty: no pixel below 255
  };
  for (const Case& c : cases) {
    TvgBitmap b(c.width, 1);
    b.Clear(c.pixel);
    rtl::TMemoryStream stream;
    b.SaveToStream(stream);
    EXPECT_EQ(FakeFilter::Saved.back(), c.saved);
  }
}

TEST(VgBitmap, LoadFromStreamPositionedAfterAHeader) {
  FakeBackEnd backEnd;
  TvgBitmap source(2, 1);
  source.Clear(0x80FF0000);
  rtl::TMemoryStream stream;
  stream.WriteBuffer("0123456789", 10);
  source.SaveToStream(stream);
  stream.SetPosition(10);
  TvgBitmap loaded;
  int changes = 0;
  loaded.OnChange = [&](rtl::TObject*) { ++changes; };
  loaded.LoadFromStream(stream);
  EXPECT_EQ(Pixels(loaded), Pixels(source));
  EXPECT_GT(changes, 0);

  const auto path = std::filesystem::temp_directory_path() / "vg_bitmap_test_missing.fake";
  std::filesystem::remove(path);
  loaded.LoadFromFile(path.string());  // a missing file changes nothing
  EXPECT_EQ(Pixels(loaded), Pixels(source));
}

TEST(VgBitmap, AssignCopiesPixelsOrTheResourceLink) {
  TvgBitmap source(2, 2);
  source.Clear(0xFF112233);
  TvgBitmap copy;
  copy.SetResourceName("stale");
  copy.Assign(&source);
  EXPECT_EQ(Pixels(copy), Pixels(source));
  EXPECT_EQ(copy.GetResourceName(), "");
  EXPECT_TRUE(copy.NeedUpdate());
  const TvgPosition notABitmap;
  EXPECT_THROW(copy.Assign(&notABitmap), rtl::EConvertError);
}

// Every way of writing pixels, applied to either of two bitmaps that share
// them: the written one gets its own pixels (and drops its platform image of
// the old ones), the other keeps what it had.
TEST(VgBitmap, AssignedBitmapsSharePixelsUntilOneIsWritten) {
  FakeBackEnd backEnd;
  const std::pair<const char*, std::function<void(TvgBitmap&)>> writes[] = {
      {"Bits", [](TvgBitmap& b) { b.Bits()[0] = 7; }},
      {"GetScanline", [](TvgBitmap& b) { b.GetScanline(1)[0] = 7; }},
      {"Clear", [](TvgBitmap& b) { b.Clear(0xFF000000); }},
      {"ClearRect", [](TvgBitmap& b) { b.ClearRect({0, 0, 1, 1}, 0xFF000000); }},
      {"FlipHorizontal", [](TvgBitmap& b) { b.FlipHorizontal(); }},
      {"FlipVertical", [](TvgBitmap& b) { b.FlipVertical(); }},
      {"InvertAlpha", [](TvgBitmap& b) { b.InvertAlpha(); }},
      {"FillColor", [](TvgBitmap& b) { b.FillColor(0xFF00FF00); }},
      {"ApplyMask", [](TvgBitmap& b) { b.ApplyMask({255, 255, 255, 255}); }},
  };
  const std::vector<std::uint32_t> before{0xFF0000FF, 0x80400000, 0xFF00FF00, 0x40101010};
  for (const auto& [name, write] : writes)
    for (const bool writeTheCopy : {false, true}) {
      TvgBitmap original(2, 2);
      std::copy(before.begin(), before.end(), original.Bits());
      TvgBitmap copy;
      copy.Assign(&original);
      ASSERT_EQ(copy.ConstBits(), original.ConstBits()) << "assigned pixels are shared";
      TvgBitmap& written = writeTheCopy ? copy : original;
      const TvgBitmap& other = writeTheCopy ? original : copy;
      int handleDrops = 0;
      written.SetHandle(1);
      written.OnDestroyHandle = [&](rtl::TObject*) { ++handleDrops; };
      write(written);
      EXPECT_EQ(Pixels(other), before) << name << (writeTheCopy ? " on the copy" : "");
      EXPECT_NE(Pixels(written), before) << name;
      EXPECT_EQ(handleDrops, 1) << name;
      EXPECT_EQ(written.Handle(), 0u) << name;
    }
}

// A canvas writes its bitmap's pixels without asking, so that bitmap never
// shares them: not those it shared before, nor with bitmaps assigned later.
TEST(VgBitmap, ABitmapWithACanvasKeepsItsPixelsToItself) {
  FakeBackEnd backEnd;
  TvgBitmap drawn(2, 1);
  drawn.Clear(0xFF0000FF);
  TvgBitmap before;
  before.Assign(&drawn);
  drawn.GetCanvas();
  TvgBitmap after;
  after.Assign(&drawn);
  EXPECT_NE(before.ConstBits(), drawn.ConstBits());
  EXPECT_NE(after.ConstBits(), drawn.ConstBits());
  EXPECT_EQ(Pixels(after), Pixels(drawn));
  const std::uint32_t* const own = drawn.ConstBits();
  drawn.Assign(&before);
  EXPECT_EQ(drawn.ConstBits(), own) << "assigning into it copies into its own pixels";
}

TEST(VgBitmap, ClassLibraryBitmapsInAndOut) {
  rtl::TBitmap rgb(2, 1, rtl::TPixelFormat::pf24bit);
  rgb.SetPixelColor(1, 0, {0x11, 0x22, 0x33});
  TvgBitmap b;
  b.Assign(rgb);
  EXPECT_EQ(Pixels(b), (std::vector<std::uint32_t>{0xFF000000, 0xFF112233}));

  b.Bits()[0] = 0x80402010;
  rtl::TBitmap out;
  b.AssignTo(out);
  EXPECT_EQ(out.PixelFormat(), rtl::TPixelFormat::pf32bit);
  const std::uint8_t* row = out.ScanLine(0);
  EXPECT_EQ((std::vector<std::uint8_t>(row, row + 4)),
            (std::vector<std::uint8_t>{0x10, 0x20, 0x40, 0x80}));
  TvgBitmap back;
  back.Assign(out);  // 32 bits: alpha and values as they are
  EXPECT_EQ(Pixels(back), Pixels(b));
}

TEST(VgBitmap, AssignFromAResourceLinkedBitmapCopiesTheLink) {
  FakeBackEnd backEnd;
  vgtest::FakeResourceNode node("picture");
  node.bitmap.SetSize(3, 3);
  TvgBitmap linked;
  linked.SetResourceName("picture");
  TvgBitmap copy(1, 1);
  copy.Assign(&linked);
  EXPECT_EQ(copy.GetResource(), &node);
  EXPECT_EQ(copy.GetResourceName(), "picture");
  EXPECT_EQ(copy.Width(), 1);  // pixels are not copied
}

