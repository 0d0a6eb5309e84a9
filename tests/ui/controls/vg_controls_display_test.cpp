// The controls on a real window (run under xvfb-run): a demo form with each
// control in its resting and its hovered, pressed or checked look, saved
// as a screenshot artifact; the popup box's menu as a real popup menu.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>

#include "tests/support/gui_pump.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_controls.h"
#include "ui/render/vg_layouts.h"
#include "ui/window/vg_scenehost.h"

namespace vg {
namespace {

using namespace std::chrono_literals;
using test_support::PumpFor;
using test_support::PumpUntil;

class ControlsOnScreen : public test_support::ControlsFormTest<> {
 protected:
  void SetUp() override {
    SetUpControlsForm(u"esctool controls");
  }
  void TearDown() override {
    vgSetOpenDialog(nullptr);
    vgSetFormCloser(nullptr);
    ControlsFormTest::TearDown();
  }
  void Show(int width, int height) {
    root->SetBounds(0, 0, width, height);
    ShowForm(width, height);
  }
  template <class T>
  T* Place(TvgObject* parent, float x, float y, float w, float h, const char16_t* text = nullptr) {
    auto* control = new T(nullptr);
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    if constexpr (std::is_base_of_v<TvgTextControl, T>)
      if (text) control->SetText(text);
    return control;
  }
  // The centre of a control in client coordinates.
  TvgPoint Centre(TvgVisualObject* control) {
    return control->LocalToAbsolute({control->Width() / 2, control->Height() / 2});
  }
};

TEST_F(ControlsOnScreen, DemoFormInRestingAndActiveLooks) {
  auto* tools = Place<TvgToolBar>(root, 0, 0, 640, 40);
  Place<TvgLabel>(tools, 12, 12, 200, 16, u"Tool bar: resting | active");
  auto* status = Place<TvgStatusBar>(root, 0, 458, 640, 22);
  Place<TvgLabel>(status, 8, 4, 200, 15, u"Status bar")->SetTextAlign(vgTextAlignNear);

  // Left column: resting looks; right column: the same controls active.
  TvgPopupBox* pressedBox = nullptr;
  TvgCheckBox* hoverCheck = nullptr;
  for (int column = 0; column < 2; ++column) {
    const bool active = column == 1;
    const float x = 16 + column * 316;
    auto* group = Place<TvgGroupBox>(root, x, 52, 290, 170, active ? u"Active" : u"Resting");
    Place<TvgLabel>(group, 12, 24, 120, 15, u"Label");
    auto* value = Place<TvgValueLabel>(group, 150, 24, 120, 15, u"12.5 V");
    value->SetTextAlign(vgTextAlignNear);
    auto* check = Place<TvgCheckBox>(group, 12, 46, 130, 19, u"Check box");
    auto* path = Place<TvgPathCheckBox>(group, 150, 46, 130, 19, u"Path check");
    auto* radioA = Place<TvgRadioButton>(group, 12, 70, 130, 19, u"Radio A");
    auto* radioB = Place<TvgRadioButton>(group, 150, 70, 130, 19, u"Radio B");
    radioA->SetGroupName(active ? "active" : "resting");
    radioB->SetGroupName(radioA->GroupName());
    auto* box = Place<TvgPopupBox>(group, 12, 100, 130, 21);
    for (const char16_t* item : {u"Soft", u"Medium", u"Hard"}) box->Items()->Add(item);
    box->SetItemIndex(1);
    auto* hudPanel = Place<TvgHudPanel>(group, 150, 96, 128, 64);
    auto* hudCheck = Place<TvgHudCheckBox>(hudPanel, 8, 6, 110, 19, u"HUD check");
    Place<TvgHudRadioButton>(hudPanel, 8, 34, 110, 19, u"HUD radio")->SetIsChecked(true);
    auto* sized = Place<TvgLabel>(group, 12, 136, 120, 15, u"Auto-sized label");
    sized->SetAutoSize(true);
    radioA->SetIsChecked(true);
    if (active) {
      pressedBox = box;
      hoverCheck = check;
      check->SetIsChecked(true);
      path->SetIsChecked(true);
      hudCheck->SetIsChecked(true);
      radioB->SetIsChecked(true);
    }
  }
  auto* panel = Place<TvgPanel>(root, 16, 236, 180, 100);
  Place<TvgLabel>(panel, 10, 10, 160, 15, u"Panel");
  auto* callout = Place<TvgCalloutPanel>(root, 214, 236, 180, 100);
  callout->SetCalloutPosition(vgCalloutLeft);
  callout->SetCalloutOffset(20);
  Place<TvgLabel>(callout, 20, 10, 150, 15, u"Callout panel");
  auto* open = Place<TvgExpander>(root, 412, 236, 100, 130, u"Expanded");
  open->SetShowCheck(true);
  Place<TvgCheckBox>(open, 8, 8, 84, 19, u"Inside");
  auto* closed = Place<TvgExpander>(root, 526, 236, 100, 130, u"Collapsed");
  closed->SetIsExpanded(false);
  auto* hud = Place<TvgHudPanel>(root, 16, 350, 180, 90);
  Place<TvgHudLabel>(hud, 10, 10, 160, 15, u"HUD panel");
  Place<TvgHudLabel>(Place<TvgHudStatusBar>(hud, 0, 0, 180, 22), 6, 3, 120, 15, u"HUD status bar")
      ->SetTextAlign(vgTextAlignNear);
  auto* image = Place<TvgImageControl>(root, 214, 350, 180, 90);
  TvgBitmap picture(160, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 160; ++x)
      picture.Bits()[y * 160 + x] = 0xFF000000u | std::uint32_t(x * 255 / 159) << 16 | std::uint32_t(y * 3) << 8 | 0x60;
  image->SetBitmap(&picture);
  auto* window = Place<TvgHudWindow>(root, 412, 374, 214, 78, u"HUD window");
  Place<TvgHudLabel>(window, 12, 34, 180, 15, u"Window content");
  Show(640, 480);

  // Hover one control and hold another pressed, then let the animations run.
  const TvgPoint press = Centre(pressedBox);
  scene->MouseMove(0, press.X, press.Y);
  scene->MouseDown(vgMouseLeft, vgLeftButton, press.X, press.Y);
  hoverCheck->MouseEnter();
  PumpFor(600ms);
  EXPECT_TRUE(pressedBox->IsPressed());
  EXPECT_TRUE(hoverCheck->IsMouseOver());
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "controls_demo_form"));
  scene->MouseUp(vgMouseLeft, 0, 1, 1);
}

