// What the scene's nodes see of a drag that reaches the window.
#include <gtest/gtest.h>

#include "ui/window/vg_scenehost.h"

namespace vg {
namespace {

TEST(DragObject, FilesGiveTheFirstNameAsDataAndTextOtherwise) {
  const rtl::WideString longName = u"/home/user/" + rtl::WideString(300, u'x') + u".esc";
  rtl::TObject source;
  struct Case {
    gui::TDropData dropped;
    std::vector<rtl::WideString> files;
    rtl::Variant data;
    rtl::TObject* source;
  };
  const Case cases[] = {
      {{{longName, u"/tmp/b.esc"}, u"ignored", nullptr}, {longName, u"/tmp/b.esc"}, longName, nullptr},
      {{{}, u"中文", nullptr}, {}, u"中文", nullptr},
      {{{}, {}, &source}, {}, rtl::Variant(), &source},
  };
  for (const Case& c : cases) {
    const TvgDragObject object = TvgSceneHost::DragObjectOf(c.dropped);
    EXPECT_EQ(object.Files, c.files);
    EXPECT_EQ(object.Data, c.data);
    EXPECT_EQ(object.Source, c.source);
  }
}

}  // namespace
}  // namespace vg
