#include <gtest/gtest.h>

#include "cleanup/DeleteCommands.h"
#include "search/Patterns.h"
#include "search/ReadAhead.h"
#include "search/ResultList.h"
#include "search/SearchEngine.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

using Strings = std::vector<std::string>;

struct Search : ::testing::Test {
    FakePlatform p;
    Search() {
        for (int key = 1; key <= 60; ++key)
            p.app.state.languageLines.push_back(std::to_string(key) + "=k" + std::to_string(key));
    }
    // Searches one drive with one pattern set; returns column 4 and 1 of every row.
    Strings run(int set, int drive = 1) {
        p.ui.setComboSelection(Ctl::patternSetCombo, set);
        p.ui.setComboSelection(Ctl::driveCombo, drive);
        startSearch(p.app);
        Strings rows;
        for (int r = 0; r < p.ui.rowCount(Ctl::resultList); ++r)
            rows.push_back(p.ui.cell(Ctl::resultList, r, kColPath) + " " +
                           p.ui.cell(Ctl::resultList, r, kColType));
        return rows;
    }
};

TEST_F(Search, RowsComeFolderByFolderPatternByPattern) {
    p.fs.addFile("C:\\~x.tmp", "abc");
    p.fs.addFile("C:\\a.bak");
    p.fs.addFolder("C:\\sub");
    p.fs.addFile("C:\\sub\\b.old");
    p.fs.addFile("C:\\b.gid");
    EXPECT_EQ((Strings{"C:\\a.bak *.bak", "C:\\b.gid *.gid", "C:\\~x.tmp *.tmp", "C:\\sub\\b.old *.old"}),
              run(3));
    // One enumeration per folder for the walk (C:\, the base folder, BackFile, sub); the
    // summary looks each listed file up on its own.
    EXPECT_EQ(4, p.fs.listFolderCalls);
    EXPECT_EQ(0, p.fs.findFilesCalls);
    EXPECT_EQ((Strings{"C:\\~x.tmp *.tmp", "C:\\~x.tmp ~*.*", "C:\\b.gid *.gid", "C:\\a.bak *.bak",
                       "C:\\sub\\b.old *.old"}),
              run(1));
    EXPECT_EQ("~x.tmp | *.tmp | 3 | 1/1/1601 0:0:0 | C:\\~x.tmp", p.ui.rowTexts(Ctl::resultList)[0]);
    EXPECT_FALSE(p.ui.isTicked(Ctl::resultList, 0));
}

TEST_F(Search, WhatIsListedAndWhatIsLeftOut) {
    p.fs.addFile("C:\\h.bak", "", kAttrHidden | kAttrSystem | kAttrReadOnly);
    p.fs.addFile("C:\\.cache\\in.bak");
    p.fs.addFile("C:\\Users\\owner\\Temp\\p.bak");              // inside the profile marker
    p.fs.addFile("D:\\data\\users\\x.bak");                     // marker, other letter case
    p.fs.addFile("C:\\Symantec Client Firewall\\nam.fts");      // protected
    p.fs.addFile("C:\\ex\\e.bak");
    p.fs.addFile("C:\\ex\\E2.bak");
    p.fs.addFile("C:\\ex\\\x83\x41.bak");  // differs from the excluded \x83\x61 in a trail byte
    p.fs.addFile("C:\\loop\\l.bak", "", kAttrArchive);
    p.fs.addFolder("C:\\loop\\back", kAttrDirectory | kAttrReparsePoint);
    p.fs.addFile("C:\\loop\\back\\never.bak");
    p.fs.addFile("C:\\Windows\\w.bak");                        // Windows' own stores
    p.fs.addFile("C:\\Windows\\WinSxS\\x.bak");
    p.fs.addFile("C:\\Windows\\Temp\\t.bak");                 // but not its Temp
    p.fs.addFile("D:\\windows\\System32\\config\\s.bak");    // on every drive, any case
    p.fs.addFile("D:\\$RECYCLE.BIN\\r.bak");
    p.fs.addFile("D:\\Old\\Recovery\\kept.bak");              // a store's name below a root
    p.fs.addFile("N:\\share.bak");                              // a network drive
    p.system.driveKinds["n:\\"] = DriveKind::Network;
    // The list names files as the file system does, without regard to ASCII letter case.
    p.app.state.exclusionList = {"C:\\ex\\e.bak", "c:\\EX\\e2.BAK", "C:\\ex\\\x83\x61.bak"};
    EXPECT_EQ((Strings{"C:\\h.bak *.bak", "C:\\ex\\\x83\x41.bak *.bak", "C:\\loop\\l.bak *.bak",
                       "C:\\Windows\\Temp\\t.bak *.bak", "D:\\Old\\Recovery\\kept.bak *.bak"}),
              run(9, 0));
    EXPECT_EQ(Strings{"N:\\share.bak *.bak"}, run(9, 12));
    Strings fts = run(0, 1);
    EXPECT_EQ(std::count_if(fts.begin(), fts.end(), [](const std::string& r) { return r.find("nam.fts") != std::string::npos; }), 0);
}

