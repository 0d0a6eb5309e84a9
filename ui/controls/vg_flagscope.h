#pragma once
// A flag set for the lifetime of a scope, also when the scope is left by an
// exception: the guard of a piece of code that must not re-enter itself.
namespace vg {

class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

}  // namespace vg
