#include "update/UpdateSettings.h"

#include "shell/Language.h"
#include "shell/Publisher.h"
#include "shell/Settings.h"
#include "shell/Texts.h"
#include "update/UpdateCheck.h"
#include "update/UpdateSchedule.h"

namespace dv {

namespace {

const char* const kSection = "update";

std::string settingsFile(const App& app) { return basePath(app, kUpdateSettingsFile); }

}  // namespace

void updateSettingsCreated(App& app) {
    applyDialogTexts(app, Ctl::UpdateSettingsWindow);
    showUpdateSettings(app);
}

void showUpdateSettings(App& app) {
    Ui& ui = app.ui;
    const std::string file = settingsFile(app);
    ui.setText(Ctl::updateDaysEdit, iniRead(app, file, kSection, "day", "10"));
    const bool on = iniRead(app, file, kSection, "auto", "F") == "T";
    ui.setChecked(Ctl::updateAutoCheck, on);
    ui.setEnabled(Ctl::updateDaysEdit, on);
}

void updateAutoCheckClicked(App& app) {
    Ui& ui = app.ui;
    const std::string file = settingsFile(app);
    if (ui.isChecked(Ctl::updateAutoCheck)) {
        iniWrite(app, file, kSection, "auto", "T");
        iniWrite(app, file, kSection, "day", ui.text(Ctl::updateDaysEdit));
        iniWrite(app, file, kSection, "time", dateText(todayDate(app)));
        ui.setEnabled(Ctl::updateDaysEdit, true);
    } else {
        iniWrite(app, file, kSection, "auto", "F");
        ui.setEnabled(Ctl::updateDaysEdit, false);
    }
}

// A new interval counts from today. Text that equals the stored interval changes nothing:
// filling the box when the window opens must not put the next check off.
void updateDaysChanged(App& app) {
    const std::string file = settingsFile(app);
    const std::string days = app.ui.text(Ctl::updateDaysEdit);
    if (days == iniRead(app, file, kSection, "day", "10")) return;
    iniWrite(app, file, kSection, "day", days);
    iniWrite(app, file, kSection, "time", dateText(todayDate(app)));
}

void updateCheckNowClicked(App& app) {
    app.ui.setText(Ctl::updateStatusLabel, textOfKey(app, 129));
    SetUpdateDisplayTarget(app, Ctl::updateStatusLabel, kWebsiteAddress);
    app.ui.processPendingMessages();
    startVersionCheck(app);
}

void openUpdateSettings(App& app) { app.ui.openModal(Ctl::UpdateSettingsWindow); }

}  // namespace dv
