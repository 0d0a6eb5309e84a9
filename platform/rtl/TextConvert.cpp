#include "platform/rtl/TextConvert.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <unordered_map>

namespace rtl {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(WideString& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Decodes one code point from UTF-8 at `i`, advancing `i`; malformed input
// gives U+FFFD and consumes one byte.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07;
  } else {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= s.size()) {
      ++i;
      return kReplacement;
    }
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += extra + 1;
  return cp;
}

// Decodes one code point from UTF-16 at `i`, advancing `i`.
char32_t DecodeUtf16(std::u16string_view s, size_t& i) {
  const char16_t c = s[i++];
  if (IsHighSurrogate(c) && i < s.size() && IsLowSurrogate(s[i])) {
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (s[i++] - 0xDC00);
  }
  if (IsHighSurrogate(c) || IsLowSurrogate(c)) return kReplacement;
  return c;
}

class Iconv {
 public:
  Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Iconv() {
    if (Valid()) iconv_close(handle_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts the whole input in one pass. At each input the target cannot
  // take, `standIn` appends a replacement and returns how many input bytes
  // to skip, and the conversion goes on.
  template <class StandIn>
  void Convert(std::string_view in, std::string& out, StandIn standIn) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char buffer[512];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      const size_t r = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, sizeof buffer - outLeft);
      if (r == static_cast<size_t>(-1) && errno != E2BIG) {
        const size_t skip = std::min(inLeft, standIn(out));
        inPtr += skip;
        inLeft -= skip;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(handle_, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, sizeof buffer - outLeft);
  }

 private:
  iconv_t handle_;
};

// One descriptor per conversion and thread, kept for the thread's life:
// opening one loads the code page's module, which costs far more than
// converting a line of text, and a descriptor must not be shared between
// threads.
Iconv& CachedIconv(const char* to, const char* from) {
  thread_local std::unordered_map<std::string, std::unique_ptr<Iconv>> cache;
  std::unique_ptr<Iconv>& conv = cache[std::string(to) + '\n' + from];
  if (!conv) conv = std::make_unique<Iconv>(to, from);
  return *conv;
}

}  // namespace

WideString Utf8ToUtf16(std::string_view utf8) {
  WideString out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) AppendUtf16(out, DecodeUtf8(utf8, i));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size();) AppendUtf8(out, DecodeUtf16(utf16, i));
  return out;
}

// An unmappable character becomes "?" and the rest is converted.
std::string Utf16ToCodePage(std::u16string_view utf16, const char* codePage) {
  Iconv& conv = CachedIconv(codePage, "UTF-32LE");
  if (!conv.Valid()) return Utf16ToUtf8(utf16);
  std::string utf32;
  utf32.reserve(utf16.size() * 4);
  for (size_t i = 0; i < utf16.size();) {
    const char32_t cp = DecodeUtf16(utf16, i);
    for (int shift = 0; shift < 32; shift += 8) utf32 += static_cast<char>((cp >> shift) & 0xFF);
  }
  std::string out;
  out.reserve(utf16.size());
  conv.Convert(utf32, out, [](std::string& text) {
    text += '?';
    return size_t{4};
  });
  return out;
}

WideString CodePageToUtf16(std::string_view bytes, const char* codePage) {
  return Utf8ToUtf16(CodePageToUtf8(bytes, codePage));
}

std::string Utf8ToCodePage(std::string_view utf8, const char* codePage) {
  return Utf16ToCodePage(Utf8ToUtf16(utf8), codePage);
}

// Undecodable bytes become U+FFFD, one per byte, and decoding goes on.
std::string CodePageToUtf8(std::string_view bytes, const char* codePage) {
  Iconv& conv = CachedIconv("UTF-8", codePage);
  if (!conv.Valid()) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  conv.Convert(bytes, out, [](std::string& text) {
    AppendUtf8(text, kReplacement);
    return size_t{1};
  });
  return out;
}

}  // namespace rtl
