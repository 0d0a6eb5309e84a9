#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/Streams.h"
#include "tests/support/vg_headless_scene.h"
#include "ui/core/vg_object.h"
#include "ui/core/vg_visual.h"

namespace {

using vg::TvgObject;
using vg::TvgVisualObject;

class NodeStreaming : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    vg::RegisterVGObjects("Core", {TvgObject::StaticClass(), TvgVisualObject::StaticClass()});
  }
};

std::string TextOf(TvgObject* node) {
  rtl::TStringStream text;
  node->SaveToStream(text);
  return text.DataString();
}

TvgVisualObject* Visual(const std::string& name, TvgObject* parent = nullptr) {
  auto* node = new TvgVisualObject(nullptr);
  node->SetName(name);
  if (parent) parent->AddObject(node);
  return node;
}

// A root "Root" 120 x 80 with a stored child "Child" and an unstored "Style".
TvgVisualObject* SampleTree() {
  TvgVisualObject* root = Visual("Root");
  root->SetBounds(0, 0, 120, 80);
  root->Margins()->SetRect({1, 2, 3, 4});
  TvgVisualObject* child = Visual("Child", root);
  child->SetBounds(3, 4, 30, 20);
  child->SetOpacity(0.5f);
  child->SetRotateAngle(30);
  child->Skew()->SetPoint({3, 0});
  child->SetResourceName("part");
  child->SetBindingName("value");
  child->SetVisible(false);
  TvgVisualObject* style = Visual("Style", root);
  style->SetStored(false);
  return root;
}

void ExpectSameAsSample(TvgVisualObject* root, const std::string& childName) {
  EXPECT_FLOAT_EQ(root->Width(), 120);
  EXPECT_EQ(root->Margins()->GetRect(), (vg::TvgRect{1, 2, 3, 4}));
  ASSERT_EQ(root->ChildrenCount(), 1);
  auto* child = root->GetChild(0)->Visual();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->Name(), childName);
  EXPECT_EQ(child->Position()->GetPoint(), (vg::TvgPoint{3, 4}));
  EXPECT_FLOAT_EQ(child->Width(), 30);
  EXPECT_FLOAT_EQ(child->Opacity(), 0.5f);
  EXPECT_FLOAT_EQ(child->RotateAngle(), 30);
  EXPECT_EQ(child->Skew()->GetPoint(), (vg::TvgPoint{3, 0}));
  EXPECT_EQ(child->ResourceName(), "part");
  EXPECT_EQ(child->BindingName(), "value");
  EXPECT_FALSE(child->Visible());
  EXPECT_EQ(child->Owner(), root);
}

TEST_F(NodeStreaming, BothFormsRoundTripTheStoredTree) {
  TvgVisualObject* source = SampleTree();
  const std::string text = TextOf(source);
  EXPECT_EQ(text.find("Style"), std::string::npos);
  EXPECT_EQ(text.find("Opacity"), text.rfind("Opacity"));  // the root's default 1 is not written
  EXPECT_NE(text.find("object Child: TvgVisualObject"), std::string::npos);

  TvgVisualObject fromText(nullptr);
  rtl::TStringStream input(text);
  fromText.LoadFromStream(input);
  EXPECT_EQ(fromText.Name(), "Root");
  ExpectSameAsSample(&fromText, "Child");
  EXPECT_FLOAT_EQ(fromText.Opacity(), 1);

  rtl::TMemoryStream binary;
  source->SaveToBinStream(binary);
  binary.SetPosition(0);
  auto* fromBinary = vg::CreateObjectFromBinStream(nullptr, binary);
  ASSERT_NE(fromBinary, nullptr);
  EXPECT_EQ(fromBinary->Name(), "");  // the factories clear every name
  ExpectSameAsSample(fromBinary->Visual(), "");
  fromBinary->Free();
  source->Free();
}

