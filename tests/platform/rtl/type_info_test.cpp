#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextConvert.h"
#include "platform/rtl/Variant.h"

using namespace rtl;

namespace {

RTL_ENUM(TTestAlign, taNone, taTop, taClient)
using TTestAnchors = TSet<TTestAlign>;

class TTestBrush : public TPersistent {
  RTL_CLASS(TTestBrush, TPersistent)
  std::string color = "#FF000000";
  void Assign(const TPersistent* source) override {
    if (auto* brush = dynamic_cast<const TTestBrush*>(source)) return void(color = brush->color);
    inherited::Assign(source);
  }

 private:
  static void Publish(TPublisher<TTestBrush>& p) { p.Property("Color", &TTestBrush::color); }
};

class TTestItem : public TCollectionItem {
  RTL_CLASS(TTestItem, TCollectionItem)
  using TCollectionItem::TCollectionItem;
  int value = 0;
  void Assign(const TPersistent* source) override {
    if (auto* item = dynamic_cast<const TTestItem*>(source)) return void(value = item->value);
    inherited::Assign(source);
  }
  static void Publish(TPublisher<TTestItem>& p) { p.Property("Value", &TTestItem::value); }
};

class TTestNode : public TComponent {
  RTL_CLASS(TTestNode, TComponent)
  explicit TTestNode(TComponent* owner) : TComponent(owner), items(TTestItem::StaticClass(), this) {}
  ~TTestNode() override { delete fill; }

  int GetWidth() const { return width; }
  void SetWidth(int value) { width = value; }
  TTestBrush* GetFill() const { return fill; }
  bool IsMouseOver() const { return mouseOver; }
  void SetMouseOver(bool value) { mouseOver = value; }

  int width = 0;
  float opacity = 1;
  double angle = 0;
  bool visible = true;
  TTestAlign align = taNone;
  TTestAnchors anchors;
  std::string hint;
  WideString text;
  TTestBrush* fill = new TTestBrush;
  TComponent* buddy = nullptr;
  TNotifyEvent onClick;
  TCollection items;
  bool mouseOver = false;

  static void Publish(TPublisher<TTestNode>& p) {
    p.Property("Width", &TTestNode::GetWidth, &TTestNode::SetWidth);
    p.Property("Opacity", &TTestNode::opacity).Default(1.0f);
    p.Property("Angle", &TTestNode::angle);
    p.Property("Visible", &TTestNode::visible).Default(true);
    p.Property("Align", &TTestNode::align).Default(taNone);
    p.Property("Anchors", &TTestNode::anchors);
    p.Property("Hint", &TTestNode::hint);
    p.Property("Text", &TTestNode::text);
    p.Property("Fill", &TTestNode::GetFill);
    p.Property("Buddy", &TTestNode::buddy);
    p.Property("OnClick", &TTestNode::onClick);
    p.Property("Items", &TTestNode::GetItems);
    p.Property("IsMouseOver", &TTestNode::IsMouseOver, &TTestNode::SetMouseOver).RunTimeOnly();
  }

 private:
  TCollection* GetItems() const { return const_cast<TCollection*>(&items); }
};

class TWideNode : public TTestNode {
  RTL_CLASS(TWideNode, TTestNode)
  explicit TWideNode(TComponent* owner) : TTestNode(owner) { width = 100; }
  static void Publish(TPublisher<TWideNode>& p) {
    p.Property("Width", &TWideNode::GetWidth, &TWideNode::SetWidth).Default(100);
    p.Property("Extra", &TWideNode::extra);
  }
  int extra = 0;
};

class TTestForm : public TComponent {
  RTL_CLASS(TTestForm, TComponent)
  using TComponent::TComponent;
  std::vector<std::string> calls;
  void ButtonClick(TObject* sender) { calls.push_back("click " + static_cast<TComponent*>(sender)->Name()); }
  void KeyDown(TObject*, int& key) { key = 0; }
  static void Publish(TPublisher<TTestForm>& p) {
    p.Method("ButtonClick", &TTestForm::ButtonClick);
    p.Method("KeyDown", &TTestForm::KeyDown);
  }
};

std::vector<std::string> Names(const TPublishedTable& table) {
  std::vector<std::string> names;
  for (auto* property : table.Properties()) names.push_back(property->Name());
  return names;
}

}  // namespace

