// The bitmap editor's Paste without a display: the clipboard is the fake.
#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "tests/support/gui_fakes.h"
#include "ui/controls/vg_controls.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/window/vg_bitmapeditor.h"
#include "ui/window/vg_controlservices.h"

namespace {

using namespace vg;

struct HeadlessEditor : ::testing::Test {
  void SetUp() override {
    gui::RegisterGuiClasses();
    vgStartCore();
    RegisterControlClasses();
    StartGdiPlusBackEnd();
    vgUsePlatformControlServices();
  }
  void TearDown() override { vgSetClipboard(nullptr); }
  test_support::TFakeClipboard clipboard;
};

TEST_F(HeadlessEditor, PasteReplacesThePictureOnlyWhenTheClipboardHoldsOne) {
  TvgOwned<TvgBitmapEditor> editor(new TvgBitmapEditor(nullptr));
  clipboard.SetAsText(u"no picture");
  editor->btnPaste->Click();
  EXPECT_EQ(editor->Bitmap().Width(), 1);

  rtl::TBitmap picture(3, 2, rtl::TPixelFormat::pf32bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      std::uint8_t* bgra = picture.ScanLine(y) + x * 4;
      bgra[0] = 0x40, bgra[1] = std::uint8_t(x * 0x20), bgra[2] = std::uint8_t(y * 0x40), bgra[3] = 0x80;
    }
  clipboard.SetPicture(picture);
  editor->btnPaste->Click();
  ASSERT_EQ(editor->Bitmap().Width(), 3);
  ASSERT_EQ(editor->Bitmap().Height(), 2);
  EXPECT_EQ(editor->Bitmap().ConstBits()[1 * 3 + 2], 0x80404040u) << "premultiplied ARGB of (2, 1)";
  EXPECT_TRUE(editor->editControl->Enabled());
  EXPECT_TRUE(editor->btnOk->Enabled());
}

}  // namespace
