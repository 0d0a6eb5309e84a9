#pragma once
// The class library's font description of forms and of the font dialog.
#include <string>

#include "platform/rtl/Persistent.h"

namespace gui {

RTL_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = rtl::TSet<TFontStyle>;
// Colours as the class library stores them: 0x00BBGGRR.
using TColor = int;

class TFont : public rtl::TPersistent {
  RTL_CLASS(TFont, rtl::TPersistent)

  std::string Name = "Tahoma";
  int Size = 8;  // points
  TFontStyles Style;
  TColor Color = 0;
  int Charset = 1;

  // Height in pixels at 96 per inch, negative as the platform stores it.
  int Height() const { return -(Size * 96 + 36) / 72; }
  void SetHeight(int height) { Size = ((height < 0 ? -height : height) * 72 + 48) / 96; }

  void Assign(const rtl::TPersistent* source) override {
    if (auto* font = dynamic_cast<const TFont*>(source)) {
      Name = font->Name;
      Size = font->Size;
      Style = font->Style;
      Color = font->Color;
      Charset = font->Charset;
    } else {
      inherited::Assign(source);
    }
  }

  static void Publish(rtl::TPublisher<TFont>& p) {
    p.Property("Charset", &TFont::Charset).Default(1);
    p.Property("Color", &TFont::Color).Default(0);
    p.Property("Height", &TFont::Height, &TFont::SetHeight).Stored(false);
    p.Property("Name", &TFont::Name);
    p.Property("Size", &TFont::Size);
    p.Property("Style", &TFont::Style);
  }
};

}  // namespace gui