TEST_F(ControlsOnScreen, TabsPlotGridAndCompoundControls) {
  auto* tabs = Place<TvgTabControl>(root, 16, 16, 360, 250);
  TvgTabItem* tab[2] = {};
  TvgLayout* page[2] = {};
  const char16_t* names[] = {u"Table", u"Chart"};
  for (int i = 0; i < 2; ++i) {
    page[i] = Place<TvgLayout>(tabs, 0, 0, 10, 10);
    tab[i] = Place<TvgTabItem>(tabs, 0, 0, 80, 22, names[i]);
    tab[i]->SetLayout(page[i]);
  }
  tabs->SetItemIndex(0);
  auto* pilot = Place<TvgCompoundTextBox>(page[0], 10, 14, 320, 21);
  pilot->TextLabel()->SetText(u"Pilot");
  pilot->SetText(u"Anna");
  auto* notes = Place<TvgCompoundMemo>(page[0], 10, 46, 320, 60);
  notes->TextLabel()->SetText(u"Notes");
  notes->SetText(u"Head speed 2100 rpm\r\nGear 10.2");
  auto* speed = Place<TvgCompoundTrackBar>(page[0], 10, 118, 320, 20);
  speed->TextLabel()->SetText(u"Throttle");
  speed->SetSuffix(u" %");
  speed->SetDecimalDigits(0);
  speed->SetValue(65);
  auto* angle = Place<TvgCompoundAngleBar>(page[0], 10, 148, 320, 30);
  angle->TextLabel()->SetText(u"Angle");
  angle->SetValue(30);
  auto* grid = Place<TvgPlotGrid>(page[1], 0, 0, 10, 10);
  grid->SetAlign(vaClient);
  grid->SetFrequency(10);
  grid->SetMarks(5);
  grid->LineFill()->SetSolidColor(0xFF6A8CAF);
  auto* drop = Place<TvgDropTarget>(root, 392, 16, 120, 120, u"Drop files here");
  auto* button = Place<TvgIPhoneButton>(root, 530, 16, 64, 64, u"Go");
  button->Background()->SetSolidColor(0xFF2A7E3B);
  auto* viewer = Place<TvgImageViewer>(root, 392, 150, 230, 116);
  TvgBitmap picture(120, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      picture.Bits()[y * 120 + x] = 0xFF000000u | std::uint32_t(x * 2) << 16 | std::uint32_t(y * 4) << 8 | 0x80;
  viewer->SetBitmap(&picture);
  auto* hudTabs = Place<TvgHudTabControl>(root, 16, 280, 300, 110);
  for (const char16_t* name : {u"One", u"Two", u"Three"}) Place<TvgHudTabItem>(hudTabs, 0, 0, 70, 20, name);
  hudTabs->SetItemIndex(1);
  Show(640, 410);
  PumpFor(300ms);
  EXPECT_TRUE(tab[0]->IsSelected());
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "tabs_and_compound_controls"));

  // A real click on the second tab shows the chart page with its grid.
  const TvgPoint chart = Centre(tab[1]);
  scene->MouseMove(0, chart.X, chart.Y);
  scene->MouseDown(vgMouseLeft, vgLeftButton, chart.X, chart.Y);
  scene->MouseUp(vgMouseLeft, 0, chart.X, chart.Y);
  EXPECT_EQ(tabs->ItemIndex(), 1);
  EXPECT_TRUE(page[1]->Visible());
  EXPECT_FALSE(page[0]->Visible());
  PumpFor(300ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "tabs_chart_page"));
  EXPECT_NE(drop->ResourceLink(), nullptr);
}

