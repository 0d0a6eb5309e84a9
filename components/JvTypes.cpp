#include "components/JvTypes.h"

#include "platform/rtl/TextConvert.h"

namespace components {

std::string TJvCustomThread::ThreadName() const {
  if (FThreadName.empty()) return ClassName();
  return FThreadName + " {" + ClassName() + "}";
}

void TJvCustomThread::SetThreadName(const std::string& name) { FThreadName = name; }

void TJvCustomThread::NameThread(const std::string& name, pthread_t threadId) {
  NameThreadForDebugging(name, threadId);
}

void TJvCustomThread::NameThread(const rtl::WideString& name, pthread_t threadId) {
  NameThread(rtl::Utf16ToUtf8(name), threadId);
}

}  // namespace components
