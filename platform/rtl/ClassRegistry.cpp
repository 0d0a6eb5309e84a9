#include "platform/rtl/ClassRegistry.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextCompare.h"

namespace rtl {

namespace {

struct IdentifierLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return CompareText(a, b) < 0;
  }
};

struct Registry {
  std::mutex mutex;
  std::map<std::string, TClass, IdentifierLess> classes;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterClass(TClass cls) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto [it, inserted] = registry.classes.emplace(cls->name, cls);
  if (!inserted && it->second != cls) throw EFilerError(Format("A class named %s already exists", cls->name));
}

void UnRegisterClass(TClass cls) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.classes.find(std::string_view(cls->name));
  if (it != registry.classes.end() && it->second == cls) registry.classes.erase(it);
}

TClass GetClass(std::string_view name) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.classes.find(name);
  return it == registry.classes.end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name) {
  TClass cls = GetClass(name);
  if (!cls) throw EClassNotFound(Format("Class %.*s not found", static_cast<int>(name.size()), name.data()));
  return cls;
}

}  // namespace rtl
