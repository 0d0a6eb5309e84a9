// The bitmap editor and the path designer on screen, each opened from the
// property inspector's "Edit..." on a demo object; the brush designer's
// bitmap page opens the bitmap editor too.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/gui_fakes.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "ui/window/vg_bitmapeditor.h"
#include "ui/window/vg_brushdialog.h"
#include "ui/window/vg_designservices.h"
#include "ui/window/vg_pathdesigner.h"

namespace {

using namespace vg;
using namespace std::chrono_literals;
using test_support::PumpFor;

struct EditorForms : test_support::ControlsFormTest<> {
  void SetUp() override {
    SetUpControlsForm(u"Editors");
    vgUseDesignServices();
    inspector = new TvgInspector(nullptr);
    inspector->SetParent(root);
    inspector->SetBounds(10, 10, 300, 300);
  }

  // Selects the property in the inspector and presses its "Edit..." button.
  void EditProperty(rtl::TComponent* object, const char* property) {
    inspector->SetSelectedObject(object);
    ShowForm(320, 320);
    ASSERT_NE(inspector->ItemOf(property), nullptr);
    inspector->SetSelected(inspector->ItemOf(property));
    ASSERT_EQ(inspector->Editor(), inspector->EditButton());
    inspector->EditButton()->Click();
  }

  // Shows an editor the scripted modal runner holds and saves what it shows.
  void Shoot(gui::TForm& form, const char* name) {
    form.Show();
    PumpFor(400ms);
    EXPECT_TRUE(test_support::SaveWindowShot(form.Handle(), name));
  }

