#pragma once
// The memo's undo records. Typing or deleting in one place grows one record
// instead of piling up new ones; a record can be tied to the one below it,
// so that one undo step reverts a replace (the insertion and the deletion
// before it).
#include <vector>

#include "platform/rtl/Types.h"

namespace vg {

class TvgMemoText;

enum TActionType { atDelete, atInsert };

struct TEdtAction {
  TActionType ActionType = atInsert;
  // Undoing this record also undoes the one below it.
  bool PairedWithPriv = false;
  // atDelete: 1-based index of the first removed character; atInsert: the
  // text position (characters before) of the insertion.
  int StartPosition = 0;
  rtl::WideString DeletedFragment;  // atDelete
  int Length = 0;                   // atInsert
};

class TEdtActionStack {
 public:
  explicit TEdtActionStack(TvgMemoText& owner) : FOwner(owner) {}

  // Length characters were inserted at the text position: grows the top
  // insertion when they follow it directly.
  void FragmentInserted(int startPos, int length, bool pairedWithPriv);
  // The fragment was removed from the 1-based index: joins the top deletion
  // when it lay right before it (deleting backwards) or at the same place
  // (deleting forwards).
  void FragmentDeleted(int startIndex, const rtl::WideString& fragment);
  // Reverts the top record, and the ones below it while they are tied to
  // the one above: removed text comes back selected (unless it is a single
  // line break), inserted text goes. False when there is nothing to undo.
  bool RollBackAction();

  bool Empty() const { return FActions.empty(); }
  int Count() const { return static_cast<int>(FActions.size()); }
  const TEdtAction& Top() const { return FActions.back(); }
  void Clear() { FActions.clear(); }

 private:
  TvgMemoText& FOwner;
  std::vector<TEdtAction> FActions;
};

}  // namespace vg
