#include "platform/rtl/ObjectText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"
#include "platform/rtl/TextFileEncoding.h"

namespace rtl {

namespace {

constexpr int kMaxTextDepth = 256;
constexpr std::size_t kLineUnits = 64;  // string and binary chunks per line

// ===== binary -> text

class BinaryToText {
 public:
  BinaryToText(TStream& input, TStream& output) : reader_(input), output_(output) {}

  void Convert() {
    reader_.ReadSignature();
    ConvertObject(0);
  }

 private:
  void Out(std::string_view text) { output_.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); }
  void NewLine(int indent) {
    Out("\n");
    Out(std::string(static_cast<std::size_t>(indent), ' '));
  }
  void Enter() {
    if (++depth_ > kMaxTextDepth) throw EReadError("Stream nesting too deep");
  }

  void ConvertObject(int indent) {
    Enter();
    std::string header = "object ";
    std::string position;
    std::uint8_t prefix = 0;
    reader_.Read(&prefix, 1);
    if ((prefix & 0xF0) == 0xF0) {
      if (prefix & 0x01) header = "inherited ";
      if (prefix & 0x04) header = "inline ";
      if (prefix & 0x02) position = " [" + std::to_string(reader_.ReadInteger()) + "]";
    } else {
      reader_.Stream().Seek(-1, TSeekOrigin::soCurrent);
    }
    const std::string className = reader_.ReadStr();
    const std::string name = reader_.ReadStr();
    Out(std::string(static_cast<std::size_t>(indent), ' '));
    Out(header + (name.empty() ? "" : name + ": ") + className + position);
    while (!reader_.EndOfList()) {
      NewLine(indent + 2);
      Out(reader_.ReadStr() + " = ");
      ConvertValue(indent + 2);
    }
    reader_.ReadListEnd();
    while (!reader_.EndOfList()) {
      Out("\n");
      ConvertObject(indent + 2);
    }
    reader_.ReadListEnd();
    NewLine(indent);
    Out("end");
    if (indent == 0) Out("\n");
    --depth_;
  }

  void ConvertValue(int indent) {
    Enter();
    const TValueType type = reader_.NextValue();
    switch (type) {
      case TValueType::vaList:
        reader_.ReadValue();
        Out("(");
        while (!reader_.EndOfList()) {
          NewLine(indent + 2);
          ConvertValue(indent + 2);
        }
        reader_.ReadListEnd();
        Out(")");
        break;
      case TValueType::vaInt8:
      case TValueType::vaInt16:
      case TValueType::vaInt32:
      case TValueType::vaInt64:
        Out(std::to_string(reader_.ReadInteger()));
        break;
      case TValueType::vaExtended:
        Out(FloatText(reader_.ReadFloat(), ""));
        break;
      case TValueType::vaSingle:
        Out(FloatText(reader_.ReadFloat(), "s"));
        break;
      case TValueType::vaCurrency:
        Out(FloatText(reader_.ReadFloat(), "c"));
        break;
      case TValueType::vaDate:
        Out(FloatText(reader_.ReadFloat(), "d"));
        break;
      case TValueType::vaDouble:
        Out(FloatText(reader_.ReadFloat(), "f"));
        break;
      case TValueType::vaString:
      case TValueType::vaLString:
      case TValueType::vaUTF8String:
      case TValueType::vaWString:
        WriteQuoted(reader_.ReadWideString(), indent);
        break;
      case TValueType::vaIdent:
      case TValueType::vaFalse:
      case TValueType::vaTrue:
      case TValueType::vaNil:
        Out(reader_.ReadIdent());
        break;
      case TValueType::vaBinary:
        reader_.ReadValue();
        WriteBinary(reader_.ReadBinary(), indent);
        break;
      case TValueType::vaSet: {
        reader_.ReadValue();
        std::string text = "[";
        for (const std::string& name : reader_.ReadSet()) text += (text.size() > 1 ? ", " : "") + name;
        Out(text + "]");
        break;
      }
      case TValueType::vaCollection:
        reader_.ReadValue();
        ConvertCollection(indent);
        break;
      case TValueType::vaNull:
        throw EReadError("Invalid property value");
    }
    --depth_;
  }

