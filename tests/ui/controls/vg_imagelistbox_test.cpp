// Image list boxes with the real picture filter, real worker threads and
// the class library's UI-thread dispatcher (also run under ThreadSanitizer):
// pictures found in a folder, thumbnails, loads handed over on the UI
// thread, and lists cleared or freed while their pictures load.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/gui/Thread.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/window/vg_controlservices.h"

namespace {

using namespace vg;
using namespace std::chrono_literals;
using vgtest::ControlScene;

// The platform's dispatcher, counting the hand-overs that reach it.
struct CountingDispatcher : IvgDispatcher {
  IvgDispatcher* real = nullptr;
  std::atomic<int> handOvers{0};
  void Synchronize(const std::function<void()>& call) override {
    ++handOvers;
    real->Synchronize(call);
  }
  void Serve(int timeoutMs) override { real->Serve(timeoutMs); }
};

struct ImageListTest : ControlScene {
  std::filesystem::path folder;
  CountingDispatcher dispatcher;

  void SetUp() override {
    ControlScene::SetUp();
    StartGdiPlusBackEnd();
    vgUsePlatformControlServices();
    dispatcher.real = vgDispatcher();
    vgSetDispatcher(&dispatcher);
    folder = std::filesystem::temp_directory_path() /
             ("esctool-imagelist-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    vgSetDispatcher(nullptr);
    ControlScene::TearDown();
    DefaultFilterClass = nullptr;
    std::filesystem::remove_all(folder);
  }
  std::string Picture(const std::string& name, int width, int height) {
    TvgBitmap bitmap(width, height);
    std::fill(bitmap.Bits(), bitmap.Bits() + width * height, 0xFF2873C7u);
    const std::string path = (folder / name).string();
    EXPECT_TRUE(bitmap.SaveToFile(path));
    return path;
  }
  TvgImageListBox* MakeList() {
    auto* list = Add<TvgImageListBox>();
    list->SetBounds(0, 0, 120, 100);
    return list;
  }
  // Runs the hand-overs on this (the UI) thread until `done` or 5 s.
  template <class F>
  bool ServeUntil(F done) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!done() && std::chrono::steady_clock::now() < end) gui::CheckSynchronize(10);
    return done();
  }
};

TEST_F(ImageListTest, AFolderGivesOneItemPerPictureAndSelectsTheFirst) {
  Picture("b.png", 8, 8);
  Picture("a.jpg", 8, 8);
  std::ofstream(folder / "notes.txt") << "not a picture";
  std::filesystem::create_directory(folder / "sub.png");
  TvgImageListBox* list = MakeList();
  list->AddFolder(folder.string());
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(std::filesystem::path(list->GetSelectedFileName()).filename(), "a.jpg");
  EXPECT_NE(list->GetSelectedImage(), nullptr);
  EXPECT_EQ(list->ItemByIndex(1)->Height(), 100) << "items as high as the list is wide";
}

TEST_F(ImageListTest, AddBitmapReducesToAThumbnailAsHighAsTheList) {
  TvgImageListBox* list = MakeList();
  TvgBitmap picture(400, 200);
  list->AddBitmap("wide.png", picture);
  ASSERT_NE(list->GetImage(0), nullptr);
  EXPECT_EQ(list->GetImage(0)->Bitmap()->Width(), 100);
  EXPECT_EQ(list->GetImage(0)->Bitmap()->Height(), 50);
  list->SetUseThumbnails(false);
  list->AddBitmap("copy.png", picture);
  EXPECT_EQ(list->GetImage(1)->Bitmap()->Width(), 400);
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(ImageListTest, APictureLoadsWhenItsItemIsStyledAndArrivesOnTheUiThread) {
  TvgImageListBox* list = MakeList();
  list->AddFile(Picture("big.png", 300, 150));
  TvgImage* image = list->GetImage(0);
  EXPECT_TRUE(image->Bitmap()->IsEmpty()) << "nothing loads before the item is styled";
  list->ItemByIndex(0)->ApplyResource();
  ASSERT_TRUE(ServeUntil([&] { return !image->Bitmap()->IsEmpty(); }));
  EXPECT_EQ(dispatcher.handOvers.load(), 1);
  EXPECT_LE(image->Bitmap()->Width(), 300);
  EXPECT_GT(image->Bitmap()->Width(), 0);
  list->ItemByIndex(0)->ApplyResource();
  list->ItemByIndex(0)->UpdateResource();
  list->ItemByIndex(0)->ApplyResource();
  gui::CheckSynchronize(50);
  EXPECT_EQ(dispatcher.handOvers.load(), 1) << "a picture loads once";
}

TEST_F(ImageListTest, ClearingBeforeTheItemsAreStyledStartsNoLoad) {
  TvgImageListBox* list = MakeList();
  list->AddFile(Picture("a.png", 16, 16));
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  scene->Draw();
  gui::CheckSynchronize(50);
  EXPECT_EQ(dispatcher.handOvers.load(), 0);
}

TEST_F(ImageListTest, FreeingOrClearingWhileLoadingWaitsForTheWorkers) {
  std::vector<std::string> files;
  for (int i = 0; i < 6; ++i) files.push_back(Picture("p" + std::to_string(i) + ".png", 900, 700));
  for (bool freeList : {true, false}) {
    SCOPED_TRACE(freeList ? "freed" : "cleared");
    TvgImageListBox* list = MakeList();
    list->SetUseThumbnails(false);
    for (const std::string& file : files) list->AddFile(file);
    for (int i = 0; i < list->Count(); ++i) list->ItemByIndex(i)->ApplyResource();
    if (freeList) {
      list->Free();
    } else {
      list->Clear();
      EXPECT_EQ(list->Count(), 0);
      list->Free();
    }
    gui::CheckSynchronize(20);  // a late hand-over would touch freed images
  }
}

}  // namespace
