#include "ui/window/vg_brushdialog.h"

#include <algorithm>

#include "EmbeddedResources_vg_design_forms.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_brushdesign.h"
#include "ui/core/vg_designer.h"
#include "ui/window/vg_bitmapeditor.h"

namespace vg {

namespace {

TvgBrushDesign*& Designer() {
  static TvgBrushDesign* designer = nullptr;
  return designer;
}

void RegisterForms() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterResources_vg_design_forms();
  rtl::RegisterClasses<TvgBrushDesign>();
}

std::uint8_t Byte(const TvgNumberBox* box) {
  return static_cast<std::uint8_t>(std::clamp<std::int64_t>(rtl::Trunc(box->Value()), 0, 255));
}

void ShowBoxes(TvgColor color, TvgNumberBox* r, TvgNumberBox* g, TvgNumberBox* b, TvgNumberBox* a,
               TvgTextBox* hex) {
  const TvgColorRec rec = TvgColorRec::From(color);
  r->SetValue(rec.R);
  g->SetValue(rec.G);
  b->SetValue(rec.B);
  a->SetValue(rec.A);
  hex->SetText(rtl::W(vgColorToStr(color)));
}

void ShowInQuad(TvgColor color, TvgColorQuad* quad, TvgColorPicker* picker) {
  float h = 0, s = 0, l = 0;
  vgRGBtoHSL(color, h, s, l);
  picker->SetHue(h);
  quad->SetHue(h);
  quad->SetSat(s);
  quad->SetLum(l);
  quad->SetAlpha(static_cast<float>(color >> 24) / 255);
}

}  // namespace

// ----- the designer form

TvgBrushDesign::TvgBrushDesign(rtl::TComponent* owner) : gui::TForm(owner) {
  RegisterForms();
  ReadFormResource();
  FHost = std::make_unique<TvgSceneHost>(*vgBrushDesigner, *this);
  Connect();
}

TvgBrushDesign::~TvgBrushDesign() = default;

void TvgBrushDesign::BeforeDestruction() {
  if (Designer() == this) Designer() = nullptr;
  if (FComp) FComp->RemoveFreeNotification(this);
  FHost.reset();
  inherited::BeforeDestruction();
}

void TvgBrushDesign::Publish(rtl::TPublisher<TvgBrushDesign>& p) {
  using T = TvgBrushDesign;
  p.Field("vgBrushDesigner", &T::vgBrushDesigner);
  p.Field("dsgnRoot", &T::dsgnRoot);
  p.Field("HudWindow1", &T::HudWindow1);
  p.Field("brushList", &T::brushList);
  p.Field("brushTabControl", &T::brushTabControl);
  p.Field("tabNone", &T::tabNone);
  p.Field("tabSolid", &T::tabSolid);
  p.Field("tabGradient", &T::tabGradient);
  p.Field("tabBitmap", &T::tabBitmap);
  p.Field("tabRes", &T::tabRes);
  p.Field("panelSolid", &T::panelSolid);
  p.Field("panelGradient", &T::panelGradient);
  p.Field("panelBitmap", &T::panelBitmap);
  p.Field("panerRes", &T::panerRes);
  p.Field("solidQuad", &T::solidQuad);
  p.Field("gradQuad", &T::gradQuad);
  p.Field("solidPicker", &T::solidPicker);
  p.Field("gradPicker", &T::gradPicker);
  p.Field("textSolidR", &T::textSolidR);
  p.Field("textSolidG", &T::textSolidG);
  p.Field("textSolidB", &T::textSolidB);
  p.Field("textSolidA", &T::textSolidA);
  p.Field("textGradR", &T::textGradR);
  p.Field("textGradG", &T::textGradG);
  p.Field("textGradB", &T::textGradB);
  p.Field("textGradA", &T::textGradA);
  p.Field("textSolidHex", &T::textSolidHex);
  p.Field("textGradHex", &T::textGradHex);
  p.Field("solidColorRect", &T::solidColorRect);
  p.Field("gradColorRect", &T::gradColorRect);
  p.Field("gradEditor", &T::gradEditor);
  p.Field("gradKind", &T::gradKind);
  p.Field("tileModeList", &T::tileModeList);
  p.Field("gradAngle", &T::gradAngle);
  p.Field("gradAngleLabel", &T::gradAngleLabel);
  p.Field("bitmapImage", &T::bitmapImage);
  p.Field("btnSelectBitmap", &T::btnSelectBitmap);
  p.Field("btnOK", &T::btnOK);
  p.Field("btnCancel", &T::btnCancel);
  p.Field("btnMakeRes", &T::btnMakeRes);
  p.Field("resList", &T::resList);
  p.Field("Layout6", &T::Layout6);
  p.Field("makeResLayout", &T::makeResLayout);
}

