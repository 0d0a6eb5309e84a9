#include "ui/controls/vg_itemstrings.h"

namespace vg {
namespace {

// The change is told only while the base list notifies.
class ChangeScope {
 public:
  ChangeScope(TvgItemStrings::TChange& change, TvgItemStrings::TChange value) : FChange(change) { FChange = value; }
  ~ChangeScope() { FChange = {}; }
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;

 private:
  TvgItemStrings::TChange& FChange;
};

}  // namespace

int TvgItemStrings::AddObject(const WideString& text, TObject* object) {
  ChangeScope scope(FChange, Sorted() ? TChange{} : TChange{ckAppended, Count()});
  return TvgWideStringList::AddObject(text, object);
}

void TvgItemStrings::Put(int index, const WideString& text) {
  ChangeScope scope(FChange, Sorted() ? TChange{} : TChange{ckReplaced, index});
  TvgWideStringList::Put(index, text);
}

}  // namespace vg
