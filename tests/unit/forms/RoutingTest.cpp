// The routing table and the window close requests.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "forms/Catalogue.h"
#include "forms/routing/Routing.h"
#include "shell/Publisher.h"
#include "shell/Settings.h"
#include "shell/main/Help.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

TEST(Routing, EveryRouteNamesAnExistingControlOnce) {
    std::set<std::pair<Ctl, Event>> seen;
    for (const RoutedEvent& r : routedEvents()) {
        EXPECT_TRUE(windowTables().control(r.control) || windowTables().window(r.control))
            << controlName(r.control);
        EXPECT_TRUE(seen.insert({r.control, r.event}).second)
            << controlName(r.control) << " routed twice for one event";
    }
    EXPECT_GT(seen.size(), 30u);
}

class RoutingTest : public ::testing::Test {
protected:
    FakePlatform p;
    App& app = p.app;
    FakeUi& ui = p.ui;

    void addRows(int n) {
        for (int i = 0; i < n; ++i) ui.appendRow(Ctl::resultList, "f" + std::to_string(i));
    }
};

TEST_F(RoutingTest, WindowGesturesMoveAndMinimise) {
    raiseEvent(app, Ctl::MainWindow, Event::LeftDown);
    ASSERT_EQ(ui.drags.size(), 1u);
    EXPECT_EQ(ui.drags[0], Ctl::MainWindow);

    raiseEvent(app, Ctl::minimizeButton, Event::Click);
    EXPECT_EQ(ui.windowStates[Ctl::MainWindow], WindowState::Minimised);
    raiseEvent(app, Ctl::aboutMinimizeButton, Event::Click);
    EXPECT_EQ(ui.windowStates[Ctl::AboutWindow], WindowState::Minimised);
}

TEST_F(RoutingTest, ResultListAndFileMenuReachTheirHandlers) {
    addRows(3);
    ui.setCurrentRow(Ctl::resultList, 1);
    raiseEvent(app, Ctl::resultList, Event::RowActivated);
    EXPECT_TRUE(ui.isTicked(Ctl::resultList, 1));
    EXPECT_FALSE(ui.isTicked(Ctl::resultList, 0));

    raiseEvent(app, Ctl::fileMenuSelectAll, Event::Click);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(ui.isTicked(Ctl::resultList, i));

    raiseEvent(app, Ctl::resultList, Event::RowContext);
    ASSERT_EQ(ui.menus.size(), 1u);
    EXPECT_EQ(ui.menus[0], Ctl::fileMenu);
}

TEST_F(RoutingTest, ControlsWithoutRouteDoNothing) {
    raiseEvent(app, Ctl::appIconPicture, Event::Click);
    raiseEvent(app, Ctl::titleLabel, Event::Tick);
    raiseEvent(app, Ctl::None, Event::Click);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.opened.empty());
    EXPECT_TRUE(ui.drags.empty());
    EXPECT_FALSE(ui.ended);
}

