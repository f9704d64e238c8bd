#include <gtest/gtest.h>

#include "rules/CachePlan.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

using Strings = std::vector<std::string>;

std::string describe(const Rule& r) {
    std::string text = r.name + " [" + r.group + "]" + (r.leftOut ? " out" : "");
    for (const std::string& d : r.detectKeys) text += " reg:" + d;
    for (const std::string& d : r.detectFiles) text += " file:" + d;
    if (!r.detectOS.empty()) text += " os:" + r.detectOS;
    for (const FileKey& k : r.fileKeys) {
        text += " key:" + k.folder + "|";
        for (const std::string& p : k.patterns) text += p + ";";
        text += std::string(k.recurse ? "R" : "") + (k.removeSelf ? "S" : "");
    }
    for (const ExcludeKey& e : r.excludeKeys)
        text += std::string(" not:") + (e.subfolders ? "tree " : "") + e.folder + "|" + e.pattern;
    return text;
}

TEST(RuleFile, ReadsTheFileCleaningPartOfTheFormat) {
    const std::string text =
        "\xEF\xBB\xBF; a comment\r\n"
        "[Chrome Cache *]\r\n"
        "LangSecRef=3029\r\n"
        "Detect=HKCU\\Software\\Google\r\n"
        "DetectFile2=%LocalAppData%\\Google\\Chrome*\r\n"
        "DetectOS=6.1|\r\n"
        "FileKey1=%LocalAppData%\\G\\*\\Cache|*.*|RECURSE\r\n"
        "FileKey2 = %AppData%\\G | *.log; *.tmp |REMOVESELF\r\n"
        "FileKey3=%AppData%\\G|*.x|WIPE\r\n"       // a flag we do not know
        "FileKey4=%AppData%\\G|..\\*.x\r\n"        // a pattern with a folder
        "FileKey5=%AppData%\\G\r\n"                // no pattern
        "FileKey6=%AppData%\\G|a\x01.x\r\n"        // a control character
        "FileKeyX=%AppData%\\G|*.y\r\n"            // not a numbered key
        "ExcludeKey1=FILE|%AppData%\\G\\|keep.db;keep2.db\r\n"
        "ExcludeKey2=PATH|%AppData%\\G\\Sub\\\r\n"
        "ExcludeKey3=FILE|%AppData%\\G\\only.db\r\n"
        "ExcludeKey4=REG|HKCU\\Software\\G\r\n"
        "RegKey1=HKCU\\Software\\G\r\n"
        "Section=Browsers\r\n"
        "[Risky *]\nWarning=This removes your settings.\nFileKey1=C:\\x|*.*\n"
        "[Off]\nDefault=False\nFileKey1=C:\\x|*.*\n"
        "[]\nFileKey1=C:\\orphan|*.*\n"
        "[Unclosed\nFileKey1=C:\\orphan|*.*\n";
    Strings described;
    for (const Rule& r : parseRules(text)) described.push_back(describe(r));
    EXPECT_EQ((Strings{"Chrome Cache [Browsers] reg:HKCU\\Software\\Google "
                       "file:%LocalAppData%\\Google\\Chrome* os:6.1| "
                       "key:%LocalAppData%\\G\\*\\Cache|*.*;R key:%AppData%\\G|*.log;*.tmp;RS "
                       "not:%AppData%\\G\\|keep.db not:%AppData%\\G\\|keep2.db "
                       "not:tree %AppData%\\G\\Sub\\|* not:%AppData%\\G|only.db",
                       "Risky [] out key:C:\\x|*.*;", "Off [] out key:C:\\x|*.*;"}),
              described);
}

TEST(RuleFile, MissingHugeAndGarbageFilesGiveNoRules) {
    FakePlatform p;
    EXPECT_TRUE(readRuleFile(p.fs, "C:\\Dustvane\\Rules.ini").empty());
    p.fs.addFile("C:\\Dustvane\\Rules.ini", "[A]\nFileKey1=C:\\a|*.*\n");
    p.fs.setReportedSize("C:\\Dustvane\\Rules.ini", kMaxRuleFileBytes + 1);
    EXPECT_TRUE(readRuleFile(p.fs, "C:\\Dustvane\\Rules.ini").empty());
    std::string garbage;
    for (int i = 0; i < 100000; ++i) garbage += char(i * 7919 % 256);
    p.fs.addFile("C:\\Dustvane\\Rules.ini", garbage);
    EXPECT_TRUE(readRuleFile(p.fs, "C:\\Dustvane\\Rules.ini").empty());
}

