#include <algorithm>
#include <cstring>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ExtendedFloat.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"

namespace rtl {

namespace {

constexpr int kMaxReadDepth = 256;

// A property error already reported with its component and property; it
// passes enclosing property reads unchanged.
class EPropertyReadError : public EReadError {
 public:
  using EReadError::EReadError;
};

// A property name the class does not publish or define; `path` is the
// (dotted) name the stream gave.
class EPropertyMissing : public EReadError {
 public:
  EPropertyMissing(const TPersistent& instance, std::string_view name, std::string_view path)
      : EReadError(Format("Property %.*s does not exist", static_cast<int>(path.size()), path.data())),
        placedMessage_(Format("%s has no property '%.*s'", instance.ClassName().c_str(), static_cast<int>(name.size()),
                              name.data())) {}
  const std::string& PlacedMessage() const { return placedMessage_; }

 private:
  std::string placedMessage_;
};

[[noreturn]] void InvalidValue() { throw EReadError("Invalid property value"); }

template <class T>
T ReadLittleEndian(TReader& reader) {
  std::uint8_t bytes[sizeof(T)];
  reader.Read(bytes, sizeof bytes);
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) bits |= std::uint64_t{bytes[i]} << (8 * i);
  T value;
  std::memcpy(&value, &bits, sizeof(T));
  return value;
}

std::string Latin1ToUtf8(const std::string& bytes) {
  std::u16string units(bytes.begin(), bytes.end());
  for (std::size_t i = 0; i < bytes.size(); ++i) units[i] = static_cast<unsigned char>(bytes[i]);
  return Utf16ToUtf8(units);
}

bool IsInteger(TValueType type) {
  return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32 ||
         type == TValueType::vaInt64;
}

}  // namespace

// Hears of components freed during the read so the reader forgets them.
class TReader::Watch : public TComponent {
 public:
  explicit Watch(TReader& reader) : TComponent(nullptr), reader_(reader) {}

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) reader_.Forget(component);
  }

 private:
  TReader& reader_;
};

TReader::~TReader() {
  ReleaseLoaded();
  if (watch_) watch_->Free();
}

void TReader::ReleaseLoaded() {
  for (TComponent* component : loaded_)
    if (component) watch_->RemoveFreeNotification(component);
  loaded_.clear();
  fixups_.clear();
}

void TReader::Forget(TComponent* component) {
  std::replace(loaded_.begin(), loaded_.end(), component, static_cast<TComponent*>(nullptr));
  std::erase_if(fixups_, [component](const Fixup& fixup) { return fixup.component == component; });
  if (current_ == component) current_ = nullptr;
  if (root_ == component) root_ = nullptr;
}

void TReader::CheckDepth() {
  if (depth_ > kMaxReadDepth) throw EReadError("Stream nesting too deep");
}

// ----- structure

void TReader::ReadSignature() {
  char signature[4];
  Read(signature, sizeof signature);
  if (std::memcmp(signature, kFilerSignature, sizeof signature) != 0) throw EReadError("Invalid stream format");
}

namespace {
// Reads the optional prefix byte (high nibble F) and a child position.
void ReadPrefix(TReader& reader) {
  std::uint8_t byte = 0;
  reader.Read(&byte, 1);
  if ((byte & 0xF0) != 0xF0) {
    reader.Stream().Seek(-1, TSeekOrigin::soCurrent);
    return;
  }
  if (byte & 0x02) reader.ReadInteger();
}
}  // namespace

std::string TReader::PeekRootClassName() {
  const std::int64_t start = stream_.Position();
  try {
    ReadSignature();
    ReadPrefix(*this);
    std::string name = ReadStr();
    stream_.SetPosition(start);
    return name;
  } catch (...) {
    stream_.SetPosition(start);
    throw;
  }
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  ReadSignature();
  componentStart_ = stream_.Position();
  ReadPrefix(*this);
  const std::string className = ReadStr();
  std::string name = ReadStr();
  bool created = false;
  if (!root) {
    TClass cls = FindClass(className);
    if (!cls->createComponent) throw EReadError(Format("Class %s cannot be read as a component", cls->name));
    root = cls->createComponent(nullptr);
    created = true;
  }
  if (!watch_) watch_ = new Watch(*this);
  root_ = root;
  loaded_.push_back(root);
  root->FreeNotification(watch_);
  try {
    root->IncludeState(csLoading);
    root->IncludeState(csReading);
    SetComponentName(root, std::move(name));
    ReadComponentData(root);
    FixupReferences();
    for (std::size_t i = 0; i < loaded_.size(); ++i)
      if (TComponent* component = loaded_[i]) component->Loaded();
  } catch (...) {
    for (TComponent* component : loaded_)
      if (component) {
        component->ExcludeState(csReading);
        component->ExcludeState(csLoading);
      }
    if (created && root_ == root) root->Free();
    ReleaseLoaded();
    throw;
  }
  ReleaseLoaded();
  return root;
}

