// The window tables: completeness, containment, the shared button place, radio groups and
// the language keys of MainWindow.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "forms/Catalogue.h"
#include "search/Patterns.h"

namespace dv {
namespace {

const Ctl kWindows[] = {Ctl::MainWindow,        Ctl::SplashWindow,         Ctl::StartupWizardWindow,
                        Ctl::AddGarbageTypeWindow, Ctl::AboutWindow,       Ctl::LanguageWindow,
                        Ctl::UpdateSettingsWindow, Ctl::PrivacyTracesWindow, Ctl::ExclusionListWindow};

bool isWindow(Ctl c) {
    for (Ctl w : kWindows)
        if (w == c) return true;
    return false;
}

bool isVisual(Kind k) {
    return k != Kind::Timer && k != Kind::Menu && k != Kind::MenuItem && k != Kind::MenuSeparator;
}

struct Rect {
    int x, y, w, h;
};

// A combo's table height is its open drop-down list; closed it is one line high.
Rect shownRect(const ControlSpec& c) {
    return {c.x, c.y, c.width, c.kind == Kind::Combo ? std::min(c.height, 20) : c.height};
}

TEST(Catalogue, EveryNameSitsInExactlyOneRowOfItsOwnWindow) {
    std::set<std::string> names;
    Ctl owner = Ctl::None;
    for (int i = int(Ctl::None) + 1; i < int(Ctl::Count); ++i) {
        Ctl c = Ctl(i);
        EXPECT_TRUE(names.insert(controlName(c)).second) << "name used twice: " << controlName(c);
        if (isWindow(c)) {
            owner = c;
            ASSERT_NE(windowTables().window(c), nullptr) << controlName(c);
            continue;
        }
        int rows = 0;
        for (Ctl w : kWindows) {
            const WindowSpec* spec = windowTables().window(w);
            for (size_t k = 0; k < spec->controlCount; ++k) {
                if (spec->controls[k].id != c) continue;
                ++rows;
                EXPECT_EQ(w, owner) << controlName(c) << " sits in " << controlName(w);
            }
        }
        EXPECT_EQ(rows, 1) << controlName(c);
        EXPECT_EQ(windowTables().windowOf(c), owner) << controlName(c);
    }
    EXPECT_STREQ(controlName(Ctl::resultList), "resultList");
    EXPECT_STREQ(controlName(Ctl::ExclusionListWindow), "ExclusionListWindow");
}

TEST(Catalogue, ParentsAreEarlierContainersAndChildrenFitInside) {
    for (Ctl w : kWindows) {
        const WindowSpec* spec = windowTables().window(w);
        EXPECT_STREQ(spec->caption, w == Ctl::AboutWindow ? "About Dustvane" : "Dustvane");
        std::set<Ctl> seen;
        for (size_t k = 0; k < spec->controlCount; ++k) {
            const ControlSpec& c = spec->controls[k];
            const char* name = c.id == Ctl::None ? "separator" : controlName(c.id);
            EXPECT_EQ(c.id == Ctl::None, c.kind == Kind::MenuSeparator) << name;
            bool isMenuEntry = c.kind == Kind::MenuItem || c.kind == Kind::MenuSeparator;
            if (c.parent == Ctl::None) {
                EXPECT_FALSE(isMenuEntry) << name << " needs its menu";
                if (isVisual(c.kind)) {
                    Rect r = shownRect(c);
                    EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= spec->width &&
                                r.y + r.h <= spec->height)
                        << name << " leaves " << controlName(w);
                }
            } else {
                ASSERT_TRUE(seen.count(c.parent)) << name << ": parent missing or later";
                const ControlSpec* p = windowTables().control(c.parent);
                if (isMenuEntry) {
                    EXPECT_EQ(p->kind, Kind::Menu) << name;
                } else {
                    ASSERT_TRUE(p->kind == Kind::Panel || p->kind == Kind::GroupBox) << name;
                    Rect r = shownRect(c);
                    EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= p->width &&
                                r.y + r.h <= p->height)
                        << name << " leaves " << controlName(c.parent);
                }
            }
            if (c.kind == Kind::Timer) {
                EXPECT_EQ(c.timerMs, w == Ctl::SplashWindow ? 1000 : 0) << name;
            }
            seen.insert(c.id);
        }
    }
}

