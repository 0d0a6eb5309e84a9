#pragma once
// TObject, the root of the class library's hierarchy, and its metaclass.
//
// Every class of the hierarchy names itself with RTL_CLASS at the top of its
// body; that gives it a TClass (name, parent, factory, published members)
// reachable statically (TFoo::StaticClass()) and dynamically (ClassType()).
//
// Objects of the hierarchy live on the heap and are released with Free():
// first the virtual BeforeDestruction chain runs while the dynamic type is
// still intact (owners free what they own, observers are notified), then the
// object is deleted.
#include <string>
#include <string_view>
#include <type_traits>

namespace rtl {

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
class TPublishedTable;
struct TClassInfo;
using TClass = const TClassInfo*;

// The run-time description of one class. One instance per class, made by
// RTL_CLASS on first use; never copied.
struct TClassInfo {
  const char* name = "";
  TClass parent = nullptr;
  // Set when the class is a concrete TComponent taking its owner.
  TComponent* (*createComponent)(TComponent* owner) = nullptr;
  // Set when the class is a concrete TCollectionItem taking its collection.
  TCollectionItem* (*createItem)(TCollection* collection) = nullptr;
  // The published properties and methods (TypeInfo.h), built on first use.
  const TPublishedTable& (*published)() = nullptr;

  bool InheritsFrom(TClass ancestor) const;
};

// True for a non-empty identifier: a letter or '_' then letters, digits, '_'.
bool IsValidIdent(std::string_view name);

class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  std::string ClassName() const { return ClassType()->name; }
  bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }

  // Runs BeforeDestruction, then deletes the object. Heap objects only.
  void Free();

 protected:
  // Overrides call the inherited one; runs before any destructor.
  virtual void BeforeDestruction() {}
};

// Frees the object and leaves the pointer empty; does nothing on nullptr.
template <class T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  if (doomed) doomed->Free();
}

template <class T>
const TPublishedTable& PublishedTableOf();

template <class T, class Parent>
TClassInfo MakeClassInfo(const char* name) {
  TClassInfo info;
  info.name = name;
  info.parent = Parent::StaticClass();
  if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*> &&
                std::is_base_of_v<TComponent, T>)
    info.createComponent = [](TComponent* owner) -> TComponent* { return new T(owner); };
  if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TCollection*> &&
                std::is_base_of_v<TCollectionItem, T>)
    info.createItem = [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
  info.published = &PublishedTableOf<T>;
  return info;
}

}  // namespace rtl

// Place first in the body of every class of the hierarchy; leaves the access
// public. Declares `inherited`, StaticClass() and the ClassType() override,
// and lets the class's static Publish function (TypeInfo.h) be private.
#define RTL_CLASS(Name, Parent)                                                     \
 public:                                                                            \
  using inherited = Parent;                                                         \
  static ::rtl::TClass StaticClass() {                                              \
    static const ::rtl::TClassInfo info = ::rtl::MakeClassInfo<Name, Parent>(#Name); \
    return &info;                                                                   \
  }                                                                                 \
  ::rtl::TClass ClassType() const override { return StaticClass(); }                \
  template <class>                                                                  \
  friend const ::rtl::TPublishedTable& ::rtl::PublishedTableOf();

// The published-member tables RTL_CLASS refers to.
#include "platform/rtl/TypeInfo.h"
