#include "ui/controls/vg_inspector.h"

#include <algorithm>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_popupbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_designer.h"
#include "ui/core/vg_designmenu.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_keys.h"
#include "ui/core/vg_pathdata.h"

namespace vg {

namespace {

constexpr float kParked = 2000;
constexpr float kItemHeight = 20;
constexpr const char* kValueLabelTag = "value";
constexpr std::uint16_t kKeyNumPlus = 107;
constexpr std::uint16_t kKeyNumMinus = 109;

template <class T>
T* MakeEditor(TvgInspector& inspector) {
  auto* editor = new T(&inspector);
  editor->SetVisible(false);
  editor->SetStored(false);
  editor->SetResource("inspectorEditor");
  editor->TagString = "self";
  editor->Position()->SetX(kParked);
  editor->SetParent(&inspector);
  return editor;
}

bool HasEditorDialog(const rtl::TObject* value) {
  return dynamic_cast<const TvgGradient*>(value) || dynamic_cast<const TvgBrush*>(value) ||
         dynamic_cast<const TvgBitmap*>(value) || dynamic_cast<const TvgPathData*>(value) ||
         dynamic_cast<const TvgFont*>(value);
}

rtl::TObject* TargetOf(TvgTreeViewItem* item) { return item ? item->TagObject : nullptr; }

TvgDesignMethod MethodOf(rtl::TObject* object, const rtl::TPropertyInfo& property) {
  TvgDesignMethod method;
  method.instance = property.GetMethodInstance(object);
  if (method.instance)
    method.method = rtl::PublishedOf(method.instance->ClassType()).FindMethod(property.GetMethodName(object));
  return method;
}

}  // namespace

TvgInspector::TvgInspector(rtl::TComponent* owner)
    : TvgTreeView(owner), FDisabledProperties(std::make_unique<rtl::TStringList>()) {
  SetHideSelectionUnfocused(false);
  SetItemHeight(kItemHeight);
  FEditButton = MakeEditor<TvgButton>(*this);
  FTextEditor = MakeEditor<TvgTextBox>(*this);
  FTextEditor->Padding()->SetRect({0, 0, 0, 0});
  FPopupEditor = MakeEditor<TvgPopupBox>(*this);
  FPopupEditor->SetTextAlign(vgTextAlignNear);
  auto changed = [this](rtl::TObject* sender) { EditorChanged(sender); };
  FEditButton->OnClick = changed;
  FTextEditor->OnChange = changed;
  FPopupEditor->OnChange = changed;
}

TvgInspector::~TvgInspector() {
  if (FSelectedObject) FSelectedObject->RemoveFreeNotification(this);
  TearDown();
}

void TvgInspector::Publish(rtl::TPublisher<TvgInspector>& p) {
  using T = TvgInspector;
  p.Property("SelectedObject", &T::SelectedObject, &T::SetSelectedObject);
  p.Property("DisabledProperties", &T::DisabledProperties, &T::SetDisabledProperties);
  p.Property("ShowProperties", &T::ShowProperties, &T::SetShowProperties).Default(true);
  p.Property("ShowEvents", &T::ShowEvents, &T::SetShowEvents).Default(false);
  p.Property("OnChangeProperty", &T::OnChangeProperty);
}

// ----- the selected object and the list

void TvgInspector::SetSelectedObject(rtl::TComponent* value) {
  if (value == FSelectedObject) return;
  CommitOpenEditor();
  if (FSelectedObject) FSelectedObject->RemoveFreeNotification(this);
  FSelectedObject = value;
  if (FSelectedObject) FSelectedObject->FreeNotification(this);
  Rebuild();
}

void TvgInspector::SetDisabledProperties(const rtl::TStringList* value) {
  FDisabledProperties->Assign(value);
}

void TvgInspector::SetShowProperties(bool value) {
  if (value == FShowProperties) return;
  FShowProperties = value;
  Rebuild();
}

void TvgInspector::SetShowEvents(bool value) {
  if (value == FShowEvents) return;
  FShowEvents = value;
  Rebuild();
}

void TvgInspector::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != rtl::opRemove || component != FSelectedObject) return;
  FSelectedObject = nullptr;
  // A tree being torn down (this inspector's or an ancestor's) is not listed again.
  for (TvgObject* node = this; node; node = node->Parent())
    if (node->ComponentState().Contains(rtl::csDestroying)) return;
  Rebuild();
}

