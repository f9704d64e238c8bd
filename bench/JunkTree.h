// The tree of 10,000 junk files the soak and the cleanup benchmark delete and recover:
// 100 folders, sizes 0 to about 6 KiB, bytes that differ from file to file, some files
// read-only or hidden, each with its own times. `differences` tells which came back
// unlike they were.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "tests/wine/RunFolder.h"

namespace bench::junk {

constexpr int kFolders = 100, kFiles = 10000;
inline const char* const kKinds[] = {".tmp", ".bak", ".old", ".chk", ".gid"};  // all in set 3

inline std::string folderOf(const std::string& tree, int i) {
    return tree + "\\f" + std::to_string(i % kFolders);
}
inline std::string nameOf(int i) { return "s" + std::to_string(i) + kKinds[i % 5]; }
inline std::string pathOf(const std::string& tree, int i) { return folderOf(tree, i) + "\\" + nameOf(i); }

inline std::string contentOf(int i) {
    std::string bytes(size_t(i * 37 % 6000), '\0');
    unsigned x = unsigned(i) * 2654435761u + 1;
    for (char& c : bytes) c = char((x = x * 1103515245u + 12345u) >> 16);
    return bytes;
}

inline DWORD attributesOf(int i) {
    DWORD a = 0;
    if (i % 7 == 0) a |= FILE_ATTRIBUTE_READONLY;
    if (i % 11 == 0) a |= FILE_ATTRIBUTE_HIDDEN;
    return a ? a : FILE_ATTRIBUTE_ARCHIVE;
}

inline FILETIME minutesAfter2000(int minutes) {
    SYSTEMTIME st{2000, 1, 0, 1, 0, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += ULONGLONG(minutes) * 60 * 10000000;
    return FILETIME{t.LowPart, t.HighPart};
}

inline bool buildTree(const std::string& tree) {
    CreateDirectoryA(tree.c_str(), nullptr);
    for (int f = 0; f < kFolders; ++f) CreateDirectoryA(folderOf(tree, f).c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
        const std::string path = pathOf(tree, i), bytes = contentOf(i);
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD put = 0;
        const FILETIME written = minutesAfter2000(i), read = minutesAfter2000(i + 600000);
        bool ok = (bytes.empty() || WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr)) &&
                  SetFileTime(h, nullptr, &read, &written);
        CloseHandle(h);
        if (!ok || !SetFileAttributesA(path.c_str(), attributesOf(i))) return false;
    }
    return true;
}

struct Seen {
    DWORD attributes;
    FILETIME creation, access, write;
    uint64_t size;
};

// Every file of the tree as a directory search shows it: no file is opened.
inline std::map<std::string, Seen> look(const std::string& tree) {
    std::map<std::string, Seen> seen;
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = folderOf(tree, f) + "\\";
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            seen[folder + fd.cFileName] = Seen{fd.dwFileAttributes & 0x27, fd.ftCreationTime,
                                               fd.ftLastAccessTime, fd.ftLastWriteTime,
                                               uint64_t(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow};
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return seen;
}

// A copy keeps its times as SYSTEMTIME, to the millisecond.
inline bool sameTime(const FILETIME& a, const FILETIME& b) {
    const ULONGLONG ta = ULONGLONG(a.dwHighDateTime) << 32 | a.dwLowDateTime;
    const ULONGLONG tb = ULONGLONG(b.dwHighDateTime) << 32 | b.dwLowDateTime;
    return ta / 10000 == tb / 10000;
}

// The files that came back unlike they were in `before`; the first few are named.
inline int differences(const std::string& tree, const std::map<std::string, Seen>& before) {
    const std::map<std::string, Seen> after = look(tree);
    int bad = 0;
    for (int i = 0; i < kFiles; ++i) {
        const std::string path = pathOf(tree, i);
        auto was = before.find(path), now = after.find(path);
        const char* what = nullptr;
        if (was == before.end() || now == after.end())
            what = "missing";
        else if (now->second.attributes != was->second.attributes)
            what = "attributes";
        else if (!sameTime(now->second.write, was->second.write))
            what = "last-write time";
        else if (!sameTime(now->second.access, was->second.access))
            what = "last-access time";
        else if (!sameTime(now->second.creation, was->second.creation))
            what = "creation time";
        else if (dv::winetest::wholeFile(path) != contentOf(i))
            what = "content";
        if (what && ++bad <= 5) std::printf("  %s: %s\n", path.c_str(), what);
    }
    return bad;
}

inline int filesIn(const std::string& folder) {
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do n += (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

}  // namespace bench::junk