TEST_F(Search, ProfileMarker) {
    EXPECT_EQ("\\Users\\", profileMarker(p.app));
    p.system.env["USERPROFILE"] = "C:\\Documents and Settings\\owner";
    EXPECT_EQ("\\Documents and Settings\\", profileMarker(p.app));
    p.system.env.clear();
    p.system.env["TEMP"] = "C:\\T";
    EXPECT_EQ("C:\\T", profileMarker(p.app));
}

TEST_F(Search, SummaryWithFilesFound) {
    p.fs.addFile("C:\\big.tmp");
    p.fs.setReportedSize("C:\\big.tmp", 3221225472ull);
    p.fs.addFile("C:\\small.tmp", std::string(1000, 'x'));
    p.app.state.searchSeconds = 99;
    p.ui.atProcessCall(2, [&] { elapsedTimerTick(p.app); elapsedTimerTick(p.app); });
    run(30);
    EXPECT_EQ("3221225472", p.ui.cell(Ctl::resultList, 0, kColSize));
    EXPECT_EQ("3145728.98k53", p.ui.text(Ctl::statusLabel));
    EXPECT_EQ("k54 2 k55", p.ui.text(Ctl::statisticsTitleLabel));
    EXPECT_EQ("k56 2 k57", p.ui.text(Ctl::currentFileLabel));
    EXPECT_EQ("k3", p.ui.text(Ctl::criteriaTitleLabel));
    EXPECT_EQ("k59", p.ui.text(Ctl::alertLabel));
    EXPECT_TRUE(p.ui.isVisible(Ctl::deleteAllButton));
    EXPECT_FALSE(p.ui.isVisible(Ctl::addGarbageTypeButton));
    EXPECT_EQ(500, p.ui.timerInterval(Ctl::alertBlinkTimer));
    EXPECT_EQ(0, p.ui.timerInterval(Ctl::elapsedTimer));
    EXPECT_TRUE(p.ui.isEnabled(Ctl::startSearchButton));
    EXPECT_EQ(1, p.app.state.searchFinished);
    // The summary takes the sizes as they are now, without reading a folder again: a file
    // gone by then adds nothing, one that grew adds its new size.
    p.fs.deleteFile("C:\\big.tmp");
    p.fs.addFile("C:\\small.tmp", std::string(2048, 'x'));
    const int listings = p.fs.listFolderCalls;
    showSearchSummary(p.app);
    EXPECT_EQ("2k53", p.ui.text(Ctl::statusLabel));
    EXPECT_EQ(listings, p.fs.listFolderCalls);
    // A name the code page cannot show ("?"), which no look-up takes, is found in its folder.
    p.fs.addFile("C:\\x?.tmp", std::string(1024, 'x'));
    run(30);
    EXPECT_EQ("3k53", p.ui.text(Ctl::statusLabel));
}

TEST_F(Search, MissingDriveEndsAtOnceWithNothingFound) {
    EXPECT_TRUE(run(0, 15).empty());  // Q:
    EXPECT_EQ("k58", p.ui.text(Ctl::alertLabel));
    EXPECT_TRUE(p.ui.isVisible(Ctl::alertLabel));
    EXPECT_EQ(0, p.ui.timerInterval(Ctl::alertBlinkTimer));
    EXPECT_FALSE(p.ui.isVisible(Ctl::deleteAllButton));
    EXPECT_TRUE(p.ui.isVisible(Ctl::addGarbageTypeButton));
    EXPECT_EQ("0k53", p.ui.text(Ctl::statusLabel));
}

TEST_F(Search, CancelStopsTheWalkAndShowsWhatWasFound) {
    for (const char* d : {"a", "b", "c"}) {
        p.fs.addFile(std::string("C:\\") + d + "\\x.tmp");
        p.fs.addFile(std::string("D:\\") + d + "\\x.tmp");
    }
    // Call 1 is startSearch's own, 2 is C:\, 3 is C:\a, 4 is C:\b.
    bool runningAtCancel = false;
    p.ui.atProcessCall(6, [&] {
        runningAtCancel = !p.ui.isEnabled(Ctl::startSearchButton);
        cancelSearch(p.app);
        EXPECT_EQ("k54 1 k55", p.ui.text(Ctl::statisticsTitleLabel));
    });
    EXPECT_EQ(Strings{"C:\\a\\x.tmp *.tmp"}, run(30, 0));
    EXPECT_TRUE(runningAtCancel);
    EXPECT_TRUE(p.ui.isEnabled(Ctl::startSearchButton));
    EXPECT_LE(p.ui.processCalls, 6);
    // Cancel while idle does nothing.
    p.ui.setText(Ctl::alertLabel, "");
    cancelSearch(p.app);
    EXPECT_EQ("", p.ui.text(Ctl::alertLabel));
}

