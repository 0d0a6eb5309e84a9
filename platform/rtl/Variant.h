#pragma once
// Variant: a value of one of a few kinds, kept apart by kind. Object
// references and event handlers are held as themselves, never as text.
//
// The As... readers convert where the class library does (numbers, Booleans
// and number texts among themselves; Unassigned reads as 0, "" or false);
// anything else raises EVariantError
// "Could not convert variant of type (<kind>) into type (<kind>)".
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/rtl/Event.h"
#include "platform/rtl/Types.h"

namespace rtl {

class TObject;

enum TVarType { varEmpty, varNull, varBoolean, varInteger, varDouble, varDate, varString, varObject, varEvent };

class Variant {
 public:
  Variant() = default;  // Unassigned
  static Variant Null();
  // A date/time as days since 1899-12-30 (kept apart from plain numbers).
  static Variant Date(double dateTime);

  Variant(bool value) : value_(value) {}
  template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char16_t>)
  Variant(T value) : value_(static_cast<std::int64_t>(value)) {}
  Variant(double value) : value_(value) {}
  Variant(float value) : value_(static_cast<double>(value)) {}
  Variant(WideString value) : value_(std::move(value)) {}
  Variant(const char16_t* value) : value_(WideString(value)) {}
  // UTF-8 text, held as UTF-16.
  Variant(std::string_view utf8);
  Variant(const char* utf8) : Variant(std::string_view(utf8)) {}
  Variant(const std::string& utf8) : Variant(std::string_view(utf8)) {}
  Variant(TObject* object) : value_(object) {}
  Variant(TNotifyEvent event) : value_(std::move(event)) {}

  TVarType VarType() const;
  bool IsEmpty() const { return VarType() == varEmpty; }
  bool IsNull() const { return VarType() == varNull; }
  // The kind's name as the conversion error shows it ("Empty", "Double"...).
  static const char* TypeName(TVarType type);

  bool AsBoolean() const;
  std::int64_t AsInteger() const;  // floats round half to even
  double AsFloat() const;
  double AsDate() const;
  WideString AsWideString() const;
  std::string AsString() const;  // UTF-8
  TObject* AsObject() const;     // Unassigned and Null read as nullptr
  TNotifyEvent AsEvent() const;  // Unassigned reads as an empty event

  // Same kind and same value; events compare by bound object and method
  // name, and code-made handlers never equal each other.
  bool operator==(const Variant& other) const;

 private:
  struct NullTag {};
  struct DateValue {
    double days;
  };
  [[noreturn]] void CastError(TVarType target) const;

  std::variant<std::monostate, NullTag, bool, std::int64_t, double, DateValue, WideString, TObject*, TNotifyEvent>
      value_;
};

}  // namespace rtl
