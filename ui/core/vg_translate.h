#pragma once
// Translation of the toolkit's texts. Every user-visible text of a control
// with AutoTranslate passes through Translate; the dictionary is a sorted,
// case-sensitive list of original=translation lines. Changing the
// dictionary first reverts every text to its original (ResetLang), then
// re-applies the styles of all scenes (UpdateLang) so that each text runs
// through Translate again. Texts can also be collected as they pass.
//
// TvgLang is a component holding the original texts and any number of
// named dictionaries inside a form (stream property "ResourcesBin") and
// switching between them.
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/Component.h"
#include "ui/core/vg_widestrings.h"

namespace vg {

// When assigned, replaces the dictionary: its answer is the translation
// (an empty answer keeps the text).
using TvgCustomTranslateProc = std::function<WideString(const WideString& text)>;
extern TvgCustomTranslateProc CustomTranslateProc;

// The translation of text (the text itself when there is none); while
// reverting, the original of a translated text. Adds the text to the
// collect list while collecting.
WideString Translate(const WideString& text);
WideString TranslateText(const WideString& text);

// ResetLang, then collects every text Translate sees (no duplicates).
void CollectLangStart();
void CollectLangFinish();
// The collected texts, or nullptr when not collecting.
TvgWideStrings* CollectLangStrings();

// A dictionary from a file (UTF-16 with byte-order mark or 8-bit text, one
// line per entry); nothing when the file does not exist.
void LoadLangFromFile(const std::string& fileName);
// A dictionary copied from lines; nothing for nullptr.
void LoadLangFromStrings(const TvgWideStrings* lines);
// Turns every text back into its original and drops the dictionary.
void ResetLang();
// Re-applies the styles of every scene, so each text is translated again.
void UpdateLang();
// Frees the dictionary and the collect list (unit shut-down; tests).
void FreeLang();

class TvgLang : public rtl::TComponent {
  RTL_CLASS(TvgLang, rtl::TComponent)

  // AutoSelect and StoreInForm on.
  explicit TvgLang(rtl::TComponent* owner);
  ~TvgLang() override;

  const std::string& Lang() const { return FLang; }
  // Switches to the named dictionary ("en": back to the originals); a
  // name never added changes nothing. Only stored while loading.
  void SetLang(const std::string& value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  bool StoreInForm() const { return FStoreInForm; }
  void SetStoreInForm(bool value) { FStoreInForm = value; }

  // The language names, each with its original=translation list as object.
  TvgWideStringList& Resources() { return *FResources; }
  TvgWideStringList& Original() { return *FOriginal; }
  // Adds an empty language unless one of that name exists.
  void AddLang(const WideString& name);
  // The lines of the named language, or nullptr.
  TvgWideStrings* GetLangStr(const WideString& name);

  // The "ResourcesBin" layout; reading appends languages and replaces the
  // originals, and refuses (EReadError) counts that run past the data.
  void ReadResources(rtl::TStream& stream);
  void WriteResources(rtl::TStream& stream);
  // Nothing when the file does not exist.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

 protected:
  void Loaded() override;
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  static void Publish(rtl::TPublisher<TvgLang>& p);
  void ApplyLang();

  std::string FLang;
  std::unique_ptr<TvgWideStringList> FResources;
  std::unique_ptr<TvgWideStringList> FOriginal;
  bool FAutoSelect = true;
  std::string FFileName;
  bool FStoreInForm = true;
};

// The user's language as two lower-case letters ("en" for the C locale).
std::string vgUserLanguage();

}  // namespace vg
