#include "ui/controls/vg_memoundo.h"

#include "ui/controls/vg_memotext.h"

namespace vg {

void TEdtActionStack::FragmentInserted(int startPos, int length, bool pairedWithPriv) {
  if (length == 0) return;
  if (!FActions.empty()) {
    TEdtAction& top = FActions.back();
    if (top.ActionType == atInsert && startPos == top.StartPosition + top.Length) {
      top.Length += length;
      return;
    }
  }
  FActions.push_back({atInsert, pairedWithPriv, startPos, {}, length});
}

// Only a deletion that touches the top one joins it: a fragment from
// elsewhere would come back at the wrong place.
void TEdtActionStack::FragmentDeleted(int startIndex, const rtl::WideString& fragment) {
  if (fragment.empty()) return;
  if (!FActions.empty() && FActions.back().ActionType == atDelete) {
    TEdtAction& top = FActions.back();
    if (startIndex == top.StartPosition) {
      top.DeletedFragment += fragment;
      return;
    }
    if (top.StartPosition - startIndex == static_cast<int>(fragment.size())) {
      top.DeletedFragment.insert(0, fragment);
      top.StartPosition = startIndex;
      return;
    }
  }
  FActions.push_back({atDelete, false, startIndex, fragment, 0});
}

bool TEdtActionStack::RollBackAction() {
  if (FActions.empty()) return false;
  bool paired = false;
  do {
    const TEdtAction action = std::move(FActions.back());
    FActions.pop_back();
    FOwner.Revert(action);
    paired = action.PairedWithPriv;
  } while (paired && !FActions.empty());
  return true;
}

}  // namespace vg