// A profile laid out as Windows 10 has it (the fake's known folders), with a few folders
// every case may use.
struct Plan : ::testing::Test {
    FakePlatform p;
    Plan() {
        for (const char* folder :
             {"C:\\Users\\owner\\AppData\\Local\\App\\Cache", "C:\\Users\\owner\\AppData\\Roaming\\App",
              "C:\\Users\\owner\\AppData\\LocalLow\\App", "C:\\ProgramData\\App", "C:\\Windows\\Temp",
              "C:\\Program Files\\App", "C:\\Program Files (x86)\\App",
              "C:\\Program Files\\Common Files\\App", "C:\\Users\\Public\\App",
              "C:\\Users\\owner\\App", "C:\\Users\\owner\\Documents\\App",
              "C:\\Users\\owner\\Desktop\\Cache", "C:\\Users\\owner\\Downloads",
              "C:\\Users\\owner\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\Cache",
              "C:\\Users\\owner\\AppData\\Local\\Google\\Chrome\\User Data\\Profile 1\\Cache",
              "C:\\Users\\owner\\AppData\\Local\\Google\\Chrome\\User Data\\Profile 2",
              "D:\\Games\\Cache"})
            p.fs.addFolder(folder);
        p.fs.addFolder("C:\\Users\\owner\\AppData\\Local\\Google\\Chrome\\User Data\\Linked",
                       kAttrDirectory | kAttrReparsePoint);
        p.fs.addFolder("C:\\Users\\owner\\AppData\\Local\\Google\\Chrome\\User Data\\Linked\\Cache");
        p.fs.addFolder("C:\\Users\\owner\\AppData\\Local\\Hop", kAttrDirectory | kAttrReparsePoint);
        p.fs.addFolder("C:\\Users\\owner\\AppData\\Local\\Hop\\Cache");
        p.fs.addFile("C:\\Users\\owner\\AppData\\Local\\App\\app.exe");
    }
    // The folders the section's lines give on C:.
    Strings folders(const std::string& lines) {
        const CachePlan plan = planCaches(p.app, parseRules("[Test]\n" + lines), {"C:\\"});
        Strings paths;
        for (const CacheFolder& f : plan.folders) paths.push_back(f.path);
        EXPECT_EQ(paths.empty() ? 0 : 1, plan.programs) << lines;
        return paths;
    }
};

