#include <cstring>
#include <limits>

#include "platform/rtl/Collection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ExtendedFloat.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"

namespace rtl {

namespace {

constexpr int kMaxWriteDepth = 256;

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

template <class T>
void WriteLittleEndian(TWriter& writer, T value) {
  std::uint8_t bytes[sizeof(T)];
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(T));
  for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  writer.Write(bytes, sizeof bytes);
}

}  // namespace

void TWriter::WriteSignature() { Write(kFilerSignature, sizeof kFilerSignature); }

void TWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  WriteSignature();
  WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component) {
  if (!root_) root_ = component;
  if (++depth_ > kMaxWriteDepth) throw EWriteError("Component tree too deep to write");
  component->IncludeState(csWriting);
  try {
    WriteStr(component->ClassName());
    WriteStr(component->Name());
    WriteProperties(component);
    WriteListEnd();
    component->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
    WriteListEnd();
  } catch (...) {
    component->ExcludeState(csWriting);
    --depth_;
    throw;
  }
  component->ExcludeState(csWriting);
  --depth_;
}

void TWriter::WriteProperties(TPersistent* instance) {
  if (++depth_ > kMaxWriteDepth) throw EWriteError("Nested properties too deep to write");
  for (const TPropertyInfo* property : PublishedOf(instance->ClassType()).Properties())
    if (!property->IsRunTimeOnly()) WriteProperty(instance, *property);
  instance->DefineProperties(*this);
  --depth_;
}

void TWriter::WriteProperty(TPersistent* instance, const TPropertyInfo& property) {
  if (!property.IsStored(instance)) return;
  const std::string& name = property.Name();
  switch (property.Kind()) {
    case pkInteger:
      WritePropertyName(name);
      return WriteInteger(property.GetOrdinal(instance));
    case pkEnumeration:
      WritePropertyName(name);
      return WriteIdent(property.EnumType()->Name(static_cast<int>(property.GetOrdinal(instance))));
    case pkBoolean:
      WritePropertyName(name);
      return WriteBoolean(property.GetOrdinal(instance) != 0);
    case pkSet: {
      const auto bits = static_cast<std::uint64_t>(property.GetOrdinal(instance));
      std::vector<std::string> names;
      for (int i = 0; i < property.EnumType()->Count() && i < 64; ++i)
        if (bits & (std::uint64_t{1} << i)) names.push_back(property.EnumType()->Name(i));
      WritePropertyName(name);
      return WriteSet(names);
    }
    case pkFloat:
      WritePropertyName(name);
      return WriteFloat(property.GetFloat(instance));
    case pkString:
      WritePropertyName(name);
      return WriteString(property.GetString(instance));
    case pkWideString:
      WritePropertyName(name);
      return WriteWideString(property.GetWideString(instance));
    case pkComponent: {
      auto* component = static_cast<TComponent*>(property.GetObject(instance));
      if (component && component->IsSubComponent()) return WriteNestedProperties(name, component);
      const std::string reference = ReferenceName(component);
      if (reference.empty()) return;
      WritePropertyName(name);
      return WriteIdent(reference);
    }
    case pkEvent: {
      const std::string method = property.GetMethodName(instance);
      if (method.empty()) return;
      WritePropertyName(name);
      return WriteIdent(method);
    }
    case pkObject: {
      auto* nested = dynamic_cast<TPersistent*>(property.GetObject(instance));
      if (nested) WriteNestedProperties(name, nested);
      return;
    }
    case pkCollection: {
      auto* collection = dynamic_cast<TCollection*>(property.GetObject(instance));
      if (!collection || collection->Count() == 0) return;
      WritePropertyName(name);
      WriteValue(TValueType::vaCollection);
      const std::string outer = prefix_;
      prefix_.clear();
      try {
        for (int i = 0; i < collection->Count(); ++i) {
          WriteListBegin();
          WriteProperties(collection->Items(i));
          WriteListEnd();
        }
      } catch (...) {
        prefix_ = outer;
        throw;
      }
      prefix_ = outer;
      return WriteListEnd();
    }
  }
}

void TWriter::WriteNestedProperties(const std::string& name, TPersistent* nested) {
  const std::string outer = prefix_;
  prefix_ += name + ".";
  try {
    WriteProperties(nested);
  } catch (...) {
    prefix_ = outer;
    throw;
  }
  prefix_ = outer;
}

std::string TWriter::ReferenceName(TComponent* component) const {
  if (!component || component->Name().empty()) return {};
  if (component == root_ || component->Owner() == root_) return component->Name();
  TComponent* owner = component->Owner();
  if (owner && !owner->Name().empty()) return owner->Name() + "." + component->Name();
  return {};
}

