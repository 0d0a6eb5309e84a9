#include "ui/controls/vg_textbox.h"

#include <algorithm>
#include <cstdlib>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_custombutton.h"
#include "ui/core/vg_keys.h"

namespace vg {
namespace {

constexpr std::int16_t kCursorIBeam = -4;
constexpr float kMeasureRight = 10000;
constexpr float kCaretWidth = 2;
constexpr int kScrollSteps[] = {500, 100, 50, 10};

bool IsCaretKey(std::uint16_t key) {
  return key == kKeyEnd || key == kKeyHome || key == kKeyLeft || key == kKeyRight;
}

}  // namespace

TvgCustomTextBox::TvgCustomTextBox(rtl::TComponent* owner)
    : TvgControl(owner),
      FFont(new TvgFont),
      FFontFill(new TvgBrush(vgBrushSolid, 0xFF000000)),
      FSelectionFill(new TvgBrush(vgBrushSolid, 0x802A8ADF)) {
  FFont->OnChanged = [this](rtl::TObject* sender) { FontChanged(sender); };
  SetWidth(100);
  SetHeight(22);
  SetCursor(kCursorIBeam);
  SetCanFocused(true);
  SetAutoCapture(true);
}

TvgCustomTextBox::~TvgCustomTextBox() = default;

void TvgCustomTextBox::Publish(rtl::TPublisher<TvgCustomTextBox>& p) {
  using T = TvgCustomTextBox;
  p.Property("Cursor", &T::Cursor, &T::SetCursor).Default(kCursorIBeam);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnChangeTracking", &T::OnChangeTracking);
  p.Property("OnTyping", &T::OnTyping);
}

void TvgTextBox::Publish(rtl::TPublisher<TvgTextBox>& p) {
  using T = TvgTextBox;
  p.Property("Password", &T::Password, &T::SetPassword).Default(false);
  p.Property("Text", &T::Text, &T::SetText);
}

// ----- style

void TvgCustomTextBox::ApplyStyle() {
  inherited::ApplyStyle();
  if (auto* content = dynamic_cast<TvgContent*>(FindResource("content"))) {
    FContent = content;
    FContent->OnPaint = [this](rtl::TObject*, TvgCanvas* canvas, const TvgRect& rect) {
      if (canvas) DoContentPaint(*canvas, rect);
    };
  }
  if (auto* selection = dynamic_cast<TvgBrushObject*>(FindResource("selection")))
    FSelectionFill->Assign(selection->Brush());
  if (auto* foreground = dynamic_cast<TvgBrushObject*>(FindResource("foreground")))
    FFontFill->Assign(foreground->Brush());
}

void TvgCustomTextBox::FreeStyle() {
  if (FContent) FContent->OnPaint = nullptr;
  FContent = nullptr;
  inherited::FreeStyle();
}

void TvgCustomTextBox::FontChanged(rtl::TObject*) { Repaint(); }

// ----- properties

void TvgCustomTextBox::SetText(const rtl::WideString& value) {
  if (value == FText) return;
  FText = value;
  if (static_cast<int>(FText.size()) < FCaretPosition) SetCaretPosition(static_cast<int>(FText.size()));
  if (!IsLoading() && OnChangeTracking) OnChangeTracking(this);
  FNeedChange = true;
  Repaint();
}

void TvgCustomTextBox::StoreText(const rtl::WideString& value) {
  FText = value;
  if (static_cast<int>(FText.size()) < FCaretPosition) SetCaretPosition(static_cast<int>(FText.size()));
  FSelLength = 0;
  Repaint();
}

void TvgCustomTextBox::Change() {
  if (!FNeedChange) return;
  ToBindingObjects();
  if (OnChange) OnChange(this);
}

void TvgCustomTextBox::SetTextAlign(TvgTextAlign value) {
  if (value == FTextAlign) return;
  FTextAlign = value;
  Repaint();
}

void TvgCustomTextBox::SetPassword(bool value) {
  if (value == FPassword) return;
  FPassword = value;
  Repaint();
}

rtl::Variant TvgCustomTextBox::GetData() { return rtl::Variant(FText); }

void TvgCustomTextBox::SetData(const rtl::Variant& value) {
  switch (value.VarType()) {
    case rtl::varNull:
      SetText({});
      break;
    case rtl::varDate:
      SetText(rtl::Utf8ToUtf16(rtl::DateTimeToStr(value.AsDate())));
      break;
    case rtl::varEvent:
      OnChange = value.AsEvent();
      break;
    default:
      SetText(value.AsWideString());
  }
}

// ----- selection and caret

int TvgCustomTextBox::GetSelStart() const {
  if (FSelLength > 0) return FSelStart;
  if (FSelLength < 0) return FSelStart + FSelLength;
  return FCaretPosition;
}

int TvgCustomTextBox::GetSelLength() const { return std::abs(FSelLength); }

rtl::WideString TvgCustomTextBox::GetSelText() const {
  const int start = std::clamp(GetSelStart(), 0, static_cast<int>(FText.size()));
  return FText.substr(start, GetSelLength());
}

void TvgCustomTextBox::SetSelStart(int value) {
  if (value == FSelStart) return;
  SetSelLength(0);
  FSelStart = value;
  SetCaretPosition(value);
  Repaint();
}

void TvgCustomTextBox::SetSelLength(int value) {
  if (value == FSelLength) return;
  FSelLength = value;
  Repaint();
}

void TvgCustomTextBox::SelectAll() {
  const int length = static_cast<int>(FText.size());
  FSelLength = 0;
  SetCaretPosition(length);
  FSelStart = length;
  FSelLength = -length;
  Repaint();
}

void TvgCustomTextBox::SetCaretPosition(int value) {
  FCaretPosition = std::clamp(value, 0, static_cast<int>(FText.size()));
  UpdateFirstVisibleChar();
  if (GetSelLength() <= 0) FSelStart = FCaretPosition;
  Repaint();
  if (!IsFocused() || !FShowCaret) return;
  const TvgRect content = ContentRect();
  SetCaretSize({kCaretWidth, CaretHeight()});
  SetCaretPos({GetCharX(FCaretPosition) - 1, (content.Top + content.Bottom - CaretHeight()) / 2});
  SetCaretColor(FFontFill->GetSolidColor());
}

void TvgCustomTextBox::UpdateFirstVisibleChar() {
  const int length = static_cast<int>(FText.size());
  const float width = vgRectWidth(ContentRect());
  if (FFirstVisibleChar >= FCaretPosition + 1) {
    FFirstVisibleChar = std::max(FCaretPosition, 1);
  } else if (FPassword) {
    while (width < GetPasswordCharWidth() * float(FCaretPosition - FFirstVisibleChar + 1) &&
           FFirstVisibleChar < length)
      ++FFirstVisibleChar;
  } else {
    while (VisibleWidth(FFirstVisibleChar, FCaretPosition) > width && FFirstVisibleChar < length) {
      int step = 1;
      for (int k : kScrollSteps) {
        if (VisibleWidth(FFirstVisibleChar + k, FCaretPosition) > width) {
          step = k;
          break;
        }
      }
      FFirstVisibleChar += step;
    }
  }
  Repaint();
}

// ----- geometry

TvgRect TvgCustomTextBox::ContentRect() {
  if (FContent && FContent->IsVisual()) return FContent->GetParentedRect();
  return GetLocalRect();
}

float TvgCustomTextBox::GetPasswordCharWidth() const { return FFont->Size() / 2; }

float TvgCustomTextBox::CaretHeight() const { return FFont->Size() * 1.25f; }

float TvgCustomTextBox::TextWidth(const rtl::WideString& text) {
  if (FPassword) return float(text.size()) * GetPasswordCharWidth();
  TvgCanvas* canvas = GetCanvas();
  if (!canvas || text.empty()) return 0;
  canvas->Font()->Assign(FFont.get());
  const TvgRect content = ContentRect();
  TvgRect r{content.Left, content.Top, kMeasureRight, content.Bottom};
  canvas->MeasureText(r, r, text, false, vgTextAlignNear, vgTextAlignCenter);
  return vgRectWidth(r);
}

float TvgCustomTextBox::VisibleWidth(int first, int last) {
  const int begin = std::max(first - 1, 0);
  const int end = std::min(last, static_cast<int>(FText.size()));
  if (end <= begin) return 0;
  return TextWidth(FText.substr(begin, end - begin));
}

float TvgCustomTextBox::AlignOffset() {
  if (FTextAlign == vgTextAlignNear) return 0;
  const float whole = FText.empty() && !FPassword ? TextWidth(u"a") : TextWidth(FText);
  const float width = vgRectWidth(ContentRect());
  if (whole >= width) return 0;
  return FTextAlign == vgTextAlignCenter ? (width - whole) / 2 : width - whole;
}

float TvgCustomTextBox::GetCharX(int pos) {
  const float left = ContentRect().Left;
  float x = left;
  if (pos > 0) {
    if (FPassword)
      x = left + GetPasswordCharWidth() *
                     float(std::min(pos, static_cast<int>(FText.size())) - FFirstVisibleChar + 1);
    else
      x = left + VisibleWidth(FFirstVisibleChar, pos);
  }
  return x + AlignOffset();
}

int TvgCustomTextBox::GetCoordinatePosition(float x) {
  const int length = static_cast<int>(FText.size());
  if (FText.empty()) return FFirstVisibleChar - 1;
  x -= AlignOffset() + ContentRect().Left;
  if (FPassword)
    return std::clamp(FFirstVisibleChar - 1 + int(rtl::Trunc(x / GetPasswordCharWidth())), 0, length);
  for (int pos = FFirstVisibleChar - 1;; ++pos) {
    const float before = VisibleWidth(FFirstVisibleChar, pos);
    if (before >= x || pos >= length) return pos;
    const float after = VisibleWidth(FFirstVisibleChar, pos + 1);
    if (x > before + (after - before) / 2 && after > x) return pos + 1;
    if (after > x) return pos;
  }
}

TvgRect TvgCustomTextBox::GetSelRect() {
  TvgRect r = ContentRect();
  r.Left = GetCharX(GetSelStart());
  r.Right = GetCharX(GetSelStart() + GetSelLength()) + 1;
  return r;
}

TvgPoint TvgCustomTextBox::ImeCaretPoint() {
  const TvgRect content = ContentRect();
  return {GetCharX(FCaretPosition), (content.Top + content.Bottom - CaretHeight()) / 2};
}

// ----- painting

void TvgCustomTextBox::DoContentPaint(TvgCanvas& canvas, const TvgRect& rect) {
  if (FText.empty()) return;
  TvgSavedCanvasState saved(canvas);
  canvas.IntersectClipRect(rect);
  canvas.Font()->Assign(FFont.get());
  canvas.Fill()->Assign(FFontFill.get());
  // The content part's opacity: dimmed with the style when the box is disabled.
  const float opacity = FContent ? FContent->GetAbsoluteOpacity() : GetAbsoluteOpacity();
  const int first = std::max(FFirstVisibleChar - 1, 0);
  if (FPassword) {
    const float dot = GetPasswordCharWidth();
    const float side = dot - 1;
    const float top = (vgRectHeight(rect) - side) / 2;
    for (int i = first; i < static_cast<int>(FText.size()); ++i) {
      const float left = rect.Left + dot * float(i - first);
      canvas.FillEllipse({left, top, left + side, top + side}, opacity);
    }
  } else if (first < static_cast<int>(FText.size())) {
    TvgRect r = rect;
    if (FTextAlign == vgTextAlignNear) r.Right += FFont->Size() / 2;
    canvas.FillText(r, r, FText.substr(first), false, opacity, FTextAlign, vgTextAlignCenter);
  }
  if (IsFocused() && GetSelLength() > 0) {
    canvas.Fill()->Assign(FSelectionFill.get());
    const TvgRect content = ContentRect();
    TvgRect sel = GetSelRect();
    sel = {sel.Left - content.Left, sel.Top - content.Top, sel.Right - content.Left, sel.Bottom - content.Top};
    canvas.FillRect(sel, 0, 0, AllCorners, opacity);
  }
}

// ----- editing

void TvgCustomTextBox::InsertText(const rtl::WideString& text) {
  if (FReadOnly) return;
  const int start = std::clamp(GetSelStart(), 0, static_cast<int>(FText.size()));
  rtl::WideString candidate = FText;
  candidate.erase(start, GetSelLength());
  candidate.insert(start, text);
  if (FMaxLength > 0 && static_cast<int>(candidate.size()) > FMaxLength) {
    SetSelLength(0);
    return;
  }
  SetText(candidate);
  SetCaretPosition(start + static_cast<int>(text.size()));
  SetSelLength(0);
}

void TvgCustomTextBox::ClearSelection() {
  if (FReadOnly) return;
  const int start = std::clamp(GetSelStart(), 0, static_cast<int>(FText.size()));
  rtl::WideString rest = FText;
  rest.erase(start, GetSelLength());
  SetCaretPosition(start);
  SetText(rest);
  SetSelLength(0);
}

void TvgCustomTextBox::CopyToClipboard() {
  if (FPassword) return;
  const rtl::WideString selected = GetSelText();
  if (selected.empty()) return;
  if (IvgClipboard* clipboard = vgClipboard()) clipboard->SetAsText(selected);
}

void TvgCustomTextBox::CutToClipboard() {
  if (FPassword) return;
  CopyToClipboard();
  ClearSelection();
}

void TvgCustomTextBox::PasteFromClipboard() {
  if (FReadOnly) return;
  IvgClipboard* clipboard = vgClipboard();
  if (!clipboard) return;
  const rtl::WideString text = clipboard->AsText();
  if (!text.empty()) InsertText(text);
}

// ----- input

void TvgCustomTextBox::DeleteKey(std::uint16_t key, TvgShiftState shift) {
  if (GetSelLength() > 0) {
    if (shift == vgShift)
      CutToClipboard();
    else
      ClearSelection();
    return;
  }
  if (!FText.empty()) {
    rtl::WideString rest = FText;
    if (key == kKeyDelete) {
      if (FCaretPosition < static_cast<int>(rest.size()))
        rest.erase(FCaretPosition, vgStepChar(FText, FCaretPosition, 1) - FCaretPosition);
    } else if (FCaretPosition > 0) {
      const int before = vgStepChar(FText, FCaretPosition, -1);
      rest.erase(before, FCaretPosition - before);
      SetCaretPosition(before);
    }
    SetText(rest);
  }
  Typed();
}

void TvgCustomTextBox::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  const int oldCaret = FCaretPosition;
  FLastChar = keyChar;
  FLastKey = key;
  switch (key) {
    case kKeyBack:
    case kKeyDelete:
      if (!FReadOnly) DeleteKey(key, shift);
      break;
    case kKeyEnter:
      Change();
      break;
    case kKeyEnd:
      SetCaretPosition(static_cast<int>(FText.size()));
      break;
    case kKeyHome:
      SetCaretPosition(0);
      break;
    case kKeyLeft:
      SetCaretPosition(shift & vgCtrl ? GetPrivWordBeging(FCaretPosition) : vgStepChar(FText, FCaretPosition, -1));
      break;
    case kKeyRight:
      SetCaretPosition(shift & vgCtrl ? GetNextWordBeging(FCaretPosition) : vgStepChar(FText, FCaretPosition, 1));
      break;
    case kKeyInsert:
      if (shift == vgCtrl) {
        CopyToClipboard();
      } else if (shift == vgShift) {
        PasteFromClipboard();
        Typed();
      }
      break;
    default:
      break;
  }
  if (keyChar != 0 && !FFilterChar.empty() && FFilterChar.find(keyChar) == rtl::WideString::npos) keyChar = 0;
  if (shift == vgCtrl) {
    switch (keyChar) {
      case u'A':
      case u'a':
        SelectAll();
        keyChar = 0;
        break;
      case u'C':
      case u'c':
        CopyToClipboard();
        keyChar = 0;
        break;
      case u'V':
      case u'v':
        PasteFromClipboard();
        Typed();
        keyChar = 0;
        break;
      case u'X':
      case u'x':
        CutToClipboard();
        keyChar = 0;
        break;
      case u'Z':
      case u'z':
        keyChar = 0;
        break;
      default:
        break;
    }
  }
  if (IsCaretKey(key)) {
    if (shift & vgShift) {
      FSelStart = FCaretPosition;
      FSelLength += oldCaret - FCaretPosition;
    } else {
      FSelLength = 0;
    }
    Repaint();
  }
  if (keyChar >= 32 && !FReadOnly) {
    InsertText(rtl::WideString(1, keyChar));
    Typed();
  }
  if (auto* style = dynamic_cast<TvgVisualObject*>(ResourceLink())) style->UpdateEffects();
  UpdateCaretePosition();
}

void TvgCustomTextBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  const bool wasFocused = IsFocused();
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  FLMouseSelecting = true;
  if (!(shift & vgDouble) && wasFocused) {
    SetCaretPosition(GetCoordinatePosition(x));
    SetSelLength(0);
  }
}

void TvgCustomTextBox::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!FLMouseSelecting) return;
  const int oldCaret = FCaretPosition;
  int target = GetCoordinatePosition(x);
  if (x > ContentRect().Right) ++target;
  SetCaretPosition(target);
  FSelStart = FCaretPosition;
  FSelLength += oldCaret - FCaretPosition;
  Repaint();
}

void TvgCustomTextBox::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  FLMouseSelecting = false;
}

void TvgCustomTextBox::DblClick() {
  inherited::DblClick();
  SelectAll();
}

void TvgCustomTextBox::ContextMenu(TvgPoint screenPoint) {
  inherited::ContextMenu(screenPoint);
  IvgScene* scene = GetScene();
  if (scene && scene->GetDesignTime()) return;
  if (!FPopupMenu) FPopupMenu = vgCreateListMenu();
  if (!FPopupMenu) return;
  TvgEditMenu items;
  items.ReadOnly = FReadOnly;
  items.Secret = FPassword;
  items.Text = FText;
  vgBindEditCommands(items, *this);
  vgPopupEditMenu(*FPopupMenu, items, static_cast<int>(rtl::Round(screenPoint.X)),
                  static_cast<int>(rtl::Round(screenPoint.Y)));
}

