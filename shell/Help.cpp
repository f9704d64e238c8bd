#include "shell/Help.h"

#include "shell/Settings.h"

namespace dv {

void showHelp(App& app) {
    const std::string helpFile = basePath(app, "\\help.hlp");
    app.ui.setHelpFile(Ctl::MainWindow, helpFile);
    uint32_t attributes = app.fs.attributes(helpFile);
    if (attributes == kInvalidAttributes || (attributes & kAttrDirectory)) return;
    app.shell.openHelp(helpFile);
}

}  // namespace dv
