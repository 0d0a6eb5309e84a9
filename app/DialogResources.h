#pragma once
// The form resources of the update dialog, the about box and the curve
// and table editors.

namespace app {

// Makes the dialogs' form resources findable, and the toolkit and form
// classes they are made of readable (starts the toolkit core when it has
// not started). Idempotent.
void RegisterDialogResources();

}  // namespace app
