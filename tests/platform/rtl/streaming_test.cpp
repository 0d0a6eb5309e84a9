#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "EmbeddedResources_rtl_test.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/ExtendedFloat.h"
#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/TextConvert.h"
#include "tests/platform/rtl/StreamingFixtures.h"

using namespace rtl;
using namespace fixtures;

namespace {

class Streaming : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStreamingFixtures();
    LoadedLog().clear();
  }
};

std::string TextToBinary(const std::string& text) {
  TStringStream input(text), output;
  ObjectTextToBinary(input, output);
  return output.DataString();
}

std::string BinaryToText(const std::string& binary) {
  TStringStream input(binary), output;
  ObjectBinaryToText(input, output);
  return output.DataString();
}

std::string Write(TComponent* root) {
  TStringStream stream;
  WriteComponentToStream(stream, root);
  return stream.DataString();
}

template <class T = TComponent>
std::unique_ptr<T, void (*)(T*)> Read(const std::string& binary, TComponent* root = nullptr, bool lenient = false,
                                       std::vector<std::string>* errors = nullptr) {
  TStringStream stream(binary);
  TReader reader(stream);
  reader.SetLenient(lenient);
  T* result = dynamic_cast<T*>(reader.ReadRootComponent(root));
  if (errors) *errors = reader.Errors();
  return {result, [](T* c) { c->Free(); }};
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

// Every kind of value the text form has, in the writer's own layout.
const char* const kEveryKind =
    "object Sample: TTestNode\n"
    "  Int8 = -5\n"
    "  Int16 = 300\n"
    "  Int32 = -70000\n"
    "  Int64 = 5000000000\n"
    "  Extended = 0.1\n"
    "  Whole = 100.0\n"
    "  Tiny = 1e-300\n"
    "  Single = 1.5s\n"
    "  Currency = 12.3456c\n"
    "  Date = 45000.25d\n"
    "  Double = -2.0f\n"
    "  Empty = ''\n"
    "  Quoted = 'it''s'#13#10'ok'\n"
    "  Wide = 'Caf'#233' '#30830#23450\n"
    "  Long = \n"
    "    '0123456789012345678901234567890123456789012345678901234567890123' +\n"
    "    '0123456789'\n"
    "  Ident = taClient\n"
    "  Yes = True\n"
    "  No = False\n"
    "  Nothing = nil\n"
    "  Set = [taTop, taClient]\n"
    "  EmptySet = []\n"
    "  List = (\n"
    "    1\n"
    "    'two'\n"
    "    (\n"
    "      3.5))\n"
    "  EmptyList = ()\n"
    "  Points = <\n"
    "    item\n"
    "      Offset = 0.5\n"
    "    end\n"
    "    item [7]\n"
    "      Color = 'red'\n"
    "    end>\n"
    "  EmptyCollection = <>\n"
    "  Data = {\n"
    "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
    "    FF}\n"
    "  NoData = {}\n"
    "  Fill.Gradient.Color = '#FF2B2B2B'\n"
    "  object TTestNode\n"
    "  end\n"
    "  inherited Child: TTestNode [2]\n"
    "    object Grandchild: TTestNode\n"
    "    end\n"
    "  end\n"
    "  inline Framed: TTestNode\n"
    "  end\n"
    "end\n";

}  // namespace

TEST(ExtendedFloat, TenBytesBothWays) {
  const TExtended80 one = DoubleToExtended(1.0);
  EXPECT_EQ(one, (TExtended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  EXPECT_EQ(DoubleToExtended(-2.0), (TExtended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}));
  const double values[] = {0.0, -0.0, 1.0, 0.1, -123.456, 1e300, -1e-300, 5e-324,
                           std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
  for (double value : values) {
    const double back = ExtendedToDouble(DoubleToExtended(value));
    EXPECT_EQ(back, value);
    EXPECT_EQ(std::signbit(back), std::signbit(value));
  }
  EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
  // Beyond the range of double: infinity and zero.
  EXPECT_EQ(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F}), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}), 0.0);
  // 1 + 2^-63 rounds to 1.
  EXPECT_EQ(ExtendedToDouble({1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), 1.0);
}

