// The window operations of dv::Ui on real Win32 windows. Each open window is built from
// its table, which the program gives with the stored items of its combo boxes; its
// controls exist only while it is open, and operations on the controls of a closed
// window change nothing and read as empty. What the user does goes to the program's
// event routing.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Ui.h"
#include "platform/WindowTables.h"
#include "platform/win32/GuiRelay.h"
#include "platform/win32/HtmlHelpViewer.h"
#include "platform/win32ui/LiveWindow.h"
#include "platform/win32ui/WindowBuilder.h"

namespace dv {

class Win32Ui final : public Ui, public WindowEvents {
public:
    Win32Ui(const WindowTables& tables, ComboItems comboItems);
    ~Win32Ui() override;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

    // Where events go; until then nothing handles them and every window may close.
    void attach(UiEvents events) { events_ = std::move(events); }
    // Builds a window from its table, hidden. False when it has no table or the system
    // refuses; an open window stays as it is.
    bool createWindow(Ctl window);
    HWND windowHandle(Ctl window) const;
    // The program's message loop; returns the exit code that ended it.
    int runMessageLoop();
    // The exit routine: runs when the program ends, whichever way (end of the message
    // loop or endProgram).
    void setExitHook(std::function<void()> hook) { exitHook_ = std::move(hook); }
    // The manual's viewer: its windows get their keyboard messages from the message loops
    // and close when the program ends.
    void setHelpViewer(HtmlHelpViewer* viewer) { helpViewer_ = viewer; }

    // WindowEvents
    void raise(Ctl control, Event event) override;
    bool closeAllowed(Ctl window) override;
    void windowDestroyed(Ctl window) override;

    // Ui
    void setText(Ctl c, const std::string& text) override;
    std::string text(Ctl c) const override;
    void setTooltip(Ctl c, const std::string& text) override;
    std::string tooltip(Ctl c) const override;
    void setVisible(Ctl c, bool visible) override;
    bool isVisible(Ctl c) const override;
    void setEnabled(Ctl c, bool enabled) override;
    bool isEnabled(Ctl c) const override;
    void setChecked(Ctl c, bool checked) override;
    bool isChecked(Ctl c) const override;
    int comboCount(Ctl c) const override;
    std::string comboItem(Ctl c, int index) const override;
    void comboAdd(Ctl c, const std::string& item) override;
    void comboSetItem(Ctl c, int index, const std::string& item) override;
    int comboSelection(Ctl c) const override;
    void setComboSelection(Ctl c, int index) override;
    void setWidth(Ctl c, int width) override;
    void setBackColour(Ctl c, uint32_t rgb) override;
    uint32_t backColour(Ctl c) const override;
    void setTimer(Ctl timer, int intervalMs) override;
    int timerInterval(Ctl timer) const override;
    void setProgress(Ctl bar, int value) override;
    int rowCount(Ctl list) const override;
    void clearRows(Ctl list) override;
    void removeRow(Ctl list, int row) override;
    int appendRow(Ctl list, const std::string& firstColumn) override;
    void setCell(Ctl list, int row, int column, const std::string& text) override;
    std::string cell(Ctl list, int row, int column) const override;
    bool isTicked(Ctl list, int row) const override;
    void setTicked(Ctl list, int row, bool ticked) override;
    int currentRow(Ctl list) const override;
    void setCurrentRow(Ctl list, int row) override;
    void setColumnTitle(Ctl list, int column, const std::string& title) override;
    void popupMenu(Ctl menu) override;
    int messageBox(const std::string& text, const std::string& title, unsigned style) override;
    void openModal(Ctl window) override;
    void closeWindow(Ctl window) override;
    void setWindowSize(Ctl window, int width, int height) override;
    void setWindowState(Ctl window, WindowState state) override;
    void addWindowStyle(Ctl window, uint32_t styleBits) override;
    void setHelpFile(Ctl window, const std::string& helpFile) override;
    void dragWindow(Ctl window) override;
    void processPendingMessages() override;
    bool messagesDue() override;
    void endProgram(int exitCode) override;

private:
    LiveWindow* window(Ctl window) const;
    LiveControl* control(Ctl c) const;
    ListRows* listRows(Ctl list) const;
    bool onGuiThread() const { return GetCurrentThreadId() == guiThread_; }
    // Called from another thread (the update check writes captions): posts the call to the
    // GUI thread and returns true. Callers test onGuiThread() first, so the GUI thread
    // never pays for the call object.
    bool relayed(std::function<void()> call);
    void runExitRoutine();
    // Keyboard handling shared by every loop; true when the message was used up.
    bool preTranslate(MSG& msg);
    void dispatch(MSG& msg);
    void releaseClosedWindows();
    void focusFirstControl(LiveWindow& w);
    // A list that takes or loses many rows in one handler (a search, a delete) stops
    // painting, and is repainted at the next message-processing point, at most every
    // 100 ms, and whenever the program waits for the user. (The control recomputes and
    // redraws its scroll bar whenever its row count changes while it paints, which
    // costs Wine about as long as a search takes for 500 folders.) Rows appended since
    // the last processing point are shown to the lists there too.
    void holdListPainting(HWND list);
    void repaintHeldLists(bool now);

    WindowKit kit_;
    UiEvents events_;
    DWORD guiThread_ = 0;
    GuiRelay relay_;  // carries captions written by other threads to the GUI thread
    std::function<void()> exitHook_;
    HtmlHelpViewer* helpViewer_ = nullptr;
    std::map<Ctl, std::unique_ptr<LiveWindow>> open_;
    std::vector<std::unique_ptr<LiveWindow>> closed_;  // released when no handler runs
    int handlerDepth_ = 0;
    std::vector<HWND> heldLists_;
    DWORD lastListRepaint_ = 0;
    DWORD lastProcessed_ = 0;  // when processPendingMessages last ran
    DWORD lastInputCheck_ = 0;  // when messagesDue last asked for waiting input
};

}  // namespace dv
