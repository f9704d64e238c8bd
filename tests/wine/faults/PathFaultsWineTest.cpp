// Paths the ANSI functions reach only in part: names the code page cannot show, paths past
// MAX_PATH, folders nested deep, and files of 0 bytes, 2 GiB + 1 and 4 GiB.
#include <cctype>

#include "cleanup/DeleteCommands.h"
#include "cleanup/Recovery.h"
#include "privacy/Cleaners.h"
#include "tests/wine/faults/FaultsWineEnv.h"

namespace dv::winetest {
namespace {

constexpr Way kWays[] = {Way::Recycle, Way::Permanent, Way::Backup, Way::Cleaner};

// Names as the wide functions make them, and what they must not reach. In code page 1252
// Cyrillic and Chinese come back as "?", "ā" as its look-alike "a", and the full-width
// "．" and "＼" as "." and "\".
struct Unshowable {
    const wchar_t* name;  // relative to names\in
    bool folder;
};
const Unshowable kUnshowable[] = {
    {L"\x0416.tmp", false},                       // "?.tmp", a wildcard for b.tmp
    {L"\x4E2D\x6587.tmp", false},                 // "??.tmp"
    {L"\x0101.tmp", false},                       // "a.tmp", a file that is not there
    {L"..\xFF3Cvictim.tmp", false},               // "..\victim.tmp", the excluded names\victim.tmp
    {L"x\xFF3C\xFF0E\xFF0E\xFF3C\xFF0E\xFF0E\xFF3C\xFF0E\xFF0E\xFF3Ckeep", true},  // "x\..\..\..\keep"
};

// The path with its ASCII letters in the other case: how an exclusion may be written.
std::string otherCase(std::string path) {
    for (char& c : path) c = char(islower(c) ? toupper(c) : tolower(c));
    return path;
}

TEST_F(FaultsWine, NamesTheCodePageCannotShowAreNeverActedOn) {
    if (GetACP() != 1252) GTEST_SKIP() << "the names are chosen for code page 1252";
    for (Way way : kWays) {
        SCOPED_TRACE(nameOf(way));
        removeTree(files + "names");
        removeTree(files + "keep");
        const std::string names = filesFolder("names"), in = filesFolder("names\\in"), keep = filesFolder("keep");
        const std::wstring wideIn = widen(in);
        for (const Unshowable& u : kUnshowable) {
            if (u.folder) {
                ASSERT_TRUE(makeWideFolder(wideIn + u.name));
                ASSERT_TRUE(makeWideFile(wideIn + u.name + L"\\inner.tmp", "inner"));
            } else {
                ASSERT_TRUE(makeWideFile(wideIn + u.name, "unshowable"));
            }
        }
        const std::string plain = file(in + "plain.tmp", "plain");
        const std::string b = file(in + "b.tmp", "b"), victim = file(names + "victim.tmp", "v");
        const std::string outsideJunk = file(keep + "junk.tmp", "keep");
        const std::string kept = file(in + "Kept.tmp", "kept");
        const std::string backup = filesFolder("backup");

        if (way == Way::Cleaner) {
            cleanFolderFiles(app, in);
        } else {
            search(names, {"*.tmp"}, {victim, b, otherCase(kept)});
            for (const std::string& path : listedPaths()) {
                EXPECT_EQ(path.find('?'), std::string::npos) << path;
                EXPECT_EQ(path.find("\\..\\"), std::string::npos) << path;
            }
            regWriteBytes(app, kUsers, kSaveFilePathItem, backup);
            mode(radioOf(way));
            deleteAllRows(app);
            EXPECT_TRUE(p.ui.rows(Ctl::resultList).empty());
            EXPECT_EQ(p.ui.text(Ctl::recoveredLabel), "K61 0K62");  // 5 bytes went
        }
        EXPECT_FALSE(exists(plain));
        EXPECT_EQ(exists(b), way != Way::Cleaner) << "b.tmp";
        EXPECT_EQ(exists(kept), way != Way::Cleaner) << "Kept.tmp";
        EXPECT_EQ(wholeFile(victim), "v");
        EXPECT_EQ(wholeFile(outsideJunk), "keep");
        for (const Unshowable& u : kUnshowable) {
            const std::wstring path = wideIn + u.name + (u.folder ? L"\\inner.tmp" : L"");
            EXPECT_EQ(wideContent(path), u.folder ? "inner" : "unshowable") << int(&u - kUnshowable);
        }
        if (way == Way::Backup) {
            EXPECT_EQ(namesIn(backup), std::vector<std::string>{"plain.tmp.dak"});
            recoverAll(app);
            EXPECT_EQ(wholeFile(plain), "plain");
        }
        regDelete(app, kUsers, kSaveFilePathItem);
    }
}

// "ア.tmp" and "ヂ.tmp" in code page 932 ("傾.tmp" and "僡.tmp" in 936) differ only in the
// case of a trail byte, 41 or 61: two files, each listed, backed up, deleted and recovered.
// One of them on the exclusion list, written in other letter case, keeps only that one out.
TEST_F(FaultsWine, NamesThatDifferInATrailBytesCaseAreTwoFiles) {
    if (GetACP() != 932 && GetACP() != 936) GTEST_SKIP() << "needs a double-byte code page";
    const std::string in = filesFolder("dbcs"), backup = filesFolder("backup");
    const std::string capital = file(in + "\x83\x41.tmp", "capital");
    const std::string small = file(in + "\x83\x61.tmp", "small");
    std::vector<std::string> names = namesIn(in);
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names, (std::vector<std::string>{"\x83\x41.tmp", "\x83\x61.tmp"}))
        << "the host lacks the locale (scripts/deps.sh)";
    search(in, {"*.tmp"}, {otherCase(in) + "\x83\x61.TMP"});
    EXPECT_EQ(listedPaths(), std::vector<std::string>{capital});

