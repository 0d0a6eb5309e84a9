#include "ui/controls/vg_window.h"

#include "ui/controls/vg_services.h"

namespace vg {

namespace {

// The part called `name` when it is a visual node, else nullptr.
TvgVisualObject* VisualPart(TvgControl& control, const char* name) {
  TvgObject* part = control.FindResource(name);
  return part && part->IsVisual() ? part->Visual() : nullptr;
}

}  // namespace

// ----- TvgCloseButton

TvgCloseButton::TvgCloseButton(rtl::TComponent* owner) : TvgControl(owner) {
  FCanFocused = false;
  SetWidth(20);
  SetHeight(20);
}

void TvgCloseButton::Publish(rtl::TPublisher<TvgCloseButton>& p) {
  p.Property("OnClick", &TvgCloseButton::OnClick);
  p.Property("CloseForm", &TvgCloseButton::CloseForm, &TvgCloseButton::SetCloseForm).Default(true);
}

void TvgCloseButton::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft) FPressing = true;
}

void TvgCloseButton::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  if (!FPressing) return;
  if (FCloseForm)
    if (IvgScene* scene = GetScene()) vgCloseOwnerForm(scene->GetComponent());
  FPressing = false;
  OnClick(this);
}

// ----- TvgWindow

TvgWindow::TvgWindow(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  SetHitTest(false);
  SetTextAlign(vgTextAlignNear);
  SetWidth(200);
  SetHeight(200);
}

void TvgWindow::Publish(rtl::TPublisher<TvgWindow>& p) {
  using T = TvgWindow;
  p.Property("ShowCloseButton", &T::ShowCloseButton, &T::SetShowCloseButton).Default(true);
  p.Property("ShowSizeGrip", &T::ShowSizeGrip, &T::SetShowSizeGrip).Default(true);
  p.Property("OnCloseClick", &T::OnCloseClick);
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("HitTest", &T::HitTest, &T::SetHitTest).Default(false);
}

void TvgWindow::SetShowCloseButton(bool value) {
  if (value == FShowCloseButton) return;
  FShowCloseButton = value;
  SetResource(Resource());
}

void TvgWindow::SetShowSizeGrip(bool value) {
  if (value == FShowSizeGrip) return;
  FShowSizeGrip = value;
  SetResource(Resource());
}

void TvgWindow::ApplyStyle() {
  inherited::ApplyStyle();
  if (TvgVisualObject* close = VisualPart(*this, "close")) {
    close->SetVisible(FShowCloseButton);
    auto* button = dynamic_cast<TvgCloseButton*>(close);
    if (button && OnCloseClick) {
      button->SetCloseForm(false);
      button->OnClick = OnCloseClick;
    }
  }
  if (TvgVisualObject* grip = VisualPart(*this, "sizegrip")) grip->SetVisible(FShowSizeGrip);
}

// ----- TvgHudWindow

TvgHudWindow::TvgHudWindow(rtl::TComponent* owner)
    : TvgWindow(owner), FFill(new TvgBrush(vgBrushSolid, 0xEA2F2F2F)), FStroke(new TvgBrush(vgBrushSolid, 0x5B000000)) {
  Font()->SetStyle(vgFontBold);
  auto restyle = [this](rtl::TObject*) {
    if (!IsLoading()) ApplyStyle();
  };
  FFill->OnChanged = restyle;
  FStroke->OnChanged = restyle;
}

TvgHudWindow::~TvgHudWindow() { TearDown(); }

void TvgHudWindow::Publish(rtl::TPublisher<TvgHudWindow>& p) {
  using T = TvgHudWindow;
  p.Property("DisableShadowOnOSX", &T::DisableShadowOnOSX, &T::SetDisableShadowOnOSX).Default(true);
  p.Property("ButtonAlign", &T::ButtonAlign, &T::SetCloseAlign).Default(vgButtonAlignLeft);
  p.Property("Fill", &T::Fill, &T::SetFill);
  p.Property("Stroke", &T::Stroke, &T::SetStroke);
  p.Property("StrokeThickness", &T::StrokeThickness, &T::SetStrokeThickness).Stored(&T::StrokeThicknessStored);
  p.Property("StrokeCap", &T::StrokeCap, &T::SetStrokeCap).Default(vgCapFlat);
  p.Property("StrokeDash", &T::StrokeDash, &T::SetStrokeDash).Default(vgDashSolid);
  p.Property("StrokeJoin", &T::StrokeJoin, &T::SetStrokeJoin).Default(vgJoinMiter);
  p.Property("ShowCaption", &T::ShowCaption, &T::SetShowCaption).Default(true);
}

void TvgHudWindow::SetDisableShadowOnOSX(bool value) {
  if (value == FDisableShadowOnOSX) return;
  FDisableShadowOnOSX = value;
  SetResource(Resource());
}

void TvgHudWindow::ApplyStyle() {
  inherited::ApplyStyle();
  // Shown per ShowCaption, hidden from the designer otherwise.
  auto showWithCaption = [this](TvgVisualObject* part) {
    part->SetVisible(FShowCaption);
    part->SetDesignHide(!FShowCaption);
  };
  if (auto* close = dynamic_cast<TvgCloseButton*>(FindResource("close"))) {
    close->SetAlign(FCloseAlign == vgButtonAlignRight ? vaRight : vaLeft);
    if (close->Visible()) showWithCaption(close);
  }
  if (auto* back = dynamic_cast<TvgShape*>(FindResource("back"))) back->SetFill(FFill.get());
  if (auto* stroke = dynamic_cast<TvgShape*>(FindResource("stroke"))) {
    stroke->SetStroke(FStroke.get());
    stroke->SetStrokeThickness(FStrokeThickness);
    stroke->SetStrokeCap(FStrokeCap);
    stroke->SetStrokeDash(FStrokeDash);
    stroke->SetStrokeJoin(FStrokeJoin);
    stroke->Margins()->SetRect({FStrokeThickness, FStrokeThickness, FStrokeThickness, FStrokeThickness});
  }
  if (TvgVisualObject* caption = VisualPart(*this, "caption")) {
    caption->SetHeight(FStrokeThickness + 20);
    caption->Padding()->SetRect({FStrokeThickness, FStrokeThickness, FStrokeThickness, 0});
    showWithCaption(caption);
  }
  if (TvgVisualObject* text = VisualPart(*this, "text")) showWithCaption(text);
}

}  // namespace vg
