#include "ui/core/vg_storage.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ObjectText.h"
#include "platform/rtl/TextConvert.h"

namespace vg {

namespace {

using rtl::TValueType;

constexpr std::size_t kMaxShortString = 255;
constexpr const char* kRootClass = "Root";

// A name as a short string: at most 255 bytes, cut at a character's start.
std::string ShortName(const WideString& name) {
  std::string utf8 = rtl::Utf16ToUtf8(name);
  if (utf8.size() <= kMaxShortString) return utf8;
  std::size_t cut = kMaxShortString;
  while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
  return utf8.substr(0, cut);
}

// The value types an item holds.
bool HasEncoding(TValueType type) {
  switch (type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaExtended:
    case TValueType::vaSingle:
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaBinary: return true;
    default: return false;
  }
}

}  // namespace

// ----- TvgStorageItem

void TvgStorageItem::SetAsInteger(std::int32_t value) {
  FAsInteger = value;
  FType = std::uint8_t(TValueType::vaInt32);
}

void TvgStorageItem::SetAsFloat(float value) {
  FAsFloat = value;
  FType = std::uint8_t(TValueType::vaSingle);
}

void TvgStorageItem::SetAsString(const WideString& value) {
  FAsString = value;
  FType = std::uint8_t(TValueType::vaWString);
}

void TvgStorageItem::SetAsBool(bool value) {
  FType = std::uint8_t(value ? TValueType::vaTrue : TValueType::vaFalse);
}

rtl::TMemoryStream& TvgStorageItem::AsStream() {
  FType = std::uint8_t(TValueType::vaBinary);
  if (!FStream) FStream = std::make_unique<rtl::TMemoryStream>();
  return *FStream;
}

// ----- TvgStorage

TvgStorage::TvgStorage() : FItems(std::make_unique<TvgWideStringList>()) {}

TvgStorage::~TvgStorage() {
  for (int i = 0; i < FItems->Count(); ++i) delete FItems->GetObject(i);
}

TvgStorageItem& TvgStorage::Values(const WideString& name) {
  const int index = FItems->IndexOf(name);
  if (index >= 0) return *static_cast<TvgStorageItem*>(FItems->GetObject(index));
  auto* item = new TvgStorageItem;
  FItems->AddObject(name, item);
  return *item;
}

void TvgStorage::WriteItem(rtl::TWriter& writer, TvgStorageItem& item) {
  switch (TValueType(item.Type())) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32: writer.WriteInteger(item.AsInteger()); break;
    case TValueType::vaExtended:
    case TValueType::vaSingle: writer.WriteFloat(item.AsFloat()); break;
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String: writer.WriteWideString(item.AsString()); break;
    case TValueType::vaFalse:
    case TValueType::vaTrue: writer.WriteValue(TValueType(item.Type())); break;
    case TValueType::vaBinary: {
      const rtl::TBytes bytes = [&] {
        rtl::TMemoryStream& stream = item.AsStream();
        rtl::TBytes data(static_cast<std::size_t>(stream.Size()));
        const std::int64_t position = stream.Position();
        stream.SetPosition(0);
        if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
        stream.SetPosition(position);
        return data;
      }();
      writer.WriteBinary(bytes.data(), bytes.size());
      break;
    }
    default: break;
  }
}

void TvgStorage::SaveToStream(rtl::TStream& stream) {
  rtl::TWriter writer(stream);
  writer.WriteSignature();
  writer.WriteStr(kRootClass);
  writer.WriteStr("");
  for (int i = 0; i < FItems->Count(); ++i) {
    auto& item = *static_cast<TvgStorageItem*>(FItems->GetObject(i));
    if (!HasEncoding(TValueType(item.Type()))) continue;  // never given a value
    writer.WriteStr(ShortName(FItems->Get(i)));
    WriteItem(writer, item);
  }
  writer.WriteListEnd();
  writer.WriteListEnd();
}

void TvgStorage::ReadItem(rtl::TReader& reader, TvgStorageItem& item) {
  const TValueType type = reader.NextValue();
  if (!HasEncoding(type)) throw rtl::EReadError("Invalid property value");
  switch (type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32: item.SetAsInteger(std::int32_t(reader.ReadInteger())); break;
    case TValueType::vaExtended:
    case TValueType::vaSingle: item.SetAsFloat(float(reader.ReadFloat())); break;
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String: item.SetAsString(reader.ReadWideString()); break;
    case TValueType::vaFalse:
    case TValueType::vaTrue: item.SetAsBool(reader.ReadBoolean()); break;
    case TValueType::vaBinary: {
      reader.ReadValue();
      const rtl::TBytes bytes = reader.ReadBinary();
      rtl::TMemoryStream& stream = item.AsStream();
      stream.SetSize(0);
      if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
      stream.SetPosition(0);
      break;
    }
    default: break;
  }
  item.SetType(std::uint8_t(type));
}

void TvgStorage::LoadFromStream(rtl::TStream& stream) {
  rtl::TReader reader(stream);
  reader.ReadSignature();
  reader.ReadStr();
  reader.ReadStr();
  while (!reader.EndOfList()) {
    const WideString name = rtl::Utf8ToUtf16(reader.ReadStr());
    ReadItem(reader, Values(name));
  }
  reader.ReadListEnd();  // end of the properties
  reader.ReadListEnd();  // end of the children
}

void TvgStorage::SaveToFile(const std::string& fileName) {
  rtl::TMemoryStream binary;
  SaveToStream(binary);
  binary.SetPosition(0);
  rtl::TMemoryStream text;
  rtl::ObjectBinaryToText(binary, text);
  text.SaveToFile(fileName);
}

void TvgStorage::LoadFromFile(const std::string& fileName) {
  rtl::TFileStream file(fileName, rtl::fmOpenRead);
  rtl::TMemoryStream binary;
  rtl::ObjectTextToBinary(file, binary);
  binary.SetPosition(0);
  LoadFromStream(binary);
}

}  // namespace vg
