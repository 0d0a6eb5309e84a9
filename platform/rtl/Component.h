#pragma once
// TComponent: a named persistent object with an owner.
//
// Ownership: a component is owned by the component given to its constructor
// (or none) and appears in its owner's Components list; freeing the owner
// frees what it owns. Names are unique among the components of one owner,
// compared without regard to case. An owner's published field of the same
// name as an owned component points at it (TypeInfo.h, TPublisher::Field).
//
// Notifications: when a component is inserted into or removed from an owner,
// the owner's Notification runs and, by default, forwards to every component
// it owns. FreeNotification links two components of different owners so
// that each hears of the other's destruction (opRemove); handlers clear the
// raw pointers they keep ("weak references").
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Persistent.h"
#include "platform/rtl/Set.h"

namespace rtl {

enum TComponentStateFlag {
  csLoading,     // being read from a stream; cleared by Loaded
  csReading,     // its properties are being read
  csWriting,     // its properties are being written
  csDestroying,  // Free has started
  csDesigning,   // in a designer
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
  RTL_CLASS(TComponent, TPersistent)

  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Raises EComponentError "'%s' is not a valid component name" for a name
  // that is not an identifier, and "A component named %s already exists"
  // when the owner has another component of that name. Empty is allowed.
  virtual void SetName(const std::string& newName);
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }
  TComponentState ComponentState() const { return state_; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
  TComponent* Components(int index) const;
  // Position in the owner's list, -1 without owner.
  int ComponentIndex() const;
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(std::string_view name) const;
  // Takes `component` from its current owner (if any) into this one.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last first.
  void DestroyComponents();

  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  // Marks this component and those it owns as csDestroying.
  void Destroying();

  // Streaming hooks: GetChildren reports the components written as this
  // one's children (the default reports none); the reader attaches a read
  // component to its parent with SetParentComponent when HasParent.
  virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  virtual void SetParentComponent(TComponent*) {}
  // Sets or clears csDesigning on this component and those it owns.
  void SetDesigning(bool value, bool setChildren = true);
  // A sub-component is part of the component that publishes it: a
  // component property holding one streams the sub-component's own
  // properties under its name ("TextLabel.Text") instead of a reference.
  bool IsSubComponent() const { return subComponent_; }
  void SetSubComponent(bool value) { subComponent_ = value; }

  // Name (written in the component's header, not as a property) and Tag.
  static void Publish(TPublisher<TComponent>& p);

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  // Runs after the whole stream holding this component has been read.
  virtual void Loaded();
  // Checks that `newName` is free among this component's owned components.
  virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
  void BeforeDestruction() override;

  void IncludeState(TComponentStateFlag flag) { state_.Include(flag); }
  void ExcludeState(TComponentStateFlag flag) { state_.Exclude(flag); }

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  // Points the owner's published field of this component's name at this
  // component (or clears it).
  void SetReference(bool enable);
  void ReleaseLinks();

  TComponent* owner_ = nullptr;
  std::string name_;
  std::intptr_t tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  bool linksReleased_ = false;
  bool subComponent_ = false;

  friend class TReader;
  friend class TWriter;
};

}  // namespace rtl
