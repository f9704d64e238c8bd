#include "update/UpdateSettings.h"

#include "shell/Language.h"

namespace dv {

void updateSettingsCreated(App& app) { applyDialogTexts(app, Ctl::UpdateSettingsWindow); }

void openUpdateSettings(App& app) { app.ui.openModal(Ctl::UpdateSettingsWindow); }

}  // namespace dv
