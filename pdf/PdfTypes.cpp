#include "pdf/PdfTypes.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextConvert.h"

namespace pdf {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, unsigned byte) {
  out += kHexDigits[(byte >> 4) & 0xF];
  out += kHexDigits[byte & 0xF];
}

void WriteInteger(rtl::TStream& stream, long long value) { WriteAscii(stream, std::to_string(value)); }

// Takes ownership of a reference; swaps an indirect object for a new
// reference; keeps a direct value.
std::unique_ptr<TPdfObject> ToStoredItem(TPdfObject* value) {
  if (value->ObjectType() == TPdfObjectType::otIndirectObject) {
    return std::unique_ptr<TPdfObject>(TPdfVirtualObject::CreateVirtual(value->ObjectNumber()));
  }
  return std::unique_ptr<TPdfObject>(value);
}

// The characters of PDFDocEncoding's codes 0x18..0x1F and 0x80..0xA0 (0:
// no character); codes 0x20..0x7E and 0xA1..0xFF, but for 0xAD, are those
// of Latin-1.
constexpr char16_t kPdfDocLow[8] = {0x02D8, 0x02C7, 0x02C6, 0x02D9, 0x02DD, 0x02DB, 0x02DA, 0x02DC};
constexpr char16_t kPdfDocHigh[33] = {0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044, 0x2039,
                                      0x203A, 0x2212, 0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x201A,
                                      0x2122, 0xFB01, 0xFB02, 0x0141, 0x0152, 0x0160, 0x0178, 0x017D, 0x0131,
                                      0x0142, 0x0153, 0x0161, 0x017E, 0x0000, 0x20AC};

// The PDFDocEncoding code of a character, or -1.
int PdfDocCode(char16_t unit) {
  if (unit == u'\t' || unit == u'\n' || unit == u'\r') return unit;
  if ((unit >= 0x20 && unit <= 0x7E) || (unit >= 0xA1 && unit <= 0xFF && unit != 0xAD)) return unit;
  for (int i = 0; i < 8; ++i) {
    if (kPdfDocLow[i] == unit) return 0x18 + i;
  }
  for (int i = 0; i < 33; ++i) {
    if (kPdfDocHigh[i] == unit && unit != 0) return 0x80 + i;
  }
  return -1;
}

// The text in PDFDocEncoding; nothing when a character has no code there, or
// when the bytes would start with the UTF-16 byte-order mark FE FF.
std::optional<std::string> ToPdfDocEncoding(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const char16_t unit : text) {
    const int code = PdfDocCode(unit);
    if (code < 0) return std::nullopt;
    bytes += static_cast<char>(code);
  }
  if (bytes.rfind("\xFE\xFF", 0) == 0) return std::nullopt;
  return bytes;
}

// "number generation", as references and definitions name an object.
std::string ObjectId(int number, int generation) { return std::to_string(number) + ' ' + std::to_string(generation); }

TPdfObject* Resolve(TPdfObject* item, TPdfObjectMgr* objectMgr) {
  if (item == nullptr || item->ObjectType() != TPdfObjectType::otVirtualObject) return item;
  return objectMgr ? objectMgr->GetObject(item->ObjectNumber()) : nullptr;
}

}  // namespace

// ---- objects ----

void TPdfObject::SetObjectNumber(int value) {
  objectNumber_ = value;
  objectType_ = value > 0 ? TPdfObjectType::otIndirectObject : TPdfObjectType::otDirectObject;
}

void TPdfObject::WriteToStream(rtl::TStream& stream) {
  if (objectType_ == TPdfObjectType::otDirectObject) {
    WriteValue(stream);
    return;
  }
  WriteAscii(stream, ObjectId(objectNumber_, generationNumber_) + " R");
}

void TPdfObject::WriteValueToStream(rtl::TStream& stream) {
  if (objectType_ != TPdfObjectType::otIndirectObject) {
    throw EPdfInvalidOperation("internal error wrong object type");
  }
  WriteAscii(stream, ObjectId(objectNumber_, generationNumber_) + " obj\r\n");
  WriteValue(stream);
  WriteAscii(stream, "\r\nendobj\r\n");
}

