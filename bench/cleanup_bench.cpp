// Times Delete All in each mode and Recovery through the real window of Dustvane.exe,
// driven from outside, each against the bare system calls for the same work: one loop over
// the files of a fresh copy of the same tree (JunkTree.h: 10,000 files of 0 to 6 KiB in 100
// folders), in the same prefix, right before it. Recovery is also set against a bare loop
// that flushes each file before its copy goes, as Recovery must to survive a power cut.
// `cleanup_bench [rounds] [backup]`; with more than one round the table shows medians;
// "backup" measures backup mode and Recovery only. Run it with `make bench`
// (scripts/bench-cleanup.sh).
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/JunkTree.h"
#include "bench/MainWindow.h"

using namespace bench::junk;
using namespace bench::window;

namespace {

// The bare loops. A read-only file must lose that bit before it can be deleted.
void clearReadOnly(const std::string& path, int i) {
    if (attributesOf(i) & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool deletePermanently(const std::string& tree) {
    bool ok = true;
    for (int i = 0; i < kFiles; ++i) {
        const std::string path = pathOf(tree, i);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ok = DeleteFileA(path.c_str()) && ok;
    }
    return ok;
}

bool recycleEach(const std::string& tree) {
    bool ok = true;
    for (int i = 0; i < kFiles; ++i) {
        const std::string from = pathOf(tree, i) + '\0';
        SHFILEOPSTRUCTA op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        ok = SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted && ok;
    }
    return ok;
}

std::string copyPathOf(const std::string& folder, int i) { return folder + "\\" + nameOf(i) + ".dak"; }

// CopyFileA, then DeleteFileA of what was copied: each file of the tree into the folder,
// or each copy back.
bool copyEach(const std::string& tree, const std::string& folder, bool back) {
    bool ok = true;
    for (int i = 0; i < kFiles; ++i) {
        const std::string original = pathOf(tree, i), copy = copyPathOf(folder, i);
        const std::string& from = back ? copy : original;
        ok = CopyFileA(from.c_str(), (back ? original : copy).c_str(), TRUE) && ok;
        clearReadOnly(from, i);
        ok = DeleteFileA(from.c_str()) && ok;
    }
    return ok;
}

// As copyEach back, but each copy's content is written and flushed to the disk before the
// copy goes, as Recovery does: the least a restore that survives a power cut can cost.
bool copyEachBackFlushed(const std::string& tree, const std::string& folder) {
    bool ok = true;
    std::vector<char> content(64 * 1024);
    for (int i = 0; i < kFiles; ++i) {
        const std::string original = pathOf(tree, i), copy = copyPathOf(folder, i);
        HANDLE in = CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        HANDLE out = CreateFileA(original.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        DWORD got = 0, put = 0;
        ok = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE &&
             ReadFile(in, content.data(), DWORD(content.size()), &got, nullptr) &&
             WriteFile(out, content.data(), got, &put, nullptr) && put == got &&
             FlushFileBuffers(out) && ok;
        if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
        if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
        clearReadOnly(copy, i);
        ok = DeleteFileA(copy.c_str()) && ok;
    }
    return ok;
}

double timedLoop(const std::function<bool()>& loop) {
    const double t0 = bench::now();
    return loop() ? bench::now() - t0 : -1;
}

struct Line {
    const char* work;
    const char* bare;
    std::vector<double> program, loop;
};

class Bench {
public:
    Bench(AppUnderTest& app, Window& w)
        : app_(app), w_(w), tree_(app.folder() + "\\tree"), keep_(app.folder() + "\\keep"),
          keepBare_(app.folder() + "\\keep-bare") {
        CreateDirectoryA(keep_.c_str(), nullptr);
        CreateDirectoryA(keepBare_.c_str(), nullptr);
    }

    // One round: every line measured once (or only backup and Recovery). False when a
    // step failed.
    bool round(std::vector<Line>& lines, bool backupOnly) {
        return (backupOnly ||
                (measureDelete(lines[0], w_.permanentRadio, [&] { return deletePermanently(tree_); }) &&
                 measureDelete(lines[1], w_.recycleRadio, [&] { return recycleEach(tree_); }))) &&
               measureBackup(lines[2], lines[3], lines[4]);
    }

private:
    // A fresh tree, searched for in the window (pattern set 3 lists every file of it).
    bool freshTreeListed() {
        if (!buildTree(tree_)) return fail("cannot make the tree");
        const std::string mark = w_.begin();
        if (!waitUntil([&] { return w_.ended(mark); }, kStepTimeoutMs, 20)) return fail("no search summary");
        const int rows = listRowCount(w_.list);
        return rows == kFiles || fail(("the search listed " + std::to_string(rows) + " rows").c_str());
    }

    bool measureDelete(Line& line, HWND radio, const std::function<bool()>& bare) {
        if (!buildTree(tree_)) return fail("cannot make the tree");
        const double loop = timedLoop(bare);
        if (loop < 0) return fail(line.bare);
        SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
        if (!freshTreeListed()) return false;
        click(radio);
        const double program = deleteAllSeconds(w_);
        SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
        if (program < 0 || !look(tree_).empty()) return fail(line.work);
        return add(line, program, loop);
    }

    bool measureBackup(Line& backup, Line& recovery, Line& flushedRecovery) {
        if (!buildTree(tree_)) return fail("cannot make the tree");
        const std::map<std::string, Seen> before = look(tree_);
        const double away = timedLoop([&] { return copyEach(tree_, keepBare_, false); });
        const double back = timedLoop([&] { return copyEach(tree_, keepBare_, true); });
        const bool awayAgain = back >= 0 && copyEach(tree_, keepBare_, false);
        const double flushedBack = timedLoop([&] { return copyEachBackFlushed(tree_, keepBare_); });
        if (away < 0 || back < 0 || !awayAgain || flushedBack < 0 || !deletePermanently(tree_))
            return fail("the bare copies");
        if (!freshTreeListed() || !chooseBackupFolder(app_, w_, keep_)) return false;
        const double program = deleteAllSeconds(w_);
        if (program < 0 || !look(tree_).empty() || filesIn(keep_) != kFiles) return fail(backup.work);
        const double restore = recoverySeconds(app_, w_);
        const int wrong = differences(tree_, before);
        if (restore < 0 || wrong != 0 || filesIn(keep_) != 0)
            return fail(("Recovery: " + std::to_string(wrong) + " files came back wrong").c_str());
        return add(backup, program, away) && add(recovery, restore, back) &&
               add(flushedRecovery, restore, flushedBack) && deletePermanently(tree_);
    }

    static bool add(Line& line, double program, double loop) {
        line.program.push_back(program);
        line.loop.push_back(loop);
        std::printf("  %-28s Dustvane %7.2f s, bare loop %7.2f s, ratio %.2f\n", line.work, program,
                    loop, program / loop);
        std::fflush(stdout);
        return true;
    }

    static bool fail(const char* what) {
        std::printf("cleanup_bench: failed: %s\n", what);
        return false;
    }

    AppUnderTest& app_;
    Window& w_;
    const std::string tree_, keep_, keepBare_;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const bool backupOnly = argc > 2 && std::string(argv[2]) == "backup";
    const std::string drive = preparedDrive("cleanup_bench", "make bench");
    if (drive.empty()) return 1;
    std::vector<Line> lines = {
        {"Delete All, permanent", "SetFileAttributesA + DeleteFileA", {}, {}},
        {"Delete All, Recycle Bin", "one SHFileOperationA per file", {}, {}},
        {"Delete All, backup mode", "CopyFileA + DeleteFileA", {}, {}},
        {"Recovery of those copies", "CopyFileA + DeleteFileA", {}, {}},
        {"Recovery, flushing bare loop", "ReadFile, WriteFile, FlushFileBuffers, DeleteFileA", {}, {}},
    };
    bool ok = true;
    {
        AppUnderTest app("cleanup");
        if (!app.ready() || !app.start()) {
            std::printf("cleanup_bench: cannot start the program: %s\n", app.error().c_str());
            clearProgramSettings();
            return 1;
        }
        Window w(app);
        ok = w.ok();
        if (ok) w.choose(drive, 3);
        for (int r = 1; r <= rounds && ok; ++r) {
            std::printf("round %d of %d (%d files in %d folders on %s)\n", r, rounds, kFiles,
                        kFolders, drive.c_str());
            ok = Bench(app, w).round(lines, backupOnly);
        }
    }
    clearProgramSettings();
    if (!ok) return 1;
    std::printf("\n| work (%d files of 0-6 KiB in %d folders) | Dustvane | bare loop | ratio |\n",
                kFiles, kFolders);
    std::printf("|---|---:|---:|---:|\n");
    for (const Line& line : lines) {
        if (line.program.empty()) continue;
        const double program = bench::median(line.program), loop = bench::median(line.loop);
        std::printf("| %s (bare: %s) | %.2f s | %.2f s | %.2f |\n", line.work, line.bare, program,
                    loop, program / loop);
    }
    std::printf("(%s)\n", rounds == 1 ? "one run each" : "medians of the rounds");
    return 0;
}

#else
#include <cstdio>
int main() {
    std::printf("cleanup_bench drives the Windows program; build it in the windows tree\n");
    return 0;
}
#endif
