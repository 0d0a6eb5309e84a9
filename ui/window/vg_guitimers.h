#pragma once
// The toolkit's clocks on the program's event loop: the animation clock
// (GLib's monotonic time, the class library's TTimer, one step of the
// default main context) and the one-shot timers behind Release and the
// scene's posted work.
namespace vg {

// Installs both for the toolkit. A program calls it at start, before it
// builds its first scene: a one-shot started before has no loop and never
// fires (a scene that posted its draw then waits for it for ever). The
// scene host and the popup windows call it too. Tests that install fakes
// afterwards get these back when the fakes go.
void vgUseGuiTimers();

}  // namespace vg
