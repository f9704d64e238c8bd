#include "shell/main/DriveSpace.h"

#include "search/Patterns.h"
#include "shell/Texts.h"
#include "text/NumberText.h"

namespace dv {

namespace {

constexpr int kFullBarWidth = 250;
constexpr uint32_t kFreeBarColour = 0xD2FFD2;
constexpr uint32_t kTotalBarColour = 0xB3B3FF;

std::string megabytes(uint64_t kilobytes) { return formatRounded2(double(kilobytes) / 1024.0); }

}  // namespace

DriveSpace driveSpaceOfItem(App& app, const std::string& item) {
    DriveSpace space;
    if (item.size() < 3) return space;
    // The drive letter is the first of the item's last three characters.
    const std::string root = item.substr(item.size() - 3, 1) + ":\\";
    uint64_t total = 0, free = 0;
    if (app.system.diskSpace(root, total, free)) {
        space.totalKb = total >> 10;
        space.freeKb = free >> 10;
    }
    return space;
}

int freeBarWidth(const DriveSpace& space) {
    if (space.totalKb == 0) return 0;
    const double share = double(space.freeKb) / double(space.totalKb);
    return share >= 1.0 ? kFullBarWidth : int(share * kFullBarWidth);
}

void showDriveSpace(App& app, const DriveSpace& space) {
    Ui& ui = app.ui;
    const std::string free = megabytes(space.freeKb), total = megabytes(space.totalKb);
    ui.setText(Ctl::diskSpaceText, textOfKey(app, 50) + " " + free + " MB\r\n" +
                                       textOfKey(app, 51) + " " + total + " MB");
    // Without figures both bars take the colour of the panel behind them and vanish.
    const uint32_t panel = ui.backColour(Ctl::junkTypesLabel);
    ui.setBackColour(Ctl::diskRatioBar, panel);
    ui.setBackColour(Ctl::diskTotalBar, panel);
    if (free == "0" || total == "0") return;
    ui.setBackColour(Ctl::diskRatioBar, kFreeBarColour);
    ui.setBackColour(Ctl::diskTotalBar, kTotalBarColour);
    ui.setWidth(Ctl::diskRatioBar, freeBarWidth(space));
}

void refreshDriveSpace(App& app) {
    Ui& ui = app.ui;
    const int selected = ui.comboSelection(Ctl::driveCombo);
    if (selected < 0) return;
    ui.setText(Ctl::driveCombo, ui.comboItem(Ctl::driveCombo, selected));
    DriveSpace space;
    if (selected != 0) {
        space = driveSpaceOfItem(app, ui.comboItem(Ctl::driveCombo, selected));
    } else {  // "All Hard Drive": the sum over the drives it searches
        for (const std::string& root : searchRoots(app)) {
            const DriveSpace one = driveSpaceOfItem(app, root);
            space.totalKb += one.totalKb;
            space.freeKb += one.freeKb;
        }
    }
    showDriveSpace(app, space);
}

}  // namespace dv
