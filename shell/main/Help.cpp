#include "shell/main/Help.h"

#include "shell/Settings.h"

namespace dv {

namespace {

bool isFile(App& app, const std::string& path) {
    uint32_t attributes = app.fs.attributes(path);
    return attributes != kInvalidAttributes && !(attributes & kAttrDirectory);
}

std::string htmlHelpFile(const App& app) { return basePath(app, "\\help.chm"); }
std::string winHelpFile(const App& app) { return basePath(app, "\\help.hlp"); }

}  // namespace

std::string helpFilePath(App& app) {
    const std::string chm = htmlHelpFile(app);
    return isFile(app, chm) ? chm : winHelpFile(app);
}

void showHelp(App& app) {
    const std::string chm = htmlHelpFile(app);
    if (isFile(app, chm)) {
        app.ui.setHelpFile(Ctl::MainWindow, chm);
        // The stream in which Windows marks a file that came from the internet (a zip
        // unpacked by Explorer passes it on): only this one file's, never the file itself.
        app.fs.deleteFile(chm + ":Zone.Identifier");
        if (app.shell.openHtmlHelp(chm)) return;
    }
    const std::string hlp = winHelpFile(app);
    app.ui.setHelpFile(Ctl::MainWindow, hlp);
    if (isFile(app, hlp)) app.shell.openHelp(hlp);
}

}  // namespace dv
