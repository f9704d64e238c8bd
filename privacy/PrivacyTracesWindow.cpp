#include "privacy/PrivacyTracesWindow.h"

#include "shell/Language.h"
#include "shell/Settings.h"

namespace dv {

void privacyTracesCreated(App& app) {
    applyDialogTexts(app, Ctl::PrivacyTracesWindow);
    app.ui.setChecked(Ctl::privacyShowStepCheck, regReadInt(app, kUsers, kNotShowItem) != 1);
}

}  // namespace dv