TEST_F(Streaming, KnownByteVectors) {
  Root root(nullptr);
  EXPECT_EQ(Write(&root), Bytes({'T', 'P', 'F', '0', 4, 'R', 'o', 'o', 't', 0, 1, 'a', 2, 5, 1, 'b', 9, 0, 0}));

  TTestNode node(nullptr);
  node.SetName("N");
  node.width = 1000;
  node.opacity = 0.5f;
  node.hint = "\xC3\xA9";  // é: not ASCII, so UTF-8 (tag 20)
  node.text = u"A";        // ASCII wide text: a short string (tag 6)
  EXPECT_EQ(Write(&node), Bytes({'T', 'P', 'F', '0', 9, 'T', 'T', 'e', 's', 't', 'N', 'o', 'd', 'e', 1, 'N',
                                 5, 'W', 'i', 'd', 't', 'h', 3, 0xE8, 0x03,
                                 7, 'O', 'p', 'a', 'c', 'i', 't', 'y', 5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F,
                                 4, 'H', 'i', 'n', 't', 20, 2, 0, 0, 0, 0xC3, 0xA9,
                                 4, 'T', 'e', 'x', 't', 6, 1, 'A', 0, 0}));
}

TEST_F(Streaming, TextBinaryTextRoundTripIsIdentical) {
  const std::string binary = TextToBinary(kEveryKind);
  EXPECT_EQ(BinaryToText(binary), kEveryKind);
  EXPECT_EQ(TextToBinary(BinaryToText(binary)), binary);
  // Raw UTF-8 inside quotes reads as the #codes do; comments and "+" joins too.
  EXPECT_EQ(TextToBinary("object X: TTestNode // a comment\n  Wide = 'Caf\xC3\xA9 \xE7\xA1\xAE' + '\xE5\xAE\x9A'\nend"),
            TextToBinary("object X: TTestNode\n  Wide = 'Caf'#233' '#30830#23450\nend"));
  EXPECT_EQ(TextToBinary("object : TTestNode\nend"), TextToBinary("object TTestNode\nend"));
}

