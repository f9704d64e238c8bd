// The two Windows packages as a user meets them: the installer (silent and through its
// pages), the installed program, an install over an earlier one, the uninstaller, and
// the unpacked portable zip. scripts/test-packages.sh builds the packages, puts them
// into a Wine prefix of their own and names them in DV_SETUP_EXE and DV_PORTABLE_EXE.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "tests/gui/GuiTest.h"

namespace gui {
namespace {

const char kEntryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dustvane";
constexpr DWORD kInstallWait = 60000;

std::string envText(const char* name) {
    char buf[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string shellFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string installDir() { return shellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Dustvane"; }
std::string shortcutPath() { return shellFolder(CSIDL_PROGRAMS) + "\\Dustvane.lnk"; }
std::string folderOfFile(const std::string& path) { return path.substr(0, path.rfind('\\')); }

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

using dv::winetest::exists;
using dv::winetest::writeFile;

// The whole file; empty when it cannot be read.
std::string readFile(const std::string& path) { return dv::winetest::wholeFile(path, {}); }

std::string languageChoice(const std::string& dir) {
    char buf[64] = "";
    GetPrivateProfileStringA("Dustvane", "language", "", buf, sizeof buf,
                             (dir + "\\LANGUAGE\\language.ini").c_str());
    return buf;
}

// Relative path -> size of every file below the folder; folders as "name\" -> 0.
void listTree(const std::string& root, const std::string& below,
              std::map<std::string, ULONGLONG>* out) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((root + "\\" + below + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*out)[below + name + "\\"] = 0;
            listTree(root, below + name + "\\", out);
        } else {
            (*out)[below + name] = (ULONGLONG(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

std::map<std::string, ULONGLONG> treeOf(const std::string& root) {
    std::map<std::string, ULONGLONG> out;
    listTree(root, "", &out);
    return out;
}

std::string entryText(const char* name) {
    char buf[1024];
    DWORD size = sizeof buf;
    if (RegGetValueA(HKEY_CURRENT_USER, kEntryKey, name, RRF_RT_REG_SZ, nullptr, buf, &size) !=
        ERROR_SUCCESS)
        return "(missing)";
    return buf;
}

DWORD entryNumber(const char* name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kEntryKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

bool entryExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kEntryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string productVersion(const std::string& file) {
    DWORD ignored = 0, size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    std::vector<char> data(size);
    if (!size || !GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return "(none)";
    WORD* translation = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &len) ||
        len < 4)
        return "(none)";
    char query[64];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\ProductVersion", translation[0],
              translation[1]);
    char* text = nullptr;
    if (!VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&text), &len)) return "(none)";
    return text;
}

std::string shortcutTarget(const std::string& link) {
    std::string target;
    CoInitialize(nullptr);
    IShellLinkA* shell = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shell)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
            char path[MAX_PATH] = "";
            if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
                SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, 0)))
                target = path;
            file->Release();
        }
        shell->Release();
    }
    CoUninitialize();
    return target;
}