  void ConvertCollection(int indent) {
    Out("<");
    while (!reader_.EndOfList()) {
      NewLine(indent + 2);
      Out("item");
      const TValueType next = reader_.NextValue();
      if (next == TValueType::vaInt8 || next == TValueType::vaInt16 || next == TValueType::vaInt32 ||
          next == TValueType::vaInt64)
        Out(" [" + std::to_string(reader_.ReadInteger()) + "]");
      reader_.ReadListBegin();
      while (!reader_.EndOfList()) {
        NewLine(indent + 4);
        Out(reader_.ReadStr() + " = ");
        ConvertValue(indent + 4);
      }
      reader_.ReadListEnd();
      NewLine(indent + 2);
      Out("end");
    }
    reader_.ReadListEnd();
    Out(">");
  }

  static std::string FloatText(double value, const char* suffix) {
    std::string text = DoubleToExactText(value);
    if (text.find_first_of(".eEN") == std::string::npos) text += ".0";
    return text + suffix;
  }

  // Quoted runs with #codes, broken into chunks of kLineUnits joined by " +".
  void WriteQuoted(const WideString& text, int indent) {
    if (text.empty()) return Out("''");
    const bool multiLine = text.size() > kLineUnits;
    for (std::size_t start = 0; start < text.size(); start += kLineUnits) {
      if (multiLine) {
        if (start) Out(" +");
        NewLine(indent + 2);
      }
      Out(QuoteSlice(std::u16string_view(text).substr(start, kLineUnits)));
    }
  }

  static std::string QuoteSlice(std::u16string_view slice) {
    std::string result;
    bool quoted = false;
    for (char16_t unit : slice) {
      if (unit < 32 || unit >= 128) {
        if (quoted) result += '\'';
        quoted = false;
        result += '#' + std::to_string(unit);
        continue;
      }
      if (!quoted) result += '\'';
      quoted = true;
      if (unit == u'\'') result += '\'';
      result += static_cast<char>(unit);
    }
    if (quoted) result += '\'';
    return result;
  }

  void WriteBinary(const TBytes& data, int indent) {
    static const char digits[] = "0123456789ABCDEF";
    Out("{");
    for (std::size_t start = 0; start < data.size(); start += kLineUnits / 2) {
      NewLine(indent + 2);
      std::string line;
      for (std::size_t i = start; i < data.size() && i < start + kLineUnits / 2; ++i) {
        line += digits[data[i] >> 4];
        line += digits[data[i] & 15];
      }
      Out(line);
    }
    Out("}");
  }

  TReader reader_;
  TStream& output_;
  int depth_ = 0;
};

// ===== text -> binary

enum class TokenKind { End, Symbol, Ident, Integer, Float, String };

struct Token {
  TokenKind kind = TokenKind::End;
  char symbol = 0;
  std::string text;       // identifier, number text
  WideString string;      // string value
  char floatSuffix = 0;   // s, c, d, f or 0
  int line = 1, column = 1;
};

class TextParser {
 public:
  explicit TextParser(std::string text) : text_(std::move(text)) { Next(); }

  const Token& Current() const { return token_; }

  [[noreturn]] void Error(const std::string& message) const {
    throw EReadError(Format("%d:%d: %s", token_.line, token_.column, message.c_str()));
  }