TComponent* TReader::ReadComponent(TComponent* parent) {
  const std::int64_t start = stream_.Position();
  ReadPrefix(*this);
  const std::string className = ReadStr();
  std::string name = ReadStr();
  TClass cls = nullptr;
  try {
    cls = FindClass(className);
  } catch (const EClassNotFound& e) {
    if (places_.Empty()) throw;
    throw EClassNotFound(PlaceOf(start) + ": " + (name.empty() ? className : name) + ": " + e.Message());
  }
  componentStart_ = start;
  if (!cls->createComponent) throw EReadError(Format("Class %s cannot be read as a component", cls->name));
  TComponent* component = cls->createComponent(root_);
  loaded_.push_back(component);
  component->FreeNotification(watch_);
  try {
    component->IncludeState(csLoading);
    component->IncludeState(csReading);
    SetComponentName(component, std::move(name));
    if (parent && component->HasParent()) component->SetParentComponent(parent);
    ReadComponentData(component);
  } catch (...) {
    if (std::find(loaded_.begin(), loaded_.end(), component) != loaded_.end()) component->Free();
    throw;
  }
  return component;
}

void TReader::ReadComponentData(TComponent* component) {
  ++depth_;
  CheckDepth();
  TComponent* outer = current_;
  current_ = component;
  while (!EndOfList()) ReadProperty(component);
  ReadListEnd();
  while (!EndOfList()) ReadComponent(component);
  ReadListEnd();
  current_ = outer;
  component->ExcludeState(csReading);
  --depth_;
}

void TReader::SetComponentName(TComponent* component, std::string name) {
  if (OnSetName) OnSetName(component, name);
  TComponent* outer = current_;
  current_ = component;
  propertyPath_ = "Name";
  propertyStart_ = componentStart_;
  try {
    component->SetName(name);
  } catch (const Exception& e) {
    PropertyError(e.Message());
  }
  if (!name.empty() && component != root_ && root_ && component->Name() == name) {
    const TFieldInfo* field = PublishedOf(root_->ClassType()).FindField(name);
    if (field && field->Get(root_) != component)
      PropertyError(Format("Field %s of %s is not a %s", field->Name().c_str(), root_->ClassName().c_str(),
                           component->ClassName().c_str()));
  }
  current_ = outer;
}

// ----- properties

std::string TReader::CurrentName() const {
  if (!current_) return "?";
  return current_->Name().empty() ? current_->ClassName() : current_->Name();
}

std::string TReader::PlaceOf(std::int64_t offset) const { return places_.Describe(offset - placesBase_); }

void TReader::PropertyError(const std::string& message, const std::string& placedMessage) {
  std::string full = Format("Error reading %s.%s: %s", CurrentName().c_str(), propertyPath_.c_str(), message.c_str());
  if (!places_.Empty()) full = PlaceOf(propertyStart_) + ": " + (placedMessage.empty() ? full : placedMessage);
  if (!lenient_) throw EPropertyReadError(std::move(full));
  errors_.push_back(std::move(full));
}

