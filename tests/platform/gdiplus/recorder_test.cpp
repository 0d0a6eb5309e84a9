// The recording implementation logs calls with their arguments and passes
// them on.
#include "platform/gdiplus/GdipRecorder.h"
#include "tests/platform/gdiplus/GdipTestSupport.h"

namespace gdip::testing {
namespace {

TEST(RecorderTest, LogsArgumentsResultsAndHandleNames) {
  auto cairo = CreateCairoGdiPlus();
  GdipRecorder rec(*cairo);
  Surface s(rec, 10, 10);
  GpSolidFill* brush = nullptr;
  rec.GdipCreateSolidFill(0xFF102030, &brush);
  rec.GdipFillRectangle(s.graphics, brush, 1, 2, 3.5f, 4);
  rec.GdipSetInterpolationMode(s.graphics, InterpolationModeNearestNeighbor);
  const PointF a{0, 0}, b{10, 0};
  GpLineGradient* line = nullptr;
  rec.GdipCreateLineBrush(&a, &b, 0xFF000000, 0xFFFFFFFF, WrapModeTileFlipX, &line);
  const ARGB colors[] = {0xFFFF0000, 0xFF0000FF};
  const REAL positions[] = {0, 1};
  rec.GdipSetLinePresetBlend(line, colors, positions, 2);
  rec.GdipDeleteBrush(line);
  GpMatrix* m = nullptr;
  rec.GdipCreateMatrix2(1, 0, 0, 1, 5, 6, &m);
  rec.GdipSetWorldTransform(s.graphics, m);
  GraphicsState state = 0;
  rec.GdipSaveGraphics(s.graphics, &state);
  EXPECT_EQ(rec.GdipSetPenWidth(nullptr, 1), InvalidParameter);

  EXPECT_EQ(s.At(2, 3), 0xFF102030u);  // passed on
  EXPECT_EQ(rec.CallsTo("GdipCreateSolidFill")[0].args, "4279246896, brush1");
  EXPECT_EQ(rec.CallsTo("GdipFillRectangle")[0].args, "graphics1, brush1, 1, 2, 3.5, 4");
  EXPECT_EQ(rec.CallsTo("GdipSetInterpolationMode")[0].args, "graphics1, 5");
  EXPECT_EQ(rec.CallsTo("GdipCreateLineBrush")[0].args, "(0,0), (10,0), 4278190080, 4294967295, 1, brush2");
  EXPECT_EQ(rec.CallsTo("GdipSetLinePresetBlend")[0].args, "brush2, [FFFF0000@0 FF0000FF@1], 2");
  EXPECT_EQ(rec.CallsTo("GdipSetWorldTransform")[0].args, "graphics1, [1,0,0,1,5,6]");
  EXPECT_EQ(rec.CallsTo("GdipSaveGraphics")[0].args, "graphics1, 1");
  EXPECT_EQ(rec.CallsTo("GdipSetPenWidth")[0].status, InvalidParameter);
  EXPECT_EQ(rec.CallsTo("GdipSetPenWidth")[0].args, "null, 1");

  // A freed handle's name is not given to the next object at that address.
  GpSolidFill* next = nullptr;
  rec.GdipCreateSolidFill(0, &next);
  EXPECT_EQ(rec.CallsTo("GdipCreateSolidFill")[1].args, "0, brush3");

  rec.Clear();
  EXPECT_TRUE(rec.Calls().empty());
  rec.GdipDeleteMatrix(m);
  rec.GdipDeleteBrush(brush);
  rec.GdipDeleteBrush(next);
  EXPECT_EQ(rec.Names(), (std::vector<std::string>{"GdipDeleteMatrix", "GdipDeleteBrush", "GdipDeleteBrush"}));
}

TEST(RecorderTest, DescribesEncoderQualityColourMatricesAndRanges) {
  auto cairo = CreateCairoGdiPlus();
  GdipRecorder rec(*cairo);
  GpImageAttributes* attrs = nullptr;
  rec.GdipCreateImageAttributes(&attrs);
  ColorMatrix m{};
  for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
  m.m[3][3] = 0.5f;
  rec.GdipSetImageAttributesColorMatrix(attrs, ColorAdjustTypeBitmap, 1, &m, nullptr, ColorMatrixFlagsDefault);
  EXPECT_EQ(rec.CallsTo("GdipSetImageAttributesColorMatrix")[0].args, "attributes1, 1, 1, {m33=0.5}, null, 0");
  rec.GdipDisposeImageAttributes(attrs);

  std::vector<ARGB> pixel(1, 0xFF000000);
  GpBitmap* bitmap = nullptr;
  rec.GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixel.data()), &bitmap);
  UINT quality = 80;
  EncoderParameters params{1, {{EncoderQuality, 1, EncoderParameterValueTypeLong, &quality}}};
  auto* stream = new VectorStream;
  UINT count = 0, size = 0;
  rec.GdipGetImageEncodersSize(&count, &size);
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  rec.GdipGetImageEncoders(count, size, codecs);
  rec.GdipSaveImageToStream(bitmap, stream, &codecs[1].Clsid, &params);
  EXPECT_EQ(std::u16string(codecs[1].MimeType), u"image/jpeg");
  EXPECT_NE(rec.CallsTo("GdipSaveImageToStream")[0].args.find("{quality=80}"), std::string::npos);
  stream->Release();
  rec.GdipDisposeImage(bitmap);

  GpStringFormat* format = nullptr;
  rec.GdipCreateStringFormat(0x4800, 0, &format);
  const CharacterRange range{0, 5};
  rec.GdipSetStringFormatMeasurableCharacterRanges(format, 1, &range);
  EXPECT_EQ(rec.CallsTo("GdipSetStringFormatMeasurableCharacterRanges")[0].args, "format1, 1, [0+5]");
  rec.GdipDeleteStringFormat(format);
}

}  // namespace
}  // namespace gdip::testing

namespace gdip::testing {
namespace {

TEST(RecorderTest, InjectedFailuresSkipTheInnerCallAndAreLogged) {
  auto cairo = CreateCairoGdiPlus();
  GdipRecorder rec(*cairo);
  rec.Fail("GdipCreateSolidFill", OutOfMemory);
  rec.Fail("GdipGetImageEncodersSize", GenericError, 2);
  GpSolidFill* brush = nullptr;
  EXPECT_EQ(rec.GdipCreateSolidFill(0xFF000000, &brush), OutOfMemory);
  EXPECT_EQ(brush, nullptr);
  UINT count = 0, size = 0;
  EXPECT_EQ(rec.GdipGetImageEncodersSize(&count, &size), GenericError);
  EXPECT_EQ(rec.GdipGetImageEncodersSize(&count, &size), GenericError);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(rec.GdipGetImageEncodersSize(&count, &size), Ok);
  EXPECT_GT(size, 0u);
  EXPECT_EQ(rec.GdipCreateSolidFill(0xFF000000, &brush), Ok);
  EXPECT_EQ(rec.CallsTo("GdipCreateSolidFill")[0].status, OutOfMemory);
  rec.GdipDeleteBrush(brush);
}

}  // namespace
}  // namespace gdip::testing
