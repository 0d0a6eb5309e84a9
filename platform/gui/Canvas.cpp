#include "platform/gui/Canvas.h"

#include <array>

namespace gui {

TColor ColorToRGB(TColor color) {
  // The scheme's colours by system index, 0x00BBGGRR.
  static constexpr std::array<TColor, 31> kSystem = {
      0xC8D0D4, 0x6E3A0A, 0x6A240A, 0x808080, 0xF0F0F0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
      0xD4D0C8, 0xD4D0C8, 0x808080, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000,
      0xFFFFFF, 0x404040, 0xE3E3E3, 0x000000, 0xE1FFFF, 0xB5B5B5, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800,
      0xF0F0F0};
  const unsigned value = static_cast<unsigned>(color);
  if ((value & 0xFF000000u) != 0x80000000u) return color;
  const unsigned index = value & 0xFF;
  return index < kSystem.size() ? kSystem[index] : clBlack;
}

void TPen::Assign(const rtl::TPersistent* source) {
  const auto* pen = dynamic_cast<const TPen*>(source);
  if (!pen) return inherited::Assign(source);
  color_ = pen->color_;
  width_ = pen->width_;
  style_ = pen->style_;
  OnChange(this);
}

void TPen::Publish(rtl::TPublisher<TPen>& p) {
  p.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
  p.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  p.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TBrush::Assign(const rtl::TPersistent* source) {
  const auto* brush = dynamic_cast<const TBrush*>(source);
  if (!brush) return inherited::Assign(source);
  color_ = brush->color_;
  style_ = brush->style_;
  OnChange(this);
}

void TBrush::Publish(rtl::TPublisher<TBrush>& p) {
  p.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
  p.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TCanvas::LineTo(int x, int y) {
  DrawLine(penPos_, {x, y});
  penPos_ = {x, y};
}

}  // namespace gui
