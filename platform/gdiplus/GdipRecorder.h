#pragma once
// A GdiPlus that logs every call, with its arguments and status, and passes it
// on to another implementation (usually the cairo one), so tests can check
// which calls code makes and with what, and still get real results.
//
// Arguments are written as text: numbers as %g writes them in the C locale
// (whatever the process locale), handles by kind and number in order of first
// appearance ("graphics1", "pen2", "brush3"; a handle freed by a delete call
// loses its name), points "(x,y)", rectangles "(x,y,w,h)", strings in double
// quotes, arrays in brackets. Output arguments show the value after the call.
#include <map>
#include <string>
#include <vector>

#include "platform/gdiplus/GdiPlus.h"

namespace gdip {

struct GdipCall {
  std::string name;  // "GdipSetInterpolationMode"
  std::string args;  // "graphics1, 5"
  Status status;
};

class GdipRecorder final : public GdiPlus {
 public:
  /// Calls go on to `inner`, which must outlive the recorder.
  explicit GdipRecorder(GdiPlus& inner) : inner_(inner) {}

  const std::vector<GdipCall>& Calls() const { return calls_; }
  /// The calls of one function, in order.
  std::vector<GdipCall> CallsTo(const std::string& name) const;
  /// The names of all calls, in order.
  std::vector<std::string> Names() const;
  void Clear() { calls_.clear(); }

  /// The next `times` calls of the function answer `status` without reaching
  /// the inner implementation (their outputs stay as the caller left them);
  /// they are logged as usual.
  void Fail(const std::string& name, Status status, int times = 1) { failures_[name] = {status, times}; }

#define GDIP_DECLARE_OVERRIDE(name, params, args) Status name params override;
  GDIP_FUNCTIONS(GDIP_DECLARE_OVERRIDE, GDIP_DECLARE_OVERRIDE)
#undef GDIP_DECLARE_OVERRIDE

  // Used by the argument formatting.
  std::string NameOf(const void* handle, const char* kind);
  void Forget(const void* handle) {
    names_.erase(handle);
  }
  GdiPlus& Inner() {
    return inner_;
  }

 private:
  template <class Call, class... Args>
  Status Record(const char* name, Call call, Args... args);
  /// Runs the call unless a failure is due for it.
  template <class Call>
  Status Pass(const char* name, Call call);

  GdiPlus& inner_;
  std::vector<GdipCall> calls_;
  std::map<const void*, std::string> names_;
  std::map<std::string, int> counters_;
  std::map<std::string, std::pair<Status, int>> failures_;
};

}  // namespace gdip
