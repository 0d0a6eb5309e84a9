// A scene on a real form, for the tests that run under xvfb-run: the form,
// the scene and the host that draws the scene on the form's client window.
// Fixtures derive from SceneFormTest and keep their own scene root, or from
// ControlsFormTest for the controls on a background root.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <memory>

#include "platform/gui/Forms.h"
#include "platform/gui/GuiInit.h"
#include "tests/support/gui_pump.h"
#include "ui/controls/vg_controls.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/window/vg_controlservices.h"
#include "ui/window/vg_guitimers.h"
#include "ui/window/vg_popupwindow.h"
#include "ui/window/vg_scenehost.h"

namespace test_support {

template <class Base = ::testing::Test>
class SceneFormTest : public Base {
 protected:
  // A single-border form centred on the screen, with an empty scene on the
  // loop's timers.
  void CreateForm(const char16_t* caption = nullptr) {
    vg::vgUseGuiTimers();
    form = new gui::TForm(nullptr);
    form->SetBorderStyle(gui::bsSingle);
    form->SetPosition(gui::poScreenCenter);
    if (caption) form->SetCaption(caption);
    scene.reset(new vg::TvgScene(nullptr));
  }
  void DestroyForm() {
    host.reset();
    if (form) form->Free();
    form = nullptr;
    scene.reset();
  }
  // Sizes the client area, hosts the scene on it and shows the form; returns
  // once the scene has been drawn on the mapped client window.
  void ShowForm(int width, int height) {
    form->SetClientWidth(width);
    form->SetClientHeight(height);
    host = std::make_unique<vg::TvgSceneHost>(*scene, *form);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] {
      return scene->DrawCount() > 0 && form->ClientWindow() && gtk_widget_get_mapped(form->ClientWindow()->Widget());
    }));
  }

  gui::TForm* form = nullptr;
  vg::TvgOwned<vg::TvgScene> scene;
  std::unique_ptr<vg::TvgSceneHost> host;
};

// Where the controls' popups open.
enum class Popups { InScene, InWindows };

// The controls on a real form: the toolkit started with the controls, the
// GDI+ canvas and the platform's control services, and a background as the
// scene's root. Derived fixtures call SetUpControlsForm from their SetUp;
// it skips the test when there is no display.
template <class Base = ::testing::Test>
class ControlsFormTest : public SceneFormTest<Base> {
 protected:
  void SetUpControlsForm(const char16_t* caption, Popups popups = Popups::InScene) {
    if (!gui::InitGui()) GTEST_SKIP() << "no display";
    gui::RegisterGuiClasses();
    vg::vgStartCore();
    vg::RegisterControlClasses();
    vg::StartGdiPlusBackEnd();
    vg::vgUsePlatformControlServices();
    if (popups == Popups::InWindows) vg::vgUsePopupWindows();
    this->CreateForm(caption);
    root = new vg::TvgBackground(nullptr);
    this->scene->AddObject(root);
  }
  void TearDown() override {
    vg::vgSetListMenuFactory(nullptr);
    vg::vgSetClipboard(nullptr);
    this->DestroyForm();
  }

  vg::TvgBackground* root = nullptr;
};

}  // namespace test_support
