#include "ui/core/vg_imagelist.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/ObjectText.h"
#include "tests/ui/core/vg_fakes.h"

using namespace vg;
using vgtest::FakeBackEnd;

namespace {

constexpr TvgColor kRed = 0xFFFF0000;

std::unique_ptr<TvgBitmap> Solid(int width, int height) {
  auto bitmap = std::make_unique<TvgBitmap>(width, height);
  bitmap->Clear(kRed);
  return bitmap;
}

rtl::TBytes Images(TvgImageList& list) {
  rtl::TMemoryStream stream;
  list.WriteImages(stream);
  stream.SetPosition(0);
  return stream.ReadRemaining();
}

}  // namespace

TEST(ImageList, AddFitsThePictureIntoTheListSizeWithoutEnlarging) {
  FakeBackEnd backEnd;
  TvgOwned<TvgImageList> list{new TvgImageList(nullptr)};
  EXPECT_EQ(list->Add(*Solid(64, 32)), 0);
  EXPECT_EQ(list->Add(*Solid(16, 16)), 1);
  struct Probe {
    int image, x, y;
    TvgColor expected;
  };
  const Probe probes[] = {
      {0, 16, 4, 0}, {0, 1, 9, kRed}, {0, 30, 22, kRed}, {0, 16, 27, 0},  // 32 x 16, centred vertically
      {1, 4, 4, 0},  {1, 9, 9, kRed}, {1, 22, 22, kRed}, {1, 27, 16, 0},  // 16 x 16, centred
  };
  for (const Probe& p : probes) {
    TvgBitmap* bitmap = list->GetBitmap(p.image);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 32);
    EXPECT_EQ(bitmap->GetPixels(p.x, p.y), p.expected) << p.image << " at " << p.x << "," << p.y;
  }
  EXPECT_EQ(list->GetBitmap(-1), nullptr);
  EXPECT_EQ(list->GetBitmap(2), nullptr);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
}

TEST(ImageList, ImagesPropertyRoundTripsAndIsLeftOutWhenEmpty) {
  FakeBackEnd backEnd;
  TvgOwned<TvgImageList> list{new TvgImageList(nullptr)};
  auto textForm = [&] {
    rtl::TMemoryStream binary, text;
    rtl::TWriter(binary).WriteRootComponent(list.get());
    binary.SetPosition(0);
    rtl::ObjectBinaryToText(binary, text);
    text.SetPosition(0);
    const rtl::TBytes bytes = text.ReadRemaining();
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(textForm().find("Images"), std::string::npos);
  list->Add(*Solid(32, 32));
  list->Add(*Solid(8, 8));
  EXPECT_NE(textForm().find("Images"), std::string::npos);

  const rtl::TBytes bytes = Images(*list);
  std::vector<std::int64_t> lengths;
  for (int i = 0; i < 2; ++i) {
    rtl::TMemoryStream one;
    list->GetBitmap(i)->SaveToStream(one);
    lengths.push_back(one.Size());
  }
  EXPECT_EQ(std::int64_t(bytes.size()), 4 + (4 + lengths[0]) + (4 + lengths[1]));

  TvgOwned<TvgImageList> copy{new TvgImageList(nullptr)};
  rtl::TBytesViewStream view(bytes.data(), std::int64_t(bytes.size()));
  copy->ReadImages(view);
  ASSERT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->GetBitmap(1)->GetPixels(16, 16), kRed);
  EXPECT_EQ(copy->GetBitmap(1)->GetPixels(2, 2), 0u);
}

TEST(ImageList, CountsAndLengthsRunningPastTheDataAreRefused) {
  FakeBackEnd backEnd;
  TvgOwned<TvgImageList> list{new TvgImageList(nullptr)};
  list->Add(*Solid(32, 32));
  list->Add(*Solid(32, 32));
  const rtl::TBytes whole = Images(*list);
  rtl::TBytes hugeCount = whole;
  hugeCount[3] = 0x7F;
  rtl::TBytes hugeLength = whole;
  hugeLength[7] = 0x7F;
  rtl::TBytes negativeLength = whole;
  negativeLength[7] = 0xFF;
  const std::pair<rtl::TBytes, std::size_t> cases[] = {
      {whole, 2}, {whole, 6}, {whole, 20}, {whole, whole.size() - 1},
      {hugeCount, hugeCount.size()}, {hugeLength, hugeLength.size()}, {negativeLength, negativeLength.size()},
  };
  for (const auto& [bytes, size] : cases) {
    rtl::TBytesViewStream view(bytes.data(), std::int64_t(size));
    TvgOwned<TvgImageList> target{new TvgImageList(nullptr)};
    EXPECT_THROW(target->ReadImages(view), rtl::EReadError) << size;
    EXPECT_EQ(target->Count(), 0);
  }
}
