#pragma once
// TvgObject, the base of every node of a scene: a component of the class
// library with a second, independent tree (ordered children, a parent and
// the host scene), style-resource and binding lookups, free notification of
// the value objects that link to it, delayed release, and the streaming of
// node trees (binary "TPF0" and text forms, clones).
//
// Ownership in the component sense (who frees a node when its owner goes)
// and parenthood are separate: a node frees its children when it is
// destroyed, whoever owns them. Raw pointers throughout, as in the class
// library; a node is freed with Free().
//
// Also here: the unit registries (palette ObjectList, ResourceList of every
// node, SceneList of live scenes), the binding variant helpers, the stream
// factories, and IvgScene, what a node needs of the scene that hosts it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/Component.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"
#include "ui/core/vg_easing.h"
#include "ui/core/vg_resourcelink.h"
#include "ui/core/vg_types.h"

namespace vg {

class TvgBitmap;
class TvgCanvas;
class TvgControl;
class TvgObject;
class TvgResources;
class TvgVisualObject;

// The scene hosting a tree of nodes, as the nodes see it. The scene keeps
// the root nodes, the dirty rectangles and the focused, captured and hovered
// nodes; it outlives every node attached to it.
class IvgScene {
 public:
  // The component that streams the scene's root nodes as its children.
  virtual rtl::TComponent* GetComponent() = 0;
  // The scene's list of root nodes.
  virtual void AddObject(TvgObject* node) = 0;
  virtual void RemoveObject(TvgObject* node) = 0;
  // A node is being destroyed (opRemove): the scene forgets it as focused,
  // captured, hovered, selected or active node.
  virtual void Notification(TvgObject* node, rtl::TOperation operation) = 0;
  // Queues a rectangle in scene coordinates for repainting.
  virtual void AddUpdateRect(const TvgRect& rect) = 0;
  virtual bool GetDisableUpdate() = 0;
  virtual bool GetDesignTime() = 0;
  // The scene's root node (its background), or nullptr.
  virtual TvgObject* GetRoot() = 0;
  virtual TvgVisualObject* GetFocused() = 0;
  virtual void SetFocused(TvgVisualObject* node) = 0;
  // Re-applies the styles of the scene's controls.
  virtual void UpdateResource() = 0;
  // What painting uses (vg_paint.cpp): the scene's canvas, its update
  // switch (off while a subtree is painted elsewhere) and the dirty
  // rectangles of the draw pass under way.
  virtual TvgCanvas* GetCanvas() { return nullptr; }
  virtual void SetDisableUpdate(bool /*value*/) {}
  virtual int GetUpdateRectsCount() { return 0; }
  virtual TvgRect GetUpdateRect(int /*index*/) { return {}; }
  // What input, focus and styles read (vg_input.cpp, vg_control.cpp).
  virtual TvgVisualObject* GetCaptured() { return nullptr; }
  virtual void SetCaptured(TvgVisualObject* /*node*/) {}
  virtual void SetDesignRoot(TvgVisualObject* /*node*/) {}
  // The last mouse position, scene coordinates.
  virtual TvgPoint GetMousePos() { return {0, 0}; }
  // Scene (client) coordinates to screen coordinates.
  virtual TvgPoint LocalToScreen(TvgPoint p) { return p; }
  virtual bool GetAnimatedCaret() { return false; }
  // The scene's style book, or nullptr.
  virtual TvgResources* GetStyle() { return nullptr; }
  virtual bool GetTransparency() { return false; }
  // The control focused when the scene's form has loaded, or nullptr.
  virtual TvgVisualObject* GetActiveControl() { return nullptr; }
  // Starts a drag of `source` inside the program; `image` (owned by the
  // caller) may be shown by the platform.
  virtual void BeginVCLDrag(TvgObject* /*source*/, TvgBitmap* /*image*/) {}