void TvgBrushDesign::Connect() {
  brushTabControl->OnChange = [this](rtl::TObject*) { TabChanged(); };
  solidQuad->OnChange = [this](rtl::TObject*) { SolidFromQuad(); };
  for (TvgNumberBox* box : {textSolidR, textSolidG, textSolidB, textSolidA})
    box->OnChange = [this](rtl::TObject*) { SolidFromBoxes(); };
  textSolidHex->OnChange = [this](rtl::TObject*) { SolidFromHex(); };
  gradQuad->OnChange = [this](rtl::TObject*) { GradientFromQuad(); };
  for (TvgNumberBox* box : {textGradR, textGradG, textGradB, textGradA})
    box->OnChange = [this](rtl::TObject*) { GradientFromBoxes(); };
  textGradHex->OnChange = [this](rtl::TObject*) {
    if (!FUpdating) SetCurrentStopColor(vgStrToColor(rtl::Utf16ToUtf8(textGradHex->Text())));
  };
  gradEditor->OnChange = [this](rtl::TObject*) { GradientChanged(); };
  gradEditor->OnSelectPoint = [this](rtl::TObject*) { ShowGradientPoint(); };
  gradKind->OnChange = [this](rtl::TObject*) {
    if (FUpdating || !FBrush) return;
    const bool linear = gradKind->ItemIndex() <= 0;
    gradEditor->Gradient()->SetStyle(linear ? vgLinearGradient : vgRadialGradient);
    gradAngle->SetVisible(linear);
    GradientChanged();
  };
  gradAngle->OnChange = [this](rtl::TObject*) { AngleChanged(); };
  tileModeList->OnChange = [this](rtl::TObject*) {
    if (!FUpdating && FBrush && tileModeList->ItemIndex() >= 0)
      FBrush->Bitmap()->SetWrapMode(static_cast<TvgWrapMode>(tileModeList->ItemIndex()));
  };
  btnSelectBitmap->OnClick = [this](rtl::TObject*) { SelectBitmap(); };
  btnMakeRes->OnClick = [this](rtl::TObject*) { MakeResource(); };
  brushList->OnChange = [this](rtl::TObject*) {
    TvgListBoxItem* item = brushList->Selected();
    if (auto* brush = item ? dynamic_cast<TvgBrush*>(item->TagObject) : nullptr) SetBrush(brush);
  };
  resList->OnChange = [this](rtl::TObject*) {
    TvgListBoxItem* item = resList->Selected();
    auto* resource = item ? dynamic_cast<TvgBrushObject*>(item->TagObject) : nullptr;
    if (!resource || !FBrush) return;
    FBrush->Assign(resource->Brush());
    FBrush->Resource()->SetResource(resource);
    FBrush->SetStyle(vgBrushResource);
  };
  btnOK->OnClick = [this](rtl::TObject*) { SetModalResult(gui::mrOk); };
  btnCancel->OnClick = [this](rtl::TObject*) { SetModalResult(gui::mrCancel); };
}

void TvgBrushDesign::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != rtl::opRemove || component != FComp) return;
  FComp = nullptr;
  FBrush = nullptr;
  brushList->Clear();
}

void TvgBrushDesign::SetBrush(TvgBrush* brush) {
  FBrush = brush;
  ShowBrush();
}

void TvgBrushDesign::SetComp(rtl::TPersistent* component) {
  if (FComp) FComp->RemoveFreeNotification(this);
  FComp = dynamic_cast<rtl::TComponent*>(component);
  if (FComp) FComp->FreeNotification(this);
  brushList->Clear();
  brushList->SetVisible(component != nullptr);
  float height = 4;
  TvgBrush* first = nullptr;
  if (component) {
    for (const rtl::TPropertyInfo* property : rtl::PublishedOf(component->ClassType()).Properties()) {
      if (property->Kind() != rtl::pkObject || !property->ClassOf() || property->ClassOf()->name != std::string("TvgBrush"))
        continue;
      auto* brush = dynamic_cast<TvgBrush*>(property->GetObject(component));
      if (!brush) continue;
      auto* item = new TvgListBoxItem(nullptr);
      item->SetHeight(23);
      item->SetText(rtl::W(property->Name()));
      item->TagObject = brush;
      item->SetParent(brushList);
      height += 23;
      if (!first) first = brush;
    }
  }
  brushList->SetHeight(height);
  if (first) {
    SetBrush(first);
    brushList->SetItemIndex(0);
  }
}

