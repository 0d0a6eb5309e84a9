#pragma once
// TvgStorage: a small typed store of named values (integer, single, wide
// string, Boolean, binary) that saves itself as a component stream of the
// class library: binary ("TPF0", a root of class "Root" whose properties are
// the items) through streams, and the readable text form through files.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/Filer.h"
#include "platform/rtl/Persistent.h"
#include "platform/rtl/Streams.h"
#include "ui/core/vg_widestrings.h"

namespace vg {

class TvgStorageItem : public rtl::TPersistent {
  RTL_CLASS(TvgStorageItem, rtl::TPersistent)

  // The value type of the class library's streams: 4 integer, 15 single,
  // 18 wide string, 8 false, 9 true, 10 binary; after a load also the
  // types read (2, 3, 5, 6, 12, 20); 0 while no value was set.
  std::uint8_t Type() const { return FType; }
  void SetType(std::uint8_t type) { FType = type; }

  std::int32_t AsInteger() const { return FAsInteger; }
  void SetAsInteger(std::int32_t value);
  float AsFloat() const { return FAsFloat; }
  void SetAsFloat(float value);
  const WideString& AsString() const { return FAsString; }
  void SetAsString(const WideString& value);
  // True exactly when the type is 9.
  bool AsBool() const { return FType == 9; }
  void SetAsBool(bool value);
  // Makes the item binary and returns its stream (owned by the item).
  rtl::TMemoryStream& AsStream();

 private:
  std::uint8_t FType = 0;
  WideString FAsString;
  float FAsFloat = 0;
  std::int32_t FAsInteger = 0;
  std::unique_ptr<rtl::TMemoryStream> FStream;
};

class TvgStorage : public rtl::TPersistent {
  RTL_CLASS(TvgStorage, rtl::TPersistent)

  TvgStorage();
  ~TvgStorage() override;

  int Count() const { return FItems->Count(); }
  WideString Name(int index) const { return FItems->Get(index); }
  // The item of that name (case-insensitive), made and appended when new.
  TvgStorageItem& Values(const WideString& name);

  // The binary layout: "TPF0", class "Root", empty name, the items as
  // properties (items without a value are left out), two end markers.
  void SaveToStream(rtl::TStream& stream);
  // Reads the items from the binary layout (existing names are updated);
  // a damaged stream raises the stream error (EReadError).
  void LoadFromStream(rtl::TStream& stream);
  // The text form of the layout, through the program's file writer.
  void SaveToFile(const std::string& fileName);
  // Raises EFOpenError for a missing file, the parser's error for bad text.
  void LoadFromFile(const std::string& fileName);

 private:
  void WriteItem(rtl::TWriter& writer, TvgStorageItem& item);
  void ReadItem(rtl::TReader& reader, TvgStorageItem& item);

  std::unique_ptr<TvgWideStringList> FItems;
};

}  // namespace vg
