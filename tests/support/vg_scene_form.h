// A scene on a real form, for the tests that run under xvfb-run: the form,
// the scene and the host that draws the scene on the form's client window.
// Fixtures derive from SceneFormTest and keep their own scene root.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <memory>

#include "platform/gui/Forms.h"
#include "tests/support/gui_pump.h"
#include "ui/core/vg_scene.h"
#include "ui/window/vg_guitimers.h"
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

}  // namespace test_support