void TvgBrushDesign::ShowStyles(TvgBrushStyles styles) {
  brushTabControl->SetItemIndex(-1);
  const TvgHudTabItem* tabs[] = {tabNone, tabSolid, tabGradient, tabBitmap, tabRes};
  for (int i = 0; i < 5; ++i)
    const_cast<TvgHudTabItem*>(tabs[i])->SetVisible(styles.Contains(static_cast<TvgBrushStyleShown>(i)));
}

void TvgBrushDesign::ShowBrush() {
  if (!FBrush) return;
  FUpdating = true;
  const int page = std::min<int>(FBrush->Style(), vgBrushResource);
  ShowSolid(FBrush->SolidColor());
  gradEditor->SetGradient(FBrush->Gradient());
  gradEditor->SetCurrentPoint(0);
  ShowGradientPoint();
  gradKind->SetItemIndex(FBrush->Gradient()->Style() == vgLinearGradient ? 0 : 1);
  gradAngle->SetValue(vgGradientAngle(*FBrush->Gradient(), gradAngle->Value()));
  gradAngleLabel->SetText(rtl::W(std::to_string(rtl::Trunc(gradAngle->Value()))));
  tileModeList->SetItemIndex(FBrush->Bitmap()->WrapMode());
  bitmapImage->SetBitmap(FBrush->Bitmap()->Bitmap());
  FUpdating = false;
  TvgHudTabItem* tabs[] = {tabNone, tabSolid, tabGradient, tabBitmap, tabRes};
  if (tabs[page]->Visible() && brushTabControl->ItemIndex() != tabs[page]->Index()) {
    brushTabControl->SetItem(tabs[page]);
    return;
  }
  TabChanged();
}

void TvgBrushDesign::TabChanged() {
  const int index = brushTabControl->ItemIndex();
  TvgTabItem* tab = brushTabControl->TabItem(index);
  makeResLayout->SetVisible(tab && tab != tabNone && tab != tabRes);
  if (tab == tabRes) FillResources();
  if (FUpdating || !FBrush || !tab) return;
  const TvgTabItem* order[] = {tabNone, tabSolid, tabGradient, tabBitmap, tabRes};
  const auto style = std::find(std::begin(order), std::end(order), tab) - std::begin(order);
  if (tab == tabGradient) {
    FBrush->SetGradient(gradEditor->Gradient());
    gradAngleLabel->SetText(rtl::W(std::to_string(rtl::Trunc(gradAngle->Value()))));
  }
  FBrush->SetStyle(static_cast<TvgBrushStyle>(style));
}

void TvgBrushDesign::ShowSolid(TvgColor color) {
  const bool was = std::exchange(FUpdating, true);
  ShowInQuad(color, solidQuad, solidPicker);
  ShowBoxes(color, textSolidR, textSolidG, textSolidB, textSolidA, textSolidHex);
  solidColorRect->SetColor(color);
  FUpdating = was;
}

void TvgBrushDesign::SolidFromQuad() {
  if (FUpdating || !FBrush) return;
  const TvgColor color = (solidQuad->Color() & 0x00FFFFFF) | (FBrush->SolidColor() & 0xFF000000);
  FBrush->SetSolidColor(color);
  ShowSolid(color);
}

void TvgBrushDesign::SolidFromBoxes() {
  if (FUpdating || !FBrush) return;
  const TvgColor color = vgColor(Byte(textSolidR), Byte(textSolidG), Byte(textSolidB), Byte(textSolidA));
  FBrush->SetSolidColor(color);
  ShowSolid(color);
}

void TvgBrushDesign::SolidFromHex() {
  if (FUpdating || !FBrush) return;
  const TvgColor color = vgStrToColor(rtl::Utf16ToUtf8(textSolidHex->Text()));
  FBrush->SetSolidColor(color);
  ShowSolid(color);
}

TvgColor TvgBrushDesign::CurrentStopColor() const {
  const int point = gradEditor->CurrentPoint();
  TvgGradientPoints* points = gradEditor->Gradient()->Points();
  return point >= 0 && point < points->Count() ? points->Points(point)->IntColor() : 0;
}

