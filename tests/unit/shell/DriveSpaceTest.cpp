#include "forms/FormColours.h"
#include "forms/routing/Routing.h"
#include "shell/main/DriveSpace.h"
#include "tests/unit/shell/ShellTestSupport.h"

namespace dv {
namespace {

constexpr uint64_t kGb = 1ull << 30;

TEST(DriveSpace, FiguresBarsAndColours) {
    struct Case {
        const char* name;
        int selection;  // 0: all drives
        std::vector<std::pair<const char*, std::pair<uint64_t, uint64_t>>> disks;
        const char* text;
        bool bars;
        int width;
        std::vector<std::pair<const char*, DriveKind>> kinds = {};  // the rest are fixed disks
    };
    const Case cases[] = {
        {"10 GB, 2.5 GB free", 1, {{"c:\\", {10 * kGb, 5 * kGb / 2}}},
         "Free: 2560 MB\r\nTotal: 10240 MB", true, 62},
        {"4 TB", 2, {{"d:\\", {4096 * kGb, 1024 * kGb}}},
         "Free: 1048576 MB\r\nTotal: 4194304 MB", true, 62},
        {"all drives add up past 2 TB", 0,
         {{"c:\\", {3072 * kGb, 3 * kGb}}, {"z:\\", {3072 * kGb, 1 * kGb}}},
         "Free: 4096 MB\r\nTotal: 6291456 MB", true, 0},
        {"all drives are the fixed disks", 0,
         {{"c:\\", {10 * kGb, 5 * kGb / 2}}, {"n:\\", {kGb, kGb}}, {"r:\\", {kGb, kGb}}},
         "Free: 2560 MB\r\nTotal: 10240 MB", true, 62,
         {{"n:\\", DriveKind::Network}, {"r:\\", DriveKind::Removable}}},
        {"empty drive", 1, {{"c:\\", {700 << 20, 0}}}, "Free: 0 MB\r\nTotal: 700 MB", false, 0},
        {"no volume", 3, {}, "Free: 0 MB\r\nTotal: 0 MB", false, 0},
        {"12.5 MB", 1, {{"c:\\", {25 << 19, 25 << 19}}}, "Free: 12.5 MB\r\nTotal: 12.5 MB", true,
         250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        p.app.state.languageLines.assign(51, "");
        p.app.state.languageLines[49] = "50=Free:";
        p.app.state.languageLines[50] = "51=Total:";
        for (const auto& [root, space] : c.disks) p.system.disks[root] = space;
        for (const auto& [root, kind] : c.kinds) p.system.driveKinds[root] = kind;
        p.ui.setWidth(Ctl::diskRatioBar, 0);
        p.ui.setComboSelection(Ctl::driveCombo, c.selection);
        raiseEvent(p.app, Ctl::driveCombo, Event::SelChange);
        EXPECT_EQ(p.ui.text(Ctl::diskSpaceText), c.text);
        EXPECT_EQ(p.ui.text(Ctl::driveCombo), p.ui.comboItem(Ctl::driveCombo, c.selection));
        const uint32_t panel = p.ui.backColour(Ctl::junkTypesLabel);
        EXPECT_EQ(panel, kFormBlue);
        EXPECT_EQ(p.ui.backColour(Ctl::diskRatioBar), c.bars ? 0xD2FFD2u : panel);
        EXPECT_EQ(p.ui.backColour(Ctl::diskTotalBar), c.bars ? 0xB3B3FFu : panel);
        EXPECT_EQ(p.ui.state(Ctl::diskRatioBar).width, c.width);
    }
}

}  // namespace
}  // namespace dv