TEST_F(Search, AfterACancelTheWalkShowsTheCancelsFiguresAgain) {
    p.fs.addFile("C:\\a\\x.tmp", "abc");
    p.fs.addFile("C:\\b\\y.tmp");
    // Call 6 enters C:\b; the file found in C:\a grows after the cancel's summary.
    p.ui.atProcessCall(6, [&] {
        cancelSearch(p.app);
        p.fs.addFile("C:\\a\\x.tmp", std::string(4096, 'x'));
    });
    EXPECT_EQ(Strings{"C:\\a\\x.tmp *.tmp"}, run(30, 1));
    EXPECT_EQ("0k53", p.ui.text(Ctl::statusLabel));
    showSearchSummary(p.app);
    EXPECT_EQ("4k53", p.ui.text(Ctl::statusLabel));
}

TEST_F(Search, CancelWorksWithAnEmptyPatternList) {
    p.ui.comboAdd(Ctl::patternSetCombo, "NoBlank");
    for (int i = 0; i < 50; ++i) p.fs.addFolder("C:\\f" + std::to_string(i));
    p.ui.atProcessCall(5, [&] { cancelSearch(p.app); });
    run(86);
    EXPECT_LE(p.ui.processCalls, 5);
}

TEST_F(Search, TheWalkKeepsThePatternsItStartedWith) {
    p.fs.addFile("C:\\a\\x.tmp");
    p.fs.addFile("C:\\b\\x.tmp");
    p.ui.atProcessCall(3, [&] { p.app.state.searchPatterns = {"*.bak"}; });
    EXPECT_EQ((Strings{"C:\\a\\x.tmp *.tmp", "C:\\b\\x.tmp *.tmp"}), run(30));
}

TEST_F(Search, ProgressCaptionShowsFolderAndName) {
    p.fs.addFile("C:\\z.tmp");
    p.fs.addFolder("C:\\w\\deeper");
    Strings seen;
    for (int call : {3, 6}) p.ui.atProcessCall(call, [&] { seen.push_back(p.ui.text(Ctl::criteriaTitleLabel)); });
    run(30);
    // Entering the first subfolder shows the folder's last pattern hit, a later one its name.
    EXPECT_EQ((Strings{"k52C:\\z.tmp)", "k52C:\\w\\deeper)"}), seen);
}

// Lists folders ahead of the walk on a second thread: the same rows in the same order,
// the same summary, and each folder still listed once by the walk.
TEST_F(Search, ReadingAheadKeepsRowsOrderAndSummary) {
    for (const char* drive : {"C:", "D:"}) {
        const std::string d = drive;
        p.fs.addFile(d + "\\~a.tmp", "12");
        p.fs.addFile(d + "\\chklist.ms");
        p.fs.addFile(d + "\\b.bak", "xyz");
        p.fs.addFile(d + "\\.cache\\c.tmp");
        p.fs.addFile(d + "\\Users\\owner\\p.tmp");
        p.fs.addFolder(d + "\\link", kAttrDirectory | kAttrReparsePoint);
        p.fs.addFile(d + "\\link\\never.tmp");
        p.fs.addFile(d + "\\Windows\\WinSxS\\w.tmp");
        p.fs.addFile(d + "\\Windows\\Temp\\t.tmp");
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 3; ++j)
                p.fs.addFile(d + "\\f" + std::to_string(i) + "\\g" + std::to_string(j) + "\\~x" +
                             std::to_string(i * j) + ".old");
    }
    p.app.state.exclusionList = {"D:\\b.bak"};
    for (int set : {0, 1, 3}) {
        p.fs.readsFromAnyThread = false;
        const int before = p.fs.listFolderCalls;
        const Strings plain = run(set, 0);
        const int listings = p.fs.listFolderCalls - before;
        const std::string summary = p.ui.text(Ctl::statusLabel);
        p.fs.readsFromAnyThread = true;
        EXPECT_EQ(plain, run(set, 0)) << "set " << set;
        EXPECT_EQ(summary, p.ui.text(Ctl::statusLabel));
        EXPECT_EQ(listings, p.fs.listFolderCalls - before - listings);
        EXPECT_GT(plain.size(), 40u);
    }
    // Asked for a folder that does not come next, the reading gives it up.
    ReadAhead ahead(p.fs, {"C:\\"}, SystemFolders(), {}, 2);
    std::vector<DirEntry> entries;
    bool readable = false;
    auto take = [&](const std::string& folder) {
        ReadAhead::Take t;
        while ((t = ahead.take(folder, entries, readable, 1000)) == ReadAhead::Take::NotYet) {}
        return t;
    };
    EXPECT_EQ(ReadAhead::Take::Ready, take("C:\\"));
    EXPECT_TRUE(readable);
    EXPECT_EQ(ReadAhead::Take::Missing, take("C:\\f5\\"));
}