// A started process, ended when it goes out of scope.
struct Process {
    PROCESS_INFORMATION pi{};
    explicit Process(const std::string& commandLine, const std::string& folder = "") {
        std::vector<char> cmd(commandLine.begin(), commandLine.end());
        cmd.push_back('\0');
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &si, &pi))
            pi = PROCESS_INFORMATION{};
    }
    ~Process() {
        if (!pi.hProcess) return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    // The exit code, or ~0 when it did not start or end in time.
    DWORD finish(DWORD timeoutMs) {
        DWORD code = ~0u;
        if (pi.hProcess && WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

// Starts Dustvane from its folder and returns its visible main window (nullptr if none came).
HWND mainWindowOf(Process& app) {
    if (!app.pi.hProcess) return nullptr;
    return waitTopWindow(app.pi.dwProcessId, "Dustvane", main_window::kWidth,
                         main_window::kHeight, kLongWait);
}

// The process that a running uninstaller copied itself into (it leaves the folder it
// removes): "Un.exe" (NSIS 3; older ones made "Un_A.exe" or "Au_.exe").
DWORD uninstallerCopy() {
    DWORD found = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe)) {
        std::string name = pe.szExeFile;
        if (name == "Un.exe" || name.rfind("Un_", 0) == 0 || name.rfind("Au_", 0) == 0)
            found = pe.th32ProcessID;
    }
    CloseHandle(snap);
    return found;
}

// A visible dialog of the process with a text that contains these words.
HWND dialogSaying(DWORD pid, const std::string& words, std::string* text) {
    for (HWND top : topWindowsOf(pid)) {
        if (!IsWindowVisible(top) || className(top) != "#32770") continue;
        for (HWND c : findControls(top, Find().className("Static"))) {
            *text = textOf(c);
            if (text->find(words) != std::string::npos) return top;
        }
    }
    return nullptr;
}

// Waits for the button with this caption and presses it as a click would.
bool pressWhenShown(HWND dialog, const char* caption, DWORD timeoutMs) {
    HWND b = waitControl(dialog, Find().caption(caption), timeoutMs);
    if (!b) return false;
    PostMessageA(GetParent(b), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
                 reinterpret_cast<LPARAM>(b));
    return true;
}

class PackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(setup_.empty()) << "DV_SETUP_EXE is not set: run through test-packages.sh";
        ASSERT_TRUE(exists(setup_)) << setup_;
        removeEverything();
        setStartSwitch("NotShow", 1);  // the start-up wizard would cover the main window
    }
    void TearDown() override { removeEverything(); }

    void removeEverything() {
        removeTree(dir_);
        DeleteFileA(shortcutPath().c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, kEntryKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kEntryKey);
        clearProgramSettings();
    }

    void installSilently() {
        Process setup("\"" + setup_ + "\" /S");
        ASSERT_EQ(0u, setup.finish(kInstallWait));
        ASSERT_TRUE(exists(dir_ + "\\Dustvane.exe"));
    }

    // Runs the uninstall entry's quiet command as Windows would, and waits for the
    // uninstaller's copy to finish: it drops the entry last.
    void uninstallSilently() {
        Process uninstall(entryText("QuietUninstallString"));
        ASSERT_EQ(0u, uninstall.finish(kInstallWait));
        ASSERT_TRUE(waitUntil([] { return !entryExists(); }, kInstallWait));
    }

    const std::string setup_ = envText("DV_SETUP_EXE");
    const std::string portable_ = envText("DV_PORTABLE_EXE");
    const std::string dir_ = installDir();
};

TEST_F(PackageTest, SilentInstallPutsProgramShortcutAndEntryInPlaceAndTheProgramStarts) {
    installSilently();

    std::map<std::string, ULONGLONG> installed = treeOf(dir_);
    for (const char* file : {"Dustvane.exe", "uninstall.exe", "README.txt", "LICENSE.txt",
                             "Rules.ini", "help.chm", "help.hlp", "LANGUAGE\\English.lng",
                             "BackFile\\"})
        EXPECT_TRUE(installed.count(file)) << file;
    EXPECT_EQ("3", languageChoice(dir_));
    // The zip holds the very same files; the installer adds only its uninstaller.
    installed.erase("uninstall.exe");
    EXPECT_EQ(treeOf(folderOfFile(portable_)), installed);
    const std::string readme = readFile(dir_ + "\\README.txt");
    size_t lines = 0, windowsLines = 0;
    for (size_t i = 0; i < readme.size(); ++i)
        if (readme[i] == '\n') ++lines, windowsLines += i > 0 && readme[i - 1] == '\r';
    EXPECT_GT(lines, 10u);
    EXPECT_EQ(lines, windowsLines) << "README.txt has Windows line ends";

    // One version everywhere: the program's version resource, the installer, the
    // uninstaller and the entry in the list of installed programs.
    const std::string version = productVersion(dir_ + "\\Dustvane.exe");
    EXPECT_NE("(none)", version);
    EXPECT_EQ(version, entryText("DisplayVersion"));
    EXPECT_EQ(version, productVersion(setup_));
    EXPECT_EQ(version, productVersion(dir_ + "\\uninstall.exe"));

    const std::string uninstaller = "\"" + dir_ + "\\uninstall.exe\"";
    EXPECT_EQ("Dustvane", entryText("DisplayName"));
    EXPECT_EQ("The Dustvane authors", entryText("Publisher"));
    EXPECT_EQ(lower(dir_), lower(entryText("InstallLocation")));
    EXPECT_EQ(lower(dir_ + "\\Dustvane.exe,0"), lower(entryText("DisplayIcon")));
    EXPECT_EQ(lower(uninstaller), lower(entryText("UninstallString")));
    EXPECT_EQ(lower(uninstaller + " /S"), lower(entryText("QuietUninstallString")));
    EXPECT_GT(entryNumber("EstimatedSize"), 100u);
    EXPECT_EQ(1u, entryNumber("NoModify"));
    EXPECT_EQ(1u, entryNumber("NoRepair"));

    const std::string target = shortcutTarget(shortcutPath());
    EXPECT_EQ(lower(dir_ + "\\Dustvane.exe"), lower(target));
    Process app("\"" + target + "\"", dir_);
    ASSERT_TRUE(mainWindowOf(app)) << "the installed program showed no main window";
    // Its files cannot be replaced while it runs: a silent install gives up and says so.
    Process again("\"" + setup_ + "\" /S");
    EXPECT_EQ(2u, again.finish(kInstallWait));
}