void TvgInspector::ForgetTargets() {
  FHiddenLabel = nullptr;
  for (TvgVisualObject* editor : {static_cast<TvgVisualObject*>(FEditButton), static_cast<TvgVisualObject*>(FTextEditor),
                                  static_cast<TvgVisualObject*>(FPopupEditor)}) {
    editor->SetVisible(false);
    editor->TagObject = nullptr;
  }
}

void TvgInspector::Rebuild() {
  BeginUpdate();
  FUpdatingList = true;
  ForgetTargets();
  Clear();
  if (FSelectedObject) AddObjectItems(nullptr, FSelectedObject);
  FUpdatingList = false;
  EndUpdate();
  RebuildEditor();
}

bool TvgInspector::Listed(const rtl::TPropertyInfo& property, rtl::TObject* object) const {
  if (property.IsReadOnly() || property.IsRunTimeOnly()) return false;
  if (FDisabledProperties->IndexOf(property.Name()) >= 0) return false;
  if (property.Kind() == rtl::pkEvent) return FShowEvents && object == FSelectedObject;
  return FShowProperties;
}

rtl::WideString TvgInspector::PropertyText(rtl::TObject* object, const rtl::TPropertyInfo& property) const {
  switch (property.Kind()) {
    case rtl::pkObject:
    case rtl::pkComponent:
    case rtl::pkCollection: {
      rtl::TObject* value = property.GetObject(object);
      if (!value) return {};
      if (auto* node = dynamic_cast<TvgObject*>(value))
        return rtl::W(node->Name().empty() ? node->ResourceName() : node->Name());
      if (auto* component = dynamic_cast<rtl::TComponent*>(value); component && !component->Name().empty())
        return rtl::W(component->Name());
      return rtl::W(value->ClassName());
    }
    case rtl::pkEvent:
      return rtl::W(property.GetMethodName(object));
    case rtl::pkWideString:
      return property.GetWideString(object);
    default:
      return rtl::W(property.GetText(object));
  }
}

void TvgInspector::AddObjectItems(TvgTreeViewItem* parent, rtl::TObject* object) {
  std::vector<const rtl::TPropertyInfo*> properties = rtl::PublishedOf(object->ClassType()).Properties();
  std::stable_sort(properties.begin(), properties.end(),
                   [](const rtl::TPropertyInfo* a, const rtl::TPropertyInfo* b) { return a->Name() < b->Name(); });
  for (const rtl::TPropertyInfo* property : properties) {
    if (!Listed(*property, object)) continue;
    auto* item = new TvgTreeViewItem(this);
    item->SetText(rtl::W(property->Name()));
    item->SetStored(false);
    item->TagObject = object;
    item->TagString = property->Name();
    item->SetParent(parent ? static_cast<TvgObject*>(parent) : this);
    item->Lock();
    auto* label = new TvgLabel(this);
    label->SetResource("inspectorEditor");
    label->SetStored(false);
    label->TagString = kValueLabelTag;
    label->SetParent(item);
    label->SetBounds(Width() / 2, 0, Width(), ItemHeight() + 2);
    label->SetTextAlign(vgTextAlignNear);
    label->SetWordWrap(false);
    label->SetHitTest(false);
    label->SetText(PropertyText(object, *property));
    label->Lock();
    // An owned value object (a font, a brush) lists its own properties.
    if (property->Kind() != rtl::pkObject) continue;
    rtl::TObject* value = property->GetObject(object);
    if (!value || dynamic_cast<TvgObject*>(value)) continue;
    AddObjectItems(item, value);
    item->SetIsExpanded(false);
  }
}

