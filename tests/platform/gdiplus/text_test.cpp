// Fonts and text of the cairo implementation, with the fonts pinned by the
// project's fontconfig file. Measures allow a pixel or two.
#include "platform/rtl/Streams.h"
#include "tests/platform/gdiplus/GdipTestSupport.h"

namespace gdip::testing {
namespace {

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(api->GdipCreateFontFamilyFromName(u"DejaVu Sans", nullptr, &family), Ok);
    ASSERT_EQ(api->GdipCreateFont(family, 15, FontStyleRegular, UnitPoint, &font), Ok);  // 20 px
    ASSERT_EQ(api->GdipCreateStringFormat(0, 0, &format), Ok);
  }
  void TearDown() override {
    api->GdipDeleteStringFormat(format);
    api->GdipDeleteFont(font);
    api->GdipDeleteFontFamily(family);
  }
  RectF Measure(const char16_t* text, RectF layout) {
    const CharacterRange all{0, INT(std::char_traits<char16_t>::length(text))};
    api->GdipSetStringFormatMeasurableCharacterRanges(format, 1, &all);
    GpRegion* region = nullptr;
    api->GdipCreateRegion(&region);
    EXPECT_EQ(api->GdipMeasureCharacterRanges(s.graphics, text, -1, font, &layout, format, 1, &region), Ok);
    RectF bounds;
    api->GdipGetRegionBounds(region, s.graphics, &bounds);
    api->GdipDeleteRegion(region);
    return bounds;
  }

  std::unique_ptr<GdiPlus> api = CreateCairoGdiPlus();
  Surface s{*api, 200, 80};
  GpFontFamily* family = nullptr;
  GpFont* font = nullptr;
  GpStringFormat* format = nullptr;
};

TEST_F(TextTest, FamiliesExistOnlyWhenFontconfigHasThem) {
  GpFontFamily* f = nullptr;
  EXPECT_EQ(api->GdipCreateFontFamilyFromName(u"dejavu sans", nullptr, &f), Ok);
  api->GdipDeleteFontFamily(f);
  EXPECT_EQ(api->GdipCreateFontFamilyFromName(u"No Such Family", nullptr, &f), FontFamilyNotFound);
  EXPECT_EQ(f, nullptr);
  ASSERT_EQ(api->GdipGetGenericFontFamilySansSerif(&f), Ok);
  WCHAR name[32];
  api->GdipGetFamilyName(f, name, 0);
  EXPECT_EQ(std::u16string(name), u"DejaVu Sans");
  GpFontFamily* clone = nullptr;
  ASSERT_EQ(api->GdipCloneFontFamily(f, &clone), Ok);
  api->GdipDeleteFontFamily(f);
  api->GdipDeleteFontFamily(clone);
}

// The group heading's Wingdings "v" is a diamond mark, not the letter.
TEST_F(TextTest, SymbolFontTextIsLaidOutAsItsSymbols) {
  GpFontFamily* symbols = nullptr;
  ASSERT_EQ(api->GdipCreateFontFamilyFromName(u"Wingdings", nullptr, &symbols), Ok);
  GpFont* symbolFont = nullptr;
  ASSERT_EQ(api->GdipCreateFont(symbols, 15, FontStyleRegular, UnitPoint, &symbolFont), Ok);
  const RectF letter = Measure(u"v", {0, 0, 200, 80});
  std::swap(font, symbolFont);
  const RectF mark = Measure(u"v", {0, 0, 200, 80});
  const RectF twoMarks = Measure(u"vv", {0, 0, 200, 80});
  std::swap(font, symbolFont);
  EXPECT_GT(mark.Width, letter.Width + 3);  // the diamond is much wider than the letter
  EXPECT_NEAR(twoMarks.Width, 2 * mark.Width, 2);
  api->GdipDeleteFont(symbolFont);
  api->GdipDeleteFontFamily(symbols);
}

TEST_F(TextTest, StylesAvailableAsTheFamilyHasThem) {
  GpFontFamily* mono = nullptr;
  ASSERT_EQ(api->GdipCreateFontFamilyFromName(u"WenQuanYi Micro Hei", nullptr, &mono), Ok);
  for (auto [style, dejavu, wqy] :
       {std::tuple{FontStyleRegular, true, true}, std::tuple{FontStyleBold, true, false},
        std::tuple{FontStyleBoldItalic, true, false}, std::tuple{FontStyleUnderline, true, true}}) {
    BOOL available = 0;
    api->GdipIsStyleAvailable(family, style, &available);
    EXPECT_EQ(bool(available), dejavu) << style;
    api->GdipIsStyleAvailable(mono, style, &available);
    EXPECT_EQ(bool(available), wqy) << style;
  }
  GpFont* bold = nullptr;
  EXPECT_EQ(api->GdipCreateFont(mono, 10, FontStyleBold, UnitPoint, &bold), FontStyleNotFound);
  api->GdipDeleteFontFamily(mono);
}

