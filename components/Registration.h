#pragma once

namespace components {

// Registers the timer components for streaming; called once at start.
void RegisterTimerClasses();

}  // namespace components
