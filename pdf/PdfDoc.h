#pragma once
// The PDF document: cross-reference table, header, trailer, catalog,
// information dictionary, page tree, fonts, image objects and the page
// canvas, written in one pass by `TPdfDoc::SaveToStream`.
//
// Calling order for a file: construct, optionally set DefaultPageWidth /
// DefaultPageHeight / UseOutlines, NewDoc, AddPage, draw through Canvas and
// AddXObject, SaveToStream. Fonts and image creators are found by alias in
// registries filled by `RegisterPdfClasses()`, which the program calls once at
// start-up.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "pdf/PdfTypes.h"

namespace pdf {

class TPdfDoc;
class TPdfCanvas;

// Registers every font class and image creator under its alias. Idempotent.
void RegisterPdfClasses();

class TPdfHeader {
 public:
  // "%PDF-1.2 " CR LF.
  void WriteToStream(rtl::TStream& stream);
};

// One row of the cross-reference table; owns its value when in use ("n").
class TPdfXrefEntry {
 public:
  explicit TPdfXrefEntry(TPdfObject* value);
  // "n" for an entry in use, "f" for a free one.
  std::string EntryType() const { return value_ ? "n" : "f"; }
  std::int64_t ByteOffset() const { return byteOffset_; }
  void SetByteOffset(std::int64_t offset) { byteOffset_ = offset; }
  int GenerationNumber() const { return generationNumber_; }
  void SetGenerationNumber(int generation) { generationNumber_ = generation; }
  TPdfObject* Value() const { return value_.get(); }
  // "oooooooooo ggggg t" CR LF, 20 bytes.
  std::string AsString() const;

 private:
  std::int64_t byteOffset_ = -1;
  int generationNumber_ = 0;
  std::unique_ptr<TPdfObject> value_;
};

// The cross-reference table: numbers indirect objects in order of
// registration (1, 2, ...) and owns them. Entry 0 is the free head.
class TPdfXref : public TPdfObjectMgr {
 public:
  TPdfXref();
  // Raises EPdfInvalidOperation "AddObject --wrong object type." for an
  // object already indirect or a reference.
  void AddObject(TPdfObject* object) override;
  TPdfObject* GetObject(int objectId) override;
  TPdfXrefEntry* GetItem(int objectId) const { return entries_.at(static_cast<size_t>(objectId)).get(); }
  int ItemCount() const { return static_cast<int>(entries_.size()); }
  void WriteToStream(rtl::TStream& stream);

 private:
  std::vector<std::unique_ptr<TPdfXrefEntry>> entries_;
};

class TPdfTrailer {
 public:
  explicit TPdfTrailer(TPdfObjectMgr* objectMgr);
  TPdfDictionary* Attributes() const { return attributes_.get(); }
  std::int64_t XrefAddress() const { return xrefAddress_; }
  void SetXrefAddress(std::int64_t address) { xrefAddress_ = address; }
  void WriteToStream(rtl::TStream& stream);

 private:
  std::unique_ptr<TPdfDictionary> attributes_;
  std::int64_t xrefAddress_ = 0;
};

// A view of an indirect dictionary owned by the cross-reference table.
class TPdfDictionaryWrapper {
 public:
  virtual ~TPdfDictionaryWrapper() = default;
  TPdfDictionary* Data() const { return data_; }
  virtual void SetData(TPdfDictionary* value) { data_ = value; }
  bool HasData() const { return data_ != nullptr; }

 private:
  TPdfDictionary* data_ = nullptr;
};

// The information dictionary.
class TPdfInfo : public TPdfDictionaryWrapper {
 public:
  WideString Author() const { return GetText("Author"); }
  void SetAuthor(const WideString& value) { SetText("Author", value); }
  WideString Creator() const { return GetText("Creator"); }
  void SetCreator(const WideString& value) { SetText("Creator", value); }
  WideString Keywords() const { return GetText("Keywords"); }
  void SetKeywords(const WideString& value) { SetText("Keywords", value); }
  WideString Subject() const { return GetText("Subject"); }
  void SetSubject(const WideString& value) { SetText("Subject", value); }
  WideString Title() const { return GetText("Title"); }
  void SetTitle(const WideString& value) { SetText("Title", value); }
  // Missing or unreadable dates read as 0.
  TDateTime CreationDate() const { return GetDate("CreationDate"); }
  void SetCreationDate(TDateTime value) { SetDate("CreationDate", value); }
  TDateTime ModDate() const { return GetDate("ModDate"); }
  void SetModDate(TDateTime value) { SetDate("ModDate", value); }

