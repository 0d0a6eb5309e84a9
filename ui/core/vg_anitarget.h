#pragma once
// What animations and effects share of run-time type information: the
// property a dotted path names, read and written by kind, and the trigger
// texts ("IsMouseOver=true;IsPressed=false") judged against a node's
// enumeration and Boolean properties.
#include <string>
#include <string_view>

#include "platform/rtl/TypeInfo.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_resourcelink.h"

namespace vg {

// The animated property: the object holding it and its published entry.
// The target forgets itself when the nearest node on the way to it (the
// node itself or the node holding the value object) is destroyed.
class TvgAnimatedProperty final : public IvgFreeNotification {
 public:
  TvgAnimatedProperty() = default;
  ~TvgAnimatedProperty() { Clear(); }
  TvgAnimatedProperty(const TvgAnimatedProperty&) = delete;
  TvgAnimatedProperty& operator=(const TvgAnimatedProperty&) = delete;

  // Follows path from root: every part before the last "." that names an
  // object property of the current object moves on to the object it holds
  // (an unknown part keeps the current object; a part holding nothing ends
  // the search with nothing). The last part names the property, matched
  // without regard to case. Misses leave the target empty.
  void Resolve(rtl::TObject* root, std::string_view path);
  void Clear();
  void FreeNotification(IvgFreeNotifier* node) override;

  rtl::TObject* Instance() const { return instance_; }
  bool IsString() const;
  bool IsInteger() const;
  bool IsFloat() const;
  // The object an object property holds, nullptr for any other kind.
  rtl::TObject* HeldObject() const;

  // A colour from a string property (colour text) or an integer property.
  bool ReadColor(TvgColor& color) const;
  // Colour text to a string property, the number to an integer property.
  void WriteColor(TvgColor color) const;
  bool ReadFloat(float& value) const;
  void WriteFloat(float value) const;

 private:
  const rtl::TPropertyInfo* Entry() const;

  void Watch(rtl::TObject* object);

  rtl::TObject* instance_ = nullptr;
  std::string name_;
  IvgFreeNotifier* watched_ = nullptr;
};

// Animations: the conditions of trigger hold for instance when the text
// names the trigger (without regard to case), at least one condition names an
// enumeration property of instance and every such condition holds (value
// names compared without regard to case). Conditions naming no enumeration
// property are skipped.
bool vgTriggerStartsAnimation(rtl::TObject* instance, std::string_view trigger,
                              std::string_view triggerName);
// Effects: the outcome of the last condition that names an enumeration
// property of instance, false when there is none. Call only when the text
// names the trigger.
bool vgTriggerEnablesEffect(rtl::TObject* instance, std::string_view trigger);
// Whether the trigger text mentions triggerName, compared in lower case.
bool vgTriggerMentions(std::string_view trigger, std::string_view triggerName);

}  // namespace vg
