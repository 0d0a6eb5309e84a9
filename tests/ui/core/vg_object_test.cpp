#include "ui/core/vg_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/gui/Application.h"
#include "ui/window/vg_guitimers.h"

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/vg_headless_scene.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_visual.h"

namespace {

using vg::TvgObject;
using vg::TvgVisualObject;
using vgtest::HeadlessScene;

template <class T = TvgObject>
T* Make(const std::string& name = {}, rtl::TComponent* owner = nullptr) {
  auto* node = new T(owner);
  node->SetName(name);
  return node;
}

std::string Names(const TvgObject* parent) {
  std::string text;
  for (TvgObject* child : parent->Children()) text += child->Name();
  return text;
}

// Records the order of the attach hooks.
class TRecordingNode : public TvgObject {
  RTL_CLASS(TRecordingNode, TvgObject)
  using TvgObject::TvgObject;
  void SetNewScene(vg::IvgScene* scene) override {
    log.push_back(scene ? "scene" : "no scene");
    TvgObject::SetNewScene(scene);
  }
  std::vector<std::string> log;

 protected:
  void ChangeParent() override { log.push_back(Parent() ? "parent " + Parent()->Name() : "no parent"); }
};

// A control keeps its style parts to itself.
class TNestedControl : public TvgVisualObject {
  RTL_CLASS(TNestedControl, TvgVisualObject)
  using TvgVisualObject::TvgVisualObject;

