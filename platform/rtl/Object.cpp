#include "platform/rtl/Object.h"

namespace rtl {

namespace {
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
}  // namespace

bool SameIdentifier(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

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
