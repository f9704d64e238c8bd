// One run of Dustvane.exe in a folder of its own on the test drive.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/wine/RunFolder.h"

namespace gui {

using dv::winetest::testDrive;

// Start switches and other values below HKEY_USERS\.DEFAULT\Software\Dustvane.
void setStartSwitch(const char* name, DWORD value);  // "AutoSearch", "NotShow"
bool readStartSwitch(const char* name, DWORD* value);
bool readSaveFilePath(std::string* path);  // REG_BINARY text, false when missing
void clearProgramSettings();

// Makes a fresh program folder <drive>\gui\<name>-<n> holding a copy of Dustvane.exe, the
// Rules.ini beside it and an empty BackFile folder. The destructor ends the process if it
// still runs and removes the folder.
class AppUnderTest {
public:
    explicit AppUnderTest(const std::string& name);
    ~AppUnderTest();
    AppUnderTest(const AppUnderTest&) = delete;
    AppUnderTest& operator=(const AppUnderTest&) = delete;

    const std::string& folder() const { return folder_.root(); }  // no trailing backslash
    bool ready() const { return ready_; }                          // folder and copy made
    const std::string& error() const { return error_; }

    // A value the program's environment gets instead of the test's own; set before start().
    void setEnvironment(const std::string& name, const std::string& value);
    bool start();
    bool running() const;
    // Waits for the process to end; false on time-out.
    bool waitExit(DWORD timeoutMs, DWORD* exitCode);
    void kill();

    DWORD pid() const { return pi_.dwProcessId; }
    HANDLE process() const { return pi_.hProcess; }

private:
    dv::winetest::ScratchFolder folder_;
    std::string error_;
    bool ready_ = false;
    PROCESS_INFORMATION pi_{};
    std::vector<std::pair<std::string, std::string>> environment_;
};

// Where the built program lies: DV_EXE, or Dustvane.exe beside the test program.
std::string builtProgramPath();

// Removes a folder tree of the test drive (read-only files included); links inside it
// are removed, never followed.
using dv::winetest::removeTree;

}  // namespace gui
