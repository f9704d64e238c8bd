#include "tests/gui/SearchSteps.h"

#include <cctype>

#include "tests/gui/GuiTest.h"

namespace gui {

namespace mw = main_window;

SearchSteps::SearchSteps(HWND topWindow, HANDLE proc) : top(topWindow), process(proc) {
    drives = placed(top, mw::driveCombo);
    sets = placed(top, mw::patternSetCombo);
    start = placed(top, mw::startSearchButton);
    cancel = placed(top, mw::cancelButton);
    reset = placed(top, mw::resetButton);
    recovery = placed(top, mw::recoveryButton);
    list = placed(top, mw::resultList);
    alert = placed(top, mw::alertLabel);
    status = placed(top, mw::statusLabel);
    statistics = placed(top, mw::statisticsTitleLabel);
    deleteAll = placed(top, mw::deleteAllButton);
    addType = placed(top, mw::addGarbageTypeButton);
    recovered = placed(top, mw::recoveredLabel);
    backupRadio = placed(top, mw::backupModeRadio);
    backupFolder = placed(top, mw::backupFolderButton);
}

bool SearchSteps::ready() const {
    return drives && sets && start && cancel && reset && recovery && list && alert && status &&
           statistics && deleteAll && addType && recovered && backupRadio && backupFolder;
}

bool SearchSteps::choose(const std::string& drive, int patternItem) {
    if (drive.size() < 2 || drive[1] != ':') return false;
    const char letter = static_cast<char>(toupper(static_cast<unsigned char>(drive[0])));
    if (letter < 'C' || letter > 'Z') return false;
    const std::string item = std::string("Hard Drive ") + letter + ":\\";
    selectCombo(drives, 1 + (letter - 'C'));
    selectCombo(sets, patternItem);
    return waitUntil([&] { return textOf(drives) == item && comboSelection(sets) == patternItem; },
                     kShortWait);
}

bool SearchSteps::run(DWORD timeoutMs) {
    const std::string before = textOf(statistics);
    click(start);
    // The summary names the row count; it is written after the walk, with the button
    // enabled again.
    return waitUntil(
        [&] {
            const std::string now = textOf(statistics);
            return enabled(start) && now != before &&
                   containsNumber(now, listRowCount(list));
        },
        timeoutMs, 50);
}

bool RunningSearchTest::startLongSearch() {
    if (!wide.ready() || !(top = startNormal())) return false;
    steps = std::make_unique<SearchSteps>(top, app().process());
    if (!steps->ready() || !steps->choose(testDrive(), 0)) return false;
    click(steps->start);
    return true;
}

}  // namespace gui
