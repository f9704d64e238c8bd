// In-memory registry, INI files (kept as real text in the fake file system), shell and
// system services.
#pragma once
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/IniFiles.h"
#include "platform/Registry.h"
#include "platform/ShellOps.h"
#include "platform/System.h"
#include "tests/fakes/FakeFileSystem.h"

namespace dv {

class FakeRegistry : public Registry {
public:
    struct Value {
        uint32_t type;
        std::string data;
    };
    // Test helpers.
    bool hasKey(int root, const std::string& key) const;
    const Value* value(int root, const std::string& key, const std::string& name) const;
    bool readOnly = false;  // every write fails, as without write access

    bool query(int root, const std::string& key, const std::string& value, uint32_t& type,
               std::string& data) override;
    bool set(int root, const std::string& key, const std::string& value, uint32_t type,
             const std::string& data) override;
    bool keyExists(int root, const std::string& key) override { return hasKey(root, key); }
    bool deleteValue(int root, const std::string& key, const std::string& value) override;
    bool deleteKey(int root, const std::string& key) override;
    bool valueNames(int root, const std::string& key, std::vector<std::string>& names) override;

private:
    struct Key {
        std::vector<std::string> order;  // value names in creation order (folded)
        std::map<std::string, std::string> names;  // folded -> as written
        std::map<std::string, Value> values;       // folded -> value
    };
    static std::string keyId(int root, const std::string& key);
    std::map<std::string, Key> keys_;
};

// INI files as text files inside a FakeFileSystem, read and written the way the system's
// private-profile functions do.
class FakeIniFiles : public IniFiles {
public:
    explicit FakeIniFiles(FakeFileSystem& fs) : fs_(fs) {}
    int reads = 0;
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback, size_t bufferSize) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    FakeFileSystem& fs_;
};

class FakeShellOps : public ShellOps {
public:
    explicit FakeShellOps(FakeFileSystem& fs) : fs_(fs) {}
    struct DeleteCall {
        std::string from;
        unsigned flags;
    };
    std::vector<DeleteCall> deleteCalls;
    std::vector<std::string> trash;          // paths moved into the Recycle Bin
    std::vector<unsigned> emptyCalls;        // flags of each emptyRecycleBin
    std::deque<std::string> folderAnswers;   // next browseForFolder results ("" = cancel)
    std::vector<std::string> folderTitles;
    std::deque<std::string> fileAnswers;     // next openFileDialog results
    std::vector<std::string> openedAddresses;
    std::vector<std::string> openedHelp;      // WinHelp files opened
    std::vector<std::string> openedHtmlHelp;  // HTML Help files opened
    bool htmlHelpViewer = true;               // false: the system has none
    bool failDeletes = false;

    int deleteOperation(const std::string& from, unsigned flags, bool& aborted) override;
    void emptyRecycleBin(const std::string& root, unsigned flags) override;
    std::string browseForFolder(const std::string& title) override;
    std::string openFileDialog() override;
    bool openAddress(const std::string& address) override;
    void openHelp(const std::string& helpFile) override;
    bool openHtmlHelp(const std::string& helpFile) override;

private:
    FakeFileSystem& fs_;
};

class FakeSystem : public System {
public:
    std::map<std::string, std::string> env;  // names compared without regard to case
    int utcOffsetMinutes = 0;                // local = UTC + offset
    uint32_t ticks = 1000;
    std::vector<uint32_t> sleeps;
    std::map<std::string, std::pair<uint64_t, uint64_t>> disks;  // root -> total, free
    std::map<std::string, DriveKind> driveKinds;  // root ("n:\\"); any other is a fixed disk
    std::string windows = "C:\\Windows";
    std::string temp = "C:\\Temp\\";
    SystemTime now{2010, 3, 1, 8, 12, 0, 0, 0};  // local time: Monday 8 March 2010, noon
    std::map<KnownFolder, std::string> knownFolders;  // a profile C:\Users\owner as Windows 10 has it
    unsigned version = 1000;

    FakeSystem();

    std::string environment(const std::string& name) override;
    bool utcToLocal(FileTime utc, SystemTime& local) override;
    bool localToUtc(const SystemTime& local, FileTime& utc) override;
    uint32_t tickCount() override { return ticks; }
    void sleep(uint32_t ms) override {
        sleeps.push_back(ms);
        ticks += ms;
    }
    bool diskSpace(const std::string& root, uint64_t& total, uint64_t& freeToCaller) override;
    DriveKind driveKind(const std::string& root) override;
    std::string windowsFolder() override { return windows; }
    std::string tempPath() override { return temp; }
    SystemTime localTime() override { return now; }
    std::string knownFolder(KnownFolder folder) override;
    unsigned windowsVersion() override { return version; }
    // The code page of the fake is Latin-1: U+0080 to U+00FF are its high bytes.
    bool ansiFromUtf8(const std::string& utf8, std::string& ansi) override;
};

// Calendar helpers for tests: a UTC FileTime from a date and back.
FileTime fileTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                    int ms = 0);
SystemTime systemTimeOf(FileTime t);

}  // namespace dv
