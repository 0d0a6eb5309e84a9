// Acts on a dialog once it is on screen: polls the owner's components from
// the main loop (which a modal run turns) until a form of the given class
// is mapped and its scene drawn, then runs the action once.
#pragma once

#include <glib.h>
#include <gtk/gtk.h>

#include <functional>

#include "platform/gui/Forms.h"

namespace app_test {

template <class Form>
class WhenShown {
 public:
  WhenShown(gui::TForm& owner, std::function<void(Form&)> act) : owner_(owner), act_(std::move(act)) {
    source_ = g_timeout_add(20, &WhenShown::Poll, this);
  }
  ~WhenShown() {
    if (source_) g_source_remove(source_);
  }
  WhenShown(const WhenShown&) = delete;
  WhenShown& operator=(const WhenShown&) = delete;
  bool Done() const { return source_ == 0; }

 private:
  static gboolean Poll(gpointer data) {
    auto* self = static_cast<WhenShown*>(data);
    for (int i = 0; i < self->owner_.ComponentCount(); ++i) {
      auto* form = dynamic_cast<Form*>(self->owner_.Components(i));
      if (!form || !form->HandleAllocated() || !gtk_widget_get_mapped(form->Handle())) continue;
      if (form->ControlsScene->DrawCount() == 0) continue;
      self->source_ = 0;
      self->act_(*form);
      return G_SOURCE_REMOVE;
    }
    return G_SOURCE_CONTINUE;
  }

  gui::TForm& owner_;
  std::function<void(Form&)> act_;
  unsigned source_ = 0;
};

}  // namespace app_test
