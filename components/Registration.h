#pragma once

namespace components {

// Registers the timer components for streaming; called once at start.
void RegisterTimerClasses();
// Registers the caption control for streaming.
void RegisterCaptionClasses();

}  // namespace components
