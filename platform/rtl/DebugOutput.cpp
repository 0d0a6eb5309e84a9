#include "platform/rtl/DebugOutput.h"

#include <glib.h>

#include <mutex>
#include <utility>

namespace rtl {
namespace {

std::mutex sinkMutex;
TDebugSink& Sink() {
  static TDebugSink sink;
  return sink;
}

}  // namespace

void OutputDebugString(std::string_view line) {
  const std::string text(line);
  std::lock_guard lock(sinkMutex);
  if (Sink()) Sink()(text);
  else g_log("esctool", G_LOG_LEVEL_DEBUG, "%s", text.c_str());
}

TDebugSink SetDebugSink(TDebugSink sink) {
  std::lock_guard lock(sinkMutex);
  return std::exchange(Sink(), std::move(sink));
}

}  // namespace rtl
