#pragma once
// The scene host: TvgCustomScene holds the root nodes of a tree, one canvas
// with an off-screen buffer, and the dirty rectangles nodes queue. It draws
// them in one pass (clipped to the dirty rectangles: background, then the
// root nodes and their children) and shows the result through its window,
// or hands it to a flush handler in embedded mode (a scene drawn into
// another surface, with no window of its own).
//
// The window is the platform's (a GTK drawing area); the scene sees it as
// IvgSceneWindow. Two ways bring dirty rectangles to the screen:
// - an ordinary scene asks the window to invalidate them; the window later
//   calls PaintRects with its merged dirty list, and copies those
//   rectangles of the buffer (BufferBits: ARGB32 premultiplied, top-down,
//   width * 4 bytes a row) to the screen itself;
// - an embedded or layered (transparent, filling a form) scene keeps them
//   and draws once, from a 1 ms one-shot, however many were queued;
//   the result goes to the flush handler or to IvgSceneWindow::Flush.
// Input arrives in client coordinates (integer pixels) and is routed to the
// node under the mouse, the captured node or the focused node.
//
// vgStartCore / vgStopCore are the start-up and shut-down of the toolkit
// core (class registration; freeing of the process-wide state).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_control.h"
#include "ui/core/vg_designmenu.h"

namespace vg {

// What the scene needs of the window that shows it.
class IvgSceneWindow {
 public:
  virtual ~IvgSceneWindow() = default;
  // The window exists; until then queued rectangles are dropped (the first
  // paint covers them).
  virtual bool HandleAllocated() = 0;
  // Asks for a repaint of rect (client pixels, whole numbers): the window
  // calls PaintRects later.
  virtual void Invalidate(const TvgRect& rect) = 0;
  // Shows rects of the canvas buffer at once (layered scenes, which are
  // drawn outside the window's paint).
  virtual void Flush(TvgCanvas& canvas, const std::vector<TvgRect>& rects) = 0;
  // The scene fills a top-level form: a transparent scene then makes the
  // form per-pixel transparent.
  virtual bool ParentIsForm() = 0;
  // The scene's Transparency changed (and when the window is attached).
  virtual void SetTransparent(bool /*transparent*/) {}
  virtual void SetMouseCapture(bool capture) = 0;
  virtual TvgPoint ClientToScreen(TvgPoint p) = 0;
  // A class-library cursor (crDefault 0, crSizeNWSE -8, ...).
  virtual void SetCursor(std::int16_t /*cursor*/) {}
  // The window takes the keyboard focus.
  virtual void TakeFocus() {}
  // The Tag of the control the scene sits on (65535 keeps its window from
  // being dragged by the scene's empty area).
  virtual std::intptr_t ParentTag() { return 0; }
  // The window that owns the scene (its form), screen pixels; moved and
  // sized by window drags and size grips.
  virtual TvgRect OwnerBounds() { return {}; }
  virtual void SetOwnerBounds(const TvgRect& /*bounds*/) {}
  // The nearest owner form shown modally gets the modal result 2 (cancel);
  // false when there is none.
  virtual bool CancelModalOwner() { return false; }
  // Starts a drag of `source` inside the program; the window reports it
  // back through the scene's DragOver, DragDrop and EndDrag.
  virtual void BeginDrag(rtl::TObject* /*source*/) {}
};

// A node that resizes the scene's window when pressed instead of getting
// the press (the size grip control).
class IvgSizeGrip {
 public:
  virtual ~IvgSizeGrip() = default;
};

constexpr std::int16_t vgCursorSizeNWSE = -8;

// No window: nothing is ever shown; embedded scenes and tests use it.
class TvgNullSceneWindow final : public IvgSceneWindow {
 public:
  bool HandleAllocated() override { return false; }
  void Invalidate(const TvgRect&) override {}
  void Flush(TvgCanvas&, const std::vector<TvgRect>&) override {}
  bool ParentIsForm() override { return false; }
  void SetMouseCapture(bool) override {}
  TvgPoint ClientToScreen(TvgPoint p) override { return p; }
};

// Rectangles beyond this many are drawn as their union.
constexpr int vgMaxDirtyRects = 20;

class TvgCustomScene : public rtl::TComponent, public IvgScene {
  RTL_CLASS(TvgCustomScene, rtl::TComponent)

  explicit TvgCustomScene(rtl::TComponent* owner);
  ~TvgCustomScene() override;

