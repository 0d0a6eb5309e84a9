#pragma once
// The PDF writer's value model and its byte-exact serialisation.
//
// Values: null, booleans, integers, reals, strings, text strings, names,
// arrays, dictionaries, streams and raw bytes. A value is direct (it belongs
// to exactly one container, which frees it) until an object manager
// registers it and gives it a positive number; from then on it is indirect,
// owned by the manager, and every container that receives it stores a
// reference (`TPdfVirtualObject`) instead.
//
// Ownership at the container boundary: `AddItem` takes ownership of a direct
// value or of a reference handed to it; for an indirect value it stores a new
// reference and the manager keeps the value. Getters return non-owning
// pointers that stay valid while the container holds the item.
//
// Text: string values are UTF-16. Everything written goes out as bytes; text
// values are converted to an 8-bit code page (`kPdfAnsiCodePage` unless a font
// says otherwise), names are written as escaped UTF-8, numbers always with "."
// whatever the locale.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

namespace pdf {

using rtl::WideString;

// Misuse of the writer: a bad argument or bad data.
class EPdfInvalidValue : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// Misuse of the writer: a call in the wrong state.
class EPdfInvalidOperation : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

using rtl::TDateTime;

// The 8-bit code page of text outside the content streams and of the standard
// fonts (WinAnsi).
inline constexpr const char* kPdfAnsiCodePage = "CP1252";

enum class TPdfObjectType { otDirectObject, otIndirectObject, otVirtualObject };
enum class TPdfAlignment { paLeftJustify, paRightJustify, paCenter };

struct TPdfRect {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TPdfObject;

// Numbers and owns indirect objects; the document's cross-reference table.
class TPdfObjectMgr {
 public:
  virtual ~TPdfObjectMgr() = default;
  // Takes ownership of `object` and makes it indirect with the next number.
  virtual void AddObject(TPdfObject* object) = 0;
  // The indirect object with that number, or null.
  virtual TPdfObject* GetObject(int objectId) = 0;
};

// Base of every value.
class TPdfObject {
 public:
  TPdfObject() = default;
  TPdfObject(const TPdfObject&) = delete;
  TPdfObject& operator=(const TPdfObject&) = delete;
  virtual ~TPdfObject() = default;

  TPdfObjectType ObjectType() const { return objectType_; }
  int ObjectNumber() const { return objectNumber_; }
  int GenerationNumber() const { return generationNumber_; }
  // Only the object manager calls this: a positive number makes the object
  // indirect, anything else direct.
  void SetObjectNumber(int value);

  // Writes the object where it is used: "n 0 R" for an indirect object or a
  // reference, else the value's own form.
  void WriteToStream(rtl::TStream& stream);
  // Writes an indirect object's definition "n 0 obj" CR LF value CR LF
  // "endobj" CR LF. Raises EPdfInvalidOperation "internal error wrong object
  // type" for an object that is not indirect.
  void WriteValueToStream(rtl::TStream& stream);

 protected:
  // The value's own text form.
  virtual void WriteValue(rtl::TStream& stream) = 0;
  void SetObjectType(TPdfObjectType type) { objectType_ = type; }

 private:
  TPdfObjectType objectType_ = TPdfObjectType::otDirectObject;
  int objectNumber_ = -1;
  int generationNumber_ = 0;
};

// A reference to an indirect object.
class TPdfVirtualObject : public TPdfObject {
 public:
  static TPdfVirtualObject* CreateVirtual(int objectId) { return new TPdfVirtualObject(objectId); }

 protected:
  void WriteValue(rtl::TStream&) override {}

 private:
  explicit TPdfVirtualObject(int objectId);
};

class TPdfNull : public TPdfObject {
 protected:
  void WriteValue(rtl::TStream& stream) override;
};

// A value of type T held by the object itself; each subclass writes its own
// text form.
template <class T>
class TPdfValue : public TPdfObject {
 public:
  explicit TPdfValue(T value = T()) : value_(std::move(value)) {}
  const T& Value() const { return value_; }
  void SetValue(T value) { value_ = std::move(value); }

 private:
  T value_;
};

class TPdfBoolean : public TPdfValue<bool> {
 public:
  using TPdfValue::TPdfValue;
  static TPdfBoolean* CreateBoolean(bool value) { return new TPdfBoolean(value); }

 protected:
  void WriteValue(rtl::TStream& stream) override;
};

class TPdfNumber : public TPdfValue<std::int32_t> {
 public:
  using TPdfValue::TPdfValue;
  static TPdfNumber* CreateNumber(std::int32_t value) { return new TPdfNumber(value); }

 protected:
  void WriteValue(rtl::TStream& stream) override;
};

class TPdfReal : public TPdfValue<double> {
 public:
  using TPdfValue::TPdfValue;
  static TPdfReal* CreateReal(double value) { return new TPdfReal(value); }

