#pragma once
// Small component classes with a property of every kind, custom stream
// properties and a parent/child tree, for the streaming tests and fuzzers.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/NumberText.h"

namespace fixtures {

using namespace rtl;

RTL_ENUM(TTestAlign, taNone, taTop, taBottom, taClient)
using TTestAnchors = TSet<TTestAlign>;

inline std::vector<std::string>& LoadedLog() {
  static std::vector<std::string> log;
  return log;
}

// A point streamed as one text property "Point" = '(x,y)'.
class TTestPosition : public TPersistent {
  RTL_CLASS(TTestPosition, TPersistent)
  float x = 0, y = 0;

  void Assign(const TPersistent* source) override {
    if (auto* other = dynamic_cast<const TTestPosition*>(source)) {
      x = other->x;
      y = other->y;
      return;
    }
    inherited::Assign(source);
  }
  static void Publish(TPublisher<TTestPosition>& p) {
    p.Property("X", &TTestPosition::x).Stored(false);
    p.Property("Y", &TTestPosition::y).Stored(false);
  }

 protected:
  void DefineProperties(TFiler& filer) override {
    filer.DefineProperty(
        "Point",
        [this](TReader& reader) {
          const std::string text = reader.ReadString();
          const std::size_t comma = text.find(',');
          std::optional<double> px, py;
          if (text.size() >= 2 && text.front() == '(' && text.back() == ')' && comma != std::string::npos) {
            px = ParseDouble(text.substr(1, comma - 1));
            py = ParseDouble(text.substr(comma + 1, text.size() - comma - 2));
          }
          x = px && py ? static_cast<float>(*px) : 0;
          y = px && py ? static_cast<float>(*py) : 0;
        },
        [this](TWriter& writer) {
          writer.WriteString("(" + SingleToExactText(x) + "," + SingleToExactText(y) + ")");
        },
        x != 0 || y != 0);
  }
};

class TTestPoint : public TCollectionItem {
  RTL_CLASS(TTestPoint, TCollectionItem)
  using TCollectionItem::TCollectionItem;
  float offset = 0;
  std::string color;
  TComponent* ref = nullptr;
  TNotifyEvent onClick;
  static void Publish(TPublisher<TTestPoint>& p) {
    p.Property("Offset", &TTestPoint::offset);
    p.Property("Color", &TTestPoint::color);
    p.Property("Ref", &TTestPoint::ref);
    p.Property("OnClick", &TTestPoint::onClick);
  }
};

class TTestNode : public TComponent {
  RTL_CLASS(TTestNode, TComponent)
  explicit TTestNode(TComponent* owner) : TComponent(owner), points(TTestPoint::StaticClass(), this) {}
  ~TTestNode() override {
    for (TTestNode* child : children) child->parent = nullptr;
    if (parent) std::erase(parent->children, this);
  }

  int width = 0;
  std::int64_t big = 0;
  float opacity = 1;
  double angle = 0;
  bool visible = true;
  TTestAlign align = taNone;
  TTestAnchors anchors;
  std::string hint;
  WideString text;
  TTestPosition position;
  TComponent* buddy = nullptr;
  TNotifyEvent onClick;
  TCollection points;
  std::vector<WideString> lines;
  TBytes data;
  bool mouseOver = false;
  bool stored = true;

  TTestNode* parent = nullptr;
  std::vector<TTestNode*> children;

  TTestPosition* GetPosition() const { return const_cast<TTestPosition*>(&position); }
  TCollection* GetPoints() const { return const_cast<TCollection*>(&points); }
  int GetWidth() const { return width; }
  void SetWidth(int value) { width = value; }

  static void Publish(TPublisher<TTestNode>& p) {
    p.Property("Width", &TTestNode::GetWidth, &TTestNode::SetWidth).Default(0);
    p.Property("Big", &TTestNode::big).Default(0);
    p.Property("Opacity", &TTestNode::opacity).Default(1.0f);
    p.Property("Angle", &TTestNode::angle);
    p.Property("Visible", &TTestNode::visible).Default(true);
    p.Property("Align", &TTestNode::align).Default(taNone);
    p.Property("Anchors", &TTestNode::anchors).Default(TTestAnchors{});
    p.Property("Hint", &TTestNode::hint);
    p.Property("Text", &TTestNode::text);
    p.Property("Position", &TTestNode::GetPosition);
    p.Property("Buddy", &TTestNode::buddy);
    p.Property("OnClick", &TTestNode::onClick);
    p.Property("Points", &TTestNode::GetPoints);
    p.Property("IsMouseOver", &TTestNode::mouseOver).RunTimeOnly();
  }

  void GetChildren(const TGetChildProc& proc, TComponent*) override {
    for (TTestNode* child : children)
      if (child->stored) proc(child);
  }
  TComponent* GetParentComponent() const override { return parent; }
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* value) override {
    auto* node = dynamic_cast<TTestNode*>(value);
    if (!node) throw EComponentError("A node's parent must be a node");
    if (parent) std::erase(parent->children, this);
    parent = node;
    node->children.push_back(this);
  }
  TTestNode* AddChild(TTestNode* child) {
    child->SetParentComponent(this);
    return child;
  }

 protected:
  void Loaded() override {
    inherited::Loaded();
    LoadedLog().push_back(Name().empty() ? ClassName() : Name());
  }
  void DefineProperties(TFiler& filer) override {
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "Strings",
        [this](TReader& reader) {
          lines.clear();
          reader.ReadListBegin();
          while (!reader.EndOfList()) lines.push_back(reader.ReadWideString());
          reader.ReadListEnd();
        },
        [this](TWriter& writer) {
          writer.WriteListBegin();
          for (const WideString& line : lines) writer.WriteWideString(line);
          writer.WriteListEnd();
        },
        !lines.empty());
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { data = stream.ReadRemaining(); },
        [this](TStream& stream) { stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size())); },
        !data.empty());
  }
};

// A form: a node root with published component fields and handlers.
class TTestForm : public TTestNode {
  RTL_CLASS(TTestForm, TTestNode)
  using TTestNode::TTestNode;
  TTestNode* Button1 = nullptr;
  TTestNode* Label1 = nullptr;
  std::vector<std::string> calls;

  void ButtonClick(TObject* sender) { calls.push_back("click " + static_cast<TComponent*>(sender)->Name()); }
  void KeyDown(TObject*, int& key) { key = 0; }

  static void Publish(TPublisher<TTestForm>& p) {
    p.Field("Button1", &TTestForm::Button1);
    p.Field("Label1", &TTestForm::Label1);
    p.Method("ButtonClick", &TTestForm::ButtonClick);
    p.Method("KeyDown", &TTestForm::KeyDown);
  }
};

// Named "Root", with two properties: the smallest stream with values.
class Root : public TComponent {
  RTL_CLASS(Root, TComponent)
  using TComponent::TComponent;
  int a = 5;
  bool b = true;
  static void Publish(TPublisher<Root>& p) {
    p.Property("a", &Root::a);
    p.Property("b", &Root::b);
  }
};

inline void RegisterStreamingFixtures() { RegisterClasses<TTestNode, TTestForm, Root>(); }

}  // namespace fixtures
