// UpdateSettingsWindow: opening it and what it shows when it opens.
#pragma once
#include "shell/App.h"

namespace dv {

// Created: the window's language texts.
void updateSettingsCreated(App& app);
// updateSettingsButton of MainWindow.
void openUpdateSettings(App& app);

}  // namespace dv