TEST(TypeInfo, PropertyKindsReadAndWrittenByNameAndPath) {
  TTestNode node(nullptr);
  struct Case {
    const char* path;
    TPropKind kind;
    const char* written;
    const char* readBack;
  };
  const Case cases[] = {
      {"Width", pkInteger, "-42", "-42"},
      {"opacity", pkFloat, "0.1", "0.1"},  // single precision, shortest text
      {"Angle", pkFloat, "1e-3", "0.001"},
      {"VISIBLE", pkBoolean, "false", "False"},
      {"Align", pkEnumeration, "TACLIENT", "taClient"},
      {"Anchors", pkSet, "[taTop, taClient]", "[taTop,taClient]"},
      {"Hint", pkString, "h\xC3\xA9llo", "h\xC3\xA9llo"},
      {"Text", pkWideString, "\xCE\xA9 text", "\xCE\xA9 text"},
      {"Fill.Color", pkString, "#FF112233", "#FF112233"},
      {"items.count", pkInteger, nullptr, nullptr},  // collection hop, no such property
      {"IsMouseOver", pkBoolean, "True", "True"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    TPropertyPath found = FindPropertyPath(&node, c.path);
    if (!c.written) {
      EXPECT_FALSE(found);
      continue;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(found.info->Kind(), c.kind);
    SetPropText(&node, c.path, c.written);
    EXPECT_EQ(GetPropText(&node, c.path), c.readBack);
  }
  EXPECT_EQ(node.opacity, 0.1f);
  EXPECT_EQ(node.text, u"\u03A9 text");
  EXPECT_EQ(node.fill->color, "#FF112233");
  EXPECT_TRUE(node.anchors.Contains(taClient));
  EXPECT_EQ(FindPropertyPath(&node, "Fill").info->Kind(), pkObject);
  EXPECT_EQ(FindPropertyPath(&node, "Items").info->Kind(), pkCollection);
  EXPECT_EQ(FindPropertyPath(&node, "Buddy").info->Kind(), pkComponent);
  EXPECT_EQ(FindPropertyPath(&node, "OnClick").info->Kind(), pkEvent);
}

TEST(TypeInfo, UnknownHopsAndBadTextsAreReported) {
  TTestNode node(nullptr);
  for (const char* path : {"Nope", "Fill.Nope", "Nope.Color", "Width.X", "Buddy.Tag", "Fill.", ""})
    EXPECT_FALSE(FindPropertyPath(&node, path)) << path;
  try {
    GetPropText(&node, "Fill.Nope");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message(), "Property Fill.Nope does not exist");
  }
  struct Bad {
    const char* path;
    const char* text;
    const char* message;
  };
  const Bad bad[] = {
      {"Width", "12px", "'12px' is not a valid integer value"},
      {"Angle", "1,5", "'1,5' is not a valid floating point value"},
      {"Visible", "yes", "'yes' is not a valid boolean value"},
      {"Align", "alTop", "'alTop' is not a valid enumeration value"},
      {"Anchors", "[taTop,taLeft]", "'[taTop,taLeft]' is not a valid set value"},
  };
  for (const Bad& b : bad) {
    try {
      SetPropText(&node, b.path, b.text);
      ADD_FAILURE() << b.path;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), b.message);
    }
  }
  EXPECT_THROW(SetPropText(&node, "Fill", "x"), EPropertyError);
  EXPECT_THROW(FindPropertyPath(&node, "Align").info->SetOrdinal(&node, 3), EPropertyError);
  EXPECT_THROW(FindPropertyPath(&node, "Width").info->GetFloat(&node), EPropertyError);
}

