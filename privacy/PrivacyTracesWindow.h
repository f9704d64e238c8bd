// PrivacyTracesWindow as it opens: its language texts and the step-window box.
#pragma once
#include "shell/App.h"

namespace dv {

// Every box starts unticked but the step-window box, which shows whether the step window
// appears at start: ticked unless the NotShow switch reads 1.
void privacyTracesCreated(App& app);

}  // namespace dv
