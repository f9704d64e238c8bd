#include "tests/gui/driver/AppUnderTest.h"

#include <vector>

namespace gui {

namespace {

const char kSettingsKey[] = ".DEFAULT\\Software\\Dustvane";
const char kAutoKey[] = ".DEFAULT\\Software\\Dustvane\\Auto";

std::string envOr(const char* name, const std::string& fallback) {
    char buf[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return fallback;
    return std::string(buf, n);
}

}  // namespace

void setStartSwitch(const char* name, DWORD value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_USERS, kAutoKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool readStartSwitch(const char* name, DWORD* value) {
    DWORD type = 0, size = sizeof *value;
    return RegGetValueA(HKEY_USERS, kAutoKey, name, RRF_RT_ANY, &type, value, &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

bool readSaveFilePath(std::string* path) {
    char buf[1024];
    DWORD type = 0, size = sizeof buf;
    if (RegGetValueA(HKEY_USERS, kSettingsKey, "SaveFilePath", RRF_RT_ANY, &type, buf, &size) !=
        ERROR_SUCCESS)
        return false;
    path->assign(buf, size);
    size_t zero = path->find('\0');
    if (zero != std::string::npos) path->resize(zero);
    return true;
}

void clearProgramSettings() {
    RegDeleteTreeA(HKEY_USERS, kSettingsKey);
    RegDeleteKeyA(HKEY_USERS, kSettingsKey);
}

std::string builtProgramPath() {
    std::string exe = envOr("DV_EXE", "");
    if (!exe.empty()) return exe;
    char self[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string dir(self, n);
    size_t cut = dir.find_last_of("\\/");
    dir = cut == std::string::npos ? "." : dir.substr(0, cut);
    return dir + "\\Dustvane.exe";
}

// <drive>\gui\<name>-<process>-<n>: a test may run several programs.
static std::string programFolderName(const std::string& name) {
    static int counter = 0;
    return "gui\\" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
}

AppUnderTest::AppUnderTest(const std::string& name) : folder_(programFolderName(name)) {
    if (!folder_.ready() || !dv::winetest::makeFolders(folder() + "\\BackFile")) {
        error_ = "cannot create " + folder();
        return;
    }
    const std::string exe = builtProgramPath();
    if (!CopyFileA(exe.c_str(), (folder() + "\\Dustvane.exe").c_str(), FALSE)) {
        error_ = "cannot copy " + exe + " into " + folder();
        return;
    }
    // The rules shipped beside the program, when the build made them.
    const std::string rules = exe.substr(0, exe.find_last_of("\\/") + 1) + "Rules.ini";
    CopyFileA(rules.c_str(), (folder() + "\\Rules.ini").c_str(), FALSE);
    ready_ = true;
}

// The folder goes after the process has ended.
AppUnderTest::~AppUnderTest() { kill(); }

void AppUnderTest::setEnvironment(const std::string& name, const std::string& value) {
    environment_.emplace_back(name, value);
}

// The test's own environment block with the values set for the program in place.
static std::vector<char> environmentBlock(
    const std::vector<std::pair<std::string, std::string>>& values) {
    std::vector<char> block;
    auto add = [&](const std::string& entry) {
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back('\0');
    };
    char* strings = GetEnvironmentStringsA();
    for (const char* s = strings; s && *s; s += lstrlenA(s) + 1) {
        const std::string entry = s;
        const size_t equals = entry.find('=', 1);  // "=C:=C:\" names a drive's folder
        bool replaced = false;
        for (const auto& value : values)
            replaced |= lstrcmpiA(entry.substr(0, equals).c_str(), value.first.c_str()) == 0;
        if (!replaced) add(entry);
    }
    if (strings) FreeEnvironmentStringsA(strings);
    for (const auto& value : values) add(value.first + "=" + value.second);
    block.push_back('\0');
    return block;
}

bool AppUnderTest::start() {
    if (!ready_ || pi_.hProcess) return false;
    std::vector<char> environment;
    if (!environment_.empty()) environment = environmentBlock(environment_);
    std::string exe = folder() + "\\Dustvane.exe";
    std::vector<char> cmd(exe.begin(), exe.end());
    cmd.insert(cmd.begin(), '"');
    cmd.push_back('"');
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0,
                        environment.empty() ? nullptr : environment.data(), folder().c_str(), &si,
                        &pi_)) {
        error_ = "CreateProcess failed: " + std::to_string(GetLastError());
        pi_ = PROCESS_INFORMATION{};
        return false;
    }
    WaitForInputIdle(pi_.hProcess, 5000);
    return true;
}

bool AppUnderTest::running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool AppUnderTest::waitExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!pi_.hProcess) return false;
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
    return true;
}

void AppUnderTest::kill() {
    if (!pi_.hProcess) return;
    if (running()) {
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
    pi_ = PROCESS_INFORMATION{};
}

}  // namespace gui