TEST(TypeInfo, EnumerationNamesBothWays) {
  EXPECT_EQ(EnumName(taClient), "taClient");
  EXPECT_EQ(EnumValue<TTestAlign>("TATOP"), taTop);
  EXPECT_EQ(EnumValue<TTestAlign>("taLeft"), std::nullopt);
  EXPECT_EQ(EnumInfoOf<TTestAlign>().Count(), 3);
  EXPECT_EQ(EnumInfoOf<TTestAlign>().TypeName(), "TTestAlign");
  EXPECT_EQ(EnumInfoOf<TTestAlign>().Name(3), "");
}

TEST(TypeInfo, TablesListBaseFirstAndStoreOnlyWhatDiffersFromDefault) {
  const std::vector<std::string> expected = {"Name",   "Tag",  "Width", "Opacity", "Angle",   "Visible",
                                             "Align",  "Anchors", "Hint", "Text", "Fill", "Buddy",
                                             "OnClick", "Items", "IsMouseOver", "Extra"};
  EXPECT_EQ(Names(PublishedOf(TWideNode::StaticClass())), expected);

  TWideNode node(nullptr);
  node.SetName("Node1");
  auto stored = [&](const char* name) { return FindPropertyPath(&node, name).info->IsStored(&node); };
  EXPECT_FALSE(stored("Name"));   // written in the header instead
  EXPECT_FALSE(stored("Width"));  // redeclared default 100
  EXPECT_FALSE(stored("Opacity"));
  EXPECT_FALSE(stored("Angle"));  // float without default: stored when not 0
  EXPECT_TRUE(stored("Anchors"));  // no default: always
  EXPECT_FALSE(stored("Hint"));
  EXPECT_FALSE(stored("OnClick"));
  node.width = 5;
  node.opacity = 0.5f;
  node.angle = 90;
  node.mouseOver = true;
  EXPECT_TRUE(stored("Width"));
  EXPECT_TRUE(stored("Opacity"));
  EXPECT_TRUE(stored("Angle"));
  EXPECT_FALSE(stored("IsMouseOver"));  // run time only
  TTestNode plain(nullptr);
  EXPECT_TRUE(FindPropertyPath(&plain, "Width").info->IsStored(&plain));  // no default in the base class
}

TEST(TypeInfo, ComponentReferencesAndObjectAssignByProperty) {
  TTestNode node(nullptr), other(nullptr);
  TTestBrush brush;
  brush.color = "#FFFFFFFF";
  SetPropValue(&node, "Buddy", Variant(static_cast<TObject*>(&other)));
  EXPECT_EQ(node.buddy, &other);
  EXPECT_THROW(SetPropValue(&node, "Buddy", Variant(static_cast<TObject*>(&brush))), EPropertyError);
  SetPropValue(&node, "Fill", Variant(static_cast<TObject*>(&brush)));  // read-only object: assigned into
  EXPECT_EQ(node.fill->color, "#FFFFFFFF");
  EXPECT_NE(node.fill, &brush);
  other.SetName("Other");
  EXPECT_EQ(GetPropText(&node, "Buddy"), "Other");
  EXPECT_EQ(GetPropValue(&node, "Opacity").VarType(), varDouble);
  SetPropValue(&node, "Align", Variant("taTop"));
  EXPECT_EQ(node.align, taTop);
}

TEST(TypeInfo, EventsBindByNameToPublishedMethodsWithMatchingSignature) {
  TTestForm form(nullptr);
  auto* button = new TTestNode(&form);
  button->SetName("Button1");
  const TPropertyInfo& onClick = *FindPropertyPath(button, "OnClick").info;
  BindEventByName(button, onClick, &form, "buttonCLICK");
  button->onClick(button);
  EXPECT_EQ(form.calls, std::vector<std::string>{"click Button1"});
  EXPECT_EQ(onClick.GetMethodName(button), "ButtonClick");
  EXPECT_EQ(onClick.GetMethodInstance(button), &form);
  EXPECT_TRUE(onClick.IsStored(button));

  try {
    BindEventByName(button, onClick, &form, "KeyDown");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message(), "Method KeyDown does not match event OnClick");
  }
  EXPECT_EQ(onClick.GetMethodName(button), "ButtonClick");  // unchanged
  try {
    BindEventByName(button, onClick, &form, "Missing");
    FAIL();
  } catch (const EMethodNotFound& e) {
    EXPECT_EQ(e.Message(), "Method Missing not found in TTestForm");
  }
  onClick.SetMethod(button, nullptr, nullptr);
  EXPECT_FALSE(button->onClick);
}

