#include "ui/core/vg_control.h"

#include <algorithm>

#include "ui/core/vg_actionlink.h"
#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

constexpr TvgColor kBackgroundColor = 0xFFE0E0E0;

}  // namespace

// ----- TvgControl

TvgControl::TvgControl(rtl::TComponent* owner) : TvgVisualObject(owner) {}

TvgControl::~TvgControl() {
  SetBindingSource(nullptr);
  for (TvgControl* bound : std::exchange(FBindingObjects, {})) {
    bound->FBindingSource = nullptr;
    RemoveFreeNotification(bound);
  }
  TearDown();
}

void TvgControl::Publish(rtl::TPublisher<TvgControl>& p) {
  using T = TvgControl;
  p.Property("Resource", &T::Resource, &T::SetResource);
  p.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder).Default(-1);
  p.Property("Action", &T::Action, &T::SetAction);
  p.Property("HelpContext", &T::HelpContext, &T::SetHelpContext).Default(0);
  p.Property("HelpKeyword", &T::HelpKeyword, &T::SetHelpKeyword);
  p.Property("HelpType", &T::HelpType, &T::SetHelpType).Default(rtl::htKeyword);
}

rtl::TBasicAction* TvgControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TvgControl::SetAction(rtl::TBasicAction* value) {
  if (!value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TvgControlActionLink>(this);
  FActionLink->SetAction(value);
  ActionChange(value);
}

void TvgControl::ActionChange(rtl::TBasicAction* action) {
  OnClick = action->OnExecute();
  auto* custom = dynamic_cast<rtl::TCustomAction*>(action);
  if (!custom) return;
  vgSetTextOf(this, custom->Caption());
  SetEnabled(custom->Enabled());
  SetVisible(custom->Visible());
  SetHint(custom->Hint());
  FHelpContext = custom->HelpContext();
  FHelpKeyword = custom->HelpKeyword();
  FHelpType = custom->HelpType();
}

void TvgControl::SetResource(const std::string& value) {
  FResource = value;
  FNeedResource = true;
  if (!IsLoading() && Updating() == 0) ApplyResource();
}

std::string TvgControl::ClassStyleName(rtl::TClass cls) {
  const std::string name = cls->name;
  return (name.size() > 3 ? name.substr(3) : std::string{}) + "style";
}

TvgObject* TvgControl::CloneStyle(TvgObject* style, bool keepResourceName) {
  TvgObject* clone = style->Clone(this);
  if (!keepResourceName) clone->SetResourceName({});
  return clone;
}

TvgObject* TvgControl::GetResourceObject() {
  const std::string& S = FResource;
  if (!S.empty() && S == ResourceName()) return nullptr;
  IvgScene* scene = GetScene();
  TvgResources* book = scene ? scene->GetStyle() : nullptr;
  TvgObject* bookRoot = book ? book->Root() : nullptr;
  if (!S.empty()) {
    TvgObject* found = bookRoot ? bookRoot->FindResource(S) : nullptr;
    if (!found && DefaultStylesLoaded() && DefaultStyles()) found = DefaultStyles()->FindResource(S);
    if (!found) found = vg::FindResource(S);
    if (found && found->IsVisual()) return CloneStyle(found, false);
  }
  TvgObject* builtIn = DefaultStyles();
  const std::string N = StyleName();
  if (bookRoot) {
    TvgObject* found = S.empty() ? nullptr : bookRoot->FindResource(S);
    if (!found) found = bookRoot->FindResource(N);
    if (found) return CloneStyle(found, true);
  }
  if (!builtIn) return nullptr;
  TvgObject* found = S.empty() ? nullptr : builtIn->FindResource(S);
  if (!found) found = builtIn->FindResource(N);
  if (!found && ClassType()->parent) found = builtIn->FindResource(ClassStyleName(ClassType()->parent));
  return found ? CloneStyle(found, true) : nullptr;
}

void TvgControl::DropStyle() {
  if (!FResourceLink) return;
  FreeStyle();
  TvgObject* old = std::exchange(FResourceLink, nullptr);
  old->Free();
}

TvgObject* TvgControl::ReleaseStyle() {
  if (!FResourceLink) return nullptr;
  FreeStyle();
  FNeedResource = true;
  return std::exchange(FResourceLink, nullptr);
}

void TvgControl::ApplyResource() {
  if (!FNeedResource) return;
  FNeedResource = false;
  TvgObject* clone = GetResourceObject();
  if (!clone) return;
  IvgScene* scene = GetScene();
  const bool suppress = IsLoading() && scene;
  const bool savedDisable = scene && scene->GetDisableUpdate();
  if (suppress) scene->SetDisableUpdate(true);
  DropStyle();
  if (clone->IsVisual()) {
    TvgVisualObject* visual = clone->Visual();
    visual->SetAlign(vaContents);
    visual->UpdateDesignHide(false);
  }
  FResourceLink = clone;
  AddObject(clone);
  clone->SetIndex(0);
  clone->SetStored(false);
  if (clone->IsVisual()) clone->Visual()->Lock();
  ApplyStyle();
  if (suppress) scene->SetDisableUpdate(savedDisable);
  UpdateEffects();
  OnApplyResource(this);
}

void TvgControl::UpdateResource() {
  if (IsLoading() || IsDestroying()) return;
  inherited::UpdateResource();
  FNeedResource = true;
  ApplyResource();
}

void TvgControl::ApplyStyle() {
  if (FIsFocused && FCanFocused && FocusEffectsShown()) {
    RecalcUpdateRect();
    Repaint();
    RaiseTrigger("IsFocused");
  }
}

void TvgControl::FreeStyle() {}

TvgObject* TvgControl::FindResource(const std::string& name) {
  if (FResourceLink)
    if (TvgObject* found = FResourceLink->FindResource(name)) return found;
  return inherited::FindResource(name);
}

void TvgControl::BeforePaint() {
  inherited::BeforePaint();
  ApplyResource();
}

void TvgControl::EnterFocus() {
  ApplyResource();
  inherited::EnterFocus();
}

void TvgControl::Loaded() {
  inherited::Loaded();
  IvgScene* scene = GetScene();
  if (scene && scene->GetActiveControl() == this) SetFocus();
}

void TvgControl::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != rtl::opRemove) return;
  if (component == FBindingSource) FBindingSource = nullptr;
  std::erase(FBindingObjects, component);
}

