#include "ui/core/vg_frame.h"

#include "tests/ui/core/vg_scene_fixture.h"

using namespace vg;
using namespace vgtest;

namespace {

// A form holding a scene "Scene1" with a root; made again for copies.
class TFramedForm : public rtl::TComponent {
  RTL_CLASS(TFramedForm, rtl::TComponent)

  explicit TFramedForm(rtl::TComponent* owner) : rtl::TComponent(owner) {
    ++Instances;
    scene = new TvgScene(this);
    scene->SetName("Scene1");
    auto* root = new TTestRect(nullptr);
    root->SetBounds(0, 0, 30, 30);
    scene->AddObject(root);
  }
  ~TFramedForm() override { --Instances; }
  TvgScene* scene;
  static inline int Instances = 0;
};

struct FrameScene : EmbeddedScene {
  TvgOwned<TFramedForm> form;
  TTestRect* root = nullptr;

  void SetUp() override {
    EmbeddedScene::SetUp();
    rtl::RegisterClasses<TFramedForm>();
    form.reset(new TFramedForm(nullptr));
    root = AddRoot<TTestRect>();
  }
  void TearDown() override {
    scene.reset();
    form.reset();
    EmbeddedScene::TearDown();
  }
};

}  // namespace

TEST_F(FrameScene, FrameBorrowsTheRootAndHandsItBack) {
  TvgObject* shown = form->scene->GetRoot();
  auto* frame = Add<TvgFrame>(root, 10, 10, 60, 40);
  frame->SetSceneObject(form->scene);
  EXPECT_EQ(shown->Parent(), frame);
  EXPECT_EQ(shown->Visual()->Width(), 60);  // aligned to the frame
  EXPECT_EQ(TvgFrame::OpenInFrame(form->scene), frame);
  frame->SetSceneObject(scene.get());  // its own scene is refused
  EXPECT_EQ(frame->SceneObject(), form->scene);

  frame->SetSceneObject(nullptr);
  EXPECT_EQ(form->scene->GetRoot(), shown);
  EXPECT_EQ(shown->Parent(), nullptr);
  EXPECT_EQ(TvgFrame::OpenInFrame(form->scene), nullptr);
}

TEST_F(FrameScene, SecondFrameShowsACopyOfTheFormThatGoesWithIt) {
  auto* first = Add<TvgFrame>(root, 0, 0, 40, 40);
  auto* second = Add<TvgFrame>(root, 50, 0, 40, 40);
  first->SetSceneObject(form->scene);
  second->SetSceneObject(form->scene);
  EXPECT_EQ(TFramedForm::Instances, 1);
  EXPECT_EQ(second->ChildrenCount(), 0);  // made on its next paint
  second->Paint();
  EXPECT_EQ(TFramedForm::Instances, 2);
  ASSERT_NE(second->SceneObject(), form->scene);
  EXPECT_EQ(second->SceneObject()->Name(), "Scene1");
  EXPECT_EQ(second->ChildrenCount(), 1);
  EXPECT_EQ(TvgFrame::OpenInFrame(form->scene), first);  // the first keeps the original
  second->Free();
  EXPECT_EQ(TFramedForm::Instances, 1);
}

TEST_F(FrameScene, InTheDesignerTheFramePreviewsTheRootWithoutTakingIt) {
  scene->SetDesigning(true);
  auto* frame = Add<TvgFrame>(root, 10, 10, 60, 40);
  frame->SetSceneObject(form->scene);
  TvgObject* shown = form->scene->GetRoot();
  EXPECT_EQ(shown->Parent(), nullptr) << "the root stays in its scene";
  const float width = shown->Visual()->Width();
  scene->Draw();
  const auto drawn = Lines("DrawBitmap 60x40");
  ASSERT_EQ(drawn.size(), 1u) << "the preview buffer, the frame's size";
  EXPECT_FLOAT_EQ(shown->Visual()->Width(), width) << "the root's bounds come back";
}

TEST_F(FrameScene, FreeingTheShownSceneEmptiesTheFrame) {
  auto* frame = Add<TvgFrame>(root, 0, 0, 40, 40);
  frame->SetSceneObject(form->scene);
  form.reset();
  EXPECT_EQ(frame->SceneObject(), nullptr);
}