 private:
  WideString GetText(std::string_view key) const;
  void SetText(const std::string& key, const WideString& value);
  TDateTime GetDate(std::string_view key) const;
  void SetDate(const std::string& key, TDateTime value);
};

enum class TPdfPageLayout { plSinglePage, plOneColumn, plTwoColumnLeft, plTwoColumnRight };
enum class TPdfPageMode { pmUseNone, pmUseOutlines, pmUseThumbs, pmFullScreen };
enum class TPdfViewerPreference { vpHideToolbar, vpHideMenubar, vpHideWindowUI, vpFitWindow, vpCenterWindow };
using TPdfViewerPreferences = std::set<TPdfViewerPreference>;
enum class TPdfAnnotationSubType { asTextNotes, asLink };
enum class TPdfDestinationType { dtXYZ, dtFit, dtFitH, dtFitV, dtFitR, dtFitB, dtFitBH, dtFitBV };
enum class TPdfCompressionMethod { cmNone };

// A view into a page: made by `TPdfDoc::CreateDestination`, freed with the
// document.
class TPdfDestination {
 public:
  // Raises EPdfInvalidOperation "TPdfDestination --cannot destination
  // object." without a document.
  explicit TPdfDestination(TPdfDoc* doc);
  TPdfDestinationType DestinationType() const { return type_; }
  void SetDestinationType(TPdfDestinationType type) { type_ = type; }
  int Left() const { return values_[0]; }
  void SetLeft(int value) { SetValue(0, value); }
  int Top() const { return values_[1]; }
  void SetTop(int value) { SetValue(1, value); }
  int Right() const { return values_[2]; }
  void SetRight(int value) { SetValue(2, value); }
  int Bottom() const { return values_[3]; }
  void SetBottom(int value) { SetValue(3, value); }
  float Zoom() const { return zoom_; }
  // Raises EPdfInvalidValue below 0 or above 10.
  void SetZoom(float value);
  int PageWidth() const;
  int PageHeight() const;
  // The caller's object, owned and freed with the destination.
  void SetReference(std::shared_ptr<void> reference) { reference_ = std::move(reference); }
  // A new direct array [page /type operands]; the caller owns it.
  TPdfArray* GetValue() const;

 private:
  void SetValue(int index, int value) { values_[index] = value < 0 ? -1 : value; }
  TPdfDoc* doc_;
  TPdfDictionary* page_;
  TPdfDestinationType type_ = TPdfDestinationType::dtXYZ;
  int values_[4] = {0, 0, 0, 0};
  float zoom_ = 1;
  std::shared_ptr<void> reference_;
};

class TPdfCatalog : public TPdfDictionaryWrapper {
 public:
  TPdfDestination* OpenAction() const { return openAction_; }
  void SetOpenAction(TPdfDestination* value) { openAction_ = value; }
  TPdfPageLayout PageLayout() const;
  void SetPageLayout(TPdfPageLayout value);
  TPdfPageMode PageMode() const;
  void SetPageMode(TPdfPageMode value);
  TPdfPageMode NonFullScreenPageMode() const;
  void SetNonFullScreenPageMode(TPdfPageMode value);
  TPdfViewerPreferences ViewerPreference() const;
  void SetViewerPreference(const TPdfViewerPreferences& value);
  // Raises EPdfInvalidOperation "GetPages --page object is null.." when the
  // catalog has no "Pages".
  TPdfDictionary* Pages() const;
  // Ignores a dictionary whose "Type" is not "Pages".
  void SetPages(TPdfDictionary* value);
  // Stores or removes "OpenAction" before the document is written.
  void SaveOpenAction();

 private:
  TPdfDictionary* ViewerPreferences(bool create);
  TPdfDestination* openAction_ = nullptr;
};

class TPdfOutlineRoot;

// One entry of the outline tree; the document frees it.
class TPdfOutlineEntry : public TPdfDictionaryWrapper {
 public:
  // Raises rtl::Exception "CreateEntry --invalid parent." without a parent.
  explicit TPdfOutlineEntry(TPdfOutlineEntry* parent);
  TPdfOutlineEntry* AddChild();
  virtual void Save();

  TPdfOutlineEntry* Parent() const { return parent_; }
  TPdfOutlineEntry* Next() const { return next_; }
  TPdfOutlineEntry* Prev() const { return prev_; }
  TPdfOutlineEntry* First() const { return first_; }
  TPdfOutlineEntry* Last() const { return last_; }
  TPdfDestination* Dest() const { return dest_; }
  void SetDest(TPdfDestination* dest) { dest_ = dest; }
  const WideString& Title() const { return title_; }
  void SetTitle(WideString title) { title_ = std::move(title); }
  bool Opened() const { return opened_; }
  void SetOpened(bool opened) { opened_ = opened; }
  int Count() const { return count_; }
  TPdfDoc* Doc() const { return doc_; }
  void SetReference(std::shared_ptr<void> reference) { reference_ = std::move(reference); }

