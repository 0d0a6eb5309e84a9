#pragma once
// Builds the parameter pages of the main form from the device description:
// the six page layouts made anew, every planned control created, named and
// wired to the parameter editor, the link rules applied once, the side list
// arranged and, for a connected device, its settings shown.
#include "app/pages/ParamPageHost.h"
#include "params/PagePlan.h"
#include "params/ParamEditor.h"

namespace app {

// The layout of page j: "tabLayout" j + 2.
std::string PageLayoutName(int page);

// Raises params::EUnreadableParameter for a description number that is
// none; the pages built before then stay as they were. `showSettings`: a
// device is connected and identified, so its settings fill the controls.
void BuildParameterPages(IParamPageHost& host, params::ParamEditor& editor, const params::VERSION& version,
                         const params::PlanInputs& inputs, bool showSettings);

}  // namespace app