TEST_F(NodeStreaming, CloneCopiesStoredChildrenWithoutNames) {
  vgtest::HeadlessScene scene;
  TvgVisualObject* source = SampleTree();
  scene.AddObject(source);
  TvgObject owner(nullptr);
  TvgObject* clone = source->Clone(&owner);
  EXPECT_EQ(source->Name(), "Root");
  EXPECT_EQ(clone->ClassType(), TvgVisualObject::StaticClass());
  EXPECT_EQ(clone->Name(), "");
  EXPECT_EQ(clone->Owner(), &owner);
  EXPECT_EQ(clone->Parent(), nullptr);
  EXPECT_EQ(clone->GetScene(), nullptr);
  ExpectSameAsSample(clone->Visual(), "");
  EXPECT_EQ(source->ChildrenCount(), 2);
  source->Free();
  clone->Free();
}

TEST_F(NodeStreaming, FactoriesReturnNothingOnBadInput) {
  struct Case {
    const char* name;
    const char* text;
    bool created;
  };
  const Case cases[] = {
      {"unregistered class", "object X: TNoSuchClass\nend\n", false},
      {"malformed text", "object X: TvgVisualObject\n  Width = \n", false},
      {"not a node", "object X: TComponent\nend\n", false},
      {"unnamed root", "object : TvgVisualObject\n  Width = 10.0\nend\n", true},
      {"unknown property skipped", "object A: TvgVisualObject\n  Txet = 'x'\n  Width = 10.0\nend\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rtl::TStringStream input(c.text);
    TvgObject* node = vg::CreateObjectFromStream(nullptr, input);
    EXPECT_EQ(node != nullptr, c.created);
    if (!node) continue;
    EXPECT_EQ(node->Name(), "");
    EXPECT_FLOAT_EQ(node->Visual()->Width(), 10);
    node->Free();
  }
  TvgVisualObject target(nullptr);
  rtl::TStringStream bad("object");
  EXPECT_EQ(vg::LoadObjectFromStream(&target, bad), nullptr);
  rtl::TStringStream good("object : TvgVisualObject\n  Height = 7.0\nend\n");
  EXPECT_EQ(vg::LoadObjectFromStream(&target, good), &target);
  EXPECT_FLOAT_EQ(target.Height(), 7);
  rtl::TStringStream none("object : TvgVisualObject\nend\n");
  EXPECT_EQ(vg::LoadObjectFromStream(nullptr, none), nullptr);
}

TEST_F(NodeStreaming, CloneChildFromStreamAdaptsTheStreamsChildren) {
  vgtest::HeadlessScene scene;
  TvgVisualObject* host = Visual("Host");
  scene.AddObject(host);
  host->SetSizeWithoutChange(150, 100);
  Visual("Old", host);

  rtl::TStringStream childless("object : TvgVisualObject\nend\n");
  host->CloneChildFromStream(childless);
  ASSERT_EQ(host->ChildrenCount(), 1);
  EXPECT_EQ(host->GetChild(0)->Name(), "Old");

  rtl::TStringStream design(
      "object : TvgVisualObject\n"
      "  Width = 100.0\n"
      "  Height = 100.0\n"
      "  object : TvgVisualObject\n"
      "    Align = vaTopRight\n"
      "    Position.Point = '(80,10)'\n"
      "    Width = 10.0\n"
      "    Height = 10.0\n"
      "  end\n"
      "end\n");
  host->CloneChildFromStream(design);
  ASSERT_EQ(host->ChildrenCount(), 1);
  auto* part = host->GetChild(0)->Visual();
  EXPECT_TRUE(part->Locked());
  EXPECT_FALSE(part->Stored());
  EXPECT_EQ(part->GetScene(), &scene);
  EXPECT_EQ(part->Position()->GetPoint(), (vg::TvgPoint{130, 10}));  // anchored from 100 to 150 wide
  EXPECT_EQ(TextOf(host).find("object"), TextOf(host).rfind("object"));  // the parts are not written
  host->Free();
}

}  // namespace