 protected:
  explicit TPdfOutlineEntry(TPdfDoc* doc);
  void PutCount();

 private:
  TPdfOutlineEntry* parent_ = nullptr;
  TPdfOutlineEntry* next_ = nullptr;
  TPdfOutlineEntry* prev_ = nullptr;
  TPdfOutlineEntry* first_ = nullptr;
  TPdfOutlineEntry* last_ = nullptr;
  TPdfDestination* dest_ = nullptr;
  TPdfDoc* doc_ = nullptr;
  WideString title_;
  bool opened_ = false;
  int count_ = 0;
  std::shared_ptr<void> reference_;
};

class TPdfOutlineRoot : public TPdfOutlineEntry {
 public:
  explicit TPdfOutlineRoot(TPdfDoc* doc);
  void Save() override;
};

// A font a page can use; its dictionaries belong to the cross-reference
// table, the font object to the document.
class TPdfFont : public TPdfDictionaryWrapper {
 public:
  explicit TPdfFont(std::string name) : name_(std::move(name)) {}
  // The alias the font was created under.
  const std::string& Name() const { return name_; }
  // Builds and registers the font's dictionaries in `xref`; called once,
  // right after construction, so that overrides of the final class run.
  virtual void Create(TPdfXref& xref) { (void)xref; }
  // Width of the character at `pos` (from 1) of `text` in thousandths of the
  // font size.
  virtual int GetCharWidth(std::u16string_view text, int pos) const;
  // The bytes `text` is shown as in this font (WinAnsi here); a character
  // the font's encoding cannot hold becomes "?".
  virtual std::string EncodeText(std::u16string_view text) const;

 protected:
  static void AddNameEntries(TPdfDictionary& dictionary, const std::vector<TPDF_STR_TBL>& table);
  static void AddNumberEntries(TPdfDictionary& dictionary, const std::vector<TPDF_INT_TBL>& table);

 private:
  std::string name_;
};

// True when the unit at `pos` (from 1) of `text` is the second half of a
// surrogate pair: a font writes the pair as one character, so this unit adds
// no width.
bool IsPairTail(std::u16string_view text, int pos);

using TPdfFontFactory = std::function<std::unique_ptr<TPdfFont>(const std::string& alias)>;

// Registers a font class under an alias (aliases compare without case).
void RegisterPdfFont(const std::string& alias, TPdfFontFactory factory);

template <class FontClass>
void RegisterPdfFontClass(const std::string& alias) {
  RegisterPdfFont(alias, [](const std::string& name) { return std::make_unique<FontClass>(name); });
}

// Constructs the font registered under `alias` and builds it in `xref`.
// Raises rtl::EClassNotFound "Class %s not found" for an unknown alias.
std::unique_ptr<TPdfFont> CreatePdfFont(TPdfXref& xref, const std::string& alias);

enum class TLineCapStyle { lcButt_End, lcRound_End, lcProjectingSquareEnd };
enum class TLineJoinStyle { ljMiterJoin, ljRoundJoin, ljBevelJoin };
enum class TTextRenderingMode {
  trFill,
  trStroke,
  trFillThenStroke,
  trInvisible,
  trFillClipping,
  trStrokeClipping,
  trFillStrokeClipping,
  trClipping
};
// The class library's colour: red in the low byte, then green, then blue.
using TPdfColor = std::int32_t;

// The text state of the canvas, with the allowed ranges and text measuring.
class TPdfCanvasAttribute {
 public:
  float WordSpace() const { return wordSpace_; }
  void SetWordSpace(float value);  // 0 or more
  float CharSpace() const { return charSpace_; }
  void SetCharSpace(float value);  // -30 to 300
  float FontSize() const { return fontSize_; }
  void SetFontSize(float value);  // 0 to 300
  TPdfFont* Font() const { return font_; }
  void SetFont(TPdfFont* font) { font_ = font; }
  float Leading() const { return leading_; }
  void SetLeading(float value);  // 0 to 300
  std::uint16_t HorizontalScaling() const { return horizontalScaling_; }
  void SetHorizontalScaling(std::uint16_t value);  // 10 to 300

  // Width of the text in the current font and state. Raises
  // EPdfInvalidOperation without a current font (before the first page).
  float TextWidth(std::u16string_view text) const;
  // How many characters from the start fit into `width`.
  int MeasureText(std::u16string_view text, float width) const;