TPdfVirtualObject::TPdfVirtualObject(int objectId) {
  SetObjectNumber(objectId);
  SetObjectType(TPdfObjectType::otVirtualObject);
}

void TPdfNull::WriteValue(rtl::TStream& stream) { WriteAscii(stream, "null"); }

void TPdfBoolean::WriteValue(rtl::TStream& stream) { WriteAscii(stream, Value() ? "true" : "false"); }

void TPdfNumber::WriteValue(rtl::TStream& stream) { WriteInteger(stream, Value()); }

void TPdfReal::WriteValue(rtl::TStream& stream) { WriteAscii(stream, FormatPdfReal(Value())); }

void TPdfString::WriteValue(rtl::TStream& stream) { WriteAscii(stream, PdfStringForm(Value(), kPdfAnsiCodePage)); }

void TPdfText::WriteValue(rtl::TStream& stream) {
  const std::optional<std::string> bytes = ToPdfDocEncoding(Value());
  if (bytes) {
    WriteAscii(stream, PdfLiteral(*bytes));
  } else {
    WriteAscii(stream, '<' + PdfUnicodeHeader() + TextToUtf16Hex(Value()) + '>');
  }
}

void TPdfName::WriteValue(rtl::TStream& stream) { WriteAscii(stream, EscapeName(Value())); }

// ---- arrays ----

TPdfArray* TPdfArray::CreateNumArray(TPdfObjectMgr* objectMgr, const std::vector<std::int32_t>& values) {
  auto* array = new TPdfArray(objectMgr);
  for (const auto value : values) array->AddItem(new TPdfNumber(value));
  return array;
}

void TPdfArray::AddItem(TPdfObject* item) {
  for (const auto& existing : items_) {
    if (existing.get() == item) return;
  }
  items_.push_back(ToStoredItem(item));
}

TPdfObject* TPdfArray::Items(int index) const {
  return Resolve(items_.at(static_cast<size_t>(index)).get(), objectMgr_);
}

TPdfName* TPdfArray::FindName(std::string_view name) const {
  for (const auto& item : items_) {
    auto* pdfName = dynamic_cast<TPdfName*>(item.get());
    if (pdfName && pdfName->Value() == name) return pdfName;
  }
  return nullptr;
}

bool TPdfArray::RemoveName(std::string_view name) {
  TPdfName* found = FindName(name);
  if (!found) return false;
  std::erase_if(items_, [found](const auto& item) { return item.get() == found; });
  return true;
}

void TPdfArray::WriteValue(rtl::TStream& stream) {
  WriteAscii(stream, "[");
  for (const auto& item : items_) {
    item->WriteToStream(stream);
    WriteAscii(stream, " ");
  }
  WriteAscii(stream, "]");
}

// ---- dictionaries ----

TPdfDictionaryElement::TPdfDictionaryElement(std::string key, TPdfObject* value, bool isInternal)
    : key_(std::move(key)), isInternal_(isInternal) {
  if (value == nullptr) throw EPdfInvalidValue("internal error. wrong object.");
  value_ = ToStoredItem(value);
}

void TPdfDictionary::Append(const std::string& key, TPdfObject* value, bool isInternal) {
  // A value taken from this very element is handed back: keep it alive.
  for (auto& element : elements_) {
    if (element->Key() == key && element->Value() == value) element->ReleaseValue();
  }
  RemoveItem(key);
  elements_.push_back(std::make_unique<TPdfDictionaryElement>(key, value, isInternal));
}

void TPdfDictionary::AddItem(const std::string& key, TPdfObject* value) { Append(key, value, false); }

void TPdfDictionary::AddNumberItem(const std::string& key, std::int32_t value) { AddItem(key, new TPdfNumber(value)); }

void TPdfDictionary::AddNameItem(const std::string& key, std::string value) {
  AddItem(key, new TPdfName(std::move(value)));
}