    search(in, {"*.tmp"});
    EXPECT_EQ(listedPaths(), (std::vector<std::string>{capital, small}));
    regWriteBytes(app, kUsers, kSaveFilePathItem, backup);
    mode(Ctl::backupModeRadio);
    deleteAllRows(app);
    EXPECT_TRUE(namesIn(in).empty());
    EXPECT_EQ(namesIn(backup).size(), 2u);
    recoverAll(app);
    EXPECT_EQ(wholeFile(capital), "capital");
    EXPECT_EQ(wholeFile(small), "small");
    EXPECT_TRUE(namesIn(backup).empty());
}

// A file at exactly `length` characters: a folder padded to fit, then "f.tmp"; what a name
// of at most 200 characters cannot take pads the file's name.
std::string pathOfLength(const std::string& parent, size_t length) {
    const size_t pad = length - parent.size() - std::string("\\f.tmp").size();
    const size_t inFolder = std::min<size_t>(pad, 200);
    return parent + std::string(inFolder, 'p') + "\\" + std::string(pad - inFolder, 'q') + "f.tmp";
}

TEST_F(FaultsWine, LongPathsAndDeepFolders) {
    const std::string reachable[] = {pathOfLength(filesFolder("l240"), 240),
                                     pathOfLength(filesFolder("l259"), 259)};
    const std::string beyond[] = {pathOfLength(filesFolder("l261"), 261),
                                  pathOfLength(filesFolder("l280"), 280),
                                  pathOfLength(filesFolder("l300"), 300)};
    // 100 folders deep ends within reach, 130 deep does not.
    std::wstring deep = widen(filesFolder("n"));
    std::string deepPath = files + "n\\";
    for (int level = 1; level <= 130; ++level) {
        deep += L"d\\";
        ASSERT_TRUE(makeWideFolder(deep));
        if (level <= 100) deepPath += "d\\";
    }
    deepPath += "z.tmp";
    ASSERT_LT(deepPath.size(), 260u);
    const std::string backup = filesFolder("backup");

    for (Way way : {Way::Recycle, Way::Permanent, Way::Backup}) {
        SCOPED_TRACE(nameOf(way));
        for (const std::string& path : reachable) {
            const std::wstring wide = widen(path);
            ASSERT_TRUE(makeWideFolder(wide.substr(0, wide.rfind(L'\\'))));
            ASSERT_TRUE(makeWideFile(wide, path.substr(path.size() - 40)));
        }
        for (const std::string& path : beyond) {
            const std::wstring wide = widen(path);
            ASSERT_TRUE(makeWideFolder(wide.substr(0, wide.rfind(L'\\'))));
            ASSERT_TRUE(makeWideFile(wide, "beyond"));
        }
        ASSERT_TRUE(makeWideFile(widen(deepPath), "deep"));
        ASSERT_TRUE(makeWideFile(deep + L"y.tmp", "deeper"));

        search(files, {"*.tmp"});
        const auto listed = listedPaths();
        for (const std::string& path : reachable)
            EXPECT_EQ(std::count(listed.begin(), listed.end(), path), 1) << path.size();
        EXPECT_EQ(std::count(listed.begin(), listed.end(), deepPath), 1);
        regWriteBytes(app, kUsers, kSaveFilePathItem, backup);
        mode(radioOf(way));
        deleteAllRows(app);

        for (const std::string& path : reachable) EXPECT_FALSE(exists(path)) << path.size();
        EXPECT_FALSE(exists(deepPath));
        for (const std::string& path : beyond) EXPECT_EQ(fileText(path), "beyond") << path.size();
        EXPECT_EQ(wideContent(deep + L"y.tmp"), "deeper");
        if (way == Way::Backup) {
            EXPECT_EQ(namesIn(backup).size(), 3u);
            recoverAll(app);
            for (const std::string& path : reachable)
                EXPECT_EQ(wholeFile(path), path.substr(path.size() - 40)) << path.size();
            EXPECT_EQ(wholeFile(deepPath), "deep");
            EXPECT_TRUE(namesIn(backup).empty());
        }
        regDelete(app, kUsers, kSaveFilePathItem);
    }
}

TEST_F(FaultsWine, EmptyTwoGigabyteAndFourGigabyteFiles) {
    ULARGE_INTEGER freeBytes{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(files.c_str(), &freeBytes, nullptr, nullptr));
    if (freeBytes.QuadPart < (10ull << 30)) GTEST_SKIP() << "less than 10 GiB free on the test drive";
    const uint64_t two = (1ull << 31) + 1, four = 1ull << 32;
    const std::string sizes = filesFolder("sizes"), backup = filesFolder("backup");
    const std::string zero = file(sizes + "zero.tmp", "");
    const std::string twoGiB = sizes + "two.tmp", fourGiB = sizes + "four.tmp";
    ASSERT_TRUE(makeSparseFile(twoGiB, two, "head of two", "tail of two"));
    ASSERT_TRUE(makeSparseFile(fourGiB, four, "head of four", "tail of four"));
    ASSERT_LT(diskBytes(fourGiB), 1ull << 20) << "the 4 GiB file is not sparse";
    ASSERT_LT(diskBytes(twoGiB), 1ull << 20) << "the 2 GiB file is not sparse";

    search(sizes, {"*.tmp"});
    ASSERT_EQ(listedPaths(), (std::vector<std::string>{fourGiB, twoGiB, zero}));
    EXPECT_EQ(p.ui.rows(Ctl::resultList)[0].cells[kColSize], "4294967296");
    EXPECT_EQ(p.ui.rows(Ctl::resultList)[1].cells[kColSize], "2147483649");
    EXPECT_EQ(p.ui.rows(Ctl::resultList)[2].cells[kColSize], "0");

    // A copy holds at most 4 GiB - 1 bytes: the 4 GiB file stays as it is.
    regWriteBytes(app, kUsers, kSaveFilePathItem, backup);
    mode(Ctl::backupModeRadio);
    deleteAllRows(app);
    EXPECT_EQ(p.ui.text(Ctl::recoveredLabel), "K61 2048K62");
    EXPECT_FALSE(exists(zero));
    EXPECT_FALSE(exists(twoGiB));
    EXPECT_EQ(bytesAt(fourGiB, four - 12, 12), "tail of four");
    EXPECT_LT(diskBytes(fourGiB), 1ull << 20);
    auto copies = namesIn(backup);
    std::sort(copies.begin(), copies.end());
    EXPECT_EQ(copies, (std::vector<std::string>{"two.tmp.dak", "zero.tmp.dak"}));
    WIN32_FILE_ATTRIBUTE_DATA record{};
    ASSERT_TRUE(GetFileAttributesExA((backup + "two.tmp.dak").c_str(), GetFileExInfoStandard, &record));
    EXPECT_EQ(uint64_t(record.nFileSizeHigh) << 32 | record.nFileSizeLow, twoGiB.size() + 57 + two);

    recoverAll(app);
    EXPECT_EQ(wholeFile(zero), "");
    WIN32_FILE_ATTRIBUTE_DATA restored{};
    ASSERT_TRUE(GetFileAttributesExA(twoGiB.c_str(), GetFileExInfoStandard, &restored));
    EXPECT_EQ(uint64_t(restored.nFileSizeHigh) << 32 | restored.nFileSizeLow, two);
    EXPECT_EQ(bytesAt(twoGiB, 0, 11), "head of two");
    EXPECT_EQ(bytesAt(twoGiB, two - 11, 11), "tail of two");
    EXPECT_EQ(bytesAt(twoGiB, 1ull << 30, 4), std::string(4, '\0'));
    EXPECT_TRUE(namesIn(backup).empty());

    search(sizes, {"*.tmp"});
    mode(Ctl::permanentModeRadio);
    deleteAllRows(app);
    EXPECT_EQ(p.ui.text(Ctl::recoveredLabel), "K61 6144K62");  // 6 GiB + 1 byte
    EXPECT_TRUE(namesIn(sizes).empty());
}

}  // namespace
}  // namespace dv::winetest