TEST_F(ControlsOnScreen, PopupBoxOpensARealMenuAndTakesTheChoice) {
  auto* box = Place<TvgPopupBox>(root, 20, 20, 120, 21);
  for (const char16_t* item : {u"Soft", u"Medium", u"Hard"}) box->Items()->Add(item);
  int changes = 0;
  box->OnChange = [&](rtl::TObject*) { ++changes; };
  Show(200, 120);
  const TvgPoint p = Centre(box);
  scene->MouseMove(0, p.X, p.Y);
  scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
  scene->MouseUp(vgMouseLeft, 0, p.X, p.Y);
  GtkWidget* shown = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    GList* windows = gtk_window_list_toplevels();
    for (GList* it = windows; it; it = it->next) {
      GtkWidget* child = gtk_bin_get_child(GTK_BIN(it->data));
      if (child && GTK_IS_MENU(child) && gtk_widget_get_mapped(child)) shown = child;
    }
    g_list_free(windows);
    return shown != nullptr;
  }));
  GList* items = gtk_container_get_children(GTK_CONTAINER(shown));
  ASSERT_EQ(g_list_length(items), 3u);
  gtk_menu_item_activate(GTK_MENU_ITEM(g_list_nth_data(items, 2)));
  g_list_free(items);
  gtk_menu_popdown(GTK_MENU(shown));
  PumpFor(50ms);
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(box->Text(), u"Hard");
  EXPECT_EQ(changes, 1);
}

TEST_F(ControlsOnScreen, RadioButtonsAndTrackBarsShowTheKeyboardFocus) {
  auto* plain = Place<TvgPanel>(root, 0, 0, 200, 120);
  auto* hud = Place<TvgHudPanel>(root, 200, 0, 200, 120);
  TvgControl* controls[] = {
      Place<TvgRadioButton>(plain, 20, 16, 140, 19, u"Radio"),
      Place<TvgTrackBar>(plain, 20, 70, 160, 15),
      Place<TvgHudRadioButton>(hud, 20, 16, 140, 19, u"HUD radio"),
      Place<TvgHudTrackBar>(hud, 20, 70, 160, 15),
  };
  static_cast<TvgTrackBar*>(controls[1])->SetValue(40);
  static_cast<TvgTrackBar*>(controls[3])->SetValue(40);
  Show(400, 120);
  auto look = [&](TvgControl* control) {
    PumpFor(300ms);
    const TvgPoint topLeft = control->LocalToAbsolute({-6, -6});
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gtk_widget_get_window(form->ClientWindow()->Widget()),
                                                 int(topLeft.X), int(topLeft.Y), int(control->Width()) + 12,
                                                 int(control->Height()) + 12);
    std::string pixels(reinterpret_cast<const char*>(gdk_pixbuf_read_pixels(shot)), gdk_pixbuf_get_byte_length(shot));
    g_object_unref(shot);
    return pixels;
  };
  for (TvgControl* control : controls) {
    const std::string resting = look(control);
    control->SetFocus();
    ASSERT_TRUE(control->IsFocused()) << control->ClassName();
    EXPECT_TRUE(look(control) != resting) << control->ClassName() << " looks the same with the focus";
    const char* shot = control == controls[0] ? "focused_radio_button" : control == controls[1] ? "focused_track_bar" : nullptr;
    if (shot) {
      EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), shot));
    }
  }
}

