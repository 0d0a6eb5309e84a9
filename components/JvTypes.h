#pragma once
// The base of the components' worker threads: a thread with a name for
// debuggers.
#include <string>

#include "platform/gui/Thread.h"
#include "platform/rtl/Types.h"

namespace components {

class TJvCustomThread : public gui::TThread {
  RTL_CLASS(TJvCustomThread, gui::TThread)

  // FThreadName + " {" + class name + "}", or the class name alone while
  // no name was set.
  virtual std::string ThreadName() const;
  virtual void SetThreadName(const std::string& name);
  // Names the thread threadId (kCurrentThread: the calling thread) for a
  // debugger; see gui::TThread::NameThreadForDebugging.
  virtual void NameThread(const std::string& name, pthread_t threadId = kCurrentThread);
  void NameThread(const rtl::WideString& name, pthread_t threadId = kCurrentThread);

 private:
  std::string FThreadName;
};

}  // namespace components
