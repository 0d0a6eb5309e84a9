// The design-time editors on screen: the brush designer opened by its
// dialog on a demo rectangle, the colour and gradient dialogs, the design
// menu as a popup menu, and the property inspector on a demo label.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/rtl/TextConvert.h"
#include "tests/support/gui_fakes.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "ui/window/vg_brushdialog.h"
#include "ui/core/vg_frame.h"
#include "ui/window/vg_designservices.h"

namespace {

using namespace vg;
using namespace std::chrono_literals;
using test_support::PumpFor;

struct DesignForms : test_support::ControlsFormTest<> {
  void SetUp() override { SetUpControlsForm(u"Design"); }

  // Shows a designer the modal runner holds (the scripted runner does not)
  // and saves what it shows.
  void Shoot(gui::TForm& form, const char* name) {
    form.Show();
    PumpFor(400ms);
    EXPECT_TRUE(test_support::SaveWindowShot(form.Handle(), name));
  }
};

TEST_F(DesignForms, TheBrushDialogEditsTheSolidFillOfARectangle) {
  auto* rect = new TvgRectangle(nullptr);
  rect->SetParent(root);
  rect->Fill()->SetSolidColor(0xFF2A7FD4);
  TvgBrushDialog dialog(nullptr);
  dialog.SetComponent(rect);
  dialog.SetBrush(rect->Fill());
  test_support::TScriptedModalRunner runner;
  runner.Then([&](gui::TForm& shown) {
    auto& design = dynamic_cast<TvgBrushDesign&>(shown);
    EXPECT_EQ(design.HudWindow1->Text(), u"Brush");
    EXPECT_TRUE(design.brushList->Visible());
    ASSERT_GE(design.brushList->Count(), 2) << "Fill and Stroke";
    EXPECT_EQ(design.brushList->ItemByIndex(0)->Text(), u"Fill");
    EXPECT_EQ(design.brushTabControl->TabItem(design.brushTabControl->ItemIndex()), design.tabSolid);
    EXPECT_FLOAT_EQ(design.textSolidR->Value(), 0x2A);
    EXPECT_EQ(design.textSolidHex->Text(), u"#FF2A7FD4");
    Shoot(shown, "brush_designer_solid");
    design.textSolidR->SetValue(255);
    design.textSolidR->OnChange(design.textSolidR);
    design.btnOK->Click();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Brush()->SolidColor(), 0xFFFF7FD4u);
  EXPECT_EQ(rect->Fill()->SolidColor(), 0xFF2A7FD4u) << "the dialog edits a copy";
}

TEST_F(DesignForms, MakeAResourceAddsANamedBrushObjectToTheEditedScene) {
  auto* edited = new TvgScene(form);  // the form owns the scene, and so the new resources
  auto* editedRoot = new TvgBackground(nullptr);
  edited->AddObject(editedRoot);
  auto* rect = new TvgRectangle(nullptr);
  rect->SetParent(editedRoot);
  TvgBrushDialog dialog(nullptr);
  dialog.SetComponent(rect);
  dialog.SetShowMakeResource(true);
  dialog.Brush()->SetSolidColor(0xFF2A7FD4);
  auto brushObjects = [&] {
    std::vector<TvgBrushObject*> found;
    for (TvgObject* child : editedRoot->Children())
      if (auto* object = dynamic_cast<TvgBrushObject*>(child)) found.push_back(object);
    return found;
  };
  test_support::TScriptedDialogs dialogs;
  dialogs.Input(u"Accent").Input(std::nullopt).Input(u"Accent").Input(u"not a name");
  test_support::TScriptedModalRunner runner;
  runner.Then([&](gui::TForm& shown) {
    auto& design = dynamic_cast<TvgBrushDesign&>(shown);
    EXPECT_TRUE(design.btnMakeRes->Visible());
    design.btnMakeRes->Click();
    ASSERT_EQ(dialogs.Inputs.size(), 1u);
    EXPECT_EQ(dialogs.Inputs[0].Caption, u"New TvgBrushObject");
    EXPECT_EQ(dialogs.Inputs[0].Prompt, u"Enter resource name:");
    EXPECT_EQ(dialogs.Inputs[0].Proposed, u"Brush1");
    design.btnMakeRes->Click();  // cancelled
    EXPECT_EQ(dialogs.Inputs.at(1).Proposed, u"Brush2");
    EXPECT_THROW(design.btnMakeRes->Click(), rtl::Exception) << "the name is taken";
    EXPECT_THROW(design.btnMakeRes->Click(), rtl::Exception);
    design.brushTabControl->SetItem(design.tabRes);
    ASSERT_EQ(design.resList->Count(), 1);
    EXPECT_EQ(design.resList->ItemByIndex(0)->Text(), u"Accent");
    Shoot(shown, "brush_designer_resources");
    TvgListBoxItem* listed = design.resList->ItemByIndex(0);
    auto* text = dynamic_cast<TvgVisualObject*>(listed->FindResource("text"));
    ASSERT_NE(text, nullptr);
    auto* swatch = dynamic_cast<TvgRectangle*>(listed->GetChild(listed->ChildrenCount() - 1));
    ASSERT_NE(swatch, nullptr);
    EXPECT_GE(text->GetAbsoluteRect().Left, swatch->GetAbsoluteRect().Right) << "the name is not under the swatch";
    design.btnOK->Click();
  });
  ASSERT_TRUE(dialog.Execute());
  const std::vector<TvgBrushObject*> made = brushObjects();
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0]->ResourceName(), "Accent");
  EXPECT_EQ(made[0]->Name(), "Accent");
  EXPECT_EQ(made[0]->Owner(), form);
  EXPECT_EQ(made[0]->Brush()->SolidColor(), 0xFF2A7FD4u);
}

