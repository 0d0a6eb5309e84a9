#include "ui/controls/vg_colorpanel.h"

#include <utility>

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_gradientedit.h"
#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

constexpr float kBarSize = 15;

// A part the control creates, owns and never streams.
template <class T>
T* AddPart(TvgObject* parent) {
  auto* part = new T(parent);
  part->SetStored(false);
  part->SetLocked(true);
  part->SetParent(parent);
  return part;
}

}  // namespace

// ----- TvgColorPanel

TvgColorPanel::TvgColorPanel(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(150);
  SetHeight(150);
  FAlphaTrack = AddPart<TvgAlphaTrackBar>(this);
  FAlphaTrack->SetAlign(vaBottom);
  FAlphaTrack->SetHeight(kBarSize);
  FAlphaTrack->Padding()->SetRight(kBarSize);
  FAlphaTrack->SetDisableFocusEffect(true);
  FAlphaTrack->OnChange = [this](rtl::TObject*) { FColorQuad->SetAlpha(FAlphaTrack->Value()); };
  FHueTrack = AddPart<TvgHueTrackBar>(this);
  FHueTrack->SetAlign(vaRight);
  FHueTrack->SetOrientation(vgVertical);
  FHueTrack->SetWidth(kBarSize);
  FHueTrack->SetDisableFocusEffect(true);
  FHueTrack->OnChange = [this](rtl::TObject*) { FColorQuad->SetHue(FHueTrack->Value()); };
  FColorQuad = AddPart<TvgColorQuad>(this);
  FColorQuad->SetAlign(vaClient);
  FColorQuad->Padding()->SetRect({5, 5, 3, 3});
  FColorQuad->OnChange = [this](rtl::TObject*) { QuadChanged(); };
  SetColor("#FFFFFFFF");
}

TvgColorPanel::~TvgColorPanel() { TearDown(); }

void TvgColorPanel::Publish(rtl::TPublisher<TvgColorPanel>& p) {
  using T = TvgColorPanel;
  p.Property("Color", &T::GetColor, &T::SetColor);
  p.Property("ColorBox", &T::ColorBox, &T::SetColorBox);
  p.Property("UseAlpha", &T::UseAlpha, &T::SetUseAlpha).Default(true);
  p.Property("OnChange", &T::OnChange);
}

std::string TvgColorPanel::GetColor() const {
  return vgColorToStr(
      vgOpacity(vgHSLtoRGB(FColorQuad->Hue(), FColorQuad->Sat(), FColorQuad->Lum()), FColorQuad->Alpha()));
}

void TvgColorPanel::QuadChanged() {
  if (FColorBox) FColorBox->SetColor(vgStrToColor(GetColor()));
  OnChange(this);
}

void TvgColorPanel::SetColor(const std::string& value) {
  rtl::TNotifyEvent detached = std::exchange(OnChange, nullptr);
  const TvgColor color = vgStrToColor(value);
  float h = 0, s = 0, l = 0;
  vgRGBtoHSL(color, h, s, l);
  FColorQuad->SetLum(l);
  FColorQuad->SetSat(s);
  FHueTrack->SetValue(h);
  FAlphaTrack->SetValue(float(TvgColorRec::From(color).A) / 255);
  OnChange = std::move(detached);
  if (!IsLoading()) QuadChanged();
}

void TvgColorPanel::SetColorBox(TvgColorBox* value) {
  if (value == FColorBox) return;
  if (FColorBox) FColorBox->RemoveFreeNotification(this);
  FColorBox = value;
  if (!FColorBox) return;
  FColorBox->FreeNotification(this);
  FColorBox->SetColor(vgStrToColor(GetColor()));
}

void TvgColorPanel::SetUseAlpha(bool value) {
  if (value == FUseAlpha) return;
  FUseAlpha = value;
  FAlphaTrack->SetVisible(value);
}

void TvgColorPanel::Loaded() {
  inherited::Loaded();
  SetColor(GetColor());
}

void TvgColorPanel::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == FColorBox) FColorBox = nullptr;
}

// ----- TvgComboColorBox

