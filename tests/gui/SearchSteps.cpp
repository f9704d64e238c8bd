#include "tests/gui/SearchSteps.h"

#include <cctype>

#include "tests/gui/GuiTest.h"

namespace gui {

SearchSteps::SearchSteps(HWND topWindow, HANDLE proc) : top(topWindow), process(proc) {
    drives = placed(top, Ctl::driveCombo);
    sets = placed(top, Ctl::patternSetCombo);
    start = placed(top, Ctl::startSearchButton);
    cancel = placed(top, Ctl::cancelButton);
    reset = placed(top, Ctl::resetButton);
    recovery = placed(top, Ctl::recoveryButton);
    list = placed(top, Ctl::resultList);
    alert = placed(top, Ctl::alertLabel);
    status = placed(top, Ctl::statusLabel);
    statistics = placed(top, Ctl::statisticsTitleLabel);
    deleteAll = placed(top, Ctl::deleteAllButton);
    addType = placed(top, Ctl::addGarbageTypeButton);
    recovered = placed(top, Ctl::recoveredLabel);
    backupRadio = placed(top, Ctl::backupModeRadio);
    backupFolder = placed(top, Ctl::backupFolderButton);
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

bool SearchSteps::run(DWORD timeoutMs, WORD key) {
    const std::string before = textOf(statistics);
    if (key)
        postKey(start, key);
    else
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
