#pragma once
// Published members of the classes of the hierarchy: the reflection tables
// that component streaming, property paths ("Fill.Color"), trigger texts and
// the property inspector share.
//
// A class publishes its members in a static Publish function that RTL_CLASS
// finds by itself; the table is built on first use, never per instance:
//
//   class TvgButton : public TvgControl {
//     RTL_CLASS(TvgButton, TvgControl)
//     ...
//     static void Publish(rtl::TPublisher<TvgButton>& p) {
//       p.Property("Text", &TvgButton::GetText, &TvgButton::SetText);
//       p.Property("Width", &TvgButton::GetWidth, &TvgButton::SetWidth).Default(80.0f);
//       p.Property("Fill", &TvgButton::GetFill);            // nested persistent
//       p.Property("OnClick", &TvgButton::OnClick);         // event field
//       p.Property("IsMouseOver", &TvgButton::IsMouseOver).RunTimeOnly();
//       p.Method("DoClick", &TvgButton::DoClick);           // handler bindable by name
//     }
//
// A form publishes its component fields the same way,
// p.Field("btnUpdate", &TfrmInterface::btnUpdate), and they follow the
// owned components of those names.
//   };
//
// The kind of a property follows from its value type: bool (Boolean),
// integral (integer), an enumeration named with RTL_ENUM (enumeration),
// TSet<E> (set), float/double (float), std::string (string, UTF-8),
// WideString (wide string), TEvent<...> (event), and pointers to classes of
// the hierarchy: a TCollection (collection), a TComponent (component
// reference) or another TPersistent (nested object). A getter is a field or
// a member function returning the value; the setter a member function taking
// it. A field without a setter is read-write; a getter function without one
// is read-only. Properties are listed base class first, in declaration
// order; a class that declares a property of its parent again (to change its
// default, say) replaces it in place.
//
// Defaults: the writer stores a value only when the stored rule holds and
// the value differs from the default. Without a declared default, integer,
// enumeration, Boolean and set values are always stored; floats are stored
// when not 0, texts when not empty, references and events when assigned.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/rtl/Event.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"

namespace rtl {

class TPersistent;
class TComponent;
class TCollection;

// ---------------------------------------------------------------------------
// Enumerations: one value/name table per enumeration type, used both ways.

class TEnumInfo {
 public:
  // `names` is the comma-separated list of value names, values 0, 1, 2...
  TEnumInfo(const char* typeName, std::string_view names);
  const std::string& TypeName() const { return typeName_; }
  int Count() const { return static_cast<int>(names_.size()); }
  // The name of `value`, "" outside 0..Count-1.
  const std::string& Name(int value) const;
  // The value named `name` (case-insensitive), nullopt when there is none.
  std::optional<int> Value(std::string_view name) const;

