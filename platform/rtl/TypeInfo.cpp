#include "platform/rtl/TypeInfo.h"

#include "platform/rtl/Component.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"
#include "platform/rtl/TextTrim.h"

namespace rtl {

namespace {

[[noreturn]] void NotValid(std::string_view text, const char* what) {
  throw EConvertError(Format("'%.*s' is not a valid %s value", static_cast<int>(text.size()), text.data(), what));
}

std::string SetToText(std::uint64_t bits, const TEnumInfo& names) {
  std::string text = "[";
  for (int i = 0; i < names.Count() && i < 64; ++i) {
    if (!(bits & (std::uint64_t{1} << i))) continue;
    if (text.size() > 1) text += ',';
    text += names.Name(i);
  }
  return text + "]";
}

std::uint64_t TextToSet(std::string_view text, const TEnumInfo& names) {
  std::string_view body = Trim(text);
  if (!body.empty() && body.front() == '[' && body.back() == ']') body = body.substr(1, body.size() - 2);
  std::uint64_t bits = 0;
  while (!Trim(body).empty()) {
    const std::size_t comma = body.find(',');
    const std::string_view name = Trim(body.substr(0, comma));
    auto value = names.Value(name);
    if (!value || *value >= 64) NotValid(text, "set");
    bits |= std::uint64_t{1} << *value;
    body = comma == std::string_view::npos ? std::string_view() : body.substr(comma + 1);
  }
  return bits;
}

}  // namespace

// ----- TEnumInfo

TEnumInfo::TEnumInfo(const char* typeName, std::string_view names) : typeName_(typeName) {
  while (!names.empty()) {
    const std::size_t comma = names.find(',');
    names_.emplace_back(Trim(names.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    names.remove_prefix(comma + 1);
  }
}

const std::string& TEnumInfo::Name(int value) const {
  static const std::string empty;
  return value >= 0 && value < Count() ? names_[static_cast<std::size_t>(value)] : empty;
}

std::optional<int> TEnumInfo::Value(std::string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (SameText(names_[i], name)) return static_cast<int>(i);
  return std::nullopt;
}

// ----- TPropertyInfo

bool TPropertyInfo::IsStored(const TObject* instance) const {
  return !runTimeOnly_ && StoredRule(instance) && !IsDefaultValue(instance);
}

void TPropertyInfo::WrongKind() const { throw EPropertyError(Format("Invalid property type: %s", name_.c_str())); }
void TPropertyInfo::InvalidValue() const { throw EPropertyError("Invalid property value"); }

std::int64_t TPropertyInfo::GetOrdinal(const TObject*) const { WrongKind(); }
void TPropertyInfo::SetOrdinal(TObject*, std::int64_t) const { WrongKind(); }
double TPropertyInfo::GetFloat(const TObject*) const { WrongKind(); }
void TPropertyInfo::SetFloat(TObject*, double) const { WrongKind(); }

std::string TPropertyInfo::GetString(const TObject* instance) const {
  if (kind_ != pkWideString) WrongKind();
  return Utf16ToUtf8(GetWideString(instance));
}
void TPropertyInfo::SetString(TObject* instance, std::string_view value) const {
  if (kind_ != pkWideString) WrongKind();
  SetWideString(instance, Utf8ToUtf16(value));
}
WideString TPropertyInfo::GetWideString(const TObject* instance) const {
  if (kind_ != pkString) WrongKind();
  return Utf8ToUtf16(GetString(instance));
}
void TPropertyInfo::SetWideString(TObject* instance, const WideString& value) const {
  if (kind_ != pkString) WrongKind();
  SetString(instance, Utf16ToUtf8(value));
}

TObject* TPropertyInfo::GetObject(const TObject*) const { WrongKind(); }
void TPropertyInfo::SetObject(TObject*, TObject*) const { WrongKind(); }
TObject* TPropertyInfo::GetMethodInstance(const TObject*) const { WrongKind(); }
std::string TPropertyInfo::GetMethodName(const TObject*) const { WrongKind(); }
void TPropertyInfo::SetMethod(TObject*, TObject*, const TMethodInfo*) const { WrongKind(); }

std::string TPropertyInfo::GetText(const TObject* instance) const {
  switch (kind_) {
    case pkInteger:
      return std::to_string(GetOrdinal(instance));
    case pkEnumeration:
      return enumType_->Name(static_cast<int>(GetOrdinal(instance)));
    case pkBoolean:
      return GetOrdinal(instance) ? "True" : "False";
    case pkSet:
      return SetToText(static_cast<std::uint64_t>(GetOrdinal(instance)), *enumType_);
    case pkFloat:
      return floatType_ == ftSingle ? SingleToExactText(static_cast<float>(GetFloat(instance)))
                                    : DoubleToExactText(GetFloat(instance));
    case pkString:
    case pkWideString:
      return GetString(instance);
    case pkComponent: {
      auto* component = static_cast<TComponent*>(GetObject(instance));
      return component ? component->Name() : std::string();
    }
    case pkEvent:
      return GetMethodName(instance);
    case pkObject:
    case pkCollection:
      break;
  }
  WrongKind();
}

void TPropertyInfo::SetText(TObject* instance, std::string_view text) const {
  switch (kind_) {
    case pkInteger: {
      auto value = ParseInt64(Trim(text));
      if (!value) NotValid(text, "integer");
      return SetOrdinal(instance, *value);
    }
    case pkEnumeration: {
      auto value = enumType_->Value(Trim(text));
      if (!value) NotValid(text, "enumeration");
      return SetOrdinal(instance, *value);
    }
    case pkBoolean: {
      const std::string_view word = Trim(text);
      if (SameText(word, "True")) return SetOrdinal(instance, 1);
      if (SameText(word, "False")) return SetOrdinal(instance, 0);
      NotValid(text, "boolean");
    }
    case pkSet:
      return SetOrdinal(instance, static_cast<std::int64_t>(TextToSet(text, *enumType_)));
    case pkFloat: {
      auto value = ParseDouble(Trim(text));
      if (!value) NotValid(text, "floating point");
      return SetFloat(instance, *value);
    }
    case pkString:
    case pkWideString:
      return SetString(instance, text);
    default:
      WrongKind();
  }
}

Variant TPropertyInfo::GetValue(const TObject* instance) const {
  switch (kind_) {
    case pkInteger:
    case pkEnumeration:
    case pkSet:
      return Variant(GetOrdinal(instance));
    case pkBoolean:
      return Variant(GetOrdinal(instance) != 0);
    case pkFloat:
      return Variant(GetFloat(instance));
    case pkString:
    case pkWideString:
      return Variant(GetWideString(instance));
    case pkObject:
    case pkComponent:
    case pkCollection:
      return Variant(GetObject(instance));
    case pkEvent:
      break;
  }
  WrongKind();
}

void TPropertyInfo::SetValue(TObject* instance, const Variant& value) const {
  switch (kind_) {
    case pkEnumeration:
    case pkSet:
    case pkInteger:
      if (value.VarType() == varString) return SetText(instance, value.AsString());
      return SetOrdinal(instance, value.AsInteger());
    case pkBoolean:
      return SetOrdinal(instance, value.AsBoolean() ? 1 : 0);
    case pkFloat:
      return SetFloat(instance, value.AsFloat());
    case pkString:
    case pkWideString:
      return SetWideString(instance, value.AsWideString());
    case pkObject:
    case pkComponent:
    case pkCollection:
      return SetObject(instance, value.AsObject());
    case pkEvent:
      break;
  }
  WrongKind();
}

// ----- TPublishedTable

TPublishedTable::TPublishedTable(const TPublishedTable* parent) {
  if (!parent) return;
  properties_ = parent->properties_;
  methods_ = parent->methods_;
  fields_ = parent->fields_;
}

const TPropertyInfo* TPublishedTable::FindProperty(std::string_view name) const {
  for (const TPropertyInfo* property : properties_)
    if (SameText(property->Name(), name)) return property;
  return nullptr;
}

const TMethodInfo* TPublishedTable::FindMethod(std::string_view name) const {
  for (auto it = methods_.rbegin(); it != methods_.rend(); ++it)
    if (SameText((*it)->Name(), name)) return *it;
  return nullptr;
}

const TFieldInfo* TPublishedTable::FindField(std::string_view name) const {
  for (auto it = fields_.rbegin(); it != fields_.rend(); ++it)
    if (SameText((*it)->Name(), name)) return *it;
  return nullptr;
}

void TPublishedTable::AddField(std::unique_ptr<TFieldInfo> field) {
  fields_.push_back(field.get());
  ownFields_.push_back(std::move(field));
}

void TPublishedTable::AddProperty(std::unique_ptr<TPropertyInfo> property) {
  const TPropertyInfo* entry = property.get();
  ownProperties_.push_back(std::move(property));
  for (const TPropertyInfo*& existing : properties_)
    if (SameText(existing->Name(), entry->Name())) {
      existing = entry;
      return;
    }
  properties_.push_back(entry);
}

void TPublishedTable::AddMethod(std::unique_ptr<TMethodInfo> method) {
  methods_.push_back(method.get());
  ownMethods_.push_back(std::move(method));
}

// ----- paths

TPropertyPath FindPropertyPath(TObject* instance, std::string_view path) {
  while (instance) {
    const std::size_t dot = path.find('.');
    const TPropertyInfo* info = PublishedOf(instance->ClassType()).FindProperty(path.substr(0, dot));
    if (!info) return {};
    if (dot == std::string_view::npos) return {instance, info};
    const TPropKind kind = info->Kind();
    if (kind != pkObject && kind != pkComponent && kind != pkCollection) return {};
    instance = info->GetObject(instance);
    path.remove_prefix(dot + 1);
  }
  return {};
}

TPropertyPath GetPropertyPath(TObject* instance, std::string_view path) {
  TPropertyPath found = FindPropertyPath(instance, path);
  if (!found)
    throw EPropertyError(
        Format("Property %.*s does not exist", static_cast<int>(path.size()), path.data()));
  return found;
}

std::string GetPropText(TObject* instance, std::string_view path) {
  TPropertyPath found = GetPropertyPath(instance, path);
  return found.info->GetText(found.instance);
}

void SetPropText(TObject* instance, std::string_view path, std::string_view text) {
  TPropertyPath found = GetPropertyPath(instance, path);
  found.info->SetText(found.instance, text);
}

Variant GetPropValue(TObject* instance, std::string_view path) {
  TPropertyPath found = GetPropertyPath(instance, path);
  return found.info->GetValue(found.instance);
}

void SetPropValue(TObject* instance, std::string_view path, const Variant& value) {
  TPropertyPath found = GetPropertyPath(instance, path);
  found.info->SetValue(found.instance, value);
}

void BindEventByName(TObject* instance, const TPropertyInfo& event, TObject* root, std::string_view methodName) {
  const TMethodInfo* method = root ? PublishedOf(root->ClassType()).FindMethod(methodName) : nullptr;
  if (!method)
    throw EMethodNotFound(Format("Method %.*s not found in %s", static_cast<int>(methodName.size()),
                                 methodName.data(), root ? root->ClassName().c_str() : "nil"));
  event.SetMethod(instance, root, method);
}

namespace detail {
void RaiseSignatureMismatch(const std::string& methodName, const std::string& eventName) {
  throw EPropertyError(Format("Method %s does not match event %s", methodName.c_str(), eventName.c_str()));
}
}  // namespace detail

}  // namespace rtl
