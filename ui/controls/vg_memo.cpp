#include "ui/controls/vg_memo.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Rounding.h"

namespace vg {
namespace {

constexpr float kWheelDivisor = 30;
constexpr float kMeasureRight = 10000;
constexpr float kCaretWidth = 2;
constexpr float kCaretMargin = 5;
constexpr std::int16_t kCursorIBeam = -4;
constexpr std::size_t kWholeLineDrawn = 256;  // characters

}  // namespace

TvgMemo::TvgMemo(rtl::TComponent* owner)
    : TvgScrollBox(owner),
      FFont(new TvgFont),
      FFontFill(new TvgBrush(vgBrushSolid, 0xFF000000)),
      FSelectionFill(new TvgBrush(vgBrushSolid, 0x802A8ADF)) {
  FFont->OnChanged = [this](rtl::TObject* sender) { FontChanged(sender); };
  SetCanFocused(true);
  SetCursor(kCursorIBeam);
  SetAutoCapture(true);
  SetWidth(100);
}

TvgMemo::~TvgMemo() { TearDown(); }

void TvgMemo::Publish(rtl::TPublisher<TvgMemo>& p) {
  using T = TvgMemo;
  p.Property("Cursor", &T::Cursor, &T::SetCursor).Default(kCursorIBeam);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("AutoSelect", &T::AutoSelect, &T::SetAutoSelect).Default(true);
  p.Property("CharCase", &T::CharCase, &T::SetCharCase).Default(vgecNormal);
  p.Property("HideSelection", &T::HideSelection, &T::SetHideSelection).Default(true);
  p.Property("Lines", &T::Lines);
  p.Property("MaxLength", &T::MaxLength, &T::SetMaxLength).Default(0);
  p.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnChangeTracking", &T::OnChangeTracking);
  p.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
}

void TvgMemo::ApplyStyle() {
  inherited::ApplyStyle();
  if (auto* selection = dynamic_cast<TvgBrushObject*>(FindResource("selection")))
    FSelectionFill->Assign(selection->Brush());
  if (auto* foreground = dynamic_cast<TvgBrushObject*>(FindResource("foreground")))
    FFontFill->Assign(foreground->Brush());
}

void TvgMemo::SetHideSelection(bool value) {
  if (value == FHideSelection) return;
  FHideSelection = value;
  Repaint();
}

void TvgMemo::FontChanged(rtl::TObject*) {
  FLineOffsets = {};
  if (IsLoading()) return;
  UpdateLines();
  UpdateCaretPosition(false);
  if (!LinesUpdating()) Realign();
}

// ----- text model hooks

float TvgMemo::TextWidth(std::u16string_view text) {
  TvgCanvas* canvas = GetCanvas();
  if (!canvas || text.empty()) return 0;
  canvas->Font()->Assign(FFont.get());
  const TvgRect content = ContentRect();
  TvgRect r{content.Left, content.Top, kMeasureRight, content.Bottom};
  canvas->MeasureText(r, r, rtl::WideString(text), false, vgTextAlignNear, vgTextAlignCenter);
  return vgRectWidth(r);
}

float TvgMemo::WrapWidth() {
  const float width = vgRectWidth(ContentRect());
  const TvgScrollBar* bar = VScrollBar();
  if (!bar || bar->Visible() || !ShowScrollBars() || !AutoHide()) return width;
  return BreaksOverflowTheView() ? width - bar->Width() : width;
}

// Stops counting the breaks once they overflow.
bool TvgMemo::BreaksOverflowTheView() {
  const rtl::WideString& text = Text();
  const float pageSize = GetPageSize();
  int lines = 1;
  for (int pos = 0; pos < static_cast<int>(text.size()) && lines <= pageSize; ++pos) {
    const int breakLength = LineBreakLength(text, pos);
    if (breakLength == 0) continue;
    ++lines;
    pos += breakLength - 1;
  }
  return lines > pageSize;
}

void TvgMemo::LinesChanged() {
  Realign();
  Repaint();
}

void TvgMemo::TextChanged() {
  if (!IsLoading() && OnChangeTracking) OnChangeTracking(this);
  FNeedChange = true;
  Repaint();
}

void TvgMemo::Change() {
  if (!FNeedChange) return;
  ToBindingObjects();
  if (OnChange) OnChange(this);
}

rtl::Variant TvgMemo::GetData() { return rtl::Variant(Text()); }
void TvgMemo::SetData(const rtl::Variant& value) { SetText(value.AsWideString()); }

// ----- geometry

float TvgMemo::GetLineHeight() const { return static_cast<float>(std::nearbyint(FFont->Size() * 1.25f)); }

float TvgMemo::GetPageSize() { return vgRectHeight(ContentRect()) / GetLineHeight(); }

// The caret offsets of the line, from one layout of its text.
const std::vector<float>& TvgMemo::LineOffsets(int line) {
  rtl::WideString text = GetLine(line);
  if (text == FLineOffsets.Text && FLineOffsets.X.size() == text.size() + 1) return FLineOffsets.X;
  TvgCanvas* canvas = GetCanvas();
  if (canvas && !text.empty()) {
    canvas->Font()->Assign(FFont.get());
    FLineOffsets.X = canvas->CaretOffsets(text);
  } else {
    FLineOffsets.X.assign(text.size() + 1, 0);
  }
  FLineOffsets.Text = std::move(text);
  return FLineOffsets.X;
}

float TvgMemo::LineShift(const rtl::WideString& text) {
  return FTextAlign == vgTextAlignNear ? 0 : AlignShift(TextWidth(text));
}

float TvgMemo::AlignShift(float lineWidth) {
  const float free = vgRectWidth(ContentRect()) - lineWidth;
  if (free <= 0) return 0;
  if (FTextAlign == vgTextAlignCenter) return free / 2;
  return FTextAlign == vgTextAlignFar ? free : 0;
}

// The x of a position within its line, from the content's left edge.
float TvgMemo::LineX(int line, int pos) {
  if (line < 0 || line >= GetLineCount()) return 0;
  const std::vector<float>& offsets = LineOffsets(line);
  const int length = static_cast<int>(offsets.size()) - 1;
  return offsets[static_cast<std::size_t>(std::clamp(pos, 0, length))] + AlignShift(offsets.back());
}

TvgPoint TvgMemo::GetPositionPoint(TCaretPosition pos) {
  const TvgRect content = ContentRect();
  return {content.Left + LineX(pos.Line, pos.Pos) - HScrollBarValue(),
          GetLineHeight() * float(pos.Line) + content.Top - VScrollBarValue()};
}

TCaretPosition TvgMemo::GetPointPosition(TvgPoint point) {
  if (GetLineCount() == 0) return {0, 0};
  const TvgRect content = ContentRect();
  const float x = std::clamp(point.X, content.Left, content.Right);
  const float y = std::clamp(point.Y, content.Top, content.Bottom);
  const int line =
      std::min(static_cast<int>((y - content.Top + VScrollBarValue()) / GetLineHeight()), GetLineCount() - 1);
  return {line, PosAtX(line, x)};
}

// The characters of the line before the memo x: the first position whose
// threshold (half the first character, then each prefix's width and a
// quarter of the font size) reaches the x or passes the view's right edge.
int TvgMemo::PosAtX(int line, float x) {
  const std::vector<float>& offsets = LineOffsets(line);
  const int length = static_cast<int>(offsets.size()) - 1;
  if (length == 0) return 0;
  const TvgRect content = ContentRect();
  const float target = x - AlignShift(offsets.back()) + HScrollBarValue();
  const float limit = HScrollBarValue() + content.Right;
  const auto reached = [&](int pos) {
    const float threshold = pos == 0 ? content.Left + offsets[1] / 2
                                     : content.Left + offsets[static_cast<std::size_t>(pos)] + FFont->Size() / 4;
    return threshold >= target || threshold > limit;
  };
  // The thresholds grow with the position: bisect for the first one reached.
  int low = 0, high = length;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (reached(mid)) high = mid;
    else low = mid + 1;
  }
  return low;
}

