// Faults made for real around the delete commands, recovery and the cleaners: files held
// open by another process, paths replaced after the search, names and lengths the ANSI
// functions cannot reach, sparse giant files, a backup drive that fills up or turns
// read-only. Everything lies in the test's own folder on the test drive or on the sized
// drive S: (a tmpfs of this run's own mount namespace).
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "search/ResultList.h"
#include "search/SearchEngine.h"
#include "tests/wine/RunFolder.h"
#include "tests/wine/cleanup/CleanupWineEnv.h"

namespace dv::winetest {

// The program's own executable, started again as a helper process (FaultsMain.cpp).
int holdFileMain(int argc, char** argv);

// Another process holds the file open with this share mode until the object goes.
class HeldFile {
public:
    HeldFile(const std::string& path, DWORD share);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return held_; }

private:
    PROCESS_INFORMATION pi_{};
    bool held_ = false;
};

// Starts a host program (by its host path, e.g. "/bin/mount") with this command line and
// waits up to `ms` until `done` holds. Only for programs whose arguments were proven to
// name folders of this run.
bool runHostProgram(const std::string& program, const std::string& commandLine,
                    const std::function<bool()>& done, DWORD ms = 5000);

// The sized drive ("S:"), when this run has one and its root is the run's "sized" folder.
std::string sizedDrive();
// Remounts the sized drive read-only or writable again.
bool remountSizedDrive(bool readOnly);

// A file of `size` bytes made by moving its end: a hole on the host, with `head` at its
// start and `tail` at its end. The bytes a file really takes on the disk.
bool makeSparseFile(const std::string& path, uint64_t size, const std::string& head,
                    const std::string& tail);
uint64_t diskBytes(const std::string& path);
// `n` bytes at `offset`; empty when they cannot be read.
std::string bytesAt(const std::string& path, uint64_t offset, size_t n);

// Names through the wide functions ("\\?\" paths reach past MAX_PATH).
std::wstring widePath(const std::wstring& path);
bool makeWideFolder(const std::wstring& path);
bool makeWideFile(const std::wstring& path, const std::string& bytes);
std::string wideContent(const std::wstring& path);  // "<missing>" when absent
// Removes a folder tree by its wide names, links removed and never followed.
void removeWideTree(const std::wstring& folder);
std::wstring widen(const std::string& ansi);
// An ANSI path's content, read through the wide functions; "<missing>" when absent.
inline std::string fileText(const std::string& path) { return wideContent(widen(path)); }

// A file system whose folder listing runs a one-shot step right after it read a folder:
// the moment between a cleaner's listing and its deletes.
class SteppedFileSystem : public Win32FileSystem {
public:
    std::function<void(const std::string& folder)> afterListing;
    bool listFolder(const std::string& folder, std::vector<DirEntry>& out) override {
        bool ok = Win32FileSystem::listFolder(folder, out);
        if (afterListing) {
            auto step = std::move(afterListing);
            afterListing = nullptr;
            step(folder);
        }
        return ok;
    }
};

// The ways listed files are removed: the three delete modes and the folder cleaners.
enum class Way { Recycle, Permanent, Backup, Cleaner };
inline const char* nameOf(Way way) {
    switch (way) {
        case Way::Recycle: return "recycle";
        case Way::Permanent: return "permanent";
        case Way::Backup: return "backup";
        case Way::Cleaner: return "cleaner";
    }
    return "?";
}
inline Ctl radioOf(Way way) {
    return way == Way::Recycle     ? Ctl::recycleModeRadio
           : way == Way::Permanent ? Ctl::permanentModeRadio
                                   : Ctl::backupModeRadio;
}

// The cleanup fixture (program folder "prog\" with BackFile, files folder "files\") with
// a search over a folder and an App on the stepped file system for the cleaners.
class FaultsWine : public CleanupWine {
protected:
    SteppedFileSystem steppedFs;
    App stepped{steppedFs, p.registry, p.ini, p.shell, p.system, p.ui, p.urlCache, AppState{}};

    void SetUp() override {
        CleanupWine::SetUp();
        ASSERT_TRUE(insideRunFolder(root)) << root << " is not inside this run's folder";
        stepped.state.baseFolder = base;
    }
    void TearDown() override {
        removeWideTree(widen(root));
        CleanupWine::TearDown();
    }
    // Lists the files of the folder's tree that match the patterns, as the search does,
    // rows sorted by path so that the delete order is known.
    void search(const std::string& folder, const std::vector<std::string>& patterns,
                const std::vector<std::string>& excluded = {}) {
        auto& rows = p.ui.rows(Ctl::resultList);
        rows.clear();
        app.state.searchPatterns = patterns;
        app.state.exclusionList = excluded;
        app.state.searchFinished = 0;
        searchFolder(app, folder);
        app.state.searchFinished = 1;
        std::sort(rows.begin(), rows.end(),
                  [](const auto& a, const auto& b) { return a.cells[kColPath] < b.cells[kColPath]; });
    }
    std::vector<std::string> listedPaths() const {
        std::vector<std::string> paths;
        for (const auto& row : p.ui.rows(Ctl::resultList)) paths.push_back(row.cells[kColPath]);
        return paths;
    }
    std::string filesFolder(const std::string& relative) {
        const std::string path = files + relative;
        CreateDirectoryA(path.c_str(), nullptr);
        return path + "\\";
    }
    std::vector<std::string> indexLines() {
        std::vector<std::string> out;
        const std::string text = wholeFile(base + "\\FilePath.dat");
        if (text == "<missing>") return out;
        for (size_t from = 0, at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
            out.push_back(text.substr(from, at - from));
        return out;
    }
};

}  // namespace dv::winetest