TEST_F(PackageTest, PortableZipRunsFromWhereItWasUnpacked) {
    ASSERT_TRUE(exists(portable_)) << portable_;
    Process app("\"" + portable_ + "\"", folderOfFile(portable_));
    EXPECT_TRUE(mainWindowOf(app)) << "the unpacked program showed no main window";
}

TEST_F(PackageTest, InstallOverAnEarlierOneKeepsTheUsersListsSettingsAndLanguage) {
    installSilently();
    const std::map<std::string, std::string> mine = {
        {"Files.txt", "Old builds|*.old\r\n"},
        {"noscfile.dat", "C:\\keep\\this.tmp\r\n"},
        {"dustvaneset.ini", "[update]\r\nauto=0\r\n"},
        {"LANGUAGE\\language.ini", "[Dustvane]\r\nlanguage=4\r\n"},
    };
    for (const auto& [name, text] : mine) ASSERT_TRUE(writeFile(dir_ + "\\" + name, text));
    DeleteFileA((dir_ + "\\LANGUAGE\\English.lng").c_str());

    installSilently();
    for (const auto& [name, text] : mine) EXPECT_EQ(text, readFile(dir_ + "\\" + name)) << name;
    EXPECT_TRUE(exists(dir_ + "\\LANGUAGE\\English.lng")) << "program files are renewed";
}

// Uninstalling with and without anything of the user's beside the program.
TEST_F(PackageTest, UninstallRemovesTheProgramAndKeepsBackupsAndLists) {
    const std::string chosen = testDrive() + "\\chosen backups";
    CreateDirectoryA(chosen.c_str(), nullptr);
    struct Case {
        bool userFiles;
        bool folderStays;
    };
    for (const Case& c : {Case{false, false}, Case{true, true}}) {
        SCOPED_TRACE(c.userFiles ? "with backups and lists" : "nothing of the user's");
        installSilently();
        const std::map<std::string, std::string> mine = {
            {"BackFile\\report.doc.dak", "copy"},
            {"FilePath.dat", "C:\\work\\report.doc\r\n"},
            {"noscfile.dat", "C:\\keep\\this.tmp\r\n"},
            {"Files.txt", "Old builds|*.old\r\n"},
        };
        if (c.userFiles) {
            for (const auto& [name, text] : mine) ASSERT_TRUE(writeFile(dir_ + "\\" + name, text));
            ASSERT_TRUE(writeFile(chosen + "\\notes.txt.dak", "copy"));
            HKEY key;
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_USERS, ".DEFAULT\\Software\\Dustvane", 0,
                                                     nullptr, 0, KEY_WRITE, nullptr, &key,
                                                     nullptr));
            RegSetValueExA(key, "SaveFilePath", 0, REG_BINARY,
                           reinterpret_cast<const BYTE*>(chosen.data()),
                           static_cast<DWORD>(chosen.size()));
            RegCloseKey(key);
        }

        uninstallSilently();
        EXPECT_EQ(c.folderStays, exists(dir_));
        for (const char* file : {"Dustvane.exe", "uninstall.exe", "README.txt", "LICENSE.txt",
                                 "Rules.ini", "help.chm", "help.hlp", "LANGUAGE"})
            EXPECT_FALSE(exists(dir_ + "\\" + file)) << file;
        EXPECT_FALSE(exists(shortcutPath()));
        if (c.userFiles) {
            for (const auto& [name, text] : mine)
                EXPECT_EQ(text, readFile(dir_ + "\\" + name)) << name;
            EXPECT_TRUE(exists(chosen + "\\notes.txt.dak"));
        }
        removeEverything();
    }
}

