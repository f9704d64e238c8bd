#include "shell/main/Startup.h"

#include "search/ListFile.h"
#include "search/Patterns.h"
#include "search/SearchEngine.h"
#include "shell/Language.h"
#include "shell/Publisher.h"
#include "shell/Settings.h"
#include "shell/main/DriveSpace.h"
#include "shell/main/Help.h"
#include "shell/main/LanguageChoice.h"
#include "update/UpdateCheck.h"

namespace dv {

namespace {

constexpr uint32_t kSystemMenuStyle = 0x80000;  // WS_SYSMENU

}  // namespace

void initialiseProcess(App& app, const std::string& programFolder) {
    std::string base = programFolder;
    // "C:\" would give "C:\\help.hlp": every data path adds its own backslash.
    if (!base.empty() && base.back() == '\\') base.pop_back();
    app.fs.setCurrentDirectory(programFolder);
    // The base stays at the program's folder even when a dialog moves the current directory.
    app.state.baseFolder = base;
    app.state.exclusionList.clear();
    app.state.languageLines.clear();
    app.state.searchPatterns.clear();
}

void exitRoutine(App& app) {
    app.state.exclusionList.clear();
    app.state.languageLines.clear();
    app.state.searchPatterns.clear();
}

void runStartup(App& app) {
    Ui& ui = app.ui;
    ui.addWindowStyle(Ctl::MainWindow, kSystemMenuStyle);
    ui.setWindowState(Ctl::MainWindow, WindowState::Minimised);
    ui.setHelpFile(Ctl::MainWindow, helpFilePath(app));

    loadLanguage(app);
    ui.processPendingMessages();
    loadListFile(app, basePath(app, "\\noscfile.dat"), app.state.exclusionList);
    ui.processPendingMessages();
    if (!app.state.languageLines.empty()) applyMainWindowTexts(app);

    ui.openModal(Ctl::SplashWindow);  // returns after about three seconds

    loadUserJunkTypes(app);
    ui.setComboSelection(Ctl::driveCombo, 0);
    ui.setComboSelection(Ctl::patternSetCombo, 0);
    refreshDriveSpace(app);
    countAppCaches(app);

    ui.setWindowState(Ctl::MainWindow, WindowState::Normal);
    ui.setWindowState(Ctl::MainWindow, WindowState::Centred);

    // The switches are read only now: Enter on the splash may just have cleared them.
    if (regReadInt(app, kUsers, kAutoSearchItem) == 1)
        enterCompactMode(app);
    else if (regReadInt(app, kUsers, kNotShowItem) != 1)
        ui.openModal(Ctl::StartupWizardWindow);

    // Last in every start mode: the scheduled update check, reporting into stepTextLabel,
    // which only the step window of compact automatic mode shows. That mode's automatic
    // end waits until the outcome is on screen.
    SetUpdateDisplayTarget(app, Ctl::stepTextLabel, kWebsiteAddress);
    ScheduleUpdateCheck(app);
}

}  // namespace dv
