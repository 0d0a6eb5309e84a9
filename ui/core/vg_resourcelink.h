#pragma once
// What the value objects (path data, brushes, bitmaps) need of the nodes
// they link to without owning them: a free-notification list, so the node
// clears every link when it is destroyed, and for named style resources the
// resource name and the value the node holds. The node tree's classes
// implement IvgFreeNotifier (every node) and IvgResourceNode (TvgPathObject,
// TvgBrushObject, TvgBitmapObject), and install vgFindResource.
#include <string>

namespace vg {

class TvgPathData;
class TvgBrush;
class TvgBitmap;
class IvgFreeNotifier;

class IvgFreeNotification {
 public:
  // The node is being destroyed; drop every pointer to it.
  virtual void FreeNotification(IvgFreeNotifier* node) = 0;

 protected:
  ~IvgFreeNotification() = default;
};

class IvgFreeNotifier {
 public:
  virtual void AddFreeNotify(IvgFreeNotification* link) = 0;
  virtual void RemoveFreeNotify(IvgFreeNotification* link) = 0;

 protected:
  ~IvgFreeNotifier() = default;
};

class IvgResourceNode : public IvgFreeNotifier {
 public:
  virtual std::string GetResourceName() const = 0;
  // The value a node of each resource class holds; nullptr for other classes.
  virtual TvgPathData* ResourcePath() { return nullptr; }
  virtual TvgBrush* ResourceBrush() { return nullptr; }
  virtual TvgBitmap* ResourceBitmap() { return nullptr; }

 protected:
  ~IvgResourceNode() = default;
};

// The global resource lookup by name (the style books of the running scenes);
// nullptr when nothing is installed or nothing is found.
using TvgFindResourceFunc = IvgResourceNode* (*)(const std::string& name);
extern TvgFindResourceFunc vgFindResource;
IvgResourceNode* vgFindResourceNode(const std::string& name);

// A weak link to a resource node and its name, shared by the value objects.
class TvgResourceLink final : public IvgFreeNotification {
 public:
  TvgResourceLink() = default;
  TvgResourceLink(const TvgResourceLink&) = delete;
  TvgResourceLink& operator=(const TvgResourceLink&) = delete;
  ~TvgResourceLink() { Unlink(); }

  IvgResourceNode* Node() const { return node_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Links node (or none) and takes over its name; none keeps the name.
  void Link(IvgResourceNode* node);
  // The linked node, or the node found by name (when accept says it fits),
  // which then becomes linked.
  template <class Accept>
  IvgResourceNode* Resolve(Accept accept) {
    if (!node_ && !name_.empty())
      if (IvgResourceNode* found = vgFindResourceNode(name_); found && accept(found)) Link(found);
    return node_;
  }

 private:
  void Unlink();
  void FreeNotification(IvgFreeNotifier* node) override;

  IvgResourceNode* node_ = nullptr;
  std::string name_;
};

}  // namespace vg