void TReader::ReadProperty(TPersistent* instance) {
  const std::int64_t nameStart = stream_.Position();
  const std::string path = ReadStr();
  const std::int64_t valueStart = stream_.Position();
  try {
    propertyPath_ = path;
    propertyStart_ = nameStart;
    TPersistent* target = instance;
    std::string_view rest = path;
    for (std::size_t dot; (dot = rest.find('.')) != std::string_view::npos; rest.remove_prefix(dot + 1)) {
      const TPropertyInfo* hop = PublishedOf(target->ClassType()).FindProperty(rest.substr(0, dot));
      TPersistent* next = nullptr;
      if (hop && (hop->Kind() == pkObject || hop->Kind() == pkCollection || hop->Kind() == pkComponent))
        next = dynamic_cast<TPersistent*>(hop->GetObject(target));
      if (!next) throw EPropertyMissing(*target, rest.substr(0, dot), path);
      target = next;
    }
    const TPropertyInfo* property = PublishedOf(target->ClassType()).FindProperty(rest);
    if (property && !property->IsRunTimeOnly()) return ReadPropertyValue(target, *property);
    pendingName_ = rest;
    pendingFound_ = false;
    target->DefineProperties(*this);
    pendingName_.clear();
    if (!pendingFound_) throw EPropertyMissing(*target, rest, rest);
  } catch (const EPropertyReadError&) {
    throw;
  } catch (const std::exception& e) {  // custom property readers may raise anything
    const auto* missing = dynamic_cast<const EPropertyMissing*>(&e);
    pendingName_.clear();
    propertyPath_ = path;
    propertyStart_ = nameStart;
    PropertyError(e.what(), missing ? missing->PlacedMessage() : std::string());
    stream_.SetPosition(valueStart);
    SkipValue();
  }
}

void TReader::ReadPropertyValue(TPersistent* instance, const TPropertyInfo& property) {
  switch (property.Kind()) {
    case pkInteger:
      return property.SetOrdinal(instance, ReadInteger());
    case pkEnumeration: {
      const std::string ident = ReadIdent();
      auto value = property.EnumType()->Value(ident);
      if (!value) InvalidValue();
      return property.SetOrdinal(instance, *value);
    }
    case pkBoolean:
      return property.SetOrdinal(instance, ReadBoolean() ? 1 : 0);
    case pkSet: {
      if (ReadValue() != TValueType::vaSet) InvalidValue();
      std::uint64_t bits = 0;
      for (const std::string& name : ReadSet()) {
        auto value = property.EnumType()->Value(name);
        if (!value || *value >= 64) InvalidValue();
        bits |= std::uint64_t{1} << *value;
      }
      return property.SetOrdinal(instance, static_cast<std::int64_t>(bits));
    }
    case pkFloat:
      return property.SetFloat(instance, ReadFloat());
    case pkString:
      return property.SetString(instance, ReadString());
    case pkWideString:
      return property.SetWideString(instance, ReadWideString());
    case pkComponent:
    case pkEvent:
      if (NextValue() == TValueType::vaNil) {
        ReadValue();
        if (property.Kind() == pkEvent) return property.SetMethod(instance, nullptr, nullptr);
        return property.SetObject(instance, nullptr);
      }
      if (NextValue() != TValueType::vaIdent) InvalidValue();
      fixups_.push_back({current_, instance, &property, ReadIdent(), propertyPath_, itemStack_, propertyStart_});
      return;
    case pkCollection: {
      if (ReadValue() != TValueType::vaCollection) InvalidValue();
      auto* collection = dynamic_cast<TCollection*>(property.GetObject(instance));
      if (!collection) InvalidValue();
      return ReadCollection(collection);
    }
    case pkObject:
      InvalidValue();
  }
}