TEST_F(TextTest, PrivateMemoryFontsAreFoundThroughTheirCollection) {
  const rtl::TBytes bytes = rtl::ReadFileBytes("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  GpFontCollection* collection = nullptr;
  ASSERT_EQ(api->GdipNewPrivateFontCollection(&collection), Ok);
  GpFontFamily* f = nullptr;
  EXPECT_EQ(api->GdipCreateFontFamilyFromName(u"DejaVu Sans Mono", collection, &f), FontFamilyNotFound);
  ASSERT_EQ(api->GdipPrivateAddMemoryFont(collection, bytes.data(), INT(bytes.size())), Ok);
  ASSERT_EQ(api->GdipCreateFontFamilyFromName(u"DejaVu Sans Mono", collection, &f), Ok);
  api->GdipDeleteFontFamily(f);
  EXPECT_EQ(api->GdipCreateFontFamilyFromName(u"DejaVu Sans", collection, &f), FontFamilyNotFound);
  const char junk[] = "not a font";
  EXPECT_EQ(api->GdipPrivateAddMemoryFont(collection, junk, sizeof junk), NotTrueTypeFont);
  api->GdipDeletePrivateFontCollection(&collection);
  EXPECT_EQ(collection, nullptr);
}

TEST_F(TextTest, MeasuredRangeExcludesPaddingWhichTheStringBoxAdds) {
  const RectF at{10, 5, 0, 0};
  const RectF range = Measure(u"Hello", at);
  const double pad = 20.0 / 6;
  EXPECT_NEAR(range.X, 10 + pad, 1);
  EXPECT_NEAR(range.Y, 5, 1);
  EXPECT_GT(range.Width, 40);
  EXPECT_NEAR(range.Height, 23, 2);
  RectF box;
  INT fitted = 0, lines = 0;
  api->GdipMeasureString(s.graphics, u"Hello", -1, font, &at, format, &box, &fitted, &lines);
  EXPECT_NEAR(box.X, 10, 0.01);
  EXPECT_NEAR(box.Width, range.Width + 2 * pad, 1);
  EXPECT_EQ(fitted, 5);
  EXPECT_EQ(lines, 1);
}

TEST_F(TextTest, AlignmentPlacesTheBoxInTheLayoutRectangle) {
  const RectF near = Measure(u"Hi", {0, 0, 200, 80});
  api->GdipSetStringFormatAlign(format, StringAlignmentCenter);
  api->GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
  const RectF centre = Measure(u"Hi", {0, 0, 200, 80});
  EXPECT_NEAR(centre.X + centre.Width / 2, 100, 1);
  EXPECT_NEAR(centre.Y + centre.Height / 2, 40, 1);
  const RectF point = Measure(u"Hi", {50, 50, 0, 0});  // centred on the point
  EXPECT_NEAR(point.X + point.Width / 2, 50, 1);
  api->GdipSetStringFormatAlign(format, StringAlignmentFar);
  const RectF far = Measure(u"Hi", {0, 0, 200, 80});
  EXPECT_NEAR(far.X + far.Width, 200 - 20.0 / 6, 1);
  EXPECT_NEAR(far.Width, near.Width, 0.5);
}

TEST_F(TextTest, WrapsAtTheLayoutWidthUnlessNoWrapOrWidthZero) {
  const char16_t* text = u"one two three four";
  const RectF wrapped = Measure(text, {0, 0, 80, 0});
  const RectF single = Measure(text, {0, 0, 0, 0});
  EXPECT_GT(wrapped.Height, 2 * single.Height - 2);
  EXPECT_LE(wrapped.Width, 80);
  api->GdipSetStringFormatFlags(format, StringFormatFlagsNoWrap);
  EXPECT_NEAR(Measure(text, {0, 0, 80, 0}).Height, single.Height, 0.5);
}

TEST_F(TextTest, TrailingSpacesCountOnlyWhenAsked) {
  const double plain = Measure(u"ab", {0, 0, 0, 0}).Width;
  EXPECT_NEAR(Measure(u"ab  ", {0, 0, 0, 0}).Width, plain, 0.01);
  api->GdipSetStringFormatFlags(format, StringFormatFlagsMeasureTrailingSpaces);
  EXPECT_GT(Measure(u"ab  ", {0, 0, 0, 0}).Width, plain + 5);
}

TEST_F(TextTest, RangesCountUtf16UnitsAcrossSurrogatesAndWideCharacters) {
  const char16_t* text = u"a\U0001D400\u8FDEb";  // a, a pair, a CJK character, b
  const CharacterRange ranges[] = {{0, 1}, {1, 2}, {3, 1}, {4, 1}};
  api->GdipSetStringFormatMeasurableCharacterRanges(format, 4, ranges);
  std::vector<GpRegion*> regions(4);
  for (GpRegion*& r : regions) api->GdipCreateRegion(&r);
  const RectF layout{0, 0, 0, 0};
  ASSERT_EQ(api->GdipMeasureCharacterRanges(s.graphics, text, -1, font, &layout, format, 4, regions.data()), Ok);
  double right = 20.0 / 6;  // the first range starts after the padding
  for (GpRegion* r : regions) {
    RectF bounds;
    api->GdipGetRegionBounds(r, s.graphics, &bounds);
    EXPECT_GT(bounds.Width, 3);
    EXPECT_NEAR(bounds.X, right, 0.5) << "each range starts where the one before ends";
    right = bounds.X + bounds.Width;
    api->GdipDeleteRegion(r);
  }
}

// Each offset is where the range of the units before it ends in the same
// line, kerning included ("Wa" sits closer than "W" and "a" apart).
TEST_F(TextTest, CaretOffsetsAreTheEndsOfTheLeadingRangesOfTheLine) {
  const std::u16string text = u"Wave \U0001F600 a, b  ";  // a surrogate pair and trailing blanks
  std::vector<REAL> offsets(text.size() + 1, -1);
  ASSERT_EQ(api->GdipMeasureCaretOffsets(s.graphics, text.c_str(), INT(text.size()), font, format, offsets.data()),
            Ok);
  EXPECT_EQ(offsets[0], 0);
  api->GdipSetStringFormatFlags(format, StringFormatFlagsNoWrap | StringFormatFlagsMeasureTrailingSpaces);
  const RectF layout{0, 0, 0, 0};
  for (size_t n = 1; n <= text.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_GE(offsets[n], offsets[n - 1]);
    if (n < text.size() && text[n] >= 0xDC00 && text[n] <= 0xDFFF) {
      EXPECT_EQ(offsets[n], offsets[n - 1]) << "both units of a pair share the caret before it";
      continue;
    }
    const CharacterRange leading{0, INT(n)};
    api->GdipSetStringFormatMeasurableCharacterRanges(format, 1, &leading);
    GpRegion* region = nullptr;
    api->GdipCreateRegion(&region);
    api->GdipMeasureCharacterRanges(s.graphics, text.c_str(), -1, font, &layout, format, 1, &region);
    RectF bounds;
    api->GdipGetRegionBounds(region, s.graphics, &bounds);
    api->GdipDeleteRegion(region);
    EXPECT_NEAR(offsets[n], bounds.Width, 0.5);
  }
  EXPECT_EQ(api->GdipMeasureCaretOffsets(s.graphics, text.c_str(), -1, font, format, nullptr), InvalidParameter);
}

TEST_F(TextTest, DrawStringInksInsideTheMeasuredRangeWithTheBrush) {
  GpSolidFill* brush = nullptr;
  api->GdipCreateSolidFill(0xFFFF0000, &brush);
  api->GdipSetTextRenderingHint(s.graphics, TextRenderingHintAntiAlias);
  const RectF layout{0, 0, 200, 80};
  ASSERT_EQ(api->GdipDrawString(s.graphics, u"HHHH", -1, font, &layout, format, brush), Ok);
  const RectF range = Measure(u"HHHH", layout);
  int inside = 0, outside = 0;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (s.Alpha(x, y) == 0) continue;
      const bool in = x >= range.X - 1 && x < range.X + range.Width + 1 && y >= range.Y && y < range.Y + range.Height;
      (in ? inside : outside)++;
      EXPECT_EQ(s.At(x, y) & 0xFFFF, 0u);  // red only
    }
  }
  EXPECT_GT(inside, 100);
  EXPECT_EQ(outside, 0);
  api->GdipDeleteBrush(brush);
}

