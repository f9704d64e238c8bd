// The folder and open-file dialogs, answered by a helper thread as a user would.
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <thread>

#include "tests/wine/shell/WineShellEnv.h"

namespace dv::winetest {
namespace {

using DialogWine = WineShellTest;

// The first visible dialog box of a thread.
HWND findDialog(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(
        threadId,
        [](HWND w, LPARAM out) -> BOOL {
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof(cls));
            if (IsWindowVisible(w) && std::string(cls) == "#32770") {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits on another thread for the dialog the calling thread is about to open, then
// answers it with `answer`; closes it if `answer` leaves it open.
class DialogAnswer {
public:
    explicit DialogAnswer(std::function<void(HWND)> answer)
        : thread_([this, answer, owner = GetCurrentThreadId()] {
              for (int i = 0; i < 300 && !stop_; ++i) {
                  if (HWND dlg = findDialog(owner)) {
                      Sleep(200);  // let it finish filling itself
                      answer(dlg);
                      for (int j = 0; j < 50 && IsWindow(dlg); ++j) Sleep(100);
                      if (IsWindow(dlg)) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
                      seen_ = true;
                      return;
                  }
                  Sleep(100);
              }
          }) {}
    ~DialogAnswer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    bool seen() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    std::atomic<bool> stop_{false}, seen_{false};
    std::thread thread_;
};

TEST_F(DialogWine, FolderDialogGivesTheChosenPathOrNothing) {
    {
        DialogAnswer cancel([](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(p.shell.browseForFolder("Please select the folder..."), "");
        EXPECT_TRUE(cancel.seen());
    }
    // A folder the dialog's tree reaches on every prefix; choosing it changes nothing.
    const std::string chosen = "C:\\windows";
    DialogAnswer pick([&](HWND dlg) {
        const std::wstring wide(chosen.begin(), chosen.end());
        SendMessageW(dlg, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    std::string path = p.shell.browseForFolder("Please select the folder...");
    EXPECT_TRUE(pick.seen());
    EXPECT_EQ(lstrcmpiA(path.c_str(), chosen.c_str()), 0) << path;
}

TEST_F(DialogWine, OpenFileDialogKeepsTheCurrentDirectory) {
    const std::string before = p.fs.currentDirectory();
    ASSERT_TRUE(CreateDirectoryA((folder + "Other").c_str(), nullptr));
    const std::string excluded = file("Other\\excluded.dat", "x");
    {
        DialogAnswer cancel([](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(p.shell.openFileDialog(), "");
        EXPECT_TRUE(cancel.seen());
    }
    DialogAnswer pick([&](HWND dlg) {
        // The file name box of the explorer-style dialog, or of the old one.
        if (!SetDlgItemTextA(dlg, 0x47c, excluded.c_str()))
            SetDlgItemTextA(dlg, 0x480, excluded.c_str());
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    std::string path = p.shell.openFileDialog();
    EXPECT_TRUE(pick.seen());
    EXPECT_EQ(lstrcmpiA(path.c_str(), excluded.c_str()), 0) << path;
    EXPECT_EQ(p.fs.currentDirectory(), before);
}

}  // namespace
}  // namespace dv::winetest
