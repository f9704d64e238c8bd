#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

FileTime toFileTime(const FILETIME& ft) {
    return (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME fromFileTime(FileTime t) {
    FILETIME ft;
    ft.dwLowDateTime = DWORD(t & 0xFFFFFFFFu);
    ft.dwHighDateTime = DWORD(t >> 32);
    return ft;
}

// A directory search's entry and a path's own information name these fields alike.
template <class Info>
DirEntry entryOf(const Info& info, std::string name) {
    DirEntry e;
    e.name = std::move(name);
    e.attributes = info.dwFileAttributes;
    e.size = (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    e.creation = toFileTime(info.ftCreationTime);
    e.lastAccess = toFileTime(info.ftLastAccessTime);
    e.lastWrite = toFileTime(info.ftLastWriteTime);
    return e;
}

DirEntry toEntry(const WIN32_FIND_DATAA& fd) { return entryOf(fd, fd.cFileName); }

// A search that found nothing in a readable folder is an empty result, not a failure.
bool isEmptyResult(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

// False for a name that does not name its own entry. The ANSI functions show a character
// the code page lacks as "?" or as a look-alike: the full-width backslash and full stop
// (U+FF3C, U+FF0E) come back as "\" and ".", so a name "..\x" would name a file of the
// folder above. A name ending in "." or " " names the file without them. A trail byte of a
// double-byte character is never taken for one of these.
bool namesItself(const WIN32_FIND_DATAA& fd) {
    const std::string name = fd.cFileName;
    if (name == "." || name == "..") return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    for (size_t i = 0, len; i < name.size(); i += len) {
        len = charLength(name, i);
        const auto c = static_cast<unsigned char>(name[i]);
        if (len == 1 && (c < 0x20 || std::strchr("\\/:*?\"<>|", c))) return false;
    }
    return true;
}

// Collects the entries of an open search handle, then closes it.
void drain(HANDLE h, WIN32_FIND_DATAA& fd, std::vector<DirEntry>& out) {
    do {
        if (namesItself(fd)) out.push_back(toEntry(fd));
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

// True when the last character is "\" or "/", not the trail byte of a double-byte one.
bool endsWithSeparator(const std::string& path) {
    bool separator = false;
    for (size_t i = 0, len; i < path.size(); i += len) {
        len = charLength(path, i);
        separator = len == 1 && isPathSeparator(path[i]);
    }
    return separator;
}

// Reads and writes go in pieces a DWORD count can carry.
constexpr size_t kMaxChunk = 0x40000000;

class Win32File : public File {
public:
    explicit Win32File(HANDLE h) : h_(h) {}
    ~Win32File() override { CloseHandle(h_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    size_t read(void* buffer, size_t n) override {
        auto* p = static_cast<char*>(buffer);
        size_t done = 0;
        while (done < n) {
            DWORD got = 0;
            DWORD want = DWORD(std::min(n - done, kMaxChunk));
            if (!ReadFile(h_, p + done, want, &got, nullptr) || got == 0) break;
            done += got;
        }
        return done;
    }

    bool write(const void* data, size_t n) override {
        const auto* p = static_cast<const char*>(data);
        size_t done = 0;
        while (done < n) {
            DWORD put = 0;
            DWORD want = DWORD(std::min(n - done, kMaxChunk));
            if (!WriteFile(h_, p + done, want, &put, nullptr) || put == 0) return false;
            done += put;
        }
        return true;
    }

    bool seekToEnd() override { return seek(FILE_END); }
    bool seekToStart() override { return seek(FILE_BEGIN); }
    bool seekTo(uint64_t offset) override { return seek(FILE_BEGIN, offset); }

    uint64_t size() override {
        LARGE_INTEGER s;
        if (!GetFileSizeEx(h_, &s)) return 0;
        return uint64_t(s.QuadPart);
    }

    bool setSize(uint64_t size) override {
        return size <= this->size() && seek(FILE_BEGIN, size) && SetEndOfFile(h_);
    }

    bool removeOnClose() override {
        FILE_DISPOSITION_INFO remove{};
        remove.DeleteFile = TRUE;
        return SetFileInformationByHandle(h_, FileDispositionInfo, &remove, sizeof remove) != 0;
    }

    // The basic and the standard information only: the whole-file information also asks
    // for the volume's serial number, which costs Wine ten times as much as the rest.
    bool describe(DirEntry& out) override {
        FILE_BASIC_INFO basic;
        FILE_STANDARD_INFO standard;
        if (!GetFileInformationByHandleEx(h_, FileBasicInfo, &basic, sizeof basic) ||
            !GetFileInformationByHandleEx(h_, FileStandardInfo, &standard, sizeof standard))
            return false;
        out = DirEntry{};
        out.attributes = basic.FileAttributes;
        out.size = uint64_t(standard.EndOfFile.QuadPart);
        out.creation = FileTime(basic.CreationTime.QuadPart);
        out.lastAccess = FileTime(basic.LastAccessTime.QuadPart);
        out.lastWrite = FileTime(basic.LastWriteTime.QuadPart);
        return true;
    }

    bool setTimesAndAttributes(FileTime creation, FileTime lastAccess, FileTime lastWrite,
                               uint32_t attributes) override {
        FILE_BASIC_INFO basic{};
        basic.CreationTime.QuadPart = LONGLONG(creation);
        basic.LastAccessTime.QuadPart = LONGLONG(lastAccess);
        basic.LastWriteTime.QuadPart = LONGLONG(lastWrite);
        // No attributes at all would leave them as they are.
        basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
        return SetFileInformationByHandle(h_, FileBasicInfo, &basic, sizeof basic) != 0;
    }

    bool flush() override { return FlushFileBuffers(h_) != 0; }

    // The new name goes to the system as a full NT path, as the handle's own call takes it:
    // "\??\C:\..." for a drive path, "\??\UNC\server\..." for a share.
    bool renameTo(const std::string& path) override {
        char fullPath[MAX_PATH];
        const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, fullPath, nullptr);
        if (length == 0 || length >= MAX_PATH) return false;
        std::string full = fullPath;
        if (full.compare(0, 4, "\\\\?\\") == 0 || full.compare(0, 4, "\\\\.\\") == 0)
            full = "\\??\\" + full.substr(4);
        else if (full.compare(0, 2, "\\\\") == 0)
            full = "\\??\\UNC\\" + full.substr(2);
        else
            full = "\\??\\" + full;
        const int chars = MultiByteToWideChar(CP_ACP, 0, full.c_str(), int(full.size()), nullptr, 0);
        if (chars <= 0) return false;
        std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + size_t(chars) * sizeof(WCHAR));
        auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        info->ReplaceIfExists = FALSE;
        info->RootDirectory = nullptr;
        info->FileNameLength = DWORD(chars * sizeof(WCHAR));
        MultiByteToWideChar(CP_ACP, 0, full.c_str(), int(full.size()), info->FileName, chars);
        return SetFileInformationByHandle(h_, FileRenameInfo, info, DWORD(buffer.size())) != 0;
    }

private:
    bool seek(DWORD method, uint64_t offset = 0) {
        LARGE_INTEGER at;
        at.QuadPart = LONGLONG(offset);
        return SetFilePointerEx(h_, at, nullptr, method) != 0;
    }

    HANDLE h_;
};

}  // namespace

Win32FileSystem::Win32FileSystem() {
    static const bool given = [] {
        std::array<bool, 256> leadBytes{};
        for (size_t b = 0; b < leadBytes.size(); ++b) leadBytes[b] = IsDBCSLeadByte(BYTE(b)) != 0;
        useLeadBytes(leadBytes);
        return true;
    }();
    (void)given;
}

std::string Win32FileSystem::currentDirectory() {
    std::string buf(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetCurrentDirectoryA(DWORD(buf.size()), &buf[0]);
        if (n == 0) return std::string();
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.assign(n, '\0');  // n is the size needed, terminator included
    }
}

bool Win32FileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

bool Win32FileSystem::listFolder(const std::string& folder, std::vector<DirEntry>& out) {
    out.clear();
    // Without its "\" the folder's name would become a prefix matched among its siblings.
    std::string pattern = folder;
    if (!pattern.empty() && !endsWithSeparator(pattern)) pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Systems before Windows 7 know neither the basic level nor the large fetch.
        h = FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &fd, FindExSearchNameMatch,
                             nullptr, 0);
    }
    if (h == INVALID_HANDLE_VALUE) return isEmptyResult(GetLastError());
    drain(h, fd, out);
    return true;
}

bool Win32FileSystem::findFiles(const std::string& patternPath, std::vector<DirEntry>& out) {
    out.clear();
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(patternPath.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    drain(h, fd, out);
    return true;
}

bool Win32FileSystem::findEntry(const std::string& path, DirEntry& out) {
    // A "?" stands for a character of the name the ANSI code page cannot show; as a
    // wildcard it would report some other file.
    if (path.find_first_of("*?") != std::string::npos) return false;
    // The path's own information rather than a search of its folder: Wine reads the whole
    // folder for a search, at twenty times the cost.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    out = entryOf(data, path.substr(nameStart(path)));
    return true;
}

uint32_t Win32FileSystem::attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

bool Win32FileSystem::setAttributes(const std::string& path, uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool Win32FileSystem::removeEmptyFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool Win32FileSystem::fileTimes(const std::string& path, FileTime& creation, FileTime& lastAccess,
                                FileTime& lastWrite) {
    HANDLE h = CreateFileA(path.c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    FILETIME c, a, w;
    bool ok = GetFileTime(h, &c, &a, &w) != 0;
    CloseHandle(h);
    if (!ok) return false;
    creation = toFileTime(c);
    lastAccess = toFileTime(a);
    lastWrite = toFileTime(w);
    return true;
}

bool Win32FileSystem::setFileTimes(const std::string& path, FileTime creation,
                                   FileTime lastAccess, FileTime lastWrite) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    FILETIME c = fromFileTime(creation), a = fromFileTime(lastAccess), w = fromFileTime(lastWrite);
    bool ok = SetFileTime(h, &c, &a, &w) != 0;
    CloseHandle(h);
    return ok;
}

std::unique_ptr<File> Win32FileSystem::open(const std::string& path, OpenMode mode) {
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;
    DWORD access = 0, share = shareAll, disposition = 0, flags = FILE_ATTRIBUTE_NORMAL;
    switch (mode) {
        case OpenMode::ReadExisting:
            access = GENERIC_READ;
            disposition = OPEN_EXISTING;
            break;
        case OpenMode::ReadWriteExisting:
            access = GENERIC_READ | GENERIC_WRITE;
            disposition = OPEN_EXISTING;
            break;
        case OpenMode::CreateShared:
            access = GENERIC_WRITE;
            disposition = CREATE_ALWAYS;
            break;
        case OpenMode::CreateExclusive:
            access = GENERIC_WRITE;
            share = 0;
            disposition = CREATE_ALWAYS;
            break;
        case OpenMode::AppendShared:
            access = GENERIC_READ | GENERIC_WRITE;
            disposition = OPEN_ALWAYS;
            break;
        case OpenMode::CreateNew:
            access = GENERIC_WRITE | DELETE;
            share = 0;
            disposition = CREATE_NEW;
            break;
        case OpenMode::ReadClaimed:
            access = GENERIC_READ | DELETE;
            share = 0;
            disposition = OPEN_EXISTING;
            break;
        case OpenMode::Lock:
            access = GENERIC_READ | GENERIC_WRITE | DELETE;
            share = 0;
            disposition = OPEN_ALWAYS;
            flags |= FILE_FLAG_DELETE_ON_CLOSE;
            break;
    }
    HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(h);
}

// The content of `from` first, so that the name never points at a file the disk does not
// yet hold.
bool Win32FileSystem::replaceFile(const std::string& from, const std::string& to) {
    HANDLE h = CreateFileA(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    return flushed && MoveFileExA(from.c_str(), to.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace dv
