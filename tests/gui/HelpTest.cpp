// F1 and the help button open help.hlp beside the program in the help viewer, a process
// of its own, at its contents topic; a link there leads to its topic. Without the file
// nothing opens and nothing is said.
#include "tests/gui/GuiTest.h"

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
    bool shipHelpFile() {
        std::string built = builtProgramPath();
        built = built.substr(0, built.find_last_of("\\/") + 1) + "help.hlp";
        return CopyFileA(built.c_str(), (app().folder() + "\\help.hlp").c_str(), FALSE) != 0;
    }
};

TEST_F(HelpTest, F1AndTheHelpButtonShowTheContentsWhoseLinksLeadToTheirTopics) {
    closeViewers();
    ASSERT_TRUE(shipHelpFile());
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
    click(placed(top, main_window::helpButton));
    EXPECT_TRUE(waitViewerShowing(kHelpTitle)) << "the help button showed no contents topic";
}

TEST_F(HelpTest, WithoutTheHelpFileNothingOpens) {
    closeViewers();
    HWND top = startNormal();
    ASSERT_TRUE(top);
    pressF1(top);
    click(placed(top, main_window::helpButton));
    Sleep(2000);
    EXPECT_FALSE(FindWindowA(kViewerClass, nullptr));  // the viewer was not even started
    EXPECT_FALSE(findMessageBox(pid()).hwnd);
    EXPECT_TRUE(app().running());
}

}  // namespace
}  // namespace gui