 protected:
  void WriteValue(rtl::TStream& stream) override;
};

// A string: "(literal)" in the ANSI code page; a character it cannot hold
// becomes "?".
class TPdfString : public TPdfValue<WideString> {
 public:
  using TPdfValue::TPdfValue;
  static TPdfString* CreateString(WideString value) { return new TPdfString(std::move(value)); }

 protected:
  void WriteValue(rtl::TStream& stream) override;
};

// A text string, as readers show titles and authors: a "(literal)" in
// PDFDocEncoding when every character has a code there, otherwise "<FEFF...>",
// UTF-16BE after the byte-order mark.
class TPdfText : public TPdfValue<WideString> {
 public:
  using TPdfValue::TPdfValue;
  static TPdfText* CreateText(WideString value) { return new TPdfText(std::move(value)); }

 protected:
  void WriteValue(rtl::TStream& stream) override;
};

// A name; the value is UTF-8 text without the leading solidus.
class TPdfName : public TPdfValue<std::string> {
 public:
  using TPdfValue::TPdfValue;
  static TPdfName* CreateName(std::string value) { return new TPdfName(std::move(value)); }

 protected:
  void WriteValue(rtl::TStream& stream) override;
};

// An ordered list of values. `objectMgr` (not owned, may be null) resolves
// references in `Items`.
class TPdfArray : public TPdfObject {
 public:
  static TPdfArray* CreateArray(TPdfObjectMgr* objectMgr) { return new TPdfArray(objectMgr); }
  static TPdfArray* CreateNumArray(TPdfObjectMgr* objectMgr, const std::vector<std::int32_t>& values);
  explicit TPdfArray(TPdfObjectMgr* objectMgr = nullptr) : objectMgr_(objectMgr) {}

  // Appends `item` (ownership as described at the top); an item already in
  // the array is not added twice.
  void AddItem(TPdfObject* item);
  // The item at `index`; a reference is resolved (null without a manager).
  TPdfObject* Items(int index) const;
  int ItemCount() const { return static_cast<int>(items_.size()); }
  TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }
  // For arrays of names: the first name with that text, or null.
  TPdfName* FindName(std::string_view name) const;
  // Removes and frees the first such name; false when there is none.
  bool RemoveName(std::string_view name);

 protected:
  void WriteValue(rtl::TStream& stream) override;

 private:
  std::vector<std::unique_ptr<TPdfObject>> items_;
  TPdfObjectMgr* objectMgr_;
};

// One key/value pair of a dictionary; owns its value. An internal element is
// for the program's own use and is never written.
class TPdfDictionaryElement {
 public:
  // Raises EPdfInvalidValue "internal error. wrong object." for a null value.
  TPdfDictionaryElement(std::string key, TPdfObject* value, bool isInternal = false);
  const std::string& Key() const { return key_.Value(); }
  TPdfObject* Value() const { return value_.get(); }
  bool IsInternal() const { return isInternal_; }
  // Gives up the value without freeing it.
  TPdfObject* ReleaseValue() { return value_.release(); }

 private:
  friend class TPdfDictionary;
  TPdfName key_;
  std::unique_ptr<TPdfObject> value_;
  bool isInternal_;
};

class TPdfDictionary : public TPdfObject {
 public:
  static TPdfDictionary* CreateDictionary(TPdfObjectMgr* objectMgr) { return new TPdfDictionary(objectMgr); }
  explicit TPdfDictionary(TPdfObjectMgr* objectMgr = nullptr) : objectMgr_(objectMgr) {}

  // Replaces any element with that key by a new one at the end.
  void AddItem(const std::string& key, TPdfObject* value);
  void AddNumberItem(const std::string& key, std::int32_t value);
  void AddNameItem(const std::string& key, std::string value);
  // As AddItem, but the element is internal: kept, never written.
  void AddInternalItem(const std::string& key, TPdfObject* value);
  void RemoveItem(std::string_view key);

  // The value under `key` (internal elements included), a reference resolved
  // through the manager; null when missing or unresolvable.
  TPdfObject* ValueByName(std::string_view key) const;
  // ValueByName as that class; null when missing or of another class.
  TPdfBoolean* PdfBooleanByName(std::string_view key) const;
  TPdfNumber* PdfNumberByName(std::string_view key) const;
  TPdfText* PdfTextByName(std::string_view key) const;
  TPdfReal* PdfRealByName(std::string_view key) const;
  TPdfString* PdfStringByName(std::string_view key) const;
  TPdfName* PdfNameByName(std::string_view key) const;
  TPdfDictionary* PdfDictionaryByName(std::string_view key) const;
  TPdfArray* PdfArrayByName(std::string_view key) const;

