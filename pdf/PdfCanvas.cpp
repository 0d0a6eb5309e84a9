// The page canvas of PdfDoc.h: content operators, text state and measuring.
#include <cmath>

#include "pdf/PdfDoc.h"
#include "platform/rtl/TextConvert.h"

namespace pdf {

namespace {

constexpr float kBaselineRatio = 0.85f;

bool EndsWithSpace(const WideString& word) { return !word.empty() && word.back() == u' '; }

// Lists `value` under `name` in the page's resources of that kind, once.
void AddPageResource(TPdfDictionary* page, std::string_view kind, const std::string& name, TPdfObject* value) {
  TPdfDictionary* resources = TPdfDoc::PageResourceDict(page, kind);
  if (!resources->ValueByName(name)) resources->AddItem(name, value);
}

}  // namespace

// ---- text state ----

void TPdfCanvasAttribute::SetWordSpace(float value) {
  if (value < 0) throw EPdfInvalidValue("SetWordSpace --invalid word space");
  wordSpace_ = value;
}

void TPdfCanvasAttribute::SetCharSpace(float value) {
  if (value < -30 || value > 300) throw EPdfInvalidValue("SetCharSpace --invalid char space");
  charSpace_ = value;
}

void TPdfCanvasAttribute::SetFontSize(float value) {
  if (value < 0 || value > 300) throw EPdfInvalidValue("SetFontSize --invalid font size");
  fontSize_ = value;
}

void TPdfCanvasAttribute::SetLeading(float value) {
  if (value < 0 || value > 300) throw EPdfInvalidValue("SetLeading --invalid leading");
  leading_ = value;
}

void TPdfCanvasAttribute::SetHorizontalScaling(std::uint16_t value) {
  if (value < 10 || value > 300) throw EPdfInvalidValue("SetHorizontalScaling --invalid horizontal scaling");
  horizontalScaling_ = value;
}

// What the character at `pos` (from 1) adds to a line.
float TPdfCanvasAttribute::CharWidth(std::u16string_view text, int pos) const {
  float width = static_cast<float>(font_->GetCharWidth(text, pos)) * fontSize_ / 1000;
  if (horizontalScaling_ != 100) width = static_cast<float>(horizontalScaling_) * width / 100;
  float contribution = width > 0 ? width + charSpace_ : 0;
  if (text[static_cast<size_t>(pos - 1)] == u' ' && pos < static_cast<int>(text.size()) && wordSpace_ > 0) {
    contribution += wordSpace_;
  }
  return contribution;
}

void TPdfCanvasAttribute::RequireFont(const char* operation) const {
  if (!font_) throw EPdfInvalidOperation(std::string(operation) + " --there is no current font.");
}

float TPdfCanvasAttribute::TextWidth(std::u16string_view text) const {
  RequireFont("TextWidth");
  float sum = 0;
  for (int pos = 1; pos <= static_cast<int>(text.size()); ++pos) sum += CharWidth(text, pos);
  return sum - charSpace_;
}

int TPdfCanvasAttribute::MeasureText(std::u16string_view text, float width) const {
  RequireFont("MeasureText");
  float sum = 0;
  for (int pos = 1; pos <= static_cast<int>(text.size()); ++pos) {
    sum += CharWidth(text, pos);
    if (sum > width) return pos - 1;
  }
  return static_cast<int>(text.size());
}

// ---- operators ----

TPdfDictionary* TPdfCanvas::Page() const {
  if (!page_) throw EPdfInvalidOperation("GetPage --the Page is nil");
  return page_;
}

TPdfDoc* TPdfCanvas::Doc() const {
  if (!doc_) throw EPdfInvalidOperation("ERROR: GetDoc documant is nil.");
  return doc_;
}

void TPdfCanvas::Write(std::string_view text) {
  Page();
  if (isVirtual_ || !contents_) return;
  WriteAscii(contents_->Stream(), text);
}

void TPdfCanvas::WriteOperator(std::initializer_list<float> operands, std::string_view op) {
  std::string text;
  for (const float operand : operands) {
    text += FloatToPdfStr(operand);
    text += ' ';
  }
  text += op;
  text += '\n';
  Write(text);
}

void TPdfCanvas::GSave() { Write("q\n"); }
void TPdfCanvas::GRestore() { Write("Q\n"); }
void TPdfCanvas::Concat(float a, float b, float c, float d, float e, float f) {
  WriteOperator({a, b, c, d, e, f}, "cm");
}
void TPdfCanvas::SetFlat(std::uint8_t flatness) { Write(std::to_string(flatness) + " i\n"); }
void TPdfCanvas::SetLineCap(TLineCapStyle linecap) { Write(std::to_string(static_cast<int>(linecap)) + " J\n"); }

void TPdfCanvas::SetDash(const std::vector<std::uint8_t>& array, std::uint8_t phase) {
  std::string text = "[";
  if (!array.empty() && array[0] != 0) {
    for (const auto element : array) text += std::to_string(element) + ' ';
  }
  Write(text + "] " + std::to_string(phase) + " d\n");
}

void TPdfCanvas::SetLineJoin(TLineJoinStyle linejoin) { Write(std::to_string(static_cast<int>(linejoin)) + " j\n"); }
void TPdfCanvas::SetLineWidth(float linewidth) { WriteOperator({linewidth}, "w"); }
void TPdfCanvas::SetMiterLimit(std::uint8_t miterlimit) { Write(std::to_string(miterlimit) + " M\n"); }
void TPdfCanvas::MoveTo(float x, float y) { WriteOperator({x, y}, "m"); }
void TPdfCanvas::LineTo(float x, float y) { WriteOperator({x, y}, "l"); }
void TPdfCanvas::CurveToC(float x1, float y1, float x2, float y2, float x3, float y3) {
  WriteOperator({x1, y1, x2, y2, x3, y3}, "c");
}
void TPdfCanvas::CurveToV(float x2, float y2, float x3, float y3) { WriteOperator({x2, y2, x3, y3}, "v"); }
void TPdfCanvas::CurveToY(float x1, float y1, float x3, float y3) { WriteOperator({x1, y1, x3, y3}, "y"); }
void TPdfCanvas::Rectangle(float x, float y, float width, float height) { WriteOperator({x, y, width, height}, "re"); }
void TPdfCanvas::Closepath() { Write("h\n"); }
void TPdfCanvas::NewPath() { Write("n\n"); }
void TPdfCanvas::Stroke() { Write("S\n"); }
void TPdfCanvas::ClosePathStroke() { Write("s\n"); }
void TPdfCanvas::Fill() { Write("f\n"); }
void TPdfCanvas::Eofill() { Write("f*\n"); }
void TPdfCanvas::FillStroke() { Write("B\n"); }
void TPdfCanvas::ClosepathFillStroke() { Write("b\n"); }
void TPdfCanvas::EofillStroke() { Write("B*\n"); }
void TPdfCanvas::ClosepathEofillStroke() { Write("b*\n"); }
void TPdfCanvas::Clip() { Write("W\n"); }
void TPdfCanvas::Eoclip() { Write("W*\n"); }

void TPdfCanvas::SetCharSpace(float charSpace) {
  if (charSpace == attr_.CharSpace()) return;
  attr_.SetCharSpace(charSpace);
  WriteOperator({charSpace}, "Tc");
}

void TPdfCanvas::SetWordSpace(float wordSpace) {
  if (wordSpace == attr_.WordSpace()) return;
  attr_.SetWordSpace(wordSpace);
  WriteOperator({wordSpace}, "Tw");
}

void TPdfCanvas::SetHorizontalScaling(std::uint16_t hScaling) {
  if (hScaling == attr_.HorizontalScaling()) return;
  attr_.SetHorizontalScaling(hScaling);
  Write(std::to_string(hScaling) + " Tz\n");
}

void TPdfCanvas::SetLeading(float leading) {
  if (leading == attr_.Leading()) return;
  attr_.SetLeading(leading);
  WriteOperator({leading}, "TL");
}

void TPdfCanvas::SetFontAndSize(const std::string& fontname, float size) {
  Write(fontname + ' ' + FloatToPdfStr(size) + " Tf\n");
}

void TPdfCanvas::SetTextRenderingMode(TTextRenderingMode mode) {
  Write(std::to_string(static_cast<int>(mode)) + " Tr\n");
}

void TPdfCanvas::SetTextRise(std::uint16_t rise) { Write(std::to_string(rise) + " Ts\n"); }
void TPdfCanvas::BeginText() { Write("BT\n"); }
void TPdfCanvas::EndText() { Write("ET\n"); }
void TPdfCanvas::MoveTextPoint(float tx, float ty) { WriteOperator({tx, ty}, "Td"); }

void TPdfCanvas::SetTextMatrix(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d, std::uint16_t x,
                               std::uint16_t y) {
  std::string text;
  for (const auto value : {a, b, c, d, x, y}) text += std::to_string(value) + ' ';
  Write(text + "Tm\n");
}

void TPdfCanvas::MoveToNextLine() { Write("T*\n"); }

void TPdfCanvas::ShowTextOperator(const WideString& s, std::string_view op) {
  const std::string bytes = attr_.Font() ? attr_.Font()->EncodeText(s) : rtl::Utf16ToCodePage(s, kPdfAnsiCodePage);
  Write(PdfLiteral(bytes) + std::string(op) + '\n');
}

void TPdfCanvas::ShowText(const WideString& s) { ShowTextOperator(s, " Tj"); }
void TPdfCanvas::ShowTextNextLine(const WideString& s) { ShowTextOperator(s, " '"); }

void TPdfCanvas::ExecuteXObject(const std::string& xObject) { Write(EscapeName(xObject) + " Do\n"); }

void TPdfCanvas::WriteColor(TPdfColor value, std::string_view op) {
  const std::uint32_t rgb = value > 0 ? static_cast<std::uint32_t>(value) : 0;
  WriteOperator({static_cast<float>(rgb & 0xFF) / 255, static_cast<float>((rgb >> 8) & 0xFF) / 255,
                 static_cast<float>((rgb >> 16) & 0xFF) / 255},
                op);
}

void TPdfCanvas::SetRGBFillColor(TPdfColor value) { WriteColor(value, "rg"); }
void TPdfCanvas::SetRGBStrokeColor(TPdfColor value) { WriteColor(value, "RG"); }

// ---- higher-level operations ----

void TPdfCanvas::SetFont(const std::string& name, float size) {
  TPdfFont* font = Doc()->GetFont(name);
  if (font == attr_.Font() && attr_.FontSize() == size) return;
  const std::string resourceName = font->Data()->PdfNameByName("Name")->Value();
  AddPageResource(Page(), "Font", resourceName, font->Data());
  if (contents_) SetFontAndSize('/' + resourceName, size);
  attr_.SetFont(font);
  attr_.SetFontSize(size);
}

void TPdfCanvas::DrawXObject(float x, float y, float width, float height, const std::string& xObjectName) {
  PlaceXObject(x, y, width, height, nullptr, xObjectName, "DrawXObject --XObject not found: %s");
}

void TPdfCanvas::DrawXObjectEx(float x, float y, float width, float height, float clipX, float clipY, float clipWidth,
                               float clipHeight, const std::string& xObjectName) {
  const ClipBox clip{clipX, clipY, clipWidth, clipHeight};
  PlaceXObject(x, y, width, height, &clip, xObjectName, "DrawXObjectEx --XObject not found: %s");
}

void TPdfCanvas::PlaceXObject(float x, float y, float width, float height, const ClipBox* clip,
                              const std::string& xObjectName, const char* notFound) {
  TPdfXObject* xObject = Doc()->GetXObject(xObjectName);
  if (!xObject) throw EPdfInvalidValue(rtl::Format(notFound, xObjectName.c_str()));
  AddPageResource(Page(), "XObject", xObjectName, xObject);
  GSave();
  if (clip) {
    Rectangle(clip->x, clip->y, clip->width, clip->height);
    Clip();
    NewPath();
  }
  Concat(width, 0, 0, height, x, y);
  ExecuteXObject(xObject->Attributes()->PdfNameByName("Name")->Value());
  GRestore();
}

void TPdfCanvas::TextOut(float x, float y, const WideString& text) {
  BeginText();
  MoveTextPoint(x, y);
  ShowText(text);
  EndText();
}

void TPdfCanvas::TextRect(const TPdfRect& rect, const WideString& text, TPdfAlignment alignment, bool clipping) {
  const float width = TextWidth(text);
  float offset = 0;
  if (alignment == TPdfAlignment::paRightJustify) offset = std::nearbyint((rect.Right - rect.Left) - width);
  if (alignment == TPdfAlignment::paCenter) offset = std::nearbyint(((rect.Right - rect.Left) - width) / 2);
  if (clipping) {
    GSave();
    MoveTo(rect.Left, rect.Top);
    LineTo(rect.Left, rect.Bottom);
    LineTo(rect.Right, rect.Bottom);
    LineTo(rect.Right, rect.Top);
    Closepath();
    Clip();
    NewPath();
  }
  BeginText();
  MoveTextPoint(rect.Left + offset, rect.Top - attr_.FontSize() * kBaselineRatio);
  ShowText(text);
  EndText();
  if (clipping) GRestore();
}

WideString TPdfCanvas::GetNextWord(const WideString& s, size_t& index) {
  const size_t start = index;
  while (index < s.size()) {
    const char16_t c = s[index++];
    if (c == u' ') break;
    if (c == u'\n' && index - start >= 2 && s[index - 2] == u'\r') break;
  }
  return s.substr(start, index - start);
}

void TPdfCanvas::MultilineTextRect(TPdfRect rect, const WideString& text, bool wordWrap) {
  auto advance = [&](const WideString& word) {
    return TextWidth(word) + (EndsWithSpace(word) ? attr_.WordSpace() : 0);
  };
  auto showFitting = [&](const WideString& line) {
    if (line.empty()) return;
    ShowText(line.substr(0, static_cast<size_t>(MeasureText(line, rect.Right - rect.Left))));
  };

  BeginText();
  MoveTextPoint(rect.Left, rect.Top - attr_.FontSize() * kBaselineRatio);
  size_t index = 0;
  WideString line = GetNextWord(text, index);
  float x = rect.Left + advance(line);
  while (index < text.size()) {
    bool lineBreak = false;
    if (line.size() >= 2 && line.compare(line.size() - 2, 2, u"\r\n") == 0) {
      line.resize(line.size() - 2);
      lineBreak = true;
    }
    const WideString word = GetNextWord(text, index);
    const float wordWidth = TextWidth(word);
    if ((wordWrap && x + wordWidth > rect.Right) || lineBreak) {
      showFitting(line);
      line.clear();
      MoveToNextLine();
      rect.Top -= attr_.Leading();
      if (rect.Bottom + attr_.FontSize() > rect.Top) break;
      x = rect.Left;
    }
    x += advance(word);
    line += word;
  }
  showFitting(line);
  EndText();
}

void TPdfCanvas::Ellipse(float x, float y, float width, float height) {
  const float cx = x + width / 2;
  const float cy = y + height / 2;
  const float kx = (width / 2) * 11 / 20;
  const float ky = (height / 2) * 11 / 20;
  MoveTo(x, cy);
  CurveToC(x, cy - ky, cx - kx, y, cx, y);
  CurveToC(cx + kx, y, x + width, cy - ky, x + width, cy);
  CurveToC(x + width, cy + ky, cx + kx, y + height, cx, y + height);
  CurveToC(cx - kx, y + height, x, cy + ky, x, cy);
}

// ---- pages ----

void TPdfCanvas::SaveTextState(TPdfDictionary& page) {
  if (attr_.Font()) page.AddInternalItem("_Font", new TPdfName(attr_.Font()->Name()));
  page.AddInternalItem("_Font_Size", new TPdfReal(attr_.FontSize()));
  page.AddInternalItem("_Word_Space", new TPdfReal(attr_.WordSpace()));
  page.AddInternalItem("_Char_Space", new TPdfReal(attr_.CharSpace()));
  page.AddInternalItem("_HScalling", new TPdfNumber(attr_.HorizontalScaling()));
  page.AddInternalItem("_Leading", new TPdfReal(attr_.Leading()));
}

void TPdfCanvas::RestoreTextState(TPdfDictionary& page) {
  attr_.SetFont(Doc()->GetFont(page.PdfNameByName("_Font")->Value()));
  attr_.SetFontSize(static_cast<float>(page.PdfRealByName("_Font_Size")->Value()));
  attr_.SetWordSpace(static_cast<float>(page.PdfRealByName("_Word_Space")->Value()));
  attr_.SetCharSpace(static_cast<float>(page.PdfRealByName("_Char_Space")->Value()));
  attr_.SetHorizontalScaling(static_cast<std::uint16_t>(page.PdfNumberByName("_HScalling")->Value()));
  attr_.SetLeading(static_cast<float>(page.PdfRealByName("_Leading")->Value()));
}

void TPdfCanvas::SetPage(TPdfDictionary* page) {
  if (page_) SaveTextState(*page_);
  page_ = page;
  contents_ = dynamic_cast<TPdfStream*>(page->ValueByName("Contents"));
  if (page->PdfNameByName("_Font")) {
    RestoreTextState(*page);
    return;
  }
  attr_.SetFont(nullptr);
  SetFont("Arial", 10);
  attr_.SetCharSpace(0);
  attr_.SetWordSpace(0);
  attr_.SetHorizontalScaling(100);
  attr_.SetLeading(0);
}

void TPdfCanvas::ClearPage() {
  page_ = nullptr;
  contents_ = nullptr;
  attr_.SetFont(nullptr);
}

int TPdfCanvas::MediaBoxItem(int index) const {
  const TPdfArray* box = Page()->PdfArrayByName("MediaBox");
  if (!box) return index == 2 ? doc_->DefaultPageWidth() : doc_->DefaultPageHeight();
  return static_cast<TPdfNumber*>(box->Items(index))->Value();
}

void TPdfCanvas::SetMediaBoxItem(int index, int value, const char* error) {
  TPdfArray* box = Page()->PdfArrayByName("MediaBox");
  if (!box) throw EPdfInvalidOperation(error);
  static_cast<TPdfNumber*>(box->Items(index))->SetValue(value);
}

void TPdfCanvas::SetPageWidth(int value) { SetMediaBoxItem(2, value, "Can not chenge width of this page.."); }
void TPdfCanvas::SetPageHeight(int value) { SetMediaBoxItem(3, value, "Can not chenge height of this page.."); }

}  // namespace pdf
