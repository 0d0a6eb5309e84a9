#pragma once
// Component streaming in the binary form ("TPF0"): TWriter writes a
// component tree, TReader reads one back; both are the TFiler a persistent's
// DefineProperties sees.
//
// Binary form: the signature "TPF0", then one component: an optional prefix
// byte 0xF0|flags, the class name and the component name as short strings
// (a length byte, then the bytes), its properties (name as a short string,
// dotted for nested persistents such as "Fill.Color", then a tagged value)
// ended by a 0 byte, its child components, and a 0 byte ending the children.
// Value tags are TValueType; payloads are little-endian.
//
// Writing: properties in declaration order, base class first, each only when
// its stored rule holds and it differs from its default; then what the
// persistent declares in DefineProperties; then the children its
// GetChildren reports.
//
// Reading: each component is created from its registered class with the
// root as owner, named, attached to the component whose data holds it
// through SetParentComponent, and read; after the whole stream, component
// references and event handlers are fixed up by name (components owned by
// the root, published methods of the root's class), and every component read
// gets Loaded, in reading order. A malformed, truncated or oversized stream
// raises EReadError; an unknown class raises EClassNotFound "Class %s not
// found". Property errors (an unknown property, a value of the wrong kind,
// an unknown reference or method, any exception of a custom property's
// reader) raise EReadError "Error reading <component>.<property>: <reason>"
// in strict mode; in lenient mode they are recorded in Errors() and the
// value is skipped.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Component.h"
#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

namespace rtl {

enum class TValueType : std::uint8_t {
  vaNull = 0,  // end of a list
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,  // length byte, bytes
  vaIdent = 7,   // length byte, bytes
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,  // 32-bit length, bytes
  vaSet = 11,     // short strings until an empty one
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,  // 64-bit integer / 10000
  vaDate = 17,      // 64-bit float
  vaWString = 18,   // 32-bit count of UTF-16 units, units
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};
constexpr std::uint8_t kMaxValueType = 21;

// The first four bytes of a binary component stream.
inline constexpr char kFilerSignature[4] = {'T', 'P', 'F', '0'};

class TReader;
class TWriter;

class TFiler {
 public:
  using TReaderProc = std::function<void(TReader&)>;
  using TWriterProc = std::function<void(TWriter&)>;
  using TStreamProc = std::function<void(TStream&)>;

  explicit TFiler(TStream& stream) : stream_(stream) {}
  virtual ~TFiler() = default;
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;

  // A custom property holding one value (or a list) of any kind: the
  // writer calls `writeData` when `hasData`; the reader calls `readData`
  // when the stream holds a property of that name.
  virtual void DefineProperty(std::string_view name, const TReaderProc& readData, const TWriterProc& writeData,
                              bool hasData) = 0;
  // A custom property holding raw bytes (vaBinary): `writeData` fills a
  // stream; `readData` gets a stream over exactly the property's bytes.
  virtual void DefineBinaryProperty(std::string_view name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;

  TStream& Stream() { return stream_; }
  TComponent* Root() const { return root_; }

 protected:
  TStream& stream_;
  TComponent* root_ = nullptr;
};

class TWriter : public TFiler {
 public:
  explicit TWriter(TStream& stream) : TFiler(stream) {}

  // The signature, then `root` as the root of the tree.
  void WriteRootComponent(TComponent* root);
  void WriteSignature();
  void WriteComponent(TComponent* component);

