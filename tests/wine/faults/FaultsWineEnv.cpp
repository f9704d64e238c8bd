#include "tests/wine/faults/FaultsWineEnv.h"

namespace dv::winetest {

namespace {

std::string selfPath() {
    char self[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    return self;
}

bool canWrite(const std::string& folder) {
    const std::string probe = folder + "dv-probe.tmp";
    return writeFile(probe) && DeleteFileA(probe.c_str());
}

}  // namespace

// wine_faults.exe --hold SHARE EVENT PATH: opens PATH with the share mode, sets the named
// event and waits to be ended.
int holdFileMain(int argc, char** argv) {
    if (argc != 5) return 2;
    HANDLE h = CreateFileA(argv[4], GENERIC_READ, DWORD(std::stoul(argv[2])), nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 3;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (!ready) return 4;
    SetEvent(ready);
    Sleep(120000);
    CloseHandle(h);
    return 0;
}

HeldFile::HeldFile(const std::string& path, DWORD share) {
    static int counter = 0;
    const std::string event = "dv-faults-held-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(++counter);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    std::string command = "\"" + selfPath() + "\" --hold " + std::to_string(share) + " " + event +
                          " \"" + path + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (ready && CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, &si, &pi_)) {
        HANDLE both[] = {ready, pi_.hProcess};
        held_ = WaitForMultipleObjects(2, both, FALSE, 20000) == WAIT_OBJECT_0;
    }
    if (ready) CloseHandle(ready);
}

HeldFile::~HeldFile() {
    if (!pi_.hProcess) return;
    TerminateProcess(pi_.hProcess, 0);
    WaitForSingleObject(pi_.hProcess, 10000);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

bool runHostProgram(const std::string& program, const std::string& commandLine,
                    const std::function<bool()>& done, DWORD ms) {
    std::string hostProgram = "\\\\?\\unix" + program, command = commandLine;
    std::replace(hostProgram.begin(), hostProgram.end(), '/', '\\');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(hostProgram.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    // Wine does not follow a host child: its effect is waited for.
    for (DWORD waited = 0; !done() && waited < ms; waited += 50) Sleep(50);
    return done();
}

std::string sizedDrive() {
    static const std::string drive = [] {
        const std::string letter = environmentValue("DV_SIZED_DRIVE");
        const std::string run = environmentValue("DV_RUN_DIR");
        if (letter.size() != 2 || run.empty() || run.find_first_of("\" ") != std::string::npos ||
            !sameFolder(letter + "\\", run + "/sized"))
            return std::string();
        return letter;
    }();
    return drive;
}

bool remountSizedDrive(bool readOnly) {
    const std::string drive = sizedDrive();
    if (drive.empty()) return false;
    const std::string command = std::string("mount -o remount,") + (readOnly ? "ro" : "rw") +
                                " " + environmentValue("DV_RUN_DIR") + "/sized";
    return runHostProgram("/bin/mount", command,
                          [&] { return canWrite(drive + "\\") != readOnly; });
}

bool makeSparseFile(const std::string& path, uint64_t size, const std::string& head,
                    const std::string& tail) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(size - tail.size());
    bool ok = WriteFile(h, head.data(), DWORD(head.size()), &put, nullptr) &&
              SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
              WriteFile(h, tail.data(), DWORD(tail.size()), &put, nullptr);
    at.QuadPart = LONGLONG(size);
    ok = ok && SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}

uint64_t diskBytes(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ~0ull;
    FILE_STANDARD_INFO info{};
    bool ok = GetFileInformationByHandleEx(h, FileStandardInfo, &info, sizeof info);
    CloseHandle(h);
    return ok ? uint64_t(info.AllocationSize.QuadPart) : ~0ull;
}

std::string bytesAt(const std::string& path, uint64_t offset, size_t n) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out(n, '\0');
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(offset);
    DWORD got = 0;
    bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
              ReadFile(h, &out[0], DWORD(n), &got, nullptr) && got == n;
    CloseHandle(h);
    return ok ? out : std::string();
}

std::wstring widen(const std::string& ansi) {
    std::wstring out(ansi.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), int(ansi.size()), &out[0],
                                int(out.size()));
    out.resize(size_t(std::max(n, 0)));
    return out;
}

std::wstring widePath(const std::wstring& path) { return L"\\\\?\\" + path; }

bool makeWideFolder(const std::wstring& path) {
    return CreateDirectoryW(widePath(path).c_str(), nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

bool makeWideFile(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = bytes.empty() || WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr);
    CloseHandle(h);
    return ok;
}

std::string wideContent(const std::wstring& path) {
    return readAndClose(CreateFileW(widePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
}

void removeWideTree(const std::wstring& folder) {
    const std::wstring path = widePath(folder);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name != L"." && name != L"..") removeWideTree(folder + L"\\" + name);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace dv::winetest
