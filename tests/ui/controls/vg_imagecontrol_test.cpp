// The image control with a scripted open dialog and a picture filter that
// "reads" every file as a 40 x 20 picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/ui/controls/controls_fixture.h"
#include "ui/controls/vg_services.h"

namespace {

using namespace vg;
using vgtest::ControlScene;
namespace fs = std::filesystem;

class TFakePictureFilter : public TvgFilter {
 public:
  bool LoadFromFile(const std::string&, float, TvgBitmap& bitmap) override {
    bitmap.SetSize(40, 20);
    return true;
  }
};
const TvgFilterClassInfo kFakePictures = {[]() -> TvgFilter* { return new TFakePictureFilter; },
                                          [] { return std::string("*.png;*.bmp"); }};

struct ImageControls : ControlScene {
  TvgImageControl* control = nullptr;
  TvgImage* part = nullptr;
  int changes = 0;
  fs::path folder;

  void SetUp() override {
    ControlScene::SetUp();
    DefaultFilterClass = &kFakePictures;
    control = Add<TvgImageControl>();
    control->SetBounds(0, 0, 100, 100);
    part = dynamic_cast<TvgImage*>(control->FindResource("image"));
    control->OnChange = [this](rtl::TObject*) { ++changes; };
    folder = fs::temp_directory_path() / ("vg_imagecontrol_" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override {
    vgSetOpenDialog(nullptr);
    DefaultFilterClass = nullptr;
    fs::remove_all(folder);
    ControlScene::TearDown();
  }
  rtl::WideString File(const char* name) {
    std::ofstream(folder / name) << "x";
    return rtl::Variant((folder / name).string()).AsWideString();
  }
};

TEST_F(ImageControls, PictureIsFittedIntoThePartWhenItChanges) {
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->Width(), 88);  // the control less the part's padding
  const struct {
    int width, height, shownWidth, shownHeight;
  } cases[] = {{400, 200, 88, 44}, {40, 20, 40, 20}, {50, 500, 9, 88}};  // Round(8.8)
  for (const auto& c : cases) {
    TvgBitmap picture(c.width, c.height);
    changes = 0;
    control->SetBitmap(&picture);
    EXPECT_EQ(part->Bitmap()->Width(), c.shownWidth);
    EXPECT_EQ(part->Bitmap()->Height(), c.shownHeight);
    EXPECT_GE(changes, 1);
  }
  EXPECT_EQ(control->GetData().AsObject(), control->Bitmap());
}

TEST_F(ImageControls, DataGivesBitmapsFilesOrNothing) {
  TvgBitmap picture(8, 6);
  const struct {
    rtl::Variant value;
    int width, height;
  } cases[] = {
      {ObjectToVariant(&picture), 8, 6},
      {rtl::Variant(File("a.png")), 40, 20},
      {rtl::Variant::Null(), 1, 1},
      {rtl::Variant(12), 1, 1},  // ignored
  };
  for (const auto& c : cases) {
    control->SetData(c.value);
    EXPECT_EQ(control->Bitmap()->Width(), c.width);
    EXPECT_EQ(control->Bitmap()->Height(), c.height);
  }
}

TEST_F(ImageControls, ClickAsksForAPictureFile) {
  std::vector<std::string> filters;
  std::string answer;
  vgSetOpenDialog([&](const std::string& filter, std::string& fileName) {
    filters.push_back(filter);
    if (answer.empty()) return false;
    fileName = answer;
    return true;
  });
  control->Click();  // cancelled
  EXPECT_EQ(control->Bitmap()->Width(), 1);
  answer = rtl::Variant(File("b.bmp")).AsString();
  control->Click();
  EXPECT_EQ(control->Bitmap()->Width(), 40);
  control->SetEnableOpenDialog(false);
  control->Click();
  EXPECT_EQ(filters, (std::vector<std::string>(2, "Pictures (*.png;*.bmp)|*.png;*.bmp")));
}

TEST_F(ImageControls, AcceptsPictureFilesAndImagesDraggedOnIt) {
  auto* image = new TvgImage(nullptr);
  image->SetParent(root);
  image->Bitmap()->SetSize(7, 3);
  const struct {
    std::vector<rtl::WideString> files;
    rtl::TObject* source;
    bool accepted;
  } cases[] = {
      {{File("c.png")}, nullptr, true},
      {{File("c.txt")}, nullptr, false},
      {{File("c.PNG")}, nullptr, false},  // the extension test is case-sensitive
      {{u"/no/such/picture.png"}, nullptr, false},
      {{u"/no/such/picture.png"}, image, true},
      {{}, image, true},
      {{}, root, false},
  };
  for (const auto& c : cases) {
    TvgDragObject drag;
    drag.Files = c.files;
    drag.Source = c.source;
    bool accept = !c.accepted;
    control->DragOver(drag, {5, 5}, accept);
    EXPECT_EQ(accept, c.accepted) << (c.files.empty() ? "no file" : rtl::Variant(c.files[0]).AsString());
  }
  TvgDragObject fromImage;
  fromImage.Source = image;
  control->DragDrop(fromImage, {5, 5});
  EXPECT_EQ(control->Bitmap()->Width(), 7);
  TvgDragObject fromFile;
  fromFile.Files = {File("d.png")};
  control->DragDrop(fromFile, {5, 5});
  EXPECT_EQ(control->Bitmap()->Width(), 40);
}

}  // namespace
