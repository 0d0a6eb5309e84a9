#include "platform/rtl/Collection.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

namespace rtl {

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  const int current = Index();
  if (current < 0 || current == index) return;
  auto& items = collection_->items_;
  if (index < 0 || index >= static_cast<int>(items.size())) TCollection::IndexError(index);
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TClass itemClass, TPersistent* owner) : itemClass_(itemClass), owner_(owner) {
  if (!itemClass || !itemClass->createItem)
    throw EInvalidOperation(Format("%s cannot be a collection item class", itemClass ? itemClass->name : "nil"));
}

TCollection::~TCollection() {
  ++updateCount_;
  Clear();
}

void TCollection::IndexError(int index) { throw EListError(Format("List index out of bounds (%d)", index)); }

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = itemClass_->createItem(this);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > Count()) IndexError(index);
  BeginUpdate();
  TCollectionItem* item = itemClass_->createItem(this);
  item->SetIndex(index);
  EndUpdate();
  return item;
}

void TCollection::Delete(int index) {
  Items(index)->Free();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) items_.back()->Free();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) return inherited::Assign(source);
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it != items_.end()) items_.erase(it);
  item->collection_ = nullptr;
  Changed();
}

}  // namespace rtl