TEST(Variant, KindsStayApart) {
  TTestNode node(nullptr);
  const std::vector<Variant> values = {
      Variant(),       Variant::Null(), Variant(true), Variant(1),
      Variant(1.0),    Variant::Date(1.0), Variant("1"), Variant(static_cast<TObject*>(&node)),
      Variant(TNotifyEvent([](TObject*) {}))};
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].VarType(), static_cast<TVarType>(i));
    for (std::size_t j = 0; j < values.size(); ++j)
      if (i != j) {
        EXPECT_FALSE(values[i] == values[j]) << i << " vs " << j;
      }
  }
  EXPECT_EQ(values[7].AsObject(), &node);
  EXPECT_EQ(Variant(2.5).AsInteger(), 2);  // half to even
  EXPECT_EQ(Variant(u"3.5").AsFloat(), 3.5);
  EXPECT_EQ(Variant("true").AsBoolean(), true);
  EXPECT_EQ(Variant(0.5).AsString(), "0.5");
  EXPECT_EQ(Variant().AsString(), "");
  try {
    Variant("abc").AsFloat();
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), "Could not convert variant of type (String) into type (Double)");
  }
  EXPECT_THROW(values[7].AsString(), EVariantError);
  EXPECT_THROW(values[1].AsInteger(), EVariantError);
  EXPECT_THROW(values[3].AsObject(), EVariantError);
}

TEST(ClassRegistry, FindsRegisteredClassesIgnoringCase) {
  RegisterClasses<TTestNode, TWideNode>();
  RegisterClass(TTestNode::StaticClass());  // again: harmless
  EXPECT_EQ(FindClass("twidenode"), TWideNode::StaticClass());
  EXPECT_EQ(GetClass("TTestForm"), nullptr);
  try {
    FindClass("TNope");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNope not found");
  }
  TComponent owner(nullptr);
  TComponent* made = FindClass("TWideNode")->createComponent(&owner);
  EXPECT_EQ(made->ClassName(), "TWideNode");
  EXPECT_EQ(made->Owner(), &owner);
  UnRegisterClass(TWideNode::StaticClass());
  EXPECT_EQ(GetClass("TWideNode"), nullptr);
}

TEST(Collection, ItemsKeepIdsMoveAndCopy) {
  TTestNode node(nullptr);
  TCollection& items = node.items;
  EXPECT_EQ(items.Owner(), &node);
  for (int i = 0; i < 3; ++i) static_cast<TTestItem*>(items.Add())->value = i * 10;
  items.Items(2)->SetIndex(0);
  EXPECT_EQ(static_cast<TTestItem*>(items.Items(0))->value, 20);
  EXPECT_EQ(items.Items(0)->ID(), 2);
  EXPECT_EQ(items.FindItemID(1), items.Items(2));
  EXPECT_THROW(items.Items(0)->SetIndex(3), EListError);
  items.Delete(1);
  EXPECT_EQ(items.Count(), 2);

  TTestNode copy(nullptr);
  copy.items.Assign(&items);
  ASSERT_EQ(copy.items.Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(copy.items.Items(0))->value, 20);
  EXPECT_EQ(static_cast<TTestItem*>(copy.items.Items(1))->value, 10);
  EXPECT_EQ(copy.items.Items(1)->ID(), 1);  // new items, new numbers
  TTestBrush brush;
  EXPECT_THROW(copy.items.Assign(&brush), EConvertError);
  copy.items.Items(0)->Free();
  EXPECT_EQ(copy.items.Count(), 1);
}
