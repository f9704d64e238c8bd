#include <gtest/gtest.h>

#include "rules/CachePlan.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

using Strings = std::vector<std::string>;

std::string describe(const Rule& r) {
    std::string text = r.name + " [" + r.group + "]" + (r.leftOut ? " out" : "") + " os:" + r.detectOS;
    for (const std::string& d : r.detectKeys) text += " reg:" + d;
    for (const std::string& d : r.detectFiles) text += " file:" + d;
    for (const FileKey& k : r.fileKeys) {
        text += " key:" + k.folder + "|" + (k.recurse ? "R" : "") + (k.removeSelf ? "S" : "");
        for (const std::string& p : k.patterns) text += "|" + p;
    }
    for (const ExcludeKey& e : r.excludeKeys)
        text += std::string(" not:") + (e.subfolders ? "tree " : "") + e.folder + "|" + e.pattern;
    return text;
}

TEST(RuleFile, ReadsTheFileCleaningPartOfTheFormat) {
    const std::string text =
        "\xEF\xBB\xBF; a comment\r\n[Chrome Cache *]\r\nLangSecRef=3029\r\nDetect=HKCU\\Software\\Google\r\n"
        "DetectFile2=%LocalAppData%\\Google\\Chrome*\r\nDetectOS=6.1|\r\n"
        "FileKey1=%LocalAppData%\\G\\*\\Cache|*.*|RECURSE\r\n"
        "FileKey2 = %AppData%\\G | *.log; *.tmp |REMOVESELF\r\n"
        "FileKey3=%AppData%\\G|*.x|WIPE\r\nFileKey4=%AppData%\\G|..\\*.x\r\n"  // unknown flag, a folder
        "FileKey5=%AppData%\\G\r\n"                                           // no pattern
        "FileKeyX=%AppData%\\G|*.y\r\nRegKey1=HKCU\\Software\\G\r\n"           // not numbered, registry
        "ExcludeKey1=FILE|%AppData%\\G\\|keep.db;keep2.db\r\nExcludeKey2=PATH|%AppData%\\G\\Sub\\\r\n"
        "ExcludeKey3=FILE|%AppData%\\G\\only.db\r\nExcludeKey4=REG|HKCU\\Software\\G\r\n"
        "Section=Browsers\r\n"
        "[Risky *]\nWarning=This removes your settings.\nFileKey1=C:\\x|*.*\n"
        "[Off]\nDefault=False\nFileKey1=C:\\x|*.*\n"
        "[Odd]\nExcludeKey1=DIR|C:\\x\nFileKey1=C:\\x|a\x01.x\n"  // an exclusion, a line unread
        "[]\nFileKey1=C:\\orphan|*.*\n[Unclosed\nFileKey1=C:\\orphan|*.*\n";
    Strings described;
    for (const Rule& r : parseRules(text)) described.push_back(describe(r));
    EXPECT_EQ((Strings{"Chrome Cache [Browsers] os:6.1| reg:HKCU\\Software\\Google "
                       "file:%LocalAppData%\\Google\\Chrome* key:%LocalAppData%\\G\\*\\Cache|R|*.* "
                       "key:%AppData%\\G|RS|*.log|*.tmp not:%AppData%\\G\\|keep.db "
                       "not:%AppData%\\G\\|keep2.db not:tree %AppData%\\G\\Sub\\|* not:%AppData%\\G|only.db",
                       "Risky [] out os: key:C:\\x||*.*", "Off [] out os: key:C:\\x||*.*", "Odd [] out os:"}),
              described);
}

// UTF-8 files in the code page (the fake's is Latin-1), files in the code page as they are,
// and nothing from a missing, huge or garbage file.
TEST(RuleFile, ReadsFilesInUtf8AndInTheCodePage) {
    FakePlatform p;
    const std::string path = "C:\\Dustvane\\winapp2.ini";
    auto names = [&] {
        Strings found;
        for (const Rule& r : readRuleFile(p.app, path)) found.push_back(describe(r));
        return found;
    };
    EXPECT_TRUE(names().empty());
    p.fs.addFile(path, "[\xC2\xB5Torrent *]\nFileKey1=C:\\\xC3\xA9t|*.*\n[\xE6\x97\xA5 *]\nFileKey1=C:\\x|*.*\n");
    EXPECT_EQ((Strings{"\xB5Torrent [] os: key:C:\\\xE9t||*.*"}), names());
    p.fs.addFile(path, "[Caf\xE9]\nFileKey1=C:\\a|*.*\n");
    EXPECT_EQ((Strings{"Caf\xE9 [] os: key:C:\\a||*.*"}), names());
    p.fs.setReportedSize(path, kMaxRuleFileBytes + 1);
    EXPECT_TRUE(names().empty());
    std::string garbage;
    for (int i = 0; i < 100000; ++i) garbage += char(i * 7919 % 256);
    p.fs.addFile(path, garbage);
    EXPECT_TRUE(names().empty());
}

