#pragma once
// Shared helpers of the timer component tests.
#include <dirent.h>

#include <fstream>
#include <string>

#include "tests/support/gui_pump.h"

namespace timer_tests {

using test_support::Clock;
using namespace std::chrono_literals;

inline long long MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// Threads of this process whose debugger name is `name`.
inline int CountThreadsNamed(const std::string& name) {
  int count = 0;
  if (DIR* tasks = opendir("/proc/self/task")) {
    while (dirent* entry = readdir(tasks)) {
      std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
      std::string line;
      if (std::getline(comm, line) && line == name) ++count;
    }
    closedir(tasks);
  }
  return count;
}

}  // namespace timer_tests
