// The test drive and the folders tests make on it, the one way tests write a file, and
// where a Windows path really lies on the host, for tests that delete without a list: only
// folders inside this run's own folder (DV_RUN_DIR, which holds the test drive) or inside
// the project's Wine prefix may be handed to a cleaner. Header-only, so the Wine tests, the
// end-to-end tests and the benchmarks share it.
#pragma once
#include <windows.h>

#include <string>

namespace dv::winetest {

// The host path of a Windows path (Wine's own kernel32 export); empty when there is none,
// as outside Wine.
inline std::string unixPathOf(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix || windowsPath.empty()) return {};
    WCHAR wide[MAX_PATH * 2] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2)) return {};
    char* unix = toUnix(wide);
    if (!unix) return {};
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

inline std::string environmentValue(const char* name) {
    char value[MAX_PATH * 2] = {};
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

// True when the Windows folder (ending in "\\") and the host folder are one: a file made in the one is
// found, with the same content, in the other (a drive letter may reach its folder through
// links that the host path of a Windows path does not resolve).
inline bool sameFolder(const std::string& windowsFolder, const std::string& unixFolder) {
    if (unixFolder.size() < 2 || unixFolder[0] != '/') return false;
    std::string viaHost = "\\\\?\\unix" + unixFolder;
    for (char& c : viaHost)
        if (c == '/') c = '\\';
    const std::string name = "dv-marker-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount()) + ".txt";
    const std::string mine = windowsFolder + name, content = name + " here";
    HANDLE h = CreateFileA(mine.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    WriteFile(h, content.data(), DWORD(content.size()), &n, nullptr);
    CloseHandle(h);
    char seen[128] = {};
    h = CreateFileA((viaHost + "\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        ReadFile(h, seen, sizeof seen - 1, &n, nullptr);
        CloseHandle(h);
    }
    DeleteFileA(mine.c_str());
    return content == seen;
}

// True when the path is a full path on `drive` ("T:") below its root, with no "." or ".."
// part, and the drive's root is the host folder `unixFolder`.
inline bool liesOnDriveOf(const std::string& windowsPath, const std::string& drive,
                          const std::string& unixFolder) {
    if (drive.size() != 2 || windowsPath.size() < 4 || windowsPath[1] != ':' ||
        windowsPath[2] != '\\' || (windowsPath[0] | 0x20) != (drive[0] | 0x20))
        return false;
    const std::string parts = "\\" + windowsPath + "\\";
    if (parts.find("\\.\\") != std::string::npos || parts.find("\\..\\") != std::string::npos ||
        windowsPath.find('/') != std::string::npos)
        return false;
    return sameFolder(drive + "\\", unixFolder);
}

// On this run's test drive, whose root is the run's "drive" folder.
inline bool insideRunFolder(const std::string& windowsPath) {
    const std::string run = environmentValue("DV_RUN_DIR");
    return !run.empty() &&
           liesOnDriveOf(windowsPath, environmentValue("DV_TEST_DRIVE"), run + "/drive");
}

// On the prefix's drive C:, whose root is the prefix's drive_c.
inline bool insidePrefix(const std::string& windowsPath) {
    const std::string prefix = environmentValue("WINEPREFIX");
    return !prefix.empty() && liesOnDriveOf(windowsPath, "C:", prefix + "/drive_c");
}

// Deletes a folder tree, read-only files included, without ever following a junction or
// link inside it: a link is removed itself.
inline void removeTree(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (!RemoveDirectoryA(folder.c_str())) DeleteFileA(folder.c_str());
        return;
    }
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

// The test drive the test runner mapped (DV_TEST_DRIVE, "T:"), else the temp folder;
// never with a backslash at its end.
inline std::string testDrive() {
    std::string drive = environmentValue("DV_TEST_DRIVE");
    if (drive.empty()) {
        char temp[MAX_PATH] = {};
        drive.assign(temp, GetTempPathA(sizeof temp, temp));
    }
    while (!drive.empty() && drive.back() == '\\') drive.pop_back();
    return drive;
}

// A folder with the folders above it; true when it is there.
inline bool makeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3);; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
        if (at == std::string::npos) break;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The one way tests write a file: exactly these bytes, then these attributes (0: none).
inline bool writeFile(const std::string& path, const std::string& bytes = "",
                      DWORD attributes = 0) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool written = bytes.empty() || (WriteFile(h, bytes.data(), DWORD(bytes.size()), &put,
                                                     nullptr) &&
                                           put == bytes.size());
    CloseHandle(h);
    return written && (!attributes || SetFileAttributesA(path.c_str(), attributes));
}

// A folder of a test's own on the test drive (<drive>\<name>), empty when made and removed
// with everything in it when it goes; a process the test started may hold it for a moment.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) : root_(testDrive() + "\\" + name) {
        removeTree(root_);
        ready_ = makeFolders(root_);
    }
    ~ScratchFolder() {
        for (int i = 0; i < 20 && exists(root_); ++i) {
            removeTree(root_);
            if (exists(root_)) Sleep(50);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool ready() const { return ready_; }
    const std::string& root() const { return root_; }  // no backslash at its end

private:
    std::string root_;
    bool ready_ = false;
};

// Makes `link` (in this run's folder) a symbolic link to `target` (in this run's folder or
// the prefix). Windows code under Wine cannot make one, but it can start a host program by
// its host path: /bin/ln, with the host paths of both. Wine does not follow the host child,
// so the link is waited for.
inline bool makeLink(const std::string& target, const std::string& link) {
    if (!(insideRunFolder(target) || insidePrefix(target)) || !insideRunFolder(link)) return false;
    const std::string from = unixPathOf(target), to = unixPathOf(link);
    if (from.empty() || to.empty() || (from + to).find_first_of("\"\\ ") != std::string::npos)
        return false;
    std::string command = "ln -s \"" + from + "\" \"" + to + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("\\\\?\\unix\\bin\\ln", &command[0], nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    for (int i = 0; i < 100 && GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    return (GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Everything left to read from an open file, which is then closed; `missing` when the file
// could not be opened.
inline std::string readAndClose(HANDLE h, const std::string& missing = "<missing>") {
    if (h == INVALID_HANDLE_VALUE) return missing;
    std::string out;
    char buffer[8192];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(h);
    return out;
}

// The whole content of a file, or `missing` when it cannot be opened.
inline std::string wholeFile(const std::string& path, const std::string& missing = "<missing>") {
    return readAndClose(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr),
                        missing);
}

// The host path of a file in this run's Recycle Bin, as a Windows path (Wine names a host
// folder outside its drives with a path of its own); empty outside Wine.
inline std::string trashFile(const std::string& name) {
    const std::string trash = environmentValue("DV_TRASH_DIR");
    using UnixToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<UnixToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (trash.empty() || !toDos) return {};
    WCHAR* dos = toDos((trash + "/files/" + name).c_str());
    if (!dos) return {};
    char path[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, dos, -1, path, sizeof path, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

}  // namespace dv::winetest