 private:
  float CharWidth(std::u16string_view text, int pos) const;
  void RequireFont(const char* operation) const;
  float wordSpace_ = 0;
  float charSpace_ = 0;
  float fontSize_ = 0;
  TPdfFont* font_ = nullptr;
  float leading_ = 0;
  std::uint16_t horizontalScaling_ = 100;
};

// Writes the content stream of the current page: one method per operator.
// Reals are written in the two-decimal content-stream form.
class TPdfCanvas {
 public:
  explicit TPdfCanvas(TPdfDoc* doc) : doc_(doc) {}

  void GSave();
  void GRestore();
  void Concat(float a, float b, float c, float d, float e, float f);
  void SetFlat(std::uint8_t flatness);
  void SetLineCap(TLineCapStyle linecap);
  void SetDash(const std::vector<std::uint8_t>& array, std::uint8_t phase);
  void SetLineJoin(TLineJoinStyle linejoin);
  void SetLineWidth(float linewidth);
  void SetMiterLimit(std::uint8_t miterlimit);
  void MoveTo(float x, float y);
  void LineTo(float x, float y);
  void CurveToC(float x1, float y1, float x2, float y2, float x3, float y3);
  void CurveToV(float x2, float y2, float x3, float y3);
  void CurveToY(float x1, float y1, float x3, float y3);
  void Rectangle(float x, float y, float width, float height);
  void Closepath();
  void NewPath();
  void Stroke();
  void ClosePathStroke();
  void Fill();
  void Eofill();
  void FillStroke();
  void ClosepathFillStroke();
  void EofillStroke();
  void ClosepathEofillStroke();
  void Clip();
  void Eoclip();
  void SetCharSpace(float charSpace);
  void SetWordSpace(float wordSpace);
  void SetHorizontalScaling(std::uint16_t hScaling);
  void SetLeading(float leading);
  // `fontname` already carries its solidus.
  void SetFontAndSize(const std::string& fontname, float size);
  void SetTextRenderingMode(TTextRenderingMode mode);
  void SetTextRise(std::uint16_t rise);
  void BeginText();
  void EndText();
  void MoveTextPoint(float tx, float ty);
  void SetTextMatrix(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d, std::uint16_t x,
                     std::uint16_t y);
  void MoveToNextLine();
  // The text in the current font's code page, or hex with surrogates.
  void ShowText(const WideString& s);
  void ShowTextNextLine(const WideString& s);
  void ExecuteXObject(const std::string& xObject);
  void SetRGBFillColor(TPdfColor value);
  void SetRGBStrokeColor(TPdfColor value);

  // Selects a font by alias and size, adding it to the page's resources.
  void SetFont(const std::string& name, float size);
  // Draws a registered XObject scaled into the rectangle with lower-left
  // corner (x, y). Raises EPdfInvalidValue for a name not registered.
  void DrawXObject(float x, float y, float width, float height, const std::string& xObjectName);
  void DrawXObjectEx(float x, float y, float width, float height, float clipX, float clipY, float clipWidth,
                     float clipHeight, const std::string& xObjectName);
  void TextOut(float x, float y, const WideString& text);
  void TextRect(const TPdfRect& rect, const WideString& text, TPdfAlignment alignment, bool clipping);
  void MultilineTextRect(TPdfRect rect, const WideString& text, bool wordWrap);
  void Ellipse(float x, float y, float width, float height);
  float TextWidth(const WideString& text) const { return attr_.TextWidth(text); }
  int MeasureText(const WideString& text, float width) const { return attr_.MeasureText(text, width); }
  // The next word from `index` (0-based, advanced past the word).
  static WideString GetNextWord(const WideString& s, size_t& index);

  // Makes `page` current; called by the document for each new page.
  void SetPage(TPdfDictionary* page);
  // Forgets the current page (the document is being freed).
  void ClearPage();
  // Raises EPdfInvalidOperation "GetPage --the Page is nil" without a page.
  TPdfDictionary* Page() const;
  TPdfStream* Contents() const { return contents_; }
  // Raises EPdfInvalidOperation "ERROR: GetDoc documant is nil.".
  TPdfDoc* Doc() const;
  TPdfCanvasAttribute& Attribute() { return attr_; }
  const TPdfCanvasAttribute& Attribute() const { return attr_; }
  int PageWidth() const { return MediaBoxItem(2); }
  void SetPageWidth(int value);
  int PageHeight() const { return MediaBoxItem(3); }
  void SetPageHeight(int value);
  bool IsVirtual() const { return isVirtual_; }
  void SetVirtual(bool value) { isVirtual_ = value; }

