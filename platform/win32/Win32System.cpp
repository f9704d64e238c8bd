#include "platform/win32/Win32System.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <type_traits>

namespace dv {

namespace {

FILETIME fromFileTime(FileTime t) {
    FILETIME ft;
    ft.dwLowDateTime = DWORD(t & 0xFFFFFFFFu);
    ft.dwHighDateTime = DWORD(t >> 32);
    return ft;
}

// Calls fill(buffer, size) until the text fits; fill returns the length written, or the
// size needed (terminator included) when the buffer was too small, or 0 on failure.
template <typename Fill>
std::string growingText(Fill fill) {
    std::string buf(MAX_PATH + 1, '\0');
    for (;;) {
        DWORD n = fill(&buf[0], DWORD(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.assign(n + 1, '\0');
    }
}

const KNOWNFOLDERID& knownFolderId(KnownFolder folder) {
    switch (folder) {
        case KnownFolder::LocalAppData: return FOLDERID_LocalAppData;
        case KnownFolder::RoamingAppData: return FOLDERID_RoamingAppData;
        case KnownFolder::LocalLowAppData: return FOLDERID_LocalAppDataLow;
        case KnownFolder::ProgramData: return FOLDERID_ProgramData;
        case KnownFolder::UserProfile: return FOLDERID_Profile;
        case KnownFolder::Public: return FOLDERID_Public;
        case KnownFolder::Windows: return FOLDERID_Windows;
        case KnownFolder::ProgramFiles: return FOLDERID_ProgramFiles;  // this 64-bit program's own
        case KnownFolder::ProgramFilesX86: return FOLDERID_ProgramFilesX86;
        case KnownFolder::CommonProgramFiles: return FOLDERID_ProgramFilesCommon;
        case KnownFolder::CommonProgramFilesX86: return FOLDERID_ProgramFilesCommonX86;
        case KnownFolder::Documents: return FOLDERID_Documents;
        case KnownFolder::Desktop: return FOLDERID_Desktop;
        case KnownFolder::Pictures: return FOLDERID_Pictures;
        case KnownFolder::Music: return FOLDERID_Music;
        case KnownFolder::Videos: return FOLDERID_Videos;
        case KnownFolder::Downloads: break;
    }
    return FOLDERID_Downloads;
}

// Wide text in the ANSI code page; false when a character has no place in it.
bool ansiFromWide(const wchar_t* wide, int length, std::string& ansi) {
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                      nullptr, &lossy);
    if (n <= 0 || lossy) return false;
    ansi.assign(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, &ansi[0], n, nullptr, &lossy);
    return !lossy;
}

using DiskFreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

}  // namespace

std::string Win32System::environment(const std::string& name) {
    return growingText([&](char* buf, DWORD size) {
        return GetEnvironmentVariableA(name.c_str(), buf, size);
    });
}

// SystemTime holds the same eight words in the same order as SYSTEMTIME.
static_assert(sizeof(SystemTime) == sizeof(SYSTEMTIME) && std::is_trivially_copyable_v<SystemTime>,
              "SystemTime mirrors SYSTEMTIME");

bool Win32System::utcToLocal(FileTime utc, SystemTime& local) {
    FILETIME ft = fromFileTime(utc), localFt;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &localFt) || !FileTimeToSystemTime(&localFt, &st))
        return false;
    std::memcpy(static_cast<void*>(&local), &st, sizeof st);
    return true;
}

bool Win32System::localToUtc(const SystemTime& local, FileTime& utc) {
    SYSTEMTIME st;
    std::memcpy(&st, &local, sizeof st);
    FILETIME localFt, ft;
    if (!SystemTimeToFileTime(&st, &localFt) || !LocalFileTimeToFileTime(&localFt, &ft))
        return false;
    utc = (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return true;
}

uint32_t Win32System::tickCount() { return GetTickCount(); }

void Win32System::sleep(uint32_t milliseconds) { Sleep(milliseconds); }

bool Win32System::diskSpace(const std::string& root, uint64_t& total, uint64_t& freeToCaller) {
    // A drive without a medium answers with a failure, not with a system message box.
    struct QuietErrors {
        UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
        ~QuietErrors() { SetErrorMode(old); }
    } quiet;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto ex = kernel ? reinterpret_cast<DiskFreeSpaceEx>(
                           reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")))
                     : nullptr;
    if (ex) {
        ULARGE_INTEGER avail, all, free;
        if (!ex(root.c_str(), &avail, &all, &free)) return false;
        total = all.QuadPart;
        freeToCaller = avail.QuadPart;
        return true;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &clusters))
        return false;
    const uint64_t clusterBytes = uint64_t(sectorsPerCluster) * bytesPerSector;
    total = clusterBytes * clusters;
    freeToCaller = clusterBytes * freeClusters;
    return true;
}

DriveKind Win32System::driveKind(const std::string& root) {
    switch (GetDriveTypeA(root.c_str())) {
        case DRIVE_FIXED: return DriveKind::Fixed;
        case DRIVE_REMOVABLE: return DriveKind::Removable;
        case DRIVE_REMOTE: return DriveKind::Network;
        case DRIVE_CDROM: return DriveKind::Optical;
        case DRIVE_RAMDISK: return DriveKind::RamDisk;
        case DRIVE_NO_ROOT_DIR: return DriveKind::None;
        default: return DriveKind::Unknown;
    }
}

std::string Win32System::windowsFolder() {
    return growingText([](char* buf, DWORD size) { return GetSystemWindowsDirectoryA(buf, size); });
}

std::string Win32System::tempPath() {
    return growingText([](char* buf, DWORD size) { return GetTempPathA(size, buf); });
}

// The shell's answer, also for a folder that does not exist (yet): a rule must know where
// Documents lies to stay out of it. A path with a character the code page cannot show
// would name another folder, so it gives no folder at all.
std::string Win32System::knownFolder(KnownFolder folder) {
    PWSTR wide = nullptr;
    std::string path;
    if (FAILED(SHGetKnownFolderPath(knownFolderId(folder), KF_FLAG_DONT_VERIFY, nullptr, &wide)) ||
        !ansiFromWide(wide, int(wcslen(wide)), path))
        path.clear();
    CoTaskMemFree(wide);
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// The version Windows really runs, which GetVersionEx hides from programs it does not know.
unsigned Win32System::windowsVersion() {
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto get = ntdll ? reinterpret_cast<GetVersion>(
                           reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                     : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get || get(&info) != 0) return 0;
    return unsigned(info.dwMajorVersion * 100 + info.dwMinorVersion);
}

bool Win32System::ansiFromUtf8(const std::string& utf8, std::string& ansi) {
    ansi.clear();
    if (utf8.empty()) return true;
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()),
                                      nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), &wide[0], n);
    return ansiFromWide(wide.data(), n, ansi);
}

SystemTime Win32System::localTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    SystemTime local;
    std::memcpy(static_cast<void*>(&local), &st, sizeof st);
    return local;
}

}  // namespace dv