void TvgControl::AddBindingObject(TvgControl* control) {
  if (!control || std::find(FBindingObjects.begin(), FBindingObjects.end(), control) != FBindingObjects.end()) return;
  FBindingObjects.push_back(control);
  control->FBindingSource = this;
  FreeNotification(control);
  ToBindingObjects();
}

void TvgControl::RemoveBindingObject(TvgControl* control) {
  if (std::find(FBindingObjects.begin(), FBindingObjects.end(), control) == FBindingObjects.end()) return;
  std::erase(FBindingObjects, control);
  control->FBindingSource = nullptr;
  RemoveFreeNotification(control);
}

void TvgControl::SetBindingSource(TvgControl* control) {
  if (FBindingSource) FBindingSource->RemoveBindingObject(this);
  if (control) control->AddBindingObject(this);
}

void TvgControl::ToBindingObjects() {
  const rtl::Variant data = GetData();
  for (TvgControl* bound : std::vector<TvgControl*>(FBindingObjects)) bound->SetData(data);
}

void TvgControl::SetData(const rtl::Variant&) {}

// ----- TvgBackground

TvgBackground::TvgBackground(rtl::TComponent* owner)
    : TvgControl(owner), FFill(new TvgBrush(vgBrushNone, kBackgroundColor)) {
  FFill->OnChanged = [this](rtl::TObject* sender) { FillChanged(sender); };
}

TvgBackground::~TvgBackground() { TearDown(); }

void TvgBackground::Publish(rtl::TPublisher<TvgBackground>& p) {
  using T = TvgBackground;
  p.Property("Fill", &T::Fill, &T::SetFill);
}

void TvgBackground::FillChanged(rtl::TObject*) { Repaint(); }

void TvgBackground::Paint() {
  if (FFill->Style() == vgBrushNone) return;
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  canvas->Fill()->Assign(FFill.get());
  canvas->FillRect(GetLocalRect(), 0, 0, AllCorners, GetAbsoluteOpacity(), vgCornerRound);
}

bool TvgBackground::ShowsStyle() {
  if (FFill->Style() != vgBrushNone) return false;
  IvgScene* scene = GetScene();
  const bool transparentRoot = !Parent() && scene && scene->GetRoot() == this && scene->GetTransparency();
  return !transparentRoot;
}

void TvgBackground::PaintChildren() {
  TvgObject* link = ResourceLink();
  if (ShowsStyle() || !link || !link->IsVisual() || !link->Visual()->Visible()) {
    inherited::PaintChildren();
    return;
  }
  TvgVisualObject* style = link->Visual();
  style->SetVisibleSilently(false);
  inherited::PaintChildren();
  style->SetVisibleSilently(true);
}

// ----- TvgContent

TvgContent::~TvgContent() { TearDown(); }

rtl::TComponent* TvgContent::StreamingParentOfChild() {
  if (TvgObject* parent = Parent()) return parent;
  return this;
}

void TvgObject::AddControlsToList(std::vector<TvgControl*>& list) {
  if (auto* control = dynamic_cast<TvgControl*>(this)) list.push_back(control);
  for (TvgObject* child : Children()) child->AddControlsToList(list);
}

void TvgContent::Realign() {
  TvgObject* parent = Parent();
  if (parent && !parent->ComponentState().Contains(rtl::csLoading)) inherited::Realign();
  if (FParentAligning || IsLoading()) return;
  FParentAligning = true;
  if (parent && parent->IsVisual() && !parent->ComponentState().Contains(rtl::csLoading)) parent->Visual()->Realign();
  FParentAligning = false;
}

}  // namespace vg
