#pragma once
// What the toolkit's persistent value objects share: change events (the
// sender is the object that changed; listeners are not owned) and owned
// sub-objects of the class library's hierarchy, released with Free().
#include <memory>

#include "platform/rtl/Event.h"
#include "platform/rtl/Object.h"

namespace vg {

using rtl::TNotifyEvent;

inline void Fire(const TNotifyEvent& event, rtl::TObject* sender) { event(sender); }

struct FreeDeleter {
  void operator()(rtl::TObject* object) const { object->Free(); }
};
template <class T>
using TvgOwned = std::unique_ptr<T, FreeDeleter>;

}  // namespace vg
