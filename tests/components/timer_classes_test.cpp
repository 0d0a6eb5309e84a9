#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/JvThreadTimer.h"
#include "components/JvTimer.h"
#include "components/Registration.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/TypeInfo.h"

using namespace components;

// The form reader finds both timers by class name and sets their published
// properties by name; a fresh timer stores none of them.
TEST(TimerClasses, AreRegisteredAndPublishTheirPropertiesInOrder) {
  RegisterTimerClasses();
  struct Case {
    const char* className;
    std::vector<std::string> properties;
  };
  for (const Case& c : {Case{"TJvTimer", {"Name", "Tag", "EventTime", "Enabled", "Interval", "SyncEvent", "Threaded",
                                          "ThreadPriority", "OnTimer"}},
                        Case{"TJvThreadTimer", {"Name", "Tag", "Enabled", "Interval", "KeepAlive", "OnTimer", "Priority"}}}) {
    rtl::TComponent* timer = rtl::FindClass(c.className)->createComponent(nullptr);
    std::vector<std::string> names;
    for (const rtl::TPropertyInfo* property : rtl::PublishedOf(timer->ClassType()).Properties()) {
      names.push_back(property->Name());
      EXPECT_FALSE(property->IsStored(timer)) << c.className << "." << property->Name();
    }
    EXPECT_EQ(names, c.properties);
    rtl::SetPropText(timer, "Interval", "2500");
    EXPECT_EQ(rtl::GetPropText(timer, "Interval"), "2500");
    timer->Free();
  }
  auto* timer = new TJvTimer(nullptr);
  rtl::SetPropText(timer, "EventTime", "tetPost");
  EXPECT_EQ(timer->EventTime(), tetPost);
  timer->Free();
}