std::vector<TvgRect> TvgMemo::GetSelArea() {
  std::vector<TvgRect> area;
  if (!Selected()) return area;
  const TCaretPosition begin = GetSelBeg();
  const TCaretPosition end = GetSelEnd();
  const float height = GetLineHeight();
  const int firstVisible = static_cast<int>(VScrollBarValue() / height);
  const int lastVisible = firstVisible + static_cast<int>(std::ceil(GetPageSize()));
  const int first = std::max(begin.Line, firstVisible);
  const int last = std::min({end.Line, lastVisible, GetLineCount() - 1});
  for (int line = first; line <= last; ++line) {
    const int from = line == begin.Line ? begin.Pos : 0;
    const int to = line == end.Line ? end.Pos : static_cast<int>(GetLineInternal(line).size());
    area.push_back({LineX(line, from), height * float(line), LineX(line, to), height * float(line + 1)});
  }
  return area;
}

bool TvgMemo::InContent(TvgPoint point) { return vgPtInRect(point, ContentRect()); }

// ----- painting

void TvgMemo::ContentPaint(TvgCanvas& canvas, const TvgRect& rect) {
  if (GetLineCount() == 0) return;
  TvgSavedCanvasState saved(canvas);
  canvas.IntersectClipRect(rect);
  canvas.Font()->Assign(FFont.get());
  canvas.Fill()->Assign(FFontFill.get());
  const float height = GetLineHeight();
  const float opacity = GetAbsoluteOpacity();
  const int first = std::max(static_cast<int>(VScrollBarValue() / height), 0);
  const int last = std::min(first + static_cast<int>(std::ceil(GetPageSize())), GetLineCount() - 1);
  for (int line = first; line <= last; ++line) PaintLine(canvas, rect, line, opacity);
  if (!IsFocused() && FHideSelection) return;
  canvas.Fill()->Assign(FSelectionFill.get());
  for (const TvgRect& area : GetSelArea()) canvas.FillRect(area, 0, 0, AllCorners, opacity);
}

