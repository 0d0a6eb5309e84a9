#include "ui/core/vg_translate.h"

#include <clocale>
#include <cstdint>
#include <filesystem>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_control.h"
#include "ui/core/vg_object.h"

namespace vg {

TvgCustomTranslateProc CustomTranslateProc;

namespace {

std::unique_ptr<TvgWideStringList> g_dictionary;
std::unique_ptr<TvgWideStringList> g_collected;
bool g_reverting = false;

std::unique_ptr<TvgWideStringList> NewSortedList() {
  auto list = std::make_unique<TvgWideStringList>();
  list->SetCaseSensitive(true);
  list->SetSorted(true);
  list->SetDuplicates(rtl::dupIgnore);
  return list;
}

// A new dictionary after the old one was reverted.
TvgWideStringList& FreshDictionary() {
  ResetLang();
  g_dictionary = NewSortedList();
  return *g_dictionary;
}

// ----- "ResourcesBin" text blocks: int32 count of UTF-16 units, the units.

void WriteBlock(rtl::TStream& stream, const WideString& text) {
  const auto count = static_cast<std::int32_t>(text.size());
  stream.WriteBuffer(&count, 4);
  for (char16_t unit : text) {
    const auto value = static_cast<std::uint16_t>(unit);
    stream.WriteBuffer(&value, 2);
  }
}

std::int32_t ReadCount(rtl::TStream& stream, std::int64_t unitSize) {
  std::int32_t count = 0;
  stream.ReadBuffer(&count, 4);
  if (count < 0 || count * unitSize > stream.Size() - stream.Position())
    throw rtl::EReadError("Language data runs past its end");
  return count;
}

WideString ReadBlock(rtl::TStream& stream) {
  WideString text(static_cast<std::size_t>(ReadCount(stream, 2)), u'\0');
  for (char16_t& unit : text) {
    std::uint16_t value = 0;
    stream.ReadBuffer(&value, 2);
    unit = static_cast<char16_t>(value);
  }
  return text;
}

}  // namespace

// ----- translation

WideString Translate(const WideString& text) {
  if (text.empty()) return text;
  if (CustomTranslateProc) {
    WideString answer = CustomTranslateProc(text);
    return answer.empty() ? text : answer;
  }
  if (g_collected) g_collected->Add(text);
  if (!g_dictionary) return text;
  WideString result;
  if (!g_reverting) {
    result = g_dictionary->Values(text);
  } else if (const int index = g_dictionary->IndexOfValue(text); index >= 0) {
    result = g_dictionary->Names(index);
  }
  return result.empty() ? text : result;
}

WideString TranslateText(const WideString& text) { return Translate(text); }

void CollectLangStart() {
  ResetLang();
  if (!g_collected) g_collected = NewSortedList();
}

void CollectLangFinish() { g_collected.reset(); }

TvgWideStrings* CollectLangStrings() { return g_collected.get(); }

void LoadLangFromFile(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::exists(fileName, error)) return;
  FreshDictionary().LoadFromFile(fileName);
  UpdateLang();
}

void LoadLangFromStrings(const TvgWideStrings* lines) {
  if (!lines) return;
  FreshDictionary().AddStrings(*lines);
  UpdateLang();
}

void ResetLang() {
  if (!g_dictionary) return;
  g_reverting = true;
  try {
    UpdateLang();
  } catch (...) {
    g_reverting = false;
    g_dictionary.reset();
    throw;
  }
  g_reverting = false;
  g_dictionary.reset();
}

void UpdateLang() {
  for (IvgScene* scene : std::vector<IvgScene*>(SceneList())) scene->UpdateResource();
}

void FreeLang() {
  g_dictionary.reset();
  g_collected.reset();
}

