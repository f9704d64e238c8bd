// F1 and the help button open help.chm beside the program in the HTML Help viewer, with
// its table of contents; without help.chm, help.hlp in the WinHelp viewer, a process of
// its own, at its contents topic, where a link leads to its topic. Without either file
// nothing opens and nothing is said.
#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"

#include <commctrl.h>

namespace gui {
namespace {

constexpr char kHelpTitle[] = "Dustvane Help";

// The help viewer's windows (the help file names its window "Dustvane Help"), whichever
// process owns them.
constexpr char kViewerClass[] = "MS_WINHELP";

std::vector<HWND> helpViewers() {
    std::vector<HWND> found;
    for (HWND w = FindWindowA(kViewerClass, kHelpTitle); w;
         w = FindWindowExA(nullptr, w, kViewerClass, kHelpTitle))
        if (IsWindowVisible(w)) found.push_back(w);
    return found;
}

HWND topicText(HWND viewer) { return findControl(viewer, Find().className("RichEdit20A")); }

// The first line of the topic shown: its title.
std::string shownTopic(HWND viewer) {
    std::string text = textOf(topicText(viewer));
    return text.substr(0, text.find_first_of("\r\n"));
}

HWND waitViewerShowing(const std::string& topic) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND v : helpViewers())
                if (shownTopic(v) == topic) return (found = v) != nullptr;
            return false;
        },
        kLongWait, 100);
    return found;
}

// Clicks the middle of the first occurrence of a link's text in the topic shown.
bool clickLink(HWND viewer, const std::string& link) {
    HWND text = topicText(viewer);
    std::string all = textOf(text);
    size_t at = all.find(link);
    if (!text || at == std::string::npos) return false;
    // The control counts a paragraph end as one character; the text it gives has CR LF.
    LONG cp = LONG(at + link.size() / 2);
    for (size_t p = all.find("\r\n"); p != std::string::npos && p < at; p = all.find("\r\n", p + 2))
        --cp;
    DWORD pid = 0;
    GetWindowThreadProcessId(viewer, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, pid);
    if (!process) return false;
    POINTL pos{};
    {
        RemoteBuffer remote(process, sizeof pos);
        if (remote.ok()) {
            SendMessageA(text, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(remote.at(0)), cp);
            remote.read(0, &pos, sizeof pos);
        }
    }
    CloseHandle(process);
    clickAt(text, pos.x + 1, pos.y + 4);
    return true;
}

// Closes the viewer and waits until its process has gone (the viewer ends with its last
// window; a help request made before it has gone would go to the ending process).
void closeViewers() {
    for (HWND v : helpViewers()) PostMessageA(v, WM_CLOSE, 0, 0);
    waitUntil([] { return !FindWindowA(kViewerClass, nullptr); }, kLongWait);
}

// The HTML Help viewer's window, in the program's own process (hhctrl.ocx runs there),
// titled by help.chm. Under Wine without its Gecko the pages stay blank; the window, the
// toolbar and the tabs are there.
HWND htmlHelpWindow(DWORD pid) {
    for (HWND w : topWindowsOf(pid))
        if (className(w) == "HH Parent" && textOf(w) == kHelpTitle && IsWindowVisible(w)) return w;
    return nullptr;
}

HWND waitHtmlHelpWindow(DWORD pid) {
    HWND found = nullptr;
    waitUntil([&] { return (found = htmlHelpWindow(pid)) != nullptr; }, kLongWait, 100);
    return found;
}

// The text of the first entry of a tree view of another process.
std::string firstTreeEntry(HWND tree) {
    auto root = static_cast<LPARAM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    HANDLE process = root ? OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                            PROCESS_VM_WRITE, FALSE, pid)
                          : nullptr;
    if (!process) return std::string();
    char text[256] = {};
    {
        RemoteBuffer remote(process, sizeof(TVITEMA) + sizeof text);
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = reinterpret_cast<HTREEITEM>(root);
        item.pszText = remote.at(sizeof item);
        item.cchTextMax = sizeof text - 1;
        if (remote.write(0, &item, sizeof item) &&
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(0))))
            remote.read(sizeof item, text, sizeof text - 1);
    }
    CloseHandle(process);
    return text;
}