// A long line whose caret offsets are at hand (the caret's line) is drawn
// from a character before the view area to one after it: drawing all of it
// would lay out every character on each paint.
void TvgMemo::PaintLine(TvgCanvas& canvas, const TvgRect& rect, int line, float opacity) {
  const rtl::WideString text = GetLine(line);
  const float top = GetLineHeight() * float(line);
  const TvgRect box{LineShift(text), top, 65535, top + GetLineHeight() * 1.25f};
  if (text.size() <= kWholeLineDrawn || text != FLineOffsets.Text) {
    canvas.FillText(box, rect, text, false, opacity, vgTextAlignNear, vgTextAlignNear);
    return;
  }
  const std::vector<float>& offsets = FLineOffsets.X;
  const float shift = AlignShift(offsets.back());
  const auto isLow = [&text](std::size_t i) { return i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF; };
  const float left = HScrollBarValue(), right = left + vgRectWidth(ContentRect());
  std::size_t from = std::upper_bound(offsets.begin(), offsets.end(), left - shift) - offsets.begin();
  from = from > 2 ? from - 2 : 0;
  if (isLow(from)) --from;
  std::size_t to = std::lower_bound(offsets.begin(), offsets.end(), right - shift) - offsets.begin();
  to = std::min(to + 1, text.size());
  if (isLow(to)) ++to;
  if (to <= from) return;
  const TvgRect part{shift + offsets[from], box.Top, box.Right, box.Bottom};
  canvas.FillText(part, rect, text.substr(from, to - from), false, opacity, vgTextAlignNear, vgTextAlignNear);
}

// ----- caret

void TvgMemo::UpdateCaretPosition(bool scrollIntoView) {
  if (scrollIntoView) {
    UpdateVScrlBarByCaretPos();
    UpdateHScrlBarByCaretPos();
  }
  const TCaretPosition caret = CaretPosition();
  SetCaretSize({kCaretWidth, GetLineHeight()});
  SetCaretPos({LineX(caret.Line, caret.Pos), GetLineHeight() * float(caret.Line)});
  SetCaretColor(FFontFill->GetSolidColor());
}