TEST_F(Streaming, TextErrorsNameLineAndColumn) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object X: TTestNode\n  Width 5\nend", "2:9: '=' expected"},
      {"object X: TTestNode\n  Hint = 'open\nend", "2:10: unterminated string"},
      {"object X: TTestNode\n  Data = {0F1}\nend", "2:10: odd number of hexadecimal digits"},
      {"object X: TTestNode\n  Width = 99999999999999999999\nend", "2:11: integer out of range"},
      {"object X: TTestNode\n", "2:1: 'end' expected"},
      {"thing X: TTestNode\nend", "1:1: 'object' expected"},
      {"object X: TTestNode\nend\nend", "3:1: end of text expected"},
  };
  for (const Case& c : cases) {
    try {
      TextToBinary(c.text);
      ADD_FAILURE() << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST_F(Streaming, WritesOnlyStoredNonDefaultValuesAndReadsThemBack) {
  TTestForm form(nullptr);
  form.SetName("Form1");
  auto* panel = form.AddChild(new TTestNode(&form));
  panel->SetName("Panel");
  auto* label = panel->AddChild(new TTestNode(&form));
  label->SetName("Label1");
  auto* button = form.AddChild(new TTestNode(&form));
  button->SetName("Button1");
  auto* styleClone = form.AddChild(new TTestNode(&form));
  styleClone->stored = false;
  panel->big = -5000000000;
  panel->opacity = 0.25f;
  panel->angle = 1.0 / 3.0;
  panel->visible = false;
  panel->align = taClient;
  panel->anchors = {taTop, taBottom};
  panel->hint = "h\xC3\xA9";
  panel->text = u"\u786E\u5B9A";
  panel->position.x = 2;
  panel->position.y = 0.5f;
  panel->buddy = button;  // a reference forward in reading order
  BindEventByName(button, *PublishedOf(button->ClassType()).FindProperty("OnClick"), &form, "ButtonClick");
  static_cast<TTestPoint*>(panel->points.Add())->offset = 0.5f;
  static_cast<TTestPoint*>(panel->points.Add())->color = "red";
  panel->lines = {u"one", u"\u4E8C"};
  panel->data = {0, 1, 254, 255};
  panel->mouseOver = true;
  label->onClick = [](TObject*) {};  // code-made: not written

  const std::string binary = Write(&form);
  for (const char* absent : {"Width", "IsMouseOver", "Position.X", "Position.Y"})
    EXPECT_EQ(binary.find(absent), std::string::npos) << absent;
  for (const char* once : {"Opacity", "Anchors", "Visible", "OnClick"})  // only where not the default
    EXPECT_EQ(binary.find(once), binary.rfind(once)) << once;
  EXPECT_NE(binary.find("Position.Point"), std::string::npos);

  auto copy = Read<TTestForm>(binary);
  ASSERT_EQ(copy->ClassName(), "TTestForm");
  EXPECT_EQ(copy->Name(), "Form1");
  ASSERT_EQ(copy->children.size(), 2u);  // the unstored clone stays behind
  auto* panel2 = copy->children[0];
  EXPECT_EQ(panel2->Name(), "Panel");
  EXPECT_EQ(panel2->Owner(), copy.get());
  ASSERT_EQ(panel2->children.size(), 1u);
  EXPECT_EQ(panel2->children[0], copy->Label1);
  EXPECT_EQ(copy->children[1], copy->Button1);
  EXPECT_EQ(panel2->big, -5000000000);
  EXPECT_EQ(panel2->opacity, 0.25f);
  EXPECT_EQ(panel2->angle, 1.0 / 3.0);
  EXPECT_FALSE(panel2->visible);
  EXPECT_EQ(panel2->align, taClient);
  EXPECT_EQ(panel2->anchors, (TTestAnchors{taTop, taBottom}));
  EXPECT_EQ(panel2->hint, "h\xC3\xA9");
  EXPECT_EQ(panel2->text, u"\u786E\u5B9A");
  EXPECT_EQ(panel2->position.x, 2);
  EXPECT_EQ(panel2->position.y, 0.5f);
  EXPECT_EQ(panel2->buddy, copy->Button1);
  ASSERT_EQ(panel2->points.Count(), 2);
  EXPECT_EQ(static_cast<TTestPoint*>(panel2->points.Items(0))->offset, 0.5f);
  EXPECT_EQ(static_cast<TTestPoint*>(panel2->points.Items(1))->color, "red");
  EXPECT_EQ(panel2->lines, (std::vector<WideString>{u"one", u"\u4E8C"}));
  EXPECT_EQ(panel2->data, (TBytes{0, 1, 254, 255}));
  EXPECT_FALSE(panel2->mouseOver);
  EXPECT_FALSE(copy->Label1->onClick);
  copy->Button1->onClick(copy->Button1);
  EXPECT_EQ(copy->calls, std::vector<std::string>{"click Button1"});
  EXPECT_EQ(LoadedLog(), (std::vector<std::string>{"Form1", "Panel", "Label1", "Button1"}));
  for (auto* node : {static_cast<TTestNode*>(copy.get()), panel2, copy->Label1})
    EXPECT_FALSE(node->ComponentState().Contains(csLoading) || node->ComponentState().Contains(csReading));

  // The text form of the stream converts back and forth unchanged.
  const std::string text = BinaryToText(binary);
  EXPECT_EQ(BinaryToText(TextToBinary(text)), text);
}

TEST_F(Streaming, ASubComponentStreamsItsPropertiesUnderItsName) {
  // A node whose Buddy is its own part, as its constructor would make it.
  auto makeNode = [] {
    auto* node = new TTestNode(nullptr);
    auto* part = new TTestNode(node);
    part->SetName("Part");
    part->SetSubComponent(true);
    node->buddy = part;
    return node;
  };
  TTestNode* node = makeNode();
  node->SetName("Sample");
  static_cast<TTestNode*>(node->buddy)->SetWidth(7);
  static_cast<TTestNode*>(node->buddy)->text = u"x";
  const std::string text = BinaryToText(Write(node));
  node->Free();
  EXPECT_NE(text.find("  Buddy.Width = 7\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  Buddy.Text = 'x'\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Buddy = "), std::string::npos) << "no reference to the part";

  auto read = Read<TTestNode>(TextToBinary(text), makeNode());
  ASSERT_TRUE(read);
  auto* part = static_cast<TTestNode*>(read->buddy);
  EXPECT_EQ(part->width, 7);
  EXPECT_EQ(part->text, u"x");
}

TEST_F(Streaming, ReadsIntoAnExistingRootWithRenamingHook) {
  const std::string binary = TextToBinary(
      "object Original: TTestNode\n  Width = 7\n  object Kid: TTestNode\n    Width = 8\n  end\nend");
  TTestNode root(nullptr);
  TStringStream stream(binary);
  TReader reader(stream);
  reader.OnSetName = [](TComponent*, std::string& name) { name.clear(); };
  EXPECT_EQ(reader.PeekRootClassName(), "TTestNode");
  EXPECT_EQ(reader.ReadRootComponent(&root), &root);
  EXPECT_EQ(root.Name(), "");
  EXPECT_EQ(root.width, 7);
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0]->Name(), "");
  EXPECT_EQ(root.children[0]->width, 8);
}