 protected:
  ~IvgScene() = default;
};

// A one-shot timer for Release: `fire` runs once on the UI thread after
// about `milliseconds`, unless the handle is destroyed first.
class IvgOneShot {
 public:
  virtual ~IvgOneShot() = default;
};
using TvgOneShotFactory =
    std::function<std::unique_ptr<IvgOneShot>(std::uint32_t milliseconds, std::function<void()> fire)>;
// Installs the one-shot timers and returns the factory installed before.
// The windowing layer installs the real ones (vgUseGuiTimers); until then,
// or after an empty factory, no loop runs and a one-shot never fires.
// Tests install manual ones.
TvgOneShotFactory vgSetOneShotFactory(TvgOneShotFactory factory);
// Starts a one-shot timer through the installed factory; destroying the
// handle cancels it.
std::unique_ptr<IvgOneShot> vgStartOneShot(std::uint32_t milliseconds, std::function<void()> fire);

// A subtree leaves `scene`: the focus inside it is killed and the scene
// forgets every node of it (hovered, captured, drag source, drop target,
// active control), so that freeing the nodes later leaves nothing stale.
void vgLeaveScene(IvgScene& scene, TvgObject* top);

class TvgObject : public rtl::TComponent, public IvgResourceNode {
  RTL_CLASS(TvgObject, rtl::TComponent)

  explicit TvgObject(rtl::TComponent* owner);
  ~TvgObject() override;

  // --- the node tree
  TvgObject* Parent() const { return FParent; }
  // This node is `node` or lies below it.
  bool IsAncestorOrSelf(const TvgObject* node) const;
  // Leaves the current parent (or the scene's root list) and joins `value`
  // as its last child; nullptr detaches. Nothing when `value` is the parent.
  virtual void SetParent(TvgObject* value);
  // Stores the scene and hands it to every child, first to last.
  virtual void SetNewScene(IvgScene* scene);
  // Appends `child` (taking it from its parent first); a child already in
  // the list stays where it is; this node and its ancestors are refused.
  virtual void AddObject(TvgObject* child);
  // Detaches `child`; nothing when it is not a child of this node.
  virtual void RemoveObject(TvgObject* child);
  // Swaps two children of this node; nothing unless both are children.
  virtual void Exchange(TvgObject* a, TvgObject* b);
  // Destroys every child, last first.
  virtual void DeleteChildren();
  // The child at `index`, nullptr outside 0..ChildrenCount-1.
  TvgObject* GetChild(int index) const;
  int ChildrenCount() const { return static_cast<int>(FChildren.size()); }
  const std::vector<TvgObject*>& Children() const { return FChildren; }
  // The scene; a node without one copies its parent's first.
  IvgScene* GetScene();
  // Position among the parent's children (cached), -1 without parent.
  int GetIndex();
  // Moves the node to `index` among its siblings; nothing without a parent.
  // Raises EListError "List index out of bounds (%d)" outside the list,
  // changing nothing.
  void SetIndex(int index);
  void BringToFront();
  void SendToBack();
  // Orders the children by `less`.
  void Sort(const std::function<bool(TvgObject* a, TvgObject* b)>& less);
  // This node, then every descendant depth first.
  void AddObjectsToList(std::vector<TvgObject*>& list);
  // The same walk, keeping only the controls.
  void AddControlsToList(std::vector<TvgControl*>& list);
  // The first visual child that cuts itself out of this node's painting.
  TvgVisualObject* HasClipParent() const;
  bool IsVisual() const { return FIsVisual; }
  TvgVisualObject* Visual() const { return FVisual; }