TvgLabel* TvgInspector::ValueLabel(TvgTreeViewItem* item) const {
  if (!item) return nullptr;
  for (TvgObject* child : item->Children())
    if (child->TagString == kValueLabelTag) return dynamic_cast<TvgLabel*>(child);
  return nullptr;
}

const rtl::TPropertyInfo* TvgInspector::PropertyOf(TvgTreeViewItem* item) const {
  rtl::TObject* target = TargetOf(item);
  return target ? rtl::PublishedOf(target->ClassType()).FindProperty(item->TagString) : nullptr;
}

TvgTreeViewItem* TvgInspector::ItemOf(const std::string& path) const {
  TvgTreeViewItem* found = nullptr;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('.', start), path.size());
    const std::string name = path.substr(start, end - start);
    const int count = found ? found->Count() : Count();
    TvgTreeViewItem* next = nullptr;
    for (int i = 0; i < count && !next; ++i) {
      TvgTreeViewItem* item = found ? found->ItemByIndex(i) : ItemByIndex(i);
      if (item && item->TagString == name) next = item;
    }
    if (!next) return nullptr;
    found = next;
    start = end + 1;
  }
  return found;
}

rtl::WideString TvgInspector::ValueText(TvgTreeViewItem* item) const {
  TvgLabel* label = ValueLabel(item);
  return label ? label->Text() : rtl::WideString();
}

// ----- the editor

TvgVisualObject* TvgInspector::Editor() const {
  for (TvgVisualObject* editor : {static_cast<TvgVisualObject*>(FEditButton), static_cast<TvgVisualObject*>(FTextEditor),
                                  static_cast<TvgVisualObject*>(FPopupEditor)})
    if (editor->Visible()) return editor;
  return nullptr;
}

void TvgInspector::SetSelected(TvgTreeViewItem* value) {
  CommitOpenEditor();
  inherited::SetSelected(value);
  RebuildEditor();
}

// The pop-up box commits on every choice already; only typed text waits.
void TvgInspector::CommitOpenEditor() {
  if (FTextEditor->Visible()) EditorChanged(FTextEditor);
}

void TvgInspector::RebuildEditor() {
  if (FHiddenLabel) FHiddenLabel->SetVisible(true);
  ForgetTargets();
  TvgTreeViewItem* item = Selected();
  const rtl::TPropertyInfo* property = PropertyOf(item);
  if (!property) return;
  rtl::TObject* target = TargetOf(item);
  TvgVisualObject* editor = nullptr;
  FUpdatingList = true;
  switch (property->Kind()) {
    case rtl::pkEnumeration:
    case rtl::pkBoolean: {
      FPopupEditor->Items()->Clear();
      if (property->Kind() == rtl::pkBoolean) {
        FPopupEditor->Items()->Add(u"False");
        FPopupEditor->Items()->Add(u"True");
      } else {
        const rtl::TEnumInfo& names = *property->EnumType();
        for (int i = 0; i < names.Count(); ++i) FPopupEditor->Items()->Add(rtl::W(names.Name(i)));
      }
      FPopupEditor->SetItemIndex(static_cast<int>(property->GetOrdinal(target)));
      editor = FPopupEditor;
      break;
    }
    case rtl::pkObject:
      if (HasEditorDialog(property->GetObject(target))) {
        FEditButton->SetText(u"Edit...");
        editor = FEditButton;
      }
      break;
    case rtl::pkEvent:
      FTextEditor->SetText(vgDesigner ? rtl::W(vgDesigner->GetMethodName(MethodOf(target, *property))) : u"");
      editor = FTextEditor;
      break;
    default:
      FTextEditor->SetText(PropertyText(target, *property));
      FTextEditor->SelectAll();
      editor = FTextEditor;
      break;
  }
  FUpdatingList = false;
  if (!editor) return;
  editor->SetVisible(true);
  editor->Lock();
  editor->TagObject = ValueLabel(item);
  FHiddenLabel = ValueLabel(item);
  if (FHiddenLabel) FHiddenLabel->SetVisible(false);
  PlaceEditor();
  editor->SetFocus();
}