  TPdfDictionaryElement* Items(int index) const { return elements_[static_cast<size_t>(index)].get(); }
  int ItemCount() const { return static_cast<int>(elements_.size()); }
  TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }

 protected:
  void WriteValue(rtl::TStream& stream) override;

 private:
  void Append(const std::string& key, TPdfObject* value, bool isInternal);
  std::vector<std::unique_ptr<TPdfDictionaryElement>> elements_;
  TPdfObjectMgr* objectMgr_;
};

// A stream: attribute dictionary ("Length", "Filter", ...) and data bytes.
// It is written uncompressed; "FlateDecode" is dropped from "Filter" then.
class TPdfStream : public TPdfObject {
 public:
  static TPdfStream* CreateStream(TPdfObjectMgr* objectMgr) { return new TPdfStream(objectMgr); }
  explicit TPdfStream(TPdfObjectMgr* objectMgr = nullptr);
  TPdfDictionary* Attributes() const { return attributes_.get(); }
  rtl::TMemoryStream& Stream() { return stream_; }

 protected:
  void WriteValue(rtl::TStream& stream) override;

 private:
  std::unique_ptr<TPdfDictionary> attributes_;
  rtl::TMemoryStream stream_;
};

// External objects (images) drawn with "Do".
class TPdfXObject : public TPdfStream {
 public:
  using TPdfStream::TPdfStream;
};

class TPdfImage : public TPdfXObject {
 public:
  using TPdfXObject::TPdfXObject;
};

// Raw bytes written as they are.
class TPdfBinary : public TPdfObject {
 public:
  rtl::TMemoryStream& Stream() { return stream_; }

 protected:
  void WriteValue(rtl::TStream& stream) override;

 private:
  rtl::TMemoryStream stream_;
};

// Table rows the font classes fill their dictionaries from.
struct TPDF_STR_TBL {
  const char* KEY;
  const char* VAL;
};
struct TPDF_INT_TBL {
  const char* KEY;
  std::int32_t VAL;
};

// Classes found by a text alias (fonts, image creators); aliases compare
// without regard to ASCII case.
template <class Factory>
class TPdfAliasRegistry {
 public:
  void Register(const std::string& alias, Factory factory) { factories_[Key(alias)] = std::move(factory); }
  // Raises rtl::EClassNotFound "Class %s not found" for an unknown alias.
  const Factory& Find(const std::string& alias) const {
    const auto found = factories_.find(Key(alias));
    if (found == factories_.end()) throw rtl::EClassNotFound(rtl::Format("Class %s not found", alias.c_str()));
    return found->second;
  }

 private:
  static std::string Key(std::string alias) {
    for (auto& c : alias) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return alias;
  }
  std::map<std::string, Factory> factories_;
};

// Writes ASCII bytes (operators, numbers, keywords) as they are.
void WriteAscii(rtl::TStream& stream, std::string_view text);
// Converts UTF-16 text to the code page and writes the bytes; characters the
// code page cannot hold become "?".
void WriteAnsiText(std::u16string_view text, rtl::TStream& stream, const char* codePage = kPdfAnsiCodePage);

// The general decimal form of a real: up to 15 significant digits (zeros
// fill the places of a larger number), no trailing zeros or point, "." as
// separator, never exponent notation.
std::string FormatPdfReal(double value);
// The content-stream number form: rounded to at most two decimals (half up,
// then toward zero), in the general decimal form.
std::string FloatToPdfStr(long double value);
// Each UTF-16 code unit as four upper-case hexadecimal digits.
std::string CodeUnitsToHex(std::u16string_view text);
// UTF-16BE hexadecimal, four digits per code unit.
std::string TextToUtf16Hex(std::u16string_view text);
// Literal-string escaping of bytes already in their code page: ( ) and
// backslash, CR, LF, TAB, BS and FF get a backslash form.
std::string EscapeLiteral(std::string_view bytes);
// "(escaped bytes)".
std::string PdfLiteral(std::string_view bytes);
// PdfLiteral of the text in `codePage`; a character the code page cannot
// hold (one outside the Basic Multilingual Plane too) becomes "?".
std::string PdfStringForm(std::u16string_view text, const char* codePage);
// The byte-order mark that starts a UTF-16 text string, in hex.
std::string PdfUnicodeHeader();
// "/" and the escaped name.
std::string EscapeName(std::string_view name);
// "D:yyyymmddhhnnss" of the local date-time.
std::string FormatPdfDate(TDateTime dateTime);
// Inverse of FormatPdfDate. Raises rtl::EConvertError for a text that is not
// 16 characters long, holds non-digits or an impossible date or time.
TDateTime ParsePdfDate(std::string_view text);
// The text of the dictionary's "Type" name, or empty.
std::string DictionaryTypeName(const TPdfDictionary* dictionary);

}  // namespace pdf