TEST(Catalogue, MainWindowStartsIdleWithPermanentDeletion) {
    const ControlSpec* add = windowTables().control(Ctl::addGarbageTypeButton);
    const ControlSpec* del = windowTables().control(Ctl::deleteAllButton);
    EXPECT_EQ(std::tie(add->parent, add->x, add->y, add->width, add->height),
              std::tie(del->parent, del->x, del->y, del->width, del->height));
    EXPECT_NE(add->flags & kHidden, del->flags & kHidden);
    EXPECT_TRUE(del->flags & kHidden);

    const WindowSpec* main = windowTables().window(Ctl::MainWindow);
    int radios = 0, checked = 0;
    for (size_t k = 0; k < main->controlCount; ++k) {
        const ControlSpec& c = main->controls[k];
        if (c.kind != Kind::Radio) continue;
        EXPECT_EQ(bool(c.flags & kFirstRadio), radios == 0) << controlName(c.id);
        ++radios;
        if (c.flags & kChecked) {
            ++checked;
            EXPECT_EQ(c.id, Ctl::permanentModeRadio);
        }
    }
    EXPECT_EQ(radios, 3);
    EXPECT_EQ(checked, 1);

    for (Ctl c : {Ctl::alertLabel, Ctl::backupFolderButton, Ctl::stepPanel})
        EXPECT_TRUE(windowTables().control(c)->flags & kHidden) << controlName(c);
    for (Ctl c : {Ctl::titleLabel, Ctl::stepBackLabel, Ctl::stepTextLabel})
        EXPECT_TRUE(windowTables().control(c)->flags & kDrags) << controlName(c);
}

TEST(Catalogue, MainWindowLanguageKeys) {
    struct Expect {
        Ctl control;
        int captionKey, tooltipKey;
        const char* text;
    };
    const Expect table[] = {
        {Ctl::footerLabel, 1, 0, nullptr},
        {Ctl::junkTypesLabel, 5, 0, nullptr},
        {Ctl::deleteAllButton, 7, 8, "Delete All Garbage Files"},
        {Ctl::internetCleanerButton, 13, 14, "Internet Cleaner"},
        {Ctl::addGarbageTypeButton, 25, 26, "Add Garbage File Type"},
        {Ctl::resultList, 27, 0, nullptr},
        {Ctl::backupModeRadio, 30, 0, "Backup the file(s) before delete file(s)"},
        {Ctl::languageButton, 0, 36, nullptr},
        {Ctl::fileMenuDeleteTicked, 39, 0, "Delete selected files"},  // it deletes, never unticks
        {Ctl::languageMenuOthers, 112, 0, "Others ..."},
        {Ctl::showStepCheck, 111, 0, "Show the step window when start"},
        {Ctl::titleLabel, 0, 0, "Dustvane"},
    };
    for (const Expect& e : table) {
        const ControlSpec* c = windowTables().control(e.control);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->captionKey, e.captionKey) << controlName(e.control);
        EXPECT_EQ(c->tooltipKey, e.tooltipKey) << controlName(e.control);
        if (e.text) {
            EXPECT_STREQ(c->text, e.text) << controlName(e.control);
        }
        if (c->tooltipKey) {
            EXPECT_TRUE(c->tooltip && *c->tooltip) << controlName(e.control);
        }
    }
}

TEST(Catalogue, ListColumnsAndComboItems) {
    auto results = windowTables().columns(Ctl::resultList);
    ASSERT_EQ(results.size(), 5u);
    const int widths[] = {130, 100, 80, 100, 200};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(results[i].width, widths[i]);
    EXPECT_STREQ(results[4].title, "Garbage File Path and File Name");
    auto excluded = windowTables().columns(Ctl::exclusionList);
    ASSERT_EQ(excluded.size(), 1u);
    EXPECT_EQ(excluded[0].width, 272);
    EXPECT_STREQ(excluded[0].title, "");
    EXPECT_TRUE(windowTables().columns(Ctl::languageList).empty());

    auto drives = storedComboItems(Ctl::driveCombo);
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), "All Hard Drive");
    auto sets = storedComboItems(Ctl::patternSetCombo);
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets.front(), "Find Garbage Files SET 0(Includes 81 Types)");
    EXPECT_TRUE(storedComboItems(Ctl::resultList).empty());
}

}  // namespace
}  // namespace dv
