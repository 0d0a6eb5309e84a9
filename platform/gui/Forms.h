#pragma once
// Forms: top-level windows described by the class library's form properties,
// shown as GTK windows.
//
// A TForm is a component that holds its caption, bounds, border and place;
// its GTK window is made the first time it is shown (so forms can be built,
// streamed and run modally through a scripted runner without a display).
// A form class reads its embedded text-form resource (named after the class)
// with ReadFormResource() from its constructor.
#include <memory>
#include <string>

#include "platform/gui/Font.h"
#include "platform/gui/Input.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/Types.h"

typedef struct _GtkWidget GtkWidget;

namespace gui {

class ISceneHost;
class TSceneWindow;
class TMainMenu;
class TForm;

RTL_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
RTL_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = rtl::TSet<TBorderIcon>;
RTL_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
         poMainFormCenter, poOwnerFormCenter)
RTL_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                              mrNo = 7;

using TCloseEvent = rtl::TEvent<rtl::TObject*, TCloseAction&>;

// Runs a form modally: returns once the form's ModalResult is not mrNone.
// The real runner shows the window and runs a nested message loop; tests
// install a scripted one (tests/support) that never opens a window.
class IModalRunner {
 public:
  virtual ~IModalRunner() = default;
  virtual TModalResult RunModal(TForm& form) = 0;
};
// The runner in use; SetModalRunner(nullptr) restores the real one. The
// runner must outlive its installation.
IModalRunner& ModalRunner();
void SetModalRunner(IModalRunner* runner);

// Where a form of `size` goes for `position`: centred (halves truncated
// toward zero) on `screen` for the screen and desktop centre, on `owner`
// for the owner and main-form centre (on `screen` without one); `current`
// (its Left and Top) for every other position.
TPoint PlaceForm(TPosition position, const TRect& current, const TRect* owner, const TRect& screen);

class TForm : public rtl::TComponent {
  RTL_CLASS(TForm, rtl::TComponent)

  explicit TForm(rtl::TComponent* owner);
  ~TForm() override;

  const rtl::WideString& Caption() const { return caption_; }
  void SetCaption(const rtl::WideString& caption);
  int Left() const { return left_; }
  int Top() const { return top_; }
  // The window's size: the client area plus the main menu bar.
  int Width() const { return clientWidth_; }
  int Height() const;
  void SetLeft(int left) { SetBounds(left, top_, Width(), Height()); }
  void SetTop(int top) { SetBounds(left_, top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(left_, top_, width, Height()); }
  void SetHeight(int height) { SetBounds(left_, top_, Width(), height); }
  void SetBounds(int left, int top, int width, int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  TRect BoundsRect() const { return {left_, top_, left_ + Width(), top_ + Height()}; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  TFont* Font() { return &font_; }
  // Shows the picture file (any format gdk-pixbuf reads) as the window's
  // icon; false when it cannot be read.
  bool LoadIcon(const std::string& fileName);

  // Not modal: shows the window and returns.
  void Show();
  void Hide();
  // Closes as the class library does: a modal form gets mrCancel; else
  // OnClose decides (default caHide) and closing the main form terminates
  // Application. caFree frees the form from the main loop, once, unless it
  // was freed before then.
  void Close();
  // Runs the form modally through ModalRunner(). Raises EInvalidOperation
  // "Cannot make a visible window modal" when it is already shown.
  TModalResult ShowModal();
  bool IsModal() const;
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);
  // Called by a modal runner when ModalResult was set: OnClose may answer
  // caNone, which clears ModalResult and keeps the form running.
  bool CloseModal();

  // The scene that fills the client area (below the main menu); its window
  // exists while the form's window does (nullptr otherwise).
  void SetClientHost(ISceneHost* host);
  TSceneWindow* ClientWindow() const;
  // A form whose scene is transparent shows the scene's alpha.
  void SetTransparent(bool transparent);
  // A popup form (drop-down lists, popups of the toolkit): a window the
  // window manager never decorates, moves or activates, placed exactly
  // where the form says. Set before the window is made.
  bool PopupStyle() const { return popupStyle_; }
  void SetPopupStyle(bool popup) { popupStyle_ = popup; }

  // The GTK window, made on demand (needs InitGui()); platform code only.
  GtkWidget* Handle();
  bool HandleAllocated() const { return window_ != nullptr; }
  // The client area's container, a GtkOverlay whose main child is the
  // scene; platform code lays widgets over the scene there. nullptr while
  // the form has no window; owned by the window.
  GtkWidget* ClientArea() const;

  TCloseEvent OnClose;
  rtl::TNotifyEvent OnCreate, OnDestroy, OnShow, OnHide, OnActivate;

  static void Publish(rtl::TPublisher<TForm>& p);

 protected:
  // Reads the form resource named after the class into this form, then
  // runs OnCreate. Call from the constructor of a form class.
  void ReadFormResource();
  void BeforeDestruction() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  struct Window;
  friend struct Window;
  void ApplyPosition();
  void ShowWindow();
  void DoClose(TCloseAction& action);
  void ReleaseLater();

  rtl::WideString caption_;
  int left_ = 0, top_ = 0, clientWidth_ = 200, clientHeight_ = 150;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDefaultPosOnly;
  bool enabled_ = true, visible_ = false, transparent_ = false, placed_ = false;
  bool popupStyle_ = false;
  TModalResult modalResult_ = mrNone;
  TMainMenu* menu_ = nullptr;
  TFont font_;
  std::string iconFile_;
  ISceneHost* clientHost_ = nullptr;
  std::unique_ptr<Window> window_;
  unsigned releaseSource_ = 0;  // pending caFree release, 0 if none
  // Streamed by form files, unused here.
  bool oldCreateOrder_ = false;
  int pixelsPerInch_ = 96, textHeight_ = 13;
};

// Registers the form, menu and dialog classes for streaming.
void RegisterGuiClasses();

// The form whose closing ends the program (none until set).
TForm* MainForm();
void SetMainForm(TForm* form);
// The form that last had the keyboard focus, or the main form.
TForm* ActiveForm();
// The innermost form running modally, or nullptr when none is.
TForm* TopModalForm();

}  // namespace gui