TEST_F(Plan, DetectionVariablesWildcardsAndRefusals) {
    const std::string local = "C:\\Users\\owner\\AppData\\Local\\";
    const std::string chrome = local + "Google\\Chrome\\User Data\\";
    p.registry.set(kCurrentUser, "Software\\App", "v", kRegSz, "1");
    const struct {
        const char* lines;
        Strings expected;
    } kCases[] = {
        // Detection: without a Detect key the folder itself decides.
        {"FileKey1=%LocalAppData%\\App\\Cache|*.*", {local + "App\\Cache\\"}},
        {"FileKey1=%LocalAppData%\\None|*.*", {}},
        {"Detect=HKCU\\Software\\App\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {local + "App\\Cache\\"}},
        {"Detect1=HKCU\\Software\\Gone\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {}},
        {"Detect=HKLM\\Software\\App\nDetect2=HKEY_CURRENT_USER\\Software\\App\n"
         "FileKey1=%LocalAppData%\\App\\Cache|*.*", {local + "App\\Cache\\"}},
        {"DetectFile=%LocalAppData%\\A*\\app.exe\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {local + "App\\Cache\\"}},
        {"DetectFile=%LocalAppData%\\App\\gone.exe\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {}},
        {"DetectOS=6.1|6.3\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {}},
        {"DetectOS=10.0|\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {local + "App\\Cache\\"}},
        {"DetectOS=|6.3\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {}},
        {"DetectOS=ten\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {}},
        {"Warning=Removes your logins.\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {}},
        {"Default=False\nFileKey1=%LocalAppData%\\App\\Cache|*.*", {}},
        // "*" in folder parts: every profile, never through a junction.
        {"FileKey1=%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache|*.*|RECURSE",
         {chrome + "Default\\Cache\\", chrome + "Profile 1\\Cache\\"}},
        {"FileKey1=%LocalAppData%\\Hop\\Cache|*.*", {}},
        // Every variable, in any letter case; one we do not know names nothing.
        {"FileKey1=%appdata%\\App|*.*", {"C:\\Users\\owner\\AppData\\Roaming\\App\\"}},
        {"FileKey1=%LocalLowAppData%\\App|*.*", {"C:\\Users\\owner\\AppData\\LocalLow\\App\\"}},
        {"FileKey1=%ProgramData%\\App|*.*\nFileKey2=%CommonAppData%\\App|*.*",
         {"C:\\ProgramData\\App\\", "C:\\ProgramData\\App\\"}},
        {"FileKey1=%WinDir%\\Temp|*.*|RECURSE\nFileKey2=%SystemDrive%\\Windows\\Temp|*.*",
         {"C:\\Windows\\Temp\\", "C:\\Windows\\Temp\\"}},
        {"FileKey1=%ProgramFiles%\\App|*.*", {"C:\\Program Files\\App\\", "C:\\Program Files (x86)\\App\\"}},
        {"FileKey1=%CommonProgramFiles%\\App|*.*", {"C:\\Program Files\\Common Files\\App\\"}},
        {"FileKey1=%Public%\\App|*.*", {"C:\\Users\\Public\\App\\"}},
        {"FileKey1=%UserProfile%\\App|*.*", {"C:\\Users\\owner\\App\\"}},
        {"FileKey1=%Temp%\\App|*.*", {}},
        {"FileKey1=%LocalAppData\\App|*.*", {}},
        {"FileKey1=D:\\Games\\Cache|*.*", {}},  // not on the drive searched
        // Refused whole: roots, Windows' and the programs' folders, the profile and the
        // folders above it, the user's own folders, and folders named the long way round.
        {"FileKey1=%SystemDrive%\\|*.tmp", {}},
        {"FileKey1=C:|*.tmp", {}},
        {"FileKey1=%WinDir%|*.log", {}},
        {"FileKey1=%ProgramFiles%|*.log", {}},
        {"FileKey1=%UserProfile%|*.tmp", {}},
        {"FileKey1=%UserProfile%\\..|*.tmp", {}},
        {"FileKey1=C:\\Users|*.tmp", {}},
        {"FileKey1=%Documents%\\App|*.*", {}},
        {"FileKey1=%UserProfile%\\*|*.*", {"C:\\Users\\owner\\AppData\\", "C:\\Users\\owner\\App\\"}},
        {"FileKey1=%UserProfile%\\Desktop\\Cache|*.*", {}},
        {"FileKey1=%UserProfile%\\Downloads|*.tmp", {}},
        {"FileKey1=%LocalAppData%\\App\\.\\Cache|*.*", {}},
        {"FileKey1=%LocalAppData%\\..\\Local\\App\\Cache|*.*", {}},
        {"FileKey1=%LocalAppData%\\App\\Cache.|*.*", {}},
        {"FileKey1=\\\\server\\share\\Cache|*.*", {}},
        {"FileKey1=App\\Cache|*.*", {}},
        // A whole known folder, or one above it, is cleaned only by name, never in depth.
        {"FileKey1=%LocalAppData%|*.tmp", {local}},
        {"FileKey1=%LocalAppData%|*.*|RECURSE", {}},
        {"FileKey1=%UserProfile%\\AppData|*.*|RECURSE", {}},
        {"FileKey1=%ProgramData%|*.*|REMOVESELF", {}},
        {"FileKey1=%LocalAppData%\\App|*.*|RECURSE", {local + "App\\"}},
    };
    for (const auto& c : kCases) EXPECT_EQ(c.expected, folders(c.lines)) << c.lines;
}

}  // namespace
}  // namespace dv
