#pragma once
// The streaming class registry: the classes a stream may create, found by
// name without regard to case. Registration is explicit, from start-up code
// (RegisterTimerClasses() and the like), never from static initialisers.
#include <string_view>

#include "platform/rtl/Object.h"

namespace rtl {

// Registering a class again is harmless; another class of the same name
// raises EFilerError "A class named %s already exists".
void RegisterClass(TClass cls);
template <class... T>
void RegisterClasses() {
  (RegisterClass(T::StaticClass()), ...);
}
void UnRegisterClass(TClass cls);
// The registered class of that name, or nullptr.
TClass GetClass(std::string_view name);
// The registered class of that name; raises EClassNotFound
// "Class %s not found".
TClass FindClass(std::string_view name);

}  // namespace rtl
