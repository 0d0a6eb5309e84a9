#include "ui/core/vg_object.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextCompare.h"
#include "ui/core/vg_visual.h"

namespace vg {

namespace {

// ----- unit registries

std::vector<TvgObjectListEntry>& Palette() {
  static std::vector<TvgObjectListEntry> list;
  return list;
}

struct Resources {
  std::vector<TvgObject*> list;
  std::unordered_map<const TvgObject*, int> slots;
};
Resources& ResourceRegistry() {
  static Resources resources;
  return resources;
}

std::vector<IvgScene*>& Scenes() {
  static std::vector<IvgScene*> scenes;
  return scenes;
}

// The scene forgets every node of a subtree that is about to die (the nodes
// lose the scene before they are destroyed).
void ForgetSubtree(IvgScene& scene, TvgObject* top) {
  std::vector<TvgObject*> subtree;
  top->AddObjectsToList(subtree);
  for (TvgObject* node : subtree) scene.Notification(node, rtl::opRemove);
}

}  // namespace

void vgLeaveScene(IvgScene& scene, TvgObject* top) {
  if (TvgVisualObject* focused = scene.GetFocused(); focused && focused->IsAncestorOrSelf(top))
    scene.SetFocused(nullptr);
  ForgetSubtree(scene, top);
}

namespace {

IvgResourceNode* FindResourceNode(const std::string& name) { return FindResource(name); }

// ----- the timer behind Release

TvgOneShotFactory& OneShotFactory() {
  static TvgOneShotFactory factory;
  return factory;
}

}  // namespace

std::unique_ptr<IvgOneShot> vgStartOneShot(std::uint32_t milliseconds, std::function<void()> fire) {
  if (OneShotFactory()) return OneShotFactory()(milliseconds, std::move(fire));
  return std::make_unique<IvgOneShot>();
}

TvgOneShotFactory vgSetOneShotFactory(TvgOneShotFactory factory) {
  return std::exchange(OneShotFactory(), std::move(factory));
}

// ----- construction and destruction

TvgObject::TvgObject(rtl::TComponent* owner) : rtl::TComponent(owner) { AddResource(this); }

TvgObject::~TvgObject() { TearDown(); }

void TvgObject::BeforeDestruction() {
  TearDown();
  inherited::BeforeDestruction();
}

void TvgObject::TearDown() {
  if (FTornDown) return;
  FTornDown = true;
  Destroying();
  FReleaseTimer.reset();
  if (IvgScene* scene = GetScene()) ForgetSubtree(*scene, this);
  while (!FNotifyList.empty()) {
    IvgFreeNotification* link = FNotifyList.back();
    FNotifyList.pop_back();
    link->FreeNotification(this);
  }
  RemoveResource(this);
  LeaveParentOrScene();
  FScene = nullptr;
  DeleteChildren();
}

void TvgObject::Publish(rtl::TPublisher<TvgObject>& p) {
  p.Property("BindingName", &TvgObject::BindingName, &TvgObject::SetBindingName);
  p.Property("ResourceName", &TvgObject::ResourceName, &TvgObject::SetResourceName);
  p.Property("Parent", &TvgObject::Parent).RunTimeOnly();
}

// ----- the node tree

void TvgObject::LeaveParentOrScene() {
  if (FParent)
    FParent->RemoveObject(this);
  else if (FScene)
    FScene->RemoveObject(this);
}

void TvgObject::SetParent(TvgObject* value) {
  if (value == FParent || (value && value->IsAncestorOrSelf(this))) return;
  LeaveParentOrScene();
  if (value)
    value->AddObject(this);
  else
    FParent = nullptr;
}

void TvgObject::SetNewScene(IvgScene* scene) {
  FScene = scene;
  for (TvgObject* child : FChildren) child->SetNewScene(scene);
}

bool TvgObject::IsAncestorOrSelf(const TvgObject* node) const {
  for (const TvgObject* n = this; n; n = n->FParent)
    if (n == node) return true;
  return false;
}

void TvgObject::AddObject(TvgObject* child) {
  if (!child || IsAncestorOrSelf(child)) return;  // a node never contains itself
  if (child->FParent != this && (child->FParent || child->FScene)) child->LeaveParentOrScene();
  if (child->FParent == this && std::find(FChildren.begin(), FChildren.end(), child) != FChildren.end()) return;
  if (FChildren.capacity() == 0) FChildren.reserve(10);
  FChildren.push_back(child);
  child->FIndex = static_cast<int>(FChildren.size()) - 1;
  child->FParent = this;
  child->SetNewScene(GetScene());
  child->ChangeParent();
  if (FIsVisual && child->IsEnabledEffect()) {
    FVisual->FHasEffect = true;
    FVisual->UpdateEffects();
  }
  if (FIsVisual && child->FIsVisual) FVisual->AttachChild(child->FVisual);
}

void TvgObject::RemoveObject(TvgObject* child) {
  if (!child || child->FParent != this) return;
  const int index = child->GetIndex();
  if (index < 0 || index >= ChildrenCount() || FChildren[static_cast<std::size_t>(index)] != child) return;
  const auto it = FChildren.begin() + index;
  const bool bothVisual = FIsVisual && child->FIsVisual;
  if (IvgScene* scene = GetScene()) vgLeaveScene(*scene, child);
  if (bothVisual) FVisual->DetachChild(child->FVisual);
  child->FParent = nullptr;
  child->SetNewScene(nullptr);
  for (auto later = it; later != FChildren.end(); ++later) (*later)->FIndex = -1;
  FChildren.erase(it);
  if (FIsVisual) FVisual->RecalcHasEffect();
  if (bothVisual) {
    FVisual->RecalcNeedAlign();
    child->FVisual->SetTempCanvas(nullptr);
  }
}

void TvgObject::Exchange(TvgObject* a, TvgObject* b) {
  auto ia = std::find(FChildren.begin(), FChildren.end(), a);
  auto ib = std::find(FChildren.begin(), FChildren.end(), b);
  if (ia == FChildren.end() || ib == FChildren.end()) return;
  std::iter_swap(ia, ib);
  std::swap(a->FIndex, b->FIndex);
  if (FIsVisual && !IsLoading()) FVisual->Realign();
}

void TvgObject::DeleteChildren() {
  IvgScene* scene = GetScene();
  while (!FChildren.empty()) {
    TvgObject* child = FChildren.back();
    FChildren.pop_back();
    if (scene) ForgetSubtree(*scene, child);
    child->FParent = nullptr;
    child->SetNewScene(nullptr);
    child->Free();
  }
  FChildren = {};
}

TvgObject* TvgObject::GetChild(int index) const {
  if (index < 0 || index >= ChildrenCount()) return nullptr;
  return FChildren[static_cast<std::size_t>(index)];
}

IvgScene* TvgObject::GetScene() {
  if (!FScene && FParent) FScene = FParent->GetScene();
  return FScene;
}

// One walk numbers every sibling, so asking each child in turn stays linear.
int TvgObject::GetIndex() {
  if (FIndex < 0 && FParent) {
    const auto& siblings = FParent->FChildren;
    for (std::size_t i = 0; i < siblings.size(); ++i) siblings[i]->FIndex = static_cast<int>(i);
    if (FIndex < 0) return static_cast<int>(siblings.size());  // not among them (painted under a stand-in parent)
  }
  return FIndex;
}

void TvgObject::ResetChildIndices() {
  for (TvgObject* child : FChildren) child->FIndex = -1;
}

void TvgObject::MoveChild(TvgObject* child, int index) {
  auto it = std::find(FChildren.begin(), FChildren.end(), child);
  FChildren.erase(it);
  FChildren.insert(FChildren.begin() + index, child);
  ResetChildIndices();
}

void TvgObject::SetIndex(int index) {
  if (!FParent) return;
  auto& siblings = FParent->FChildren;
  if (std::find(siblings.begin(), siblings.end(), this) == siblings.end()) return;
  if (index < 0 || index >= static_cast<int>(siblings.size()))
    throw rtl::EListError(rtl::Format("List index out of bounds (%d)", index));
  FParent->MoveChild(this, index);
  if (FIsVisual && FParent->FIsVisual && !IsLoading()) FParent->FVisual->Realign();
}

void TvgObject::BringToFront() {
  if (!FParent) return;
  FParent->MoveChild(this, FParent->ChildrenCount() - 1);
  if (FIsVisual) FVisual->Repaint();
}

void TvgObject::SendToBack() {
  if (!FParent) return;
  FParent->MoveChild(this, 0);
  if (FParent->FIsVisual) FParent->FVisual->Realign();
}

void TvgObject::Sort(const std::function<bool(TvgObject* a, TvgObject* b)>& less) {
  std::stable_sort(FChildren.begin(), FChildren.end(), less);
  ResetChildIndices();
}

void TvgObject::AddObjectsToList(std::vector<TvgObject*>& list) {
  list.push_back(this);
  for (TvgObject* child : FChildren) child->AddObjectsToList(list);
}

TvgVisualObject* TvgObject::HasClipParent() const {
  for (TvgObject* child : FChildren)
    if (child->FIsVisual && child->FVisual->ClipParent()) return child->FVisual;
  return nullptr;
}

// ----- resources and bindings

void TvgObject::SetResourceName(const std::string& value) {
  if (value != FResourceName) FResourceName = value;
}

void TvgObject::SetBindingName(const std::string& value) {
  if (value != FBindingName) FBindingName = value;
}

TvgObject* TvgObject::FindResource(const std::string& name) {
  if (name.empty()) return nullptr;
  for (TvgObject* child : FChildren) {
    if (rtl::SameText(child->FResourceName, name)) return child;
    if (child->HidesResources()) continue;
    if (TvgObject* found = child->FindResource(name)) return found;
  }
  return nullptr;
}

void TvgObject::UpdateResource() {
  if (IsLoading() || IsDestroying()) return;
  for (TvgObject* child : FChildren) child->UpdateResource();
}

TvgObject* TvgObject::FindBinding(const std::string& name) {
  if (rtl::SameText(FBindingName, name)) return this;
  for (TvgObject* child : FChildren) {
    if (rtl::SameText(child->FBindingName, name)) return child;
    if (TvgObject* found = child->FindBinding(name)) return found;
  }
  return nullptr;
}

rtl::Variant TvgObject::GetBinding(const std::string& name) {
  TvgObject* node = FindBinding(name);
  return node ? node->GetData() : rtl::Variant(u"");
}

void TvgObject::SetBinding(const std::string& name, const rtl::Variant& value) {
  TvgObject* node = FindBinding(name);
  if (!node) return;
  try {
    node->SetData(value);
  } catch (const std::exception&) {
    // A value the target cannot take leaves it as it was.
  }
}

rtl::Variant TvgObject::GetData() { return rtl::Variant(Name()); }

void TvgObject::SetData(const rtl::Variant&) {}

void TvgObject::SetStored(bool value) {
  if (value == FStored) return;
  FStored = value;
  for (TvgObject* child : FChildren) child->SetStored(value);
}

// ----- life

void TvgObject::AddFreeNotify(IvgFreeNotification* link) {
  if (link && std::find(FNotifyList.begin(), FNotifyList.end(), link) == FNotifyList.end())
    FNotifyList.push_back(link);
}

void TvgObject::RemoveFreeNotify(IvgFreeNotification* link) { std::erase(FNotifyList, link); }

void TvgObject::Release(float delay) {
  // A zero interval would never fire; the shortest wait is one millisecond.
  const auto ms = static_cast<std::uint32_t>(std::max<std::int64_t>(1, rtl::Round(double(delay) * 1000)));
  FReleaseTimer = vgStartOneShot(ms, [this] { Free(); });
}

// ----- streaming hooks

void TvgObject::GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) {
  inherited::GetChildren(proc, root);
  if (StreamsChildrenToParent()) return;
  for (TvgObject* child : FChildren) {
    if (child->StreamsChildrenToParent())
      for (TvgObject* lifted : child->FChildren)
        if (lifted->FStored) proc(lifted);
    if (child->FStored) proc(child);
  }
}

