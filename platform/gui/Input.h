#pragma once
// The class library's input vocabulary shared by the windowing layer and the
// scene: shift states, mouse buttons, cursors, virtual-key codes, integer
// rectangles in window client pixels. No display needed.
#include <cstdint>

#include "platform/rtl/Set.h"
#include "platform/rtl/TypeInfo.h"

namespace gui {

RTL_ENUM(TShiftStateFlag, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = rtl::TSet<TShiftStateFlag>;

RTL_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)

// Cursor identifiers of the class library (negative: stock cursors).
using TCursor = int;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                         crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                         crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                         crHandPoint = -21, crSizeAll = -22;

// Virtual-key codes the program and the toolkit test for.
namespace vk {
inline constexpr std::uint16_t Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19,
                               Capital = 20, Escape = 27, Space = 32, Prior = 33, Next = 34, End = 35, Home = 36,
                               Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46, Apps = 93,
                               Numpad0 = 96,
                               Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111, F1 = 112,
                               F12 = 123;
}

// A rectangle in integer pixels; Right and Bottom are exclusive.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

}  // namespace gui