TEST_F(Streaming, LenientReadsSkipPropertyErrorsStrictReadsNameThem) {
  const std::string binary = TextToBinary(
      "object Form1: TTestForm\n"
      "  Txet = 'typo'\n"
      "  Width = 'wide'\n"
      "  Align = alClient\n"
      "  Position.Z = 1\n"
      "  Buddy = Nobody\n"
      "  OnClick = KeyDown\n"
      "  Points = <\n    item\n      Offset = 'x'\n      Color = 'blue'\n    end>\n"
      "  Hint = 'kept'\n"
      "end");
  std::vector<std::string> errors;
  auto form = Read<TTestForm>(binary, nullptr, true, &errors);
  EXPECT_EQ(form->hint, "kept");
  EXPECT_EQ(static_cast<TTestPoint*>(form->points.Items(0))->color, "blue");
  const std::vector<std::string> expected = {
      "Error reading Form1.Txet: Property Txet does not exist",
      "Error reading Form1.Width: Invalid property value",
      "Error reading Form1.Align: Invalid property value",
      "Error reading Form1.Position.Z: Property Z does not exist",
      "Error reading Form1.Offset: Invalid property value",
      "Error reading Form1.Buddy: Component Nobody not found",
      "Error reading Form1.OnClick: Method KeyDown does not match event OnClick",
  };
  EXPECT_EQ(errors, expected);

  try {
    Read(binary);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), expected[0]);
  }
  try {
    Read(TextToBinary("object F: TTestForm\n  object Button1: TNope\n  end\nend"), nullptr, true);
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNope not found");
  }
  try {  // a form field of another class than the component of that name
    Read(TextToBinary("object F: TTestForm\n  object Button1: Root\n  end\nend"));
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Error reading Button1.Name: Field Button1 of TTestForm is not a Root");
  }
}

// A collection read again frees the items read before; references and
// events pending on them must not be set afterwards.
TEST_F(Streaming, ReferencesOfItemsOfACollectionReadAgainAreDropped) {
  for (const char* second : {"  Points = <>\n", "  Points = <\n    item\n      Ref = Form1\n    end>\n"}) {
    SCOPED_TRACE(second);
    const std::string binary = TextToBinary(std::string("object Form1: TTestForm\n"
                                                        "  Points = <\n    item\n      Ref = Button1\n"
                                                        "      OnClick = ButtonClick\n    end>\n") +
                                            second + "  object Button1: TTestNode\n  end\nend");
    auto form = Read<TTestForm>(binary);
    if (form->points.Count() == 0) continue;
    auto* point = static_cast<TTestPoint*>(form->points.Items(0));
    EXPECT_EQ(point->ref, form.get());
    EXPECT_FALSE(point->onClick);
  }
}

// Text forms keep the place of every component and property, so errors
// found while reading the binary form name the file, line and column.
TEST_F(Streaming, ErrorsOfTextFormsNameTheirPlace) {
  const auto read = [](const std::string& text, bool lenient, std::vector<std::string>* errors = nullptr) {
    TStringStream input(text);
    TMemoryStream binary;
    std::vector<TTextPlace> places;
    ObjectTextToBinary(input, binary, &places);
    binary.SetPosition(0);
    TComponent* root = ReadComponentFromStream(binary, nullptr, lenient, {"Form.txt", places.data(), places.size()}, errors);
    root->Free();
  };
  const auto strictError = [&](const std::string& text) -> std::string {
    try {
      read(text, false);
    } catch (const EFilerError& e) {
      return e.Message();
    } catch (const EReadError& e) {
      return e.Message();
    }
    return "no error";
  };
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"object Form1: TTestForm\n  Width = 1\n  Txet = 'typo'\nend", "Form.txt:3:3: TTestForm has no property 'Txet'"},
      {"object F: TTestForm\n  object Button1: TTestNode\n    Position.Z = 1\n  end\nend",
       "Form.txt:3:5: TTestPosition has no property 'Z'"},
      {"object F: TTestForm\n  Points = <\n    item\n      Offset = 'x'\n    end>\nend",
       "Form.txt:4:7: Error reading F.Offset: Invalid property value"},
      {"object F: TTestForm\n  Hint = 'h'\n  Buddy = Nobody\nend",
       "Form.txt:3:3: Error reading F.Buddy: Component Nobody not found"},
      {"object F: TTestForm\n  Width = 1\n    object Button1: TNope\n  end\nend",
       "Form.txt:3:5: Button1: Class TNope not found"},
      {"object R: Root\n  object N: TTestNode\n  end\nend", "Form.txt:2:3: N (TTestNode) cannot be a child of R (Root)"},
  };
  for (const auto& c : cases) EXPECT_EQ(strictError(c.text), c.error) << c.text;

  std::vector<std::string> errors;
  read(cases[0].text, true, &errors);
  EXPECT_EQ(errors, std::vector<std::string>{cases[0].error});
  EXPECT_NO_THROW(read(std::end(cases)[-1].text, true));  // a lenient read lets the child join nothing
}