void TWriter::WritePropertyName(std::string_view name) { WriteStr(prefix_ + std::string(name)); }

void TWriter::DefineProperty(std::string_view name, const TReaderProc&, const TWriterProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WritePropertyName(name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(std::string_view name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream data;
  writeData(data);
  WritePropertyName(name);
  WriteBinary(data.Memory(), static_cast<std::size_t>(data.Size()));
}

void TWriter::WriteValue(TValueType type) {
  const auto byte = static_cast<std::uint8_t>(type);
  Write(&byte, 1);
}

void TWriter::WriteInteger(std::int64_t value) {
  if (value >= -128 && value <= 127) {
    WriteValue(TValueType::vaInt8);
    WriteLittleEndian(*this, static_cast<std::int8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    WriteValue(TValueType::vaInt16);
    WriteLittleEndian(*this, static_cast<std::int16_t>(value));
  } else if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
    WriteValue(TValueType::vaInt32);
    WriteLittleEndian(*this, static_cast<std::int32_t>(value));
  } else {
    WriteValue(TValueType::vaInt64);
    WriteLittleEndian(*this, value);
  }
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse); }

void TWriter::WriteFloat(double value) {
  WriteValue(TValueType::vaExtended);
  const TExtended80 bytes = DoubleToExtended(value);
  Write(bytes.data(), bytes.size());
}

void TWriter::WriteSingle(float value) {
  WriteValue(TValueType::vaSingle);
  WriteLittleEndian(*this, value);
}

void TWriter::WriteDouble(double value) {
  WriteValue(TValueType::vaDouble);
  WriteLittleEndian(*this, value);
}

void TWriter::WriteDate(double value) {
  WriteValue(TValueType::vaDate);
  WriteLittleEndian(*this, value);
}

void TWriter::WriteCurrency(std::int64_t tenThousandths) {
  WriteValue(TValueType::vaCurrency);
  WriteLittleEndian(*this, tenThousandths);
}

void TWriter::WriteString(std::string_view utf8) {
  if (IsAscii(utf8) && utf8.size() <= 255) {
    WriteValue(TValueType::vaString);
    return WriteStr(utf8);
  }
  if (utf8.size() > std::numeric_limits<std::uint32_t>::max()) throw EWriteError("String too long to write");
  WriteValue(IsAscii(utf8) ? TValueType::vaLString : TValueType::vaUTF8String);
  WriteLittleEndian(*this, static_cast<std::uint32_t>(utf8.size()));
  Write(utf8.data(), utf8.size());
}

void TWriter::WriteWideString(std::u16string_view text) {
  bool ascii = true;
  for (char16_t unit : text) ascii = ascii && unit < 0x80;
  if (ascii) return WriteString(Utf16ToUtf8(text));
  if (text.size() > std::numeric_limits<std::uint32_t>::max() / 2) throw EWriteError("String too long to write");
  WriteValue(TValueType::vaWString);
  WriteLittleEndian(*this, static_cast<std::uint32_t>(text.size()));
  for (char16_t unit : text) WriteLittleEndian(*this, static_cast<std::uint16_t>(unit));
}

void TWriter::WriteIdent(std::string_view ident) {
  if (SameText(ident, "False")) return WriteValue(TValueType::vaFalse);
  if (SameText(ident, "True")) return WriteValue(TValueType::vaTrue);
  if (SameText(ident, "nil")) return WriteValue(TValueType::vaNil);
  WriteValue(TValueType::vaIdent);
  WriteStr(ident);
}

void TWriter::WriteSet(const std::vector<std::string>& names) {
  WriteValue(TValueType::vaSet);
  for (const std::string& name : names) WriteStr(name);
  WriteStr("");
}

void TWriter::WriteBinary(const void* data, std::size_t size) {
  if (size > std::numeric_limits<std::uint32_t>::max()) throw EWriteError("Binary value too long to write");
  WriteValue(TValueType::vaBinary);
  WriteLittleEndian(*this, static_cast<std::uint32_t>(size));
  if (size) Write(data, size);
}

void TWriter::WriteStr(std::string_view text) {
  if (text.size() > 255)
    throw EWriteError(Format("Name too long to write: %.*s...", 32, std::string(text).c_str()));
  const auto length = static_cast<std::uint8_t>(text.size());
  Write(&length, 1);
  if (length) Write(text.data(), length);
}

void WriteComponentToStream(TStream& stream, TComponent* root) {
  TWriter writer(stream);
  writer.WriteRootComponent(root);
}

}  // namespace rtl
