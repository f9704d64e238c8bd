#include "search/JunkTypes.h"

#include <vector>

#include "search/ListFile.h"
#include "shell/Settings.h"
#include "shell/Texts.h"
#include "text/Text.h"

namespace dv {

namespace {

bool isPattern(const std::string& text) {
    return !text.empty() && text.find(' ') == std::string::npos;
}

std::vector<std::string> comboItems(App& app, Ctl combo) {
    std::vector<std::string> items;
    for (int i = 0; i < app.ui.comboCount(combo); ++i) items.push_back(app.ui.comboItem(combo, i));
    return items;
}

}  // namespace

void updateTypeDescription(App& app) {
    const std::string pattern = app.ui.text(Ctl::addTypePatternEdit);
    if (isPattern(pattern))
        app.ui.setText(Ctl::addTypeDescriptionEdit, "Find " + pattern + " files only");
}

void addJunkType(App& app) {
    Ui& ui = app.ui;
    const std::string description = ui.text(Ctl::addTypeDescriptionEdit);
    if (!isPattern(ui.text(Ctl::addTypePatternEdit)) || description.empty()) return;

    // Selected without the selection-changed event: the pattern list follows at the next
    // search or choice.
    const int known = firstStartingWith(comboItems(app, Ctl::patternSetCombo), description);
    if (known >= 0) {
        ui.setComboSelection(Ctl::patternSetCombo, known);
        showKeyMessage(app, 70);
        return;
    }
    ui.comboAdd(Ctl::patternSetCombo, description);
    if (appendListLine(app, basePath(app, "\\Files.txt"), description))
        ui.messageBox("OK", "Info.", kMbOk | kMbTaskModal);
}

}  // namespace dv