void TPdfDictionary::AddInternalItem(const std::string& key, TPdfObject* value) { Append(key, value, true); }

void TPdfDictionary::RemoveItem(std::string_view key) {
  for (auto it = elements_.begin(); it != elements_.end(); ++it) {
    if ((*it)->Key() == key) {
      elements_.erase(it);
      return;
    }
  }
}

TPdfObject* TPdfDictionary::ValueByName(std::string_view key) const {
  for (const auto& element : elements_) {
    if (element->Key() == key) return Resolve(element->Value(), objectMgr_);
  }
  return nullptr;
}

TPdfBoolean* TPdfDictionary::PdfBooleanByName(std::string_view key) const {
  return dynamic_cast<TPdfBoolean*>(ValueByName(key));
}
TPdfNumber* TPdfDictionary::PdfNumberByName(std::string_view key) const {
  return dynamic_cast<TPdfNumber*>(ValueByName(key));
}
TPdfText* TPdfDictionary::PdfTextByName(std::string_view key) const {
  return dynamic_cast<TPdfText*>(ValueByName(key));
}
TPdfReal* TPdfDictionary::PdfRealByName(std::string_view key) const {
  return dynamic_cast<TPdfReal*>(ValueByName(key));
}
TPdfString* TPdfDictionary::PdfStringByName(std::string_view key) const {
  return dynamic_cast<TPdfString*>(ValueByName(key));
}
TPdfName* TPdfDictionary::PdfNameByName(std::string_view key) const {
  return dynamic_cast<TPdfName*>(ValueByName(key));
}
TPdfDictionary* TPdfDictionary::PdfDictionaryByName(std::string_view key) const {
  return dynamic_cast<TPdfDictionary*>(ValueByName(key));
}
TPdfArray* TPdfDictionary::PdfArrayByName(std::string_view key) const {
  return dynamic_cast<TPdfArray*>(ValueByName(key));
}

void TPdfDictionary::WriteValue(rtl::TStream& stream) {
  WriteAscii(stream, "<<\r\n");
  for (const auto& element : elements_) {
    if (element->IsInternal()) continue;
    WriteAscii(stream, EscapeName(element->Key()) + ' ');
    element->Value()->WriteToStream(stream);
    WriteAscii(stream, "\r\n");
  }
  WriteAscii(stream, ">>");
}

// ---- streams ----

TPdfStream::TPdfStream(TPdfObjectMgr* objectMgr) : attributes_(new TPdfDictionary(objectMgr)) {
  attributes_->AddItem("Length", new TPdfNumber(0));
  attributes_->AddItem("Filter", new TPdfArray(objectMgr));
}

void TPdfStream::WriteValue(rtl::TStream& stream) {
  const auto size = stream_.Size();
  if (auto* length = attributes_->PdfNumberByName("Length")) length->SetValue(static_cast<std::int32_t>(size));
  if (auto* filter = attributes_->PdfArrayByName("Filter")) filter->RemoveName("FlateDecode");
  attributes_->WriteToStream(stream);
  WriteAscii(stream, "\r\nstream\r\n");
  stream.WriteBuffer(stream_.Memory(), size);
  WriteAscii(stream, "\nendstream");
}

void TPdfBinary::WriteValue(rtl::TStream& stream) { stream.WriteBuffer(stream_.Memory(), stream_.Size()); }

// ---- text forms ----

