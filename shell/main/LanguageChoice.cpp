#include "shell/main/LanguageChoice.h"

#include "shell/Language.h"
#include "shell/Settings.h"
#include "shell/main/DriveSpace.h"
#include "text/Text.h"

namespace dv {

namespace {

void chooseValue(App& app, const char* value) {
    iniWrite(app, basePath(app, kLanguageIni), kLanguageSection, "language", value);
    loadAndApplyLanguage(app);  // a missing file keeps the texts; the value stays written
}

bool hasLngExtension(const std::string& name) {
    return name.size() > 4 && foldedName(name.substr(name.size() - 4)) == ".lng";
}

// The files of the others folder, in the order the file system gives them. The system's
// wildcard also matches longer extensions through short names ("a.lngx"): those stay out.
std::vector<std::string> otherLanguageFiles(App& app) {
    std::vector<DirEntry> entries;
    std::vector<std::string> names;
    app.fs.findFiles(basePath(app, kOthersFolder) + "*.lng", entries);
    for (const DirEntry& e : entries)
        if (!e.isFolder() && hasLngExtension(e.name)) names.push_back(e.name);
    return names;
}

}  // namespace

void applyMainWindowTexts(App& app) {
    applyWindowTexts(app, Ctl::MainWindow);
    if (app.ui.comboSelection(Ctl::driveCombo) >= 0) refreshDriveSpace(app);
}

void loadAndApplyLanguage(App& app) {
    // Empty lines would empty every caption; like every window, MainWindow then keeps its texts.
    if (loadLanguage(app) == 1 && !app.state.languageLines.empty()) applyMainWindowTexts(app);
}

void popUpLanguageMenu(App& app) { app.ui.popupMenu(Ctl::languageMenu); }

void chooseEnglish(App& app) { chooseValue(app, "3"); }
void chooseChineseSimplified(App& app) { chooseValue(app, "1"); }
void chooseChineseTraditional(App& app) { chooseValue(app, "2"); }
void chooseJapanese(App& app) { chooseValue(app, "4"); }
void chooseOtherLanguage(App& app) { app.ui.openModal(Ctl::LanguageWindow); }

void languageWindowCreated(App& app) {
    Ui& ui = app.ui;
    ui.processPendingMessages();
    applyDialogTexts(app, Ctl::LanguageWindow);
    ui.processPendingMessages();
    const std::vector<std::string> names = otherLanguageFiles(app);
    for (const std::string& name : names) ui.appendRow(Ctl::languageList, name);
    ui.processPendingMessages();
    if (languageValue(app) != "5") return;
    const int row = firstStartingWith(names, otherLanguageFile(app));
    if (row < 0) return;
    ui.setCurrentRow(Ctl::languageList, row);
    ui.setTicked(Ctl::languageList, row, true);
}

// Only the chosen row counts, and only when it is ticked as well.
void applyChosenLanguageFile(App& app) {
    Ui& ui = app.ui;
    const int row = ui.currentRow(Ctl::languageList);
    if (row < 0 || !ui.isTicked(Ctl::languageList, row)) return;
    const std::string name = ui.cell(Ctl::languageList, row, 0);
    ui.setVisible(Ctl::LanguageWindow, false);
    iniWrite(app, basePath(app, kLanguageIni), kLanguageSection, "language", "5");
    iniWrite(app, basePath(app, kOthersIni), kLanguageSection, "Filename", name);
    loadAndApplyLanguage(app);
    ui.closeWindow(Ctl::LanguageWindow);
}

}  // namespace dv