  void Next() {
    SkipBlanks();
    token_ = Token();
    token_.line = line_;
    token_.column = column_;
    if (pos_ >= text_.size()) return;
    const char c = text_[pos_];
    if (IsIdentStart(c)) return ReadIdent();
    if (IsDigit(c) || ((c == '-' || c == '+') && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1])))
      return ReadNumber();
    if (c == '$') return ReadHexNumber();
    if (c == '\'' || c == '#') return ReadString();
    token_.kind = TokenKind::Symbol;
    token_.symbol = c;
    Advance();
  }

  bool IsSymbol(char symbol) const { return token_.kind == TokenKind::Symbol && token_.symbol == symbol; }
  bool IsWord(std::string_view word) const {
    return token_.kind == TokenKind::Ident && SameText(token_.text, word);
  }
  void Expect(char symbol) {
    if (!IsSymbol(symbol)) Error(Format("'%c' expected", symbol));
    Next();
  }
  std::string ExpectIdent(const char* what) {
    if (token_.kind != TokenKind::Ident) Error(Format("%s expected", what));
    std::string text = token_.text;
    Next();
    return text;
  }

  // The hexadecimal digits up to "}", read raw from the text.
  TBytes ReadHexBlock() {
    TBytes data;
    int pending = -1;
    for (;;) {
      SkipBlanks();
      if (pos_ >= text_.size()) Error("'}' expected");
      const char c = text_[pos_];
      if (c == '}') break;
      const int digit = HexDigit(c);
      if (digit < 0) Error("hexadecimal digit expected");
      Advance();
      if (pending < 0) {
        pending = digit;
      } else {
        data.push_back(static_cast<std::uint8_t>(pending * 16 + digit));
        pending = -1;
      }
    }
    if (pending >= 0) Error("odd number of hexadecimal digits");
    Advance();
    Next();
    return data;
  }

 private:
  static bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  }

  void Advance() {
    if (text_[pos_] == '\n') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    ++pos_;
  }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        Advance();
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') Advance();
      } else {
        break;
      }
    }
  }

  void ReadIdent() {
    token_.kind = TokenKind::Ident;
    while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]) || text_[pos_] == '.'))
      token_.text += text_[pos_], Advance();
  }

  void ReadNumber() {
    token_.kind = TokenKind::Integer;
    if (text_[pos_] == '-' || text_[pos_] == '+') token_.text += text_[pos_], Advance();
    auto digits = [this] {
      while (pos_ < text_.size() && IsDigit(text_[pos_])) token_.text += text_[pos_], Advance();
    };
    digits();
    if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
      token_.kind = TokenKind::Float;
      token_.text += '.', Advance();
      digits();
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      const std::size_t save = pos_;
      const int saveColumn = column_;
      std::string exponent(1, text_[pos_]);
      ++pos_;
      if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) exponent += text_[pos_++];
      if (pos_ < text_.size() && IsDigit(text_[pos_])) {
        column_ += static_cast<int>(exponent.size());
        token_.kind = TokenKind::Float;
        token_.text += exponent;
        digits();
      } else {
        pos_ = save;
        column_ = saveColumn;
      }
    }
    if (pos_ < text_.size()) {
      const char suffix = static_cast<char>(text_[pos_] | 0x20);
      if (suffix == 's' || suffix == 'c' || suffix == 'd' || suffix == 'f') {
        token_.kind = TokenKind::Float;
        token_.floatSuffix = suffix;
        Advance();
      }
    }
    if (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || text_[pos_] == '.')) Error("invalid number");
  }

  void ReadHexNumber() {
    Advance();
    std::uint64_t value = 0;
    int count = 0;
    while (pos_ < text_.size() && HexDigit(text_[pos_]) >= 0) {
      if (++count > 16) Error("number too large");
      value = value * 16 + static_cast<std::uint64_t>(HexDigit(text_[pos_]));
      Advance();
    }
    if (count == 0) Error("hexadecimal digit expected");
    token_.kind = TokenKind::Integer;
    token_.text = std::to_string(static_cast<std::int64_t>(value));
  }

  // Quoted runs and #codes, adjacent chunks joined.
  void ReadString() {
    token_.kind = TokenKind::String;
    while (pos_ < text_.size()) {
      if (text_[pos_] == '\'') {
        Advance();
        std::string run;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Error("unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              run += '\'';
              Advance();
              Advance();
              continue;
            }
            Advance();
            break;
          }
          run += text_[pos_];
          Advance();
        }
        token_.string += Utf8ToUtf16(run);
      } else if (text_[pos_] == '#') {
        Advance();
        std::uint32_t code = 0;
        int count = 0;
        const bool hex = pos_ < text_.size() && text_[pos_] == '$';
        if (hex) Advance();
        while (pos_ < text_.size() && (hex ? HexDigit(text_[pos_]) >= 0 : IsDigit(text_[pos_]))) {
          code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(hex ? HexDigit(text_[pos_]) : text_[pos_] - '0');
          if (code > 0xFFFF) Error("character code out of range");
          ++count;
          Advance();
        }
        if (count == 0) Error("character code expected");
        token_.string += static_cast<char16_t>(code);
      } else {
        break;
      }
    }
  }

  std::string text_;
  std::size_t pos_ = 0;
  int line_ = 1, column_ = 1;
  Token token_;
};