// Through the installer's pages: licence, folder, language, and the finish page.
TEST_F(PackageTest, InstallerPagesOfferTheShippedLanguagesAndWriteTheChoice) {
    const std::map<std::string, std::pair<const char*, const char*>> offered = {
        {"English", {"3", "English.lng"}},
        {"Chinese (Simplified)", {"1", "Chinese-GB.lng"}},
        {"Chinese (Traditional)", {"2", "Chinese-Big5.lng"}},
        {"Japanese", {"4", "Japanese.lng"}},
    };
    Process setup("\"" + setup_ + "\"");
    HWND wizard = waitTopWindow(setup.pi.dwProcessId, nullptr, 0, 0, kLongWait);
    ASSERT_TRUE(wizard);
    ASSERT_TRUE(pressWhenShown(wizard, "I &Agree", kLongWait));
    ASSERT_TRUE(pressWhenShown(wizard, "&Next >", kLongWait));

    HWND english = waitControl(wizard, Find().caption("English"), kLongWait);
    ASSERT_TRUE(english);
    EXPECT_TRUE(checked(english)) << "a first install proposes English";
    size_t shipped = 0;
    for (const auto& [caption, language] : offered)
        shipped += exists(folderOfFile(portable_) + "\\LANGUAGE\\" + language.second);
    std::vector<HWND> choices;
    for (HWND b : findControls(wizard, Find().className("Button")))
        if ((GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON && shown(b))
            choices.push_back(b);
    EXPECT_EQ(shipped, choices.size()) << "one choice for each shipped language file";
    const std::string picked = textOf(choices.back());
    ASSERT_TRUE(offered.count(picked)) << picked;
    click(choices.back());
    ASSERT_TRUE(waitUntil([&] { return checked(choices.back()); }, kShortWait));
    ASSERT_TRUE(pressWhenShown(wizard, "&Install", kShortWait));

    HWND run = waitControl(wizard, Find().caption("Start Dustvane"), kInstallWait);
    ASSERT_TRUE(run) << "no finish page";
    click(run);
    ASSERT_TRUE(waitUntil([&] { return !checked(run); }, kShortWait));
    ASSERT_TRUE(pressWhenShown(wizard, "&Finish", kShortWait));
    EXPECT_EQ(0u, setup.finish(kLongWait));
    EXPECT_EQ(offered.at(picked).first, languageChoice(dir_));
}

// Uninstalling through its pages tells where the backup copies are.
TEST_F(PackageTest, UninstallerPagesTellWhereTheBackupsAre) {
    installSilently();
    ASSERT_TRUE(writeFile(dir_ + "\\BackFile\\report.doc.dak", "copy"));
    Process uninstall("\"" + dir_ + "\\uninstall.exe\"");
    DWORD pid = 0;
    ASSERT_TRUE(waitUntil([&] { return (pid = uninstallerCopy()) != 0; }, kLongWait));
    HWND wizard = waitTopWindow(pid, nullptr, 0, 0, kLongWait);
    ASSERT_TRUE(wizard);
    ASSERT_TRUE(pressWhenShown(wizard, "&Uninstall", kLongWait));

    std::string text;
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = dialogSaying(pid, "backup", &text)); }, kLongWait));
    EXPECT_NE(std::string::npos, lower(text).find(lower(dir_ + "\\BackFile"))) << text;
    EXPECT_FALSE(entryExists()) << "the uninstall is over when it speaks";
    pressDialogButton(box, "OK");
    EXPECT_TRUE(waitUntil([] { return uninstallerCopy() == 0; }, kLongWait));
    EXPECT_TRUE(exists(dir_ + "\\BackFile\\report.doc.dak"));
    EXPECT_FALSE(exists(dir_ + "\\Dustvane.exe"));
}

}  // namespace
}  // namespace gui
