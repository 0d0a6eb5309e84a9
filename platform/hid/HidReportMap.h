#pragma once
// The adapters' report-ID tables: a frame's length picks the output report ID,
// an input report's ID gives the length of the frame it carries.
#include <cstdint>

namespace hid {

/// Output report ID of a frame of `frameLength` bytes.
std::uint8_t OutputReportId(int frameLength);

/// Frame length carried by an input report with this ID.
int InputFrameLength(std::uint8_t reportId);

/// The input report ID a device uses for a frame of `frameLength` bytes, or 0
/// when no ID carries exactly that length (the emulated devices pad then).
std::uint8_t InputReportIdFor(int frameLength);

}  // namespace hid
