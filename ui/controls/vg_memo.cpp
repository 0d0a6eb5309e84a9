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

float TvgMemo::AlignShift(float lineWidth) {
  const float free = vgRectWidth(ContentRect()) - lineWidth;
  if (free <= 0) return 0;
  if (FTextAlign == vgTextAlignCenter) return free / 2;
  return FTextAlign == vgTextAlignFar ? free : 0;
}

// The x of a position within its line, from the content's left edge.
float TvgMemo::LineX(int line, int pos) {
  if (line < 0 || line >= GetLineCount()) return 0;
  const rtl::WideString text = GetLine(line);
  const auto before = static_cast<std::size_t>(std::clamp(pos, 0, static_cast<int>(text.size())));
  return TextWidth(std::u16string_view(text).substr(0, before)) + AlignShift(TextWidth(text));
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

// The characters of the line before the memo x: a point in the left half
// of a character lies before it.
int TvgMemo::PosAtX(int line, float x) {
  const rtl::WideString text = GetLine(line);
  if (text.empty()) return 0;
  const std::u16string_view view(text);
  const TvgRect content = ContentRect();
  const float target = x - AlignShift(TextWidth(text)) + HScrollBarValue();
  const float limit = HScrollBarValue() + content.Right;
  int pos = 0;
  for (; pos < static_cast<int>(text.size()); ++pos) {
    const float threshold = pos == 0 ? content.Left + TextWidth(view.substr(0, 1)) / 2
                                     : content.Left + TextWidth(view.substr(0, pos)) + FFont->Size() / 4;
    if (threshold >= target || threshold > limit) break;
  }
  return pos;
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
  for (int line = first; line <= last; ++line) {
    const rtl::WideString text = GetLine(line);
    const float top = height * float(line);
    const TvgRect box{AlignShift(TextWidth(text)), top, 65535, top + height * 1.25f};
    canvas.FillText(box, rect, text, false, opacity, vgTextAlignNear, vgTextAlignNear);
  }
  if (!IsFocused() && FHideSelection) return;
  canvas.Fill()->Assign(FSelectionFill.get());
  for (const TvgRect& area : GetSelArea()) canvas.FillRect(area, 0, 0, AllCorners, opacity);
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
  if (WordWrap()) {
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