 protected:
  bool HidesResources() const override { return true; }
};

class TFailingData : public TvgObject {
  RTL_CLASS(TFailingData, TvgObject)
  using TvgObject::TvgObject;
  void SetData(const rtl::Variant&) override { throw rtl::EConvertError("refused"); }
};

TEST(NodeTree, AttachingMovesTheChildAndHandsItTheScene) {
  HeadlessScene scene;
  TvgObject* a = Make("A");
  TvgObject* b = Make("B");
  scene.AddObject(a);
  auto* child = Make<TRecordingNode>("C");
  a->AddObject(child);
  EXPECT_EQ(child->log, (std::vector<std::string>{"scene", "parent A"}));
  EXPECT_EQ(child->GetScene(), &scene);

  a->AddObject(child);  // already there: nothing changes
  EXPECT_EQ(a->ChildrenCount(), 1);
  EXPECT_EQ(child->log.size(), 2u);

  child->SetParent(b);  // b has no scene: the subtree loses it
  EXPECT_EQ(a->ChildrenCount(), 0);
  EXPECT_EQ(child->Parent(), b);
  EXPECT_EQ(child->GetScene(), nullptr);

  scene.AddObject(b);  // a root node: the scene reaches the whole subtree
  EXPECT_EQ(child->GetScene(), &scene);
  b->SetParent(a);  // leaves the scene's root list for a's children
  EXPECT_EQ(scene.roots, std::vector<TvgObject*>{a});

  a->AddObject(a);  // a node never becomes its own descendant
  child->AddObject(a);
  b->SetParent(child);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(b->Parent(), a);
  EXPECT_EQ(child->ChildrenCount(), 0);

  child->SetParent(nullptr);
  EXPECT_EQ(child->Parent(), nullptr);
  EXPECT_EQ(child->GetScene(), nullptr);
  child->Free();
  a->Free();
}

TEST(NodeTree, ReorderingKeepsEverySiblingIndexCurrent) {
  struct Case {
    const char* name;
    void (*op)(TvgObject* parent);
    const char* order;
  };
  const Case cases[] = {
      {"SetIndex", [](TvgObject* p) { p->GetChild(3)->SetIndex(1); }, "ADBC"},
      {"BringToFront", [](TvgObject* p) { p->GetChild(0)->BringToFront(); }, "BCDA"},
      {"SendToBack", [](TvgObject* p) { p->GetChild(2)->SendToBack(); }, "CABD"},
      {"Exchange", [](TvgObject* p) { p->Exchange(p->GetChild(0), p->GetChild(3)); }, "DBCA"},
      {"Remove", [](TvgObject* p) { p->RemoveObject(p->GetChild(1)); }, "ACD"},
      {"Sort", [](TvgObject* p) { p->Sort([](TvgObject* a, TvgObject* b) { return a->Name() > b->Name(); }); },
       "DCBA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TvgObject* parent = Make();
    std::vector<TvgObject*> all;
    for (const char* name : {"A", "B", "C", "D"}) {
      all.push_back(Make(name));
      parent->AddObject(all.back());
    }
    for (TvgObject* child : all) child->GetIndex();  // cache every index first
    c.op(parent);
    EXPECT_EQ(Names(parent), c.order);
    for (int i = 0; i < parent->ChildrenCount(); ++i) EXPECT_EQ(parent->GetChild(i)->GetIndex(), i);
    for (TvgObject* child : all)
      if (!child->Parent()) child->Free();
    parent->Free();
  }
}

TEST(NodeTree, OutOfRangeIndicesChangeNothing) {
  TvgObject* parent = Make();
  TvgObject* a = Make("A");
  TvgObject* b = Make("B");
  parent->AddObject(a);
  parent->AddObject(b);
  EXPECT_THROW(a->SetIndex(2), rtl::EListError);
  EXPECT_THROW(a->SetIndex(-1), rtl::EListError);
  EXPECT_EQ(Names(parent), "AB");
  EXPECT_EQ(parent->GetChild(-1), nullptr);
  EXPECT_EQ(parent->GetChild(2), nullptr);
  TvgObject* stranger = Make("X");
  parent->RemoveObject(stranger);
  parent->Exchange(a, stranger);
  EXPECT_EQ(Names(parent), "AB");
  stranger->SetIndex(0);  // no parent: nothing
  stranger->Free();
  parent->Free();
}

// Records, for each free notification, its tag and whether the dying node
// was still in its tree and in the resource list.
class OrderLink : public vg::IvgFreeNotification {
 public:
  OrderLink(std::string tag, std::vector<std::string>& log) : tag_(std::move(tag)), log_(log) {}
  virtual ~OrderLink() = default;
  void FreeNotification(vg::IvgFreeNotifier* node) override {
    auto* dying = dynamic_cast<TvgObject*>(node);
    const auto& slots = vg::ResourceList();
    const bool listed = std::find(slots.begin(), slots.end(), dying) != slots.end();
    log_.push_back(tag_ + (dying->Parent() ? " attached" : " detached") + (listed ? " listed" : ""));
  }

 private:
  std::string tag_;
  std::vector<std::string>& log_;
};

TEST(NodeTree, DestructionTellsLinksLastFirstWhileStillAttached) {
  std::vector<std::string> log;
  OrderLink first("first", log), second("second", log);
  TvgObject* parent = Make();
  TvgObject* node = Make();
  parent->AddObject(node);
  node->AddFreeNotify(&first);
  node->AddFreeNotify(&second);
  node->AddFreeNotify(&second);  // listed once
  node->Free();
  EXPECT_EQ(log, (std::vector<std::string>{"second attached listed", "first attached listed"}));
  parent->Free();
}

TEST(NodeTree, DestructionClearsFocusHoverLinksAndSlots) {
  HeadlessScene scene;
  auto* root = Make<TvgVisualObject>("Root");
  scene.AddObject(root);
  auto* node = Make<TvgVisualObject>("Node");
  root->AddObject(node);
  auto* grandchild = Make<TvgVisualObject>("Leaf");
  node->AddObject(grandchild);
  scene.focused = node;
  scene.hovered = grandchild;

  vg::TvgBrush brush(vg::vgBrushVisual, 0);
  brush.Visual()->SetVisualObject(node);
  vg::TvgBitmap bitmap;
  bitmap.SetResource(grandchild);
  const auto listed = vg::ResourceList().size();
  const int nodeSlot = vg::AddResource(node), leafSlot = vg::AddResource(grandchild);

  node->Free();
  EXPECT_EQ(scene.focused, nullptr);
  EXPECT_EQ(scene.hovered, nullptr);
  EXPECT_EQ(brush.Visual()->VisualObject(), nullptr);
  EXPECT_EQ(bitmap.GetResource(), nullptr);
  EXPECT_EQ(bitmap.GetResourceName(), "");  // the resource had no name
  EXPECT_EQ(root->ChildrenCount(), 0);
  EXPECT_EQ(vg::ResourceList().size(), listed);
  EXPECT_EQ(vg::ResourceList()[nodeSlot], nullptr);
  EXPECT_EQ(vg::ResourceList()[leafSlot], nullptr);
  brush.SetColor("#FF102030");  // still usable
  EXPECT_EQ(brush.SolidColor(), 0xFF102030u);
  root->Free();
  EXPECT_TRUE(scene.roots.empty());
}

TEST(NodeTree, OwnerAndParentAreIndependent) {
  TvgObject* owner = Make("Owner");
  TvgObject* parent = Make("Parent");
  TvgObject* child = Make("Child", owner);
  parent->AddObject(child);
  parent->Free();  // frees its child although owner owns it
  EXPECT_EQ(owner->ComponentCount(), 0);
  TvgObject* kept = Make("Kept", owner);
  TvgObject* other = Make("Other");
  other->AddObject(kept);
  owner->Free();  // frees what it owns; the parent forgets the child
  EXPECT_EQ(other->ChildrenCount(), 0);
  other->Free();
}

TEST(NodeTree, GlobalResourceLookupTakesTheNewestStoredNode) {
  TvgObject* older = Make();
  older->SetResourceName("buttonstyle");
  TvgObject* newer = Make();
  newer->SetResourceName("ButtonStyle");
  EXPECT_EQ(vg::FindResource("BUTTONSTYLE"), newer);
  EXPECT_EQ(vg::vgFindResourceNode("buttonstyle"), newer);
  TvgObject* clone = newer->Clone(nullptr);
  clone->SetStored(false);
  EXPECT_EQ(vg::FindResource("buttonstyle"), newer);
  newer->Free();
  EXPECT_EQ(vg::FindResource("buttonstyle"), older);
  EXPECT_EQ(vg::FindResource(""), nullptr);
  clone->Free();
  older->Free();
  EXPECT_EQ(vg::FindResource("buttonstyle"), nullptr);
}

TEST(NodeTree, LocalResourceLookupSkipsNestedControls) {
  TvgObject* style = Make();
  TvgObject* layout = Make();
  style->AddObject(layout);
  TvgObject* text = Make();
  text->SetResourceName("text");
  layout->AddObject(text);
  auto* control = Make<TNestedControl>();
  style->AddObject(control);
  TvgObject* inner = Make();
  inner->SetResourceName("glyph");
  control->AddObject(inner);
  EXPECT_EQ(style->FindResource("TEXT"), text);
  EXPECT_EQ(style->FindResource("glyph"), nullptr);
  EXPECT_EQ(control->FindResource("glyph"), inner);
  EXPECT_EQ(style->FindResource(""), nullptr);
  style->Free();
}

TEST(NodeTree, BindingsFindNodesAndSwallowRefusals) {
  TvgObject* form = Make("Form");
  TvgObject* panel = Make("Panel");
  form->AddObject(panel);
  TvgObject* edit = Make("Edit");
  edit->SetBindingName("speed");
  panel->AddObject(edit);
  auto* failing = Make<TFailingData>("Bad");
  failing->SetBindingName("bad");
  form->AddObject(failing);

  EXPECT_EQ(form->FindBinding(""), form);  // its own binding name is empty
  EXPECT_EQ(form->FindBinding("SPEED"), edit);
  EXPECT_EQ(form->GetBinding("speed").AsString(), "Edit");
  const rtl::Variant missing = form->GetBinding("nothing");
  EXPECT_EQ(missing.VarType(), rtl::varString);
  EXPECT_EQ(missing.AsString(), "");
  EXPECT_NO_THROW(form->SetBinding("bad", 5));
  EXPECT_NO_THROW(form->SetBinding("nothing", 5));
  form->Free();
}

TEST(NodeTree, BindingVariantsCarryTypedReferences) {
  TvgObject* node = Make();
  const rtl::TNotifyEvent handler = [](rtl::TObject*) {};
  struct Case {
    const char* name;
    rtl::Variant value;
    bool isObject, isEvent;
    rtl::TObject* object;
  };
  const Case cases[] = {
      {"object", vg::ObjectToVariant(node), true, false, node},
      {"event", vg::EventToVariant(handler), false, true, nullptr},
      {"text looking like an object", rtl::Variant("vgobj12345"), false, false, nullptr},
      {"text looking like an event", rtl::Variant("vgmet0000000100000002"), false, false, nullptr},
      {"number", rtl::Variant(7), false, false, nullptr},
      {"empty", rtl::Variant(), false, false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(vg::VarIsObject(c.value), c.isObject);
    EXPECT_EQ(vg::VarIsEvent(c.value), c.isEvent);
    EXPECT_EQ(vg::VariantToObject(c.value), c.object);
    EXPECT_EQ(static_cast<bool>(vg::VariantToEvent(c.value)), c.isEvent);
  }
  node->Free();
}

// Timers that fire when the test says so.
class ManualTimers {
 public:
  ManualTimers() {
    previous = vg::vgSetOneShotFactory([this](std::uint32_t ms, std::function<void()> fire) {
      auto handle = std::make_unique<Handle>(this, std::move(fire));
      intervals.push_back(ms);
      return handle;
    });
  }
  ~ManualTimers() { vg::vgSetOneShotFactory(std::move(previous)); }
  void FireAll() {
    for (auto pending = live; Handle* h : pending)
      if (std::find(live.begin(), live.end(), h) != live.end()) h->fire();
  }
  std::vector<std::uint32_t> intervals;
  int alive() const { return static_cast<int>(live.size()); }

 private:
  struct Handle : vg::IvgOneShot {
    Handle(ManualTimers* owner, std::function<void()> f) : owner(owner), fire(std::move(f)) {
      owner->live.push_back(this);
    }
    ~Handle() override { std::erase(owner->live, this); }
    ManualTimers* owner;
    std::function<void()> fire;
  };
  std::vector<Handle*> live;
  vg::TvgOneShotFactory previous;
};

TEST(NodeTree, ReleaseFreesOnceAndCancelsWithTheNode) {
  ManualTimers timers;
  TvgObject* parent = Make();
  TvgObject* released = Make("R");
  parent->AddObject(released);
  released->Release(0.25f);
  released->Release(0);
  EXPECT_EQ(timers.intervals, (std::vector<std::uint32_t>{250, 1}));
  EXPECT_EQ(timers.alive(), 1);  // the second call replaced the first timer
  timers.FireAll();
  EXPECT_EQ(parent->ChildrenCount(), 0);
  EXPECT_EQ(timers.alive(), 0);

  TvgObject* early = Make("E");
  parent->AddObject(early);
  early->Release(1);
  parent->Free();  // frees `early` before its timer fires
  EXPECT_EQ(timers.alive(), 0);
  timers.FireAll();  // nothing left to fire
}

TEST(NodeTree, ReleaseRunsOnTheApplicationsTimers) {
  vg::vgUseGuiTimers();
  TvgObject* parent = Make();
  TvgObject* released = Make("R");
  parent->AddObject(released);
  released->Release(0.001f);
  TvgObject* early = Make("E");
  parent->AddObject(early);
  early->Release(0.001f);
  early->Free();  // its timer goes with it
  for (int i = 0; i < 500 && parent->ChildrenCount() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    gui::Application->ProcessMessages();
  }
  EXPECT_EQ(parent->ChildrenCount(), 0);
  parent->Free();
  vg::vgSetOneShotFactory(nullptr);
  vg::vgSetAniClock(nullptr);
}

TEST(NodeTree, RegistryKeepsThePaletteSortedAndStreamable) {
  vg::RegisterVGObjects("Shapes", {TRecordingNode::StaticClass()});
  vg::RegisterVGObjects("Controls", {TNestedControl::StaticClass(), TFailingData::StaticClass()});
  std::vector<std::string> categories;
  for (const auto& [category, cls] : vg::ObjectList()) categories.push_back(category);
  EXPECT_TRUE(std::is_sorted(categories.begin(), categories.end()));
  EXPECT_EQ(rtl::GetClass("TNestedControl"), TNestedControl::StaticClass());
  EXPECT_EQ(vg::ObjectList().front().second, TFailingData::StaticClass());  // newest of its category first
}

TEST(NodeTree, SceneListHasNoDuplicates) {
  HeadlessScene a, b;
  vg::AddScene(&a);
  vg::AddScene(&b);
  vg::AddScene(&a);
  EXPECT_EQ(vg::SceneList().size(), 2u);
  vg::RemoveScene(&a);
  vg::RemoveScene(&b);
  EXPECT_TRUE(vg::SceneList().empty());
}

}  // namespace