TEST_F(DesignForms, TheColorDialogShowsOnlyTheSolidPageAndCancelGivesNothing) {
  test_support::TScriptedModalRunner runner;
  runner.Then([&](gui::TForm& shown) {
    auto& design = dynamic_cast<TvgBrushDesign&>(shown);
    EXPECT_FALSE(design.brushList->Visible());
    EXPECT_TRUE(design.tabSolid->Visible());
    for (TvgTabItem* tab : {static_cast<TvgTabItem*>(design.tabNone), static_cast<TvgTabItem*>(design.tabGradient),
                            static_cast<TvgTabItem*>(design.tabBitmap), static_cast<TvgTabItem*>(design.tabRes)})
      EXPECT_FALSE(tab->Visible());
    design.btnCancel->Click();
  });
  EXPECT_EQ(ShowColorDialog("#FF112233"), "");
  runner.Then([&](gui::TForm& shown) {
    auto& design = dynamic_cast<TvgBrushDesign&>(shown);
    design.textSolidHex->SetText(u"#FF445566");
    design.textSolidHex->OnChange(design.textSolidHex);
    design.btnOK->Click();
  });
  EXPECT_EQ(ShowColorDialog("#FF112233"), "#FF445566");
}

TEST_F(DesignForms, TheGradientDialogTurnsTheGradientByItsAngle) {
  TvgGradient gradient;
  test_support::TScriptedModalRunner runner;
  runner.Then([&](gui::TForm& shown) {
    auto& design = dynamic_cast<TvgBrushDesign&>(shown);
    EXPECT_EQ(design.brushTabControl->TabItem(design.brushTabControl->ItemIndex()), design.tabGradient);
    EXPECT_FLOAT_EQ(design.gradAngle->Value(), -90) << "a vertical gradient keeps the form's angle";
    design.gradAngle->SetValue(0);
    EXPECT_EQ(design.gradAngleLabel->Text(), u"0");
    Shoot(shown, "brush_designer_gradient");
    design.btnOK->Click();
  });
  ASSERT_TRUE(ShowGradientDialog(gradient));
  EXPECT_NEAR(gradient.StartPosition()->X(), 0, 1e-5);
  EXPECT_NEAR(gradient.StartPosition()->Y(), 0.5, 1e-5);
  EXPECT_NEAR(gradient.StopPosition()->X(), 1, 1e-5);
}

