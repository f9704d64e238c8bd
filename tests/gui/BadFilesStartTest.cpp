// The program starts with one damaged or oversized file of its own, or registry values of
// the wrong type: start-up still ends in a window that answers and searches.
#include <cstdio>
#include <random>

#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"
#include "tests/support/LoopbackHttpServer.h"

namespace gui {
namespace {

namespace mw = main_window;

using dvtest::LoopbackHttpServer;

std::string randomBytes(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = char(random());
    return bytes;
}

std::string manyLines(int count, const std::string& before, const std::string& after) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += before + std::to_string(i) + after + "\r\n";
    return text;
}

void setRawValue(const char* key, const char* name, DWORD type, const std::string& data) {
    HKEY k;
    if (RegCreateKeyExA(HKEY_USERS, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       DWORD(data.size()));
        RegCloseKey(k);
    }
}

// English chosen, with the given text as its language file.
bool englishAs(const std::string& folder, const std::string& text) {
    return makeFolders(folder + "\\LANGUAGE") &&
           writeFile(folder + "\\LANGUAGE\\language.ini", "[Dustvane]\r\nlanguage=3\r\n") &&
           writeFile(folder + "\\LANGUAGE\\English.lng", text);
}

struct BadStart {
    const char* fault;
    bool (*prepare)(const std::string& folder, const std::string& serverUrl);
    bool wizard;           // the start-up wizard comes before the main window
    const char* startCaption;  // of startSearchButton; nullptr: the file's own text
};

const BadStart kBadStarts[] = {
    {"LanguageFileOfBinaryGarbage",
     [](const std::string& f, const std::string&) { return englishAs(f, randomBytes(65536, 1)); },
     false, "Start Search"},
    {"LanguageFileOf20MegabytesOfLines",
     [](const std::string& f, const std::string&) {
         return englishAs(f, manyLines(330000, "", "=" + std::string(50, 'w')));
     },
     false, nullptr},
    {"LanguageFileOf20MegabytesWithoutANewline",
     [](const std::string& f, const std::string&) {
         return englishAs(f, "1=" + std::string(20 << 20, 'n'));
     },
     false, nullptr},
    {"LanguageChoiceFileOfBinaryGarbage",
     [](const std::string& f, const std::string&) {
         return makeFolders(f + "\\LANGUAGE") &&
                writeFile(f + "\\LANGUAGE\\language.ini", randomBytes(20000, 2));
     },
     false, "Start Search"},
    {"JunkTypesAndExclusionListOf100000LinesEach",
     [](const std::string& f, const std::string&) {
         return writeFile(f + "\\Files.txt", manyLines(100000, "Find *.j", " files only")) &&
                writeFile(f + "\\noscfile.dat", manyLines(100000, "C:\\excluded\\", ".tmp"));
     },
     false, nullptr},
    {"StartSwitchesAndBackupFolderOfTheWrongType",
     [](const std::string&, const std::string&) {
         setRawValue(".DEFAULT\\Software\\Dustvane\\Auto", "AutoSearch", REG_SZ, "1");
         setRawValue(".DEFAULT\\Software\\Dustvane\\Auto", "NotShow", REG_BINARY, "\x01\0\0\0");
         setRawValue(".DEFAULT\\Software\\Dustvane", "SaveFilePath", REG_DWORD, "\x07\0\0\0");
         return true;
     },
     true, nullptr},
    {"SettingsAndDownloadedVersionFilesOfGarbage",
     [](const std::string& f, const std::string& url) {
         return writeFile(f + "\\update.ini", randomBytes(30000, 3)) &&
                writeFile(f + "\\dustvaneset.ini",
                             randomBytes(3000, 4) + "\r\n[update]\r\nauto=T\r\nday=-99999999999\r\n"
                             "time=\xC4\xEA\xD4\xC2\r\n[version]\r\nmainver=\xFF\xFE\r\nlistaddress=" +
                                 url + "\r\n" + randomBytes(3000, 5));
     },
     false, nullptr},
};

// The main window's controls are found by their places alone: the captions are the damaged
// file's.
HWND at(HWND top, Ctl control) { return placedAnyCaption(top, control); }

TEST_F(GuiTest, StartsAndWorksWithABadFileOfItsOwn) {
    // The version file the scheduled check downloads: garbage too.
    LoopbackHttpServer server(LoopbackHttpServer::ok(randomBytes(100000, 6)));
    ASSERT_TRUE(server.running());
    const std::string drive = testDrive();
    for (const BadStart& c : kBadStarts) {
        SCOPED_TRACE(c.fault);
        clearProgramSettings();
        setStartSwitch("NotShow", 1);
        AppUnderTest program(std::string("bad-") + c.fault);
        ASSERT_TRUE(program.ready()) << program.error();
        ASSERT_TRUE(c.prepare(program.folder(), server.url("/update.ini")));
        ASSERT_TRUE(makeFolders(program.folder() + "\\tree"));
        ASSERT_TRUE(makeFile(program.folder() + "\\tree\\junk.tmp", 10));

        const DWORD started = GetTickCount();
        ASSERT_TRUE(program.start()) << program.error();
        if (c.wizard) {
            HWND wizard = waitTopWindow(program.pid(), nullptr, 387, 264, 60000);
            ASSERT_TRUE(wizard) << "no start-up wizard";
            HWND pro = waitControl(wizard, Find().className("Button").at(266, 118, 90, 20), kShortWait);
            ASSERT_TRUE(pro);
            click(pro);
        }
        HWND top = waitTopWindow(program.pid(), nullptr, mw::kWidth, mw::kHeight, 60000);
        ASSERT_TRUE(top) << "no main window within 60 s";
        ASSERT_TRUE(waitUntil([&] { return !IsIconic(top); }, kLongWait));
        const DWORD shownMs = GetTickCount() - started;
        std::printf("%-48s main window after %5lu ms\n", c.fault, static_cast<unsigned long>(shownMs));
        if (c.startCaption) {
            EXPECT_EQ(textOf(at(top, Ctl::startSearchButton)), c.startCaption);
        }
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));

        // It searches: the test drive with the smallest pattern set.
        HWND drives = at(top, Ctl::driveCombo), sets = at(top, Ctl::patternSetCombo);
        HWND start = at(top, Ctl::startSearchButton), list = at(top, Ctl::resultList);
        HWND statistics = at(top, Ctl::statisticsTitleLabel);
        ASSERT_TRUE(drives && sets && start && list && statistics);
        selectCombo(drives, 1 + (toupper(drive[0]) - 'C'));
        selectCombo(sets, 3);
        ASSERT_TRUE(waitUntil([&] { return comboSelection(sets) == 3; }, kShortWait));
        const std::string before = textOf(statistics) + "#";
        SetWindowTextA(statistics, before.c_str());  // the summary replaces it
        click(start);
        EXPECT_TRUE(waitUntil(
            [&] {
                return enabled(start) && textOf(statistics) != before && listRowCount(list) >= 1;
            },
            kLongWait))
            << "no search summary";
        EXPECT_TRUE(program.running());
    }
    clearProgramSettings();
}

}  // namespace
}  // namespace gui