void TReader::ReadCollection(TCollection* collection) {
  ++depth_;
  CheckDepth();
  collection->BeginUpdate();
  const std::size_t outerItems = itemStack_.size();
  try {
    DropFixupsOfItems(*collection);
    collection->Clear();
    while (!EndOfList()) {
      if (IsInteger(NextValue())) ReadInteger();  // the item's order value: items come in order
      ReadListBegin();
      itemStack_.push_back(collection->Add());
      while (!EndOfList()) ReadProperty(itemStack_.back());
      itemStack_.pop_back();
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    itemStack_.resize(outerItems);
    collection->EndUpdate();
    --depth_;
    throw;
  }
  collection->EndUpdate();
  --depth_;
}

// The items are about to be freed (the collection is read again): their
// references and events must not be set later. Only live items are compared.
void TReader::DropFixupsOfItems(const TCollection& collection) {
  std::vector<const TCollectionItem*> items;
  for (int i = 0; i < collection.Count(); ++i) items.push_back(collection.Items(i));
  std::erase_if(fixups_, [&](const Fixup& fixup) {
    return std::any_of(fixup.items.begin(), fixup.items.end(), [&](const TCollectionItem* item) {
      return std::find(items.begin(), items.end(), item) != items.end();
    });
  });
}

void TReader::DefineProperty(std::string_view name, const TReaderProc& readData, const TWriterProc&, bool) {
  if (pendingName_.empty() || !readData || !SameText(name, pendingName_)) return;
  pendingName_.clear();
  pendingFound_ = true;
  readData(*this);
}

void TReader::DefineBinaryProperty(std::string_view name, const TStreamProc& readData, const TStreamProc&, bool) {
  if (pendingName_.empty() || !readData || !SameText(name, pendingName_)) return;
  pendingName_.clear();
  pendingFound_ = true;
  if (ReadValue() != TValueType::vaBinary) InvalidValue();
  const TBytes data = ReadBinary();
  TBytesViewStream view(data.data(), static_cast<std::int64_t>(data.size()));
  readData(view);
}

// ----- fix-ups

namespace {
TComponent* FindReference(TComponent* root, std::string_view name) {
  if (!root) return nullptr;
  const std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) {
    const std::string_view ownerName = name.substr(0, dot);
    TComponent* owner = SameText(ownerName, root->Name()) ? root : root->FindComponent(ownerName);
    return owner ? owner->FindComponent(name.substr(dot + 1)) : nullptr;
  }
  if (!root->Name().empty() && SameText(name, root->Name())) return root;
  return root->FindComponent(name);
}
}  // namespace

void TReader::FixupReferences() {
  std::vector<Fixup> pending;
  pending.swap(fixups_);
  for (const Fixup& fixup : pending) {
    current_ = fixup.component;
    propertyPath_ = fixup.path;
    propertyStart_ = fixup.offset;
    try {
      if (fixup.property->Kind() == pkEvent) {
        BindEventByName(fixup.instance, *fixup.property, root_, fixup.name);
      } else {
        TComponent* target = FindReference(root_, fixup.name);
        if (!target) throw EReadError(Format("Component %s not found", fixup.name.c_str()));
        fixup.property->SetObject(fixup.instance, target);
      }
    } catch (const EPropertyReadError&) {
      throw;
    } catch (const Exception& e) {
      PropertyError(e.Message());
    }
  }
  current_ = nullptr;
}

// ----- values

TValueType TReader::ReadValue() {
  std::uint8_t byte = 0;
  Read(&byte, 1);
  if (byte > kMaxValueType) throw EReadError(Format("Invalid value type %u", byte));
  return static_cast<TValueType>(byte);
}

TValueType TReader::NextValue() {
  const TValueType type = ReadValue();
  stream_.Seek(-1, TSeekOrigin::soCurrent);
  return type;
}

bool TReader::EndOfList() {
  std::uint8_t byte = 0;
  Read(&byte, 1);
  stream_.Seek(-1, TSeekOrigin::soCurrent);
  return byte == 0;
}

void TReader::ReadListBegin() {
  if (ReadValue() != TValueType::vaList) InvalidValue();
}

void TReader::ReadListEnd() {
  if (ReadValue() != TValueType::vaNull) InvalidValue();
}

std::uint32_t TReader::ReadLength() {
  const auto length = ReadLittleEndian<std::uint32_t>(*this);
  if (length > stream_.Size() - stream_.Position())
    throw EReadError(Format("Value length %u exceeds the stream", length));
  return length;
}

std::int64_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case TValueType::vaInt8:
      return ReadLittleEndian<std::int8_t>(*this);
    case TValueType::vaInt16:
      return ReadLittleEndian<std::int16_t>(*this);
    case TValueType::vaInt32:
      return ReadLittleEndian<std::int32_t>(*this);
    case TValueType::vaInt64:
      return ReadLittleEndian<std::int64_t>(*this);
    default:
      InvalidValue();
  }
}

bool TReader::ReadBoolean() {
  switch (ReadValue()) {
    case TValueType::vaTrue:
      return true;
    case TValueType::vaFalse:
      return false;
    default:
      InvalidValue();
  }
}

double TReader::ReadFloat() {
  const TValueType type = NextValue();
  if (IsInteger(type)) return static_cast<double>(ReadInteger());
  ReadValue();
  switch (type) {
    case TValueType::vaExtended: {
      TExtended80 bytes;
      Read(bytes.data(), bytes.size());
      return ExtendedToDouble(bytes);
    }
    case TValueType::vaSingle:
      return ReadLittleEndian<float>(*this);
    case TValueType::vaDouble:
    case TValueType::vaDate:
      return ReadLittleEndian<double>(*this);
    case TValueType::vaCurrency:
      return static_cast<double>(ReadLittleEndian<std::int64_t>(*this)) / 10000.0;
    default:
      InvalidValue();
  }
}