TvgComboColorBox::TvgComboColorBox(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(60);
  SetHeight(22);
  FCanFocused = true;
  SetAutoCapture(true);
  SetResource("comboboxstyle");
  FPopup = AddPart<TvgPopup>(this);
  FPopup->SetResource("combopopupstyle");
  FPopup->SetPlacementTarget(this);
  FPopup->SetStaysOpen(false);
  FPopup->SetBounds(0, 0, 240, 160);
  FPopup->Margins()->SetRect({5, 5, 5, 5});
  FPopup->SetDesignHide(true);
  FColorBox = AddPart<TvgColorBox>(FPopup);
  FColorBox->SetWidth(50);
  FColorBox->SetAlign(vaRight);
  FColorBox->Padding()->SetRect({15, 70, 15, 30});
  FColorText = AddPart<TvgTextBox>(FPopup);
  FColorText->SetBounds(160, 20, 70, 22);
  FColorText->SetAlign(vaTopRight);
  FColorText->SetFilterChar(u"#0123456789abcdefABCDEF");
  FColorText->OnChange = [this](rtl::TObject*) { DoTextChange(); };
  FColorPanel = AddPart<TvgColorPanel>(FPopup);
  FColorPanel->SetAlign(vaClient);
  FColorPanel->SetColorBox(FColorBox);
  FColorPanel->OnChange = [this](rtl::TObject*) { DoColorChange(); };
  FColorText->SetText(rtl::Utf8ToUtf16(GetValue()));
}

TvgComboColorBox::~TvgComboColorBox() { TearDown(); }

void TvgComboColorBox::Publish(rtl::TPublisher<TvgComboColorBox>& p) {
  using T = TvgComboColorBox;
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("Color", &T::GetValue, &T::SetValue);
  p.Property("UseAlpha", &T::UseAlpha, &T::SetUseAlpha).Default(true);
  p.Property("OnChange", &T::OnChange);
}

void TvgComboColorBox::DoColorChange() {
  FColorText->SetText(rtl::Utf8ToUtf16(GetValue()));
  Repaint();
  OnChange(this);
}

void TvgComboColorBox::DoTextChange() {
  const std::string remembered = GetValue();
  try {
    SetValue(rtl::Utf16ToUtf8(FColorText->Text()));
  } catch (const std::exception&) {
    SetValue(remembered);
  }
}

void TvgComboColorBox::DropDown() {
  if (FPopup->IsOpen()) {
    FPopup->ClosePopup();
    return;
  }
  FPopup->SetPlacement(FPlacement);
  FColorPanel->ApplyResource();
  FPopup->Popup();
}

rtl::Variant TvgComboColorBox::GetData() { return rtl::Variant(GetValue()); }

void TvgComboColorBox::SetData(const rtl::Variant& value) {
  if (VarIsEvent(value))
    OnChange = VariantToEvent(value);
  else if (value.VarType() == rtl::varString)
    SetValue(value.AsString());
  else if (value.VarType() == rtl::varInteger)
    SetValue(vgColorToStr(TvgColor(value.AsInteger())));
}

void TvgComboColorBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft) DropDown();
}

void TvgComboColorBox::ApplyStyle() {
  inherited::ApplyStyle();
  if (auto* content = dynamic_cast<TvgContent*>(FindResource("Content")))
    content->OnPaint = [this](rtl::TObject* sender, TvgCanvas* canvas, const TvgRect& rect) {
      PaintContent(sender, canvas, rect);
    };
}

void TvgComboColorBox::PaintContent(rtl::TObject*, TvgCanvas* canvas, const TvgRect& rect) {
  TvgRect r = rect;
  vgInflateRect(r, -2.5f, -2.5f);
  const float opacity = GetAbsoluteOpacity();
  vgFillCheckerboard(*canvas, r, 5, opacity);
  canvas->Fill()->SetStyle(vgBrushSolid);
  canvas->Fill()->SetSolidColor(vgStrToColor(GetValue()));
  canvas->FillRect(r, 0, 0, AllCorners, opacity);
  canvas->SetStrokeThickness(1);
  canvas->Stroke()->SetStyle(vgBrushSolid);
  canvas->Stroke()->SetSolidColor(0xFF000000);
  canvas->DrawRect(r, 0, 0, AllCorners, opacity);
}

TvgHudComboColorBox::TvgHudComboColorBox(rtl::TComponent* owner) : TvgComboColorBox(owner) {
  SetResource("hudcomboboxstyle");
  Popup()->SetResource("hudcombopopupstyle");
}

void RegisterColorControlClasses() {
  RegisterVGObjects("Colors", {TvgHueTrackBar::StaticClass(), TvgAlphaTrackBar::StaticClass(),
                               TvgBWTrackBar::StaticClass(), TvgColorQuad::StaticClass(),
                               TvgColorPicker::StaticClass(), TvgGradientEdit::StaticClass(),
                               TvgColorBox::StaticClass(), TvgColorPanel::StaticClass(),
                               TvgComboColorBox::StaticClass()});
  RegisterVGObjects("HUD", {TvgHudHueTrackBar::StaticClass(), TvgHudAlphaTrackBar::StaticClass(),
                            TvgHudBWTrackBar::StaticClass(), TvgHudComboColorBox::StaticClass()});
}

}  // namespace vg