// ----- focus

void TvgCustomTextBox::EnterFocus() {
  inherited::EnterFocus();
  FNeedChange = false;
  if (FShowCaret) ShowCaretProc();
  // The toolkit's scene shows no on-screen keyboard, so entering selects all.
  SelectAll();
}

void TvgCustomTextBox::KillFocus() {
  if (!GetScene()) {
    inherited::KillFocus();
    return;
  }
  if (FShowCaret) HideCaret();
  inherited::KillFocus();
  Change();
}

// ----- clear-button box

void TvgTextBoxClearBtn::Publish(rtl::TPublisher<TvgTextBoxClearBtn>& p) {
  using T = TvgTextBoxClearBtn;
  p.Property("Password", &T::Password, &T::SetPassword).Default(false);
  p.Property("Text", &T::Text, &T::SetText);
}

void TvgTextBoxClearBtn::ApplyStyle() {
  inherited::ApplyStyle();
  FClearBtn = dynamic_cast<TvgCustomButton*>(FindResource("clearbutton"));
  if (FClearBtn) FClearBtn->OnClick = [this](rtl::TObject*) { DoClearBtnClick(); };
}

void TvgTextBoxClearBtn::FreeStyle() {
  FClearBtn = nullptr;
  inherited::FreeStyle();
}

void TvgTextBoxClearBtn::DoClearBtnClick() {
  SetFocus();
  SetText({});
  Change();
}

void RegisterTextBoxClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  rtl::RegisterClasses<TvgCustomButton, TvgTextBox, TvgRoundTextBox, TvgHudTextBox, TvgHudRoundTextBox,
                     TvgTextBoxClearBtn>();
}

}  // namespace vg