TEST_F(TextTest, StringToPathGivesClosedGlyphFigures) {
  GpPath* path = nullptr;
  api->GdipCreatePath(FillModeAlternate, &path);
  const RectF layout{0, 0, 0, 0};
  ASSERT_EQ(api->GdipAddPathString(path, u"O", -1, family, FontStyleRegular, 40, &layout, nullptr), Ok);
  INT count = 0;
  api->GdipGetPointCount(path, &count);
  ASSERT_GT(count, 8);
  std::vector<PointF> points(count);
  std::vector<BYTE> types(count);
  GpPathData data{count, points.data(), types.data()};
  api->GdipGetPathData(path, &data);
  int figures = 0, closes = 0;
  for (BYTE t : types) {
    figures += (t & PathPointTypePathTypeMask) == PathPointTypeStart;
    closes += (t & PathPointTypeCloseSubpath) != 0;
  }
  EXPECT_EQ(figures, 2);  // outer and inner contour of the O
  EXPECT_EQ(closes, 2);
  BOOL ring = 0, hole = 1;
  RectF bounds;
  GpRegion* region = nullptr;
  api->GdipCreateRegionPath(path, &region);
  api->GdipGetRegionBounds(region, nullptr, &bounds);
  api->GdipDeleteRegion(region);
  api->GdipIsVisiblePathPoint(path, bounds.X + 2, bounds.Y + bounds.Height / 2, nullptr, &ring);
  api->GdipIsVisiblePathPoint(path, bounds.X + bounds.Width / 2, bounds.Y + bounds.Height / 2, nullptr, &hole);
  EXPECT_TRUE(ring);
  EXPECT_FALSE(hole);
  EXPECT_NEAR(bounds.X, 40.0 / 6 + 3, 3);  // padded like drawn text
  api->GdipDeletePath(path);
}

}  // namespace
}  // namespace gdip::testing
