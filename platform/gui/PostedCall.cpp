#include "platform/gui/PostedCall.h"

#include <glib.h>

#include <utility>

#include "platform/gui/Application.h"

namespace gui {

void TPostedCall::Post(std::function<void()> call) {
  call_ = std::move(call);
  if (!source_) source_ = g_idle_add(&TPostedCall::Run, this);
}

void TPostedCall::Cancel() {
  if (source_) g_source_remove(source_);
  source_ = 0;
  call_ = nullptr;
}

// The call may post again or free this object: it runs from a copy.
int TPostedCall::Run(void* data) {
  auto* self = static_cast<TPostedCall*>(data);
  self->source_ = 0;
  const std::function<void()> call = std::exchange(self->call_, nullptr);
  try {
    if (call) call();
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return G_SOURCE_REMOVE;
}

}  // namespace gui
