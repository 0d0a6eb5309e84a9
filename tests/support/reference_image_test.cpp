#include "tests/support/reference_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/artifacts.h"

namespace test_support {
namespace {

namespace fs = std::filesystem;

// A 4x3 image written as the reference once, then changed and compared.
class ReferenceImage : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) / "reference_image";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    setenv("ESCTOOL_SOURCE_DIR", folder_.c_str(), 1);
    setenv("ESCTOOL_UPDATE_REFERENCES", "1", 1);
    EXPECT_TRUE(MatchesReferenceImage(View(), "ref.png"));
    unsetenv("ESCTOOL_UPDATE_REFERENCES");
    fs::remove(ArtifactDir() / "ref.diff.png");
  }
  void TearDown() override { fs::remove_all(folder_); }

  PixelView View() const { return {pixels.data(), 4, 3, 4}; }

  fs::path folder_;
  std::vector<std::uint32_t> pixels{0xFF102030, 0x80402010, 0, 0xFFFFFFFF, 0xFF000000, 0xFF2873C7,
                                    0xFF2873C7, 0xFF2873C7, 0x00000000, 0xFFE8A33D, 0xFF333333, 0xFF010203};
};

TEST_F(ReferenceImage, MatchesWithinTheChannelTolerance) {
  EXPECT_TRUE(MatchesReferenceImage(View(), "ref.png"));
  pixels[5] += 2;  // blue 0xC7 -> 0xC9
  EXPECT_TRUE(MatchesReferenceImage(View(), "ref.png", {.channel = 2, .pixelShare = 0}));
  EXPECT_FALSE(MatchesReferenceImage(View(), "ref.png", {.channel = 1, .pixelShare = 0}));
  EXPECT_TRUE(fs::exists(ArtifactDir() / "ref.diff.png")) << "a failure leaves a diff image";
}

TEST_F(ReferenceImage, AShareOfDifferingPixelsMayPass) {
  pixels[0] = 0xFFFF0000;  // one of twelve pixels
  EXPECT_FALSE(MatchesReferenceImage(View(), "ref.png", {.channel = 2, .pixelShare = 0.05}));
  EXPECT_TRUE(MatchesReferenceImage(View(), "ref.png", {.channel = 2, .pixelShare = 0.1}));
}

TEST_F(ReferenceImage, AMissingReferenceOrAnotherSizeFails) {
  EXPECT_FALSE(MatchesReferenceImage(View(), "missing.png"));
  EXPECT_FALSE(MatchesReferenceImage({pixels.data(), 3, 3, 4}, "ref.png"));
  EXPECT_FALSE(MatchesReferenceImage({pixels.data(), 4, 2, 4}, "ref.png"));
}

}  // namespace
}  // namespace test_support