// The help button and F1 open the manual beside the program, and only a file: help.chm
// in the HTML Help viewer, its downloaded-file mark taken off first, else help.hlp.
TEST(HelpRouting, HelpButtonAndF1OpenTheManualThereIs) {
    const std::string hlp = "C:\\Dustvane\\help.hlp", chm = "C:\\Dustvane\\help.chm";
    const std::string mark = chm + ":Zone.Identifier";
    enum class There { Nothing, Folder, File, MarkedFile };
    struct Row {
        There hlp, chm;
        bool viewer;  // the system has an HTML Help viewer
        std::string opened;
    };
    const Row rows[] = {
        {There::Nothing, There::Nothing, true, ""},
        {There::Folder, There::Nothing, true, ""},
        {There::File, There::Nothing, true, hlp},
        {There::File, There::File, true, chm},
        {There::Nothing, There::MarkedFile, true, chm},
        {There::File, There::Folder, true, hlp},
        {There::File, There::MarkedFile, false, hlp},
        {There::Nothing, There::File, false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << int(r.hlp) << int(r.chm) << r.viewer);
        FakePlatform p;
        for (auto [there, file] : {std::pair(r.hlp, hlp), std::pair(r.chm, chm)}) {
            if (there == There::Folder) p.fs.addFolder(file);
            if (there >= There::File) p.fs.addFile(file, "?_");
        }
        if (r.chm == There::MarkedFile) p.fs.addFile(mark, "[ZoneTransfer]\r\nZoneId=3\r\n");
        p.shell.htmlHelpViewer = r.viewer;
        const bool chmIsFile = r.chm >= There::File;
        EXPECT_EQ(helpFilePath(p.app), chmIsFile ? chm : hlp);  // the one Startup names

        raiseEvent(p.app, Ctl::MainWindow, Event::Help);
        raiseEvent(p.app, Ctl::helpButton, Event::Click);
        EXPECT_EQ(p.ui.helpFiles[Ctl::MainWindow], r.opened == chm ? chm : hlp);
        EXPECT_TRUE(p.ui.messages.empty());
        // F1, then the button.
        EXPECT_EQ(p.shell.openedHtmlHelp, std::vector<std::string>(r.opened == chm ? 2 : 0, chm));
        EXPECT_EQ(p.shell.openedHelp, std::vector<std::string>(r.opened == hlp ? 2 : 0, hlp));
        EXPECT_EQ(p.fs.deleted, std::vector<std::string>(r.chm == There::MarkedFile, mark));
        EXPECT_EQ(p.fs.exists(chm), r.chm != There::Nothing);  // only the mark goes
    }
}

TEST_F(RoutingTest, DialogButtonsCloseTheirOwnWindow) {
    ui.openWindows = {Ctl::MainWindow, Ctl::PrivacyTracesWindow, Ctl::ExclusionListWindow};
    raiseEvent(app, Ctl::exclusionReturnButton, Event::Click);
    EXPECT_EQ(ui.openWindows, (std::set<Ctl>{Ctl::MainWindow, Ctl::PrivacyTracesWindow}));
    raiseEvent(app, Ctl::privacyCloseButton, Event::Click);
    EXPECT_EQ(ui.openWindows, std::set<Ctl>{Ctl::MainWindow});
}

TEST_F(RoutingTest, VisitOurWebsiteOpensThePublishersAddress) {
    raiseEvent(app, Ctl::visitWebsiteButton, Event::Click);
    EXPECT_EQ(p.shell.openedAddresses, std::vector<std::string>{kWebsiteAddress});
}

TEST_F(RoutingTest, PrivacyWindowTicksTheStepBoxUnlessNotShowIsOne) {
    for (uint32_t notShow : {0u, 1u, 2u}) {
        regWriteInt(app, kUsers, kNotShowItem, notShow);
        ui.setChecked(Ctl::privacyShowStepCheck, notShow == 1);  // opening must turn it
        ui.openModal(Ctl::PrivacyTracesWindow);
        EXPECT_EQ(ui.isChecked(Ctl::privacyShowStepCheck), notShow != 1) << notShow;
    }
}

TEST_F(RoutingTest, CloseRequests) {
    // The splash closes itself on its timer; the system close key does not cut it short.
    EXPECT_FALSE(closeRequested(app, Ctl::SplashWindow));
    EXPECT_TRUE(closeRequested(app, Ctl::AboutWindow));
    // The wizard may go, but MainWindow must not stay hidden behind it.
    ui.setVisible(Ctl::MainWindow, false);
    EXPECT_TRUE(closeRequested(app, Ctl::StartupWizardWindow));
    EXPECT_TRUE(ui.isVisible(Ctl::MainWindow));

    // MainWindow asks first and closes only on Yes.
    EXPECT_FALSE(closeRequested(app, Ctl::MainWindow));
    ui.answers.push_back(kIdYes);
    EXPECT_TRUE(closeRequested(app, Ctl::MainWindow));
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(ui.ended);  // the close request lets the window close; it ends nothing itself
}

}  // namespace
}  // namespace dv
