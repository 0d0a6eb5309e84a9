#include "ui/core/vg_anitarget.h"

#include <algorithm>
#include <functional>

#include "platform/rtl/TextCompare.h"

namespace vg {

namespace {

const rtl::TPropertyInfo* FindEntry(const rtl::TObject* instance, std::string_view name) {
  return instance ? rtl::PublishedOf(instance->ClassType()).FindProperty(name) : nullptr;
}


// Calls judge with the outcome of every condition of trigger that names an
// enumeration or Boolean property of instance, in order, until judge
// returns false.
void EvaluateConditions(rtl::TObject* instance, std::string_view trigger,
                        const std::function<bool(bool)>& judge) {
  while (!trigger.empty()) {
    const std::size_t end = std::min(trigger.find(';'), trigger.size());
    const std::string_view condition = trigger.substr(0, end);
    trigger.remove_prefix(std::min(end + 1, trigger.size()));
    const std::size_t equals = condition.find('=');
    if (equals == std::string_view::npos) continue;
    const rtl::TPropertyInfo* entry = FindEntry(instance, condition.substr(0, equals));
    if (!entry || (entry->Kind() != rtl::pkEnumeration && entry->Kind() != rtl::pkBoolean)) continue;
    if (!judge(rtl::SameText(entry->GetText(instance), condition.substr(equals + 1)))) return;
  }
}

}  // namespace

void TvgAnimatedProperty::Resolve(rtl::TObject* root, std::string_view path) {
  Clear();
  rtl::TObject* instance = root;
  rtl::TObject* lastNode = nullptr;
  while (instance) {
    if (dynamic_cast<IvgFreeNotifier*>(instance)) lastNode = instance;
    const std::size_t dot = path.find('.');
    if (dot == std::string_view::npos) {
      instance_ = instance;
      name_ = path;
      Watch(lastNode);
      return;
    }
    const rtl::TPropertyInfo* hop = FindEntry(instance, path.substr(0, dot));
    if (hop && (hop->Kind() == rtl::pkObject || hop->Kind() == rtl::pkComponent ||
                hop->Kind() == rtl::pkCollection))
      instance = hop->GetObject(instance);
    path.remove_prefix(dot + 1);
  }
}

void TvgAnimatedProperty::Watch(rtl::TObject* object) {
  watched_ = dynamic_cast<IvgFreeNotifier*>(object);
  if (watched_) watched_->AddFreeNotify(this);
}

void TvgAnimatedProperty::Clear() {
  if (watched_) watched_->RemoveFreeNotify(this);
  watched_ = nullptr;
  instance_ = nullptr;
  name_.clear();
}

void TvgAnimatedProperty::FreeNotification(IvgFreeNotifier*) {
  watched_ = nullptr;
  Clear();
}

const rtl::TPropertyInfo* TvgAnimatedProperty::Entry() const { return FindEntry(instance_, name_); }

bool TvgAnimatedProperty::IsString() const {
  const rtl::TPropertyInfo* entry = Entry();
  return entry && (entry->Kind() == rtl::pkString || entry->Kind() == rtl::pkWideString);
}

bool TvgAnimatedProperty::IsInteger() const {
  const rtl::TPropertyInfo* entry = Entry();
  return entry && entry->Kind() == rtl::pkInteger;
}

bool TvgAnimatedProperty::IsFloat() const {
  const rtl::TPropertyInfo* entry = Entry();
  return entry && entry->Kind() == rtl::pkFloat;
}

rtl::TObject* TvgAnimatedProperty::HeldObject() const {
  const rtl::TPropertyInfo* entry = Entry();
  if (!entry || (entry->Kind() != rtl::pkObject && entry->Kind() != rtl::pkCollection &&
                 entry->Kind() != rtl::pkComponent))
    return nullptr;
  return entry->GetObject(instance_);
}

bool TvgAnimatedProperty::ReadColor(TvgColor& color) const {
  if (IsString()) {
    color = vgStrToColor(Entry()->GetString(instance_));
    return true;
  }
  if (IsInteger()) {
    color = TvgColor(Entry()->GetOrdinal(instance_));
    return true;
  }
  return false;
}

void TvgAnimatedProperty::WriteColor(TvgColor color) const {
  if (IsString())
    Entry()->SetString(instance_, vgColorToStr(color));
  else if (IsInteger())
    Entry()->SetOrdinal(instance_, std::int64_t(color));
}

bool TvgAnimatedProperty::ReadFloat(float& value) const {
  if (!IsFloat()) return false;
  value = float(Entry()->GetFloat(instance_));
  return true;
}

void TvgAnimatedProperty::WriteFloat(float value) const {
  if (IsFloat()) Entry()->SetFloat(instance_, value);
}

bool vgTriggerMentions(std::string_view trigger, std::string_view triggerName) {
  return rtl::LowerCase(trigger).find(rtl::LowerCase(triggerName)) != std::string::npos;
}

bool vgTriggerStartsAnimation(rtl::TObject* instance, std::string_view trigger,
                              std::string_view triggerName) {
  if (!instance || trigger.empty() || !vgTriggerMentions(trigger, triggerName)) return false;
  bool matched = false, failed = false;
  EvaluateConditions(instance, trigger, [&](bool holds) {
    matched = matched || holds;
    failed = !holds;
    return holds;
  });
  return matched && !failed;
}

bool vgTriggerEnablesEffect(rtl::TObject* instance, std::string_view trigger) {
  bool result = false;
  EvaluateConditions(instance, trigger, [&](bool holds) {
    result = holds;
    return true;
  });
  return result;
}

}  // namespace vg
