#include "search/SearchEngine.h"
#include "shell/Texts.h"
#include "shell/main/Startup.h"

namespace dv {

namespace {

// Refuses during a search; otherwise asks. True on an explicit Yes.
bool confirmExit(App& app) {
    if (searchRunning(app)) {
        showKeyMessage(app, 47);
        return false;
    }
    return app.ui.messageBox(textOfKey(app, 49), "Dustvane", kMbYesNo | kMbIconQuestion) == kIdYes;
}

}  // namespace

void exitRequest(App& app) {
    if (confirmExit(app)) app.ui.endProgram(0);
}

bool closeRequest(App& app) { return confirmExit(app); }

}  // namespace dv