void WriteAscii(rtl::TStream& stream, std::string_view text) {
  stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void WriteAnsiText(std::u16string_view text, rtl::TStream& stream, const char* codePage) {
  WriteAscii(stream, rtl::Utf16ToCodePage(text, codePage));
}

// A number of 10^15 or more: its 15 significant digits, then zeros.
std::string FormatLargePdfReal(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t exponentMark = text.find('e');
  const int exponent = std::stoi(std::string(text.substr(exponentMark + 1)));
  std::string digits;
  for (const char c : text.substr(0, exponentMark)) {
    if (c != '.') digits += c;
  }
  const bool negative = digits[0] == '-';
  if (negative) digits.erase(0, 1);
  digits.append(static_cast<size_t>(exponent - 14), '0');
  return (negative ? "-" : "") + digits;
}

std::string FormatPdfReal(double value) {
  if (value == 0 || !std::isfinite(value)) return "0";
  if (std::fabs(value) >= 1e15) return FormatLargePdfReal(value);
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::max(0, 14 - exponent);
  char buffer[1100];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") return "0";
  return text;
}

std::string FloatToPdfStr(long double value) {
  if (!std::isfinite(value)) return "0";
  const long double hundredths = std::trunc(value * 100.0L + 0.5L);
  if (std::fabs(hundredths) >= 1e17L) return FormatPdfReal(static_cast<double>(hundredths / 100.0L));
  const auto scaled = static_cast<long long>(hundredths);
  const unsigned long long magnitude = scaled < 0 ? -static_cast<unsigned long long>(scaled) : scaled;
  std::string text = (scaled < 0 ? "-" : "") + std::to_string(magnitude / 100);
  const auto fraction = static_cast<unsigned>(magnitude % 100);
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

std::string CodeUnitsToHex(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 4);
  for (const char16_t unit : text) {
    AppendHexByte(out, unit >> 8);
    AppendHexByte(out, unit & 0xFF);
  }
  return out;
}

std::string TextToUtf16Hex(std::u16string_view text) { return CodeUnitsToHex(text); }

std::string EscapeLiteral(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 8);
  for (const char c : bytes) {
    switch (c) {
      case '(': out += "\\("; break;
      case ')': out += "\\)"; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default: out += c;
    }
  }
  return out;
}

std::string PdfLiteral(std::string_view bytes) { return '(' + EscapeLiteral(bytes) + ')'; }

std::string PdfStringForm(std::u16string_view text, const char* codePage) {
  return PdfLiteral(rtl::Utf16ToCodePage(text, codePage));
}

// No language escape follows: readers older than PDF 1.5 would show it.
std::string PdfUnicodeHeader() { return "FEFF"; }

std::string EscapeName(std::string_view name) {
  auto plain = [](unsigned char c) {
    static constexpr std::string_view kDelimiters = "#%()/<>[]{}";
    return c >= 33 && c <= 126 && kDelimiters.find(static_cast<char>(c)) == std::string_view::npos;
  };
  std::string out = "/";
  out.reserve(name.size() + 1);
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (plain(c)) {
      out += static_cast<char>(c);
    } else if (c < 0x80) {
      out += '#';
      AppendHexByte(out, c);
    } else {
      // A character of U+0080..U+00FF is written as its own code, any other
      // as its UTF-8 bytes (a code above 255 does not fit a name byte).
      size_t end = i + 1;
      while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) ++end;
      const rtl::WideString unit = rtl::Utf8ToUtf16(name.substr(i, end - i));
      if (unit.size() == 1 && unit[0] <= 0xFF) {
        out += '#';
        AppendHexByte(out, unit[0]);
      } else {
        for (size_t k = i; k < end; ++k) {
          out += '#';
          AppendHexByte(out, static_cast<unsigned char>(name[k]));
        }
      }
      i = end - 1;
    }
  }
  return out;
}

std::string FormatPdfDate(TDateTime dateTime) { return "D:" + rtl::FormatDateTime("yyyymmddhhnnss", dateTime); }

TDateTime ParsePdfDate(std::string_view text) {
  if (text.size() != 16) throw rtl::EConvertError("");
  auto field = [&](size_t start, size_t length) { return rtl::StrToInt(text.substr(start, length)); };
  return rtl::EncodeDate(field(2, 4), field(6, 2), field(8, 2)) +
         rtl::EncodeTime(field(10, 2), field(12, 2), field(14, 2), 0);
}

std::string DictionaryTypeName(const TPdfDictionary* dictionary) {
  const TPdfName* type = dictionary ? dictionary->PdfNameByName("Type") : nullptr;
  return type ? type->Value() : std::string();
}

}  // namespace pdf
