// The update check seen from outside: "Check now" and the automatic switch in
// UpdateSettingsWindow, and the check due at start-up in compact automatic mode. The
// version file comes from a server of the test's own on 127.0.0.1.
#include "tests/gui/CleanerFolders.h"
#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"
#include "tests/support/LoopbackHttpServer.h"

namespace gui {
namespace {

namespace mw = main_window;

using dvtest::LoopbackHttpServer;

constexpr char kNewest[] = "You have the newest version of Dustvane.";  // key 131 in English

// The date text of the settings file (year, month, day with 年 月 日 in GBK), `daysAgo`
// days before today.
std::string dateTextOf(int daysAgo) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME ft;
    SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart -= ULONGLONG(daysAgo) * 24 * 3600 * 10000000;
    ft = {t.LowPart, t.HighPart};
    SYSTEMTIME d;
    FileTimeToSystemTime(&ft, &d);
    return std::to_string(d.wYear) + "\xC4\xEA" + std::to_string(d.wMonth) + "\xD4\xC2" +
           std::to_string(d.wDay) + "\xC8\xD5";
}

class UpdateCheckTest : public GuiTest {
protected:
    // The shipped English texts, and the settings file pointing at the server.
    void prepare(const LoopbackHttpServer& server, const std::string& updateSection) {
        ASSERT_TRUE(server.running());
        const std::string built = builtProgramPath();
        const std::string shipped = built.substr(0, built.rfind('\\')) + "\\LANGUAGE\\";
        const std::string mine = app().folder() + "\\LANGUAGE\\";
        ASSERT_TRUE(makeFolders(mine));
        for (const char* f : {"language.ini", "English.lng"})
            ASSERT_TRUE(CopyFileA((shipped + f).c_str(), (mine + f).c_str(), FALSE)) << shipped << f;
        ASSERT_TRUE(pointAt(server, updateSection));
    }
    bool pointAt(const LoopbackHttpServer& server, const std::string& updateSection = "") {
        return writeFile(settingsFile(), updateSection + "[version]\r\nlistaddress=" +
                                              server.url("/en/dustvane/update.ini") + "\r\n");
    }
    std::string settingsFile() { return app().folder() + "\\dustvaneset.ini"; }
    // Opens UpdateSettingsWindow from the main window.
    HWND openDialog(HWND top) {
        HWND opener = placed(top, Ctl::updateSettingsButton);
        if (!opener) return nullptr;
        click(opener);
        return waitTopWindow(pid(), Ctl::UpdateSettingsWindow, kShortWait);
    }
};

TEST_F(UpdateCheckTest, CheckNowShowsTheOutcomeAndTheSwitchWritesTheSchedule) {
    LoopbackHttpServer server(LoopbackHttpServer::ok("[version]\r\nmainver=8.50\r\n"));
    prepare(server, "");
    HWND top = startNormal();
    ASSERT_TRUE(top);
    HWND dialog = openDialog(top);
    ASSERT_TRUE(dialog) << "no UpdateSettingsWindow";
    HWND status = waitControl(dialog, Find().className("Static").at(26, 72, 232, 18), kShortWait);
    HWND days = findControl(dialog, Find().className("Edit").at(100, 46, 64, 18));
    HWND autoBox = findControl(dialog, Find().caption("Check if a new version is available"));
    HWND checkNow = findControl(dialog, Find().caption("Check now"));
    ASSERT_TRUE(status && days && autoBox && checkNow);
    EXPECT_EQ(textOf(days), "10");
    EXPECT_FALSE(enabled(days));

    click(checkNow);
    EXPECT_TRUE(waitUntil([&] { return textOf(status) == kNewest; }, kLongWait)) << textOf(status);
    EXPECT_EQ(server.connections(), 1);
    EXPECT_FALSE(fileExists(app().folder() + "\\update.ini"));

    click(autoBox);
    EXPECT_TRUE(waitUntil([&] { return enabled(days); }, kShortWait));
    const std::string settings = fileContent(settingsFile());
    for (const std::string& line : {std::string("auto=T"), std::string("day=10"), "time=" + dateTextOf(0)})
        EXPECT_NE(settings.find(line + "\r\n"), std::string::npos) << line << "\n" << settings;
}

// An outcome that arrives after its dialog has closed goes nowhere; ending the program
// while a request waits on a server that never answers takes a moment, not its timeout.
TEST_F(UpdateCheckTest, ClosingTheDialogOrTheProgramDuringACheck) {
    LoopbackHttpServer quick(LoopbackHttpServer::ok("[version]\r\nmainver=8.50\r\n"));
    LoopbackHttpServer silent("", true);
    prepare(quick, "");
    HWND top = startNormal();
    ASSERT_TRUE(top);
    auto checkAndClose = [&](LoopbackHttpServer& server) {
        HWND dialog = openDialog(top);
        ASSERT_TRUE(dialog);
        HWND status = waitControl(dialog, Find().className("Static").at(26, 72, 232, 18), kShortWait);
        HWND checkNow = findControl(dialog, Find().caption("Check now"));
        HWND back = findControl(dialog, Find().caption("Return"));
        ASSERT_TRUE(status && checkNow && back);
        EXPECT_EQ(textOf(status), ". . . . . .");
        click(checkNow);
        click(back);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kShortWait));
        EXPECT_TRUE(waitUntil([&] { return server.connections() == 1; }, kShortWait));
    };
    checkAndClose(quick);
    Sleep(4000);  // the outcome has come and gone
    EXPECT_TRUE(app().running());

    ASSERT_TRUE(pointAt(silent));
    checkAndClose(silent);
    HWND exitButton = placed(top, Ctl::exitButton);
    ASSERT_TRUE(exitButton);
    click(exitButton);
    MessageBoxSeen box = waitMessageBox(pid(), kShortWait);
    ASSERT_TRUE(box.hwnd);
    const DWORD asked = GetTickCount();
    ASSERT_TRUE(pressDialogButton(box.hwnd, "Yes"));
    DWORD code = 1234;
    ASSERT_TRUE(app().waitExit(kLongWait, &code));
    EXPECT_EQ(0u, code);
    EXPECT_LT(GetTickCount() - asked, 5000u);
}