std::string TReader::ReadString() {
  switch (ReadValue()) {
    case TValueType::vaString:
      return Latin1ToUtf8(ReadStr());
    case TValueType::vaLString: {
      std::string bytes(ReadLength(), '\0');
      Read(bytes.data(), bytes.size());
      return Latin1ToUtf8(bytes);
    }
    case TValueType::vaUTF8String: {
      std::string bytes(ReadLength(), '\0');
      Read(bytes.data(), bytes.size());
      return Utf16ToUtf8(Utf8ToUtf16(bytes));  // malformed sequences become U+FFFD
    }
    case TValueType::vaWString: {
      stream_.Seek(-1, TSeekOrigin::soCurrent);
      return Utf16ToUtf8(ReadWideString());
    }
    default:
      InvalidValue();
  }
}

WideString TReader::ReadWideString() {
  if (NextValue() != TValueType::vaWString) return Utf8ToUtf16(ReadString());
  ReadValue();
  const std::uint32_t count = ReadLittleEndian<std::uint32_t>(*this);
  if (count > (stream_.Size() - stream_.Position()) / 2)
    throw EReadError(Format("Value length %u exceeds the stream", count));
  WideString text(count, u'\0');
  for (char16_t& unit : text) unit = ReadLittleEndian<std::uint16_t>(*this);
  return text;
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case TValueType::vaIdent:
      return ReadStr();
    case TValueType::vaFalse:
      return "False";
    case TValueType::vaTrue:
      return "True";
    case TValueType::vaNil:
      return "nil";
    case TValueType::vaNull:
      return "Null";
    default:
      InvalidValue();
  }
}

std::vector<std::string> TReader::ReadSet() {
  std::vector<std::string> names;
  for (std::string name = ReadStr(); !name.empty(); name = ReadStr()) names.push_back(std::move(name));
  return names;
}

TBytes TReader::ReadBinary() {
  TBytes data(ReadLength());
  if (!data.empty()) Read(data.data(), data.size());
  return data;
}

std::string TReader::ReadStr() {
  std::uint8_t length = 0;
  Read(&length, 1);
  std::string text(length, '\0');
  if (length) Read(text.data(), length);
  return text;
}

void TReader::SkipValue() {
  auto skip = [this](std::int64_t count) {
    if (count > stream_.Size() - stream_.Position()) throw EReadError("Stream read error");
    stream_.Seek(count, TSeekOrigin::soCurrent);
  };
  ++depth_;
  CheckDepth();
  switch (ReadValue()) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
      break;
    case TValueType::vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      break;
    case TValueType::vaInt8:
      skip(1);
      break;
    case TValueType::vaInt16:
      skip(2);
      break;
    case TValueType::vaInt32:
    case TValueType::vaSingle:
      skip(4);
      break;
    case TValueType::vaInt64:
    case TValueType::vaCurrency:
    case TValueType::vaDate:
    case TValueType::vaDouble:
      skip(8);
      break;
    case TValueType::vaExtended:
      skip(10);
      break;
    case TValueType::vaString:
    case TValueType::vaIdent:
      ReadStr();
      break;
    case TValueType::vaBinary:
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
      skip(ReadLength());
      break;
    case TValueType::vaWString:
      skip(2 * static_cast<std::int64_t>(ReadLittleEndian<std::uint32_t>(*this)));
      break;
    case TValueType::vaSet:
      ReadSet();
      break;
    case TValueType::vaCollection:
      while (!EndOfList()) {
        if (IsInteger(NextValue())) SkipValue();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
  }
  --depth_;
}

TComponent* ReadComponentFromStream(TStream& stream, TComponent* root, bool lenient, const TTextPlaces& places,
                                    std::vector<std::string>* errors) {
  TReader reader(stream);
  reader.SetLenient(lenient);
  reader.SetTextPlaces(places, stream.Position());
  TComponent* result = reader.ReadRootComponent(root);
  if (errors) *errors = reader.Errors();
  return result;
}

}  // namespace rtl
