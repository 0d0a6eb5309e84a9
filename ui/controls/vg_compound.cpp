#include "ui/controls/vg_compound.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"

namespace vg {

namespace {

constexpr float kLabelWidth = 70;
constexpr float kLabelGap = 5;
constexpr float kValueLabelWidth = 50;
constexpr int kMaxDecimals = 18;

bool IsWhole(float value) { return std::floor(value) == value; }

}  // namespace

// ----- TvgCompoundControl

TvgCompoundControl::TvgCompoundControl(rtl::TComponent* owner, float width, float height) : TvgControl(owner) {
  SetWidth(width);
  SetHeight(height);
  FTextLabel = AddPart<TvgLabel>(this, "TextLabel", vaLeft);
  FTextLabel->SetWidth(kLabelWidth);
  FTextLabel->SetText(u"Caption");
  FTextLabel->Padding()->SetRight(kLabelGap);
  FTextLabel->SetWordWrap(false);
  FTextLabel->SetTextAlign(vgTextAlignFar);
}

void TvgCompoundControl::Publish(rtl::TPublisher<TvgCompoundControl>& p) {
  p.Property("TextLabel", &TvgCompoundControl::TextLabel);
  p.Property("OnChange", &TvgCompoundControl::OnChange);
}

void TvgCompoundControl::MakePart(TvgVisualObject& part, TvgVisualObject* parent, const char* name,
                                  TvgAlign align) {
  if (*name) {
    part.SetName(name);
    part.SetSubComponent(true);
  }
  part.SetAlign(align);
  part.SetParent(parent);
  part.SetLocked(true);
  part.SetStored(false);
}

// ----- TvgCompoundTrackBar

TvgCompoundTrackBar::TvgCompoundTrackBar(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 20) {
  TvgControl* valueBox = AddContainer(vaRight);
  valueBox->SetWidth(kValueLabelWidth);
  FValueLabel = AddPart<TvgValueLabel>(valueBox, "ValueLabel", vaVertCenter);
  FValueLabel->SetText(u"0");
  FValueLabel->Padding()->SetLeft(kLabelGap);
  FTrackBar = AddPart<TvgTrackBar>(AddContainer(vaClient), "TrackBar", vaVertCenter);
  FTrackBar->OnTracking = [this](rtl::TObject*) { ShowValue(); };
  // A change made without dragging (keys, code) is shown as well.
  FTrackBar->OnChange = [this](rtl::TObject* sender) {
    ShowValue();
    PassChange(sender);
  };
}

void TvgCompoundTrackBar::Publish(rtl::TPublisher<TvgCompoundTrackBar>& p) {
  using T = TvgCompoundTrackBar;
  p.Property("TrackBar", &T::TrackBar);
  p.Property("ValueLabel", &T::ValueLabel);
  p.Property("DecimalDigits", &T::DecimalDigits, &T::SetDecimalDigits).Default(2);
  p.Property("Suffix", &T::Suffix, &T::SetSuffix);
  p.Property("Value", &T::Value, &T::SetValue).Stored(false);
}

void TvgCompoundTrackBar::SetValue(float value) {
  FTrackBar->SetValue(value);
  ShowValue();
}

void TvgCompoundTrackBar::SetDecimalDigits(int value) {
  if (value == FDecimalDigits) return;
  FDecimalDigits = value;
  ShowValue();
}

void TvgCompoundTrackBar::SetSuffix(const rtl::WideString& value) {
  if (value == FSuffix) return;
  FSuffix = value;
  ShowValue();
}

void TvgCompoundTrackBar::ShowValue() {
  const float value = FTrackBar->Value();
  const float frequency = FTrackBar->Frequency();
  const std::string number =
      frequency == 0 || !IsWhole(frequency)
          ? rtl::FloatToStrF(value, rtl::ffFixed, 17, std::clamp(FDecimalDigits, 0, kMaxDecimals),
                             rtl::FormatSettings())
          : rtl::IntToStr(rtl::Trunc(value));
  FValueLabel->SetText(rtl::Utf8ToUtf16(number) + FSuffix);
}

// ----- TvgCompoundAngleBar

TvgCompoundAngleBar::TvgCompoundAngleBar(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 20) {
  TvgControl* valueBox = AddContainer(vaRight);
  valueBox->SetWidth(kValueLabelWidth);
  FValueLabel = AddPart<TvgValueLabel>(valueBox, "ValueLabel", vaVertCenter);
  FValueLabel->SetText(u"0");
  FValueLabel->Padding()->SetLeft(kLabelGap);
  FAngleButton = AddPart<TvgAngleButton>(AddContainer(vaClient), "AngleBar", vaFit);
  FAngleButton->OnChange = [this](rtl::TObject* sender) {
    PassChange(sender);
    ShowValue();
  };
}

void TvgCompoundAngleBar::Publish(rtl::TPublisher<TvgCompoundAngleBar>& p) {
  using T = TvgCompoundAngleBar;
  p.Property("AngleButton", &T::AngleButton);
  p.Property("ValueLabel", &T::ValueLabel);
  p.Property("Value", &T::Value, &T::SetValue).Stored(false);
}

void TvgCompoundAngleBar::SetValue(float value) {
  FAngleButton->SetValue(value);
  ShowValue();
}

void TvgCompoundAngleBar::ShowValue() {
  FValueLabel->SetText(rtl::Utf8ToUtf16(rtl::IntToStr(rtl::Trunc(FAngleButton->Value()))) + u".");
}

// ----- TvgCompoundTextBox

TvgCompoundTextBox::TvgCompoundTextBox(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 21) {
  FTextBox = AddPart<TvgTextBox>(AddContainer(vaClient), "TextBox", vaVertCenter);
  FTextBox->OnChange = [this](rtl::TObject* sender) { PassChange(sender); };
}

void TvgCompoundTextBox::Publish(rtl::TPublisher<TvgCompoundTextBox>& p) {
  using T = TvgCompoundTextBox;
  p.Property("TextBox", &T::TextBox);
  p.Property("Value", &T::GetText, &T::SetText).Stored(false);
}

// ----- TvgCompoundMemo

TvgCompoundMemo::TvgCompoundMemo(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 60) {
  FMemo = AddPart<TvgMemo>(this, "Memo", vaClient);
  FMemo->OnChange = [this](rtl::TObject* sender) { PassChange(sender); };
}

void TvgCompoundMemo::Publish(rtl::TPublisher<TvgCompoundMemo>& p) {
  using T = TvgCompoundMemo;
  p.Property("Memo", &T::Memo);
  p.Property("Value", &T::GetText, &T::SetText).Stored(false);
}

// ----- TvgCompoundNumberBox

TvgCompoundNumberBox::TvgCompoundNumberBox(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 21) {
  FNumberBox = AddPart<TvgNumberBox>(AddContainer(vaClient), "NumberBox", vaVertCenter);
  FNumberBox->OnChange = [this](rtl::TObject* sender) { PassChange(sender); };
}

void TvgCompoundNumberBox::Publish(rtl::TPublisher<TvgCompoundNumberBox>& p) {
  using T = TvgCompoundNumberBox;
  p.Property("NumberBox", &T::NumberBox);
  p.Property("Value", &T::GetValue, &T::SetValue).Stored(false);
}

// ----- TvgCompoundPopupBox

TvgCompoundPopupBox::TvgCompoundPopupBox(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 21) {
  FPopupBox = AddPart<TvgPopupBox>(AddContainer(vaClient), "PopupBox", vaVertCenter);
  FPopupBox->OnChange = [this](rtl::TObject* sender) { PassChange(sender); };
}

void TvgCompoundPopupBox::Publish(rtl::TPublisher<TvgCompoundPopupBox>& p) {
  using T = TvgCompoundPopupBox;
  p.Property("PopupBox", &T::PopupBox);
  // After the popup box, so that its items are read before the choice.
  p.Property("Value", &T::GetItemIndex, &T::SetItemIndex);
}

// ----- TvgCompoundColorButton

TvgCompoundColorButton::TvgCompoundColorButton(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 21) {
  TvgControl* box = AddContainer(vaLeft);
  box->SetWidth(60);
  FColorButton = AddPart<TvgColorButton>(box, "ColorButton", vaVertCenter);
  FColorButton->OnChange = [this](rtl::TObject* sender) { PassChange(sender); };
}

void TvgCompoundColorButton::Publish(rtl::TPublisher<TvgCompoundColorButton>& p) {
  using T = TvgCompoundColorButton;
  p.Property("ColorButton", &T::ColorButton);
  p.Property("Value", &T::GetValue, &T::SetValue).Stored(false);
}

// ----- TvgCompoundImage

TvgCompoundImage::TvgCompoundImage(rtl::TComponent* owner) : TvgCompoundControl(owner, 200, 60) {
  FImage = AddPart<TvgImageControl>(this, "Image", vaClient);
  FImage->OnChange = [this](rtl::TObject* sender) { PassChange(sender); };
}

void TvgCompoundImage::Publish(rtl::TPublisher<TvgCompoundImage>& p) {
  p.Property("Image", &TvgCompoundImage::Image);
}

}  // namespace vg
