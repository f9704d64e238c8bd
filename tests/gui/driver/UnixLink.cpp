#include "tests/gui/driver/UnixLink.h"

#include <windows.h>

#include "tests/gui/driver/Wait.h"

namespace gui {

namespace {

// Wine's own conversion of a DOS path to the Unix path behind it.
std::string unixPathOf(const std::string& dosPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return std::string();
    wchar_t wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, dosPath.c_str(), -1, wide, MAX_PATH)) return std::string();
    char* unix = convert(wide);
    if (!unix) return std::string();
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

bool makeUnixLink(const std::string& target, const std::string& link) {
    const std::string from = unixPathOf(target), to = unixPathOf(link);
    if (from.empty() || to.empty() || from.find(' ') != std::string::npos ||
        to.find(' ') != std::string::npos)
        return false;
    // Wine starts a Unix program given by its DOS path as a Unix process; its handle does
    // not follow that process, so the link is awaited instead.
    std::string command = programFolder() + "\\wine-link.sh " + from + " " + to;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return waitUntil([&] { return GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     kShortWait);
}

}  // namespace gui
