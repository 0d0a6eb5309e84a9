#pragma once
// The strings of a string list or combo box. While its change notification
// runs, the list says which single string it appended or replaced, so that
// the items built from it can follow that one change; any other change
// (insertion, deletion, sorting, a whole new text, an update block) reads
// as a new list.
#include "ui/core/vg_widestrings.h"

namespace vg {

class TvgItemStrings : public TvgWideStringList {
 public:
  enum TChangeKind { ckNew, ckAppended, ckReplaced };
  struct TChange {
    TChangeKind Kind = ckNew;
    int Index = -1;
  };
  TChange LastChange() const { return FChange; }

  int AddObject(const WideString& text, TObject* object) override;
  void Put(int index, const WideString& text) override;

 private:
  TChange FChange;
};

}  // namespace vg