  void DefineProperty(std::string_view name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(std::string_view name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  // Values, for DefineProperty writers and the converters.
  void WriteValue(TValueType type);
  void WriteListBegin() { WriteValue(TValueType::vaList); }
  void WriteListEnd() { WriteValue(TValueType::vaNull); }
  // vaInt8, vaInt16, vaInt32 or vaInt64, the smallest that holds the value.
  void WriteInteger(std::int64_t value);
  void WriteBoolean(bool value);
  void WriteFloat(double value);  // vaExtended
  void WriteSingle(float value);
  void WriteDouble(double value);
  void WriteDate(double value);
  void WriteCurrency(std::int64_t tenThousandths);
  // UTF-8 text: plain ASCII as vaString (up to 255 bytes) or vaLString,
  // anything else as vaUTF8String.
  void WriteString(std::string_view utf8);
  // UTF-16 text: plain ASCII as WriteString, anything else as vaWString.
  void WriteWideString(std::u16string_view text);
  void WriteIdent(std::string_view ident);
  void WriteSet(const std::vector<std::string>& names);
  void WriteBinary(const void* data, std::size_t size);
  // A short string (length byte); longer than 255 bytes raises EWriteError.
  void WriteStr(std::string_view text);
  void Write(const void* data, std::size_t size) { stream_.WriteBuffer(data, static_cast<std::int64_t>(size)); }

 private:
  void WriteProperties(TPersistent* instance);
  void WriteProperty(TPersistent* instance, const TPropertyInfo& property);
  // The properties of `nested` under the prefix "<name>.".
  void WriteNestedProperties(const std::string& name, TPersistent* nested);
  void WritePropertyName(std::string_view name);
  std::string ReferenceName(TComponent* component) const;

  std::string prefix_;  // dotted path of the nested persistent being written
  int depth_ = 0;
};

class TReader : public TFiler {
 public:
  explicit TReader(TStream& stream) : TFiler(stream) {}
  ~TReader() override;

  // Property errors are recorded and skipped instead of raised.
  void SetLenient(bool lenient) { lenient_ = lenient; }
  bool Lenient() const { return lenient_; }
  // The property errors a lenient read went past.
  const std::vector<std::string>& Errors() const { return errors_; }
  // Where the stream's bytes came from in a text form; `base` is the
  // stream position of the binary form's start. With places, every error
  // begins with "<source>:<line>:<column>: ", a missing property reads
  // "<Class> has no property '<Name>'" and a class that is not registered
  // "<component>: Class <Class> not found".
  void SetTextPlaces(TTextPlaces places, std::int64_t base = 0) {
    places_ = std::move(places);
    placesBase_ = base;
  }
  // Called with each component and the name the stream gives it, before the
  // name is set; may change the name (to "" for clones, say).
  std::function<void(TComponent* component, std::string& name)> OnSetName;

  // Reads the signature and one component tree into `root`, or, when `root`
  // is nullptr, into a new instance of the stream's root class (without
  // owner). Returns the root. A root created here is freed on failure.
  TComponent* ReadRootComponent(TComponent* root);
  void ReadSignature();
  // The class name of the stream's root, read from its header (the stream's
  // position is restored).
  std::string PeekRootClassName();

  void DefineProperty(std::string_view name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(std::string_view name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  // Values, for DefineProperty readers and the converters. A value of
  // another kind than asked raises EReadError "Invalid property value".
  TValueType ReadValue();
  TValueType NextValue();
  // True when the next byte is the 0 that ends a list (not consumed).
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  std::int64_t ReadInteger();  // any integer tag
  bool ReadBoolean();
  double ReadFloat();  // any float tag, or an integer
  std::string ReadString();       // any string tag, as UTF-8
  WideString ReadWideString();    // any string tag, as UTF-16
  std::string ReadIdent();        // also True, False, nil, Null
  std::vector<std::string> ReadSet();  // after the vaSet tag
  TBytes ReadBinary();                 // after the vaBinary tag
  std::string ReadStr();               // a short string
  // Skips one value of any kind, lists and collections included.
  void SkipValue();
  // Raw payload bytes, bounded by what the stream still holds.
  void Read(void* data, std::size_t size) { stream_.ReadBuffer(data, static_cast<std::int64_t>(size)); }
  std::uint32_t ReadLength();

 private:
  // A component reference or event handler named in the stream, set once
  // the whole tree is read.
  struct Fixup {
    TComponent* component;  // whose data held it
    TPersistent* instance;  // the object holding the property
    const TPropertyInfo* property;
    std::string name;
    std::string path;
    std::vector<TCollectionItem*> items;  // the collection items being read around it, outermost first
    std::int64_t offset;                  // where its property starts in the stream
  };
  class Watch;

  TComponent* ReadComponent(TComponent* parent);
  void AdoptChild(TComponent* parent, TComponent* child, std::int64_t start);
  void ReadComponentData(TComponent* component);
  void ReadProperty(TPersistent* instance);
  void ReadPropertyValue(TPersistent* instance, const TPropertyInfo& property);
  void ReadCollection(TCollection* collection);
  void SetComponentName(TComponent* component, std::string name);
  void FixupReferences();
  void DropFixupsOfItems(const TCollection& collection);
  // `placedMessage`, when given, replaces the whole message once places are known.
  void PropertyError(const std::string& message, const std::string& placedMessage = {});
  std::string PlaceOf(std::int64_t offset) const;
  void CheckDepth();
  void Forget(TComponent* component);
  void ReleaseLoaded();
  std::string CurrentName() const;

  bool lenient_ = false;
  std::vector<std::string> errors_;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  std::vector<TCollectionItem*> itemStack_;  // collection items being read, outermost first
  Watch* watch_ = nullptr;
  TComponent* current_ = nullptr;  // the component whose data is being read
  std::string propertyPath_;       // the property being read
  std::int64_t propertyStart_ = 0;  // stream position of its name
  std::int64_t componentStart_ = 0;  // stream position of the header of the component being named
  TTextPlaces places_;
  std::int64_t placesBase_ = 0;
  std::string pendingName_;        // the defined property DefineProperties looks for
  bool pendingFound_ = false;
  int depth_ = 0;
};

// Reads a binary stream into `root` (or a new root) in lenient or strict
// mode; the shorthand of a TReader. `places` name the text the stream came
// from in messages (TReader::SetTextPlaces); `errors`, when given, receives
// the errors a lenient read went past.
TComponent* ReadComponentFromStream(TStream& stream, TComponent* root, bool lenient, const TTextPlaces& places = {},
                                    std::vector<std::string>* errors = nullptr);
void WriteComponentToStream(TStream& stream, TComponent* root);

}  // namespace rtl
