#pragma once
// Starts the GDI+ back-end once for a test program and lets a test watch the
// calls it makes through a recorder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gdiplus/GdipRecorder.h"
#include "ui/render/vg_canvas_gdip.h"

namespace vgtest {

class GdiPlusBackEnd : public ::testing::Environment {
 public:
  void SetUp() override { vg::StartGdiPlusBackEnd(); }
  void TearDown() override { vg::StopGdiPlusBackEnd(); }
};

// Every call of the back-end made while the fixture lives is logged.
class RecordedTest : public ::testing::Test {
 protected:
  RecordedTest() : recorder_(*vg::GDIPApi()) { vg::RouteGDIPCalls(&recorder_); }
  ~RecordedTest() override { vg::RouteGDIPCalls(nullptr); }

  gdip::GdipRecorder& Rec() { return recorder_; }
  std::vector<std::string> Args(const std::string& name) const {
    std::vector<std::string> args;
    for (const gdip::GdipCall& call : recorder_.CallsTo(name)) args.push_back(call.args);
    return args;
  }
  size_t Count(const std::string& name) const { return recorder_.CallsTo(name).size(); }

 private:
  gdip::GdipRecorder recorder_;
};

inline std::uint8_t Alpha(std::uint32_t pixel) { return std::uint8_t(pixel >> 24); }

}  // namespace vgtest
