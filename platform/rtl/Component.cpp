#include "platform/rtl/Component.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextCompare.h"

namespace rtl {

namespace {
bool Erase(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}
}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() { ReleaseLinks(); }

void TComponent::BeforeDestruction() {
  inherited::BeforeDestruction();
  ReleaseLinks();
}

// Runs once, from BeforeDestruction when freed with Free (dynamic type still
// intact), or from the destructor otherwise.
void TComponent::ReleaseLinks() {
  if (linksReleased_) return;
  linksReleased_ = true;
  Destroying();
  while (!freeNotifies_.empty()) {
    TComponent* observer = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(observer->freeNotifies_, this);
    observer->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& siblings = owner_->components_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_)
    if (SameText(component->name_, name)) return component;
  return nullptr;
}

void TComponent::SetName(const std::string& newName) {
  if (newName == name_) return;
  if (!newName.empty() && !IsValidIdent(newName))
    throw EComponentError(Format("'%s' is not a valid component name", newName.c_str()));
  if (owner_)
    owner_->ValidateRename(this, name_, newName);
  else
    ValidateRename(nullptr, name_, newName);
  SetReference(false);
  name_ = newName;
  SetReference(true);
}

void TComponent::SetReference(bool enable) {
  if (!owner_ || name_.empty()) return;
  const TFieldInfo* field = PublishedOf(owner_->ClassType()).FindField(name_);
  if (!field) return;
  if (enable)
    field->Set(owner_, this);
  else if (field->Get(owner_) == this)
    field->Set(owner_, nullptr);
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName, const std::string& newName) {
  if (!component || newName.empty() || SameText(curName, newName)) return;
  TComponent* holder = FindComponent(newName);
  if (holder && holder != component)
    throw EComponentError(Format("A component named %s already exists", newName.c_str()));
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_ == this) return;
  ValidateRename(component, "", component->name_);
  if (component->owner_) component->owner_->RemoveComponent(component);
  Insert(component);
  component->SetReference(true);
  if (state_.Contains(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  component->SetReference(false);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  if (Erase(components_, component)) component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* component = components_.back();
    RemoveComponent(component);
    component->Free();
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* component : components_) component->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (owner_ && component->owner_ == owner_) return;  // the owner forwards already
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) != freeNotifies_.end()) return;
  freeNotifies_.push_back(component);
  component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Erase(freeNotifies_, component);
  Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // A handler may free components of this owner: walk by index, re-checked.
  for (std::size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    components_[i]->Notification(component, operation);
  }
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

void TComponent::Publish(TPublisher<TComponent>& p) {
  p.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  p.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (setChildren)
    for (TComponent* component : components_) component->SetDesigning(value);
}

}  // namespace rtl