void TvgMemo::UpdateVScrlBarByCaretPos() {
  TvgScrollBar* bar = VScrollBar();
  if (!bar) return;
  const float height = GetLineHeight();
  const float line = float(CaretPosition().Line);
  if (bar->Value() > height * line) bar->SetValue(height * line);
  if (height * (line + 1) > bar->Value() + vgRectHeight(ContentRect()))
    bar->SetValue(height * (line - GetPageSize() + 1));
}

// The caret's x stays within the view area, a little in from its right edge.
void TvgMemo::UpdateHScrlBarByCaretPos() {
  TvgScrollBar* bar = HScrollBar();
  if (!bar || !bar->Visible() || GetLineCount() == 0) return;
  const float x = LineX(CaretPosition().Line, CaretPosition().Pos);
  const float width = vgRectWidth(ContentRect());
  if (x < bar->Value()) bar->SetValue(x);
  else if (x > bar->Value() + width - kCaretMargin) bar->SetValue(x - width + kCaretMargin);
}

// The caret keeps its x on the target line.
void TvgMemo::MoveCaretVertical(int lines) {
  const TCaretPosition caret = CaretPosition();
  const int target = std::clamp(caret.Line + lines, 0, std::max(GetLineCount() - 1, 0));
  const float x = float(std::nearbyint(GetPositionPoint(caret).X));
  SetCaretPosition({target, PosAtX(target, x)});
}

// ----- input

void TvgMemo::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  EditKeyDown(key, keyChar, shift);
}

void TvgMemo::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft || !InContent({x, y})) return;
  if (shift & vgDouble) {
    SelectWord();
    return;
  }
  FLMouseSelecting = true;
  SetCaretPosition(GetPointPosition({x, y}));
  SetSelected(false);
  SelectAtPos(CaretPosition());
  Repaint();
}

void TvgMemo::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!FLMouseSelecting) return;
  SetCaretPosition(GetPointPosition({x, y}));
  SelectAtPos(CaretPosition());
  Repaint();
}

void TvgMemo::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  FLMouseSelecting = false;
  if (Selected() && GetSelLength() == 0) SetSelected(false);
}

// The box's own wheel step, and WheelDelta / 30 more.
void TvgMemo::MouseWheel(TvgShiftState shift, int delta, bool& handled) {
  if (TvgScrollBar* bar = VScrollBar(); bar && bar->Visible())
    bar->SetValue(bar->Value() - float(delta) / kWheelDivisor);
  inherited::MouseWheel(shift, delta, handled);
}

void TvgMemo::ContextMenu(TvgPoint screenPoint) {
  inherited::ContextMenu(screenPoint);
  if (!FPopupMenu) FPopupMenu = vgCreateListMenu();
  if (!FPopupMenu) return;
  TvgEditMenu items;
  items.ReadOnly = ReadOnly();
  items.CanUndo = !ActionStack().Empty();
  items.Text = Text();
  items.Undo = [this] { UnDo(); };
  vgBindEditCommands(items, *this);
  vgPopupEditMenu(*FPopupMenu, items, static_cast<int>(rtl::Round(screenPoint.X)),
                  static_cast<int>(rtl::Round(screenPoint.Y)));
}

void TvgMemo::EnterFocus() {
  inherited::EnterFocus();
  FNeedChange = false;
  UpdateCaretPosition(false);
  ShowCaretProc();
  SetCaretPosition({0, 0});
  if (FAutoSelect) SelectAll();
}

void TvgMemo::KillFocus() {
  inherited::KillFocus();
  HideCaret();
  Change();
}

// ----- content bounds

TvgRect TvgMemo::GetContentBounds() {
  TvgRect r = inherited::GetContentBounds();
  if (!WrappedAtWrapWidth()) {
    StorePositions();
    UpdateLines();
    RestorePositions();
  }
  if (GetLineCount() > 0) r.Bottom = r.Top + GetLineHeight() * float(GetLineCount());
  if (!WordWrap() && WidestLineWidth() > vgRectWidth(r)) r.Right = r.Left + WidestLineWidth() + 10;
  return r;
}

void RegisterMemoClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterScrollBoxClasses();
  rtl::RegisterClasses<TvgMemo, TvgHudMemo>();
}

}  // namespace vg