class TextToBinary {
 public:
  TextToBinary(std::string text, TStream& output, std::vector<TTextPlace>* places)
      : parser_(std::move(text)), writer_(output), output_(output), base_(output.Position()), places_(places) {}

  void Convert() {
    writer_.WriteSignature();
    ConvertObject();
    if (parser_.Current().kind != TokenKind::End) parser_.Error("end of text expected");
  }

 private:
  void Enter() {
    if (++depth_ > kMaxTextDepth) parser_.Error("nesting too deep");
  }

  bool AtObject() const { return parser_.IsWord("object") || parser_.IsWord("inherited") || parser_.IsWord("inline"); }

  // The binary form about to be written comes from the current token.
  void NotePlace() {
    if (!places_) return;
    const Token& token = parser_.Current();
    places_->push_back({static_cast<std::uint32_t>(output_.Position() - base_), static_cast<std::uint32_t>(token.line),
                        static_cast<std::uint32_t>(token.column)});
  }

  void ConvertObject() {
    Enter();
    if (!AtObject()) parser_.Error("'object' expected");
    NotePlace();
    std::uint8_t flags = parser_.IsWord("inherited") ? 0x01 : parser_.IsWord("inline") ? 0x04 : 0;
    parser_.Next();
    std::string name, className;
    if (parser_.IsSymbol(':')) {
      parser_.Next();
      className = parser_.ExpectIdent("class name");
    } else {
      className = parser_.ExpectIdent("component name");
      if (parser_.IsSymbol(':')) {
        parser_.Next();
        name = std::move(className);
        className = parser_.ExpectIdent("class name");
      }
    }
    std::int64_t position = 0;
    if (parser_.IsSymbol('[')) {
      parser_.Next();
      position = IntegerValue();
      parser_.Expect(']');
      flags |= 0x02;
    }
    if (flags) {
      const std::uint8_t prefix = 0xF0 | flags;
      writer_.Write(&prefix, 1);
      if (flags & 0x02) writer_.WriteInteger(position);
    }
    WriteName(className);
    WriteName(name);
    while (!AtObject() && !parser_.IsWord("end")) {
      if (parser_.Current().kind == TokenKind::End) parser_.Error("'end' expected");
      ConvertProperty();
    }
    writer_.WriteListEnd();
    while (AtObject()) ConvertObject();
    writer_.WriteListEnd();
    if (!parser_.IsWord("end")) parser_.Error("'end' expected");
    parser_.Next();
    --depth_;
  }

  void WriteName(const std::string& name) {
    if (name.size() > 255) parser_.Error("name too long");
    writer_.WriteStr(name);
  }

  void ConvertProperty() {
    if (parser_.Current().kind != TokenKind::Ident) parser_.Error("property name expected");
    NotePlace();
    WriteName(parser_.ExpectIdent("property name"));
    parser_.Expect('=');
    ConvertValue();
  }

  std::int64_t IntegerValue() {
    if (parser_.Current().kind != TokenKind::Integer) parser_.Error("integer expected");
    auto value = ParseInt64(parser_.Current().text);
    if (!value) parser_.Error("integer out of range");
    parser_.Next();
    return *value;
  }

  void ConvertValue() {
    Enter();
    const Token& token = parser_.Current();
    switch (token.kind) {
      case TokenKind::Integer:
        writer_.WriteInteger(IntegerValue());
        break;
      case TokenKind::Float:
        ConvertFloat();
        break;
      case TokenKind::String:
        ConvertString();
        break;
      case TokenKind::Ident:
        if (token.text == "INF" || token.text == "NAN") {
          writer_.WriteFloat(token.text == "INF" ? HUGE_VAL : std::nan(""));
        } else {
          if (token.text.size() > 255) parser_.Error("identifier too long");
          writer_.WriteIdent(token.text);
        }
        parser_.Next();
        break;
      case TokenKind::Symbol:
        ConvertCompound();
        break;
      case TokenKind::End:
        parser_.Error("value expected");
    }
    --depth_;
  }

