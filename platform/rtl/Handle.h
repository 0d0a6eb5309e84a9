#pragma once
// Owned C handles: THandle<T, Release> is a unique_ptr that frees its T* with
// the C library's own release function (cairo_destroy, g_object_unref,
// FcPatternDestroy...). Each platform module names the aliases it uses
// beside the library it wraps.
#include <memory>

namespace rtl {

template <auto Release>
struct THandleRelease {
  template <class T>
  void operator()(T* handle) const {
    Release(handle);
  }
};

template <class T, auto Release>
using THandle = std::unique_ptr<T, THandleRelease<Release>>;

// A base that makes its class non-copyable: for owners of handles that a copy
// would free twice.
class TNonCopyable {
 public:
  TNonCopyable(const TNonCopyable&) = delete;
  TNonCopyable& operator=(const TNonCopyable&) = delete;

 protected:
  TNonCopyable() = default;
  ~TNonCopyable() = default;
};

}  // namespace rtl
