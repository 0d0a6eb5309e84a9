#include "pdf/PdfDoc.h"

#include <algorithm>
#include <cstdio>

#include "pdf/PdfFonts.h"
#include "pdf/PdfGBFonts.h"
#include "pdf/PdfImages.h"
#include "pdf/PdfJpFonts.h"
#include "platform/rtl/TextConvert.h"

namespace pdf {

namespace {

// An 8-character name keeps the information dictionary at its usual size.
constexpr const char* kProducer = "PdfWrite version 0.9";

constexpr const char* kPageLayoutNames[] = {"SinglePage", "OneColumn", "TwoColumnLeft", "TwoColumnRight"};
constexpr const char* kPageModeNames[] = {"UseNone", "UseOutlines", "UseThumbs", "FullScreen"};
constexpr const char* kViewerPreferenceNames[] = {"HideToolbar", "HideMenubar", "HideWindowUI", "FitWindow",
                                                  "CenterWindow"};
constexpr const char* kDestinationTypeNames[] = {"XYZ", "Fit", "FitH", "FitV", "FitR", "FitB", "FitBH", "FitBV"};

TPdfAliasRegistry<TPdfFontFactory>& FontRegistry() {
  static TPdfAliasRegistry<TPdfFontFactory> registry;
  return registry;
}

template <class Enum, size_t N>
Enum EnumByName(const char* const (&names)[N], const TPdfName* name) {
  for (size_t i = 0; name && i < N; ++i) {
    if (name->Value() == names[i]) return static_cast<Enum>(i);
  }
  return static_cast<Enum>(0);
}

// Sets the name entry `key`, in place when the dictionary already holds it.
void SetNameItem(TPdfDictionary& dictionary, const std::string& key, const char* name) {
  if (TPdfName* existing = dictionary.PdfNameByName(key)) {
    existing->SetValue(name);
  } else {
    dictionary.AddNameItem(key, name);
  }
}

}  // namespace

void RegisterPdfClasses() {
  RegisterStandardFonts();
  RegisterGBFonts();
  RegisterJpFonts();
  RegisterPdfImageCreators();
}

// ---- header, cross-reference table, trailer ----

void TPdfHeader::WriteToStream(rtl::TStream& stream) { WriteAscii(stream, "%PDF-1.2 \r\n"); }

TPdfXrefEntry::TPdfXrefEntry(TPdfObject* value) : value_(value) {
  if (value) generationNumber_ = value->GenerationNumber();
}

std::string TPdfXrefEntry::AsString() const {
  char row[32];
  std::snprintf(row, sizeof row, "%010lld %05d %s\r\n", static_cast<long long>(std::max<std::int64_t>(byteOffset_, 0)),
                generationNumber_, EntryType().c_str());
  return row;
}

TPdfXref::TPdfXref() {
  entries_.push_back(std::make_unique<TPdfXrefEntry>(nullptr));
  entries_[0]->SetGenerationNumber(65535);
}

void TPdfXref::AddObject(TPdfObject* object) {
  if (object->ObjectType() != TPdfObjectType::otDirectObject) {
    throw EPdfInvalidOperation("AddObject --wrong object type.");
  }
  entries_.push_back(std::make_unique<TPdfXrefEntry>(object));
  object->SetObjectNumber(ItemCount() - 1);
}

TPdfObject* TPdfXref::GetObject(int objectId) {
  if (objectId < 0 || objectId >= ItemCount()) return nullptr;
  return entries_[static_cast<size_t>(objectId)]->Value();
}

void TPdfXref::WriteToStream(rtl::TStream& stream) {
  std::string table = "xref\r\n0 " + std::to_string(ItemCount()) + "\r\n";
  for (const auto& entry : entries_) table += entry->AsString();
  WriteAscii(stream, table);
}

TPdfTrailer::TPdfTrailer(TPdfObjectMgr* objectMgr) : attributes_(new TPdfDictionary(objectMgr)) {
  attributes_->AddNumberItem("Size", 0);
}

void TPdfTrailer::WriteToStream(rtl::TStream& stream) {
  WriteAscii(stream, "trailer\r\n");
  attributes_->WriteToStream(stream);
  WriteAscii(stream, "\r\nstartxref\r\n" + std::to_string(xrefAddress_) + "\r\n%%EOF\r\n");
}

// ---- information dictionary ----

WideString TPdfInfo::GetText(std::string_view key) const {
  const TPdfText* text = Data()->PdfTextByName(key);
  return text ? text->Value() : WideString();
}

void TPdfInfo::SetText(const std::string& key, const WideString& value) { Data()->AddItem(key, new TPdfText(value)); }

TDateTime TPdfInfo::GetDate(std::string_view key) const {
  const TPdfText* text = Data()->PdfTextByName(key);
  if (!text) return 0;
  try {
    return ParsePdfDate(rtl::Utf16ToUtf8(text->Value()));
  } catch (const rtl::EConvertError&) {
    return 0;
  }
}

void TPdfInfo::SetDate(const std::string& key, TDateTime value) {
  SetText(key, rtl::Utf8ToUtf16(FormatPdfDate(value)));
}

// ---- catalog ----

TPdfPageLayout TPdfCatalog::PageLayout() const {
  return EnumByName<TPdfPageLayout>(kPageLayoutNames, Data()->PdfNameByName("PageLayout"));
}

void TPdfCatalog::SetPageLayout(TPdfPageLayout value) {
  SetNameItem(*Data(), "PageLayout", kPageLayoutNames[static_cast<int>(value)]);
}

TPdfPageMode TPdfCatalog::PageMode() const {
  return EnumByName<TPdfPageMode>(kPageModeNames, Data()->PdfNameByName("PageMode"));
}

void TPdfCatalog::SetPageMode(TPdfPageMode value) {
  SetNameItem(*Data(), "PageMode", kPageModeNames[static_cast<int>(value)]);
}

TPdfDictionary* TPdfCatalog::ViewerPreferences(bool create) {
  TPdfDictionary* preferences = Data()->PdfDictionaryByName("ViewerPreferences");
  if (!preferences && create) {
    preferences = new TPdfDictionary(Data()->ObjectMgr());
    Data()->AddItem("ViewerPreferences", preferences);
  }
  return preferences;
}

TPdfPageMode TPdfCatalog::NonFullScreenPageMode() const {
  const TPdfDictionary* preferences = Data()->PdfDictionaryByName("ViewerPreferences");
  if (!preferences) return TPdfPageMode::pmUseNone;
  return EnumByName<TPdfPageMode>(kPageModeNames, preferences->PdfNameByName("NonFullScreenPageMode"));
}

void TPdfCatalog::SetNonFullScreenPageMode(TPdfPageMode value) {
  TPdfDictionary* preferences = ViewerPreferences(true);
  if (value == TPdfPageMode::pmUseOutlines || value == TPdfPageMode::pmUseThumbs) {
    preferences->AddNameItem("NonFullScreenPageMode", kPageModeNames[static_cast<int>(value)]);
  } else {
    preferences->RemoveItem("NonFullScreenPageMode");
  }
}

TPdfViewerPreferences TPdfCatalog::ViewerPreference() const {
  TPdfViewerPreferences result;
  const TPdfDictionary* preferences = Data()->PdfDictionaryByName("ViewerPreferences");
  if (!preferences) return result;
  for (int i = 0; i < 5; ++i) {
    const TPdfBoolean* flag = preferences->PdfBooleanByName(kViewerPreferenceNames[i]);
    if (flag && flag->Value()) result.insert(static_cast<TPdfViewerPreference>(i));
  }
  return result;
}

void TPdfCatalog::SetViewerPreference(const TPdfViewerPreferences& value) {
  TPdfDictionary* preferences = ViewerPreferences(!value.empty());
  if (!preferences) return;
  for (int i = 0; i < 5; ++i) {
    if (value.count(static_cast<TPdfViewerPreference>(i))) {
      preferences->AddItem(kViewerPreferenceNames[i], new TPdfBoolean(true));
    } else {
      preferences->RemoveItem(kViewerPreferenceNames[i]);
    }
  }
}

TPdfDictionary* TPdfCatalog::Pages() const {
  TPdfDictionary* pages = Data()->PdfDictionaryByName("Pages");
  if (!pages) throw EPdfInvalidOperation("GetPages --page object is null..");
  return pages;
}

void TPdfCatalog::SetPages(TPdfDictionary* value) {
  if (DictionaryTypeName(value) == "Pages") Data()->AddItem("Pages", value);
}

void TPdfCatalog::SaveOpenAction() {
  if (openAction_) {
    Data()->AddItem("OpenAction", openAction_->GetValue());
  } else {
    Data()->RemoveItem("OpenAction");
  }
}

// ---- destinations ----

TPdfDestination::TPdfDestination(TPdfDoc* doc) : doc_(doc) {
  if (!doc || !doc->HasDoc()) throw EPdfInvalidOperation("TPdfDestination --cannot destination object.");
  page_ = doc->Canvas()->Page();
}

void TPdfDestination::SetZoom(float value) {
  if (value < 0) throw EPdfInvalidValue("Zoom property cannot set to under 0.");
  if (value > 10) throw EPdfInvalidValue(rtl::Format("Zoom property cannot set to over %d.", 10));
  zoom_ = value;
}

int TPdfDestination::PageWidth() const {
  const TPdfArray* box = page_->PdfArrayByName("MediaBox");
  return box ? static_cast<TPdfNumber*>(box->Items(2))->Value() : doc_->DefaultPageWidth();
}

int TPdfDestination::PageHeight() const {
  const TPdfArray* box = page_->PdfArrayByName("MediaBox");
  return box ? static_cast<TPdfNumber*>(box->Items(3))->Value() : doc_->DefaultPageHeight();
}

TPdfArray* TPdfDestination::GetValue() const {
  auto* array = new TPdfArray(doc_->Xref());
  array->AddItem(page_);
  array->AddItem(new TPdfName(kDestinationTypeNames[static_cast<int>(type_)]));
  auto number = [&](int index) { array->AddItem(new TPdfNumber(values_[index])); };
  switch (type_) {
    case TPdfDestinationType::dtXYZ:
      number(0);
      number(1);
      array->AddItem(new TPdfReal(zoom_));
      break;
    case TPdfDestinationType::dtFitH:
    case TPdfDestinationType::dtFitBH: number(1); break;
    case TPdfDestinationType::dtFitV:
    case TPdfDestinationType::dtFitBV: number(0); break;
    case TPdfDestinationType::dtFitR:
      number(0);
      number(3);
      if (values_[2] < 0) {
        array->AddItem(new TPdfNull());
      } else {
        number(2);
      }
      number(1);
      break;
    case TPdfDestinationType::dtFit:
    case TPdfDestinationType::dtFitB: break;
  }
  return array;
}

// ---- outlines ----

TPdfOutlineEntry::TPdfOutlineEntry(TPdfOutlineEntry* parent) {
  if (!parent) throw rtl::Exception("CreateEntry --invalid parent.");
  parent_ = parent;
  doc_ = parent->doc_;
  auto* data = new TPdfDictionary(doc_->Xref());
  doc_->Xref()->AddObject(data);
  SetData(data);
}

TPdfOutlineEntry::TPdfOutlineEntry(TPdfDoc* doc) : doc_(doc) {}

TPdfOutlineEntry* TPdfOutlineEntry::AddChild() {
  for (TPdfOutlineEntry* entry = this; entry; entry = entry->parent_) ++entry->count_;
  TPdfOutlineEntry* child = doc_->Keep(std::make_unique<TPdfOutlineEntry>(this));
  if (!first_) first_ = child;
  if (last_) last_->next_ = child;
  child->prev_ = last_;
  last_ = child;
  return child;
}

void TPdfOutlineEntry::PutCount() { Data()->AddNumberItem("Count", opened_ ? count_ : -count_); }

void TPdfOutlineEntry::Save() {
  PutCount();
  Data()->AddItem("Title", new TPdfText(title_));
  Data()->AddItem("Parent", parent_->Data());
  if (dest_) Data()->AddItem("Dest", dest_->GetValue());
  if (first_) {
    Data()->AddItem("First", first_->Data());
    first_->Save();
  }
  if (last_) Data()->AddItem("Last", last_->Data());
  if (prev_) Data()->AddItem("Prev", prev_->Data());
  if (next_) {
    Data()->AddItem("Next", next_->Data());
    next_->Save();
  }
}

TPdfOutlineRoot::TPdfOutlineRoot(TPdfDoc* doc) : TPdfOutlineEntry(doc) {
  SetOpened(true);
  auto* data = new TPdfDictionary(doc->Xref());
  doc->Xref()->AddObject(data);
  data->AddNameItem("Type", "Outlines");
  SetData(data);
}

void TPdfOutlineRoot::Save() {
  PutCount();
  if (First()) {
    Data()->AddItem("First", First()->Data());
    First()->Save();
  }
  if (Last()) Data()->AddItem("Last", Last()->Data());
}

// ---- fonts ----

int TPdfFont::GetCharWidth(std::u16string_view, int) const { return 0; }

bool IsPairTail(std::u16string_view text, int pos) {
  const auto index = static_cast<size_t>(pos - 1);
  return index > 0 && rtl::IsLowSurrogate(text[index]) && rtl::IsHighSurrogate(text[index - 1]);
}

std::string TPdfFont::EncodeText(std::u16string_view text) const {
  return rtl::Utf16ToCodePage(text, kPdfAnsiCodePage);
}

void TPdfFont::AddNameEntries(TPdfDictionary& dictionary, const std::vector<TPDF_STR_TBL>& table) {
  for (const auto& row : table) dictionary.AddNameItem(row.KEY, row.VAL);
}

void TPdfFont::AddNumberEntries(TPdfDictionary& dictionary, const std::vector<TPDF_INT_TBL>& table) {
  for (const auto& row : table) dictionary.AddNumberItem(row.KEY, row.VAL);
}

void RegisterPdfFont(const std::string& alias, TPdfFontFactory factory) {
  FontRegistry().Register(alias, std::move(factory));
}

std::unique_ptr<TPdfFont> CreatePdfFont(TPdfXref& xref, const std::string& alias) {
  auto font = FontRegistry().Find(alias)(alias);
  font->Create(xref);
  return font;
}

// ---- document ----

TPdfDoc::TPdfDoc() : clock_(rtl::Now), canvas_(std::make_unique<TPdfCanvas>(this)) {}

TPdfDoc::~TPdfDoc() { FreeDoc(); }

TPdfDictionary* TPdfDoc::Register(TPdfDictionary* dictionary) {
  xref_->AddObject(dictionary);
  return dictionary;
}

void TPdfDoc::NewDoc() {
  FreeDoc();
  canvas_->SetVirtual(false);
  xref_ = std::make_unique<TPdfXref>();
  header_ = std::make_unique<TPdfHeader>();
  trailer_ = std::make_unique<TPdfTrailer>(xref_.get());
  xObjectList_ = std::make_unique<TPdfArray>(xref_.get());

  root_ = Keep(std::make_unique<TPdfCatalog>());
  root_->SetData(Register(new TPdfDictionary(xref_.get())));
  root_->Data()->AddNameItem("Type", "Catalog");
  trailer_->Attributes()->AddItem("Root", root_->Data());

  if (useOutlines_) {
    outlineRoot_ = Keep(std::make_unique<TPdfOutlineRoot>(this));
    root_->Data()->AddItem("Outlines", outlineRoot_->Data());
  }

  info_ = Keep(std::make_unique<TPdfInfo>());
  info_->SetData(Register(new TPdfDictionary(xref_.get())));
  info_->Data()->AddItem("Producer", new TPdfText(rtl::Utf8ToUtf16(kProducer)));
  trailer_->Attributes()->AddItem("Info", info_->Data());
  info_->SetCreationDate(clock_());

  currentPages_ = MakePagesNode(nullptr);
  hasDoc_ = true;
}

TPdfDictionary* TPdfDoc::MakePagesNode(TPdfDictionary* parent) {
  TPdfDictionary* pages = Register(new TPdfDictionary(xref_.get()));
  pages->AddNameItem("Type", "Pages");
  pages->AddItem("Kids", new TPdfArray(xref_.get()));
  pages->AddNumberItem("Count", 0);
  if (DictionaryTypeName(parent) == "Pages") {
    AppendPageToNode(parent, pages);
  } else {
    root_->SetPages(pages);
  }
  return pages;
}

void TPdfDoc::FreeDoc() {
  canvas_->ClearPage();
  xObjectList_.reset();
  while (!fontList_.empty()) fontList_.pop_back();
  while (!objectList_.empty()) objectList_.pop_back();
  xref_.reset();
  header_.reset();
  trailer_.reset();
  root_ = nullptr;
  info_ = nullptr;
  outlineRoot_ = nullptr;
  currentPages_ = nullptr;
  hasDoc_ = false;
}

void TPdfDoc::AppendPageToNode(TPdfDictionary* pages, TPdfDictionary* kid) {
  TPdfArray* kids = pages->PdfArrayByName("Kids");
  kids->AddItem(kid);
  pages->PdfNumberByName("Count")->SetValue(kids->ItemCount());
}

TPdfDictionary* TPdfDoc::PageResourceDict(TPdfDictionary* page, std::string_view name) {
  TPdfDictionary* resources = page->PdfDictionaryByName("Resources");
  return resources ? resources->PdfDictionaryByName(name) : nullptr;
}

void TPdfDoc::AddPage() {
  if (!currentPages_) throw EPdfInvalidOperation("AddPage --current pages null.");
  TPdfDictionary* page = Register(new TPdfDictionary(xref_.get()));
  AppendPageToNode(currentPages_, page);

  page->AddNameItem("Type", "Page");
  page->AddItem("Parent", currentPages_);
  page->AddItem("MediaBox", TPdfArray::CreateNumArray(xref_.get(), {0, 0, defaultPageWidth_, defaultPageHeight_}));
  auto* resources = new TPdfDictionary(xref_.get());
  resources->AddItem("Font", new TPdfDictionary(xref_.get()));
  resources->AddItem("XObject", new TPdfDictionary(xref_.get()));
  auto* procSet = new TPdfArray(xref_.get());
  for (const char* name : {"PDF", "Text", "ImageC"}) procSet->AddItem(new TPdfName(name));
  resources->AddItem("ProcSet", procSet);
  page->AddItem("Resources", resources);
  auto* contents = new TPdfStream(xref_.get());
  xref_->AddObject(contents);
  page->AddItem("Contents", contents);

  canvas_->SetPage(page);
}

TPdfFont* TPdfDoc::GetFont(const std::string& fontName) {
  if (!hasDoc_) throw EPdfInvalidOperation("GetFont --document is null.");
  for (const auto& font : fontList_) {
    if (font->Name() == fontName) return font.get();
  }
  return CreateFont(fontName);
}

TPdfFont* TPdfDoc::CreateFont(const std::string& fontName) {
  auto font = CreatePdfFont(*xref_, fontName);
  font->Data()->AddNameItem("Name", "F" + std::to_string(fontList_.size()));
  fontList_.push_back(std::move(font));
  return fontList_.back().get();
}

void TPdfDoc::AddXObject(const std::string& name, TPdfXObject* xObject) {
  if (GetXObject(name))
    throw rtl::Exception(rtl::Format("AddImage --the image named %s is already exists..", name.c_str()));
  if (!xObject || !xObject->Attributes() || DictionaryTypeName(xObject->Attributes()) != "XObject" ||
      !xObject->Attributes()->PdfNameByName("Subtype") ||
      xObject->Attributes()->PdfNameByName("Subtype")->Value() != "Image") {
    throw rtl::Exception("AddImage --the image is not valid TPdfImage..");
  }
  xref_->AddObject(xObject);
  RegisterXObject(xObject, name);
}

void TPdfDoc::RegisterXObject(TPdfObject* object, const std::string& name) {
  if (!object) throw EPdfInvalidValue("RegisterXObject --AObject is null");
  auto* xObject = dynamic_cast<TPdfXObject*>(object);
  if (!xObject || DictionaryTypeName(xObject->Attributes()) != "XObject") {
    throw EPdfInvalidValue("RegisterXObject --not XObject");
  }
  if (xObject->ObjectType() != TPdfObjectType::otIndirectObject) xref_->AddObject(xObject);
  if (xObject->Attributes()->PdfNameByName("Name")) return;
  if (GetXObject(name)) throw EPdfInvalidValue(rtl::Format("RegisterXObject --dupulicate name: %s", name.c_str()));
  xObjectList_->AddItem(xObject);
  xObject->Attributes()->AddNameItem("Name", name);
}

TPdfXObject* TPdfDoc::GetXObject(const std::string& name) const {
  if (!xObjectList_) return nullptr;
  for (int i = 0; i < xObjectList_->ItemCount(); ++i) {
    auto* xObject = static_cast<TPdfXObject*>(xObjectList_->Items(i));
    const TPdfName* xObjectName = xObject->Attributes()->PdfNameByName("Name");
    if (xObjectName && xObjectName->Value() == name) return xObject;
  }
  return nullptr;
}

void TPdfDoc::SaveToStream(rtl::TStream& stream) {
  if (!hasDoc_) throw EPdfInvalidOperation("SaveToStream --there is no document to save.");
  canvas_->Page();
  info_->SetModDate(clock_());
  root_->SaveOpenAction();
  if (outlineRoot_) outlineRoot_->Save();

  stream.SetPosition(0);
  header_->WriteToStream(stream);
  for (int i = 1; i < xref_->ItemCount(); ++i) {
    TPdfXrefEntry* entry = xref_->GetItem(i);
    entry->SetByteOffset(stream.Position());
    entry->Value()->WriteValueToStream(stream);
  }
  trailer_->SetXrefAddress(stream.Position());
  xref_->WriteToStream(stream);
  trailer_->Attributes()->PdfNumberByName("Size")->SetValue(xref_->ItemCount());
  trailer_->WriteToStream(stream);
}

void TPdfDoc::SetVirtualMode() {
  NewDoc();
  AddPage();
  canvas_->SetVirtual(true);
}

TPdfDictionary* TPdfDoc::CreateAnnotation(TPdfAnnotationSubType type, const TPdfRect& rect) {
  if (!hasDoc_) throw EPdfInvalidOperation("AddAnotation --document is null.");
  TPdfDictionary* annotation = Register(new TPdfDictionary(xref_.get()));
  annotation->AddNameItem("Type", "Annot");
  annotation->AddNameItem("Subtype", type == TPdfAnnotationSubType::asTextNotes ? "Text" : "Link");
  auto* box = new TPdfArray(xref_.get());
  for (const float value : {rect.Left, rect.Top, rect.Right, rect.Bottom}) box->AddItem(new TPdfReal(value));
  annotation->AddItem("Rect", box);
  TPdfDictionary* page = canvas_->Page();
  TPdfArray* annotations = page->PdfArrayByName("Annots");
  if (!annotations) {
    annotations = new TPdfArray(xref_.get());
    page->AddItem("Annots", annotations);
  }
  annotations->AddItem(annotation);
  return annotation;
}

TPdfDestination* TPdfDoc::CreateDestination() { return Keep(std::make_unique<TPdfDestination>(this)); }

TPdfCanvas* TPdfDoc::Canvas() const {
  if (!hasDoc_) throw EPdfInvalidOperation("GetCanvas --Document is null");
  return canvas_.get();
}

TPdfInfo* TPdfDoc::Info() const {
  if (!hasDoc_) throw EPdfInvalidOperation("GetInfo --this method can not use this state..");
  return info_;
}

TPdfCatalog* TPdfDoc::Root() const {
  if (!hasDoc_) throw EPdfInvalidOperation("GetRoot --this method can not use this state..");
  return root_;
}

TPdfOutlineRoot* TPdfDoc::OutlineRoot() const {
  if (!hasDoc_) throw EPdfInvalidOperation("GetOutlineRoot --document is null..");
  if (!useOutlines_) throw EPdfInvalidOperation("GetOutlineRoot --not use outline mode..");
  return outlineRoot_;
}

}  // namespace pdf
