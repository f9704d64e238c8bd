// What both search benchmarks share: the trees they walk, given on the command line as
// drive:name ("U:synthetic"), each tree the whole of its drive. scripts/bench-search.sh
// makes the trees under build/bench-trees and maps their drives once the program shows
// that it waits for them (a file bench-waiting on the test drive).
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct Tree {
    std::string drive;  // "U:"
    std::string name;   // "synthetic"
    std::string root() const { return drive + "\\"; }
};

inline std::vector<Tree> treesOf(int argc, char** argv) {
    std::vector<Tree> trees;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.size() > 2 && arg[1] == ':' && isalpha(static_cast<unsigned char>(arg[0])))
            trees.push_back({arg.substr(0, 2), arg.substr(2)});
    }
    return trees;
}

// Shows the script that this run waits for its drives, then waits until each one's
// root can be read (two minutes at most).
inline bool waitForDrives(const std::vector<Tree>& trees) {
    char testDrive[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("DV_TEST_DRIVE", testDrive, sizeof testDrive)) return false;
    const std::string marker = std::string(testDrive) + "\\bench-waiting";
    HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    for (int waited = 0; waited < 120000; waited += 100) {
        bool all = true;
        for (const Tree& t : trees)
            all = all && GetFileAttributesA(t.root().c_str()) != INVALID_FILE_ATTRIBUTES;
        if (all) return true;
        Sleep(100);
    }
    return false;
}

inline double now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace bench