std::string vgUserLanguage() {
  const char* locale = std::setlocale(LC_MESSAGES, nullptr);
  std::string name = locale ? locale : "";
  if (name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return "en";
  std::string language = name.substr(0, 2);
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return language;
}

// ----- TvgLang

TvgLang::TvgLang(rtl::TComponent* owner)
    : rtl::TComponent(owner), FResources(std::make_unique<TvgWideStringList>()),
      FOriginal(std::make_unique<TvgWideStringList>()) {}

TvgLang::~TvgLang() {
  for (int i = 0; i < FResources->Count(); ++i) delete FResources->GetObject(i);
}

void TvgLang::Publish(rtl::TPublisher<TvgLang>& p) {
  using T = TvgLang;
  p.Property("AutoSelect", &T::AutoSelect, &T::SetAutoSelect).Default(true);
  p.Property("FileName", &T::FileName, &T::SetFileName);
  p.Property("Lang", &T::Lang, &T::SetLang);
  p.Property("StoreInForm", &T::StoreInForm, &T::SetStoreInForm).Default(true);
}

void TvgLang::AddLang(const WideString& name) {
  if (FResources->IndexOf(name) >= 0) return;
  FResources->AddObject(name, NewSortedList().release());
}

TvgWideStrings* TvgLang::GetLangStr(const WideString& name) {
  const int index = FResources->IndexOf(name);
  return index < 0 ? nullptr : static_cast<TvgWideStrings*>(FResources->GetObject(index));
}

void TvgLang::SetLang(const std::string& value) {
  FLang = value;
  if (!ComponentState().Contains(rtl::csLoading)) ApplyLang();
}

void TvgLang::ApplyLang() {
  if (FLang == "en")
    ResetLang();
  else
    LoadLangFromStrings(GetLangStr(rtl::Utf8ToUtf16(FLang)));
}

void TvgLang::Loaded() {
  inherited::Loaded();
  if (!FFileName.empty()) {
    const std::filesystem::path beside = ProgramFolder() / FFileName;
    std::error_code error;
    if (std::filesystem::exists(beside, error)) LoadFromFile(beside.string());
  }
  if (FAutoSelect) FLang = vgUserLanguage();
  if (!FLang.empty()) LoadLangFromStrings(GetLangStr(rtl::Utf8ToUtf16(FLang)));
}

void TvgLang::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "ResourcesBin", [this](rtl::TStream& stream) { ReadResources(stream); },
      [this](rtl::TStream& stream) { WriteResources(stream); }, FStoreInForm && FResources->Count() > 0);
}

void TvgLang::WriteResources(rtl::TStream& stream) {
  WriteBlock(stream, FOriginal->Text());
  const auto count = static_cast<std::int32_t>(FResources->Count());
  stream.WriteBuffer(&count, 4);
  for (int i = 0; i < count; ++i) {
    WriteBlock(stream, FResources->Get(i));
    WriteBlock(stream, static_cast<TvgWideStrings*>(FResources->GetObject(i))->Text());
  }
}

void TvgLang::ReadResources(rtl::TStream& stream) {
  const WideString original = ReadBlock(stream);
  // Each language takes at least its two block counts.
  const std::int32_t count = ReadCount(stream, 8);
  std::vector<std::pair<WideString, std::unique_ptr<TvgWideStringList>>> read;
  for (std::int32_t i = 0; i < count; ++i) {
    WideString name = ReadBlock(stream);
    auto lines = NewSortedList();
    lines->SetText(ReadBlock(stream));
    read.emplace_back(std::move(name), std::move(lines));
  }
  FOriginal->SetText(original);
  for (auto& [name, lines] : read) FResources->AddObject(name, lines.release());
}

void TvgLang::LoadFromFile(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::exists(fileName, error)) return;
  rtl::TFileStream file(fileName, rtl::fmOpenRead);
  ReadResources(file);
}

void TvgLang::SaveToFile(const std::string& fileName) {
  rtl::TMemoryStream data;
  WriteResources(data);
  data.SaveToFile(fileName);
}

}  // namespace vg