TEST_F(DesignForms, TheDesignMenuBecomesAPopupMenu) {
  scene->SetDesigning(true);
  scene->DoDesignSelect(root);
  std::unique_ptr<gui::TPopupMenu, decltype([](gui::TPopupMenu* menu) { menu->Free(); })> popup(vgBuildDesignPopup(scene->DesignMenu(), nullptr));
  gui::TMenuItem* grid = popup->Items()->Find(u"Grid");
  ASSERT_NE(grid, nullptr);
  gui::TMenuItem* lines = grid->Find(u"Snap to lines");
  ASSERT_NE(lines, nullptr);
  EXPECT_TRUE(lines->Checked());
  EXPECT_TRUE(lines->RadioItem());
  grid->Find(u"Snap to grid")->Click();
  EXPECT_TRUE(scene->SnapToGrid());
  EXPECT_FALSE(scene->SnapToLines());
}

TEST_F(DesignForms, TheInspectorShowsADemoLabelAndEditsItOnScreen) {
  auto* label = new TvgLabel(nullptr);
  label->SetName("DemoLabel");
  label->SetParent(root);
  label->SetBounds(20, 330, 200, 20);
  label->SetText(u"Demo");
  auto* inspector = new TvgInspector(nullptr);
  inspector->SetParent(root);
  inspector->SetBounds(10, 10, 300, 300);
  inspector->SetSelectedObject(label);
  ShowForm(320, 360);
  inspector->SetSelected(inspector->ItemOf("Text"));
  PumpFor(200ms);
  ASSERT_EQ(inspector->Editor(), inspector->TextEditor());
  inspector->TextEditor()->SetText(u"Edited");
  inspector->SetSelected(inspector->ItemOf("Opacity"));
  EXPECT_EQ(label->Text(), u"Edited");
  PumpFor(400ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "inspector_label"));
}

TEST_F(DesignForms, TheInspectorOpensARectanglesFillAndTheDesignerShowsPopupItemsAndFrames) {
  auto* rect = new TvgRectangle(nullptr);
  rect->SetName("Rect1");
  rect->SetParent(root);
  rect->SetBounds(330, 20, 80, 50);
  rect->Fill()->SetSolidColor(0xFF2A7FD4);
  auto* item = new TvgPopupItem(nullptr);
  item->SetParent(root);
  item->SetBounds(330, 100, 90, 22);
  item->PopupBox()->SetBounds(0, 0, 120, 70);
  TvgScene framed(nullptr);
  auto* framedRoot = new TvgRectangle(nullptr);
  framedRoot->Fill()->SetSolidColor(0xFF40A040);
  framed.AddObject(framedRoot);
  auto* frame = new TvgFrame(nullptr);
  frame->SetParent(root);
  frame->SetBounds(330, 220, 100, 60);
  frame->SetSceneObject(&framed);
  auto* inspector = new TvgInspector(nullptr);
  inspector->SetParent(root);
  inspector->SetBounds(10, 10, 300, 300);
  inspector->SetSelectedObject(rect);
  inspector->ItemOf("Fill")->SetIsExpanded(true);
  scene->SetDesigning(true);
  item->DesignClick();
  ShowForm(450, 320);
  inspector->SetSelected(inspector->ItemOf("Fill"));
  PumpFor(200ms);
  ASSERT_EQ(inspector->Editor(), inspector->EditButton());
  rtl::TObject* edited = nullptr;
  TvgDesignServices services;
  services.editValue = [&](rtl::TObject* value, rtl::TComponent*) { return (edited = value) != nullptr; };
  const TvgDesignServices saved = vgSetDesignServices(services);
  inspector->EditButton()->Click();
  vgSetDesignServices(saved);
  EXPECT_EQ(edited, rect->Fill());
  PumpFor(400ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "inspector_rectangle_fill_design"));
  scene->SetDesigning(false);
  frame->SetSceneObject(nullptr);
}

}  // namespace