  TvgInspector* inspector = nullptr;
  test_support::TScriptedModalRunner runner;
};

// A 200 x 100 picture: left half red, right half blue.
void PaintDemo(TvgBitmap& bitmap) {
  bitmap.SetSize(200, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) bitmap.Bits()[y * 200 + x] = x < 100 ? 0xFFD03030u : 0xFF3050D0u;
  bitmap.BitmapChanged();
}

TEST_F(EditorForms, TheBitmapEditorCropsAnImageAtItsScale) {
  auto* image = new TvgImage(nullptr);
  image->SetParent(root);
  PaintDemo(*image->Bitmap());
  runner.Then([&](gui::TForm& shown) {
    auto& editor = dynamic_cast<TvgBitmapEditor&>(shown);
    EXPECT_TRUE(editor.editControl->Enabled());
    editor.cropButton->Click();
    ASSERT_NE(editor.CropFrame(), nullptr);
    EXPECT_EQ(editor.cropButton->Text(), u"Full");
    const float fit = editor.trackScale->Value();
    EXPECT_NEAR(editor.CropFrame()->Position()->X(), 200 * fit * 0.1f, 0.01f) << "10 % margins";
    EXPECT_NEAR(editor.CropFrame()->Width(), 200 * fit * 0.8f, 0.01f);
    Shoot(shown, "bitmap_editor_crop");
    editor.SetScale(2);
    EXPECT_EQ(editor.labelScale->Text(), u"Scale: 200%");
    EXPECT_NEAR(editor.CropFrame()->Width(), 200 * 2 * 0.8f, 0.01f) << "the frame follows the scale";
    editor.CropFrame()->Position()->SetPoint({180, 20});
    editor.CropFrame()->SetWidth(40);
    editor.CropFrame()->SetHeight(40);
    editor.btnOk->Click();
  });
  EditProperty(image, "Bitmap");
  EXPECT_EQ(image->Bitmap()->Width(), 20);
  EXPECT_EQ(image->Bitmap()->Height(), 20);
  EXPECT_EQ(image->Bitmap()->Bits()[0], 0xFFD03030u) << "taken from (90, 10)";
  EXPECT_EQ(image->Bitmap()->Bits()[19], 0xFF3050D0u);
}

TEST_F(EditorForms, TheBitmapEditorResizesKeepingTheAspectAndCancelKeepsThePicture) {
  TvgBitmap bitmap;
  PaintDemo(bitmap);
  runner.Then([&](gui::TForm& shown) {
    auto& editor = dynamic_cast<TvgBitmapEditor&>(shown);
    editor.btnResize->Click();
    EXPECT_TRUE(editor.resizeLayout->Visible());
    EXPECT_FLOAT_EQ(editor.newWidth->Value(), 200);
    editor.newWidth->SetValue(50);
    editor.newWidth->OnChange(editor.newWidth);
    EXPECT_FLOAT_EQ(editor.newHeight->Value(), 25);
    Shoot(shown, "bitmap_editor_resize");
    editor.Button4->Click();
    EXPECT_FALSE(editor.resizeLayout->Visible());
    EXPECT_EQ(editor.Bitmap().Width(), 50);
    EXPECT_EQ(editor.Bitmap().Height(), 25);
    EXPECT_EQ(editor.Bitmap().Bits()[10 * 50 + 5], 0xFFD03030u) << "drawn scaled";
    editor.btnOk->Click();
  });
  ASSERT_TRUE(ShowBitmapEditor(bitmap));
  EXPECT_EQ(bitmap.Width(), 50);

  runner.Then([&](gui::TForm& shown) {
    auto& editor = dynamic_cast<TvgBitmapEditor&>(shown);
    editor.Button3->Click();
    EXPECT_EQ(editor.Bitmap().Width(), 1);
    EXPECT_FALSE(editor.editControl->Enabled());
    EXPECT_TRUE(editor.btnOk->Enabled());
    editor.Button2->Click();
  });
  EXPECT_FALSE(ShowBitmapEditor(bitmap));
  EXPECT_EQ(bitmap.Width(), 50);
}

TEST_F(EditorForms, PasteTakesTheDesktopClipboardsPicture) {
  TvgBitmap demo;
  PaintDemo(demo);
  rtl::TBitmap picture;
  demo.AssignTo(picture);
  gui::Clipboard().SetAsText(u"no picture");
  runner.Then([&](gui::TForm& shown) {
    auto& editor = dynamic_cast<TvgBitmapEditor&>(shown);
    EXPECT_TRUE(editor.btnPaste->Enabled());
    editor.btnPaste->Click();
    EXPECT_EQ(editor.Bitmap().Width(), 1) << "text is no picture";
    gui::Clipboard().SetPicture(picture);
    editor.btnPaste->Click();
    ASSERT_EQ(editor.Bitmap().Width(), 200);
    EXPECT_EQ(editor.Bitmap().Height(), 100);
    EXPECT_EQ(editor.Bitmap().Bits()[0], 0xFFD03030u);
    EXPECT_EQ(editor.Bitmap().Bits()[150], 0xFF3050D0u);
    EXPECT_TRUE(editor.editControl->Enabled());
    Shoot(shown, "bitmap_editor_paste");
    editor.btnOk->Click();
  });
  TvgBitmap bitmap(1, 1);
  ASSERT_TRUE(ShowBitmapEditor(bitmap));
  EXPECT_EQ(bitmap.Width(), 200);
}

TEST_F(EditorForms, TheBrushDesignersSelectRunsTheBitmapEditorOnItsPicture) {
  TvgBitmap picture;
  PaintDemo(picture);
  TvgBrush brush(vgBrushBitmap, 0);
  runner.Then([&](gui::TForm& shown) {
    dynamic_cast<TvgBrushDesign&>(shown).btnSelectBitmap->Click();
    EXPECT_EQ(dynamic_cast<TvgBrushDesign&>(shown).Brush()->Bitmap()->Bitmap()->Width(), 200);
    shown.SetModalResult(gui::mrOk);
  });
  runner.Then([&](gui::TForm& shown) {
    auto& editor = dynamic_cast<TvgBitmapEditor&>(shown);
    editor.AssignFromBitmap(&picture);
    editor.btnOk->Click();
  });
  ASSERT_TRUE(ShowBrushDialog(brush, vgAllBrushStyles, false));
  EXPECT_EQ(brush.Bitmap()->Bitmap()->Height(), 100);
}

TEST_F(EditorForms, ThePathDesignerPreviewsTypedDataAndPastes) {
  auto* path = new TvgPath(nullptr);
  path->SetParent(root);
  path->Data()->SetPathString("M0,0 L10,10");
  test_support::TFakeClipboard clipboard;
  clipboard.Text = u"M 10 10 L 90 10 L 50 80 Z";
  runner.Then([&](gui::TForm& shown) {
    auto& designer = dynamic_cast<TvgPathDataDesigner&>(shown);
    EXPECT_EQ(designer.PathData->Text(), u"M 0,0 L 10,10 ") << "the path's own text";
    designer.Button1->Click();
    EXPECT_EQ(designer.PathData->Text(), clipboard.Text);
    EXPECT_EQ(designer.previewPath->Data()->PathData.size(), 4u);
    Shoot(shown, "path_designer");
    designer.Button2->Click();
  });
  EditProperty(path, "Data");
  EXPECT_EQ(path->Data()->PathData.size(), 4u);
}

}  // namespace