void TvgInspector::PlaceEditor() {
  TvgVisualObject* editor = Editor();
  TvgTreeViewItem* item = Selected();
  if (!editor || !item || !Content()) return;
  const TvgRect r = GetItemRect(item);
  const TvgPoint top = AbsoluteToLocal(Content()->LocalToAbsolute({r.Left, r.Top}));
  const float indent = static_cast<float>(item->Level()) * ItemHeight();
  const float x = indent + Width() / 2;
  const float width = Content()->Width() - Width() / 2 - indent - 1;
  editor->SetBounds(x, top.Y + 1, std::max(width, 0.f), ItemHeight() - 2);
  const bool outside = top.Y + 1 < 0 || top.Y + ItemHeight() - 1 > Height();
  editor->SetOpacity(outside ? 0 : 1);
}

void TvgInspector::VScrollChange(rtl::TObject* sender) {
  inherited::VScrollChange(sender);
  PlaceEditor();
}

void TvgInspector::HScrollChange(rtl::TObject* sender) {
  inherited::HScrollChange(sender);
  PlaceEditor();
}

void TvgInspector::EditorChanged(rtl::TObject* sender) {
  if (FUpdatingList) return;
  TvgTreeViewItem* item = Selected();
  const rtl::TPropertyInfo* property = PropertyOf(item);
  if (!property) return;
  rtl::TObject* target = TargetOf(item);
  TvgLabel* label = ValueLabel(item);
  if (sender == FEditButton) {
    rtl::TObject* value = property->GetObject(target);
    const auto& edit = vgDesignServices().editValue;
    if (!value || !edit || !edit(value, FSelectedObject)) return;
  } else if (sender == FPopupEditor) {
    const int index = FPopupEditor->ItemIndex();
    if (index < 0) return;
    property->SetOrdinal(target, index);
    if (label) label->SetText(FPopupEditor->Items()->Get(index));
  } else if (property->Kind() == rtl::pkEvent) {
    if (!vgDesigner) return;
    const rtl::WideString text = FTextEditor->Text();
    const TvgDesignMethod method = vgDesigner->AddMethod(rtl::Utf16ToUtf8(text));
    property->SetMethod(target, method.instance, method.method);
    if (label && method.HasCode()) label->SetText(text);
  } else {
    try {
      if (property->Kind() == rtl::pkWideString) property->SetWideString(target, FTextEditor->Text());
      else property->SetText(target, rtl::Utf16ToUtf8(FTextEditor->Text()));
    } catch (const rtl::Exception&) {
      // Text the property cannot take: the value stands and shows again
      // (the commit may run inside a focus change, where nothing may throw).
      if (label) label->SetText(PropertyText(target, *property));
      if (FTextEditor->Visible()) FTextEditor->SetText(PropertyText(target, *property));
      return;
    }
    if (label) label->SetText(PropertyText(target, *property));
  }
  OnChangeProperty(this, property->Name());
}

void TvgInspector::DialogKey(std::uint16_t& key, TvgShiftState shift) {
  TvgVisualObject* editor = Editor();
  IvgScene* scene = GetScene();
  if (!editor || !scene || scene->GetFocused() != editor || !Selected()) {
    inherited::DialogKey(key, shift);
    return;
  }
  const int index = Selected()->GlobalIndex();
  switch (key) {
    case kKeyEnd:
    case kKeyHome:
      if (editor == FTextEditor) return inherited::DialogKey(key, shift);
      SetSelected(ItemByGlobalIndex(key == kKeyEnd ? GlobalCount() - 1 : 0));
      break;
    case kKeyUp:
      if (index > 0) SetSelected(ItemByGlobalIndex(index - 1));
      break;
    case kKeyDown:
      if (index < GlobalCount() - 1) SetSelected(ItemByGlobalIndex(index + 1));
      break;
    case kKeyNumPlus: Selected()->SetIsExpanded(true); break;
    case kKeyNumMinus: Selected()->SetIsExpanded(false); break;
    default: return inherited::DialogKey(key, shift);
  }
  key = 0;
}

void RegisterDesignClasses() { RegisterVGObjects("Design", {TvgInspector::StaticClass()}); }

}  // namespace vg