TEST_F(Streaming, MalformedStreamsRaiseReadErrors) {
  const std::string good = Write([] {
    static TTestNode node(nullptr);
    node.hint = "abc";
    node.lines = {u"x"};
    node.data = {1, 2, 3};
    static_cast<TTestPoint*>(node.points.Add())->offset = 2;
    return &node;
  }());
  for (bool lenient : {false, true})
    for (std::size_t length = 0; length < good.size(); ++length) {
      SCOPED_TRACE(length);
      EXPECT_THROW(Read(good.substr(0, length), nullptr, lenient), EReadError);
    }
  const std::string header = Bytes({'T', 'P', 'F', '0', 9, 'T', 'T', 'e', 's', 't', 'N', 'o', 'd', 'e', 0});
  const std::string bad[] = {
      "TPF1",
      header + Bytes({4, 'H', 'i', 'n', 't', 12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),  // length beyond the stream
      header + Bytes({4, 'H', 'i', 'n', 't', 18, 0xFF, 0xFF, 0xFF, 0xFF}),
      header + Bytes({4, 'H', 'i', 'n', 't', 99, 0, 0}),                         // no such tag
      header + std::string(100000, '\x01'),                                      // lists nested without end
  };
  for (const std::string& stream : bad) EXPECT_THROW(Read(stream, nullptr, true), EReadError);
  std::string deep = "object A: TTestNode\n";
  for (int i = 0; i < 1000; ++i) deep += "object TTestNode\n";
  EXPECT_THROW(TextToBinary(deep), EReadError);
}

TEST_F(Streaming, FormFromEmbeddedResourceBindsFieldsAndHandlers) {
  RegisterResources_rtl_test();
  RegisterResources_rtl_test();  // once is enough; again is harmless
  EXPECT_EQ(ResourceNames(), (std::vector<std::string>{"TTestForm", "TTestFormTypo"}));
  EXPECT_THROW(TResourceStream("NoSuchResource"), EResNotFound);
  auto form = std::make_unique<TTestForm>(nullptr);
  ReadComponentResource(form.get(), "ttestform", false);
  EXPECT_EQ(form->Name(), "TestForm");
  EXPECT_EQ(form->width, 320);
  ASSERT_NE(form->Button1, nullptr);
  ASSERT_NE(form->Label1, nullptr);
  EXPECT_EQ(form->Button1->text, u"\u786E\u5B9A OK");
  EXPECT_EQ(form->Label1->hint, "Version\t1.0");
  EXPECT_EQ(form->Button1->buddy, form->Label1);
  form->Button1->onClick(form->Button1);
  EXPECT_EQ(form->calls, std::vector<std::string>{"click Button1"});
  form->Label1->Free();  // the field follows the component
  EXPECT_EQ(form->Label1, nullptr);
}

// Every embedded component stream loads strictly; the one with a typo is
// named with its place, and a lenient read of it says so on the debug output.
TEST_F(Streaming, EveryEmbeddedResourceLoadsStrictly) {
  RegisterResources_rtl_test();
  const std::string typo = "TTestFormTypo.txt:3:3: TTestForm has no property 'Txet'";
  EXPECT_EQ(StrictResourceErrors(), std::vector<std::string>{"TTestFormTypo: " + typo});

  std::vector<std::string> lines;
  const TDebugSink previous = SetDebugSink([&](const std::string& line) { lines.push_back(line); });
  auto form = std::make_unique<TTestForm>(nullptr);
  ReadComponentResource(form.get(), "TTestFormTypo");
  SetDebugSink(previous);
  EXPECT_EQ(form->width, 320);
  EXPECT_EQ(lines, std::vector<std::string>{typo});
}