// A profile as Windows 10 has it (the fake's known folders), with folders every case may use.
struct Plan : ::testing::Test {
    FakePlatform p;
    Plan() {
        for (const char* folder :
             {"C:\\Users\\owner\\AppData\\Local\\App\\Cache", "C:\\Users\\owner\\AppData\\Roaming\\App",
              "C:\\Users\\owner\\AppData\\LocalLow\\App", "C:\\ProgramData\\App", "C:\\Windows\\Temp",
              "C:\\Program Files\\App", "C:\\Program Files (x86)\\App", "C:\\Users\\Public\\App",
              "C:\\Program Files\\Common Files\\App", "C:\\Users\\owner\\App", "D:\\Games\\Cache",
              "C:\\Users\\owner\\Documents\\App", "C:\\Users\\owner\\Desktop\\Cache"})
            p.fs.addFolder(folder);
        const std::string local = "C:\\Users\\owner\\AppData\\Local\\", chrome = local + "Google\\Chrome\\User Data\\";
        for (const char* profile : {"Default\\Cache", "Profile 1\\Cache", "Profile 2"}) p.fs.addFolder(chrome + profile);
        for (const std::string& link : {chrome + "Linked", local + "Hop"}) {  // junctions
            p.fs.addFolder(link, kAttrDirectory | kAttrReparsePoint);
            p.fs.addFolder(link + "\\Cache");
        }
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
    const std::string chrome = local + "Google\\Chrome\\User Data\\", cache = local + "App\\Cache\\";
    const std::string key = "\nFileKey1=%LocalAppData%\\App\\Cache|*.*";
    p.registry.set(kCurrentUser, "Software\\App", "v", kRegSz, "1");
    const struct {
        std::string lines;
        Strings expected;
    } kCases[] = {
        // Detection: without a Detect key the folder itself decides.
        {key, {cache}}, {"Detect=HKCU\\Software\\App" + key, {cache}}, {"Detect1=HKCU\\Software\\Gone" + key, {}},
        {"Detect=HKLM\\Software\\App\nDetect2=HKEY_CURRENT_USER\\Software\\App" + key, {cache}},
        {"DetectFile=%LocalAppData%\\A*\\app.exe" + key, {cache}}, {"DetectFile=%LocalAppData%\\App\\x" + key, {}},
        {"DetectOS=6.1|6.3" + key, {}}, {"DetectOS=10.0|" + key, {cache}}, {"DetectOS=ten" + key, {}},
        {"Warning=Removes your logins." + key, {}}, {"Default=False" + key, {}},
        {"ExcludeKey1=PATH|%Temp%\\App\\" + key, {}},  // an exclusion it cannot place
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
        {"FileKey1=%Temp%\\App|*.*", {}}, {"FileKey1=D:\\Games\\Cache|*.*", {}},  // D: is not searched
        // Refused whole: roots, Windows' and the programs' folders, the profile and the
        // folders above it, the user's own folders, and folders named the long way round.
        {"FileKey1=%SystemDrive%\\|*.tmp", {}},
        {"FileKey1=%WinDir%|*.log", {}}, {"FileKey1=%ProgramFiles%|*.log", {}},
        {"FileKey1=%UserProfile%|*.tmp", {}}, {"FileKey1=%UserProfile%\\..|*.tmp", {}},
        {"FileKey1=C:\\Users|*.tmp", {}}, {"FileKey1=%Documents%\\App|*.*", {}},
        {"FileKey1=%UserProfile%\\*|*.*", {"C:\\Users\\owner\\AppData\\", "C:\\Users\\owner\\App\\"}},
        {"FileKey1=%UserProfile%\\Desktop\\Cache|*.*", {}},
        {"FileKey1=%LocalAppData%\\..\\Local\\App\\Cache|*.*", {}},
        {"FileKey1=%LocalAppData%\\App\\Cache.|*.*", {}}, {"FileKey1=\\\\server\\share\\Cache|*.*", {}},
        // A whole known folder, or one above it, is cleaned only by name, never in depth.
        {"FileKey1=%LocalAppData%|*.tmp", {local}},
        {"FileKey1=%LocalAppData%|*.*|RECURSE", {}},
        {"FileKey1=%UserProfile%\\AppData|*.*|RECURSE", {}},
    };
    for (const auto& c : kCases) EXPECT_EQ(c.expected, folders(c.lines)) << c.lines;
}

}  // namespace
}  // namespace dv
