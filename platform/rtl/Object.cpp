#include "platform/rtl/Object.h"

namespace rtl {

namespace {
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
}  // namespace

bool IsValidIdent(std::string_view name) {
  if (name.empty() || !IsIdentStart(name[0])) return false;
  for (char c : name)
    if (!IsIdentChar(c)) return false;
  return true;
}

bool TClassInfo::InheritsFrom(TClass ancestor) const {
  for (TClass c = this; c; c = c->parent)
    if (c == ancestor) return true;
  return false;
}

TClass TObject::StaticClass() {
  static const TClassInfo info{"TObject", nullptr, nullptr, nullptr, &PublishedTableOf<TObject>};
  return &info;
}

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

}  // namespace rtl