rtl::TComponent* TvgObject::GetParentComponent() const {
  if (FParent) return FParent->StreamingParentOfChild();
  return FScene ? FScene->GetComponent() : nullptr;
}

void TvgObject::SetParentComponent(rtl::TComponent* value) {
  inherited::SetParentComponent(value);
  if (FParent) FParent->RemoveObject(this);
  if (auto* node = dynamic_cast<TvgObject*>(value))
    node->AddObject(this);
  else if (auto* scene = dynamic_cast<IvgScene*>(value))
    scene->AddObject(this);
}

// ----- unit functions

const std::vector<TvgObjectListEntry>& ObjectList() { return Palette(); }

void RegisterVGObject(const std::string& category, rtl::TClass cls) {
  auto& list = Palette();
  list.insert(list.begin(), {category, cls});
  std::stable_sort(list.begin(), list.end(), [](const TvgObjectListEntry& a, const TvgObjectListEntry& b) {
    return rtl::AnsiCompareText(a.first, b.first) < 0;
  });
}

void RegisterVGObjects(const std::string& category, std::initializer_list<rtl::TClass> classes) {
  for (rtl::TClass cls : classes) {
    RegisterVGObject(category, cls);
    rtl::RegisterClass(cls);
  }
}

const std::vector<TvgObject*>& ResourceList() { return ResourceRegistry().list; }