  // --- resources and bindings
  const std::string& ResourceName() const { return FResourceName; }
  void SetResourceName(const std::string& value);
  const std::string& BindingName() const { return FBindingName; }
  void SetBindingName(const std::string& value);
  // The style part called `name` (case-insensitive) among the descendants;
  // nested controls are not searched.
  virtual TvgObject* FindResource(const std::string& name);
  // Re-applies styles below this node (not while loading or destroying).
  virtual void UpdateResource();
  // This node or the first descendant whose BindingName is `name`.
  TvgObject* FindBinding(const std::string& name);
  // The bound node's data; an empty string when none matches.
  rtl::Variant GetBinding(const std::string& name);
  // Hands `value` to the bound node; its errors are swallowed.
  void SetBinding(const std::string& name, const rtl::Variant& value);
  // The node's value for bindings: its Name here; controls override.
  virtual rtl::Variant GetData();
  virtual void SetData(const rtl::Variant& value);
  // The class of the items a container creates in design mode.
  virtual std::string ItemClass() const { return {}; }
  // True for a bitmap effect that is switched on; its parent then draws
  // through the effect cache.
  virtual bool IsEnabledEffect() const { return false; }

  // --- flags and tags
  bool Stored() const { return FStored; }
  // Sets the flag on the whole subtree.
  void SetStored(bool value);
  rtl::TObject* TagObject = nullptr;
  float TagFloat = 0;
  std::string TagString;

  // --- life
  // The value objects told when this node is destroyed (last added first).
  void AddFreeNotify(IvgFreeNotification* link) override;
  void RemoveFreeNotify(IvgFreeNotification* link) override;
  // Destroys the node after `delay` seconds, from a timer tick. A node
  // freed earlier cancels its timer.
  void Release(float delay = 0.1f);

  // --- trigger fan-out to child animations and effects (vg_nodeani.cpp)
  virtual void StartAnimation(const rtl::WideString& name);
  virtual void StopAnimation(const rtl::WideString& name);
  virtual void StartTriggerAnimation(TvgObject* instance, const std::string& trigger);
  virtual void StartTriggerAnimationWait(TvgObject* instance, const std::string& trigger);
  virtual void StopTriggerAnimation(TvgObject* instance);
  virtual void ApplyTriggerEffect(TvgObject* instance, const std::string& trigger);
  // One-call animations of a property path from its current value to
  // newValue; the temporary animation is freed when it has finished.
  void AnimateFloat(const std::string& propertyName, float newValue, float duration = 0.2f,
                    TvgAnimationType type = vgAnimationIn,
                    TvgInterpolationType interpolation = vgInterpolationLinear);
  void AnimateColor(const std::string& propertyName, const std::string& newValue, float duration = 0.2f,
                    TvgAnimationType type = vgAnimationIn,
                    TvgInterpolationType interpolation = vgInterpolationLinear);
  void AnimateFloatDelay(const std::string& propertyName, float newValue, float duration = 0.2f,
                         float delay = 0, TvgAnimationType type = vgAnimationIn,
                         TvgInterpolationType interpolation = vgInterpolationLinear);
  // Returns once the animation has ended (or the animation clock is gone).
  void AnimateFloatWait(const std::string& propertyName, float newValue, float duration = 0.2f,
                        TvgAnimationType type = vgAnimationIn,
                        TvgInterpolationType interpolation = vgInterpolationLinear);

  // --- streaming (binary "TPF0" and text forms)
  void SaveToBinStream(rtl::TStream& stream);
  void SaveToStream(rtl::TStream& stream);
  // Read into this node as root; unknown properties and values of the
  // wrong kind are skipped.
  void LoadFromBinStream(rtl::TStream& stream);
  void LoadFromStream(rtl::TStream& stream);
  // As SaveToBinStream with the node's name left out.
  void IntSaveToBinStream(rtl::TStream& stream);
  // As LoadFromBinStream, clearing the name of every component read, with
  // the node in the designing state while it reads.
  void IntLoadFromBinStream(rtl::TStream& stream);
  // A copy of this node and its stored subtree, owned by `owner`: empty
  // name, no parent, no scene.
  TvgObject* Clone(rtl::TComponent* owner);
  // Replaces the children by those of the tree in a text stream, locked and
  // not stored; a visual node then adapts them from the stream's size.
  void CloneChildFromStream(rtl::TStream& stream);

