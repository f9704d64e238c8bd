#include "search/JunkTypes.h"

#include "search/ListFile.h"
#include "search/Matcher.h"
#include "shell/Settings.h"
#include "shell/Texts.h"

namespace dv {

namespace {

bool isPattern(const std::string& text) {
    return !text.empty() && text.find(' ') == std::string::npos;
}

}  // namespace

int findComboItemStartingWith(App& app, Ctl combo, const std::string& text) {
    const std::string wanted = foldedName(text);
    for (int i = 0; i < app.ui.comboCount(combo); ++i)
        if (foldedName(app.ui.comboItem(combo, i)).compare(0, wanted.size(), wanted) == 0) return i;
    return -1;
}

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
    const int known = findComboItemStartingWith(app, Ctl::patternSetCombo, description);
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
