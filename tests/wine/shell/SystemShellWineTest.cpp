// The Win32 system and shell services on Wine.
#include "tests/wine/shell/WineShellEnv.h"

namespace dv::winetest {
namespace {

using SystemWine = WineShellTest;
using ShellWine = WineShellTest;

TEST_F(SystemWine, EnvironmentOfAnyLength) {
    const std::string longText(5000, 'e');
    ASSERT_TRUE(SetEnvironmentVariableA("DV_WINE_LONG", longText.c_str()));
    EXPECT_EQ(p.system.environment("DV_WINE_LONG"), longText);
    ASSERT_TRUE(SetEnvironmentVariableA("DV_WINE_LONG", "C:"));
    EXPECT_EQ(p.system.environment("dv_wine_long"), "C:");
    SetEnvironmentVariableA("DV_WINE_LONG", nullptr);
    EXPECT_EQ(p.system.environment("DV_WINE_LONG"), "");
}

TEST_F(SystemWine, LocalTimeRoundTrip) {
    const FileTime utc = 129045819092500000ull;  // 2009-12-06 14:05:09.250 UTC
    SystemTime local;
    ASSERT_TRUE(p.system.utcToLocal(utc, local));
    EXPECT_EQ(local.year, 2009);
    EXPECT_EQ(local.month, 12);
    EXPECT_EQ(local.minute, 5);
    EXPECT_EQ(local.second, 9);
    EXPECT_EQ(local.milliseconds, 250);
    EXPECT_EQ(local.dayOfWeek, local.day == 6 ? 0 : local.day == 5 ? 6 : 1);
    FileTime back = 0;
    ASSERT_TRUE(p.system.localToUtc(local, back));
    EXPECT_EQ(back, utc);

    SystemTime bad = local;
    bad.month = 13;
    EXPECT_FALSE(p.system.localToUtc(bad, back));
}

TEST_F(SystemWine, DiskSpaceAndTempPath) {
    uint64_t total = 0, free = 0;
    ASSERT_TRUE(p.system.diskSpace(folder.substr(0, 3), total, free));
    EXPECT_GT(total, 0u);
    EXPECT_LE(free, total);

    DWORD drives = GetLogicalDrives();
    for (char letter = 'Z'; letter > 'D'; --letter) {
        if (drives & (1u << (letter - 'A'))) continue;
        EXPECT_FALSE(p.system.diskSpace(std::string(1, letter) + ":\\", total, free));
        break;
    }

    const std::string temp = p.system.tempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
}

TEST_F(ShellWine, RecycleMovesOneFileAway) {
    const std::string path = file("recycled.tmp", "junk");
    const std::string keep = file("kept.tmp", "keep");
    bool aborted = true;
    int rc = p.shell.deleteOperation(path, kFofAllowUndo | kFofNoConfirmation | kFofNoErrorUi |
                                               kFofSilent, aborted);
    EXPECT_EQ(rc, 0);
    EXPECT_FALSE(aborted);
    EXPECT_FALSE(p.fs.exists(path));
    EXPECT_TRUE(p.fs.exists(keep));

    // Under Wine the Recycle Bin is the desktop trash folder the run names.
    char trash[MAX_PATH] = {};
    if (GetEnvironmentVariableA("DV_TRASH_DIR", trash, sizeof(trash)) == 0) return;
    using UnixToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<UnixToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    ASSERT_TRUE(toDos);
    WCHAR* dos = toDos((std::string(trash) + "/files/recycled.tmp").c_str());
    ASSERT_TRUE(dos);
    EXPECT_NE(GetFileAttributesW(dos), INVALID_FILE_ATTRIBUTES);

    // Emptying is tried only on a trash folder that belongs to this run alone.
    char data[MAX_PATH] = {};
    GetEnvironmentVariableA("XDG_DATA_HOME", data, sizeof(data));
    if (std::string(data) + "/Trash" == trash) {
        p.shell.emptyRecycleBin("", kSherbNoConfirmation | kSherbNoSound);
        EXPECT_EQ(GetFileAttributesW(dos), INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(p.fs.exists(keep));
    }
    HeapFree(GetProcessHeap(), 0, dos);
}

TEST_F(ShellWine, RecycleRefusesWildcardsAndEmptyPaths) {
    const std::string a = file("a.tmp", "x");
    const std::string b = file("b.tmp", "x");
    bool aborted = true;
    EXPECT_NE(p.shell.deleteOperation(folder + "*.tmp", kFofAllowUndo | kFofNoConfirmation, aborted), 0);
    EXPECT_NE(p.shell.deleteOperation(folder + "?.tmp", kFofAllowUndo | kFofNoConfirmation, aborted), 0);
    EXPECT_NE(p.shell.deleteOperation("", kFofAllowUndo | kFofNoConfirmation, aborted), 0);
    EXPECT_FALSE(aborted);
    EXPECT_TRUE(p.fs.exists(a));
    EXPECT_TRUE(p.fs.exists(b));
}

TEST_F(ShellWine, OnlyWebAddressesAreOpened) {
    const std::string program = file("run.bat", "@echo off\r\n");
    EXPECT_FALSE(p.shell.openAddress(program));
    EXPECT_FALSE(p.shell.openAddress("notepad"));
    EXPECT_FALSE(p.shell.openAddress("file:///C:/windows/notepad.exe"));
    EXPECT_FALSE(p.shell.openAddress(""));
}

}  // namespace
}  // namespace dv::winetest