// A real F1 key press, as the keyboard gives it to the window in front.
void pressF1(HWND top) {
    SetForegroundWindow(top);
    waitUntil([&] { return GetForegroundWindow() == top; }, kShortWait);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

class HelpTest : public GuiTest {
protected:
    void TearDown() override {
        closeViewers();
        GuiTest::TearDown();
    }
    // Puts the built help file of this name beside the program.
    bool ship(const std::string& name) {
        std::string built = builtProgramPath();
        built = built.substr(0, built.find_last_of("\\/") + 1) + name;
        return CopyFileA(built.c_str(), (app().folder() + "\\" + name).c_str(), FALSE) != 0;
    }
};

TEST_F(HelpTest, F1AndTheHelpButtonOpenHelpChmWithItsContentsAndTakeOffTheDownloadMark) {
    closeViewers();
    ASSERT_TRUE(ship("help.chm"));
    ASSERT_TRUE(ship("help.hlp"));
    // Under Wine the stream is a file of that name; on NTFS, the stream Explorer gives a
    // file unpacked from a downloaded zip.
    const std::string chm = app().folder() + "\\help.chm", mark = chm + ":Zone.Identifier";
    ASSERT_TRUE(writeFile(mark));
    HWND top = startNormal();
    ASSERT_TRUE(top);

    pressF1(top);
    HWND viewer = waitHtmlHelpWindow(pid());
    ASSERT_TRUE(viewer) << "F1 showed no HTML Help window";
    HWND contents = waitControl(viewer, Find().className("SysTreeView32"), kLongWait);
    EXPECT_EQ(firstTreeEntry(contents), kHelpTitle);
    EXPECT_GE(SendMessageA(contents, TVM_GETCOUNT, 0, 0), 16);  // every topic, and books
    EXPECT_FALSE(FindWindowA(kViewerClass, nullptr));  // help.hlp stays closed
    EXPECT_EQ(GetFileAttributesA(mark.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(chm.c_str()), INVALID_FILE_ATTRIBUTES);

    PostMessageA(viewer, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !htmlHelpWindow(pid()); }, kLongWait));
    click(placed(top, Ctl::helpButton));
    EXPECT_TRUE(waitHtmlHelpWindow(pid())) << "the help button showed no HTML Help window";
}

// Without help.chm.
TEST_F(HelpTest, F1AndTheHelpButtonShowTheContentsWhoseLinksLeadToTheirTopics) {
    closeViewers();
    ASSERT_TRUE(ship("help.hlp"));
    HWND top = startNormal();
    ASSERT_TRUE(top);

    pressF1(top);
    HWND viewer = waitViewerShowing(kHelpTitle);
    ASSERT_TRUE(viewer) << "F1 showed no contents topic";
    DWORD viewerPid = 0;
    GetWindowThreadProcessId(viewer, &viewerPid);
    EXPECT_NE(viewerPid, pid());  // the viewer runs on its own

    ASSERT_TRUE(clickLink(viewer, "Backup and recovery"));
    EXPECT_TRUE(waitViewerShowing("Backup and recovery")) << shownTopic(viewer);

    closeViewers();
    click(placed(top, Ctl::helpButton));
    EXPECT_TRUE(waitViewerShowing(kHelpTitle)) << "the help button showed no contents topic";
}

TEST_F(HelpTest, WithoutTheHelpFileNothingOpens) {
    closeViewers();
    HWND top = startNormal();
    ASSERT_TRUE(top);
    pressF1(top);
    click(placed(top, Ctl::helpButton));
    Sleep(2000);
    EXPECT_FALSE(FindWindowA(kViewerClass, nullptr));  // the viewer was not even started
    EXPECT_FALSE(htmlHelpWindow(pid()));
    EXPECT_FALSE(findMessageBox(pid()).hwnd);
    EXPECT_TRUE(app().running());
}

}  // namespace
}  // namespace gui
