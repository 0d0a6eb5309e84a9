#pragma once
// A call run once from the UI thread's message loop after the event being
// handled has returned: an idle source of the default main context.
#include <functional>

#include "platform/rtl/Handle.h"

namespace gui {

class TPostedCall : rtl::TNonCopyable {
 public:
  TPostedCall() = default;
  // A call not yet run is dropped.
  ~TPostedCall() { Cancel(); }

  // Queues `call`, replacing one not yet run. An exception it throws goes
  // to Application. UI thread only.
  void Post(std::function<void()> call);
  void Cancel();

 private:
  static int Run(void* data);

  std::function<void()> call_;
  unsigned source_ = 0;
};

}  // namespace gui