int AddResource(TvgObject* node) {
  if (!vgFindResource) vgFindResource = &FindResourceNode;
  auto& registry = ResourceRegistry();
  auto [slot, added] = registry.slots.try_emplace(node, static_cast<int>(registry.list.size()));
  if (added) registry.list.push_back(node);
  return slot->second;
}

void RemoveResource(TvgObject* node) {
  auto& registry = ResourceRegistry();
  auto slot = registry.slots.find(node);
  if (slot == registry.slots.end()) return;
  registry.list[static_cast<std::size_t>(slot->second)] = nullptr;
  registry.slots.erase(slot);
}

TvgObject* FindResource(const std::string& name) {
  if (name.empty()) return nullptr;
  const auto& list = ResourceRegistry().list;
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (*it && (*it)->Stored() && rtl::SameText((*it)->ResourceName(), name)) return *it;
  return nullptr;
}

const std::vector<IvgScene*>& SceneList() { return Scenes(); }

void AddScene(IvgScene* scene) {
  if (scene && std::find(Scenes().begin(), Scenes().end(), scene) == Scenes().end()) Scenes().push_back(scene);
}

void RemoveScene(IvgScene* scene) { std::erase(Scenes(), scene); }

bool VarIsObject(const rtl::Variant& value) { return value.VarType() == rtl::varObject; }

rtl::Variant ObjectToVariant(rtl::TObject* object) { return rtl::Variant(object); }

rtl::TObject* VariantToObject(const rtl::Variant& value) {
  return VarIsObject(value) ? value.AsObject() : nullptr;
}

bool VarIsEvent(const rtl::Variant& value) { return value.VarType() == rtl::varEvent; }

rtl::Variant EventToVariant(const rtl::TNotifyEvent& event) { return rtl::Variant(event); }

rtl::TNotifyEvent VariantToEvent(const rtl::Variant& value) {
  return VarIsEvent(value) ? value.AsEvent() : rtl::TNotifyEvent();
}

}  // namespace vg