void TvgBrushDesign::SetCurrentStopColor(TvgColor color) {
  const int point = gradEditor->CurrentPoint();
  TvgGradientPoints* points = gradEditor->Gradient()->Points();
  if (point < 0 || point >= points->Count()) return;
  points->Points(point)->SetIntColor(color);
  GradientChanged();
  ShowGradientPoint();
}

void TvgBrushDesign::GradientFromQuad() {
  if (FUpdating) return;
  SetCurrentStopColor((gradQuad->Color() & 0x00FFFFFF) | (CurrentStopColor() & 0xFF000000));
}

void TvgBrushDesign::GradientFromBoxes() {
  if (FUpdating) return;
  SetCurrentStopColor(vgColor(Byte(textGradR), Byte(textGradG), Byte(textGradB), Byte(textGradA)));
}

void TvgBrushDesign::ShowGradientPoint() {
  const bool was = std::exchange(FUpdating, true);
  const TvgColor color = CurrentStopColor();
  ShowInQuad(color, gradQuad, gradPicker);
  ShowBoxes(color, textGradR, textGradG, textGradB, textGradA, textGradHex);
  gradColorRect->SetColor(color);
  FUpdating = was;
}

void TvgBrushDesign::GradientChanged() {
  gradEditor->Repaint();
  if (FUpdating || !FBrush) return;
  FBrush->SetGradient(gradEditor->Gradient());
}

void TvgBrushDesign::SelectBitmap() {
  if (!FBrush || !ShowBitmapEditor(*bitmapImage->Bitmap())) return;
  // Assigning a whole brush bitmap announces the change: the edited node repaints.
  TvgBrushBitmap picked;
  picked.SetWrapMode(FBrush->Bitmap()->WrapMode());
  picked.SetBitmap(bitmapImage->Bitmap());
  FBrush->Bitmap()->Assign(&picked);
}

void TvgBrushDesign::AngleChanged() {
  gradAngleLabel->SetText(rtl::W(std::to_string(rtl::Trunc(gradAngle->Value()))));
  if (FUpdating) return;
  vgSetGradientAngle(*gradEditor->Gradient(), gradAngle->Value());
  GradientChanged();
}

TvgCustomScene* TvgBrushDesign::EditedScene() const {
  if (auto* scene = dynamic_cast<TvgCustomScene*>(FComp)) return scene;
  if (auto* node = dynamic_cast<TvgObject*>(FComp); node && node->GetScene())
    if (auto* scene = dynamic_cast<TvgCustomScene*>(node->GetScene()->GetComponent())) return scene;
  return vgBrushDesigner;
}

TvgObject* TvgBrushDesign::ResourceRoot() const { return EditedScene()->GetRoot(); }

void TvgBrushDesign::FillResources() {
  resList->Clear();
  TvgObject* root = ResourceRoot();
  std::vector<TvgObject*> nodes;
  if (root) root->AddObjectsToList(nodes);
  for (TvgObject* node : nodes) {
    auto* resource = dynamic_cast<TvgBrushObject*>(node);
    if (!resource) continue;
    auto* item = new TvgListBoxItem(nullptr);
    item->SetText(rtl::W(resource->ResourceName()));
    item->TagObject = resource;
    item->SetParent(resList);
    auto* swatch = new TvgRectangle(nullptr);
    swatch->SetParent(item);
    swatch->SetAlign(vaLeft);
    swatch->Padding()->SetRect({2, 2, 2, 2});
    swatch->SetWidth(16);
    swatch->SetHitTest(false);
    swatch->Fill()->Assign(resource->Brush());
    swatch->Stroke()->SetColor("#80FFFFFF");
    // The item's style spans the whole item: its text starts after the swatch.
    item->OnApplyResource = [item, swatch](rtl::TObject*) {
      if (auto* text = dynamic_cast<TvgVisualObject*>(item->FindResource("text")))
        text->Padding()->SetLeft(swatch->Width() + 2 * swatch->Padding()->Left());
    };
  }
}

std::string TvgBrushDesign::UniqueName(rtl::TComponent* owner, const std::string& base) {
  if (vgDesigner) return vgDesigner->UniqueName(owner, base);
  SetTag(Tag() + 1);
  return base + std::to_string(Tag());
}

