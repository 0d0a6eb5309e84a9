#include "platform/rtl/Variant.h"

#include <cmath>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"

namespace rtl {

namespace {
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;
}  // namespace

Variant::Variant(std::string_view utf8) : value_(Utf8ToUtf16(utf8)) {}

Variant Variant::Null() {
  Variant v;
  v.value_ = NullTag{};
  return v;
}

Variant Variant::Date(double dateTime) {
  Variant v;
  v.value_ = DateValue{dateTime};
  return v;
}

TVarType Variant::VarType() const {
  static constexpr TVarType kinds[] = {varEmpty,   varNull,   varBoolean, varInteger, varDouble,
                                       varDate,    varString, varObject,  varEvent};
  return kinds[value_.index()];
}

const char* Variant::TypeName(TVarType type) {
  static const char* const names[] = {"Empty", "Null",   "Boolean", "Integer", "Double",
                                      "Date",  "String", "Object",  "Event"};
  return names[type];
}

void Variant::CastError(TVarType target) const {
  throw EVariantError(
      Format("Could not convert variant of type (%s) into type (%s)", TypeName(VarType()), TypeName(target)));
}

bool Variant::AsBoolean() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return false; },
                        [](bool b) { return b; },
                        [](std::int64_t i) { return i != 0; },
                        [](double d) { return d != 0; },
                        [this](const WideString& s) {
                          const std::string text = Utf16ToUtf8(s);
                          if (SameText(text, "True")) return true;
                          if (SameText(text, "False")) return false;
                          if (auto number = ParseDouble(text)) return *number != 0;
                          CastError(varBoolean);
                        },
                        [this](const auto&) -> bool { CastError(varBoolean); },
                    },
                    value_);
}

double Variant::AsFloat() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return 0.0; },
                        [](bool b) { return b ? 1.0 : 0.0; },
                        [](std::int64_t i) { return static_cast<double>(i); },
                        [](double d) { return d; },
                        [](DateValue d) { return d.days; },
                        [this](const WideString& s) {
                          if (auto number = ParseDouble(Utf16ToUtf8(s))) return *number;
                          CastError(varDouble);
                        },
                        [this](const auto&) -> double { CastError(varDouble); },
                    },
                    value_);
}

std::int64_t Variant::AsInteger() const {
  if (auto* i = std::get_if<std::int64_t>(&value_)) return *i;
  if (auto* s = std::get_if<WideString>(&value_))
    if (auto number = ParseInt64(Utf16ToUtf8(*s))) return *number;
  double value;
  try {
    value = AsFloat();
  } catch (const EVariantError&) {
    CastError(varInteger);
  }
  const double rounded = std::nearbyint(value);
  if (!(rounded >= -9.2233720368547758e18 && rounded < 9.2233720368547758e18)) CastError(varInteger);
  return static_cast<std::int64_t>(rounded);
}

double Variant::AsDate() const {
  if (auto* d = std::get_if<DateValue>(&value_)) return d->days;
  try {
    return AsFloat();
  } catch (const EVariantError&) {
    CastError(varDate);
  }
}

WideString Variant::AsWideString() const {
  if (auto* s = std::get_if<WideString>(&value_)) return *s;
  return Utf8ToUtf16(AsString());
}

std::string Variant::AsString() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return std::string(); },
                        [](bool b) { return std::string(b ? "True" : "False"); },
                        [](std::int64_t i) { return std::to_string(i); },
                        [](double d) { return DoubleToExactText(d); },
                        [](DateValue d) { return DoubleToExactText(d.days); },
                        [](const WideString& s) { return Utf16ToUtf8(s); },
                        [this](const auto&) -> std::string { CastError(varString); },
                    },
                    value_);
}

TObject* Variant::AsObject() const {
  if (auto* object = std::get_if<TObject*>(&value_)) return *object;
  if (IsEmpty() || IsNull()) return nullptr;
  CastError(varObject);
}

TNotifyEvent Variant::AsEvent() const {
  if (auto* event = std::get_if<TNotifyEvent>(&value_)) return *event;
  if (IsEmpty()) return {};
  CastError(varEvent);
}

bool Variant::operator==(const Variant& other) const {
  if (value_.index() != other.value_.index()) return false;
  return std::visit(Overloaded{
                        [](std::monostate) { return true; },
                        [](NullTag) { return true; },
                        [&](DateValue d) { return d.days == std::get<DateValue>(other.value_).days; },
                        [&](const TNotifyEvent& e) {
                          const auto& o = std::get<TNotifyEvent>(other.value_);
                          if (!e && !o) return true;
                          return e.Instance() && e.Instance() == o.Instance() && e.MethodName() == o.MethodName();
                        },
                        [&](const auto& v) { return v == std::get<std::decay_t<decltype(v)>>(other.value_); },
                    },
                    value_);
}

}  // namespace rtl
