#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Component.h"
#include "platform/rtl/Exceptions.h"

using namespace rtl;

namespace {

std::vector<std::string> journal;

class TBrushLike : public TPersistent {
  RTL_CLASS(TBrushLike, TPersistent)
  int color = 0;
  void Assign(const TPersistent* source) override {
    if (auto* brush = dynamic_cast<const TBrushLike*>(source)) {
      color = brush->color;
      return;
    }
    inherited::Assign(source);
  }
};

class TFontLike : public TPersistent {
  RTL_CLASS(TFontLike, TPersistent)
};

class TWatcher : public TComponent {
  RTL_CLASS(TWatcher, TComponent)
  using TComponent::TComponent;
  ~TWatcher() override { journal.push_back("~" + Name()); }

  TComponent* watched = nullptr;
  void Watch(TComponent* target) {
    watched = target;
    if (target) target->FreeNotification(this);
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    journal.push_back(Name() + (operation == opInsert ? " +" : " -") + component->Name());
    if (operation == opRemove && component == watched) watched = nullptr;
  }
  void BeforeDestruction() override {
    journal.push_back("before " + ClassName() + " " + Name());
    inherited::BeforeDestruction();
  }
};

class TSpecialWatcher : public TWatcher {
  RTL_CLASS(TSpecialWatcher, TWatcher)
  using TWatcher::TWatcher;
};

TWatcher* MakeWatcher(TComponent* owner, const std::string& name) {
  auto* watcher = new TWatcher(owner);
  watcher->SetName(name);
  return watcher;
}

}  // namespace

TEST(Object, ClassNamesAndInheritance) {
  TSpecialWatcher special(nullptr);
  const TObject& object = special;
  EXPECT_EQ(object.ClassName(), "TSpecialWatcher");
  EXPECT_EQ(object.ClassType(), TSpecialWatcher::StaticClass());
  EXPECT_EQ(TSpecialWatcher::StaticClass()->parent, TWatcher::StaticClass());
  EXPECT_TRUE(object.InheritsFrom(TComponent::StaticClass()));
  EXPECT_TRUE(object.InheritsFrom(TObject::StaticClass()));
  EXPECT_FALSE(object.InheritsFrom(TFontLike::StaticClass()));
  EXPECT_NE(TWatcher::StaticClass()->createComponent, nullptr);
  EXPECT_EQ(TComponent::StaticClass()->parent->name, std::string("TPersistent"));
}

TEST(Persistent, AssignCopiesKnownClassesAndNamesBothOtherwise) {
  TBrushLike a, b;
  a.color = 7;
  b.Assign(&a);
  EXPECT_EQ(b.color, 7);
  TFontLike font;
  try {
    b.Assign(&font);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TFontLike to a TBrushLike");
  }
  try {
    font.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TFontLike");
  }
}

TEST(Component, OwnerFreesOwnedWithNotificationsWhileTypesAreIntact) {
  journal.clear();
  TWatcher* form = new TSpecialWatcher(nullptr);
  form->SetName("Form");
  MakeWatcher(form, "Button");
  TWatcher* label = MakeWatcher(form, "Label");
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->Components(1), label);
  EXPECT_EQ(label->ComponentIndex(), 1);
  EXPECT_EQ(form->FindComponent("LABEL"), label);
  EXPECT_EQ(form->FindComponent("Missing"), nullptr);
  EXPECT_THROW(form->Components(2), EListError);
  journal.clear();
  form->Free();
  const std::vector<std::string> expected = {
      "before TSpecialWatcher Form",
      "Label -Label", "Button -Label", "Form -Label", "before TWatcher Label", "~Label",
      "Button -Button", "Form -Button", "before TWatcher Button", "~Button",
      "~Form"};
  // The owner, still of its own class, takes each owned component out (its
  // Notification forwards the removal to all it owns, the leaving one
  // included), then frees it.
  EXPECT_EQ(journal, expected);
}

TEST(Component, NamesAreIdentifiersUniquePerOwnerIgnoringCase) {
  TComponent form(nullptr);
  auto* first = new TComponent(&form);
  first->SetName("Edit1");
  auto* second = new TComponent(&form);
  try {
    second->SetName("EDIT1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named EDIT1 already exists");
  }
  first->SetName("EDIT1");  // a change of case only is fine
  EXPECT_EQ(first->Name(), "EDIT1");
  EXPECT_THROW(second->SetName("1abc"), EComponentError);
  EXPECT_THROW(second->SetName("a b"), EComponentError);
  TComponent other(nullptr);
  auto* clash = new TComponent(&other);
  clash->SetName("edit1");
  EXPECT_THROW(form.InsertComponent(clash), EComponentError);
  EXPECT_EQ(clash->Owner(), &other);
}

TEST(Component, FreeNotificationClearsWeakReferences) {
  journal.clear();
  TWatcher* observer = MakeWatcher(nullptr, "Observer");
  TWatcher* target = MakeWatcher(nullptr, "Target");
  observer->Watch(target);
  target->Free();
  EXPECT_EQ(observer->watched, nullptr);

  TWatcher* other = MakeWatcher(nullptr, "Other");
  observer->Watch(other);
  other->RemoveFreeNotification(observer);
  journal.clear();
  other->Free();
  EXPECT_EQ(observer->watched, other);  // unlinked: no longer told
  EXPECT_EQ(std::count(journal.begin(), journal.end(), "Observer -Other"), 0);

  // Siblings hear of each other through their owner.
  TWatcher* owner = MakeWatcher(nullptr, "Owner");
  TWatcher* left = MakeWatcher(owner, "Left");
  left->Watch(MakeWatcher(owner, "Right"));
  left->watched->Free();
  EXPECT_EQ(left->watched, nullptr);
  owner->Free();
  observer->Free();
}

TEST(Component, InsertMovesBetweenOwnersAndDestroyingMarksTheTree) {
  journal.clear();
  TWatcher* a = MakeWatcher(nullptr, "A");
  TWatcher* b = MakeWatcher(nullptr, "B");
  TWatcher* child = MakeWatcher(a, "Child");
  b->SetDesigning(true);
  b->InsertComponent(child);
  EXPECT_EQ(child->Owner(), b);
  EXPECT_EQ(a->ComponentCount(), 0);
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
  EXPECT_NE(std::find(journal.begin(), journal.end(), "A -Child"), journal.end());
  EXPECT_NE(std::find(journal.begin(), journal.end(), "B +Child"), journal.end());
  b->Destroying();
  EXPECT_TRUE(child->ComponentState().Contains(csDestroying));
  a->Free();
  b->Free();
}