 private:
  std::string typeName_;
  std::vector<std::string> names_;
};

// Names the values of an enumeration declared before (in the enumeration's
// namespace, at namespace scope): RTL_ENUM_NAMES(TAlign, alNone, alTop,
// alBottom). The values must be 0, 1, 2... in the order named.
#define RTL_ENUM_NAMES(Type, ...)                                   \
  inline const ::rtl::TEnumInfo& RtlEnumInfo(Type) {                \
    static const ::rtl::TEnumInfo info(#Type, #__VA_ARGS__);        \
    return info;                                                    \
  }
// Declares an enumeration and names its values in one go:
// RTL_ENUM(TAlign, alNone, alTop, alBottom).
#define RTL_ENUM(Type, ...) \
  enum Type { __VA_ARGS__ }; \
  RTL_ENUM_NAMES(Type, __VA_ARGS__)

template <class E>
concept NamedEnum = std::is_enum_v<E> && requires(E e) {
  { RtlEnumInfo(e) } -> std::same_as<const TEnumInfo&>;
};

template <NamedEnum E>
const TEnumInfo& EnumInfoOf() {
  return RtlEnumInfo(E{});
}
template <NamedEnum E>
const std::string& EnumName(E value) {
  return EnumInfoOf<E>().Name(static_cast<int>(value));
}
template <NamedEnum E>
std::optional<E> EnumValue(std::string_view name) {
  auto value = EnumInfoOf<E>().Value(name);
  return value ? std::optional<E>(static_cast<E>(*value)) : std::nullopt;
}

// ---------------------------------------------------------------------------
// Published methods: handlers an event can be bound to by name.

class TMethodInfo {
 public:
  explicit TMethodInfo(std::string name) : name_(std::move(name)) {}
  virtual ~TMethodInfo() = default;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

// A published method taking Args...; only an event of the same argument
// list accepts it.
template <class... Args>
class TMethodSignature : public TMethodInfo {
 public:
  using TMethodInfo::TMethodInfo;
  // A handler that calls the method on `instance`, an object of the class
  // that published it (or nullptr when `instance` is of another class).
  virtual std::function<void(Args...)> Bind(TObject* instance) const = 0;
};

// ---------------------------------------------------------------------------
// Published fields: component pointers of a form (or any owner) that are set
// to the owned component of the same name while that component is owned and
// named so, and cleared when it leaves.

class TFieldInfo {
 public:
  TFieldInfo(std::string name, TClass classOf) : name_(std::move(name)), classOf_(classOf) {}
  virtual ~TFieldInfo() = default;
  const std::string& Name() const { return name_; }
  TClass ClassOf() const { return classOf_; }
  // Sets the field of `owner` to `value` (nullptr clears) when `value` is of
  // the field's class; false when it is not.
  virtual bool Set(TObject* owner, TComponent* value) const = 0;
  virtual TComponent* Get(const TObject* owner) const = 0;

 private:
  std::string name_;
  TClass classOf_;
};

// ---------------------------------------------------------------------------
// Published properties.

enum TPropKind {
  pkInteger,
  pkEnumeration,
  pkBoolean,
  pkSet,
  pkFloat,
  pkString,
  pkWideString,
  pkObject,
  pkComponent,
  pkEvent,
  pkCollection,
};
enum TFloatType { ftSingle, ftDouble };

// One published property of a class. Typed access goes through the member
// for the property's kind; the others raise EPropertyError
// "Invalid property type: <name>".
class TPropertyInfo {
 public:
  virtual ~TPropertyInfo() = default;

  const std::string& Name() const { return name_; }
  TPropKind Kind() const { return kind_; }
  bool IsReadOnly() const { return readOnly_; }
  // In the table for paths and triggers, never streamed.
  bool IsRunTimeOnly() const { return runTimeOnly_; }
  // The value names of an enumeration or of a set's elements.
  const TEnumInfo* EnumType() const { return enumType_; }
  // The declared class of an object, component or collection property.
  TClass ClassOf() const { return classOf_; }
  TFloatType FloatType() const { return floatType_; }

  // True when the writer stores the value: not run-time only, the stored
  // rule holds, and the value differs from the default.
  bool IsStored(const TObject* instance) const;
  virtual bool IsDefaultValue(const TObject* instance) const = 0;

  // Integer, enumeration, Boolean (0/1) and set (bit i = element i).
  // Values an enumeration or set cannot hold raise EPropertyError
  // "Invalid property value".
  virtual std::int64_t GetOrdinal(const TObject* instance) const;
  virtual void SetOrdinal(TObject* instance, std::int64_t value) const;
  virtual double GetFloat(const TObject* instance) const;
  virtual void SetFloat(TObject* instance, double value) const;
  // String and wide string properties, converted between UTF-8 and UTF-16.
  virtual std::string GetString(const TObject* instance) const;
  virtual void SetString(TObject* instance, std::string_view value) const;
  virtual WideString GetWideString(const TObject* instance) const;
  virtual void SetWideString(TObject* instance, const WideString& value) const;
  // Object, component and collection properties. Setting a component
  // reference checks the class; setting an object property calls its setter
  // or else assigns into the held object.
  virtual TObject* GetObject(const TObject* instance) const;
  virtual void SetObject(TObject* instance, TObject* value) const;
  // Event properties: the bound object and method name ("" when empty or
  // code-made). SetMethod binds `method` of `target`; nullptr clears. A
  // method whose arguments differ from the event's raises EPropertyError
  // "Method <name> does not match event <property>".
  virtual TObject* GetMethodInstance(const TObject* instance) const;
  virtual std::string GetMethodName(const TObject* instance) const;
  virtual void SetMethod(TObject* instance, TObject* target, const TMethodInfo* method) const;

  // The value as text: numbers with ".", enumeration names, "True"/"False",
  // sets as "[a,b]", component names, method names. Object, collection and
  // event properties raise EPropertyError for SetText; bad text raises
  // EConvertError "'<text>' is not a valid ... value".
  std::string GetText(const TObject* instance) const;
  void SetText(TObject* instance, std::string_view text) const;
  // The value as a Variant: integer (also enumeration and set), Boolean,
  // float, string, object; a TNotifyEvent property as an event.
  virtual Variant GetValue(const TObject* instance) const;
  virtual void SetValue(TObject* instance, const Variant& value) const;

 protected:
  TPropertyInfo(std::string name, TPropKind kind) : name_(std::move(name)), kind_(kind) {}
  [[noreturn]] void WrongKind() const;
  [[noreturn]] void InvalidValue() const;
  virtual bool StoredRule(const TObject* instance) const = 0;

  std::string name_;
  TPropKind kind_;
  bool readOnly_ = false;
  bool runTimeOnly_ = false;
  const TEnumInfo* enumType_ = nullptr;
  TClass classOf_ = nullptr;
  TFloatType floatType_ = ftDouble;
};

// The published members of one class, its ancestors' included.
class TPublishedTable {
 public:
  explicit TPublishedTable(const TPublishedTable* parent);
  TPublishedTable(TPublishedTable&&) = default;

  // Base class first, in declaration order.
  const std::vector<const TPropertyInfo*>& Properties() const { return properties_; }
  // Case-insensitive; nullptr when there is none.
  const TPropertyInfo* FindProperty(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  const TFieldInfo* FindField(std::string_view name) const;

  void AddProperty(std::unique_ptr<TPropertyInfo> property);
  void AddMethod(std::unique_ptr<TMethodInfo> method);
  void AddField(std::unique_ptr<TFieldInfo> field);

 private:
  std::vector<std::unique_ptr<TPropertyInfo>> ownProperties_;
  std::vector<std::unique_ptr<TMethodInfo>> ownMethods_;
  std::vector<std::unique_ptr<TFieldInfo>> ownFields_;
  std::vector<const TPropertyInfo*> properties_;
  std::vector<const TMethodInfo*> methods_;
  std::vector<const TFieldInfo*> fields_;
};

inline const TPublishedTable& PublishedOf(TClass cls) { return cls->published(); }

// A property reached by a path: the object holding it and its entry.
struct TPropertyPath {
  TObject* instance = nullptr;
  const TPropertyInfo* info = nullptr;
  explicit operator bool() const { return info != nullptr; }
};

// Resolves "Opacity", "Fill.Color", "Parent.Opacity": every hop but the last
// must be an object, component or collection property holding an object.
// Names compare without regard to case. An empty result when a hop is
// unknown or empty.
TPropertyPath FindPropertyPath(TObject* instance, std::string_view path);
// As FindPropertyPath, raising EPropertyError "Property <path> does not
// exist" instead of an empty result.
TPropertyPath GetPropertyPath(TObject* instance, std::string_view path);
std::string GetPropText(TObject* instance, std::string_view path);
void SetPropText(TObject* instance, std::string_view path, std::string_view text);
Variant GetPropValue(TObject* instance, std::string_view path);
void SetPropValue(TObject* instance, std::string_view path, const Variant& value);

// Binds the event property `event` of `instance` to the published method
// `methodName` of `root`'s class. Raises EMethodNotFound
// "Method <name> not found in <class>" or the signature mismatch.
void BindEventByName(TObject* instance, const TPropertyInfo& event, TObject* root, std::string_view methodName);

// ---------------------------------------------------------------------------
// Building the tables (templates behind TPublisher).

namespace detail {

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
  using Element = E;
};
template <class T>
struct IsEvent : std::false_type {};
template <class... A>
struct IsEvent<TEvent<A...>> : std::true_type {};

template <class T>
constexpr TPropKind KindOf() {
  if constexpr (std::is_same_v<T, bool>)
    return pkBoolean;
  else if constexpr (NamedEnum<T>)
    return pkEnumeration;
  else if constexpr (std::is_integral_v<T>)
    return pkInteger;
  else if constexpr (IsSet<T>::value)
    return pkSet;
  else if constexpr (std::is_floating_point_v<T>)
    return pkFloat;
  else if constexpr (std::is_same_v<T, std::string>)
    return pkString;
  else if constexpr (std::is_same_v<T, WideString>)
    return pkWideString;
  else if constexpr (IsEvent<T>::value)
    return pkEvent;
  else if constexpr (std::is_pointer_v<T>) {
    using P = std::remove_cv_t<std::remove_pointer_t<T>>;
    if constexpr (std::is_base_of_v<TCollection, P>)
      return pkCollection;
    else if constexpr (std::is_base_of_v<TComponent, P>)
      return pkComponent;
    else {
      static_assert(std::is_base_of_v<TPersistent, P>, "object properties hold TPersistent descendants");
      return pkObject;
    }
  } else {
    static_assert(sizeof(T) == 0, "this value type cannot be published");
  }
}

template <class C, class... Args>
class TMethodOf final : public TMethodSignature<Args...> {
 public:
  using Method = void (C::*)(Args...);
  TMethodOf(std::string name, Method method) : TMethodSignature<Args...>(std::move(name)), method_(method) {}
  std::function<void(Args...)> Bind(TObject* instance) const override {
    C* target = dynamic_cast<C*>(instance);
    if (!target) return {};
    return [target, method = method_](Args... args) { (target->*method)(std::forward<Args>(args)...); };
  }

 private:
  Method method_;
};

// A method pointer of C or of one of its bases, seen as one of C.
template <class C, class M>
struct MethodOfClass;
template <class C, class B, class... Args>
struct MethodOfClass<C, void (B::*)(Args...)> {
  using Type = TMethodOf<C, Args...>;
};

template <class C, class T>
class TPropertyOf final : public TPropertyInfo {
 public:
  using Getter = std::function<T(const C&)>;
  using Setter = std::function<void(C&, const T&)>;

  TPropertyOf(std::string name, Getter get, Setter set)
      : TPropertyInfo(std::move(name), KindOf<T>()), get_(std::move(get)), set_(std::move(set)) {
    readOnly_ = !set_;
    if constexpr (NamedEnum<T>) enumType_ = &EnumInfoOf<T>();
    if constexpr (IsSet<T>::value) enumType_ = &EnumInfoOf<typename IsSet<T>::Element>();
    if constexpr (std::is_floating_point_v<T>) floatType_ = std::is_same_v<T, float> ? ftSingle : ftDouble;
    if constexpr (std::is_pointer_v<T>) classOf_ = std::remove_cv_t<std::remove_pointer_t<T>>::StaticClass();
  }

  TPropertyOf& Default(T value) {
    default_ = std::move(value);
    return *this;
  }
  TPropertyOf& Stored(bool stored) {
    stored_ = [stored](const C&) { return stored; };
    return *this;
  }
  template <class B>
  TPropertyOf& Stored(bool (B::*predicate)() const) {
    stored_ = [predicate](const C& c) { return (c.*predicate)(); };
    return *this;
  }
  TPropertyOf& RunTimeOnly() {
    runTimeOnly_ = true;
    return *this;
  }

  bool IsDefaultValue(const TObject* instance) const override {
    const T value = Get(instance);
    if constexpr (std::equality_comparable<T>)
      if (default_) return value == *default_;
    if constexpr (std::is_floating_point_v<T>) return value == 0;
    if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, WideString>) return value.empty();
    if constexpr (KindOf<T>() == pkComponent) return value == nullptr;
    if constexpr (IsEvent<T>::value) return !value;
    return false;
  }

  std::int64_t GetOrdinal(const TObject* instance) const override {
    if constexpr (IsSet<T>::value)
      return static_cast<std::int64_t>(Get(instance).Bits());
    else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
      return static_cast<std::int64_t>(Get(instance));
    else
      WrongKind();
  }
  void SetOrdinal(TObject* instance, std::int64_t value) const override {
    if constexpr (IsSet<T>::value) {
      const int count = enumType_->Count();
      if (value < 0 || (count < 64 && (static_cast<std::uint64_t>(value) >> count) != 0)) InvalidValue();
      Set(instance, T::FromBits(static_cast<std::uint64_t>(value)));
    } else if constexpr (std::is_enum_v<T>) {
      if (value < 0 || value >= enumType_->Count()) InvalidValue();
      Set(instance, static_cast<T>(value));
    } else if constexpr (std::is_same_v<T, bool>) {
      Set(instance, value != 0);
    } else if constexpr (std::is_integral_v<T>) {
      Set(instance, static_cast<T>(value));
    } else {
      WrongKind();
    }
  }
  double GetFloat(const TObject* instance) const override {
    if constexpr (std::is_floating_point_v<T>)
      return static_cast<double>(Get(instance));
    else
      WrongKind();
  }
  void SetFloat(TObject* instance, double value) const override {
    if constexpr (std::is_floating_point_v<T>)
      Set(instance, static_cast<T>(value));
    else
      WrongKind();
  }
  std::string GetString(const TObject* instance) const override {
    if constexpr (std::is_same_v<T, std::string>)
      return Get(instance);
    else if constexpr (std::is_same_v<T, WideString>)
      return TPropertyInfo::GetString(instance);
    else
      WrongKind();
  }
  void SetString(TObject* instance, std::string_view value) const override {
    if constexpr (std::is_same_v<T, std::string>)
      Set(instance, std::string(value));
    else
      TPropertyInfo::SetString(instance, value);
  }
  WideString GetWideString(const TObject* instance) const override {
    if constexpr (std::is_same_v<T, WideString>)
      return Get(instance);
    else
      return TPropertyInfo::GetWideString(instance);
  }
  void SetWideString(TObject* instance, const WideString& value) const override {
    if constexpr (std::is_same_v<T, WideString>)
      Set(instance, value);
    else
      TPropertyInfo::SetWideString(instance, value);
  }
  TObject* GetObject(const TObject* instance) const override {
    if constexpr (std::is_pointer_v<T>)
      return Get(instance);
    else
      WrongKind();
  }
  void SetObject(TObject* instance, TObject* value) const override {
    if constexpr (std::is_pointer_v<T>) {
      using P = std::remove_cv_t<std::remove_pointer_t<T>>;
      P* typed = dynamic_cast<P*>(value);
      if (value && !typed) InvalidValue();
      if (set_)
        Set(instance, typed);
      else if (kind_ != pkComponent && typed && Get(instance))
        AssignInto(Get(instance), typed);
      else
        InvalidValue();
    } else {
      WrongKind();
    }
  }
  TObject* GetMethodInstance(const TObject* instance) const override {
    if constexpr (IsEvent<T>::value)
      return Get(instance).Instance();
    else
      WrongKind();
  }
  std::string GetMethodName(const TObject* instance) const override {
    if constexpr (IsEvent<T>::value)
      return Get(instance).MethodName();
    else
      WrongKind();
  }
  void SetMethod(TObject* instance, TObject* target, const TMethodInfo* method) const override {
    if constexpr (IsEvent<T>::value) {
      if (!method) return Set(instance, T());
      SetMethodOf(instance, target, *method, static_cast<T*>(nullptr));
    } else {
      WrongKind();
    }
  }
  Variant GetValue(const TObject* instance) const override {
    if constexpr (std::is_same_v<T, TNotifyEvent>)
      return Variant(Get(instance));
    else
      return TPropertyInfo::GetValue(instance);
  }
  void SetValue(TObject* instance, const Variant& value) const override {
    if constexpr (std::is_same_v<T, TNotifyEvent>)
      Set(instance, value.AsEvent());
    else
      TPropertyInfo::SetValue(instance, value);
  }

 protected:
  bool StoredRule(const TObject* instance) const override {
    return !stored_ || stored_(*static_cast<const C*>(instance));
  }

 private:
  T Get(const TObject* instance) const { return get_(*Checked(instance)); }
  void Set(TObject* instance, const T& value) const {
    if (!set_) InvalidValue();
    set_(*const_cast<C*>(Checked(instance)), value);
  }
  const C* Checked(const TObject* instance) const {
    auto* typed = dynamic_cast<const C*>(instance);
    if (!typed) WrongKind();
    return typed;
  }
  template <class P>
  static void AssignInto(P* target, P* source) {
    target->Assign(source);
  }
  template <class... A>
  void SetMethodOf(TObject* instance, TObject* target, const TMethodInfo& method, TEvent<A...>*) const {
    auto* typed = dynamic_cast<const TMethodSignature<A...>*>(&method);
    if (!typed) SignatureMismatch(method.Name());
    auto handler = typed->Bind(target);
    if (!handler) SignatureMismatch(method.Name());
    Set(instance, T(target, method.Name(), std::move(handler)));
  }
  [[noreturn]] void SignatureMismatch(const std::string& methodName) const;

  Getter get_;
  Setter set_;
  std::optional<T> default_;
  std::function<bool(const C&)> stored_;
};

[[noreturn]] void RaiseSignatureMismatch(const std::string& methodName, const std::string& eventName);

template <class C, class T>
void TPropertyOf<C, T>::SignatureMismatch(const std::string& methodName) const {
  RaiseSignatureMismatch(methodName, name_);
}

template <class C, class P>
class TFieldOf final : public TFieldInfo {
 public:
  TFieldOf(std::string name, P* C::*field) : TFieldInfo(std::move(name), P::StaticClass()), field_(field) {}
  bool Set(TObject* owner, TComponent* value) const override {
    C* target = dynamic_cast<C*>(owner);
    P* typed = dynamic_cast<P*>(value);
    if (!target || (value && !typed)) return false;
    target->*field_ = typed;
    return true;
  }
  TComponent* Get(const TObject* owner) const override {
    const C* target = dynamic_cast<const C*>(owner);
    return target ? target->*field_ : nullptr;
  }

 private:
  P* C::*field_;
};

template <class C, class Get>
using GetterValue = std::decay_t<std::invoke_result_t<Get, C&>>;

}  // namespace detail

// Declares the published members of class C in its static Publish function.
template <class C>
class TPublisher {
 public:
  explicit TPublisher(TPublishedTable& table) : table_(table) {}

  // `get`: a field (read-write) or a member function returning the value
  // (read-only); members of C's bases are fine.
  template <class Get>
  auto& Property(const char* name, Get get) {
    using T = detail::GetterValue<C, Get>;
    typename detail::TPropertyOf<C, T>::Setter set;
    if constexpr (std::is_member_object_pointer_v<Get>)
      set = [get](C& c, const T& value) { std::invoke(get, c) = value; };
    return Add<T>(name, get, std::move(set));
  }
  // `get` as above, `set` a member function taking the value.
  template <class Get, class Set>
  auto& Property(const char* name, Get get, Set set) {
    using T = detail::GetterValue<C, Get>;
    return Add<T>(name, get, [set](C& c, const T& value) { std::invoke(set, c, value); });
  }
  // A handler method (void, any arguments) an event may be bound to by name.
  template <class M>
  void Method(const char* name, M method) {
    using Info = typename detail::MethodOfClass<C, M>::Type;
    table_.AddMethod(std::make_unique<Info>(name, static_cast<typename Info::Method>(method)));
  }
  // A component field (TvgButton* btnUpdate) bound to the owned component
  // of that name.
  template <class B, class P>
  void Field(const char* name, P* B::*field) {
    table_.AddField(std::make_unique<detail::TFieldOf<C, P>>(name, static_cast<P* C::*>(field)));
  }

 private:
  template <class T, class Get>
  detail::TPropertyOf<C, T>& Add(const char* name, Get get, typename detail::TPropertyOf<C, T>::Setter set) {
    auto property = std::make_unique<detail::TPropertyOf<C, T>>(
        name, [get](const C& c) -> T { return std::invoke(get, const_cast<C&>(c)); }, std::move(set));
    auto& result = *property;
    table_.AddProperty(std::move(property));
    return result;
  }

  TPublishedTable& table_;
};

template <class T>
const TPublishedTable& PublishedTableOf() {
  static const TPublishedTable table = [] {
    if constexpr (std::is_same_v<T, TObject>) {
      return TPublishedTable(nullptr);
    } else {
      TPublishedTable result(&T::inherited::StaticClass()->published());
      if constexpr (requires { static_cast<void (*)(TPublisher<T>&)>(&T::Publish); }) {
        TPublisher<T> publisher(result);
        T::Publish(publisher);
      }
      return result;
    }
  }();
  return table;
}

}  // namespace rtl