  void ConvertFloat() {
    const Token& token = parser_.Current();
    auto value = ParseDouble(token.text);
    if (!value) parser_.Error("invalid number");
    switch (token.floatSuffix) {
      case 's':
        writer_.WriteSingle(static_cast<float>(*value));
        break;
      case 'c': {
        const double scaled = std::nearbyint(*value * 10000.0);
        if (!(std::fabs(scaled) < 9.2e18)) parser_.Error("currency out of range");
        writer_.WriteCurrency(static_cast<std::int64_t>(scaled));
        break;
      }
      case 'd':
        writer_.WriteDate(*value);
        break;
      case 'f':
        writer_.WriteDouble(*value);
        break;
      default:
        writer_.WriteFloat(*value);
    }
    parser_.Next();
  }

  void ConvertString() {
    WideString text = parser_.Current().string;
    parser_.Next();
    while (parser_.IsSymbol('+')) {
      parser_.Next();
      if (parser_.Current().kind != TokenKind::String) parser_.Error("string expected");
      text += parser_.Current().string;
      parser_.Next();
    }
    writer_.WriteWideString(text);
  }

  void ConvertCompound() {
    const char symbol = parser_.Current().symbol;
    if (symbol == '{') {
      const TBytes data = parser_.ReadHexBlock();
      return writer_.WriteBinary(data.data(), data.size());
    }
    parser_.Next();
    switch (symbol) {
      case '[': {
        std::vector<std::string> names;
        while (!parser_.IsSymbol(']')) {
          if (!names.empty()) parser_.Expect(',');
          names.push_back(parser_.ExpectIdent("set element"));
          if (names.back().size() > 255) parser_.Error("identifier too long");
        }
        parser_.Next();
        return writer_.WriteSet(names);
      }
      case '(':
        writer_.WriteListBegin();
        while (!parser_.IsSymbol(')')) ConvertValue();
        parser_.Next();
        return writer_.WriteListEnd();
      case '<':
        writer_.WriteValue(TValueType::vaCollection);
        while (!parser_.IsSymbol('>')) ConvertItem();
        parser_.Next();
        return writer_.WriteListEnd();
      case '-':
        if (!parser_.IsWord("INF")) break;
        parser_.Next();
        return writer_.WriteFloat(-HUGE_VAL);
    }
    parser_.Error(Format("unexpected '%c'", symbol));
  }

  void ConvertItem() {
    if (!parser_.IsWord("item")) parser_.Error("'item' expected");
    parser_.Next();
    if (parser_.IsSymbol('[')) {
      parser_.Next();
      writer_.WriteInteger(IntegerValue());
      parser_.Expect(']');
    }
    writer_.WriteListBegin();
    while (!parser_.IsWord("end")) {
      if (parser_.Current().kind == TokenKind::End) parser_.Error("'end' expected");
      ConvertProperty();
    }
    parser_.Next();
    writer_.WriteListEnd();
  }

  TextParser parser_;
  TWriter writer_;
  TStream& output_;
  std::int64_t base_;
  std::vector<TTextPlace>* places_;
  int depth_ = 0;
};

}  // namespace

void ObjectBinaryToText(TStream& input, TStream& output) { BinaryToText(input, output).Convert(); }

void ObjectTextToBinary(TStream& input, TStream& output, std::vector<TTextPlace>* places) {
  TBytes bytes = input.ReadRemaining();
  std::string text(bytes.begin(), bytes.end());
  if (text.starts_with(kUtf8Bom)) text.erase(0, kUtf8Bom.size());
  TextToBinary(std::move(text), output, places).Convert();
}

std::string TTextPlaces::Describe(std::int64_t offset) const {
  const TTextPlace* end = entries + count;
  const TTextPlace* after =
      std::upper_bound(entries, end, offset, [](std::int64_t value, const TTextPlace& place) { return value < place.offset; });
  if (after == entries) return source;
  const TTextPlace& place = *(after - 1);
  return Format("%s:%u:%u", source.c_str(), place.line, place.column);
}

}  // namespace rtl
