// The tree both search benchmarks walk: 2,041 folders and 50,000 small files, mostly
// ordinary ones with junk of several kinds spread through the tree.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

constexpr int kTopFolders = 40, kSubFolders = 50;  // 2,040 folders below the root
constexpr int kFiles = 50000;

// File names: mostly ordinary files, with junk of several kinds spread through the tree.
inline std::string fileName(int i) {
    static const char* const kinds[] = {"doc%d.txt", "img%d.jpg", "lib%d.dll", "data%d.dat",
                                        "song%d.mp3", "note%d.ini", "~w%d.tmp", "a%d.bak",
                                        "x%d.old", "c%d.chk", "log%d.txt", "s%d.gid"};
    char name[64];
    std::snprintf(name, sizeof name, kinds[i % 12], i);
    return name;
}

inline bool buildTree(const std::string& root) {
    CreateDirectoryA(root.c_str(), nullptr);
    std::vector<std::string> folders{root};
    for (int t = 0; t < kTopFolders; ++t) {
        std::string top = root + "\\top" + std::to_string(t);
        CreateDirectoryA(top.c_str(), nullptr);
        folders.push_back(top);
        for (int s = 0; s < kSubFolders; ++s) {
            std::string sub = top + "\\sub" + std::to_string(s);
            if (!CreateDirectoryA(sub.c_str(), nullptr)) return false;
            folders.push_back(sub);
        }
    }
    for (int i = 0; i < kFiles; ++i) {
        std::string path = folders[size_t(i) % folders.size()] + "\\" + fileName(i);
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD put = 0;
        WriteFile(h, "junk", DWORD(i % 5), &put, nullptr);
        CloseHandle(h);
    }
    return true;
}

}  // namespace bench
