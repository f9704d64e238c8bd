// UpdateSettingsWindow: the automatic check switch, its interval and "Check now".
#pragma once
#include "shell/App.h"

namespace dv {

// Created: the language texts, then the stored settings.
void updateSettingsCreated(App& app);
// The days box from `day` and the auto-check box (with the days box enabled) from `auto`.
void showUpdateSettings(App& app);
void updateAutoCheckClicked(App& app);
void updateDaysChanged(App& app);
void updateCheckNowClicked(App& app);
// updateSettingsButton of MainWindow.
void openUpdateSettings(App& app);

}  // namespace dv
