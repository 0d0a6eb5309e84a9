// Design mode of the scene: selection, moving and sizing by grips,
// snapping, inserting, the design menu and the design marks.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Rounding.h"
#include "ui/core/vg_designer.h"
#include "ui/core/vg_designmenu.h"
#include "ui/core/vg_scene.h"

namespace vg {

namespace {

constexpr float kLineSnap = 2;
constexpr float kGripSnap = 4;
constexpr float kGripSize = 4;
constexpr float kWholeScene = 10000;
constexpr TvgColor kSelectionColor = 0xFF3D8EE6;
constexpr TvgColor kGuideColor = 0xFFE63DB4;
constexpr TvgColor kGridColor = 0x30808080;

TvgDesignServices& Services() {
  static TvgDesignServices services;
  return services;
}

// The design clipboard: one text for the whole toolkit, not the system's.
std::string& DesignClipboard() {
  static std::string text;
  return text;
}

float Half(float size) { return static_cast<float>(rtl::Round(size / 2)); }
bool Near(float a, float b, float range) { return std::fabs(a - b) < range; }

struct TBox {
  float x, y, w, h;
};
TBox BoxOf(TvgVisualObject* node) {
  return {node->Position()->X(), node->Position()->Y(), node->Width(), node->Height()};
}

// The first line test that holds moves n onto s; false when none holds.
bool SnapBoxToLines(const TBox& s, TBox& n) {
  if (Near(s.y + Half(s.h), n.y + Half(n.h), kLineSnap)) n.y = s.y + Half(s.h) - Half(n.h);
  else if (Near(s.x + Half(s.w), n.x + Half(n.w), kLineSnap)) n.x = s.x + Half(s.w) - Half(n.w);
  else if (Near(s.x, n.x, kLineSnap)) n.x = s.x;
  else if (Near(s.y, n.y, kLineSnap)) n.y = s.y;
  else if (Near(s.x, n.x + n.w, kLineSnap)) n.x = s.x - n.w;
  else if (Near(s.y, n.y + n.h, kLineSnap)) n.y = s.y - n.h;
  else if (Near(s.x + s.w, n.x, kLineSnap)) n.x = s.x + s.w;
  else if (Near(s.y + s.h, n.y, kLineSnap)) n.y = s.y + s.h;
  else if (Near(s.x + s.w, n.x + n.w, kLineSnap)) n.x = s.x + s.w - n.w;
  else if (Near(s.y + s.h, n.y + n.h, kLineSnap)) n.y = s.y + s.h - n.h;
  else return false;
  return true;
}

// Thin (2 wide) rectangles, scene coordinates, joining the matching
// centres and edges of a guide g and the node n.
std::vector<TvgRect> GuideRects(const TvgRect& g, const TvgRect& n) {
  std::vector<TvgRect> rects;
  const float top = std::min(g.Top, n.Top), bottom = std::max(g.Bottom, n.Bottom);
  const float left = std::min(g.Left, n.Left), right = std::max(g.Right, n.Right);
  const float gxs[] = {g.Left, (g.Left + g.Right) / 2, g.Right};
  const float nxs[] = {n.Left, (n.Left + n.Right) / 2, n.Right};
  const float gys[] = {g.Top, (g.Top + g.Bottom) / 2, g.Bottom};
  const float nys[] = {n.Top, (n.Top + n.Bottom) / 2, n.Bottom};
  for (float gx : gxs)
    for (float nx : nxs)
      if (Near(gx, nx, 1)) rects.push_back(vgNormalizeRect2({gx - 1, top, gx + 1, bottom}));
  for (float gy : gys)
    for (float ny : nys)
      if (Near(gy, ny, 1)) rects.push_back(vgNormalizeRect2({left, gy - 1, right, gy + 1}));
  return rects;
}

std::string WithoutVgPrefix(const std::string& className) {
  return className.rfind("Tvg", 0) == 0 ? className.substr(3) : className;
}

void SetTextOfNew(TvgObject* object, const std::string& className) {
  const rtl::TPropertyInfo* text = rtl::PublishedOf(object->ClassType()).FindProperty("Text");
  if (text && (text->Kind() == rtl::pkString || text->Kind() == rtl::pkWideString) && !text->IsReadOnly())
    text->SetString(object, className.size() > 3 ? className.substr(3) : std::string());
}

}  // namespace

TvgDesignServices vgSetDesignServices(TvgDesignServices services) { return std::exchange(Services(), services); }
const TvgDesignServices& vgDesignServices() { return Services(); }

const TvgDesignMenuItem* vgFindDesignMenuItem(const TvgDesignMenu& menu, const std::string& caption) {
  for (const TvgDesignMenuItem& item : menu)
    if (item.caption == caption) return &item;
  return nullptr;
}

// ----- state

void TvgCustomScene::SetSnapGridShow(bool value) {
  // A stored grid display means nothing outside the designer.
  FSnapGridShow = value && !(ComponentState().Contains(rtl::csLoading) && !GetDesignTime());
}

void TvgCustomScene::SetSnapGridSize(float value) { FSnapGridSize = std::max(value, 0.01f); }

void TvgCustomScene::DoDesignSelect(TvgObject* object) {
  if (!GetDesignTime() || !object || !object->IsVisual() || object->GetScene() != this) return;
  FSelected = object->Visual();
  FSelected->DesignSelect();
  AddUpdateRect({0, 0, kWholeScene, kWholeScene});
  Draw();
}

void TvgCustomScene::SelectInDesign(TvgVisualObject* node) {
  FSelected = node;
  if (!node) return;
  node->DesignSelect();
  if (vgDesigner) vgDesigner->SelectObject(Owner(), node, {});
  if (OnDesignChangeSelection) OnDesignChangeSelection(this);
  AddUpdateRect({0, 0, kWholeScene, kWholeScene});
}

void TvgCustomScene::NameForDesigner(rtl::TComponent* component) {
  if (vgDesigner) component->SetName(vgDesigner->UniqueName(Owner(), component->ClassName()));
}

// ----- snapping

float TvgCustomScene::SnapToGridValue(float x) const {
  if (!FSnapToGrid || FSnapGridSize == 0) return x;
  return static_cast<float>(rtl::Trunc(x / FSnapGridSize)) * FSnapGridSize;
}

void TvgCustomScene::SnapToGridLines(bool apply) {
  if (!FSnapToLines || !FSelected || !FSelected->Parent()) return;
  for (TvgObject* child : FSelected->Parent()->Children()) {
    if (!child->IsVisual() || child == FSelected) continue;
    TvgVisualObject* sibling = child->Visual();
    const TBox before = BoxOf(FSelected);
    TBox after = before;
    if (!SnapBoxToLines(BoxOf(sibling), after)) continue;
    if (apply) {
      FSelected->Position()->SetPoint({after.x, after.y});
      FMousePos.X += after.x - before.x;
      FMousePos.Y += after.y - before.y;
    }
    if (std::find(FDesignGridLines.begin(), FDesignGridLines.end(), sibling) == FDesignGridLines.end())
      FDesignGridLines.push_back(sibling);
  }
  AddUpdateRectsFromGridLines();
}

TvgPoint TvgCustomScene::SnapPointToGridLines(TvgPoint p) {
  if (!FSnapToLines || !FSelected || !FSelected->Parent()) return p;
  SnapToGridLines(false);
  if (FDesignGridLines.empty()) return p;
  TvgVisualObject* parent = FSelected->Parent()->IsVisual() ? FSelected->Parent()->Visual() : nullptr;
  const TvgPoint absolute = FSelected->LocalToAbsolute(p);
  TvgPoint q = parent ? parent->AbsoluteToLocal(absolute) : absolute;
  for (TvgVisualObject* guide : FDesignGridLines) {
    const TBox g = BoxOf(guide);
    for (float x : {g.x, g.x + g.w})
      if (Near(q.X, x, kGripSnap)) q.X = x;
    for (float y : {g.y, g.y + g.h})
      if (Near(q.Y, y, kGripSnap)) q.Y = y;
  }
  return FSelected->AbsoluteToLocal(parent ? parent->LocalToAbsolute(q) : q);
}

void TvgCustomScene::AddUpdateRectsFromGridLines() {
  const bool dragging = FMoving || Gripping();
  if (!GetDesignTime() || !FSelected || !dragging || FDesignGridLines.empty()) return;
  if (!FSelected->Parent() || !FSelected->Parent()->IsVisual()) return;
  for (TvgVisualObject* guide : FDesignGridLines)
    for (const TvgRect& r : GuideRects(guide->GetAbsoluteRect(), FSelected->GetAbsoluteRect()))
      if (std::find(FUpdateRects.begin(), FUpdateRects.end(), r) == FUpdateRects.end()) AddUpdateRect(r);
}

// ----- mouse

bool TvgCustomScene::DesignMouseDown(TvgMouseButton button, float x, float y) {
  if (FChildren.empty()) {
    auto* root = new TvgBackground(Owner());
    root->SetName("Root");
    AddObject(root);
  }
  if (button == vgMouseRight) {
    FPopupPos = FWindow->ClientToScreen({x, y});
    OpenDesignPopup();
    return true;
  }
  if (FSelected) {
    const TvgPoint p = FSelected->AbsoluteToLocal({x, y});
    const float w = FSelected->Width(), h = FSelected->Height();
    const auto on = [p](float gripX, float gripY) { return Near(p.X, gripX, kGripSize) && Near(p.Y, gripY, kGripSize); };
    FLeftTop = on(0, 0);
    FRightTop = on(w, 0);
    FLeftBottom = on(0, h);
    FRightBottom = on(w, h);
    // On a node too small to tell them apart, the corners win.
    const bool corner = FLeftTop || FRightTop || FLeftBottom || FRightBottom;
    FTop = !corner && on(w / 2, 0);
    FBottom = !corner && on(w / 2, h);
    FLeft = !corner && on(0, h / 2);
    FRight = !corner && on(w, h / 2);
    if (Gripping()) return true;
  }
  TvgVisualObject* node = ObjectByPoint(x, y);
  if (node && node != FSelected) SelectInDesign(node);
  FMoving = node && node != GetRoot();
  return true;
}

bool TvgCustomScene::DesignMouseMove(float x, float y) {
  const TvgPoint p{SnapToGridValue(x), SnapToGridValue(y)};
  if (!FSelected || !(FMoving || Gripping())) {
    FMousePos = p;
    return true;
  }
  TvgVisualObject* parent = FSelected->Parent() && FSelected->Parent()->IsVisual() ? FSelected->Parent()->Visual() : nullptr;
  FDesignGridLines.clear();
  if (FMoving) {
    TvgVector delta{p.X - FMousePos.X, p.Y - FMousePos.Y, 0};
    if (parent) delta = parent->AbsoluteToLocalVector(delta);
    const TvgPoint at = FSelected->Position()->GetPoint();
    FSelected->Position()->SetPoint({at.X + delta.X, at.Y + delta.Y});
    FMousePos = p;
    SnapToGridLines(true);
  } else {
    const TvgPoint local = SnapPointToGridLines(FSelected->AbsoluteToLocal(p));
    float left = 0, top = 0, right = FSelected->Width(), bottom = FSelected->Height();
    if (FLeftTop || FLeftBottom || FLeft) left = local.X;
    if (FRightTop || FRightBottom || FRight) right = local.X;
    if (FLeftTop || FRightTop || FTop) top = local.Y;
    if (FLeftBottom || FRightBottom || FBottom) bottom = local.Y;
    const TvgPoint origin = FSelected->LocalToAbsolute({left, top});
    const TvgPoint at = parent ? parent->AbsoluteToLocal(origin) : origin;
    FSelected->SetBounds(at.X, at.Y, std::max(right - left, 0.f), std::max(bottom - top, 0.f));
    FMousePos = p;
    AddUpdateRectsFromGridLines();
  }
  AddUpdateRect({0, 0, float(FWidth), float(FHeight)});
  if (vgDesigner) vgDesigner->Modified(Owner());
  return true;
}

bool TvgCustomScene::Gripping() const {
  return FLeftTop || FRightTop || FLeftBottom || FRightBottom || FTop || FBottom || FLeft || FRight;
}

bool TvgCustomScene::DesignMouseUp() {
  FMoving = FLeftTop = FRightTop = FLeftBottom = FRightBottom = false;
  FTop = FBottom = FLeft = FRight = false;
  FDesignGridLines.clear();
  AddUpdateRect({0, 0, float(FWidth), float(FHeight)});
  return true;
}

// ----- marks

void TvgCustomScene::DrawDesignMarks() {
  TvgCanvas& canvas = *FCanvas;
  canvas.ResetClipRect();
  canvas.SetMatrix(IdentityMatrix);
  canvas.Stroke()->SetStyle(vgBrushSolid);
  canvas.Fill()->SetStyle(vgBrushSolid);
  if (FSnapGridShow && FSnapToGrid && FSnapGridSize >= 4) {
    canvas.Stroke()->SetSolidColor(kGridColor);
    for (float x = 0; x < FWidth; x += FSnapGridSize) canvas.DrawLine({x + 0.5f, 0}, {x + 0.5f, float(FHeight)}, 1);
    for (float y = 0; y < FHeight; y += FSnapGridSize) canvas.DrawLine({0, y + 0.5f}, {float(FWidth), y + 0.5f}, 1);
  }
  if (!FSelected) return;
  canvas.Fill()->SetSolidColor(kGuideColor);
  for (TvgVisualObject* guide : FDesignGridLines)
    for (const TvgRect& r : GuideRects(guide->GetAbsoluteRect(), FSelected->GetAbsoluteRect()))
      canvas.FillRect(r, 0, 0, AllCorners, 0.8f);
  const TvgRect r = FSelected->GetAbsoluteRect();
  canvas.Stroke()->SetSolidColor(kSelectionColor);
  canvas.SetStrokeDash(vgDashDash);
  TvgRect frame = r;
  vgInflateRect(frame, 0.5f, 0.5f);
  canvas.DrawRect(frame, 0, 0, AllCorners, 1);
  canvas.SetStrokeDash(vgDashSolid);
  canvas.Fill()->SetSolidColor(kSelectionColor);
  const float midX = (r.Left + r.Right) / 2, midY = (r.Top + r.Bottom) / 2;
  for (TvgPoint grip : {TvgPoint{r.Left, r.Top}, {r.Right, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom},
                        {midX, r.Top}, {midX, r.Bottom}, {r.Left, midY}, {r.Right, midY}})
    canvas.FillRect({grip.X - 3, grip.Y - 3, grip.X + 3, grip.Y + 3}, 0, 0, AllCorners, 1);
}

// ----- inserting and deleting

void TvgCustomScene::InsertObject(const std::string& className) {
  rtl::TClass cls = rtl::GetClass(className);
  if (!cls || !cls->InheritsFrom(TvgObject::StaticClass()) || !cls->createComponent) return;
  if (!FSelected && GetRoot() && GetRoot()->IsVisual()) FSelected = GetRoot()->Visual();
  if (!FSelected && !FChildren.empty()) return;
  auto* object = static_cast<TvgObject*>(cls->createComponent(Owner()));
  NameForDesigner(object);
  TvgVisualObject* former = FSelected;
  if (former) former->AddObject(object);
  else AddObject(object);
  if (vgDesigner) {
    vgDesigner->AddObject(object);
    vgDesigner->SelectObject(Owner(), object, {});
    if (OnDesignChangeSelection) OnDesignChangeSelection(this);
    vgDesigner->Modified(Owner());
  }
  if (!object->IsVisual()) return;
  TvgVisualObject* visual = object->Visual();
  if (former) SetTextOfNew(object, className);
  if (FPopupPos.X > 0 && (!former || className.find("Item") == std::string::npos)) {
    const TvgPoint origin = FWindow->ClientToScreen({0, 0});
    const TvgPoint client{FPopupPos.X - origin.X, FPopupPos.Y - origin.Y};
    if (!former) visual->Position()->SetPoint(client);
    else if (client.X >= 0 && client.Y >= 0 && client.X <= FWidth && client.Y <= FHeight)
      visual->Position()->SetPoint(former->AbsoluteToLocal(client));
  }
  FPopupPos = {-1, -1};
  FSelected = visual;
  AddUpdateRect({0, 0, kWholeScene, kWholeScene});  // the former selection's marks go
  visual->DesignSelect();
  if (!former) return;
  visual->DesignInsert();
  former->Realign();
}

void TvgCustomScene::DeleteSelected() {
  TvgVisualObject* node = FSelected;
  if (!node || node == GetRoot()) return;
  TvgObject* parent = node->Parent();
  TvgVisualObject* next = parent && parent->IsVisual() ? parent->Visual() : nullptr;
  if (!next && GetRoot() && GetRoot()->IsVisual()) next = GetRoot()->Visual();
  FSelected = next;
  if (next) next->DesignSelect();
  node->Free();
  AddUpdateRect({0, 0, kWholeScene, kWholeScene});
}

// ----- the design menu

namespace {

TvgDesignMenuItem Entry(std::string caption, std::function<void()> onClick, bool checked = false,
                        bool radio = false) {
  TvgDesignMenuItem item;
  item.caption = std::move(caption);
  item.onClick = std::move(onClick);
  item.checked = checked;
  item.radio = radio;
  return item;
}

TvgDesignMenuItem Submenu(std::string caption, std::vector<TvgDesignMenuItem> items) {
  TvgDesignMenuItem item;
  item.caption = std::move(caption);
  item.items = std::move(items);
  return item;
}

// One submenu per palette page, each class under the page of its first
// registration, sorted by name without "Tvg".
std::vector<TvgDesignMenuItem> AddObjectPages(TvgCustomScene& scene) {
  std::vector<std::string> pages;
  std::map<std::string, std::set<std::string>> byPage;
  std::set<rtl::TClass> seen;
  for (const auto& [page, cls] : ObjectList()) {
    if (std::find(pages.begin(), pages.end(), page) == pages.end()) pages.push_back(page);
    if (seen.insert(cls).second) byPage[page].insert(WithoutVgPrefix(cls->name));
  }
  std::vector<TvgDesignMenuItem> submenus;
  for (const std::string& page : pages) {
    std::vector<TvgDesignMenuItem> entries;
    for (const std::string& name : byPage[page])
      entries.push_back(Entry(name, [&scene, name] { scene.InsertObject("Tvg" + name); }));
    submenus.push_back(Submenu(page, std::move(entries)));
  }
  return submenus;
}

}  // namespace

void TvgCustomScene::OpenDesignPopup() {
  if (!FDesignPopupEnabled) return;
  if (FPopupPos.X < 0) FPopupPos = FWindow->ClientToScreen(FMousePos);
  if (Services().showMenu) Services().showMenu(DesignMenu(), FPopupPos);
}

TvgDesignMenu TvgCustomScene::DesignMenu() {
  TvgDesignMenu menu;
  if (FSelected) {
    std::string classes = FSelected->ItemClass();
    for (std::size_t start = 0; start < classes.size();) {
      const std::size_t end = std::min(classes.find(';', start), classes.size());
      const std::string cls = classes.substr(start, end - start);
      start = end + 1;
      if (cls.empty()) continue;
      TvgDesignMenuItem item = Entry("Add " + WithoutVgPrefix(cls), [this, cls] { InsertObject(cls); });
      item.hint = cls;
      menu.push_back(std::move(item));
    }
  }
  menu.push_back(Submenu("Add object", AddObjectPages(*this)));
  menu.push_back(Entry("Delete object", [this] { DeleteSelected(); }));
  menu.push_back(Entry("Load From File...", [this] { LoadNodeFromFile(); }));
  if (FSelected) {
    menu.push_back(Entry("Hide in Design-time", [this] { ToggleDesignHide(); }, FSelected->DesignHide()));
    if (auto* control = dynamic_cast<TvgControl*>(FSelected); control && control->ResourceLink()) {
      menu.push_back(Entry("Edit Default Style...", [this] { EditDefaultStyle(); }));
      menu.push_back(Entry("Edit Custom Style...", [this] { EditCustomStyle(); }));
    }
    if (FSelected->CanFocused() && FSelected->Parent() && FSelected->Parent()->IsVisual())
      menu.push_back(Entry("Tab Order...", [this] {
        if (FSelected && Services().editTabOrder) Services().editTabOrder(FSelected);
      }));
  }
  menu.push_back(Submenu("Order", {Entry("Bring to front", [this] { if (FSelected) FSelected->BringToFront(); }),
                                   Entry("Send to back", [this] { if (FSelected) FSelected->SendToBack(); })}));
  menu.push_back(Submenu("Edit", {Entry("Copy to clipboard", [this] { CopyToDesignClipboard(); }),
                                  Entry("Paste from clipboard", [this] { PasteFromDesignClipboard(); })}));
  auto grid = [this](bool toGrid, bool toLines) {
    return [this, toGrid, toLines] {
      FSnapToGrid = toGrid;
      FSnapToLines = toLines;
      RepaintAll();
    };
  };
  menu.push_back(Submenu(
      "Grid", {Entry("Show snap grid", [this] { FSnapGridShow = !FSnapGridShow; RepaintAll(); }, FSnapGridShow),
               Entry("Snap to grid", grid(true, false), FSnapToGrid, true),
               Entry("Snap to lines", grid(false, true), FSnapToLines, true),
               Entry("Snap disabled", grid(false, false), !FSnapToGrid && !FSnapToLines, true)}));
  return menu;
}

void TvgCustomScene::RepaintAll() {
  FUpdateRects.clear();
  AddUpdateRect({0, 0, kWholeScene, kWholeScene});
}

void TvgCustomScene::ToggleDesignHide() {
  if (!FSelected || FSelected == GetRoot()) return;
  FSelected->SetDesignHide(!FSelected->DesignHide());
  if (FSelected->DesignHide()) {
    TvgObject* parent = FSelected->Parent();
    FSelected = parent && parent->IsVisual() ? parent->Visual() : nullptr;
  }
  RepaintAll();
}

namespace {

// The style a control takes from a book: its Resource, else its class's.
std::string OwnStyleName(const TvgControl& control) {
  if (!control.Resource().empty()) return control.Resource();
  const std::string className = control.ClassName();
  return (className.size() > 3 ? className.substr(3) : std::string()) + "Style";
}

void Unlock(TvgObject* node) {
  if (node->IsVisual()) node->Visual()->SetLocked(false);
  for (TvgObject* child : node->Children()) Unlock(child);
}

// The controls anywhere below node, outer ones first.
std::vector<TvgControl*> ControlsIn(TvgObject* node) {
  std::vector<TvgObject*> subtree;
  node->AddObjectsToList(subtree);
  std::vector<TvgControl*> controls;
  for (std::size_t i = 1; i < subtree.size(); ++i)  // [0] is node itself
    if (auto* control = dynamic_cast<TvgControl*>(subtree[i])) controls.push_back(control);
  return controls;
}

// Turns the control's applied clone into an entry `name` of the book: a
// stored, unlocked, unaligned child of the book's root, owned by it as the
// book's own entries are. Returns the entry, or nullptr without a clone.
TvgObject* MoveStyleIntoBook(TvgControl& control, TvgObject& bookRoot, const std::string& name) {
  TvgObject* style = control.ReleaseStyle();
  if (!style) return nullptr;
  if (style->IsVisual()) style->Visual()->SetAlign(vaNone);
  Unlock(style);
  style->SetStored(true);
  if (style->Owner()) style->Owner()->RemoveComponent(style);
  bookRoot.InsertComponent(style);
  style->SetParent(&bookRoot);
  style->SetResourceName(name);
  return style;
}

}  // namespace

TvgResources* TvgCustomScene::StyleBookToEdit() {
  if (!FStyle) {
    auto* book = new TvgResources(Owner() ? Owner() : this);
    if (vgDesigner) book->SetName(vgDesigner->UniqueName(Owner(), book->ClassName()));
    SetStyle(book);
  }
  FStyle->EnsureRoot();
  return FStyle;
}

void TvgCustomScene::EditDefaultStyle() {
  auto* control = dynamic_cast<TvgControl*>(FSelected);
  if (!control) return;
  TvgObject* bookRoot = StyleBookToEdit()->Root();
  const std::string name = OwnStyleName(*control);
  if (!bookRoot->FindResource(name)) {
    if (TvgObject* style = MoveStyleIntoBook(*control, *bookRoot, name)) {
      for (TvgControl* c : ControlsIn(style))
        if (const std::string innerName = OwnStyleName(*c); !bookRoot->FindResource(innerName))
          MoveStyleIntoBook(*c, *bookRoot, innerName);
      FStyle->UpdateScenes();
    }
  }
  if (vgDesigner) vgDesigner->EditStyle(FStyle, name);
}

void TvgCustomScene::EditCustomStyle() {
  auto* control = dynamic_cast<TvgControl*>(FSelected);
  if (!control) return;
  TvgObject* bookRoot = StyleBookToEdit()->Root();
  if (vgDesigner && control->Resource().empty())
    control->SetResource(vgDesigner->UniqueName(Owner(), control->Name() + "Style"));
  if (!bookRoot->FindResource(control->Resource())) {
    const std::string name =
        vgDesigner ? vgDesigner->UniqueName(Owner(), control->Name() + "Style") : control->Name();
    TvgObject* style = name.empty() ? nullptr : MoveStyleIntoBook(*control, *bookRoot, name);
    if (style) {
      for (TvgControl* c : ControlsIn(style)) {
        if (bookRoot->FindResource(c->Resource())) continue;
        const std::string base = c->Name() + c->Resource();
        const std::string innerName = vgDesigner ? vgDesigner->UniqueName(Owner(), base) : base;
        if (!innerName.empty() && MoveStyleIntoBook(*c, *bookRoot, innerName)) c->SetResource(innerName);
      }
      control->SetResource(name);
      FStyle->UpdateScenes();
    }
  }
  if (vgDesigner) vgDesigner->EditStyle(FStyle, control->Resource());
}

TvgObject* TvgCustomScene::DesignParent() {
  if (FSelected) return FSelected;
  return GetRoot();
}

void TvgCustomScene::LoadNodeFromFile() {
  if (!Services().openSceneFile) return;
  const std::string fileName = Services().openSceneFile();
  if (fileName.empty()) return;
  rtl::TFileStream stream(fileName, rtl::fmOpenRead);
  AdoptDesignNode(CreateObjectFromStream(Owner(), stream), false);
}

void TvgCustomScene::CopyToDesignClipboard() {
  if (!FSelected) return;
  rtl::TStringStream stream;
  FSelected->SaveToStream(stream);
  DesignClipboard() = stream.DataString();
}

void TvgCustomScene::PasteFromDesignClipboard() {
  if (DesignClipboard().empty()) return;
  rtl::TStringStream stream(DesignClipboard());
  AdoptDesignNode(CreateObjectFromStream(Owner(), stream), true);
}

namespace {

// New designer names for a pasted tree, except inside locked nodes.
void RenameTree(TvgObject* node, rtl::TComponent* owner) {
  node->SetName(vgDesigner->UniqueName(owner, node->ClassName()));
  if (node->IsVisual() && node->Visual()->Locked()) return;
  for (TvgObject* child : node->Children()) RenameTree(child, owner);
}

}  // namespace

void TvgCustomScene::AdoptDesignNode(TvgObject* node, bool wholeTree) {
  if (!node) return;
  TvgObject* parent = DesignParent();
  if (parent) parent->AddObject(node);
  else AddObject(node);
  if (!vgDesigner) return;
  if (wholeTree) RenameTree(node, Owner());
  else NameForDesigner(node);
  if (wholeTree) vgDesigner->SelectObject(Owner(), node, {});
}

}  // namespace vg
