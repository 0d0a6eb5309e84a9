#pragma once
// TCollection and TCollectionItem: an owned, ordered list of items of one
// class, streamed as the items' properties (gradient points, grid columns).
#include <string>
#include <vector>

#include "platform/rtl/Persistent.h"

namespace rtl {

class TCollection;

class TCollectionItem : public TPersistent {
  RTL_CLASS(TCollectionItem, TPersistent)

  // Appends the item to `collection` (when given), which then owns it.
  explicit TCollectionItem(TCollection* collection);
  // Takes the item out of its collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (or none: then the caller owns it).
  void SetCollection(TCollection* collection);
  int Index() const;
  // Moves the item within its collection; raises EListError
  // "List index out of bounds (%d)" for an index outside the list.
  void SetIndex(int index);
  // A number unique within the collection, kept for the item's life.
  int ID() const { return id_; }

 protected:
  // Tells the collection that this item (or, with allItems, every item)
  // changed.
  void Changed(bool allItems);

 private:
  TCollection* collection_ = nullptr;
  int id_ = 0;
  friend class TCollection;
};

class TCollection : public TPersistent {
  RTL_CLASS(TCollection, TPersistent)

  // `itemClass` must describe a concrete TCollectionItem taking its
  // collection; `owner` is the persistent holding the collection.
  explicit TCollection(TClass itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;

  TClass ItemClass() const { return itemClass_; }
  TPersistent* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError "List index out of bounds (%d)".
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;
  // Replaces the items by copies of `source`'s (a collection), item by
  // item through Assign.
  void Assign(const TPersistent* source) override;

  // Update batches: Update runs once when the outermost batch ends.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

 protected:
  // Called after a change of `item`, or of the whole list (nullptr).
  virtual void Update(TCollectionItem* item);
  void Changed();

 private:
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  [[noreturn]] static void IndexError(int index);

  TClass itemClass_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
  friend class TCollectionItem;
};

}  // namespace rtl