  // --- the window (the null window until one is attached; the scene does
  // not own it)
  void SetWindow(IvgSceneWindow* window);
  // The window was created: the buffer takes the client size, the root
  // realigns and the whole client area is queued.
  void HandleCreated();
  // New client size: the buffer is resized and the root realigns.
  void SetBounds(int left, int top, int width, int height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The window's paint: the dirty list becomes rects and is drawn. A
  // layered scene draws only from its posted draw: the window then copies
  // the buffer as it stands.
  void PaintRects(const std::vector<TvgRect>& rects);

  // --- embedded mode: sets the size, queues the whole area; every draw
  // pass then ends with onFlush instead of a window.
  void CreateEmbedded(int width, int height, rtl::TNotifyEvent onFlush);
  bool Embedded() const { return static_cast<bool>(FOnFlush); }
  void EmbeddedMouseDown(TvgMouseButton button, TvgShiftState shift, int x, int y);
  void EmbeddedMouseMove(TvgShiftState shift, int x, int y);
  void EmbeddedMouseUp(TvgMouseButton button, TvgShiftState shift, int x, int y);
  bool EmbeddedMouseWheel(TvgShiftState shift, int delta);
  void EmbeddedKeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);
  void EmbeddedKeyUp(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);
  // Replaces the dirty list by the whole area and draws at once.
  void UpdateBuffer();

