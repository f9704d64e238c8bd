// The date text, whole numbers, the automatic schedule, the version check's outcome and
// the settings window.
#include <gtest/gtest.h>

#include "shell/Publisher.h"
#include "shell/Settings.h"
#include "shell/main/Startup.h"
#include "tests/fakes/FakePlatform.h"
#include "update/UpdateCheck.h"
#include "update/UpdateSchedule.h"
#include "update/UpdateSettings.h"

namespace dv {
namespace {

// 年 月 日 in GBK.
#define Y "\xC4\xEA"
#define M "\xD4\xC2"
#define D "\xC8\xD5"

const std::string kSettings = "C:\\Dustvane\\dustvaneset.ini";
const std::string kToday = "2010" Y "3" M "8" D;  // FakeSystem's date

TEST(UpdateDates, TextRoundTripAndRefusals) {
    const CalendarDate dates[] = {{2010, 3, 8}, {1999, 12, 31}, {2024, 2, 29}, {9999, 1, 1}};
    for (const CalendarDate& d : dates) {
        CalendarDate back;
        ASSERT_TRUE(parseDateText(dateText(d), back)) << dateText(d);
        EXPECT_EQ(back.year * 10000 + back.month * 100 + back.day, d.year * 10000 + d.month * 100 + d.day);
    }
    EXPECT_EQ(dateText({2010, 3, 8}), kToday);
    for (const char* bad : {"", "2010-03-08", "2010" Y "13" M "1" D, "2023" Y "2" M "29" D,
                            "2010" Y "3" M "8", "2010" Y "3" M "8" D "x", "99999999999" Y "1" M "1" D}) {
        CalendarDate d{1, 2, 3};
        EXPECT_FALSE(parseDateText(bad, d)) << bad;
        EXPECT_EQ(d.year, 1);
    }
    EXPECT_EQ(daysBetween({2010, 2, 26}, {2010, 3, 8}), 10);
    EXPECT_EQ(daysBetween({2008, 12, 31}, {2009, 1, 1}), 1);
}

TEST(UpdateNumbers, LeadingWholeNumber) {
    struct Row {
        const char* text;
        long value;
    } rows[] = {{"8.00", 8}, {"8.50", 8}, {"8.99", 8}, {"9", 9}, {"  12days", 12}, {"-3.7", -3},
                {"version 9", 0}, {"", 0}, {".5", 0}, {"99999999999999", 2147483647}};
    for (const Row& r : rows) EXPECT_EQ(leadingWholeNumber(r.text), r.value) << r.text;
}

TEST(UpdateSchedule, DueOnceTheIntervalHasPassed) {
    struct Row {
        const char* autoSwitch;
        const char* days;
        const char* last;  // nullptr: no date stored
        bool due;
    } rows[] = {
        {"T", "10", "2010" Y "2" M "26" D, true},   // exactly ten days
        {"T", "10", "2010" Y "2" M "25" D, true},   // a day later still checks
        {"T", "10", "2010" Y "2" M "27" D, false},  // nine days
        {"t", "10", "2010" Y "2" M "1" D, false},   // only "T" switches it on
        {"T", "0", nullptr, true},                  // no date counts as today
        {"T", "10", "garbage", false},
    };
    for (const Row& r : rows) {
        FakePlatform p;
        iniWrite(p.app, kSettings, "update", "auto", r.autoSwitch);
        iniWrite(p.app, kSettings, "update", "day", r.days);
        if (r.last) iniWrite(p.app, kSettings, "update", "time", r.last);
        ScheduleUpdateCheck(p.app);
        const std::string time = iniRead(p.app, kSettings, "update", "time", "none");
        EXPECT_EQ(time, r.due ? kToday : (r.last ? r.last : "none")) << r.autoSwitch << r.days;
        EXPECT_EQ(p.http.called("open"), r.due) << r.autoSwitch << r.days;
        p.threads.runPosted();  // a started check ends with its outcome on screen
    }
}

TEST(UpdateCheck, OutcomeGoesToTheTargetOnTheGuiThread) {
    struct Row {
        const char* remote;
        const char* local;  // nullptr: the default 8.00
        const char* label;
        bool browser;
    } rows[] = {
        {"[version]\r\nmainver=9\r\n", nullptr, "Newer: 9", true},
        {"[version]\r\nmainver=8.50\r\n", nullptr, "Newest", false},
        {"[version]\r\nmainver=8.50\r\n", "7", "Newer: 8", true},
        {"not an ini file", nullptr, "Newest", false},
        {"", nullptr, "Newest", false},
    };
    for (const Row& r : rows) {
        FakePlatform p;
        p.app.state.languageLines.assign(131, "");
        p.app.state.languageLines[129] = "130=Newer: ";
        p.app.state.languageLines[130] = "131=Newest";
        if (r.local) iniWrite(p.app, kSettings, "version", "mainver", r.local);
        p.http.body = r.remote;
        SetUpdateDisplayTarget(p.app, Ctl::updateStatusLabel, kWebsiteAddress);
        RunVersionCheck(p.app);
        EXPECT_TRUE(p.http.called("connect www.example.com:80"));
        EXPECT_EQ(p.threads.pauses, std::vector<uint32_t>{3000});
        EXPECT_FALSE(p.fs.exists("C:\\Dustvane\\update.ini"));
        EXPECT_EQ(p.ui.text(Ctl::updateStatusLabel), ". . . . . .") << "nothing is written from the worker";
        p.threads.runPosted();
        EXPECT_EQ(p.ui.text(Ctl::updateStatusLabel), r.label) << r.remote;
        EXPECT_EQ(p.shell.openedAddresses,
                  r.browser ? std::vector<std::string>{kWebsiteAddress} : std::vector<std::string>{});
    }
}

TEST(UpdateCheck, EndingProgramStopsTheCheckQuietly) {
    FakePlatform p;
    p.threads.stop = true;
    RunVersionCheck(p.app);
    EXPECT_TRUE(p.http.log.empty());
    EXPECT_TRUE(p.threads.posted.empty());
}

TEST(UpdateCheck, CompactModeEndsOnlyOnceTheOutcomeCouldBeRead) {
    FakePlatform p;
    SetUpdateDisplayTarget(p.app, Ctl::stepTextLabel, kWebsiteAddress);
    startVersionCheck(p.app);  // the check has run; its outcome waits for the GUI thread
    finishTimerTick(p.app);
    EXPECT_FALSE(p.ui.ended);
    p.threads.runPosted();
    p.system.ticks += 1999;
    finishTimerTick(p.app);
    EXPECT_FALSE(p.ui.ended);
    p.system.ticks += 1;
    finishTimerTick(p.app);
    EXPECT_TRUE(p.ui.ended);
}

TEST(UpdateSettingsWindow, BoxesWriteTheSchedule) {
    FakePlatform p;
    FakeUi& ui = p.ui;
    iniWrite(p.app, kSettings, "update", "day", "7");
    iniWrite(p.app, kSettings, "update", "time", "2010" Y "1" M "1" D);
    showUpdateSettings(p.app);
    updateDaysChanged(p.app);  // filling the box is no change of the interval
    EXPECT_EQ(ui.text(Ctl::updateDaysEdit), "7");
    EXPECT_FALSE(ui.isChecked(Ctl::updateAutoCheck));
    EXPECT_FALSE(ui.isEnabled(Ctl::updateDaysEdit));
    EXPECT_EQ(iniRead(p.app, kSettings, "update", "time"), "2010" Y "1" M "1" D);

    ui.click(Ctl::updateAutoCheck);
    EXPECT_TRUE(ui.isEnabled(Ctl::updateDaysEdit));
    EXPECT_EQ(iniRead(p.app, kSettings, "update", "auto"), "T");
    EXPECT_EQ(iniRead(p.app, kSettings, "update", "time"), kToday);

    iniWrite(p.app, kSettings, "update", "time", "old");
    ui.click(Ctl::updateAutoCheck);
    EXPECT_FALSE(ui.isEnabled(Ctl::updateDaysEdit));
    EXPECT_EQ(iniRead(p.app, kSettings, "update", "auto"), "F");
    EXPECT_EQ(iniRead(p.app, kSettings, "update", "time"), "old");

    ui.setText(Ctl::updateDaysEdit, "30");
    ui.raise(Ctl::updateDaysEdit, Event::TextChange);
    EXPECT_EQ(iniRead(p.app, kSettings, "update", "day"), "30");
    EXPECT_EQ(iniRead(p.app, kSettings, "update", "time"), kToday);

    p.app.state.languageLines.assign(131, "");
    p.app.state.languageLines[128] = "129=Checking";
    ui.atProcessCall(1, [&] { EXPECT_EQ(ui.text(Ctl::updateStatusLabel), "Checking"); });
    ui.raise(Ctl::updateCheckNowButton, Event::Click);
    EXPECT_TRUE(p.http.called("open"));
    p.threads.runPosted();
    EXPECT_EQ(ui.text(Ctl::updateStatusLabel), "") << "key 131 is empty here";
}

}  // namespace
}  // namespace dv
