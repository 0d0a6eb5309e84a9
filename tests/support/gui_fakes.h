#pragma once
// Scripted stand-ins for the windowing layer's outside-world services, so
// forms, dialogs and clipboard users run headless. Each fake installs
// itself for its lifetime.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gui/Clipboard.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Exceptions.h"

namespace test_support {

// Runs modal forms by script: each ShowModal takes the next step, which
// acts on the form as a user would (press a button: set its ModalResult,
// run a handler...). A run that ends without a modal result, or finds no
// step, raises: the test expected another dialog.
class TScriptedModalRunner final : public gui::IModalRunner {
 public:
  using Step = std::function<void(gui::TForm&)>;

  TScriptedModalRunner() { gui::SetModalRunner(this); }
  ~TScriptedModalRunner() override { gui::SetModalRunner(nullptr); }

  TScriptedModalRunner& Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
  }
  // The step that answers with `result`.
  TScriptedModalRunner& ThenAnswer(gui::TModalResult result) {
    return Then([result](gui::TForm& form) { form.SetModalResult(result); });
  }

  gui::TModalResult RunModal(gui::TForm& form) override {
    Shown.push_back(form.Name());
    if (steps_.empty()) throw rtl::Exception("No scripted step for the modal form " + form.Name());
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(form);
    if (form.ModalResult() == gui::mrNone)
      throw rtl::Exception("The scripted step left the modal form " + form.Name() + " running");
    if (!form.CloseModal()) throw rtl::Exception("The modal form " + form.Name() + " refused to close");
    return form.ModalResult();
  }

  bool Done() const { return steps_.empty(); }
  std::vector<std::string> Shown;  // names of the forms run, in order

 private:
  std::deque<Step> steps_;
};

// Answers message boxes and common dialogs from queues and records what
// was asked.
class TScriptedDialogs final : public gui::IDialogs {
 public:
  struct Message {
    rtl::WideString Text, Caption;
    unsigned Flags;
  };

  TScriptedDialogs() { gui::SetDialogs(this); }
  ~TScriptedDialogs() override { gui::SetDialogs(nullptr); }

  // Queues the answer of the next message box (IDOK, IDYES...).
  TScriptedDialogs& AnswerBox(int answer) {
    boxes_.push_back(answer);
    return *this;
  }
  // Drops the message-box answers still queued.
  TScriptedDialogs& ForgetBoxAnswers() {
    boxes_.clear();
    return *this;
  }
  // Queues the next file dialog's choice; nullopt cancels.
  TScriptedDialogs& ChooseFile(std::optional<std::string> fileName) {
    files_.push_back(std::move(fileName));
    return *this;
  }
  // Queues the text typed into the next input box; nullopt cancels.
  TScriptedDialogs& Input(std::optional<rtl::WideString> text) {
    inputs_.push_back(std::move(text));
    return *this;
  }
  TScriptedDialogs& ChooseColor(std::optional<gui::TColor> color) {
    colors_.push_back(color);
    return *this;
  }
  TScriptedDialogs& ChooseFont(std::optional<gui::TFont*> font) {
    fonts_.push_back(font);
    return *this;
  }

  int MessageBox(gui::TForm*, const rtl::WideString& text, const rtl::WideString& caption, unsigned flags) override {
    Messages.push_back({text, caption, flags});
    return Next(boxes_, "message box");
  }
  bool ExecuteFile(gui::TOpenDialog& dialog, bool save) override {
    FileDialogs.push_back(save ? "save" : "open");
    FileDialogFolders.push_back(dialog.InitialDir);
    auto choice = Next(files_, "file dialog");
    if (!choice) return false;
    dialog.FileName = save ? gui::ApplyDefaultExt(*choice, dialog.DefaultExt) : *choice;
    return true;
  }
  bool InputQuery(const rtl::WideString& caption, const rtl::WideString& prompt, rtl::WideString& value) override {
    Inputs.push_back({caption, prompt, value});
    auto typed = Next(inputs_, "input box");
    if (typed) value = *typed;
    return typed.has_value();
  }
  bool ExecuteColor(gui::TColorDialog& dialog) override {
    auto choice = Next(colors_, "colour dialog");
    if (choice) dialog.Color = *choice;
    return choice.has_value();
  }
  bool ExecuteFont(gui::TFontDialog& dialog) override {
    auto choice = Next(fonts_, "font dialog");
    if (choice) dialog.GetFont()->Assign(*choice);
    return choice.has_value();
  }

  std::vector<Message> Messages;
  std::vector<std::string> FileDialogFolders;  // the folder each started in
  std::vector<std::string> FileDialogs;  // "open" or "save", in order
  struct Query {
    rtl::WideString Caption, Prompt, Proposed;
  };
  std::vector<Query> Inputs;  // the input boxes asked, in order

 private:
  template <class T>
  static T Next(std::deque<T>& queue, const char* what) {
    if (queue.empty()) throw rtl::Exception(std::string("No scripted answer for a ") + what);
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
  }
  std::deque<int> boxes_;
  std::deque<std::optional<std::string>> files_;
  std::deque<std::optional<rtl::WideString>> inputs_;
  std::deque<std::optional<gui::TColor>> colors_;
  std::deque<std::optional<gui::TFont*>> fonts_;
};

class TFakeClipboard final : public gui::IClipboard {
 public:
  TFakeClipboard() { gui::SetClipboard(this); }
  ~TFakeClipboard() override { gui::SetClipboard(nullptr); }
  // As on the desktop, the clipboard holds a text or a picture, not both.
  bool HasText() override { return !Text.empty(); }
  rtl::WideString AsText() override { return Text; }
  void SetAsText(const rtl::WideString& text) override {
    Text = text;
    Picture.reset();
  }
  bool GetPicture(rtl::TBitmap& picture) override {
    if (Picture) picture = *Picture;
    return Picture.has_value();
  }
  void SetPicture(const rtl::TBitmap& picture) override {
    Picture = picture;
    Text.clear();
  }
  rtl::WideString Text;
  std::optional<rtl::TBitmap> Picture;  // kept as set
};

}  // namespace test_support