TEST_F(UpdateCheckTest, CheckDueAtStartReportsIntoTheCompactWindow) {
    if (!onlyTestDrives()) GTEST_SKIP() << "drives other than C: and the test drive exist";
    LoopbackHttpServer server(LoopbackHttpServer::ok("[version]\r\nmainver=8\r\n"));
    prepare(server, "[update]\r\nauto=T\r\nday=10\r\ntime=" + dateTextOf(10) + "\r\n");
    CleanerFolders folders(app());  // the cleaners of this mode work on stand-ins
    ASSERT_TRUE(folders.problem.empty()) << folders.problem;
    setStartSwitch("AutoSearch", 1);
    ASSERT_TRUE(app().start()) << app().error();
    HWND top = waitTopWindow(pid(), "Dustvane", mw::kCompactWidth, mw::kCompactHeight, kLongWait);
    ASSERT_TRUE(top) << "no compact window";
    HWND step = placed(top, Ctl::stepTextLabel);
    ASSERT_TRUE(step);
    // The work of this mode ends long before the check; the end waits and leaves the
    // outcome on screen for a moment.
    EXPECT_TRUE(waitUntil([&] { return textOf(step) == kNewest; }, kLongWait)) << textOf(step);
    EXPECT_EQ(server.connections(), 1);
    DWORD code = 1234;
    ASSERT_TRUE(app().waitExit(180000, &code)) << "compact mode did not end";
    EXPECT_EQ(0u, code);
    EXPECT_NE(fileContent(settingsFile()).find("time=" + dateTextOf(0) + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace gui