TEST_F(ControlsOnScreen, ButtonsTracksAndBarsScreenshot) {
  auto* buttons = Place<TvgGroupBox>(root, 12, 8, 616, 92, u"Buttons");
  Place<TvgButton>(buttons, 12, 26, 80, 22, u"Button");
  auto* held = Place<TvgButton>(buttons, 100, 26, 80, 22, u"Pressed");
  Place<TvgRoundButton>(buttons, 188, 26, 80, 22, u"Round");
  Place<TvgCircleButton>(buttons, 276, 26, 22, 22, u"C");
  Place<TvgSpeedButton>(buttons, 306, 26, 23, 23, u"S");
  auto* corner = Place<TvgCornerButton>(buttons, 338, 26, 80, 22, u"Corner");
  corner->SetCorners({vgCornerTopLeft, vgCornerBottomRight});
  corner->SetxRadius(8);
  corner->SetyRadius(8);
  Place<TvgPopupButton>(buttons, 426, 26, 80, 22, u"Popup");
  auto* toggle = Place<TvgButton>(buttons, 514, 26, 80, 22, u"Toggle");
  toggle->SetStaysPressed(true);
  toggle->SetIsPressed(true);
  auto* hud = Place<TvgHudPanel>(buttons, 12, 54, 592, 32);
  Place<TvgHudButton>(hud, 6, 5, 80, 22, u"HUD");
  Place<TvgHudRoundButton>(hud, 94, 5, 80, 22, u"HUD round");
  Place<TvgHudCircleButton>(hud, 182, 5, 22, 22, u"H");
  Place<TvgHudCornerButton>(hud, 212, 5, 80, 22, u"HUD corner");
  Place<TvgHudSpeedButton>(hud, 300, 4, 23, 23, u"S");
  Place<TvgHudAngleButton>(hud, 340, 1, 30, 30)->SetValue(135);
  Place<TvgHudTrackBar>(hud, 390, 8, 190, 15)->SetValue(70);

  auto* glyphs = Place<TvgGroupBox>(root, 12, 108, 616, 84, u"Glyph, colour and state buttons");
  TvgBitmap picture(24, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) picture.Bits()[y * 24 + x] = 0xFF000000u | std::uint32_t(x * 10) << 16 | 0x60A0u;
  auto* bitmapButton = Place<TvgBitmapButton>(glyphs, 12, 24, 110, 50, u"Bitmap");
  bitmapButton->SetBitmapSize(24);
  bitmapButton->SetBitmap(&picture);
  auto* tool = Place<TvgToolButton>(glyphs, 130, 24, 50, 50, u"Tool");
  tool->SetBitmapSize(24);
  tool->SetBitmap(&picture);
  const char* arrow = "M 0,6 L 10,6 L 10,0 L 20,10 L 10,20 L 10,14 L 0,14 Z";
  auto* pathButton = Place<TvgPathButton>(glyphs, 188, 24, 110, 50, u"Path");
  pathButton->SetPathSize(22);
  pathButton->PathFill()->SetSolidColor(0xFF8CC4FF);
  pathButton->Path()->SetPathString(arrow);
  auto* toolPath = Place<TvgToolPathButton>(glyphs, 306, 24, 50, 50, u"Tool");
  toolPath->SetPathSize(22);
  toolPath->Path()->SetPathString(arrow);
  Place<TvgColorButton>(glyphs, 364, 36, 90, 22, u"Colour")->SetColor("#FFE8A33D");
  auto* state = Place<TvgBitmapStateButton>(glyphs, 462, 24, 50, 50);
  state->Bitmap()->Assign(&picture);

  auto* ranges = Place<TvgGroupBox>(root, 12, 200, 400, 230, u"Tracks, scroll bars, progress");
  Place<TvgTrackBar>(ranges, 12, 28, 180, 15)->SetValue(30);
  auto* stepped = Place<TvgTrackBar>(ranges, 12, 54, 180, 15);
  stepped->SetFrequency(25);
  stepped->SetValue(60);
  auto* track = Place<TvgTrack>(ranges, 12, 80, 180, 15);
  track->SetViewportSize(25);
  track->SetValue(40);
  auto* hbar = Place<TvgScrollBar>(ranges, 12, 104, 180, 18);
  hbar->SetViewportSize(30);
  hbar->SetValue(20);
  auto* small = Place<TvgSmallScrollBar>(ranges, 12, 130, 180, 8);
  small->SetViewportSize(50);
  small->SetValue(50);
  auto* hudBar = Place<TvgHudScrollBar>(ranges, 12, 146, 180, 18);
  hudBar->SetViewportSize(10);
  hudBar->SetValue(80);
  auto* vbar = Place<TvgScrollBar>(ranges, 210, 28, 18, 190);
  vbar->SetOrientation(vgVertical);
  vbar->SetViewportSize(20);
  vbar->SetValue(40);
  auto* vtrack = Place<TvgTrackBar>(ranges, 238, 28, 15, 190);
  vtrack->SetOrientation(vgVertical);
  vtrack->SetValue(75);
  Place<TvgProgressBar>(ranges, 12, 176, 180, 20)->SetValue(60);
  Place<TvgProgressBar>(ranges, 12, 202, 180, 20)->SetValue(1);  // too short to show
  auto* vprogress = Place<TvgProgressBar>(ranges, 266, 28, 20, 190);
  vprogress->SetOrientation(vgVertical);
  vprogress->SetValue(35);
  auto* knob = Place<TvgAngleButton>(ranges, 300, 28, 40, 40);
  knob->SetShowValue(true);
  knob->SetValue(45);
  Place<TvgAngleButton>(ranges, 350, 28, 30, 30)->SetValue(-90);
  auto* spinner = Place<TvgAniIndicator>(ranges, 300, 90, 40, 40);
  spinner->SetEnabled(true);
  auto* dots = Place<TvgAniIndicator>(ranges, 350, 90, 40, 40);
  dots->SetStyle(vgAniIndicatorCircle);
  dots->SetEnabled(true);
  Place<TvgAniIndicator>(ranges, 300, 150, 40, 40);  // switched off: grey only

  auto* split = Place<TvgPanel>(root, 424, 200, 204, 230);
  auto* left = Place<TvgPanel>(split, 0, 0, 80, 230);
  left->SetAlign(vaLeft);
  Place<TvgLabel>(left, 6, 6, 70, 15, u"Left");
  auto* splitter = Place<TvgSplitter>(split, 0, 0, 5, 230);
  splitter->SetAlign(vaLeft);
  auto* right = Place<TvgPanel>(split, 0, 0, 80, 230);
  right->SetAlign(vaClient);
  Place<TvgLabel>(right, 6, 6, 100, 15, u"Right");
  Show(640, 442);

  const TvgPoint press = Centre(held);
  scene->MouseMove(0, press.X, press.Y);
  scene->MouseDown(vgMouseLeft, vgLeftButton, press.X, press.Y);
  PumpFor(400ms);
  EXPECT_TRUE(held->IsPressed());
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "controls_buttons_tracks"));
  scene->MouseUp(vgMouseLeft, 0, press.X, press.Y);
  const TvgPoint grip = Centre(splitter);  // dragged 30 to the right
  scene->MouseMove(0, grip.X, grip.Y);
  scene->MouseDown(vgMouseLeft, vgLeftButton, grip.X, grip.Y);
  scene->MouseMove(vgLeftButton, grip.X + 30, grip.Y);
  scene->MouseUp(vgMouseLeft, 0, grip.X + 30, grip.Y);
  EXPECT_EQ(left->Width(), 110);
}

TEST_F(ControlsOnScreen, HeldSpeedButtonRepeatsOnTheRealTimer) {
  auto* button = Place<TvgSpeedButton>(root, 20, 20, 23, 23);
  int clicks = 0;
  button->OnClick = [&](rtl::TObject*) { ++clicks; };
  Show(100, 80);
  const TvgPoint p = Centre(button);
  scene->MouseMove(0, p.X, p.Y);
  scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
  PumpFor(450ms);
  EXPECT_EQ(clicks, 0);  // still in the first delay
  ASSERT_TRUE(PumpUntil([&] { return clicks >= 3; }));
  scene->MouseUp(vgMouseLeft, 0, p.X + 100, p.Y);  // released outside
  const int held = clicks;
  PumpFor(300ms);
  EXPECT_EQ(clicks, held);
}

}  // namespace
}  // namespace vg