void TvgBrushDesign::MakeResource() {
  TvgCustomScene* scene = EditedScene();
  TvgObject* root = scene->GetRoot();
  if (!FBrush || !root) return;
  rtl::WideString name = rtl::W(UniqueName(scene->Owner(), "Brush"));
  if (!gui::Dialogs().InputQuery(u"New TvgBrushObject", u"Enter resource name:", name)) return;
  TvgOwned<TvgBrushObject> resource{new TvgBrushObject(scene->Owner())};
  resource->SetResourceName(rtl::Utf16ToUtf8(name));
  resource->SetName(rtl::Utf16ToUtf8(name));  // refuses a name that is no identifier or is taken
  resource->Brush()->Assign(FBrush);
  resource.release()->SetParent(root);
  FillResources();
}

// ----- the dialog component

TvgBrushDialog::TvgBrushDialog(rtl::TComponent* owner)
    : rtl::TComponent(owner), FBrush(new TvgBrush(vgBrushSolid, 0xFF808080)) {}

TvgBrushDialog::~TvgBrushDialog() = default;

void TvgBrushDialog::Publish(rtl::TPublisher<TvgBrushDialog>& p) {
  using T = TvgBrushDialog;
  p.Property("ShowBrushList", &T::ShowBrushList, &T::SetShowBrushList).Default(true);
  p.Property("ShowMakeResource", &T::ShowMakeResource, &T::SetShowMakeResource).Default(false);
  p.Property("Title", &T::Title, &T::SetTitle);
}

bool TvgBrushDialog::Execute() {
  TvgBrushDesign form(nullptr);
  FForm = &form;
  form.SetComp(FShowBrushList ? FComponent : nullptr);
  form.HudWindow1->SetText(FTitle);
  form.SetCaption(FTitle);
  form.ShowStyles(FShowStyles);
  form.btnOK->SetVisible(true);
  form.btnCancel->SetVisible(true);
  form.SetBrush(FBrush.get());
  form.btnMakeRes->SetVisible(FShowMakeResource);
  const TvgBounds& margins = *form.HudWindow1->Margins();
  form.SetClientHeight(static_cast<int>(
      rtl::Trunc(form.Layout6->Position()->Y() + form.Layout6->Height() + margins.Top() + margins.Bottom())));
  const bool ok = form.ShowModal() == gui::mrOk;
  FForm = nullptr;
  return ok;
}

// ----- entry points

bool ShowBrushDialog(TvgBrush& brush, TvgBrushStyles styles, bool showBrushList) {
  TvgBrushDialog dialog(nullptr);
  dialog.SetBrush(&brush);
  dialog.SetShowStyles(styles);
  dialog.SetShowBrushList(showBrushList);
  if (!dialog.Execute()) return false;
  brush.Assign(dialog.Brush());
  return true;
}

bool ShowGradientDialog(TvgGradient& gradient) {
  TvgBrushDialog dialog(nullptr);
  dialog.Brush()->SetStyle(vgBrushGradient);
  dialog.Brush()->SetGradient(&gradient);
  dialog.SetShowStyles({vgShowGradient});
  dialog.SetShowBrushList(false);
  if (!dialog.Execute()) return false;
  gradient.Assign(dialog.Brush()->Gradient());
  return true;
}

std::string ShowColorDialog(const std::string& color) {
  TvgBrushDialog dialog(nullptr);
  dialog.Brush()->SetStyle(vgBrushSolid);
  dialog.Brush()->SetColor(color);
  dialog.SetShowStyles({vgShowSolid});
  dialog.SetShowBrushList(false);
  if (!dialog.Execute()) return {};
  return dialog.Brush()->GetColor();
}

TvgBrushDesign* DesignerWindow() { return Designer(); }

void SelectInDesign(rtl::TObject* value, rtl::TComponent* component) {
  if (!Designer()) {
    Designer() = new TvgBrushDesign(nullptr);
    Designer()->ShowStyles(vgAllBrushStyles);
    Designer()->btnOK->SetVisible(false);
    Designer()->btnCancel->SetVisible(false);
    Designer()->OnClose = [](rtl::TObject*, gui::TCloseAction& action) { action = gui::caFree; };
  }
  if (!value) {
    Designer()->SetComp(nullptr);
    Designer()->SetBrush(nullptr);
  } else if (auto* brush = dynamic_cast<TvgBrush*>(value)) {
    Designer()->SetComp(component);
    Designer()->SetBrush(brush);
  } else if (auto* node = dynamic_cast<TvgObject*>(value)) {
    Designer()->SetComp(node);
  }
  Designer()->Show();
}

}  // namespace vg
