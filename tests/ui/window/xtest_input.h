#pragma once
// Input made by the X server itself (XTest), so it takes a user's road:
// grabs and focus decide where it goes. X11 headers stay out of the tests.
namespace test_support {

// Moves the pointer to a screen point.
void MovePointer(int x, int y);
// A key (its GDK key value) pressed and released.
void TypeKey(unsigned keyval);
// A left click at a screen point.
void ClickAt(int x, int y);

}  // namespace test_support