  // --- input in client coordinates
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y);
  void MouseMove(TvgShiftState shift, float x, float y);
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y);
  bool DoMouseWheel(TvgShiftState shift, int delta);
  // The mouse left the window: the hovered node is left.
  void MouseLeaveWindow();
  // The window lost its mouse grab (another program or window took it):
  // the captured node and any window drag are forgotten.
  void MouseCaptureLost();
  void UnicodeKeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);
  void UnicodeKeyUp(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);
  // A typed character: Ctrl+A, C, V, X and Z (1, 3, 22, 24, 26) arrive as
  // key 0 with a, c, v, x or z, down and up; Enter (13) is not a
  // character; any other goes down with key 0.
  void KeyChar(char16_t keyChar, TvgShiftState shift);
  // Tab traversal over the root's tab order list.
  void TabNext(bool backwards);
  // Where an input-method composition opens: the focused node's caret
  // point (ImeCaretPoint) in client pixels, as tall as its caret (1 px
  // without one), so the candidates open beside the line, not over it;
  // false with no focused node.
  bool ImeCaret(TvgRect& area);
  // The composition ended: each character goes down with key 0.
  void ImeResult(const rtl::WideString& text);
  // The hint of the node under a client point when it shows hints: its
  // text and absolute rectangle in whole pixels.
  bool HintAt(float x, float y, rtl::WideString& text, TvgRect& area);
  // The scene's hint: the hint of the node under the mouse.
  const rtl::WideString& Hint() const { return FHint; }
  bool Dragging() const { return FDragging; }
  bool Resizing() const { return FResizing; }

  // --- drag and drop into nodes (client coordinates). `internal`: a drag
  // inside the program (the target is asked again on every move and the
  // dragged node never drops on itself); else data from another program
  // (any target that takes it). Returns accept.
  bool DragOver(const TvgDragObject& data, TvgPoint point, bool internal);
  void DragDrop(const TvgDragObject& data, TvgPoint point);
  // The drag left the window.
  void DragLeave();
  // A drag started by BeginVCLDrag is over: the node gets DragEnd.
  void EndDrag();
  // The current drop target, shared by all scenes of the process.
  static TvgVisualObject* DropTarget();
  void BeginVCLDrag(TvgObject* source, TvgBitmap* image) override;

  // --- root nodes
  void AddObject(TvgObject* node) override;
  void RemoveObject(TvgObject* node) override;
  void DeleteChildren();
  TvgObject* GetRoot() override;
  int GetCount() const { return static_cast<int>(FChildren.size()); }
  TvgObject* GetChildrenObject(int index) const;
  // Sizes the root to the client area (a quarter-turned root so that it
  // fills the area after its turn).
  void RealignRoot();
  // The topmost hit node at a client point, roots last first.
  TvgVisualObject* ObjectByPoint(float x, float y);

  // --- dirty rectangles and drawing
  void AddUpdateRect(const TvgRect& rect) override;
  const std::vector<TvgRect>& UpdateRects() const { return FUpdateRects; }
  int GetUpdateRectsCount() override { return static_cast<int>(FUpdateRects.size()); }
  TvgRect GetUpdateRect(int index) override { return FUpdateRects.at(static_cast<std::size_t>(index)); }
  virtual void Draw();
  int DrawCount() const { return FDrawCount; }

  // --- state
  TvgBrush* Fill() const { return FFill.get(); }
  void SetFill(const TvgBrush* value) { FFill->Assign(value); }
  bool Transparency() const { return FTransparency; }
  void SetTransparency(bool value);
  TvgResources* Style() const { return FStyle; }
  void SetStyle(TvgResources* value);
  TvgVisualObject* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TvgVisualObject* value);
  bool AnimatedCaret() const { return FAnimatedCaret; }
  void SetAnimatedCaret(bool value) { FAnimatedCaret = value; }
  bool ShowUpdateRects() const { return FShowUpdateRects; }
  void SetShowUpdateRects(bool value) { FShowUpdateRects = value; }
  TvgVisualObject* Hovered() const { return FHovered; }
  TvgCanvas* Canvas() const { return FCanvas.get(); }

  // --- design mode (vg_scenedesign.cpp): the scene's component is being
  // designed. Nodes are selected, moved and sized with grips, snapped to
  // the grid or to their siblings' lines, inserted, deleted and reordered.
  TvgVisualObject* Selected() const { return FSelected; }
  // The object, when it is a visual node of this scene, becomes the
  // selection, gets DesignSelect, and the scene repaints at once.
  void DoDesignSelect(TvgObject* object);
  // Trunc(x / size) * size with grid snapping on and a non-zero size.
  float SnapToGridValue(float x) const;
  // Guides the selected node by its siblings' centres and edges (within
  // 2); moves it onto them when apply.
  void SnapToGridLines(bool apply);
  // A grip point in the selected node's coordinates onto the guides'
  // lines (within 4).
  TvgPoint SnapPointToGridLines(TvgPoint p);
  void AddUpdateRectsFromGridLines();
  const std::vector<TvgVisualObject*>& DesignGridLines() const { return FDesignGridLines; }
  // Creates a registered node class under the selection (or as the root
  // of an empty scene).
  void InsertObject(const std::string& className);
  // Builds the design menu and shows it at the mouse.
  void OpenDesignPopup();
  // The design menu for the current selection, built anew each time.
  TvgDesignMenu DesignMenu();
  // Where the design menu was opened (screen), (-1, -1) once used.
  TvgPoint PopupPos() const { return FPopupPos; }
  void SetPopupPos(TvgPoint p) { FPopupPos = p; }
  bool SnapToGrid() const { return FSnapToGrid; }
  void SetSnapToGrid(bool value) { FSnapToGrid = value; }
  bool SnapToLines() const { return FSnapToLines; }
  void SetSnapToLines(bool value) { FSnapToLines = value; }
  bool SnapGridShow() const { return FSnapGridShow; }
  void SetSnapGridShow(bool value);
  float SnapGridSize() const { return FSnapGridSize; }
  void SetSnapGridSize(float value);
  bool DesignPopupEnabled() const { return FDesignPopupEnabled; }
  void SetDesignPopupEnabled(bool value) { FDesignPopupEnabled = value; }
  rtl::TNotifyEvent OnDesignChangeSelection;

  // --- IvgScene
  rtl::TComponent* GetComponent() override { return this; }
  void Notification(TvgObject* node, rtl::TOperation operation) override;
  bool GetDisableUpdate() override { return FDisableUpdate; }
  void SetDisableUpdate(bool value) override { FDisableUpdate = value; }
  bool GetDesignTime() override { return ComponentState().Contains(rtl::csDesigning); }
  TvgVisualObject* GetFocused() override { return FFocused; }
  void SetFocused(TvgVisualObject* node) override;
  void UpdateResource() override;
  TvgCanvas* GetCanvas() override { return FCanvas.get(); }
  TvgVisualObject* GetCaptured() override { return FCaptured; }
  void SetCaptured(TvgVisualObject* node) override;
  TvgPoint GetMousePos() override { return FMousePos; }
  TvgPoint LocalToScreen(TvgPoint p) override;
  bool GetAnimatedCaret() override { return FAnimatedCaret; }
  TvgResources* GetStyle() override { return FStyle; }
  bool GetTransparency() override { return FTransparency; }
  TvgVisualObject* GetActiveControl() override { return FActiveControl; }

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  void Loaded() override;
  void GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) override;

 private:
  static void Publish(rtl::TPublisher<TvgCustomScene>& p);
  // Live scenes; the last one frees the animation clock.
  static int& SceneCount();
  void FillChanged(rtl::TObject* sender);
  // A layered scene: transparent and filling a form.
  bool Layered();
  // Keeps a rectangle for the posted draw.
  void QueueRect(const TvgRect& rect);
  // Queues the drawing of the kept rectangles (one pass for many).
  void PostDraw();
  void DrawBackground();
  void PaintRoots();
  void Output();
  void SetHovered(TvgVisualObject* node);
  // The focused node when it can take keys (visible and enabled).
  TvgVisualObject* KeyTarget();
  void BeginDrag();
  void BeginResize();
  bool MoveOrSizeOwner(float x, float y);
  void SetDropTarget(TvgVisualObject* target);
  // Forgets every reference to a component that goes away.
  void Forget(rtl::TComponent* component);
  // Design mode's share of the mouse handlers; true when handled.
  bool DesignMouseDown(TvgMouseButton button, float x, float y);
  bool DesignMouseMove(float x, float y);
  bool DesignMouseUp();
  // A corner or side grip of the selection is being dragged.
  bool Gripping() const;
  void DrawDesignMarks();
  void SelectInDesign(TvgVisualObject* node);
  void DeleteSelected();
  void NameForDesigner(rtl::TComponent* component);
  void RepaintAll();
  void ToggleDesignHide();
  // Move the selected control's applied style (and the missing styles of
  // the controls inside it) into the style book, then hand the book to the
  // designer: under the control's style name, or under a name of its own
  // that becomes the control's Resource.
  void EditDefaultStyle();
  void EditCustomStyle();
  // The scene's style book with a tree, made for the scene when it has none.
  TvgResources* StyleBookToEdit();
  TvgObject* DesignParent();
  void LoadNodeFromFile();
  void CopyToDesignClipboard();
  void PasteFromDesignClipboard();
  // A read or pasted node joins the selection (or the root); the designer
  // names it (with its whole tree when pasted).
  void AdoptDesignNode(TvgObject* node, bool wholeTree);

  IvgSceneWindow* FWindow;
  TvgNullSceneWindow FNullWindow;
  std::unique_ptr<TvgCanvas> FCanvas;
  int FWidth = 100;
  int FHeight = 100;
  bool FDisableUpdate = false;
  std::vector<TvgObject*> FChildren;
  TvgVisualObject* FCaptured = nullptr;
  TvgVisualObject* FHovered = nullptr;
  TvgVisualObject* FFocused = nullptr;
  TvgPoint FMousePos{0, 0};
  TvgPoint FDownPos{0, 0};
  TvgPoint FResizeSize{0, 0};
  bool FDragging = false;
  bool FResizing = false;
  rtl::WideString FHint;
  std::int16_t FLoadCursor = 0;
  TvgObject* FDragSource = nullptr;
  TvgOwned<TvgBrush> FFill;
  bool FTransparency = false;
  bool FDrawing = false;
  bool FPainting = false;
  rtl::TNotifyEvent FOnFlush;
  TvgResources* FStyle = nullptr;
  TvgVisualObject* FActiveControl = nullptr;
  bool FAnimatedCaret = true;
  bool FShowUpdateRects = false;
  std::vector<TvgRect> FUpdateRects;
  std::unique_ptr<IvgOneShot> FPostedDraw;
  std::unique_ptr<IvgOneShot> FShowTimer;
  int FDrawCount = 0;
  // design mode
  TvgVisualObject* FSelected = nullptr;
  std::vector<TvgVisualObject*> FDesignGridLines;
  TvgPoint FPopupPos{-1, -1};
  bool FMoving = false;
  bool FLeftTop = false, FRightTop = false, FLeftBottom = false, FRightBottom = false;
  bool FTop = false, FBottom = false, FLeft = false, FRight = false;
  bool FSnapToGrid = false;
  bool FSnapToLines = true;
  bool FSnapGridShow = false;
  float FSnapGridSize = 1;
  bool FDesignPopupEnabled = true;
};

// The scene placed on forms: publishes the properties.
class TvgScene : public TvgCustomScene {
  RTL_CLASS(TvgScene, TvgCustomScene)
  using TvgCustomScene::TvgCustomScene;
};

// Registers the core's classes (once per process).
void vgStartCore();
// Frees the process-wide state: the animation clock, the built-in style
// book, the translation dictionary.
void vgStopCore();

}  // namespace vg