 private:
  void Write(std::string_view text);
  void WriteOperator(std::initializer_list<float> operands, std::string_view op);
  void WriteColor(TPdfColor value, std::string_view op);
  void ShowTextOperator(const WideString& s, std::string_view op);
  struct ClipBox {
    float x, y, width, height;
  };
  void PlaceXObject(float x, float y, float width, float height, const ClipBox* clip, const std::string& xObjectName,
                    const char* notFound);
  void SaveTextState(TPdfDictionary& page);
  void RestoreTextState(TPdfDictionary& page);
  int MediaBoxItem(int index) const;
  void SetMediaBoxItem(int index, int value, const char* error);

  TPdfDoc* doc_;
  TPdfDictionary* page_ = nullptr;
  TPdfStream* contents_ = nullptr;
  TPdfCanvasAttribute attr_;
  bool isVirtual_ = false;
};

// The document. One object serves one document at a time; NewDoc starts
// afresh and frees what an earlier document left.
class TPdfDoc {
 public:
  using Clock = std::function<TDateTime()>;

  TPdfDoc();
  ~TPdfDoc();
  TPdfDoc(const TPdfDoc&) = delete;
  TPdfDoc& operator=(const TPdfDoc&) = delete;

  // The source of CreationDate and ModDate; the local time by default.
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  void NewDoc();
  void FreeDoc();
  void AddPage();
  // Takes ownership of `xObject` once it is accepted. Raises rtl::Exception
  // for a name in use or an object that is not an image XObject (the object
  // stays with the caller then).
  void AddXObject(const std::string& name, TPdfXObject* xObject);
  TPdfXObject* GetXObject(const std::string& name) const;
  TPdfFont* GetFont(const std::string& fontName);
  void SaveToStream(rtl::TStream& stream);
  void SetVirtualMode();
  TPdfDictionary* CreateAnnotation(TPdfAnnotationSubType type, const TPdfRect& rect);
  TPdfDestination* CreateDestination();

  bool HasDoc() const { return hasDoc_; }
  TPdfCanvas* Canvas() const;
  TPdfInfo* Info() const;
  TPdfCatalog* Root() const;
  TPdfOutlineRoot* OutlineRoot() const;
  TPdfXref* Xref() const { return xref_.get(); }
  std::uint16_t DefaultPageWidth() const { return defaultPageWidth_; }
  void SetDefaultPageWidth(std::uint16_t value) { defaultPageWidth_ = value; }
  std::uint16_t DefaultPageHeight() const { return defaultPageHeight_; }
  void SetDefaultPageHeight(std::uint16_t value) { defaultPageHeight_ = value; }
  TPdfCompressionMethod CompressionMethod() const { return TPdfCompressionMethod::cmNone; }
  bool UseOutlines() const { return useOutlines_; }
  void SetUseOutlines(bool value) { useOutlines_ = value; }

  // The dictionary stored under `name` ("Font", "XObject") in the page's
  // "Resources".
  static TPdfDictionary* PageResourceDict(TPdfDictionary* page, std::string_view name);
  // Appends `kid` to the node's "Kids" and updates its "Count".
  static void AppendPageToNode(TPdfDictionary* pages, TPdfDictionary* kid);
  // Keeps an outline entry or destination until the document is freed.
  template <class T>
  T* Keep(std::unique_ptr<T> object) {
    T* raw = object.get();
    objectList_.push_back(std::shared_ptr<void>(std::move(object)));
    return raw;
  }

 private:
  TPdfDictionary* MakePagesNode(TPdfDictionary* parent);
  TPdfFont* CreateFont(const std::string& fontName);
  void RegisterXObject(TPdfObject* object, const std::string& name);
  TPdfDictionary* Register(TPdfDictionary* dictionary);

  Clock clock_;
  std::unique_ptr<TPdfCanvas> canvas_;
  std::unique_ptr<TPdfHeader> header_;
  std::unique_ptr<TPdfTrailer> trailer_;
  std::unique_ptr<TPdfXref> xref_;
  std::unique_ptr<TPdfArray> xObjectList_;
  std::vector<std::unique_ptr<TPdfFont>> fontList_;
  std::vector<std::shared_ptr<void>> objectList_;
  TPdfCatalog* root_ = nullptr;
  TPdfInfo* info_ = nullptr;
  TPdfOutlineRoot* outlineRoot_ = nullptr;
  TPdfDictionary* currentPages_ = nullptr;
  bool hasDoc_ = false;
  bool useOutlines_ = false;
  std::uint16_t defaultPageWidth_ = 596;
  std::uint16_t defaultPageHeight_ = 842;
};

}  // namespace pdf
