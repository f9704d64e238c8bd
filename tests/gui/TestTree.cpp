#include "tests/gui/TestTree.h"

#include "tests/gui/driver/AppUnderTest.h"

namespace gui {

bool fileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string fileContent(const std::string& path) { return dv::winetest::wholeFile(path, {}); }

DWORD fileAttributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool setLastWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour,
                      WORD minute, WORD second) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME local, utc;
    if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
    DWORD attrs = GetFileAttributesA(path.c_str());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    bool ok = f != INVALID_HANDLE_VALUE && SetFileTime(f, nullptr, nullptr, &utc);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    SetFileAttributesA(path.c_str(), attrs);
    return ok;
}

FILETIME lastWriteTime(const std::string& path) {
    WIN32_FIND_DATAA fd{};
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return FILETIME{};
    FindClose(h);
    return fd.ftLastWriteTime;
}

std::string dateText(const std::string& path) {
    FILETIME utc = lastWriteTime(path), local;
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return "";
    return std::to_string(st.wMonth) + "/" + std::to_string(st.wDay) + "/" +
           std::to_string(st.wYear) + " " + std::to_string(st.wHour) + ":" +
           std::to_string(st.wMinute) + ":" + std::to_string(st.wSecond);
}

namespace {

// Where the tree waits between the tests that use it: a search never enters a folder
// whose name begins with a dot.
std::string hiddenWideTree() { return testDrive() + "\\.wide"; }

bool buildWideTree(const std::string& root) {
    if (!makeFolders(root)) return false;
    for (int t = 0; t < WideTree::kFolders / 100; ++t) {
        const std::string top = root + "\\t" + std::to_string(t);
        if (!makeFolders(top)) return false;
        for (int f = 0; f < 100; ++f) {
            const std::string dir = top + "\\f" + std::to_string(f);
            if (!makeFolders(dir) || !makeFile(dir + "\\x.tmp", 1)) return false;
        }
    }
    return true;
}

}  // namespace

WideTree::WideTree() : root_(testDrive() + "\\wide") {
    static bool built = false;
    if (!built) {
        removeTree(hiddenWideTree());
        built = buildWideTree(hiddenWideTree());
    }
    ready_ = built && MoveFileA(hiddenWideTree().c_str(), root_.c_str());
}

WideTree::~WideTree() {
    if (ready_) MoveFileA(root_.c_str(), hiddenWideTree().c_str());
}

}  // namespace gui
