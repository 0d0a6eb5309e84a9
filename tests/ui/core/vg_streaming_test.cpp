#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/Component.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Streams.h"
#include "tests/ui/core/vg_fakes.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_geometry.h"
#include "ui/core/vg_pathdata.h"

using namespace vg;

namespace {

// A component owning one value of each kind, as nodes and shapes do.
class TValueHolder : public rtl::TComponent {
  RTL_CLASS(TValueHolder, rtl::TComponent)

  explicit TValueHolder(rtl::TComponent* owner = nullptr) : rtl::TComponent(owner) {}

  TvgBounds* Padding() const { return padding_.get(); }
  TvgPosition* Position() const { return position_.get(); }
  TvgPathData* Path() const { return path_.get(); }
  TvgBitmap* Bitmap() const { return bitmap_.get(); }
  TvgBrush* Fill() const { return fill_.get(); }
  TvgFont* Font() const { return font_.get(); }

 private:
  static void Publish(rtl::TPublisher<TValueHolder>& p) {
    p.Property("Padding", &TValueHolder::Padding);
    p.Property("Position", &TValueHolder::Position);
    p.Property("Path", &TValueHolder::Path);
    p.Property("Bitmap", &TValueHolder::Bitmap);
    p.Property("Fill", &TValueHolder::Fill);
    p.Property("Font", &TValueHolder::Font);
  }

  TvgOwned<TvgBounds> padding_{new TvgBounds};
  TvgOwned<TvgPosition> position_{new TvgPosition({1, 1})};
  TvgOwned<TvgPathData> path_{new TvgPathData};
  TvgOwned<TvgBitmap> bitmap_{new TvgBitmap};
  TvgOwned<TvgBrush> fill_{new TvgBrush(vgBrushSolid, 0xFFFFFFFF)};
  TvgOwned<TvgFont> font_{new TvgFont};
};

std::string ToText(TValueHolder& holder) {
  rtl::TMemoryStream binary, text;
  rtl::WriteComponentToStream(binary, &holder);
  binary.SetPosition(0);
  rtl::ObjectBinaryToText(binary, text);
  return std::string(text.Bytes().begin(), text.Bytes().end());
}

// Reads a text form into holder; returns the property errors of a lenient read.
std::vector<std::string> FromText(TValueHolder& holder, const std::string& text) {
  rtl::TStringStream input(text);
  rtl::TMemoryStream binary;
  rtl::ObjectTextToBinary(input, binary);
  binary.SetPosition(0);
  rtl::TReader reader(binary);
  reader.SetLenient(true);
  reader.ReadRootComponent(&holder);
  return reader.Errors();
}

}  // namespace

TEST(VgStreaming, DefaultValuesWriteNothing) {
  TValueHolder holder;
  EXPECT_EQ(ToText(holder), "object TValueHolder\nend\n");
}

TEST(VgStreaming, ValuesWriteTheirCompactProperties) {
  vgtest::FakeBackEnd backEnd;
  TValueHolder holder;
  holder.Padding()->SetRight(5);
  holder.Position()->SetY(2.5f);
  holder.Path()->SetPathString("M 0,0 L 10,0");
  holder.Fill()->SetStyle(vgBrushGradient);
  holder.Fill()->Gradient()->StartPosition()->SetPoint({0, 0.5f});
  holder.Font()->SetFamily(u"Arial");
  holder.Bitmap()->SetSize(1, 1);
  holder.Bitmap()->Clear(0x80FF0000);
  const std::string text = ToText(holder);
  for (const char* line : {"  Padding.Rect = '(0,0,5,0)'\n", "  Position.Point = '(1,2.500)'\n",
                           "  Path.Path = {\n", "  Bitmap.PNG = {\n",
                           "  Fill.Style = vgBrushGradient\n",
                           "  Fill.Gradient.Style = vgLinearGradient\n",
                           "  Fill.Gradient.StartPosition.Point = '(0,0.500)'\n",
                           "  Font.Family = 'Arial'\n", "      Offset = 1.0\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  EXPECT_EQ(text.find("Fill.Color"), std::string::npos) << text;
  EXPECT_EQ(vgtest::FakeFilter::Saved.back(), "png ");

  TValueHolder copy;
  EXPECT_TRUE(FromText(copy, text).empty());
  EXPECT_EQ(copy.Padding()->GetRect(), (TvgRect{0, 0, 5, 0}));
  EXPECT_EQ(copy.Position()->GetPoint(), (TvgPoint{1, 2.5f}));
  EXPECT_EQ(copy.Path()->PathData, holder.Path()->PathData);
  EXPECT_EQ(copy.Bitmap()->GetPixels(0, 0), 0x80800000u);
  EXPECT_EQ(copy.Fill()->Style(), vgBrushGradient);
  EXPECT_EQ(copy.Fill()->Gradient()->Points()->Count(), 2);
  EXPECT_EQ(copy.Fill()->Gradient()->StartPosition()->GetPoint(), (TvgPoint{0, 0.5f}));
  EXPECT_EQ(copy.Font()->Family(), u"Arial");
}

TEST(VgStreaming, PathRecordsAndMalformedTexts) {
  TValueHolder holder;
  // Two packed 9-byte records, then a malformed point text and a path whose
  // count does not fit its bytes: both are property errors, the rest reads.
  const auto errors = FromText(holder,
                               "object TValueHolder\n"
                               "  Path.Path = {\n"
                               "    020000000000000000000000000100002041000020C1}\n"
                               "  Position.Point = '(1,x)'\n"
                               "  Padding.Rect = '(1,2,3,4)'\n"
                               "end\n");
  EXPECT_TRUE(errors.empty());
  ASSERT_EQ(holder.Path()->PathData.size(), 2u);
  EXPECT_EQ(holder.Path()->PathData[1].Point, (TvgPoint{10, -10}));
  EXPECT_EQ(holder.Position()->GetPoint(), (TvgPoint{0, 0}));
  EXPECT_EQ(holder.Padding()->GetRect(), (TvgRect{1, 2, 3, 4}));

  const auto rejected = FromText(holder,
                                 "object TValueHolder\n"
                                 "  Path.Path = {\n"
                                 "    FFFFFF7F00}\n"
                                 "  Padding.Rect = '(0,0,1,1)'\n"
                                 "end\n");
  ASSERT_EQ(rejected.size(), 1u);
  EXPECT_NE(rejected[0].find("Path"), std::string::npos) << rejected[0];
  EXPECT_EQ(holder.Path()->PathData.size(), 2u);  // the old points stay
  EXPECT_EQ(holder.Padding()->GetRect(), (TvgRect{0, 0, 1, 1}));
}