// The application caches: every plain file of the rules' folders once, with its rule's name,
// but for exclusions, never the user's files beside them; REMOVESELF folders go once empty.
TEST_F(Search, ApplicationCachesListOnlyWhatTheRulesName) {
    const std::string local = "C:\\Users\\owner\\AppData\\Local\\";
    const std::string profile = local + "B\\User Data\\Default\\", other = local + "B\\User Data\\P1\\";
    p.fs.addFile("C:\\Dustvane\\Rules.ini",
                 "[Browser]\nFileKey1=%LocalAppData%\\B\\User Data\\*\\Cache|*.*|RECURSE\n"
                 "FileKey2=%LocalAppData%\\B\\User Data\\Default|*.tmp\n"
                 "ExcludeKey1=FILE|%LocalAppData%\\B\\User Data\\Default\\Cache\\|index\n"
                 "ExcludeKey2=PATH|%LocalAppData%\\B\\User Data\\Default\\Cache\\Keep\\\n"
                 "[Dumps]\nFileKey1=%LocalAppData%\\Dumps|*.dmp|REMOVESELF\n"
                 "[Again]\nFileKey1=%LocalAppData%\\B\\User Data\\P1\\Cache|*.*\n");
    const Strings caches{profile + "Cache\\data_1", profile + "Cache\\Cache_Data\\f_1", other + "Cache\\data_2",
                         profile + "x.tmp", local + "Dumps\\Sub\\b.dmp"};
    const Strings mine{profile + "Bookmarks", profile + "Sub\\y.tmp", profile + "Cache\\index",
                       profile + "Cache\\Keep\\k.bin", profile + "Cache\\Linked\\l.bin", other + "Cache\\data_3",
                       local + "Dumps\\Kept\\notes.txt"};
    for (const std::string& file : caches) p.fs.addFile(file, "cache");
    for (const std::string& file : mine) p.fs.addFile(file, "mine");
    p.fs.addFile(profile + "Cache\\link.bin", "", kAttrArchive | kAttrReparsePoint);
    p.fs.addFolder(profile + "Cache\\Linked", kAttrDirectory | kAttrReparsePoint);
    p.fs.addFolder(local + "Dumps\\Sub\\Empty");
    p.app.state.exclusionList = {other + "Cache\\data_3"};

    Strings expected;  // rows as "path type"
    for (const std::string& file : caches) expected.push_back(file + (file == caches.back() ? " Dumps" : " Browser"));
    EXPECT_EQ(expected, run(kAppCachesItem));
    EXPECT_EQ("Application caches (3 programs found)", p.ui.comboItem(Ctl::patternSetCombo, kAppCachesItem));
    p.ui.setComboSelection(Ctl::driveCombo, 2);  // D:, where no cache lies
    p.ui.raise(Ctl::driveCombo, Event::SelChange);
    EXPECT_EQ("Application caches (0 programs found)", p.ui.comboItem(Ctl::patternSetCombo, kAppCachesItem));
    // Listed ahead on a second thread: the same rows, each folder still listed once.
    const int listings = p.fs.listFolderCalls;
    p.fs.readsFromAnyThread = true;
    EXPECT_EQ(expected, run(kAppCachesItem));
    EXPECT_EQ(listings, p.fs.listFolderCalls - listings);

    // Backup mode keeps the emptied folders: Recovery writes the copies back into them.
    p.ui.setChecked(Ctl::backupModeRadio, true);
    deleteAllRows(p.app);
    EXPECT_TRUE(p.fs.exists(local + "Dumps\\Sub"));
    p.fs.addFile(local + "Dumps\\Sub\\c.dmp");
    run(kAppCachesItem);
    p.ui.click(Ctl::permanentModeRadio);
    deleteAllRows(p.app);
    for (const std::string& file : caches) EXPECT_FALSE(p.fs.exists(file)) << file;
    for (const std::string& file : mine) EXPECT_EQ("mine", p.fs.content(file)) << file;
    EXPECT_FALSE(p.fs.exists(local + "Dumps\\Sub"));
    EXPECT_TRUE(p.fs.exists(local + "Dumps\\Kept"));
}

}  // namespace
}  // namespace dv