  // --- streaming hooks of the class library
  void GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) override;
  rtl::TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }
  void SetParentComponent(rtl::TComponent* value) override;

  std::string GetResourceName() const override { return FResourceName; }

 protected:
  // Called by AddObject once the parent changed.
  virtual void ChangeParent() {}
  // Whether this node's children stream as children of its parent (style
  // content nodes say yes).
  virtual bool StreamsChildrenToParent() const { return false; }
  // The component a child of this node names as its streaming parent.
  virtual rtl::TComponent* StreamingParentOfChild() { return this; }
  // Whether FindResource stops at this node (controls keep their style
  // parts to themselves).
  virtual bool HidesResources() const { return false; }
  void BeforeDestruction() override;
  // Leaves the tree, tells the scene and every linked value object, and
  // destroys the children. Runs once: from BeforeDestruction when freed
  // with Free, else from the destructor of the most derived node class
  // that has one.
  void TearDown();
  bool IsLoading() const { return ComponentState().Contains(rtl::csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(rtl::csDestroying); }

  IvgScene* FScene = nullptr;

 private:
  static void Publish(rtl::TPublisher<TvgObject>& p);
  void LeaveParentOrScene();
  void ResetChildIndices();
  // Moves a child within the list and forgets the cached indices.
  void MoveChild(TvgObject* child, int index);
  void ReadFromBinStream(rtl::TStream& stream, bool clearNames);

  bool FStored = true;
  std::string FResourceName;
  std::vector<IvgFreeNotification*> FNotifyList;
  std::string FBindingName;
  int FIndex = -1;
  bool FIsVisual = false;
  TvgVisualObject* FVisual = nullptr;
  std::vector<TvgObject*> FChildren;
  TvgObject* FParent = nullptr;
  std::unique_ptr<IvgOneShot> FReleaseTimer;
  bool FTornDown = false;

  friend class TvgVisualObject;
};

// --- unit registries

using TvgObjectListEntry = std::pair<std::string, rtl::TClass>;
// The palette: node classes by category, sorted by category.
const std::vector<TvgObjectListEntry>& ObjectList();
void RegisterVGObject(const std::string& category, rtl::TClass cls);
// Registers every class in the palette and for streaming.
void RegisterVGObjects(const std::string& category, std::initializer_list<rtl::TClass> classes);

// Every node ever created, oldest first; a destroyed node's slot reads
// nullptr and positions never shift.
const std::vector<TvgObject*>& ResourceList();
int AddResource(TvgObject* node);
void RemoveResource(TvgObject* node);
// The newest stored node named `name` (case-insensitive); clones of styles,
// which are not stored, are never found. Installed as vgFindResource.
TvgObject* FindResource(const std::string& name);

const std::vector<IvgScene*>& SceneList();
void AddScene(IvgScene* scene);
void RemoveScene(IvgScene* scene);

// --- binding values: object and event references travel as typed variant
// alternatives, never as text.
bool VarIsObject(const rtl::Variant& value);
rtl::Variant ObjectToVariant(rtl::TObject* object);
// The object a variant carries; nullptr for any other value.
rtl::TObject* VariantToObject(const rtl::Variant& value);
bool VarIsEvent(const rtl::Variant& value);
rtl::Variant EventToVariant(const rtl::TNotifyEvent& event);
// The handler a variant carries; an empty one for any other value.
rtl::TNotifyEvent VariantToEvent(const rtl::Variant& value);

// --- stream factories: never raise; nullptr on any error (unknown class,
// malformed data).
// A new node of the text stream's root class, owned by `owner`.
TvgObject* CreateObjectFromStream(rtl::TComponent* owner, rtl::TStream& stream);
// The same for a binary stream at its current position.
TvgObject* CreateObjectFromBinStream(rtl::TComponent* owner, rtl::TStream& stream);
// Reads a text stream into `node`; returns it, or nullptr on error.
TvgObject* LoadObjectFromStream(TvgObject* node, rtl::TStream& stream);

}  // namespace vg
