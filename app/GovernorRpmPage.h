#pragma once
// The governor rpm page of the governor models, filled when it comes into
// view: the controller's highest rotor rpm from its electrical rpm, the
// motor's poles and the gear, the rpm labels beside the throttle slider,
// the throttle tip and the limits of the wanted-rpm boxes.
namespace app {

class TfrmInterface;

/// Recomputes the rotor set-up into the window's state and writes the page.
void FillGovernorRpmPage(TfrmInterface& form);

}  // namespace app
