#pragma once
// Message boxes, the one-line input box and the common dialogs (open,
// save, colour, font).
//
// The dialog components hold what the class library's dialogs hold and run
// through one replaceable service, IDialogs: the real one shows GTK dialogs,
// tests install a scripted fake (tests/support) and never need a display.
#include <string>
#include <vector>

#include "platform/gui/Font.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Types.h"

namespace gui {

class TForm;
class TOpenDialog;
class TColorDialog;
class TFontDialog;

// Message box buttons, icons and answers, with the platform's values.
inline constexpr unsigned MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
                          MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30,
                          MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // Shows a modal box over `parent` (nullptr: the active form) and returns
  // the answer: IDOK, IDCANCEL, IDYES or IDNO. Closing the box answers
  // IDCANCEL (IDOK for a box with only OK, IDNO for Yes/No).
  virtual int MessageBox(TForm* parent, const rtl::WideString& text, const rtl::WideString& caption,
                         unsigned flags) = 0;
  // Runs an open (save = false) or save dialog; on OK stores the chosen
  // name (whole, however long) in the dialog's FileName and returns true.
  virtual bool ExecuteFile(TOpenDialog& dialog, bool save) = 0;
  // Asks for one line of text in a modal box: `value` comes in as the
  // proposed text and, on OK, goes out as the entered one. False when
  // cancelled (value unchanged).
  virtual bool InputQuery(const rtl::WideString& caption, const rtl::WideString& prompt, rtl::WideString& value) = 0;
  virtual bool ExecuteColor(TColorDialog& dialog) = 0;
  virtual bool ExecuteFont(TFontDialog& dialog) = 0;
};

// The dialog service in use; SetDialogs(nullptr) restores the GTK one.
// The service must outlive its installation.
IDialogs& Dialogs();
void SetDialogs(IDialogs* dialogs);

// One "Name|pattern;pattern" pair of a class-library filter string.
struct TFileFilter {
  std::string Name;
  std::vector<std::string> Patterns;
  friend bool operator==(const TFileFilter&, const TFileFilter&) = default;
};
// Splits "Text (*.txt)|*.txt|All (*.*)|*.*" into its pairs; a trailing
// name without patterns is dropped, blanks around patterns are trimmed.
std::vector<TFileFilter> ParseFilter(const std::string& filter);
// `fileName` with "." + `defaultExt` appended when its last path element has
// no extension and `defaultExt` is not empty.
std::string ApplyDefaultExt(const std::string& fileName, const std::string& defaultExt);

RTL_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
         ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
         ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
         ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden)
using TOpenOptions = rtl::TSet<TOpenOption>;

class TOpenDialog : public rtl::TComponent {
  RTL_CLASS(TOpenDialog, rtl::TComponent)
  explicit TOpenDialog(rtl::TComponent* owner) : rtl::TComponent(owner) {}

  std::string DefaultExt;
  std::string FileName;  // UTF-8 path
  std::string Filter;
  int FilterIndex = 1;  // 1-based, as the class library counts
  std::string InitialDir;
  TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
  rtl::WideString Title;

  virtual bool Execute() { return Dialogs().ExecuteFile(*this, false); }

  static void Publish(rtl::TPublisher<TOpenDialog>& p);
};

class TSaveDialog : public TOpenDialog {
  RTL_CLASS(TSaveDialog, TOpenDialog)
  using TOpenDialog::TOpenDialog;
  bool Execute() override { return Dialogs().ExecuteFile(*this, true); }
};

class TColorDialog : public rtl::TComponent {
  RTL_CLASS(TColorDialog, rtl::TComponent)
  explicit TColorDialog(rtl::TComponent* owner) : rtl::TComponent(owner) {}

  TColor Color = 0;  // 0x00BBGGRR
  bool Execute() { return Dialogs().ExecuteColor(*this); }

  static void Publish(rtl::TPublisher<TColorDialog>& p) { p.Property("Color", &TColorDialog::Color).Default(0); }
};

class TFontDialog : public rtl::TComponent {
  RTL_CLASS(TFontDialog, rtl::TComponent)
  explicit TFontDialog(rtl::TComponent* owner) : rtl::TComponent(owner) {}

  TFont* GetFont() { return &font_; }
  bool Execute() { return Dialogs().ExecuteFont(*this); }

  static void Publish(rtl::TPublisher<TFontDialog>& p) { p.Property("Font", &TFontDialog::GetFont); }

 private:
  TFont font_;
};

}  // namespace gui
